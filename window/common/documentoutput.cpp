#include "documentoutput.h"

#include "output.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
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

QString documentsFolder() {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

QString exportPdf(const QString &name, QWidget *parent, const std::function<QByteArray()> &make) {
    const QString path = QFileDialog::getSaveFileName(parent, QStringLiteral("Esporta in PDF"),
                                                      QDir(documentsFolder()).filePath(name),
                                                      QStringLiteral("Documenti PDF (*.pdf)"));
    if (path.isEmpty())
        return {};
    if (const auto error = request::savePdf(make(), path)) {
        QMessageBox::critical(parent, QGuiApplication::applicationDisplayName(), *error);
        return {};
    }
    return path;
}

QString exportDocument(const request::Document &document, const QString &name, QWidget *parent) {
    return exportPdf(name, parent, [&document] { return request::toPdf(document); });
}

} // namespace tolvemar
