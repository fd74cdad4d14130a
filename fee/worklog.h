#pragma once

#include "fee.h"
#include "money.h"
#include "terms.h"

#include <QDate>
#include <QList>
#include <QString>

#include <optional>
#include <variant>

// The log of an assignment's operations and what the law pays for it: vacazioni from the hours
// of each day (art. 4 of law 319/1980, in force through art. 275 of DPR 115/2002), the time
// outside the appointment and its deadline (art. 52 DPR 115/2002), the increases, the panel and
// the deadline for the request (art. 71 DPR 115/2002). Pure functions on values.
namespace fee {

inline constexpr int kMinutesPerDay = 24 * 60;

// One operation: a day, from and to as minutes after midnight (24:00 is 1440), what was done,
// and whether it took place before the judge.
struct Session {
    QDate date;
    int from = 0;
    int to = 0;
    QString description;
    bool udienza = false;

    friend bool operator==(const Session &, const Session &) = default;
};

// "09:30"; 1440 is "24:00".
QString minutesToText(int minutes);
// "9:30", "09:30" or "24:00"; nothing for any other text.
std::optional<int> textToMinutes(QStringView text);

// An Italian message when the session is not one of a day (a valid date, 0 <= from < to <=
// 1440); empty when it is.
QString sessionError(const Session &session);

// Whether two sessions share a minute; sessions that only touch do not.
bool overlaps(const Session &a, const Session &b);

// The first two sessions, in the list's order, that share a minute: the earliest session that
// overlaps another, and the earliest of those it overlaps.
std::optional<std::pair<qsizetype, qsizetype>> findOverlap(const QList<Session> &sessions);

// "L'operazione del 03/03/2025 dalle 09:00 alle 11:00 si sovrappone a quella dalle 10:00 alle
// 12:00."
QString overlapMessage(const Session &a, const Session &b);

// Art. 4, paragraph 4: "L'onorario per la vacazione non si divide che per metà; trascorsa un'ora
// e un quarto è dovuto interamente". Half vacazioni for a time of `minutes`.
qint64 halvesForMinutes(qint64 minutes);

// Art. 4, paragraphs 5 and 6: at most 4 vacazioni a day, except work before the judge.
inline constexpr qint64 kDailyCapHalves = 8;

// The dates that bound the paid time (art. 52, paragraph 2, DPR 115/2002).
struct Period {
    QDate appointment;       // "Conferimento"
    QDate deadline;          // "Termine per il deposito", the original one
    QList<QDate> extensions; // "Proroghe"

    // The latest of the deadline and its extensions; null when none is set.
    QDate lastDeadline() const;

    friend bool operator==(const Period &, const Period &) = default;
};

enum class Exclusion { None, BeforeAppointment, AfterDeadline };

// "prima del conferimento", "oltre il termine"; empty for None.
QString exclusionReason(Exclusion exclusion);

struct DayTotal {
    QDate date;
    qint64 ordinaryMinutes = 0;
    qint64 udienzaMinutes = 0;
    qint64 ordinaryHalves = 0; // after the cap
    qint64 udienzaHalves = 0;
    bool capped = false; // the ordinary time was worth more than the cap

    qint64 halves() const { return ordinaryHalves + udienzaHalves; }
};

struct LogTotals {
    QList<Exclusion> exclusions; // one for each session, in the log's order
    QList<DayTotal> days;        // each day with a counted session, in date order
    qint64 halves = 0;           // every paid half, udienza included
    qint64 udienzaHalves = 0;
};

// The paid half vacazioni of a log whose sessions are valid and do not overlap. The time after
// the real end of the last deadline (art. 155 c.p.c.) is not paid.
LogTotals logTotals(const QList<Session> &sessions, const Period &period);

// The fee of `halves` half vacazioni for the whole assignment, in cents: the first vacazione is
// the first of the assignment. Nothing beyond 64-bit cents.
std::optional<Cents> feeForHalves(qint64 halves, Tariff tariff);

// Art. 4, paragraph 3: the highest urgency increase, in per cent, that the time allowed for the
// operations (appointment to original deadline) permits: 100 up to 5 days, 50 up to 15, else 0.
int urgencyBound(const Period &period);

// What the expert asks for on top of the vacazioni.
struct Claim {
    Tariff tariff = Tariff::Decree2002;
    int urgencyPercent = 0;  // art. 4, paragraph 3, law 319/1980
    int increasePercent = 0; // art. 52, paragraph 1, DPR 115/2002
    int panel = 1;           // experts in the panel, art. 53 DPR 115/2002
    Cents expenses = 0;
    Cents advances = 0; // "acconti" already received
};

struct Settlement {
    Cents fee = 0;
    Cents urgency = 0;  // on the fee
    Cents increase = 0; // on the fee, not on the urgency increase
    Cents panel = 0;    // 40 % of fee and increases for each other expert
    Cents total = 0;    // fee + urgency + increase + panel
    Cents expenses = 0;
    Cents advances = 0;
    Cents balance = 0; // total + expenses - advances
};

// The amounts of a claim on `halves` half vacazioni, each percentage rounded once to the cent
// half away from zero; or an Italian message for a percentage out of its bounds or a sum beyond
// 64-bit cents.
std::variant<Settlement, QString> settle(qint64 halves, const Claim &claim);

// The completion of the operations for the request deadline (fee/terms.h): the filing of the
// report, or the last session's day until then.
QDate completionDate(QDate reportFiled, const QList<Session> &sessions);

} // namespace fee
