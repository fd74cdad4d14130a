#include "invoicing.h"

#include "fiscalcodes.h"

namespace fee {

Cents percentOf(Cents amount, Rate rate) {
    return (amount * rate + 5000) / 10000;
}

std::optional<Charges> chargesOf(const FiscalDetails &details, const PartyPart &part,
                                 bool withholdingAgent) {
    for (Cents amount : {part.fee, part.taxableExpenses, part.excludedExpenses}) {
        if (amount < 0 || amount > kMaxAmount)
            return std::nullopt;
    }
    if (details.fundRate < 0 || details.fundRate > 10000)
        return std::nullopt;

    Charges c;
    c.fundBase = part.fee + part.taxableExpenses;
    if (details.hasFund()) {
        c.fund = percentOf(c.fundBase, details.fundRate);
        const Fund *fund = fundOf(details.fundCode);
        c.fundWithheld = fund && fund->withheld;
    }
    c.vatBase = c.fundBase + c.fund;
    const bool ordinary = details.regime == Regime::Ordinario;
    if (ordinary)
        c.vat = percentOf(c.vatBase, kVatRate);
    if (ordinary && withholdingAgent) {
        c.withholdingBase = c.fundBase + (c.fundWithheld ? c.fund : 0);
        c.withholding = percentOf(c.withholdingBase, kWithholdingRate);
    }
    c.total = c.vatBase + c.vat + part.excludedExpenses;
    if (!ordinary && c.total > kStampThreshold)
        c.stamp = kStampDuty;
    c.payment = c.total - c.withholding;
    return c;
}

} // namespace fee
