#pragma once

#include "invoice.h"

#include <variant>

namespace invoice {

// One invoice as tolvemar-fattura reads it: a JSON object, amounts as "1000.00" and dates as
// "2026-12-01"; or an Italian message naming the field at fault.
std::variant<Invoice, QString> invoiceFromJson(const QByteArray &json);

} // namespace invoice
