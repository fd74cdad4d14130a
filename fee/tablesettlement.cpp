#include "tablesettlement.h"

namespace fee {

namespace {

QString overflow() {
    return QStringLiteral("Gli importi superano quanto il programma sa sommare.");
}

} // namespace

std::variant<TableSettlement, QString> settleTables(const QList<Cents> &asked,
                                                    const TableClaim &claim) {
    if (claim.urgencyPercent < 0 || claim.urgencyPercent > kTableUrgencyMaxPercent)
        return QStringLiteral("L'aumento per urgenza dei compensi a percentuale va da 0 a %1 % "
                              "(art. 51, comma 2, DPR 115/2002).")
            .arg(kTableUrgencyMaxPercent);
    if (claim.increasePercent < 0 || claim.increasePercent > kTableIncreaseMaxPercent)
        return QStringLiteral("L'aumento per eccezionale importanza va da 0 a %1 % "
                              "(art. 52, comma 1, DPR 115/2002).")
            .arg(kTableIncreaseMaxPercent);
    if (claim.panel < 1 || claim.panel > 100)
        return QStringLiteral("I componenti del collegio vanno da 1 a 100.");
    TableSettlement s;
    for (Cents amount : asked) {
        if (amount < 0)
            return QStringLiteral("Un importo richiesto non può essere negativo.");
        const auto sum = addCents(s.fee, amount);
        if (!sum)
            return overflow();
        s.fee = *sum;
    }
    // Art. 52, paragraph 2: one third off, rounded once, before anything is added.
    s.reduction = claim.late ? s.fee / 3 + (s.fee % 3 == 2 ? 1 : 0) : 0;
    const Cents reduced = s.fee - s.reduction;
    const auto urgency = percentOfCents(reduced, claim.urgencyPercent);
    const auto increase = percentOfCents(reduced, claim.increasePercent);
    const auto withUrgency = urgency ? addCents(reduced, *urgency) : std::nullopt;
    const auto raised = withUrgency && increase ? addCents(*withUrgency, *increase) : std::nullopt;
    const auto panel =
        raised ? percentOfCents(*raised, 40 * qint64(claim.panel - 1)) : std::nullopt;
    const auto total = panel ? addCents(*raised, *panel) : std::nullopt;
    if (!total)
        return overflow();
    s.urgency = *urgency;
    s.increase = *increase;
    s.panel = *panel;
    s.total = *total;
    return s;
}

std::variant<AssignmentSettlement, QString> combine(const Settlement &vacazioni,
                                                    const TableSettlement &tables) {
    AssignmentSettlement a{vacazioni, tables, 0, vacazioni.expenses, vacazioni.advances, 0};
    const auto total = addCents(vacazioni.total, tables.total);
    const auto gross = total ? addCents(*total, a.expenses) : std::nullopt;
    if (!gross || __builtin_sub_overflow(*gross, a.advances, &a.balance))
        return overflow();
    a.total = *total;
    return a;
}

} // namespace fee
