#pragma once

#include <QString>
#include <QStringList>

// The text of a PDF's pages from `first` to `last` (0: to the end) as pdftotext lays it out, or
// a line that says pdftotext failed.
QString pdfText(const QString &path, int first = 1, int last = 0);

// The fonts a PDF embeds, as pdffonts names them without their subset prefix
// ("LiberationSerif-Bold"); those it only names are left out.
QStringList embeddedFonts(const QString &path);
