#pragma once

#include "money.h"
#include "worklog.h"

#include <QDate>
#include <QList>
#include <QString>

#include <variant>

// What the register's models and views share: dates and amounts as the user reads and types them
// (the regional format, through the program's own conversions).
namespace tolvemar::registertext {

// The locale's short date with a four-digit year; empty for a null date.
QString date(QDate date);
// "dd/MM/yyyy" whatever the locale, as the law's texts and the reminder write it.
QString fixedDate(QDate date);
// A typed date (empty is no date), or an Italian message quoting the text.
std::variant<QDate, QString> parseDate(const QString &text);

// Dates separated by "; ", in order of typing.
QString dates(const QList<QDate> &dates);
std::variant<QList<QDate>, QString> parseDates(const QString &text);

// An amount as it is typed back: "1.234,50", without the euro sign.
QString amount(fee::Cents cents);

// Half vacazioni as vacazioni: "3" or "2,5".
QString vacazioni(qint64 halves);

} // namespace tolvemar::registertext
