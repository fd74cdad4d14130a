#pragma once

#include "invoicing.h"

#include <QString>

#include <span>

// The codes of the electronic invoice that the expert's and the parties' details hold, and the
// checks of their shape. Each check takes the value as it is to be written (upper case, no
// spaces) and the field's name for the user, and gives an Italian message naming the field, or
// an empty text when the value is right.
namespace fee {

// A social security fund ("cassa previdenziale") by its TipoCassa code.
struct Fund {
    const char *code;
    const char *name; // as the invoice schema names it
    Rate defaultRate; // 0 where no rate is settled: the user sets it
    bool withheld;    // its contribution bears the withholding
};

std::span<const Fund> funds();
const Fund *fundOf(const QString &code);

QString checkVatNumber(const QString &value, const QString &field);
// 16 characters with the check letter of a person, or 11 digits with the check digit of a body.
QString checkTaxCode(const QString &value, const QString &field);
QString checkIban(const QString &value, const QString &field);
QString checkIpaCode(const QString &value, const QString &field);
// A party's recipient code at the exchange system: 7 characters.
QString checkRecipientCode(const QString &value, const QString &field);
QString checkProvince(const QString &value, const QString &field);
QString checkPostalCode(const QString &value, const QString &field);

} // namespace fee
