#include "settlementtexts.h"

#include "deadlines.h"
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

QList<Line> settlementLines(const assignments::Assignment &a) {
    if (!a.decree.isValid())
        return {};
    std::optional<fee::Cents> paid = 0;
    for (const assignments::Payment &payment : a.payments)
        paid = paid ? fee::addCents(*paid, payment.amount) : std::nullopt;
    const auto less = paid ? fee::addCents(a.advances, *paid) : std::nullopt;
    const QString decree =
        QStringLiteral("Importo liquidato (decreto del %1)").arg(registertext::fixedDate(a.decree));
    if (!less)
        return {{decree, fee::euroText(a.liquidated)},
                {QStringLiteral("Residuo da incassare"),
                 QStringLiteral("I pagamenti superano quanto il programma sa sommare.")}};
    const fee::Cents due = a.liquidated - *less;
    QList<Line> lines = {{decree, fee::euroText(a.liquidated)},
                         {QStringLiteral("Acconti ricevuti"), fee::euroText(a.advances)},
                         {QStringLiteral("Pagamenti ricevuti"), fee::euroText(*paid)},
                         {QStringLiteral("Residuo da incassare"), fee::euroText(due)}};
    if (due <= 0)
        return lines;
    for (const assignments::Party &party : a.parties) {
        const QString part =
            fee::euroText(assignments::shareOfOutstanding(due, party.shareHundredths));
        lines.append({QStringLiteral("%1 (%2)").arg(party.name,
                                                    assignments::shareText(party.shareHundredths)),
                      party.jointly
                          ? QStringLiteral("%1, in solido fino a %2").arg(part, fee::euroText(due))
                          : part});
    }
    return lines;
}

} // namespace tolvemar::settlementtext
