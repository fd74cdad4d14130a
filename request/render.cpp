#include "document.h"

// The document as plain text and as HTML. The HTML also lays out the PDF and the printed page,
// so a Grid's heading row is a <thead>, which QTextDocument repeats on every page.
namespace request {

namespace {

QString gridHtml(const Block &block) {
    QString html = QStringLiteral("<table width=\"100%\" cellspacing=\"0\" cellpadding=\"3\" "
                                  "border=\"1\" style=\"border-collapse:collapse;"
                                  "border-color:#a0a0a0;font-family:'Liberation Sans',"
                                  "sans-serif;font-size:9pt;\">\n<thead><tr>");
    for (const GridColumn &column : block.columns) {
        const QString width =
            column.width > 0 ? QStringLiteral(" width=\"%1%\"").arg(column.width) : QString();
        html += QStringLiteral("<th%1 align=\"%2\" bgcolor=\"#e6e6e6\">%3</th>")
                    .arg(width, column.figures ? QStringLiteral("right") : QStringLiteral("left"),
                         column.title.toHtmlEscaped());
    }
    html += QStringLiteral("</tr></thead>\n<tbody>\n");
    for (const GridRow &row : block.lines) {
        html += row.total ? QStringLiteral("<tr style=\"font-weight:bold;\" bgcolor=\"#f4f4f4\">")
                          : QStringLiteral("<tr>");
        // A total's label takes the empty cells before it too.
        qsizetype first = 0;
        while (row.total && first + 1 < row.cells.size() && row.cells.at(first).isEmpty())
            ++first;
        for (qsizetype i = first; i < block.columns.size(); ++i) {
            const QString cell = i < row.cells.size() ? row.cells.at(i) : QString();
            const QString span = i == first && first > 0
                                     ? QStringLiteral(" colspan=\"%1\"").arg(first + 1)
                                     : QString();
            html += QStringLiteral("<td%1%2>%3</td>")
                        .arg(span,
                             block.columns.at(i).figures ? QStringLiteral(" align=\"right\"")
                                                         : QString(),
                             cell.toHtmlEscaped());
        }
        html += QStringLiteral("</tr>\n");
    }
    return html + QStringLiteral("</tbody></table>\n");
}

QString tableHtml(const Block &block) {
    const bool figures = block.kind == Block::Table;
    QString html = QStringLiteral("<table width=\"100%\" cellspacing=\"0\" cellpadding=\"2\">\n");
    for (qsizetype i = 0; i < block.rows.size(); ++i) {
        const auto &[label, value] = block.rows.at(i);
        // The last figure is the total.
        const QString weight = figures && i == block.rows.size() - 1
                                   ? QStringLiteral(" style=\"font-weight:bold;\"")
                                   : QString();
        const QString row =
            figures ? QStringLiteral("<tr%3><td>%1</td><td align=\"right\">%2</td></tr>\n")
                    : QStringLiteral("<tr%3><td width=\"35%\">%1</td><td>%2</td></tr>\n");
        html += row.arg(label.toHtmlEscaped(), value.toHtmlEscaped(), weight);
    }
    return html + QStringLiteral("</table>\n");
}

} // namespace

QString title(const Document &document) {
    for (const Block &block : document.blocks) {
        if (block.kind == Block::Title)
            return block.text;
    }
    return {};
}

QString toPlainText(const Document &document) {
    QStringList lines;
    for (const Block &block : document.blocks) {
        switch (block.kind) {
        case Block::Title:
            lines << block.text << QString(block.text.size(), u'=');
            break;
        case Block::Heading:
            lines << QString() << block.text;
            break;
        case Block::Warning:
        case Block::Paragraph:
            lines << block.text;
            break;
        case Block::Table:
        case Block::Fields:
            for (const auto &[label, value] : block.rows)
                lines << label + QStringLiteral(": ") + value;
            break;
        case Block::Grid: {
            QStringList header;
            for (const GridColumn &column : block.columns)
                header << column.title;
            lines << header.join(u'\t');
            for (const GridRow &row : block.lines)
                lines << row.cells.join(u'\t');
            break;
        }
        }
    }
    lines << QString() << document.footer;
    return lines.join(u'\n') + u'\n';
}

QString toHtml(const Document &document, bool withFooter) {
    const QString sans = QStringLiteral("font-family:'Liberation Sans',sans-serif;");
    QString html = QStringLiteral("<!DOCTYPE html><html lang=\"it\"><head><meta charset=\"utf-8\">"
                                  "<title>%1</title></head>"
                                  "<body style=\"font-family:'Liberation Serif',serif;\">\n")
                       .arg(title(document).toHtmlEscaped());
    for (const Block &block : document.blocks) {
        const QString text = block.text.toHtmlEscaped().replace(u'\n', QStringLiteral("<br>"));
        switch (block.kind) {
        case Block::Warning:
            html += QStringLiteral("<p style=\"%1color:#b00000;font-weight:bold;\">%2</p>\n")
                        .arg(sans, text);
            break;
        case Block::Title:
            html += QStringLiteral("<h1 style=\"%1font-size:16pt;\">%2</h1>\n").arg(sans, text);
            break;
        case Block::Heading:
            html += QStringLiteral("<h2 style=\"%1font-size:12pt;\">%2</h2>\n").arg(sans, text);
            break;
        case Block::Paragraph:
            html += QStringLiteral("<p>%1</p>\n").arg(text);
            break;
        case Block::Table:
        case Block::Fields:
            html += tableHtml(block);
            break;
        case Block::Grid:
            html += gridHtml(block);
            break;
        }
    }
    if (withFooter)
        html += QStringLiteral("<p style=\"%1font-size:8pt;\">%2</p>\n")
                    .arg(sans, document.footer.toHtmlEscaped());
    return html + QStringLiteral("</body></html>\n");
}

} // namespace request
