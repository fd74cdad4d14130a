#include "pdftext.h"

#include "hostpath.h"

#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QThread>

#include <optional>

namespace {

// What pdftotext writes of the file, or nothing when it fails. The Windows suite runs under
// Wine, which starts Debian's pdftotext as a Linux program: no pipe from it reaches the test
// and its status does not come back, so the text goes through a file of its own.
std::optional<QByteArray> run(QStringList arguments, const QString &path) {
    QProcess pdftotext;
#ifdef Q_OS_WIN
    const QString text = path + QStringLiteral(".txt");
    QFile::remove(text);
    pdftotext.setProcessChannelMode(QProcess::ForwardedChannels);
    pdftotext.start(QStringLiteral(TOLVEMAR_PDFTOTEXT),
                    arguments << hostPath(path) << hostPath(text));
    pdftotext.waitForFinished();
    // Wine may tell the end before the file is whole: it is read once its size holds.
    QFile file(text);
    qint64 size = -1;
    for (int tries = 0; tries < 200 && (size <= 0 || size != file.size()); ++tries) {
        size = file.size();
        QThread::msleep(100);
    }
    if (size <= 0 || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray read = file.readAll();
    file.close();
    file.remove();
    return read;
#else
    pdftotext.start(QStringLiteral(TOLVEMAR_PDFTOTEXT), arguments << path << "-");
    if (!pdftotext.waitForFinished() || pdftotext.exitStatus() != QProcess::NormalExit ||
        pdftotext.exitCode() != 0)
        return std::nullopt;
    return pdftotext.readAllStandardOutput();
#endif
}

} // namespace

QString pdfText(const QString &path, int first, int last) {
    QStringList arguments{"-layout", "-f", QString::number(first)};
    if (last > 0)
        arguments << "-l" << QString::number(last);
    const std::optional<QByteArray> text = run(arguments, path);
    if (!text)
        return QStringLiteral("pdftotext failed: is poppler-utils installed? build.sh installs it");
    return QString::fromUtf8(*text);
}

bool pdfTextReadable() {
#ifdef Q_OS_WIN
    return false;
#else
    return true;
#endif
}
