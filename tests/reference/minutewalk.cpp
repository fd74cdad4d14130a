#include "minutewalk.h"

#include <array>

namespace reference {

namespace {

// Two hours at a time; what is left pays a half up to an hour and a quarter, a whole after.
qint64 halvesOf(qint64 minutes) {
    qint64 halves = 0;
    while (minutes >= 120) {
        halves += 2;
        minutes -= 120;
    }
    if (minutes > 75)
        halves += 2;
    else if (minutes > 0)
        halves += 1;
    return halves;
}

} // namespace

WalkResult walkLog(const QList<fee::Session> &sessions, QDate appointment, QDate lastDeadline) {
    WalkResult result;
    QMap<QDate, std::array<char, 1440>> grids;
    for (const fee::Session &s : sessions) {
        auto found = grids.find(s.date);
        if (found == grids.end()) {
            std::array<char, 1440> empty{};
            found = grids.insert(s.date, empty);
        }
        for (int minute = s.from; minute < s.to; ++minute) {
            if ((*found)[minute] != 0)
                result.overlap = true;
            (*found)[minute] = s.udienza ? 'U' : 'O';
        }
        const bool before = appointment.isValid() && s.date < appointment;
        const bool after = lastDeadline.isValid() && s.date > lastDeadline;
        result.excluded.append(before ? 1 : after ? 2 : 0);
    }
    for (auto day = grids.begin(); day != grids.end(); ++day) {
        const QDate date = day.key();
        if ((appointment.isValid() && date < appointment) ||
            (lastDeadline.isValid() && date > lastDeadline))
            continue;
        qint64 ordinary = 0, udienza = 0;
        for (char slot : *day) {
            ordinary += slot == 'O';
            udienza += slot == 'U';
        }
        if (ordinary + udienza == 0)
            continue;
        WalkDay walked;
        const qint64 ordinaryHalves = halvesOf(ordinary);
        walked.capped = ordinaryHalves > 8;
        walked.halves = std::min<qint64>(ordinaryHalves, 8) + halvesOf(udienza);
        result.days.insert(date, walked);
        result.halves += walked.halves;
        result.udienzaHalves += halvesOf(udienza);
    }
    return result;
}

qint64 walkFee(qint64 halves, bool ruling2025) {
    qint64 halfCents = 0;
    for (qint64 half = 1; half <= halves; ++half) {
        if (ruling2025 || half <= 2)
            halfCents += 1468; // a half of 14,68 €, in half-cents
        else
            halfCents += 815;
    }
    return (halfCents + 1) / 2;
}

} // namespace reference
