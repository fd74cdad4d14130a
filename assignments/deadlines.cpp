#include "deadlines.h"

namespace assignments {

fee::TermDates termDates(const Assignment &a, const QList<fee::Session> &sessions) {
    return {a.draftToParties.last(), a.partiesObservations.last(),
            a.period.deadline,       a.period.extensions,
            a.reportFiled,           fee::completionDate(a.reportFiled, sessions)};
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
