#include "accounts.h"

namespace assignments {

fee::Liquidation liquidationOf(const Assignment &a) {
    fee::Liquidation l{a.liquidated, a.decreeExpenses, a.decreeAdvanced, a.advances, {}, {}};
    for (const Party &party : a.parties)
        l.parties.append(
            {party.name, party.shareHundredths, party.jointly, party.withholdingAgent});
    for (const Payment &payment : a.payments)
        l.payments.append({payment.payer, payment.amount});
    return l;
}

std::variant<fee::Account, QString> accountOf(const Assignment &a,
                                              const std::optional<fee::FiscalDetails> &details) {
    return fee::accountOf(liquidationOf(a), details);
}

} // namespace assignments
