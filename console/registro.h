#pragma once

#include "calendarfile.h"
#include "parts.h"

#include <QByteArray>
#include <QDate>
#include <QList>

#include <optional>

// What tolvemar-registro prints: the deadlines ahead and the amounts still due, as Italian text
// or as JSON.
namespace console {

struct Due {
    const assignments::CalendarCase *owner = nullptr;
    fee::Deadline deadline;
};

// The deadlines that really end from `today` on, and within `days` of it when given, in the
// order of their real ends; a tie keeps the register's order.
QList<Due> deadlinesAhead(const QList<assignments::CalendarCase> &cases, QDate today,
                          std::optional<int> days);

QByteArray deadlinesText(const QList<Due> &due);
QByteArray deadlinesJson(const QList<Due> &due);
QByteArray creditsText(const QList<assignments::Credit> &credits, bool withCharges = false);
QByteArray creditsJson(const QList<assignments::Credit> &credits, bool withCharges = false);

} // namespace console
