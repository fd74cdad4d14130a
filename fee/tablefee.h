#pragma once

#include "tables.h"

#include <QList>
#include <QString>

#include <optional>
#include <variant>

// A fee by value or a fixed fee of the tables: its minimum, middle and maximum. The value is
// split at each bracket's upper limit, each slice charged at its bracket's rate; nothing is added
// above the last bracket ("fino e non oltre"). The sum is kept exact, reduced as the article
// writes, rounded once to the cent half away from zero, and floored at the article's minimum.
namespace fee {

// The part of a value that falls in one bracket, with what it is worth at each rate (each
// rounded on its own, for display: the points are computed from the exact sum).
struct Slice {
    int table = 0;   // index in the article's tables
    Cents above = 0; // the previous bracket's limit; 0 for the first
    Cents upTo = 0;
    Cents amount = 0;
    RateUnits minRate = 0;
    RateUnits maxRate = 0;
    Cents minFee = 0;
    Cents maxFee = 0;
};

struct TableFee {
    QList<Slice> slices; // the brackets the values reach, table by table
    QList<Cents> values; // one per table, as given
    std::optional<TableReduction> reduction;
    int quantity = 1; // items, samples or substances counted
    Cents low = 0;    // minimum, middle ("medio"), maximum
    Cents middle = 0;
    Cents high = 0;
    bool floored = false; // the article's minimum raised at least one point
};

// The fee of `article` on `values` (one per table; none for a fixed fee) with the reduction
// named `reduction` (empty for none), for `quantity` items where the article is paid per item,
// or an Italian message. Per item, each point is the item's amount times the quantity, or times
// 1 + (quantity - 1) / 2 where further items are paid at half, rounded once.
std::variant<TableFee, QString> tableFee(const TableArticle &article, const QList<Cents> &values,
                                         const QString &reduction = {}, int quantity = 1);

// An Italian message when `quantity` does not fit `article`; empty when it does.
QString quantityError(const TableArticle &article, int quantity);

// An Italian message when `asked` is outside the fee's range, naming the range; empty when
// the expert may ask for it.
QString askedError(const TableFee &fee, Cents asked);

} // namespace fee
