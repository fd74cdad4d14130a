#pragma once

#include "invoicing.h"
#include "parts.h"

#include <QString>

#include <optional>

// "Dati fiscali del consulente": who issues the invoices, kept in the user's settings under
// "Tolvemar" / "CalcoloCT" so that the window and tolvemar-registro read the same. No widgets.
namespace assignments {

struct Expert {
    QString name;    // "Nome"
    QString surname; // "Cognome"
    QString title;   // "Titolo", optional
    QString taxCode;
    QString vatNumber;
    Address address;
    QString register_;         // "Albo professionale", optional
    QString registerProvince;  // "Provincia dell'albo"
    QString registerNumber;    // "Numero di iscrizione"
    fee::FiscalDetails fiscal; // regime, fund and its rate
    QString iban;
    int nextNumber = 1; // of the next invoice: shared with the rest of the expert's work
};

Expert readExpert();
// Empty when kept, else the message.
QString writeExpert(const Expert &expert);

// The first field that is wrong, checked as tolvemar-fattura checks it; empty when all are
// right. Empty details are right too: they are not set.
QString expertError(const Expert &expert);

// The details' fiscal part once the expert's tax code and VAT number are given: the amounts then
// carry VAT and contribution. Nothing before.
std::optional<fee::FiscalDetails> fiscalDetails(const Expert &expert);

} // namespace assignments
