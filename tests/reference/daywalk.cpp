#include "daywalk.h"

namespace reference {

qint64 walkCountedDays(fee::DateSerial start, fee::DateSerial end, fee::ExclusionMode mode,
                       const fee::CalcolaOptions &options) {
    const QDate first = fee::serialEpoch().addDays(fee::wholeDays(start));
    const QDate last = fee::serialEpoch().addDays(fee::wholeDays(end));
    if (mode == fee::ExclusionMode::None && last < first)
        return first.daysTo(last) + 1; // the calendar days, negative
    // Every calendar day from the start's to the end's counts, or, for the other modes, the
    // days start + 0, start + 1, ... up to the end itself.
    qint64 days = 0;
    while (mode == fee::ExclusionMode::None ? first.addDays(days) <= last
                                            : start + double(days) <= end)
        ++days;
    qint64 counted = 0;
    QList<fee::Holiday> holidays;
    for (QDate day = first; day < first.addDays(days); day = day.addDays(1)) {
        if (options.excludeHolidays &&
            (holidays.isEmpty() || holidays[0].date.year() != day.year()))
            holidays = fee::holidaysOf(day.year(), options.patron);
        const bool holiday = std::any_of(holidays.begin(), holidays.end(),
                                         [day](const fee::Holiday &h) { return h.date == day; });
        const int weekday = day.dayOfWeek();
        const bool excluded = mode == fee::ExclusionMode::Sundays ? weekday == Qt::Sunday
                              : mode == fee::ExclusionMode::SaturdaysAndSundays
                                  ? weekday >= Qt::Saturday
                                  : false;
        counted += excluded || holiday ? 0 : 1;
    }
    return counted;
}

} // namespace reference
