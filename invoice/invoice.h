#pragma once

#include "invoicing.h"

#include <QByteArray>
#include <QDate>
#include <QString>

#include <variant>

// The electronic invoice (FatturaPA) of a party's part of a liquidation: its XML, checked
// against the official schema before anyone may write it.
namespace invoice {

struct Address {
    QString street; // with the house number
    QString postalCode;
    QString town;
    QString province; // two letters
};

struct Expert {
    QString name;
    QString surname;
    QString title; // optional, e.g. "Ing."
    QString taxCode;
    QString vatNumber;
    Address address;
    QString professionalRegister; // the three optional
    QString registerProvince;
    QString registerNumber;
    fee::FiscalDetails fiscal;
    QString iban;
};

// The buyer: the court's office by its IPA code (FPA12), or else the paying party (FPR12) by
// its 7-character recipient code, "0000000" with or without a PEC address.
struct Buyer {
    QString name;
    QString ipaCode;
    QString recipientCode;
    QString pec;
    QString vatNumber; // a party's, either or both
    QString taxCode;   // the office's, or a party's
    Address address;

    bool isOffice() const { return !ipaCode.isEmpty(); }
};

struct Invoice {
    QString number;
    QDate date;
    QString type = QStringLiteral("TD06"); // or TD01
    QString progressive;                   // of the file name, up to 5 [A-Za-z0-9]
    Expert expert;
    Buyer buyer;
    QString caseNumber;
    QDate decreeDate;
    QString payer;
    bool payerWithholds = false; // the party is a withholding agent
    QDate paymentDate;           // optional
    QString paymentReference;    // optional: CRO or cheque
    fee::PartyPart part;
};

struct Document {
    QString fileName; // IT + VAT number + _ + progressive + .xml
    QByteArray xml;
    fee::Charges charges;
};

// The invoice checked, written and validated against the schema; or an Italian message that
// names the field at fault. `today` bounds the date.
std::variant<Document, QString> makeInvoice(const Invoice &invoice, const QDate &today);

// An Italian message of why `xml` is not a valid invoice, or an empty text.
QString schemaErrors(const QByteArray &xml);

// Writes `xml` to `path` whole, and only if it passes the schema: an Italian message, or empty.
QString writeInvoiceFile(const QByteArray &xml, const QString &path);

} // namespace invoice
