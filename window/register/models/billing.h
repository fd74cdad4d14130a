#pragma once

#include "expert.h"
#include "invoice.h"
#include "partyshare.h"
#include "register.h"

#include <variant>

// A party's bill on the decree: its account as fee::accountOf gives it, and the electronic invoice
// of its part, numbered and recorded in the register in one transaction. No widgets.
namespace tolvemar::billing {

// The account of party `party` of `a`, with VAT and contribution once the expert's details are
// set; or the message.
std::variant<fee::PartyAccount, QString> partyAccount(const assignments::Assignment &a, int party,
                                                      const assignments::Expert &expert);

// The invoice of that party's part, to the court's office or, when the court asks for it, to
// the party; its number and progressive still unset.
std::variant<invoice::Invoice, QString> invoiceOf(const assignments::Assignment &a,
                                                  const assignments::Court &court, int party,
                                                  const assignments::Expert &expert);

// The file's progressive: the year's last two digits and the number in three, "26012".
QString progressive(int number, QDate date);

// Takes the expert's next number (or the one after the last the register gave), writes the
// invoice dated `today` with it and records it, all in one transaction.
std::variant<assignments::Invoice, QString> issue(assignments::Register &store,
                                                  const assignments::Assignment &a,
                                                  const assignments::Court &court, int party,
                                                  const assignments::Expert &expert, QDate today);

} // namespace tolvemar::billing
