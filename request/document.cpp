#include "document.h"

#include "conversions.h"
#include "version.h"

namespace request {

namespace {

const QLocale kItalian(QLocale::Italian, QLocale::Italy);

QString dateText(QDate date) {
    return date.toString(QStringLiteral("dd/MM/yyyy"));
}

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
    QList<std::pair<QString, QString>> rows{{QStringLiteral("Compenso"), formatEuro(totals.fee)}};
    if (details.increasePercent > 0)
        rows.append({QStringLiteral("Maggiorazione del %1% (art. 52, comma 1, DPR 115/2002)")
                         .arg(details.increasePercent),
                     formatEuro(totals.increase)});
    for (const Expense &expense : details.expenses) {
        const QString description = expense.description.trimmed();
        rows.append(
            {QStringLiteral("Spese: ") +
                 (description.isEmpty() ? QStringLiteral("senza descrizione") : description),
             formatEuro(expense.amount)});
    }
    if (!details.expenses.isEmpty())
        rows.append({QStringLiteral("Totale spese"), formatEuro(totals.expenses)});
    rows.append({QStringLiteral("Totale richiesto"), formatEuro(totals.requested)});
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

    Block given{Block::Fields, {}, {}};
    for (const auto &[label, value] : {std::pair{"Consulente", details.expert},
                                       {"Ufficio giudiziario", details.court},
                                       {"Procedimento n.", details.caseNumber},
                                       {"Giudice", details.judge}}) {
        if (!value.trimmed().isEmpty())
            given.rows.append({QString::fromUtf8(label), value.trimmed()});
    }
    if (!given.rows.isEmpty())
        blocks.append(given);

    blocks.append({Block::Heading, QStringLiteral("Periodo"), {}});
    blocks.append(
        {Block::Paragraph,
         QStringLiteral("dal %1 al %2").arg(dateText(computation.start), dateText(computation.end)),
         {}});
    blocks.append({Block::Heading, QStringLiteral("Giorni non contati"), {}});
    blocks.append({Block::Paragraph, modeText(computation.mode), {}});
    blocks.append(holidayBlocks(computation));

    blocks.append({Block::Heading, QStringLiteral("Vacazioni"), {}});
    blocks.append(
        {Block::Table,
         {},
         {{QStringLiteral("Giorni contati"), fee::integerToText(computation.days, kItalian)},
          {QStringLiteral("Vacazioni al giorno"), fee::numberToText(computation.daily, kItalian)},
          {QStringLiteral("Vacazioni totali"), fee::numberToText(computation.total, kItalian)}}});
    blocks.append({Block::Heading, QStringLiteral("Tariffa"), {}});
    const fee::Tariff tariff = computation.options.tariff;
    blocks.append(
        {Block::Paragraph,
         QStringLiteral("%1 (%2).").arg(fee::tariffRates(tariff), fee::tariffBasis(tariff)),
         {}});

    blocks.append({Block::Heading, QStringLiteral("Importi"), {}});
    blocks.append({Block::Table, {}, amountRows(details, totals)});
    blocks.append({Block::Paragraph,
                   QStringLiteral("Importi al netto di IVA e contributi previdenziali"),
                   {}});
    if (!details.note.trimmed().isEmpty()) {
        blocks.append({Block::Heading, QStringLiteral("Note"), {}});
        blocks.append({Block::Paragraph, details.note.trimmed(), {}});
    }
    document.footer = QStringLiteral("Calcolo Tolvemar CT %1 · %2 alle %3")
                          .arg(QLatin1String(tolvemar::kVersionText), dateText(madeAt.date()),
                               madeAt.toString(QStringLiteral("HH:mm")));
    return document;
}

QString toPlainText(const Document &document) {
    QStringList lines;
    for (const Block &block : document.blocks) {
        switch (block.kind) {
        case Block::Title:
            lines << block.text << QString(block.text.size(), u'=');
            break;
        case Block::Heading:
            lines << QString() << block.text;
            break;
        case Block::Warning:
        case Block::Paragraph:
            lines << block.text;
            break;
        case Block::Table:
        case Block::Fields:
            for (const auto &[label, value] : block.rows)
                lines << label + QStringLiteral(": ") + value;
            break;
        }
    }
    lines << QString() << document.footer;
    return lines.join(u'\n') + u'\n';
}

QString toHtml(const Document &document, bool withFooter) {
    const QString sans = QStringLiteral("font-family:'Liberation Sans',sans-serif;");
    QString html = QStringLiteral("<!DOCTYPE html><html lang=\"it\"><head><meta charset=\"utf-8\">"
                                  "<title>Calcolo del compenso a vacazione</title></head>"
                                  "<body style=\"font-family:'Liberation Serif',serif;\">\n");
    for (const Block &block : document.blocks) {
        const QString text = block.text.toHtmlEscaped().replace(u'\n', QStringLiteral("<br>"));
        switch (block.kind) {
        case Block::Warning:
            html += QStringLiteral("<p style=\"%1color:#b00000;font-weight:bold;\">%2</p>\n")
                        .arg(sans, text);
            break;
        case Block::Title:
            html += QStringLiteral("<h1 style=\"%1font-size:16pt;\">%2</h1>\n").arg(sans, text);
            break;
        case Block::Heading:
            html += QStringLiteral("<h2 style=\"%1font-size:12pt;\">%2</h2>\n").arg(sans, text);
            break;
        case Block::Paragraph:
            html += QStringLiteral("<p>%1</p>\n").arg(text);
            break;
        case Block::Table:
        case Block::Fields: {
            const bool figures = block.kind == Block::Table;
            html += QStringLiteral("<table width=\"100%\" cellspacing=\"0\" cellpadding=\"2\">\n");
            for (qsizetype i = 0; i < block.rows.size(); ++i) {
                const auto &[label, value] = block.rows.at(i);
                // The last figure is the total.
                const QString weight = figures && i == block.rows.size() - 1
                                           ? QStringLiteral(" style=\"font-weight:bold;\"")
                                           : QString();
                const QString row =
                    figures ? QStringLiteral("<tr%3><td>%1</td><td align=\"right\">%2</td></tr>\n")
                            : QStringLiteral("<tr%3><td width=\"35%\">%1</td><td>%2</td></tr>\n");
                html += row.arg(label.toHtmlEscaped(), value.toHtmlEscaped(), weight);
            }
            html += QStringLiteral("</table>\n");
            break;
        }
        }
    }
    if (withFooter)
        html += QStringLiteral("<p style=\"%1font-size:8pt;\">%2</p>\n")
                    .arg(sans, document.footer.toHtmlEscaped());
    return html + QStringLiteral("</body></html>\n");
}

} // namespace request
