#pragma once

#include "document.h"
#include "partyshare.h"

#include <QDate>
#include <QDateTime>
#include <QString>

// The fee notice ("avviso di parcella") to a party charged by the decree: what to pay, and how.
// It is not an invoice and carries no invoice number.
namespace request {

struct FeeNotice {
    QString expert; // name and title, as the invoice will give them
    QString iban;
    QString court;
    QString caseNumber;
    QString judge;
    QDate decree;
    Cents liquidated = 0; // "Importo liquidato"
    Cents expenses = 0;   // "di cui spese"
    Cents advanced = 0;   // "di cui spese anticipate (art. 15)"
    fee::PartyAccount account;
    bool withCharges = false; // the expert's fiscal details are set
};

Document describeNotice(const FeeNotice &notice, const QDateTime &madeAt);

} // namespace request
