#include "settlementtexts.h"

#include "accounts.h"
#include "registertexts.h"
#include "validation.h"

namespace tolvemar::settlementtext {

QString deadlineLine(const fee::Deadline &deadline) {
    const QString head = QStringLiteral("%1: %2").arg(fee::deadlineTitle(deadline.kind),
                                                      registertext::fixedDate(deadline.date));
    return deadline.notes.isEmpty()
               ? head
               : head + QStringLiteral(" — ") + deadline.notes.join(QStringLiteral("; "));
}

QString termNote(const fee::Deadline &deadline) {
    QStringList notes = deadline.notes;
    notes.removeAll(QLatin1String(fee::kLateNote));
    return notes.join(QStringLiteral("; "));
}

QList<Line> settlementLines(const assignments::Assignment &a,
                            const std::optional<fee::FiscalDetails> &details) {
    if (!a.decree.isValid())
        return {};
    QList<Line> lines = {{QStringLiteral("Liquidato il %1").arg(registertext::fixedDate(a.decree)),
                          fee::euroText(a.liquidated)}};
    const auto computed = assignments::accountOf(a, details);
    if (const QString *error = std::get_if<QString>(&computed))
        return lines << Line{QStringLiteral("Residuo da incassare"), *error};
    const fee::Account &account = std::get<fee::Account>(computed);
    const QString included = account.withCharges
                                 ? QStringLiteral(" (%1)").arg(QLatin1String(fee::kChargesIncluded))
                                 : QString();
    if (account.withCharges)
        lines.append({QStringLiteral("Dovuto") + included, fee::euroText(account.due)});
    lines += {{QStringLiteral("Acconti ricevuti"), fee::euroText(account.advances)},
              {QStringLiteral("Pagamenti ricevuti"), fee::euroText(account.paid)},
              {QStringLiteral("Residuo da incassare") + included, fee::euroText(account.residue)}};
    if (account.residue <= 0)
        return lines;
    for (const fee::PartyAccount &each : account.parties) {
        const QString part = fee::euroText(each.owed);
        lines.append({QStringLiteral("%1 (%2)").arg(
                          each.party.name, assignments::shareText(each.party.shareHundredths)),
                      each.party.jointly ? QStringLiteral("%1, in solido fino a %2")
                                               .arg(part, fee::euroText(account.residue))
                                         : part});
    }
    return lines;
}

} // namespace tolvemar::settlementtext
