#pragma once

#include "terms.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

// The deadlines of assignments as an iCalendar file (RFC 5545) that a calendar program imports:
// one all-day event for each deadline still ahead, with a reminder a week before. The same
// register, assignment and kind always give the same UID, so importing a second export updates
// the events instead of doubling them. Written with libical.
namespace assignments {

struct CalendarCase {
    qint64 assignment = 0; // the register's id
    QString caseNumber;    // "Procedimento n."
    QString court;         // "Ufficio giudiziario"
    QString judge;         // "Giudice"
    QList<fee::Deadline> deadlines;
};

inline constexpr int kReminderDays = 7;

// "tolvemar-deposito-12-3f2a9c1b04de@org.tolvemar.CalcoloCT": from the kind, the assignment
// and a hash of `registerKey`, a text that names the register (its path).
QString calendarUid(const QString &registerKey, qint64 assignment, fee::DeadlineKind kind);

// "Deposito della relazione — R.G. 4321/2026"
QString calendarSummary(fee::DeadlineKind kind, const QString &caseNumber);

// Whether a calendar made on `today` holds the deadline: its real end is from `today` on.
bool isAhead(const fee::Deadline &deadline, QDate today);
// How many events the calendar of `today` holds.
qsizetype eventCount(const QList<CalendarCase> &cases, QDate today);

// The calendar's text: an event on the real end of each deadline from `today` on, stamped
// `stamp`.
QByteArray calendarText(const QList<CalendarCase> &cases, const QString &registerKey, QDate today,
                        const QDateTime &stamp);

// Writes calendarText, stamped now, to `path` whole or not at all; or an Italian message.
std::optional<QString> writeCalendar(const QString &path, const QList<CalendarCase> &cases,
                                     const QString &registerKey, QDate today);

} // namespace assignments
