#pragma once

#include "parts.h"
#include "tablefee.h"
#include "tablesettlement.h"

#include <QDate>

#include <variant>

// The fees by value of an assignment computed from its items, for the window, its summary and
// the register's list alike. The tables are those of the decree in force on the appointment
// (the oldest shipped for an assignment without one). No SQL.
namespace assignments {

// "sommaria", as the tables' data name the reduction; empty for none.
QString reductionId(FeeReduction reduction);

// The article of `item` in the decree in force on `appointment`, or an Italian message.
std::variant<const fee::TableArticle *, QString> feeItemArticle(const FeeItem &item,
                                                                QDate appointment);

// The values `article` reads from `item`: none for a fixed fee, the assets and the revenues for
// an article of two tables, else the value.
QList<Cents> feeItemValues(const FeeItem &item, const fee::TableArticle &article);

// The range and points of `item`, or the tables' message (an unknown article, a reduction the
// article does not have).
std::variant<fee::TableFee, QString> feeItemFee(const FeeItem &item, QDate appointment);

// What `item` asks: the point chosen, or the amount typed within the range (fee::askedError's
// message otherwise).
std::variant<Cents, QString> feeItemAmount(const FeeItem &item, QDate appointment);

// The amounts the items ask, settled with `claim`; an item that does not compute counts nothing
// (the window saves none, so only a register written by other means holds one).
std::variant<fee::TableSettlement, QString>
settleFeeItems(const QList<FeeItem> &items, QDate appointment, const fee::TableClaim &claim);

} // namespace assignments
