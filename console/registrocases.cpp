#include "registrocases.h"

namespace console {

std::variant<QList<assignments::CalendarCase>, QString>
deadlineCases(const assignments::Register &reg) {
    // The tariff changes the fees of the rows, not which assignments there are.
    const auto rows = reg.list(fee::Tariff::Decree2002);
    if (const QString *fault = std::get_if<QString>(&rows))
        return *fault;
    QList<assignments::CalendarCase> cases;
    for (const assignments::ListRow &row : std::get<QList<assignments::ListRow>>(rows)) {
        const auto read = reg.assignment(row.id);
        if (const QString *fault = std::get_if<QString>(&read))
            return *fault;
        const auto stored = reg.sessions(row.id);
        if (const QString *fault = std::get_if<QString>(&stored))
            return *fault;
        const assignments::Assignment &a = std::get<assignments::Assignment>(read);
        QList<fee::Session> sessions;
        for (const assignments::StoredSession &s :
             std::get<QList<assignments::StoredSession>>(stored))
            sessions.append(s.session);
        fee::TermDates dates;
        dates.draft = a.draftToParties.last();
        dates.observations = a.partiesObservations.last();
        dates.deadline = a.period.deadline;
        dates.extensions = a.period.extensions;
        dates.reportFiled = a.reportFiled;
        dates.completion = fee::completionDate(a.reportFiled, sessions);
        cases.append({a.id, a.caseNumber, a.court, a.judge, fee::deadlinesOf(dates)});
    }
    return cases;
}

} // namespace console
