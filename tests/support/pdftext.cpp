#include "pdftext.h"

#include <QProcess>
#include <QStringList>

namespace {

// Whether pdftotext read the file. The Windows suite runs under Wine and reads its PDFs with
// Debian's pdftotext, a Linux program, whose exit status Wine does not pass back: there the
// text itself is the proof.
bool succeeded(const QProcess &pdftotext, const QByteArray &text) {
#ifdef Q_OS_WIN
    Q_UNUSED(pdftotext);
    return !text.isEmpty();
#else
    Q_UNUSED(text);
    return pdftotext.exitStatus() == QProcess::NormalExit && pdftotext.exitCode() == 0;
#endif
}

} // namespace

QString pdfText(const QString &path, int first, int last) {
    QProcess pdftotext;
    QStringList arguments{"-layout", "-f", QString::number(first)};
    if (last > 0)
        arguments << "-l" << QString::number(last);
    pdftotext.start(QStringLiteral(TOLVEMAR_PDFTOTEXT), arguments << path << "-");
    const bool finished = pdftotext.waitForFinished();
    const QByteArray text = pdftotext.readAllStandardOutput();
    if (!finished || !succeeded(pdftotext, text))
        return QStringLiteral("pdftotext failed: is poppler-utils installed? build.sh installs it");
    return QString::fromUtf8(text);
}
