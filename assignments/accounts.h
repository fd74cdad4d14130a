#pragma once

#include "partyshare.h"
#include "register.h"

// An assignment's decree, parties and payments as fee::accountOf takes them. No SQL.
namespace assignments {

fee::Liquidation liquidationOf(const Assignment &a);

// fee::accountOf on `a`, or the message.
std::variant<fee::Account, QString> accountOf(const Assignment &a,
                                              const std::optional<fee::FiscalDetails> &details);

} // namespace assignments
