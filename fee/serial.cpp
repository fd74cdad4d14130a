#include "serial.h"

#include <cmath>

namespace fee {

namespace {

constexpr qint64 kSecondsPerDay = 86400;

} // namespace

QDate serialEpoch() {
    return QDate(1899, 12, 30);
}

DateSerial serialFromDate(QDate date) {
    return double(serialEpoch().daysTo(date));
}

DateSerial serialFromDateTime(QDate date, QTime time) {
    const qint64 seconds = time.isValid() ? time.msecsSinceStartOfDay() / 1000 : 0;
    return serialFromDate(date) + double(seconds) / double(kSecondsPerDay);
}

DateSerial serialFromDateTime(const QDateTime &dateTime) {
    return serialFromDateTime(dateTime.date(), dateTime.time());
}

qint64 wholeDays(DateSerial serial) {
    return qint64(std::floor(serial));
}

std::optional<QDateTime> dateTimeFromSerial(DateSerial serial) {
    if (!std::isfinite(serial) || serial < kFirstSerial || serial >= kLastSerial + 1)
        return std::nullopt;
    qint64 days = wholeDays(serial);
    qint64 seconds = std::llround((serial - double(days)) * double(kSecondsPerDay));
    if (seconds >= kSecondsPerDay) {
        // A fraction a hair below 1 rounds up to the next midnight.
        ++days;
        seconds -= kSecondsPerDay;
    }
    const QDate date = serialEpoch().addDays(days);
    if (date > QDate(9999, 12, 31))
        return std::nullopt;
    return QDateTime(date, QTime::fromMSecsSinceStartOfDay(int(seconds * 1000)));
}

std::optional<QDate> dateFromSerial(DateSerial serial) {
    const auto dateTime = dateTimeFromSerial(serial);
    if (!dateTime)
        return std::nullopt;
    return serialEpoch().addDays(wholeDays(serial));
}

qint64 dayDifference(DateSerial first, DateSerial second) {
    return wholeDays(second) - wholeDays(first);
}

int weekdayNumber(DateSerial serial) {
    // Serial 0 is a Saturday (7); the days cycle every 7.
    const qint64 days = wholeDays(serial);
    return int(((days + 6) % 7 + 7) % 7) + 1;
}

DateSerial currentSerial() {
    const QDateTime now = QDateTime::currentDateTime();
    return serialFromDateTime(now.date(), now.time());
}

} // namespace fee
