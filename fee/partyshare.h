#pragma once

#include "invoicing.h"

#include <QList>
#include <QString>

#include <optional>
#include <variant>

// Who owes what on a liquidation decree: each party's part of the fee and the expenses, with the
// fund contribution, VAT and the withholding once the expert's fiscal details are known, what it
// paid and what it still owes. The one place where the register's window, its list, its credits,
// the console, the fee notice and the invoice take these amounts from.
namespace fee {

// What the summary, the credits and the notice add when the amounts carry VAT and contribution.
inline constexpr const char *kChargesIncluded = "IVA e contributo compresi";

inline constexpr int kWholeShareHundredths = 10000;

// `amount` times a share in hundredths of a per cent, rounded half away from zero: 33,33 % of
// 100,00 € is 33,33 €. A share is taken from 0 to 100 %.
Cents shareOf(Cents amount, int shareHundredths);

struct ShareHolder {
    QString name;
    int shareHundredths = 0;
    bool jointly = false;          // "in solido": may be asked the whole residue
    bool withholdingAgent = false; // "Sostituto d'imposta"
};

struct Paid {
    QString payer; // a party's name, or anyone else's
    Cents amount = 0;
};

struct Liquidation {
    Cents liquidated = 0; // "Importo liquidato": fee and expenses
    Cents expenses = 0;   // "di cui spese"
    Cents advanced = 0;   // "di cui spese anticipate (art. 15)"
    Cents advances = 0;   // "Acconti ricevuti" before the decree
    QList<ShareHolder> parties;
    QList<Paid> payments;
};

struct PartyAccount {
    ShareHolder party;
    PartyPart part;                 // its share of the fee and of each kind of expense
    std::optional<Charges> charges; // with the expert's details
    Cents due = 0;    // what it bears in all: charges->payment, else its share of the liquidated
    Cents paid = 0;   // its own payments
    Cents others = 0; // its share of the advances and of what others than the parties paid
    Cents owed = 0;   // what it still owes, from nothing up to the whole residue
};

struct Account {
    bool withCharges = false; // the amounts are kChargesIncluded
    Cents due = 0;            // the whole: the liquidated amount, or the parties' dues
    Cents advances = 0;
    Cents paid = 0;
    Cents residue = 0; // due - advances - paid; below zero when overpaid
    QList<PartyAccount> parties;
};

// The account of a decree. Advances and payments by others than the parties go to every party
// by its share; a party's own payments to its own part. Without parties, or with shares that do
// not add up to 100 %, the whole is charged as one part, withheld only when every party is a
// withholding agent. An Italian message when amounts are beyond reach.
std::variant<Account, QString> accountOf(const Liquidation &liquidation,
                                         const std::optional<FiscalDetails> &details);

} // namespace fee
