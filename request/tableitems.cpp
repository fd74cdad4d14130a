#include "tableitems.h"

#include "documentparts.h"
#include "tablefeetext.h"
#include "terms.h"

namespace request {

namespace {

const char *const kAskedNames[] = {"minimo", "medio", "massimo", "importo indicato"};

Cents askedOf(const TableFeeItem &item, const fee::TableFee &fee) {
    switch (item.asked) {
    case TableFeeItem::Asked::Minimum:
        return fee.low;
    case TableFeeItem::Asked::Middle:
        return fee.middle;
    case TableFeeItem::Asked::Maximum:
        return fee.high;
    case TableFeeItem::Asked::Amount:
        break;
    }
    return item.amount;
}

QString capitalized(const QString &text) {
    return text.left(1).toUpper() + text.mid(1);
}

// The values, the brackets with their rates, the reduction, the points and what is asked.
QList<Block> itemBlocks(int number, const fee::TableArticle &article, const TableFeeItem &item,
                        const fee::TableFee &fee, Cents asked) {
    QString title =
        QStringLiteral("%1. %2").arg(number).arg(fee::articleTitle(article, fee.quantity));
    if (!item.description.trimmed().isEmpty())
        title += QStringLiteral(": ") + item.description.trimmed();
    QList<Block> blocks{{Block::Paragraph, title, {}}};
    QList<std::pair<QString, QString>> fields;
    if (article.kind == fee::FeeKind::Fixed) {
        fields.append({QStringLiteral("Compenso fisso"), fee::fixedFeeText(article)});
    } else {
        for (qsizetype t = 0; t < article.tables.size(); ++t)
            fields.append({capitalized(article.tables[t].value), fee::euroText(fee.values[t])});
        fields.append({QStringLiteral("Minimo dell'articolo"), fee::euroText(article.minimum)});
    }
    if (fee.reduction)
        fields.append({QStringLiteral("Riduzione"), QStringLiteral("%1 (resta %2/%3)")
                                                        .arg(fee.reduction->name)
                                                        .arg(fee.reduction->keepNumerator)
                                                        .arg(fee.reduction->keepDenominator)});
    blocks.append({Block::Fields, {}, fields});
    if (article.kind == fee::FeeKind::Value) {
        const bool two = article.tables.size() > 1;
        Block grid{Block::Grid, {}, {}};
        if (two)
            grid.columns.append({QStringLiteral("Tabella"), 9, false});
        grid.columns.append({{QStringLiteral("Scaglione"), two ? 30 : 36, false},
                             {QStringLiteral("Quota"), 16, true},
                             {QStringLiteral("Aliquote"), 24, true},
                             {QStringLiteral("Importi"), 0, true}});
        for (const fee::SliceRow &row : fee::sliceRows(article, fee)) {
            QStringList cells{row.range, row.amount, row.rates, row.fees};
            if (two)
                cells.prepend(row.table);
            grid.lines.append({cells});
        }
        blocks.append(grid);
    }
    blocks.append(
        {Block::Table,
         {},
         {{QStringLiteral("Minimo"), fee::euroText(fee.low)},
          {QStringLiteral("Medio"), fee::euroText(fee.middle)},
          {QStringLiteral("Massimo"), fee::euroText(fee.high)},
          {QStringLiteral("Richiesto (%1)").arg(QLatin1String(kAskedNames[int(item.asked)])),
           fee::euroText(asked)}}});
    return blocks;
}

} // namespace

std::variant<PricedItems, QString> priceItems(const QList<TableFeeItem> &items, QDate appointment) {
    PricedItems priced;
    if (items.isEmpty())
        return priced;
    const auto found = fee::decreeOn(appointment);
    if (const QString *message = std::get_if<QString>(&found))
        return *message;
    const fee::Decree &decree = *std::get<const fee::Decree *>(found);
    priced.blocks.append({Block::Heading, QStringLiteral("Onorari fissi e variabili"), {}});
    priced.blocks.append(
        {Block::Paragraph, QStringLiteral("Secondo le %1.").arg(decree.basis), {}});
    for (qsizetype i = 0; i < items.size(); ++i) {
        const TableFeeItem &item = items[i];
        const QString which = QStringLiteral("Voce %1 degli onorari").arg(i + 1);
        const fee::TableArticle *article = decree.article(item.article);
        if (!article)
            return QStringLiteral("%1: %2").arg(which, decree.unknownArticleMessage(item.article));
        const auto computed = fee::tableFee(*article, item.values, item.reduction, item.quantity);
        if (const QString *message = std::get_if<QString>(&computed))
            return QStringLiteral("%1 (%2): %3").arg(which, fee::articleTitle(*article), *message);
        const fee::TableFee &fee = std::get<fee::TableFee>(computed);
        const Cents asked = askedOf(item, fee);
        if (const QString error = fee::askedError(fee, asked); !error.isEmpty())
            return QStringLiteral("%1 (%2): %3").arg(which, fee::articleTitle(*article), error);
        priced.blocks.append(itemBlocks(int(i + 1), *article, item, fee, asked));
        priced.asked.append(asked);
    }
    if (!decree.included.isEmpty())
        priced.blocks.append({Block::Paragraph, decree.included, {}});
    return priced;
}

QList<std::pair<QString, QString>> settlementRows(const fee::TableSettlement &settlement,
                                                  const fee::TableClaim &claim) {
    QList<std::pair<QString, QString>> rows{
        {QStringLiteral("Onorari fissi e variabili"), fee::euroText(settlement.fee)}};
    if (claim.late)
        rows.append({QStringLiteral("Riduzione di un terzo per la relazione depositata in ritardo "
                                    "(art. 52, comma 2, DPR 115/2002)"),
                     fee::euroText(-settlement.reduction)});
    if (claim.urgencyPercent > 0)
        rows.append({QStringLiteral("Aumento per urgenza del %1% (art. 51, comma 2, DPR 115/2002)")
                         .arg(claim.urgencyPercent),
                     fee::euroText(settlement.urgency)});
    if (claim.increasePercent > 0)
        rows.append(
            {parts::increaseLabel(claim.increasePercent), fee::euroText(settlement.increase)});
    if (claim.panel > 1)
        rows.append({QStringLiteral("Collegio di %1 consulenti: 40% per ciascuno oltre il primo "
                                    "(art. 53 DPR 115/2002)")
                         .arg(claim.panel),
                     fee::euroText(settlement.panel)});
    if (settlement.total != settlement.fee)
        rows.append(
            {QStringLiteral("Totale onorari fissi e variabili"), fee::euroText(settlement.total)});
    return rows;
}

QString lateFilingText(QDate filed, QDate lastDeadline, bool items) {
    const QDate end = fee::realEnd(lastDeadline);
    QString text = QStringLiteral("Relazione %1: il %2, dopo l'ultimo termine del %3")
                       .arg(QLatin1String(fee::kLateNote), parts::dateText(filed),
                            parts::dateText(lastDeadline));
    if (end != lastDeadline)
        text += QStringLiteral(" (%1)").arg(fee::realEndNote(end));
    text += u'.';
    if (items)
        text += QStringLiteral(" Gli onorari fissi e variabili sono ridotti di un terzo (art. 52, "
                               "comma 2, DPR 115/2002).");
    return text + QStringLiteral(" Per le vacazioni non è compensato il tempo successivo alla "
                                 "scadenza del termine.");
}

} // namespace request
