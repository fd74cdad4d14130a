#pragma once

#include <QString>

// The text of a PDF's pages from `first` to `last` (0: to the end) as pdftotext lays it out, or
// a line that says pdftotext failed.
QString pdfText(const QString &path, int first = 1, int last = 0);
