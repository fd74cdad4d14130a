#pragma once

#include "invoice.h"

#include <variant>

namespace invoice {

// The invoice with its texts made plain Latin-1, once every field is checked; or an Italian
// message naming the first field at fault.
std::variant<Invoice, QString> checkedInvoice(const Invoice &invoice, const QDate &today);

// "1418.80": an amount as the invoice writes it.
QString amountText(fee::Cents cents);

} // namespace invoice
