#pragma once

#include <QDate>
#include <QProcess>

// What the tests of the command-line programs and of dates share.
namespace testsupport {

struct Run {
    int status = -1; // -1 when the program did not start, crashed or hung
    QByteArray out;
    QByteArray err;
};

inline Run run(const QString &program, const QStringList &args, const QByteArray &input = {},
               const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment()) {
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(program, args);
    Run r;
    if (!process.waitForStarted())
        return r;
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit)
        return r;
    r.status = process.exitCode();
    r.out = process.readAllStandardOutput();
    r.err = process.readAllStandardError();
    return r;
}

inline QDate on(const char *iso) {
    return QDate::fromString(QLatin1String(iso), Qt::ISODate);
}

} // namespace testsupport
