#pragma once

#include <QString>
#include <QStringList>

namespace request {

// The families the documents are set in: the text in the serif one, tables and footers in the
// sans one.
QStringList documentFamilies();

// Loads the document families the system lacks from the font files in `folder`, so that a
// document written on Windows, which has none of them, is the one written on Linux. Needs a
// QGuiApplication. Returns the families still missing, none when all are there.
QStringList loadDocumentFonts(const QString &folder);

// Where the program's own copy of the fonts is installed: "fonts" beside the executable.
QString shippedFontsFolder();

} // namespace request
