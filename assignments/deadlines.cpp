#include "deadlines.h"

#include <algorithm>

namespace assignments {

fee::TermDates termDates(const Assignment &a, const QList<fee::Session> &sessions) {
    return {a.draftToParties.last(), a.partiesObservations.last(),
            a.period.deadline,       a.period.extensions,
            a.reportFiled,           fee::completionDate(a.reportFiled, sessions)};
}

Cents shareOfOutstanding(Cents outstanding, int shareHundredths) {
    // In whole parts of 100 % and a rest, so that no product leaves 64 bits: a share is at most
    // 10000 hundredths.
    const bool negative = outstanding < 0;
    const quint64 magnitude =
        negative ? 0 - static_cast<quint64>(outstanding) : static_cast<quint64>(outstanding);
    const quint64 share = static_cast<quint64>(std::clamp(shareHundredths, 0, kWholeShare));
    const quint64 whole = magnitude / kWholeShare, rest = magnitude % kWholeShare;
    const auto part =
        static_cast<Cents>(whole * share + (rest * share + kWholeShare / 2) / kWholeShare);
    return negative ? -part : part;
}

std::variant<QList<CalendarCase>, QString> deadlineCases(const Register &r) {
    // The list gives the ids in order; its fees, under either tariff, are not used.
    const auto rows = r.list(fee::Tariff::Decree2002);
    if (const QString *error = std::get_if<QString>(&rows))
        return *error;
    QList<CalendarCase> cases;
    for (const ListRow &row : std::get<QList<ListRow>>(rows)) {
        const auto a = r.assignment(row.id);
        if (const QString *error = std::get_if<QString>(&a))
            return *error;
        const auto stored = r.sessions(row.id);
        if (const QString *error = std::get_if<QString>(&stored))
            return *error;
        QList<fee::Session> sessions;
        for (const StoredSession &s : std::get<QList<StoredSession>>(stored))
            sessions.append(s.session);
        const Assignment &assignment = std::get<Assignment>(a);
        cases.append({assignment.id, assignment.caseNumber, assignment.court, assignment.judge,
                      fee::deadlinesOf(termDates(assignment, sessions))});
    }
    return cases;
}

} // namespace assignments
