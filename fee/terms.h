#pragma once

#include <QDate>
#include <QList>
#include <QString>

#include <optional>

// The terms of an assignment after the appointment: the three that the judge sets for the report
// (art. 195, paragraph 3, c.p.c.), when each really ends (art. 155, paragraphs 4 and 5, c.p.c.),
// the August suspension (law 742/1969), the late filing (art. 52, paragraph 2, DPR 115/2002) and
// the request for payment (art. 71 DPR 115/2002). Pure functions on values.
namespace fee {

// Saturday, Sunday or a national holiday: the days on which a procedural term cannot end.
bool isClosedDay(QDate day);

// The day a term set for `term` really ends: the term itself, or the next day that is not
// closed. Null for a null date.
QDate realEnd(QDate term);

// Whether a day falls in the suspension of procedural terms, 1 to 31 August.
bool inAugustSuspension(QDate day);

// Art. 71, paragraph 2, DPR 115/2002: the request for payment is due within 100 days of the
// completion of the operations (the filing of the report, or the last session's day until
// then). The day of completion is not counted; a deadline on a Sunday or a national holiday
// moves to the next day that is neither (art. 2963 of the civil code). Null for a null date.
QDate requestDeadline(QDate completion);

inline constexpr const char *kRequestDeadlineBasis = "art. 71 DPR 115/2002";
inline constexpr const char *kTermsBasis = "art. 195, comma 3, c.p.c.";
inline constexpr const char *kRealEndBasis = "art. 155, commi 4 e 5, c.p.c.";
inline constexpr const char *kAugustNote = "nel periodo di sospensione feriale (1-31 agosto)";
inline constexpr const char *kLateNote = "depositata in ritardo";
inline constexpr const char *kOrderNote = "date dei termini non in ordine";

// The latest of a deadline and its extensions; null when none is set.
QDate lastDeadline(QDate deadline, const QList<QDate> &extensions);

// "scade di fatto il 19/10/2026"
QString realEndNote(QDate end);

enum class DeadlineKind { Draft, Observations, Filing, Request };

// "bozza", "osservazioni", "deposito", "istanza": the kind's key in files and on the command line.
QString deadlineKey(DeadlineKind kind);
// "Invio della bozza alle parti", "Osservazioni delle parti", "Deposito della relazione",
// "Istanza di liquidazione".
QString deadlineTitle(DeadlineKind kind);

// What the register holds of an assignment's terms; any date may be null.
struct TermDates {
    QDate draft;             // "Invio della bozza alle parti"
    QDate observations;      // "Osservazioni delle parti"
    QDate deadline;          // "Termine per il deposito", the original one
    QList<QDate> extensions; // "Proroghe"
    QDate reportFiled;
    QDate completion; // the end of the operations, for art. 71

    QDate lastDeadline() const { return fee::lastDeadline(deadline, extensions); }

    friend bool operator==(const TermDates &, const TermDates &) = default;
};

// The first of the draft, the observations and the filing (the last of the deadline and its
// extensions), in that order, that comes before one set ahead of it, with an Italian message;
// nothing when they are in order. A pair out of order on the very days it was in `kept` is let
// stand, so that terms once stored out of order can be put right one date at a time.
struct OrderError {
    DeadlineKind kind;
    QString message;
};
std::optional<OrderError> orderError(const TermDates &dates, const TermDates &kept = {});

// Whether a report filed on `filed` is late: after the real end of the last deadline.
bool filedLate(QDate filed, QDate lastDeadline);

struct Deadline {
    DeadlineKind kind = DeadlineKind::Filing;
    QDate date;      // as set (for the request, the 100th day)
    QDate effective; // when it really ends
    bool august = false;
    bool late = false; // the filing only
    QStringList notes; // the August mark, the real end when moved, the late filing

    // "art. 195, comma 3, c.p.c.", with art. 155 when the end moved; art. 71 for the request.
    QString basis() const;

    friend bool operator==(const Deadline &, const Deadline &) = default;
};

// The set deadlines in the order draft, observations, filing (the last of the deadline and its
// extensions), request (when there is a completion). Terms out of order each bear kOrderNote.
QList<Deadline> deadlinesOf(const TermDates &dates);

} // namespace fee
