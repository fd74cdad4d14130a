#pragma once

#include "document.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QLocale>
#include <QString>

#include <utility>

// The pieces that every request's description shares: the same details, the same wording of the
// amounts, the same closing lines and footer.
namespace request::parts {

QLocale italian();

QString dateText(QDate date);

// The details that were given, label and value, as one list; none when all are empty.
QList<Block> detailBlocks(const QList<std::pair<QString, QString>> &details);

// "Maggiorazione del 20% (art. 52, comma 1, DPR 115/2002)"
QString increaseLabel(int percent);

// One row for each expense, then their total; none without expenses.
QList<std::pair<QString, QString>> expenseRows(const QList<Expense> &expenses, Cents total);

// The tariff's rates and the law behind them.
QList<Block> tariffBlocks(fee::Tariff tariff);

// "Importi al netto di IVA e contributi previdenziali".
Block netOfTaxes();

// The expert's note under its heading; none when it is empty.
QList<Block> noteBlocks(const QString &note);

// The program, its version, and when the document was made.
QString footer(const QDateTime &madeAt);

} // namespace request::parts
