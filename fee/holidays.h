#pragma once

#include "daycount.h"

#include <QDate>
#include <QList>
#include <QString>

#include <optional>

// The national holidays of the Italian Republic from 1978, when the calendar of law 54/1977
// first applied in full, and a patron saint's day of the user's choosing.
namespace fee {

inline constexpr int kFirstHolidayYear = 1978;
inline constexpr int kLastHolidayYear = 9999;

// A day of the year, such as 29 June: any day of any month but 29 February.
struct PatronDay {
    int month = 0;
    int day = 0;

    bool isValid() const;
    friend bool operator==(const PatronDay &, const PatronDay &) = default;
};

// "29 giugno", "1° maggio".
QString patronDayText(PatronDay patron);

struct Holiday {
    QDate date;
    QString
        name; // two holidays on one day share it: "Lunedì dell'Angelo e Festa della Liberazione"

    friend bool operator==(const Holiday &, const Holiday &) = default;
};

QDate easterSunday(int year);

// The laws behind the holiday calendar, in Italian.
QString holidayLaws();

// The holidays of a year from 1978 to 9999, in date order, one entry a day. The patron day is
// named "Santo patrono".
QList<Holiday> holidaysOf(int year, std::optional<PatronDay> patron);

// The holidays from whole day `first` to `last` that fall on days the mode counts: the days a
// count with holidays leaves out.
QList<Holiday> countedHolidays(qint64 first, qint64 last, ExclusionMode mode,
                               std::optional<PatronDay> patron);

} // namespace fee
