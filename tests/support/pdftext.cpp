#include "pdftext.h"

#include <QProcess>
#include <QStringList>

QString pdfText(const QString &path, int first, int last) {
    QProcess pdftotext;
    QStringList arguments{"-layout", "-f", QString::number(first)};
    if (last > 0)
        arguments << "-l" << QString::number(last);
    pdftotext.start("pdftotext", arguments << path << "-");
    if (!pdftotext.waitForFinished() || pdftotext.exitCode() != 0)
        return QStringLiteral("pdftotext failed: is poppler-utils installed? build.sh installs it");
    return QString::fromUtf8(pdftotext.readAllStandardOutput());
}
