#pragma once

#include "holidays.h"

#include <array>
#include <optional>
#include <vector>

namespace fee {

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

} // namespace fee
