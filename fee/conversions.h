#pragma once

#include "serial.h"

#include <QLocale>
#include <QString>

#include <optional>

// Conversions between values and the texts the program shows, under the user's regional
// settings. Every pair reads back what it writes: a date to the same serial, a number to the
// same value at 15 significant digits, an integer exactly.
namespace fee {

// The locale's short date with a four-digit year, and " HH:mm:ss" when the time is not midnight.
// Empty for a serial outside the supported range.
QString dateToText(DateSerial serial, const QLocale &locale);

// Reads exactly the texts that dateToText writes (outer blanks skipped); refuses any other.
std::optional<DateSerial> textToDate(const QString &text, const QLocale &locale);

// At most 15 significant digits, no trailing zeros, the locale's digits, decimal separator and
// signs, no grouping.
QString numberToText(double value, const QLocale &locale);

// The locale's digits (or ASCII ones) and decimal separator; outer blanks skipped; group
// separators only where the locale places them. Refuses anything that is not a finite double.
std::optional<double> textToNumber(const QString &text, const QLocale &locale);

QString integerToText(qint64 value, const QLocale &locale);

} // namespace fee
