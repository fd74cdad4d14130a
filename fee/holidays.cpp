#include "holidays.h"

#include "holidayrules.h"

#include <QLocale>

#include <algorithm>

namespace fee {

namespace {

using holidayrules::dayOf;
using holidayrules::FixedHoliday;
using holidayrules::kFixedHolidays;

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

int weekdayOf(QDate date) {
    return date.dayOfWeek() % 7 + 1; // Qt counts from Monday = 1, the program from Sunday = 1
}

} // namespace

QVarLengthArray<int, 16> holidayrules::nationalDays(int year) {
    QVarLengthArray<int, 16> days;
    const QDate newYear(year, 1, 1);
    forEachHoliday(year, std::nullopt,
                   [&](QDate date, const char *) { days.append(int(newYear.daysTo(date))); });
    std::sort(days.begin(), days.end());
    days.erase(std::unique(days.begin(), days.end()), days.end());
    return days;
}

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

QList<Holiday> countedHolidays(qint64 first, qint64 last, ExclusionMode mode,
                               std::optional<PatronDay> patron) {
    QList<Holiday> counted;
    if (last < first)
        return counted;
    const auto yearOf = [](qint64 day) { return serialEpoch().addDays(day).year(); };
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
