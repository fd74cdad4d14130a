#pragma once

#include "register.h"

// The checks the register makes before it saves an assignment, for the window to make as the
// user types. Each gives an Italian message, empty when all is well. No SQL.
namespace assignments {

// A known article, no negative amount.
QString feeItemError(const FeeItem &item);

// Every party named, each share from 0 to 100 %, its codes right (partyCodesError), and the shares
// adding up to 100 % unless every party is jointly liable ("in solido"). No parties at all is fine.
QString partiesError(const QList<Party> &parties);

// A party's tax code or VAT number, CAP, province and recipient code, each when given, checked as
// the invoice checks them.
QString partyCodesError(const Party &party);

// A date and an amount above zero.
QString paymentError(const Payment &payment);

// The first of the checks above that fails for `a`'s lists, the urgency of the fees by value
// within 0 to 20 %, the liquidated amount not negative and its expenses within it.
QString assignmentError(const Assignment &a);

// The draft, the observations and the filing of `a` in order (fee::orderError), but for a pair
// that `stored`, the assignment as the register holds it, already had out of order on the same
// days: such a register opens, and is mended one date at a time.
QString termsError(const Assignment &a, const Assignment &stored = {});

// 3333 as "33,33 %".
QString shareText(int hundredths);

} // namespace assignments
