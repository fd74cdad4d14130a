#include "partyshare.h"

#include <algorithm>

namespace fee {

namespace {

const char *const kTooLarge = "Gli importi superano quanto il programma sa sommare.";

bool add(Cents &sum, Cents amount) {
    return !__builtin_add_overflow(sum, amount, &sum);
}

// The part of the fee and of each kind of expense that `share` bears.
PartyPart partOf(const Liquidation &l, int share) {
    return {shareOf(l.liquidated - l.expenses - l.advanced, share), shareOf(l.expenses, share),
            shareOf(l.advanced, share)};
}

// What a part comes to: with the details, what the party pays on its invoice.
std::optional<Cents> dueOn(const PartyPart &part, const std::optional<FiscalDetails> &details,
                           bool withholdingAgent, std::optional<Charges> &charges) {
    if (!details) {
        Cents sum = part.fee;
        if (!add(sum, part.taxableExpenses) || !add(sum, part.excludedExpenses))
            return std::nullopt;
        return sum;
    }
    charges = chargesOf(*details, part, withholdingAgent);
    if (!charges)
        return std::nullopt;
    return charges->payment;
}

} // namespace

Cents shareOf(Cents amount, int shareHundredths) {
    // In whole parts of 100 % and a rest, so that no product leaves 64 bits.
    const bool negative = amount < 0;
    const quint64 magnitude =
        negative ? 0 - static_cast<quint64>(amount) : static_cast<quint64>(amount);
    const quint64 share =
        static_cast<quint64>(std::clamp(shareHundredths, 0, kWholeShareHundredths));
    const quint64 whole = magnitude / kWholeShareHundredths,
                  rest = magnitude % kWholeShareHundredths;
    const auto part = static_cast<Cents>(
        whole * share + (rest * share + kWholeShareHundredths / 2) / kWholeShareHundredths);
    return negative ? -part : part;
}

std::variant<Account, QString> accountOf(const Liquidation &l,
                                         const std::optional<FiscalDetails> &details) {
    if (l.liquidated < 0 || l.expenses < 0 || l.advanced < 0 ||
        l.expenses > l.liquidated - l.advanced)
        return QStringLiteral("Le spese del decreto superano l'importo liquidato, che le "
                              "comprende.");
    Account account;
    account.withCharges = details.has_value();
    account.advances = l.advances;
    Cents others = l.advances; // what goes to every share
    const auto isParty = [&l](const QString &payer) {
        return std::any_of(l.parties.begin(), l.parties.end(), [&](const ShareHolder &p) {
            return p.name.trimmed() == payer.trimmed();
        });
    };
    for (const Paid &payment : l.payments)
        if (!add(account.paid, payment.amount) ||
            (!isParty(payment.payer) && !add(others, payment.amount)))
            return QString::fromUtf8(kTooLarge);
    qint64 shares = 0;
    for (const ShareHolder &party : l.parties) {
        PartyAccount each{party, partOf(l, party.shareHundredths), std::nullopt};
        const auto due = dueOn(each.part, details, party.withholdingAgent, each.charges);
        if (!due)
            return QString::fromUtf8(kTooLarge);
        each.due = *due;
        for (const Paid &payment : l.payments)
            if (payment.payer.trimmed() == party.name.trimmed())
                each.paid += payment.amount;
        account.parties.append(each);
        shares += party.shareHundredths;
    }
    if (shares == kWholeShareHundredths) {
        for (const PartyAccount &each : account.parties)
            if (!add(account.due, each.due))
                return QString::fromUtf8(kTooLarge);
    } else {
        const bool withheld = !l.parties.isEmpty() &&
                              std::all_of(l.parties.begin(), l.parties.end(),
                                          [](const ShareHolder &p) { return p.withholdingAgent; });
        std::optional<Charges> whole;
        const auto due = dueOn(partOf(l, kWholeShareHundredths), details, withheld, whole);
        if (!due)
            return QString::fromUtf8(kTooLarge);
        account.due = *due;
    }
    if (__builtin_sub_overflow(account.due, l.advances, &account.residue) ||
        __builtin_sub_overflow(account.residue, account.paid, &account.residue))
        return QString::fromUtf8(kTooLarge);
    for (PartyAccount &each : account.parties) {
        each.others = shareOf(others, each.party.shareHundredths);
        each.owed = std::clamp<Cents>(each.due - each.others - each.paid, 0,
                                      std::max<Cents>(account.residue, 0));
    }
    return account;
}

} // namespace fee
