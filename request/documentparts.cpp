#include "documentparts.h"

#include "version.h"

namespace request::parts {

QLocale italian() {
    return QLocale(QLocale::Italian, QLocale::Italy);
}

QString dateText(QDate date) {
    return date.toString(QStringLiteral("dd/MM/yyyy"));
}

QList<Block> detailBlocks(const QList<std::pair<QString, QString>> &details) {
    Block given{Block::Fields, {}, {}};
    for (const auto &[label, value] : details) {
        if (!value.trimmed().isEmpty())
            given.rows.append({label, value.trimmed()});
    }
    if (given.rows.isEmpty())
        return {};
    return {given};
}

QString increaseLabel(int percent) {
    return QStringLiteral("Maggiorazione del %1% (art. 52, comma 1, DPR 115/2002)").arg(percent);
}

QList<std::pair<QString, QString>> expenseRows(const QList<Expense> &expenses, Cents total) {
    QList<std::pair<QString, QString>> rows;
    for (const Expense &expense : expenses) {
        const QString description = expense.description.trimmed();
        rows.append(
            {QStringLiteral("Spese: ") +
                 (description.isEmpty() ? QStringLiteral("senza descrizione") : description),
             fee::euroText(expense.amount)});
    }
    if (!expenses.isEmpty())
        rows.append({QStringLiteral("Totale spese"), fee::euroText(total)});
    return rows;
}

QList<Block> tariffBlocks(fee::Tariff tariff) {
    return {{Block::Heading, QStringLiteral("Tariffa"), {}},
            {Block::Paragraph,
             QStringLiteral("%1 (%2).").arg(fee::tariffRates(tariff), fee::tariffBasis(tariff)),
             {}}};
}

Block netOfTaxes() {
    return {
        Block::Paragraph, QStringLiteral("Importi al netto di IVA e contributi previdenziali"), {}};
}

QList<Block> noteBlocks(const QString &note) {
    if (note.trimmed().isEmpty())
        return {};
    return {{Block::Heading, QStringLiteral("Note"), {}}, {Block::Paragraph, note.trimmed(), {}}};
}

QString footer(const QDateTime &madeAt) {
    return QStringLiteral("Calcolo Tolvemar CT %1 · %2 alle %3")
        .arg(QLatin1String(tolvemar::kVersionText), dateText(madeAt.date()),
             madeAt.toString(QStringLiteral("HH:mm")));
}

} // namespace request::parts
