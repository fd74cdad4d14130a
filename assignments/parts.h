#pragma once

#include "money.h"

#include <QDate>
#include <QList>
#include <QString>

// The parts of an assignment beyond its vacazioni: the fees by value it asks for, the terms
// towards the parties, who bears the fee and who has paid it. Plain values, no SQL.
namespace assignments {

using fee::Cents;

// "Onorari fissi e variabili": what the table asks for one item.
enum class FeeReduction { None, Sommaria, Giudizio, Precedente, NonCommerciale };
enum class FeeAsked { Minimum, Middle, Maximum, Amount };

struct FeeItem {
    QString article;    // "4", "5", "6.1", "6.3", "8.1", "8.3", "11", "13", "17", "21", "24"
    Cents value = 0;    // the value of the matter; for art. 4 the total assets
    Cents revenues = 0; // art. 4 only: the gross revenues ("ricavi")
    FeeReduction reduction = FeeReduction::None;
    FeeAsked asked = FeeAsked::Middle;
    Cents amount = 0; // what is asked when `asked` is Amount
    QString description;
    int quantity = 1; // items, samples or substances, for an article paid per item

    friend bool operator==(const FeeItem &, const FeeItem &) = default;
};

// The articles of every decree shipped, in the order of the law; none when a decree's data do
// not read.
const QStringList &feeArticles();

// A term of art. 195 c.p.c., kept as the filing deadline is: the date set by the judge and the
// dates it was moved to, the last of which holds.
struct Term {
    QDate date;
    QList<QDate> extensions;

    // The latest of the date and its extensions; null when none is set.
    QDate last() const;

    friend bool operator==(const Term &, const Term &) = default;
};

// A postal address as the electronic invoice asks for it.
struct Address {
    QString street;   // "Indirizzo"
    QString postcode; // "CAP"
    QString town;     // "Comune"
    QString province; // "Provincia", two letters

    bool isEmpty() const { return street.isEmpty() && postcode.isEmpty() && town.isEmpty(); }
    friend bool operator==(const Address &, const Address &) = default;
};

// "Parti a carico": a share in hundredths of a per cent, 33,33 % is 3333.
struct Party {
    QString name;
    int shareHundredths = 0;
    bool jointly = false; // "in solido"
    // Initialised, so that the parties of earlier versions may still be written by name, share and
    // "in solido" alone.
    QString taxId = {}; // "Codice fiscale o partita IVA"
    Address address = {};
    QString recipient = {};        // "Codice destinatario o PEC"
    bool withholdingAgent = false; // "Sostituto d'imposta"

    friend bool operator==(const Party &, const Party &) = default;
};

// "Fattura intestata a"
enum class InvoiceTo { Court, Party };

// "Ufficio giudiziario": kept once per name, for every assignment before that court.
struct Court {
    QString name;
    QString ipaCode; // of its office for "spese di giustizia"
    QString taxCode;
    Address address;
    InvoiceTo invoiceTo = InvoiceTo::Court;

    friend bool operator==(const Court &, const Court &) = default;
};

// The amounts of an invoice as it was issued.
struct InvoiceAmounts {
    Cents fee = 0;
    Cents expenses = 0; // taxable
    Cents advanced = 0; // "spese anticipate (art. 15)"
    Cents contribution = 0;
    Cents vat = 0;
    Cents withholding = 0;
    Cents total = 0;   // ImportoTotaleDocumento
    Cents payment = 0; // ImportoPagamento

    friend bool operator==(const InvoiceAmounts &, const InvoiceAmounts &) = default;
};

// An electronic invoice kept in the register, with the very bytes of its file. Its number is
// "12/2026": the number within the year of its date.
struct Invoice {
    qint64 id = 0;
    qint64 assignment = 0; // 0 once the assignment is removed: the number stays taken
    int number = 0;
    QDate date;
    QString party;
    InvoiceAmounts amounts;
    QString fileName;
    QByteArray xml;

    QString numberText() const { return QStringLiteral("%1/%2").arg(number).arg(date.year()); }
    friend bool operator==(const Invoice &, const Invoice &) = default;
};

inline constexpr int kWholeShare = 10000;

// "Pagamenti"
struct Payment {
    QDate date;
    QString payer; // one of the parties' names, or another payer
    Cents amount = 0;
    QString note;

    friend bool operator==(const Payment &, const Payment &) = default;
};

// An assignment whose liquidated fee is not all paid yet, as Register::credits gives it.
struct Credit {
    qint64 id = 0;
    QString caseNumber;
    QString court;
    QDate decree;         // "Decreto di liquidazione"
    Cents liquidated = 0; // fee::Account::due: with VAT and contribution when they are known
    Cents advances = 0;
    Cents paid = 0;
    Cents outstanding = 0; // liquidated - advances - paid, above zero
    qint64 days = 0;       // from the decree to the given day

    friend bool operator==(const Credit &, const Credit &) = default;
};

} // namespace assignments
