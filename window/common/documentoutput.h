#pragma once

#include "document.h"

#include <QByteArray>
#include <QString>

#include <functional>

class QWidget;

// The ways out of a request that both windows offer: the printer and a PDF file.
namespace tolvemar {

// Asks for a printer and prints; a box when the printer refuses the document.
void printDocument(const request::Document &document, QWidget *parent);

// Where a file dialog opens: the user's documents folder when there is one, else the home folder,
// never the folder the program was started from.
QString documentsFolder();

// Asks where to save, `name` in documentsFolder() at first, and writes the PDF that `make`
// gives whole or not at all. The path written; empty when the user cancels or the writing fails
// (said in a box).
QString exportPdf(const QString &name, QWidget *parent, const std::function<QByteArray()> &make);

// The same for a request.
QString exportDocument(const request::Document &document, const QString &name, QWidget *parent);

} // namespace tolvemar
