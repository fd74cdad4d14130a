#include "daycount.h"

#include <array>

namespace fee {

namespace {

// How many of start + 0, start + 1, ... are not later than end.
qint64 steps(DateSerial start, DateSerial end) {
    if (end < start)
        return 0;
    qint64 n = wholeDays(end - start) + 1;
    // The estimate can be one off where a sum rounds; the exact test settles it.
    while (n > 0 && start + double(n - 1) > end)
        --n;
    while (start + double(n) <= end)
        ++n;
    return n;
}

} // namespace

qint64 calendarDays(DateSerial start, DateSerial end) {
    return dayDifference(start, end) + 1;
}

DayRange countedRange(DateSerial start, DateSerial end, ExclusionMode mode) {
    const qint64 first = wholeDays(start);
    if (mode == ExclusionMode::None)
        return {first, wholeDays(end)};
    return {first, first + steps(start, end) - 1};
}

qint64 countedDays(DateSerial start, DateSerial end, ExclusionMode mode) {
    const qint64 n = steps(start, end);
    const int first = weekdayNumber(start);
    std::array<int, 7> inWeek{}; // inWeek[i]: whether the day i days after the start counts
    int perWeek = 0;
    for (int i = 0; i < 7; ++i) {
        inWeek[size_t(i)] = countsWeekday((first - 1 + i) % 7 + 1, mode) ? 1 : 0;
        perWeek += inWeek[size_t(i)];
    }
    qint64 total = (n / 7) * perWeek;
    for (qint64 i = 0; i < n % 7; ++i)
        total += inWeek[size_t(i)];
    return total;
}

} // namespace fee
