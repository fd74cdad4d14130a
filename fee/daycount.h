#pragma once

#include "serial.h"

namespace fee {

// Which days of an assignment do not count.
enum class ExclusionMode {
    None,                // every day counts
    SaturdaysAndSundays, // only Monday to Friday count
    Sundays,             // Monday to Saturday count
};

// Calendar days from start to end, both included; negative when the end is earlier.
qint64 calendarDays(DateSerial start, DateSerial end);

// Days that count under an exclusion mode, for each day from start to end stepping one day at
// a time (start + 0, start + 1, ... up to end); 0 when the end is earlier. Constant time: whole
// weeks are counted at once.
qint64 countedDays(DateSerial start, DateSerial end, ExclusionMode mode);

} // namespace fee
