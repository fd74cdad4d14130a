#pragma once

#include "serial.h"

namespace fee {

// Which days of an assignment do not count.
enum class ExclusionMode {
    None,                // every day counts
    SaturdaysAndSundays, // only Monday to Friday count
    Sundays,             // Monday to Saturday count
};

// Whether a day of this weekday (1 = Sunday, ..., 7 = Saturday) counts under the mode.
constexpr bool countsWeekday(int weekday, ExclusionMode mode) {
    constexpr int sunday = 1;
    constexpr int saturday = 7;
    switch (mode) {
    case ExclusionMode::None:
        return true;
    case ExclusionMode::SaturdaysAndSundays:
        return weekday != saturday && weekday != sunday;
    case ExclusionMode::Sundays:
        return weekday != sunday;
    }
    return true;
}

// Calendar days from start to end, both included; negative when the end is earlier.
qint64 calendarDays(DateSerial start, DateSerial end);

// The whole days a count covers, from `first` to `last`: the calendar days for None, otherwise
// the days that countedDays visits. Empty (last < first) when the end is earlier.
struct DayRange {
    qint64 first;
    qint64 last;
};
DayRange countedRange(DateSerial start, DateSerial end, ExclusionMode mode);

// Days that count under an exclusion mode, for each day from start to end stepping one day at
// a time (start + 0, start + 1, ... up to end); 0 when the end is earlier. Constant time: whole
// weeks are counted at once.
qint64 countedDays(DateSerial start, DateSerial end, ExclusionMode mode);

} // namespace fee
