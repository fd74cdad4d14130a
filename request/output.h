#pragma once

#include "document.h"

#include <QByteArray>
#include <QString>

#include <optional>

class QMimeData;
class QPagedPaintDevice;

// The three ways out for a fee request: PDF, printer and clipboard.
namespace request {

// Lays the document out on the device's pages in the Liberation fonts, with the footer and the
// page number at the foot of each page. False when the device cannot be painted on.
bool paint(const Document &document, QPagedPaintDevice &device);

// The document as an A4 PDF.
QByteArray toPdf(const Document &document);

// Writes the whole file or nothing: an existing file stays as it was until the new one is
// complete. An Italian message with the path and the system's reason when it fails.
std::optional<QString> savePdf(const QByteArray &pdf, const QString &path);

// Plain text and HTML, for the clipboard.
QMimeData *toMimeData(const Document &document);

} // namespace request
