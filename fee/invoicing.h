#pragma once

#include "money.h"

#include <QString>

#include <optional>

// What a party owes for its part of a liquidation once the fund contribution, VAT and the
// withholding are put on it, as the electronic invoice states them.
namespace fee {

// Rates in hundredths of a per cent: 2200 is 22.00 %.
using Rate = qint64;

constexpr Rate kVatRate = 2200;         // ordinary regime
constexpr Rate kWithholdingRate = 2000; // RT01, on the fee of a self-employed professional
constexpr Cents kStampDuty = 200;       // on a flat-rate invoice above the threshold
constexpr Cents kStampThreshold = 7747; // 77,47 €: the stamp is due above it
// The largest amount accepted in: ten thousand times it still fits in 64 bits, and its document
// total fits the 11 whole digits of an invoice amount.
constexpr Cents kMaxAmount = Cents(1'000'000'000) * 100;

enum class Regime {
    Ordinario,   // RF01: VAT at 22 %, withholding when the payer withholds
    Forfettario, // RF19: no VAT, no withholding, the stamp above the threshold
};

// The expert's fiscal details. The withholding is not a choice of the expert: it follows from
// the regime and from the payer, at kWithholdingRate.
struct FiscalDetails {
    Regime regime = Regime::Ordinario;
    QString fundCode; // TipoCassa, e.g. "TC04"; empty without a fund
    Rate fundRate = 0;

    bool hasFund() const { return !fundCode.isEmpty(); }
};

// A party's part of a liquidation, in cents.
struct PartyPart {
    Cents fee = 0;
    Cents taxableExpenses = 0;
    Cents excludedExpenses = 0; // advanced in the party's name, art. 15: no VAT, no fund
};

struct Charges {
    Cents fundBase = 0; // fee and taxable expenses
    Cents fund = 0;     // ImportoContributoCassa
    Cents vatBase = 0;  // the 22 % summary, or the N2.2 one when flat-rate
    Cents vat = 0;
    Cents withholdingBase = 0; // zero when nothing is withheld
    Cents withholding = 0;
    Cents stamp = 0;           // the supplier's own duty: part of no amount below
    Cents total = 0;           // ImportoTotaleDocumento
    Cents payment = 0;         // ImportoPagamento: the total less the withholding
    bool fundWithheld = false; // the contribution bears the withholding (TC22)
};

// `rate` of an amount, rounded half up to the cent; amounts are not negative.
Cents percentOf(Cents amount, Rate rate);

// Nothing when an amount is negative or above kMaxAmount, or the fund's rate is not from 0 to
// 100 %.
std::optional<Charges> chargesOf(const FiscalDetails &details, const PartyPart &part,
                                 bool withholdingAgent);

} // namespace fee
