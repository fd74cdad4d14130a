#include "documentoutput.h"

#include "output.h"

#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QStandardPaths>

namespace tolvemar {

void printDocument(const request::Document &document, QWidget *parent) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    QPrintDialog dialog(&printer, parent);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (!request::paint(document, printer))
        QMessageBox::critical(parent, QGuiApplication::applicationDisplayName(),
                              QStringLiteral("La stampante non ha accettato il documento."));
}

QString exportDocument(const request::Document &document, const QString &name, QWidget *parent) {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString path = QFileDialog::getSaveFileName(parent, QStringLiteral("Esporta in PDF"),
                                                      QDir(folder).filePath(name),
                                                      QStringLiteral("Documenti PDF (*.pdf)"));
    if (path.isEmpty())
        return {};
    if (const auto error = request::savePdf(request::toPdf(document), path)) {
        QMessageBox::critical(parent, QGuiApplication::applicationDisplayName(), *error);
        return {};
    }
    return path;
}

} // namespace tolvemar
