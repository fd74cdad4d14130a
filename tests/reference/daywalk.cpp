#include "daywalk.h"

namespace reference {

qint64 walkCountedDays(fee::DateSerial start, fee::DateSerial end, fee::ExclusionMode mode) {
    qint64 counted = 0;
    for (qint64 k = 0; start + double(k) <= end; ++k) {
        const int weekday = fee::weekdayNumber(start + double(k));
        const bool sunday = weekday == 1;
        const bool saturday = weekday == 7;
        switch (mode) {
        case fee::ExclusionMode::None:
            ++counted;
            break;
        case fee::ExclusionMode::SaturdaysAndSundays:
            counted += (saturday || sunday) ? 0 : 1;
            break;
        case fee::ExclusionMode::Sundays:
            counted += sunday ? 0 : 1;
            break;
        }
    }
    return counted;
}

} // namespace reference
