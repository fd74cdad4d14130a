#pragma once

#include "worklog.h"

#include <QDate>
#include <QList>
#include <QString>

#include <variant>

class QLabel;
class QWidget;

// What the register window shares: dates and amounts as the user reads and types them (the
// regional format, through the program's own conversions), and the way a bad value is marked.
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

// Half vacazioni as vacazioni: "3" or "2,5".
QString vacazioni(qint64 halves);

// Marks `field` as holding a bad value, with `message` beside it in `label`, in its tooltip and
// in its accessible description; an empty message clears the mark.
void mark(QWidget *field, QLabel *label, const QString &message);

// A label for messages about a field, hidden while it has none.
QLabel *errorLabel(QWidget *parent);

} // namespace tolvemar::registertext
