#pragma once

#include <QString>

// The text of a PDF's pages from `first` to `last` (0: to the end) as pdftotext lays it out, or
// a line that says pdftotext failed.
QString pdfText(const QString &path, int first = 1, int last = 0);

// Whether poppler reads the text of the PDFs this build writes. Under Wine, where the Windows
// suite runs, pdftotext finds no text in them: there the checks of a PDF's text are skipped.
bool pdfTextReadable();

#define SKIP_UNLESS_PDF_TEXT_READABLE()                                                            \
    if (!pdfTextReadable())                                                                        \
    QSKIP("Under Wine, pdftotext finds no text in the PDFs written there")
