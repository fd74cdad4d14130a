#include "daywalk.h"

namespace reference {

namespace {

class HolidayLookup {
public:
    explicit HolidayLookup(const fee::CalcolaOptions &options)
        : options(options) {}

    bool isHoliday(QDate date) {
        if (!options.excludeHolidays)
            return false;
        if (date.year() != year) {
            year = date.year();
            holidays = fee::holidaysOf(year, options.patron);
        }
        return std::any_of(holidays.begin(), holidays.end(),
                           [date](const fee::Holiday &h) { return h.date == date; });
    }

private:
    const fee::CalcolaOptions &options;
    int year = 0;
    QList<fee::Holiday> holidays;
};

QDate dateOf(fee::DateSerial serial) {
    return fee::serialEpoch().addDays(fee::wholeDays(serial));
}

} // namespace

qint64 walkCountedDays(fee::DateSerial start, fee::DateSerial end, fee::ExclusionMode mode,
                       const fee::CalcolaOptions &options) {
    HolidayLookup lookup(options);
    if (mode == fee::ExclusionMode::None) {
        // Every calendar day from the start's to the end's; negative when reversed.
        const QDate first = dateOf(start), last = dateOf(end);
        if (last < first)
            return first.daysTo(last) + 1;
        qint64 counted = 0;
        for (QDate day = first; day <= last; day = day.addDays(1))
            counted += lookup.isHoliday(day) ? 0 : 1;
        return counted;
    }
    qint64 counted = 0;
    for (qint64 k = 0; start + double(k) <= end; ++k) {
        const QDate day = dateOf(start + double(k));
        const bool sunday = day.dayOfWeek() == Qt::Sunday;
        const bool saturday = day.dayOfWeek() == Qt::Saturday;
        const bool weekdayCounts =
            mode == fee::ExclusionMode::Sundays ? !sunday : !(saturday || sunday);
        counted += weekdayCounts && !lookup.isHoliday(day) ? 1 : 0;
    }
    return counted;
}

} // namespace reference
