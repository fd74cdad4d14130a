#pragma once

#include "worklog.h"

#include <QMap>

namespace reference {

struct WalkDay {
    qint64 halves = 0;
    bool capped = false;
};

struct WalkResult {
    bool overlap = false;      // two sessions of one day share a minute
    QList<int> excluded;       // per session: 0 counted, 1 before the appointment, 2 after
    QMap<QDate, WalkDay> days; // each day with a counted minute
    qint64 halves = 0;
    qint64 udienzaHalves = 0;
};

// The plain reading of the log: every day is 1440 slots, each session marks its minutes as
// ordinary or before the judge, a slot marked twice is an overlap, and a day's pay is read off
// the marked slots two hours at a time. Used only to check the rules.
WalkResult walkLog(const QList<fee::Session> &sessions, QDate appointment, QDate lastDeadline);

// The fee in cents counted vacazione by vacazione: 1468 for the first, then 815 for each further
// one, and half of the rate for a half; half-cents rounded up at the end.
qint64 walkFee(qint64 halves, bool ruling2025);

} // namespace reference
