#pragma once

#include <QDate>
#include <QDateTime>
#include <QTime>

#include <optional>

namespace fee {

// A date serial: whole days since 30 December 1899 (day 0, a Saturday) plus the time of day as
// the fraction. Days before the epoch are negative; the fraction always counts forward from
// midnight, so -0.75 is 29 December 1899 at 06:00 and adding 1 always gives the next day.
using DateSerial = double;

// The dates the program converts and counts: 1 January 100 to 31 December 9999.
inline constexpr DateSerial kFirstSerial = -657434;
inline constexpr DateSerial kLastSerial = 2958465;

QDate serialEpoch();

// Whole seconds only: every serial made here writes as text and reads back unchanged.
DateSerial serialFromDate(QDate date);
DateSerial serialFromDateTime(QDate date, QTime time);
DateSerial serialFromDateTime(const QDateTime &dateTime);

// Empty when the serial is not finite or lies outside the supported range.
std::optional<QDate> dateFromSerial(DateSerial serial);
std::optional<QDateTime> dateTimeFromSerial(DateSerial serial);

// The serial's day, ignoring its time of day.
qint64 wholeDays(DateSerial serial);

// Whole days of `second` minus those of `first`: the time of day does not count.
qint64 dayDifference(DateSerial first, DateSerial second);

// 1 = Sunday, 2 = Monday, ..., 7 = Saturday.
int weekdayNumber(DateSerial serial);

// The local clock, to the second.
DateSerial currentSerial();

} // namespace fee
