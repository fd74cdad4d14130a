#include "document.h"

#include "conversions.h"
#include "documentparts.h"

namespace request {

namespace {

using parts::dateText;

QString dateText(fee::DateSerial serial) {
    return dateText(fee::serialEpoch().addDays(fee::wholeDays(serial)));
}

QString modeText(fee::ExclusionMode mode) {
    switch (mode) {
    case fee::ExclusionMode::SaturdaysAndSundays:
        return QStringLiteral("Esclusi i sabati e le domeniche.");
    case fee::ExclusionMode::Sundays:
        return QStringLiteral("Escluse le domeniche.");
    case fee::ExclusionMode::None:
        break;
    }
    return QStringLiteral("Nessun giorno della settimana escluso.");
}

// The holidays that the count left out, one row each.
QList<Block> holidayBlocks(const Computation &computation) {
    const fee::CalcolaOptions &options = computation.options;
    if (!options.excludeHolidays)
        return {{Block::Paragraph, QStringLiteral("Festività nazionali non escluse."), {}}};
    QString text = QStringLiteral("Escluse anche le festività nazionali");
    if (options.patron)
        text += QStringLiteral(" e il santo patrono (%1)").arg(fee::patronDayText(*options.patron));
    // On reversed dates no day is counted, so no holiday is left out.
    QList<fee::Holiday> holidays;
    if (computation.end >= computation.start) {
        const fee::DayRange range =
            fee::countedRange(computation.start, computation.end, computation.mode);
        holidays = fee::countedHolidays(range.first, range.last, computation.mode, options.patron);
    }
    if (holidays.isEmpty())
        return {{Block::Paragraph,
                 text + QStringLiteral(": nessuna cadeva in un giorno contato."),
                 {}}};
    Block list{Block::Fields, {}, {}};
    for (const fee::Holiday &holiday : holidays.first(std::min(holidays.size(), kListedHolidays)))
        list.rows.append({dateText(holiday.date), holiday.name});
    if (holidays.size() > kListedHolidays)
        list.rows.append(
            {QStringLiteral("…"),
             QStringLiteral("e altre %1 festività").arg(holidays.size() - kListedHolidays)});
    return {{Block::Paragraph, text + QStringLiteral(", che cadevano in questi giorni:"), {}},
            list};
}

QList<std::pair<QString, QString>> amountRows(const Details &details, const Totals &totals) {
    QList<std::pair<QString, QString>> rows{
        {QStringLiteral("Compenso"), fee::euroText(totals.fee)}};
    if (details.increasePercent > 0)
        rows.append(
            {parts::increaseLabel(details.increasePercent), fee::euroText(totals.increase)});
    rows.append(parts::expenseRows(details.expenses, totals.expenses));
    rows.append({QStringLiteral("Totale richiesto"), fee::euroText(totals.requested)});
    return rows;
}

} // namespace

Document describe(const Request &request, const Totals &totals, const QDateTime &madeAt) {
    const Computation &computation = request.computation;
    const Details &details = request.details;
    Document document;
    QList<Block> &blocks = document.blocks;
    if (computation.end < computation.start)
        blocks.append({Block::Warning, QString::fromUtf8(fee::kDateOrderWarning), {}});
    blocks.append({Block::Title, QStringLiteral("Calcolo del compenso a vacazione"), {}});

    blocks.append(parts::detailBlocks({{QStringLiteral("Consulente"), details.expert},
                                       {QStringLiteral("Ufficio giudiziario"), details.court},
                                       {QStringLiteral("Procedimento n."), details.caseNumber},
                                       {QStringLiteral("Giudice"), details.judge}}));

    blocks.append({Block::Heading, QStringLiteral("Periodo"), {}});
    blocks.append(
        {Block::Paragraph,
         QStringLiteral("dal %1 al %2").arg(dateText(computation.start), dateText(computation.end)),
         {}});
    blocks.append({Block::Heading, QStringLiteral("Giorni non contati"), {}});
    blocks.append({Block::Paragraph, modeText(computation.mode), {}});
    blocks.append(holidayBlocks(computation));

    blocks.append({Block::Heading, QStringLiteral("Vacazioni"), {}});
    blocks.append({Block::Table,
                   {},
                   {{QStringLiteral("Giorni contati"),
                     fee::integerToText(computation.days, parts::italian())},
                    {QStringLiteral("Vacazioni al giorno"),
                     fee::numberToText(computation.daily, parts::italian())},
                    {QStringLiteral("Vacazioni totali"),
                     fee::numberToText(computation.total, parts::italian())}}});
    blocks.append(parts::tariffBlocks(computation.options.tariff));

    blocks.append({Block::Heading, QStringLiteral("Importi"), {}});
    blocks.append({Block::Table, {}, amountRows(details, totals)});
    blocks.append(parts::netOfTaxes());
    blocks.append(parts::noteBlocks(details.note));
    document.footer = parts::footer(madeAt);
    return document;
}

} // namespace request
