#pragma once

#include "invoicing.h"
#include "register.h"
#include "terms.h"

#include <QList>
#include <QString>

// What the register's window says of an assignment's terms and of its liquidation, as texts
// that the form and the summary show. No widgets.
namespace tolvemar::settlementtext {

// "Invio della bozza alle parti: 02/08/2025 — nel periodo di sospensione feriale (1-31 agosto);
// scade di fatto il 04/08/2025"
QString deadlineLine(const fee::Deadline &deadline);
// What the form says under a term: the August mark and the day it really ends, each when it
// applies; empty when neither does. The late filing it says beside the filing itself.
QString termNote(const fee::Deadline &deadline);

struct Line {
    QString caption;
    QString value;

    friend bool operator==(const Line &, const Line &) = default;
};

// Without a decree, nothing. Else the amount liquidated on the decree's day, with the expert's
// details what it comes to with VAT and contribution, the advances, the payments and what is
// still due ("Residuo da incassare"), then what each party still owes (fee::accountOf). A party
// "in solido" may be asked the whole residue.
QList<Line> settlementLines(const assignments::Assignment &a,
                            const std::optional<fee::FiscalDetails> &details = {});

} // namespace tolvemar::settlementtext
