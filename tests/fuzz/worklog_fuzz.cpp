// Fuzzes the rules of the log of operations against the minute-by-minute walk.
//
// Input: byte 0 picks the appointment and byte 1 the deadline (or none), byte 2 the tariff and
// the panel; then six bytes a session: its day, start, length and whether it was before the
// judge.

#include "minutewalk.h"
#include "worklog.h"

#include <cstdio>
#include <cstdlib>

using namespace fee;

namespace {

[[noreturn]] void fail(const char *what, qint64 got, qint64 want) {
    std::fprintf(stderr, "%s: %lld instead of %lld\n", what, static_cast<long long>(got),
                 static_cast<long long>(want));
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size < 3)
        return 0;
    const QDate first(2025, 3, 1);
    Period period;
    if (data[0] & 8)
        period.appointment = first.addDays(data[0] % 8);
    if (data[1] & 8)
        period.deadline = first.addDays(data[1] % 8);
    if (data[1] & 16)
        period.extensions.append(first.addDays(data[1] / 32));
    QList<Session> sessions;
    for (size_t at = 3; at + 6 <= size; at += 6) {
        const uint8_t *b = data + at;
        Session s;
        s.date = first.addDays(b[0] % 10);
        s.from = (b[1] << 8 | b[2]) % kMinutesPerDay;
        s.to = std::min(s.from + 1 + (b[3] << 8 | b[4]) % kMinutesPerDay, kMinutesPerDay);
        s.udienza = b[5] & 1;
        if (!sessionError(s).isEmpty())
            fail("a session of the day refused", s.from, s.to);
        sessions.append(s);
    }
    const reference::WalkResult walk =
        reference::walkLog(sessions, period.appointment, fee::realEnd(period.lastDeadline()));
    if (findOverlap(sessions).has_value() != walk.overlap)
        fail("overlap", !walk.overlap, walk.overlap);
    if (walk.overlap)
        return 0;
    const LogTotals totals = logTotals(sessions, period);
    if (totals.halves != walk.halves)
        fail("half vacazioni", totals.halves, walk.halves);
    if (totals.udienzaHalves != walk.udienzaHalves)
        fail("half vacazioni before the judge", totals.udienzaHalves, walk.udienzaHalves);
    if (totals.days.size() != walk.days.size())
        fail("days", totals.days.size(), walk.days.size());
    for (const DayTotal &day : totals.days) {
        if (day.halves() != walk.days.value(day.date).halves ||
            day.capped != walk.days.value(day.date).capped)
            fail("a day's half vacazioni", day.halves(), walk.days.value(day.date).halves);
    }
    for (qsizetype i = 0; i < sessions.size(); ++i) {
        if (int(totals.exclusions[i]) != walk.excluded[i])
            fail("a session's exclusion", int(totals.exclusions[i]), walk.excluded[i]);
    }
    const bool ruling = data[2] & 1;
    const Tariff tariff = ruling ? Tariff::Ruling2025 : Tariff::Decree2002;
    const qint64 fee = feeForHalves(totals.halves, tariff).value_or(-1);
    if (fee != reference::walkFee(walk.halves, ruling))
        fail("fee", fee, reference::walkFee(walk.halves, ruling));
    const Claim claim{tariff, urgencyBound(period), data[2] / 2 % 101, 1 + data[2] / 64, 0, 0};
    const auto settled = settle(totals.halves, claim);
    if (!std::holds_alternative<Settlement>(settled))
        fail("a claim within its bounds refused", claim.urgencyPercent, claim.increasePercent);
    const Settlement &s = std::get<Settlement>(settled);
    if (s.total != s.fee + s.urgency + s.increase + s.panel || s.panel < 0 || s.fee != fee)
        fail("settlement", s.total, s.fee + s.urgency + s.increase + s.panel);
    return 0;
}
