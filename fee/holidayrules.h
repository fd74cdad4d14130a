#pragma once

#include "holidays.h"
#include "serial.h"

#include <QDate>
#include <QVarLengthArray>

// The rules of the holiday calendar that its count table reads as well. Internal to the
// computing core.
namespace fee::holidayrules {

inline constexpr int kFirst = kFirstHolidayYear;
inline constexpr int kLast = kLastHolidayYear;

struct FixedHoliday {
    int month;
    int day;
    int from; // the first and last year it is a holiday
    int to;
    const char *name;
};

// clang-format off
inline constexpr FixedHoliday kFixedHolidays[] = {
    {1,  1,  kFirst, kLast, "Capodanno"},
    {1,  6,  1986,   kLast, "Epifania"},                         // restored by DPR 792/1985
    {3,  17, 2011,   2011,  "Anniversario dell'Unità d'Italia"}, // the 150th anniversary alone
    {4,  25, kFirst, kLast, "Festa della Liberazione"},
    {5,  1,  kFirst, kLast, "Festa del Lavoro"},
    {6,  2,  2001,   kLast, "Festa della Repubblica"},           // restored by law 336/2000
    {8,  15, kFirst, kLast, "Assunzione"},
    {10, 4,  2026,   kLast, "San Francesco d'Assisi"},           // law 151/2025
    {11, 1,  kFirst, kLast, "Ognissanti"},
    {12, 8,  kFirst, kLast, "Immacolata Concezione"},
    {12, 25, kFirst, kLast, "Natale"},
    {12, 26, kFirst, kLast, "Santo Stefano"},
};
// clang-format on

// Easter Sunday falls from 22 March (index 0) to 25 April (index 34).
inline constexpr int kEasterDates = 35;
constexpr int easterIndex(int month, int day) {
    return month == 3 ? day - 22 : month == 4 ? day + 9 : -1000;
}

inline qint64 dayOf(QDate date) {
    return qint64(serialFromDate(date));
}

// The days of a year's national holidays after its 1 January, each once, in order.
QVarLengthArray<int, 16> nationalDays(int year);

} // namespace fee::holidayrules
