#include "holidays.h"

#include "serial.h"

#include <QLocale>
#include <QVarLengthArray>

#include <algorithm>

namespace fee {

namespace {

struct FixedHoliday {
    int month;
    int day;
    int from; // the first and last year it is a holiday
    int to;
    const char *name;
};

constexpr int kFirst = kFirstHolidayYear;
constexpr int kLast = kLastHolidayYear;

// clang-format off
constexpr FixedHoliday kFixedHolidays[] = {
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
constexpr int kEasterDates = 35;
int easterIndex(int month, int day) {
    return QDate(2001, 3, 22).daysTo(QDate(2001, month, day));
}

// Every holiday of a year with its name, the movable ones first; a day may come twice.
template <typename Visit>
void forEachHoliday(int year, std::optional<PatronDay> patron, Visit visit) {
    const QDate easter = easterSunday(year);
    visit(easter, "Pasqua");
    visit(easter.addDays(1), "Lunedì dell'Angelo");
    for (const FixedHoliday &holiday : kFixedHolidays) {
        if (year >= holiday.from && year <= holiday.to)
            visit(QDate(year, holiday.month, holiday.day), holiday.name);
    }
    if (patron)
        visit(QDate(year, patron->month, patron->day), "Santo patrono");
}

qint64 dayOf(QDate date) {
    return qint64(serialFromDate(date));
}

int weekdayOf(QDate date) {
    return date.dayOfWeek() % 7 + 1; // Qt counts from Monday = 1, the program from Sunday = 1
}

int yearOf(qint64 day) {
    return serialEpoch().addDays(day).year();
}

// The days of a year's holidays, each once, in order.
QVarLengthArray<qint64, 16> holidayDays(int year, std::optional<PatronDay> patron) {
    QVarLengthArray<qint64, 16> days;
    forEachHoliday(year, patron, [&days](QDate date, const char *) { days.append(dayOf(date)); });
    std::sort(days.begin(), days.end());
    days.erase(std::unique(days.begin(), days.end()), days.end());
    return days;
}

qint64 countedInYear(int year, qint64 first, qint64 last, ExclusionMode mode,
                     std::optional<PatronDay> patron) {
    qint64 count = 0;
    for (qint64 day : holidayDays(year, patron))
        count += day >= first && day <= last && countsWeekday(weekdayNumber(double(day)), mode);
    return count;
}

// Years are of 14 kinds: the weekday of their 1 January, and whether they are leap years.
int yearKind(int year) {
    return weekdayOf(QDate(year, 1, 1)) - 1 + (QDate::isLeapYear(year) ? 7 : 0);
}

} // namespace

bool PatronDay::isValid() const {
    return QDate(2001, month, day).isValid(); // 2001 has no 29 February
}

QString patronDayText(PatronDay patron) {
    const QString month = QLocale(QLocale::Italian).monthName(patron.month);
    return (patron.day == 1 ? QStringLiteral("1°") : QString::number(patron.day)) + u' ' + month;
}

// The anonymous Gregorian computus (Meeus, Jones, Butcher).
QDate easterSunday(int year) {
    const int a = year % 19, b = year / 100, c = year % 100;
    const int d = b / 4, e = b % 4, f = (b + 8) / 25, g = (b - f + 1) / 3;
    const int h = (19 * a + b - d - g + 15) % 30;
    const int i = c / 4, k = c % 4;
    const int l = (32 + 2 * e + 2 * i - h - k) % 7;
    const int m = (a + 11 * h + 22 * l) / 451;
    const int n = h + l - 7 * m + 114;
    return QDate(year, n / 31, n % 31 + 1);
}

QString holidayLaws() {
    return QStringLiteral(
        "legge 27 maggio 1949, n. 260, e legge 5 marzo 1977, n. 54; Epifania dal 1986 (DPR 28 "
        "dicembre 1985, n. 792); Festa della Repubblica dal 2001 (legge 20 novembre 2000, "
        "n. 336); 17 marzo 2011, solo per quell'anno (decreto-legge 22 febbraio 2011, n. 5); "
        "San Francesco d'Assisi dal 2026 (legge 8 ottobre 2025, n. 151)");
}

QList<Holiday> holidaysOf(int year, std::optional<PatronDay> patron) {
    QList<Holiday> holidays;
    forEachHoliday(year, patron, [&holidays](QDate date, const char *name) {
        holidays.append({date, QString::fromUtf8(name)});
    });
    std::stable_sort(holidays.begin(), holidays.end(),
                     [](const Holiday &a, const Holiday &b) { return a.date < b.date; });
    QList<Holiday> merged;
    for (const Holiday &holiday : holidays) {
        if (!merged.isEmpty() && merged.back().date == holiday.date)
            merged.back().name += QStringLiteral(" e ") + holiday.name;
        else
            merged.append(holiday);
    }
    return merged;
}

HolidayTable::HolidayTable()
    : prefix(size_t(kLast - kFirst + 2)) {
    for (int year = kFirst; year <= kLast; ++year) {
        const size_t i = size_t(year - kFirst);
        Prefix next = prefix[i];
        for (qint64 day : holidayDays(year, std::nullopt)) {
            const int weekday = weekdayNumber(double(day));
            for (int mode = 0; mode < 3; ++mode)
                next.national[size_t(mode)] += countsWeekday(weekday, ExclusionMode(mode));
        }
        ++next.yearKind[size_t(yearKind(year))];
        const QDate easter = easterSunday(year);
        ++next.easter[size_t(easterIndex(easter.month(), easter.day()))];
        prefix[i + 1] = next;
    }
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

qint64 HolidayTable::counted(qint64 first, qint64 last, ExclusionMode mode,
                             std::optional<PatronDay> patron) const {
    if (last < first)
        return 0;
    const int firstYear = yearOf(first);
    const int lastYear = yearOf(last);
    Q_ASSERT(firstYear >= kFirst && lastYear <= kLast);
    if (firstYear == lastYear)
        return countedInYear(firstYear, first, last, mode, patron);
    return countedInYear(firstYear, first, last, mode, patron) +
           inFullYears(firstYear + 1, lastYear - 1, mode, patron) +
           countedInYear(lastYear, first, last, mode, patron);
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
    auto between = [&](int a, int b, auto field) {
        a = std::max(a, from);
        b = std::min(b, to);
        return a > b ? 0
                     : qint64(field(prefix[size_t(b - kFirst + 1)]) -
                              field(prefix[size_t(a - kFirst)]));
    };
    // Years in which the patron day falls on a weekday the mode counts.
    auto countedYears = [&](int a, int b) {
        qint64 years = 0;
        for (int kind = 0; kind < 14; ++kind) {
            const int dayOfYear =
                QDate(kind >= 7 ? 2000 : 2001, patron.month, patron.day).dayOfYear();
            if (countsWeekday((kind % 7 + dayOfYear - 1) % 7 + 1, mode))
                years +=
                    between(a, b, [kind](const Prefix &p) { return p.yearKind[size_t(kind)]; });
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
    auto easterOn = [&](int easterDay) {
        if (easterDay < 0 || easterDay >= kEasterDates)
            return qint64(0);
        return between(from, to,
                       [easterDay](const Prefix &p) { return p.easter[size_t(easterDay)]; });
    };
    constexpr int sunday = 1, monday = 2;
    if (countsWeekday(sunday, mode))
        years -= easterOn(index);
    if (countsWeekday(monday, mode))
        years -= easterOn(index - 1);
    return years;
}

QList<Holiday> countedHolidays(qint64 first, qint64 last, ExclusionMode mode,
                               std::optional<PatronDay> patron) {
    QList<Holiday> counted;
    if (last < first)
        return counted;
    for (int year = yearOf(first); year <= yearOf(last); ++year) {
        for (const Holiday &holiday : holidaysOf(year, patron)) {
            const qint64 day = dayOf(holiday.date);
            if (day >= first && day <= last && countsWeekday(weekdayOf(holiday.date), mode))
                counted.append(holiday);
        }
    }
    return counted;
}

} // namespace fee
