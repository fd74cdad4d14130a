#pragma once

#include "request.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <utility>

// The fee request as one description, in Italian and in Italian formats whatever the user's
// regional settings. The PDF, the printer and the clipboard all render this description.
namespace request {

// A column of a Grid: its heading and how much of the line it takes.
struct GridColumn {
    QString title;
    int width = 0;        // per cent of the line; 0 shares what the others leave
    bool figures = false; // aligned right
};

struct GridRow {
    QStringList cells;  // one for each column
    bool total = false; // in bold, its label spanning the empty cells before it
};

struct Block {
    // A Table's values are figures, aligned right, its last row their total; a list of Fields
    // reads left to right. A Grid has a row of column headings, repeated on each page it runs
    // over, and its total rows in bold.
    enum Kind { Warning, Title, Heading, Paragraph, Table, Fields, Grid };

    Kind kind;
    QString text;                            // Warning, Title, Heading and Paragraph
    QList<std::pair<QString, QString>> rows; // Table and Fields: label and value
    QList<GridColumn> columns = {};          // Grid
    QList<GridRow> lines = {};               // Grid
};

struct Document {
    QList<Block> blocks;
    QString footer; // the program, its version, and when the document was made
};

// At most this many holidays are listed one by one; the rest are counted.
inline constexpr qsizetype kListedHolidays = 100;

Document describe(const Request &request, const Totals &totals, const QDateTime &madeAt);

// The text of the document's Title, which also names its PDF.
QString title(const Document &document);

// Grids come as tab-separated lines, for a spreadsheet.
QString toPlainText(const Document &document);

// An HTML page that pastes as headings, paragraphs and tables into a word processor.
QString toHtml(const Document &document, bool withFooter = true);

} // namespace request
