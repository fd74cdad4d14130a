#pragma once

#include "daycount.h"

#include <QDate>
#include <QList>
#include <QString>

#include <array>
#include <optional>
#include <vector>

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

// Counts, in constant time, the holidays from whole day `first` to whole day `last` (both
// included, from 1978 on) that fall on days the mode counts. Built once, on first use, from
// per-year prefix sums.
class HolidayTable {
public:
    HolidayTable();

    static const HolidayTable &instance();

    qint64 counted(qint64 first, qint64 last, ExclusionMode mode,
                   std::optional<PatronDay> patron) const;

private:
    // Sums over the years before a given one: national holidays each mode counts, years by the
    // weekday of their 1 January and whether they are leap years, and years by their Easter
    // Sunday (22 March to 25 April).
    struct Prefix {
        std::array<qint32, 3> national{};
        std::array<qint32, 14> yearKind{};
        std::array<qint32, 35> easter{};
    };

    // A year's national holidays, each once, as days after its 1 January.
    struct Year {
        qint64 firstDay = 0; // 1 January
        int weekday = 0;     // of 1 January, 1 = Sunday
        bool leap = false;
        int count = 0;
        std::array<qint16, 14> days{};
    };

    int yearOf(qint64 day) const;
    qint64 inYear(int year, qint64 first, qint64 last, ExclusionMode mode,
                  std::optional<PatronDay> patron) const;
    qint64 inFullYears(int from, int to, ExclusionMode mode, std::optional<PatronDay> patron) const;
    qint64 patronYears(int from, int to, ExclusionMode mode, PatronDay patron) const;

    std::vector<Prefix> prefix; // prefix[i]: the years before kFirstHolidayYear + i
    std::vector<Year> years;    // years[i]: kFirstHolidayYear + i; the last, 1 January 10000
};

// The holidays from whole day `first` to `last` that fall on days the mode counts: the days a
// count with holidays leaves out.
QList<Holiday> countedHolidays(qint64 first, qint64 last, ExclusionMode mode,
                               std::optional<PatronDay> patron);

} // namespace fee
