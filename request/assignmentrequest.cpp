#include "assignmentrequest.h"

#include "documentparts.h"
#include "terms.h"

#include <QHash>

#include <algorithm>
#include <numeric>

namespace request {

using parts::dateText;

namespace {

QString hoursText(qint64 minutes) {
    return QStringLiteral("%1:%2").arg(minutes / 60).arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

// The log in date and time order; a day that has more than one session, or whose time the
// daily cap cut, closes with its total.
Block operationsGrid(const QList<fee::Session> &sessions, const fee::LogTotals &totals) {
    Block grid{Block::Grid, {}, {}};
    grid.columns = {
        {QStringLiteral("Data"), 12, false},    {QStringLiteral("Dalle"), 7, false},
        {QStringLiteral("Alle"), 7, false},     {QStringLiteral("Descrizione"), 34, false},
        {QStringLiteral("Ore"), 7, true},       {QStringLiteral("Udienza"), 9, false},
        {QStringLiteral("Vacazioni"), 24, true}};
    QList<qsizetype> order(sessions.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](qsizetype x, qsizetype y) {
        const fee::Session &a = sessions[x], &b = sessions[y];
        return a.date != b.date ? a.date < b.date : a.from < b.from;
    });
    QHash<QDate, fee::DayTotal> days;
    for (const fee::DayTotal &day : totals.days)
        days.insert(day.date, day);
    QHash<QDate, int> perDay;
    for (const fee::Session &s : sessions)
        ++perDay[s.date];

    for (qsizetype at = 0; at < order.size(); ++at) {
        const fee::Session &s = sessions[order[at]];
        const fee::Exclusion exclusion = totals.exclusions[order[at]];
        const fee::DayTotal day = days.value(s.date);
        const bool dayTotal =
            exclusion == fee::Exclusion::None && (perDay[s.date] > 1 || day.capped);
        const QString vacazioni = exclusion != fee::Exclusion::None
                                      ? fee::exclusionReason(exclusion)
                                  : dayTotal ? QString()
                                             : vacazioniText(day.halves());
        grid.lines.append({{dateText(s.date), fee::minutesToText(s.from), fee::minutesToText(s.to),
                            s.description.trimmed(), hoursText(s.to - s.from),
                            s.udienza ? QStringLiteral("sì") : QStringLiteral("no"), vacazioni}});
        const bool lastOfDay = at + 1 == order.size() || sessions[order[at + 1]].date != s.date;
        if (dayTotal && lastOfDay) {
            QString label = QStringLiteral("Totale del giorno");
            if (day.capped)
                label += QStringLiteral(" (limite di 4 vacazioni al giorno)");
            grid.lines.append({{{},
                                {},
                                {},
                                label,
                                hoursText(day.ordinaryMinutes + day.udienzaMinutes),
                                {},
                                vacazioniText(day.halves())},
                               true});
        }
    }
    return grid;
}

// The vacazioni with their increases; with fees by value, these and their increases follow, then
// the two together. Then the expenses, the advances and the balance.
QList<std::pair<QString, QString>> amountRows(const AssignmentRequest &request,
                                              const fee::Settlement &settlement,
                                              const fee::TableClaim &tableClaim,
                                              const fee::AssignmentSettlement &whole) {
    const bool items = !request.tableItems.isEmpty();
    QList<std::pair<QString, QString>> rows{
        {items ? QStringLiteral("Compenso a vacazione") : QStringLiteral("Compenso"),
         fee::euroText(settlement.fee)}};
    if (request.urgencyPercent > 0)
        rows.append({QStringLiteral("Aumento per urgenza del %1% (art. 4, comma 3, legge 319/1980)")
                         .arg(request.urgencyPercent),
                     fee::euroText(settlement.urgency)});
    if (request.increasePercent > 0)
        rows.append(
            {parts::increaseLabel(request.increasePercent), fee::euroText(settlement.increase)});
    if (request.panel > 1)
        rows.append({QStringLiteral("Collegio di %1 consulenti: 40% per ciascuno oltre il primo "
                                    "(art. 53 DPR 115/2002)")
                         .arg(request.panel),
                     fee::euroText(settlement.panel)});
    if (items) {
        if (settlement.total != settlement.fee)
            rows.append(
                {QStringLiteral("Totale compenso a vacazione"), fee::euroText(settlement.total)});
        rows.append(settlementRows(whole.tables, tableClaim));
    }
    if (whole.total != settlement.fee)
        rows.append({QStringLiteral("Totale compenso"), fee::euroText(whole.total)});
    rows.append(parts::expenseRows(request.expenses, settlement.expenses));
    if (settlement.advances != 0)
        rows.append({QStringLiteral("Acconti ricevuti"), fee::euroText(-settlement.advances)});
    rows.append({QStringLiteral("Saldo richiesto"), fee::euroText(whole.balance)});
    return rows;
}

} // namespace

QString vacazioniText(qint64 halves) {
    return parts::italian().toString(halves / 2) + (halves % 2 ? QStringLiteral(",5") : QString());
}

std::variant<Document, QString> describe(const AssignmentRequest &request,
                                         const QDateTime &madeAt) {
    for (const fee::Session &session : request.sessions) {
        if (const QString error = fee::sessionError(session); !error.isEmpty())
            return error;
    }
    if (const auto overlap = fee::findOverlap(request.sessions))
        return fee::overlapMessage(request.sessions[overlap->first],
                                   request.sessions[overlap->second]);
    fee::Claim claim{
        request.tariff,  request.urgencyPercent, request.increasePercent, request.panel, 0,
        request.advances};
    for (const Expense &expense : request.expenses) {
        const auto expenses = fee::addCents(claim.expenses, expense.amount);
        if (!expenses)
            return QStringLiteral("Gli importi superano quanto il programma sa sommare.");
        claim.expenses = *expenses;
    }
    const fee::LogTotals totals = fee::logTotals(request.sessions, request.period);
    const auto settled = fee::settle(totals.halves, claim);
    if (const QString *message = std::get_if<QString>(&settled))
        return *message;
    const fee::Settlement &settlement = std::get<fee::Settlement>(settled);
    const auto priced = priceItems(request.tableItems, request.period.appointment);
    if (const QString *message = std::get_if<QString>(&priced))
        return *message;
    const QDate lastDeadline = request.period.lastDeadline();
    const bool late = fee::filedLate(request.reportFiled, lastDeadline);
    const fee::TableClaim tableClaim{request.tableUrgencyPercent, request.increasePercent, late,
                                     request.panel};
    const auto tables = settleTables(std::get<PricedItems>(priced).asked, tableClaim);
    if (const QString *message = std::get_if<QString>(&tables))
        return *message;
    const auto combined = fee::combine(settlement, std::get<fee::TableSettlement>(tables));
    if (const QString *message = std::get_if<QString>(&combined))
        return *message;

    Document document;
    QList<Block> &blocks = document.blocks;
    blocks.append({Block::Title, QStringLiteral("Istanza di liquidazione del compenso"), {}});
    QList<std::pair<QString, QString>> details{
        {QStringLiteral("Consulente"), request.expert},
        {QStringLiteral("Ufficio giudiziario"), request.court},
        {QStringLiteral("Procedimento n."), request.caseNumber},
        {QStringLiteral("Giudice"), request.judge},
        {QStringLiteral("Oggetto"), request.subject},
        {QStringLiteral("Conferimento"), dateText(request.period.appointment)},
        {QStringLiteral("Termine per il deposito"), dateText(request.period.deadline)}};
    for (QDate extension : request.period.extensions)
        details.append({QStringLiteral("Proroga"), dateText(extension)});
    details.append({QStringLiteral("Deposito della relazione"),
                    late ? QStringLiteral("%1 (%2)").arg(dateText(request.reportFiled),
                                                         QLatin1String(fee::kLateNote))
                         : dateText(request.reportFiled)});
    blocks.append(parts::detailBlocks(details));

    blocks.append({Block::Heading, QStringLiteral("Prospetto delle operazioni"), {}});
    if (request.sessions.isEmpty())
        blocks.append({Block::Paragraph, QStringLiteral("Nessuna operazione registrata."), {}});
    else
        blocks.append(operationsGrid(request.sessions, totals));

    blocks.append({Block::Heading, QStringLiteral("Vacazioni"), {}});
    blocks.append({Block::Fields,
                   {},
                   {{QStringLiteral("Vacazioni riconosciute"), vacazioniText(totals.halves)},
                    {QStringLiteral("di cui in udienza"), vacazioniText(totals.udienzaHalves)}}});
    blocks.append(parts::tariffBlocks(request.tariff));
    blocks.append(std::get<PricedItems>(priced).blocks);

    blocks.append({Block::Heading, QStringLiteral("Importi"), {}});
    if (late)
        blocks.append(
            {Block::Paragraph,
             lateFilingText(request.reportFiled, lastDeadline, !request.tableItems.isEmpty()),
             {}});
    blocks.append({Block::Table,
                   {},
                   amountRows(request, settlement, tableClaim,
                              std::get<fee::AssignmentSettlement>(combined))});
    blocks.append(parts::netOfTaxes());
    const QDate completion = fee::completionDate(request.reportFiled, request.sessions);
    if (completion.isValid())
        blocks.append({Block::Paragraph,
                       QStringLiteral("Istanza di liquidazione entro il %1 (%2)")
                           .arg(dateText(fee::requestDeadline(completion)),
                                QLatin1String(fee::kRequestDeadlineBasis)),
                       {}});
    blocks.append(parts::noteBlocks(request.note));
    document.footer = parts::footer(madeAt);
    return document;
}

} // namespace request
