#pragma once

#include "request.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <utility>

// The fee request as one description, in Italian and in Italian formats whatever the user's
// regional settings. The PDF, the printer and the clipboard all render this description.
namespace request {

struct Block {
    // A Table's values are figures, aligned right, its last row their total; a list of Fields
    // reads left to right.
    enum Kind { Warning, Title, Heading, Paragraph, Table, Fields };

    Kind kind;
    QString text;                            // all but Table and Fields
    QList<std::pair<QString, QString>> rows; // Table and Fields: label and value
};

struct Document {
    QList<Block> blocks;
    QString footer; // the program, its version, and when the document was made
};

// At most this many holidays are listed one by one; the rest are counted.
inline constexpr qsizetype kListedHolidays = 100;

Document describe(const Request &request, const Totals &totals, const QDateTime &madeAt);

QString toPlainText(const Document &document);

// An HTML page that pastes as headings, paragraphs and tables into a word processor.
QString toHtml(const Document &document, bool withFooter = true);

} // namespace request
