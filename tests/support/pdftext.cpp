#include "pdftext.h"

#include "hostpath.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <optional>

namespace {

// What a program of the build machine prints on its standard output, or nothing when it fails.
// The Windows suite runs under Wine, which starts Debian's programs as Linux ones: no pipe from
// them reaches the test and their status does not come back, so a script of the build machine
// puts the output into a file, renamed into place once whole.
std::optional<QByteArray> hostOutput(const QString &program, const QStringList &arguments) {
    QProcess process;
#ifdef Q_OS_WIN
    const QTemporaryDir folder;
    const QString output = folder.filePath(QStringLiteral("output.txt"));
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.start(QStringLiteral("/bin/sh"),
                  QStringList{QStringLiteral(TOLVEMAR_TO_FILE), hostPath(output), program} +
                      arguments);
    process.waitForFinished();
    for (int tries = 0; tries < 300 && !QFile::exists(output); ++tries)
        QThread::msleep(100);
    QFile file(output);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
#else
    process.start(program, arguments);
    if (!process.waitForFinished() || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        return std::nullopt;
    return process.readAllStandardOutput();
#endif
}

} // namespace

QString pdfText(const QString &path, int first, int last) {
    QStringList arguments{"-layout", "-f", QString::number(first)};
    if (last > 0)
        arguments << "-l" << QString::number(last);
    const std::optional<QByteArray> text =
        hostOutput(QStringLiteral(TOLVEMAR_PDFTOTEXT), arguments << hostPath(path) << "-");
    if (!text)
        return QStringLiteral("pdftotext failed: is poppler-utils installed? build.sh installs it");
    return QString::fromUtf8(*text);
}
