#pragma once

#include "parts.h"
#include "tables.h"

#include <QDate>
#include <QStringList>

// The cells of a fee item as the table shows them and reads them back, under the tables in force
// on `appointment`; columns as FeeItemModel numbers them.
namespace tolvemar::feeitemtext {

// The article `id` of the tables in force on `appointment`; null for one they do not have.
const fee::TableArticle *articleOf(const QString &id, QDate appointment);

// "Art. 11 - costruzioni e impianti", "650.000,00 €", "stima sommaria", "massimo",
// "2.271,76 €"; empty for a value the article does not take.
QString cellText(const assignments::FeeItem &item, int column, QDate appointment);

// The article with its whole subject, "Art. 11 - costruzioni edilizie, impianti industriali, …";
// the number alone for an article the tables do not have.
QString articleWhole(const assignments::FeeItem &item, QDate appointment);

// The texts the cell accepts, for a list: the articles, the reductions of the item's article
// with "nessuna", the points; none for a cell typed freely.
QStringList cellChoices(const assignments::FeeItem &item, int column, QDate appointment);

// `item` with `typed` in `column`: an article by its number or title, short or whole, an amount, a
// reduction of any article by its name (the tables then say whether this article has it), a point;
// typing an amount asks for it. An Italian message for a text that reads as none of these.
QString applyTyped(assignments::FeeItem &item, int column, const QString &typed, QDate appointment);

} // namespace tolvemar::feeitemtext
