#include "output.h"

#include "version.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QDir>
#include <QMimeData>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextDocument>

namespace request {

bool paint(const Document &document, QPagedPaintDevice &device) {
    QTextDocument text;
    text.documentLayout()->setPaintDevice(&device);
    text.setDefaultFont(QFont(QStringLiteral("Liberation Serif"), 11));
    text.setHtml(toHtml(document, false));

    const QFont footerFont(QStringLiteral("Liberation Sans"), 8);
    const qreal footerHeight = 2 * QFontMetricsF(footerFont, &device).height();
    const QRectF page = device.pageLayout().paintRectPixels(device.logicalDpiX());
    const QSizeF body(page.width(), page.height() - footerHeight);
    text.setPageSize(body);

    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const int pages = text.pageCount();
    for (int i = 0; i < pages; ++i) {
        if (i > 0 && !device.newPage())
            return false;
        painter.save();
        painter.translate(0, -i * body.height());
        text.drawContents(&painter, QRectF(QPointF(0, i * body.height()), body));
        painter.restore();
        painter.setFont(footerFont);
        const QRectF foot(0, body.height(), body.width(), footerHeight);
        painter.drawText(foot, Qt::AlignLeft | Qt::AlignBottom, document.footer);
        painter.drawText(foot, Qt::AlignRight | Qt::AlignBottom,
                         QStringLiteral("pagina %1 di %2").arg(i + 1).arg(pages));
    }
    return painter.end();
}

QByteArray toPdf(const Document &document) {
    QByteArray pdf;
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(20, 20, 20, 15), QPageLayout::Millimeter));
        writer.setResolution(300);
        writer.setTitle(title(document));
        writer.setCreator(QStringLiteral("Calcolo Tolvemar CT ") +
                          QLatin1String(tolvemar::kVersionText));
        paint(document, writer);
    }
    return pdf;
}

std::optional<QString> savePdf(const QByteArray &pdf, const QString &path) {
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        // A short write is retried: the call that fails then says why, such as "File too large".
        qint64 written = 0;
        while (written < pdf.size()) {
            const qint64 n = file.write(pdf.constData() + written, pdf.size() - written);
            if (n <= 0)
                break;
            written += n;
        }
        if (written == pdf.size() && file.commit())
            return std::nullopt;
    }
    // Windows ends its reasons with a full stop of their own.
    QString reason = file.errorString();
    if (reason.endsWith(u'.'))
        reason.chop(1);
    return QStringLiteral("Impossibile salvare il PDF «%1»: %2.")
        .arg(QDir::toNativeSeparators(path), reason);
}

QMimeData *toMimeData(const Document &document) {
    auto *data = new QMimeData;
    data->setText(toPlainText(document));
    data->setHtml(toHtml(document));
    return data;
}

} // namespace request
