#pragma once

#include "document.h"
#include "tablesettlement.h"

#include <QDate>
#include <QList>
#include <QString>

#include <utility>
#include <variant>

// The fees by value and the fixed fees of an assignment's request ("Onorari fissi e variabili"):
// each item priced under the tables, its section of the document, and the rows of what they
// come to.
namespace request {

struct TableFeeItem {
    enum class Asked { Minimum, Middle, Maximum, Amount };

    QString article;     // "13", "6.1"
    QList<Cents> values; // one per table of the article (art. 4: assets, revenues); none if fixed
    QString reduction;   // as fee::TableReduction::id; empty for none
    Asked asked = Asked::Middle;
    Cents amount = 0; // what is asked when `asked` is Amount
    QString description;
    int quantity = 1; // for an article paid per item

    friend bool operator==(const TableFeeItem &, const TableFeeItem &) = default;
};

struct PricedItems {
    QList<Block> blocks; // the section, with its heading
    QList<Cents> asked;  // one per item
};

// The items under the tables in force on `appointment`, or an Italian message that names the
// item: an article the tables do not have, values that do not fit it, an amount outside its
// range.
std::variant<PricedItems, QString> priceItems(const QList<TableFeeItem> &items, QDate appointment);

// The rows of the items' settlement: their sum, the third off a late report, the increases and
// their total.
QList<std::pair<QString, QString>> settlementRows(const fee::TableSettlement &settlement,
                                                  const fee::TableClaim &claim);

// "Relazione depositata in ritardo: il ..., dopo l'ultimo termine del ...": what a late filing
// costs, with the dates; `items` when there are fees by value to reduce.
QString lateFilingText(QDate filed, QDate lastDeadline, bool items);

} // namespace request
