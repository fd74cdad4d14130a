#include "settlementtexts.h"

#include "deadlines.h"
#include "registertexts.h"
#include "validation.h"

#include <algorithm>

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
    QList<Line> lines = {{QStringLiteral("Liquidato il %1").arg(registertext::fixedDate(a.decree)),
                          fee::euroText(a.liquidated)}};
    if (!less)
        return lines << Line{
                   QStringLiteral("Residuo da incassare"),
                   QStringLiteral("I pagamenti superano quanto il programma sa sommare.")};
    const fee::Cents due = a.liquidated - *less;
    lines += {{QStringLiteral("Acconti ricevuti"), fee::euroText(a.advances)},
              {QStringLiteral("Pagamenti ricevuti"), fee::euroText(*paid)},
              {QStringLiteral("Residuo da incassare"), fee::euroText(due)}};
    if (due <= 0)
        return lines;
    // A party's payments go to its own share; the advances and what others paid, to all shares.
    const auto paidBy = [&a](const QString &name) {
        fee::Cents sum = 0;
        for (const assignments::Payment &payment : a.payments)
            if (payment.payer.trimmed() == name.trimmed())
                sum += payment.amount;
        return sum;
    };
    fee::Cents common = due;
    for (const assignments::Party &party : a.parties)
        common += paidBy(party.name);
    for (const assignments::Party &party : a.parties) {
        // Never below nothing, nor above what is still due to the expert.
        const fee::Cents owed = std::clamp<fee::Cents>(
            assignments::shareOfOutstanding(common, party.shareHundredths) - paidBy(party.name), 0,
            due);
        const QString part = fee::euroText(owed);
        lines.append({QStringLiteral("%1 (%2)").arg(party.name,
                                                    assignments::shareText(party.shareHundredths)),
                      party.jointly
                          ? QStringLiteral("%1, in solido fino a %2").arg(part, fee::euroText(due))
                          : part});
    }
    return lines;
}

} // namespace tolvemar::settlementtext
