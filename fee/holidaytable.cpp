#include "holidaytable.h"

#include "holidayrules.h"

#include <algorithm>
#include <span>

namespace fee {

namespace {

using holidayrules::dayOf;
using holidayrules::easterIndex;
using holidayrules::FixedHoliday;
using holidayrules::kEasterDates;
using holidayrules::kFirst;
using holidayrules::kFixedHolidays;
using holidayrules::kLast;
using holidayrules::nationalDays;

// The patron day's place after 1 January, in a common or a leap year.
int patronOffset(PatronDay patron, bool leap) {
    static constexpr std::array<int, 12> daysBefore{0,   31,  59,  90,  120, 151,
                                                    181, 212, 243, 273, 304, 334};
    return daysBefore[size_t(patron.month - 1)] + patron.day - 1 + (leap && patron.month > 2);
}

} // namespace

HolidayTable::HolidayTable()
    : prefix(size_t(kLast - kFirst + 2))
    , years(size_t(kLast - kFirst + 2)) {
    for (int year = kFirst; year <= kLast; ++year) {
        const size_t i = size_t(year - kFirst);
        Year &entry = years[i];
        entry.firstDay = dayOf(QDate(year, 1, 1));
        entry.weekday = weekdayNumber(double(entry.firstDay));
        entry.leap = QDate::isLeapYear(year);
        const auto days = nationalDays(year);
        Q_ASSERT(size_t(days.size()) <= entry.days.size());
        entry.count = int(days.size());
        std::copy(days.begin(), days.end(), entry.days.begin());

        Prefix next = prefix[i];
        for (int day : days) {
            const int weekday = (entry.weekday - 1 + day) % 7 + 1;
            for (int mode = 0; mode < 3; ++mode)
                next.national[size_t(mode)] += countsWeekday(weekday, ExclusionMode(mode));
        }
        // Years are of 14 kinds: the weekday of their 1 January, and whether they are leap.
        ++next.yearKind[size_t(entry.weekday - 1 + (entry.leap ? 7 : 0))];
        const QDate easter = easterSunday(year);
        ++next.easter[size_t(easterIndex(easter.month(), easter.day()))];
        prefix[i + 1] = next;
    }
    years.back().firstDay = dayOf(QDate(kLast + 1, 1, 1)); // where the last year ends
    // patronYears relies on this: a fixed holiday among Easter's days holds in every year.
    for (const FixedHoliday &holiday : kFixedHolidays) {
        const int index = easterIndex(holiday.month, holiday.day);
        Q_ASSERT(index < 0 || index > kEasterDates ||
                 (holiday.from == kFirst && holiday.to == kLast));
    }
}

const HolidayTable &HolidayTable::instance() {
    static const HolidayTable table; // built once; safe when two threads first ask together
    return table;
}

int HolidayTable::yearOf(qint64 day) const {
    // 146097 days make 400 years; the estimate is at most a year off.
    int year = kFirst + int(double(day - years.front().firstDay) * (400.0 / 146097.0));
    year = std::clamp(year, kFirst, kLast);
    while (years[size_t(year + 1 - kFirst)].firstDay <= day)
        ++year;
    while (year > kFirst && years[size_t(year - kFirst)].firstDay > day)
        --year;
    return year;
}

qint64 HolidayTable::inYear(int year, qint64 first, qint64 last, ExclusionMode mode,
                            std::optional<PatronDay> patron) const {
    const Year &entry = years[size_t(year - kFirst)];
    // In days after 1 January, whose weekday gives every other's.
    const qint64 from = first - entry.firstDay, to = last - entry.firstDay;
    auto counts = [&](int day) {
        return day >= from && day <= to && countsWeekday((entry.weekday - 1 + day) % 7 + 1, mode);
    };
    const auto days = std::span(entry.days).first(size_t(entry.count));
    qint64 count = std::count_if(days.begin(), days.end(), counts);
    if (patron) {
        const int day = patronOffset(*patron, entry.leap);
        count += counts(day) && std::find(days.begin(), days.end(), day) == days.end();
    }
    return count;
}

qint64 HolidayTable::counted(qint64 first, qint64 last, ExclusionMode mode,
                             std::optional<PatronDay> patron) const {
    if (last < first)
        return 0;
    Q_ASSERT(first >= years.front().firstDay);
    const int firstYear = yearOf(first);
    const int lastYear = yearOf(last);
    // The years the span covers whole come from the prefix sums, the others day by day.
    const int from = firstYear + (first != years[size_t(firstYear - kFirst)].firstDay);
    const int to = lastYear - (last + 1 != years[size_t(lastYear + 1 - kFirst)].firstDay);
    if (from > to) // no whole year: one year, or the ends of two
        return inYear(firstYear, first, last, mode, patron) +
               (lastYear != firstYear ? inYear(lastYear, first, last, mode, patron) : 0);
    return inFullYears(from, to, mode, patron) +
           (from != firstYear ? inYear(firstYear, first, last, mode, patron) : 0) +
           (to != lastYear ? inYear(lastYear, first, last, mode, patron) : 0);
}

qint64 HolidayTable::inFullYears(int from, int to, ExclusionMode mode,
                                 std::optional<PatronDay> patron) const {
    if (from > to)
        return 0;
    const size_t m = size_t(mode);
    const qint64 national =
        prefix[size_t(to - kFirst + 1)].national[m] - prefix[size_t(from - kFirst)].national[m];
    return national + (patron ? patronYears(from, to, mode, *patron) : 0);
}

// The years from `from` to `to` in which the patron day falls on a counted day that is no
// national holiday.
qint64 HolidayTable::patronYears(int from, int to, ExclusionMode mode, PatronDay patron) const {
    // The prefix sums of the years from `a` to `b`, within `from` to `to`: nothing when empty.
    auto span = [&](int a, int b) -> std::optional<std::pair<const Prefix &, const Prefix &>> {
        a = std::max(a, from);
        b = std::min(b, to);
        if (a > b)
            return std::nullopt;
        return {{prefix[size_t(b - kFirst + 1)], prefix[size_t(a - kFirst)]}};
    };
    // Years in which the patron day falls on a weekday the mode counts.
    const int offsets[2] = {patronOffset(patron, false), patronOffset(patron, true)};
    auto countedYears = [&](int a, int b) {
        qint64 years = 0;
        if (const auto sums = span(a, b)) {
            for (size_t kind = 0; kind < 14; ++kind) {
                if (countsWeekday((kind % 7 + offsets[kind / 7]) % 7 + 1, mode))
                    years += sums->first.yearKind[kind] - sums->second.yearKind[kind];
            }
        }
        return years;
    };

    qint64 years = countedYears(from, to);
    bool fixed = false;
    for (const FixedHoliday &holiday : kFixedHolidays) {
        if (holiday.month == patron.month && holiday.day == patron.day) {
            years -= countedYears(holiday.from, holiday.to);
            fixed = true;
        }
    }
    if (fixed)
        return years;
    const int index = easterIndex(patron.month, patron.day);
    const auto sums = span(from, to);
    auto easterOn = [&](int easterDay) {
        if (easterDay < 0 || easterDay >= kEasterDates)
            return 0;
        return sums->first.easter[size_t(easterDay)] - sums->second.easter[size_t(easterDay)];
    };
    constexpr int sunday = 1, monday = 2;
    if (countsWeekday(sunday, mode))
        years -= easterOn(index);
    if (countsWeekday(monday, mode))
        years -= easterOn(index - 1);
    return years;
}

} // namespace fee
