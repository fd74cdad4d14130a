#include "billing.h"

#include "accounts.h"

namespace tolvemar::billing {

namespace {

invoice::Address addressOf(const assignments::Address &a) {
    return {a.street, a.postcode, a.town, a.province};
}

// The three digits of the progressive.
constexpr int kLargestNumber = 999;

} // namespace

std::variant<fee::PartyAccount, QString> partyAccount(const assignments::Assignment &a, int party,
                                                      const assignments::Expert &expert) {
    if (party < 0 || party >= a.parties.size())
        return QStringLiteral("Scegliere prima una delle parti a carico.");
    const auto account = assignments::accountOf(a, assignments::fiscalDetails(expert));
    if (const QString *error = std::get_if<QString>(&account))
        return *error;
    return std::get<fee::Account>(account).parties[party];
}

std::variant<invoice::Invoice, QString> invoiceOf(const assignments::Assignment &a,
                                                  const assignments::Court &court, int party,
                                                  const assignments::Expert &expert) {
    if (!assignments::fiscalDetails(expert))
        return QStringLiteral("Indicare prima i dati fiscali del consulente (menu Incarichi).");
    if (!a.decree.isValid())
        return QStringLiteral("Indicare prima il decreto di liquidazione.");
    const auto account = partyAccount(a, party, expert);
    if (const QString *error = std::get_if<QString>(&account))
        return *error;
    const assignments::Party &payer = a.parties[party];
    invoice::Invoice in;
    in.expert = {expert.name,
                 expert.surname,
                 expert.title,
                 expert.taxCode,
                 expert.vatNumber,
                 addressOf(expert.address),
                 expert.register_,
                 expert.registerProvince,
                 expert.registerNumber,
                 expert.fiscal,
                 expert.iban};
    if (court.invoiceTo == assignments::InvoiceTo::Court) {
        in.buyer.name = court.name;
        in.buyer.ipaCode = court.ipaCode;
        in.buyer.taxCode = court.taxCode;
        in.buyer.address = addressOf(court.address);
    } else {
        in.buyer.name = payer.name;
        const bool pec = payer.recipient.contains(u'@');
        in.buyer.recipientCode =
            pec || payer.recipient.isEmpty() ? QStringLiteral("0000000") : payer.recipient;
        in.buyer.pec = pec ? payer.recipient : QString();
        (payer.taxId.size() == 16 ? in.buyer.taxCode : in.buyer.vatNumber) = payer.taxId;
        in.buyer.address = addressOf(payer.address);
    }
    in.caseNumber = a.caseNumber;
    in.decreeDate = a.decree;
    in.payer = payer.name;
    in.payerWithholds = payer.withholdingAgent;
    // The party's last payment, with its note as the reference (CRO or cheque).
    for (const assignments::Payment &payment : a.payments)
        if (payment.payer.trimmed() == payer.name.trimmed() &&
            (!in.paymentDate.isValid() || payment.date >= in.paymentDate)) {
            in.paymentDate = payment.date;
            in.paymentReference = payment.note;
        }
    in.part = std::get<fee::PartyAccount>(account).part;
    return in;
}

QString progressive(int number, QDate date) {
    return QStringLiteral("%1%2")
        .arg(date.year() % 100, 2, 10, QLatin1Char('0'))
        .arg(number, 3, 10, QLatin1Char('0'));
}

std::variant<assignments::Invoice, QString> issue(assignments::Register &store,
                                                  const assignments::Assignment &a,
                                                  const assignments::Court &court, int party,
                                                  const assignments::Expert &expert, QDate today) {
    const auto drafted = invoiceOf(a, court, party, expert);
    if (const QString *error = std::get_if<QString>(&drafted))
        return *error;
    invoice::Invoice in = std::get<invoice::Invoice>(drafted);
    in.date = today;
    // The amounts the invoice states are the party's account's: the same fee::chargesOf.
    const fee::PartyAccount account = std::get<fee::PartyAccount>(partyAccount(a, party, expert));
    const fee::Charges &c = *account.charges;
    assignments::Invoice record;
    record.assignment = a.id;
    record.date = today;
    record.party = a.parties[party].name;
    record.amounts = {in.part.fee,
                      in.part.taxableExpenses,
                      in.part.excludedExpenses,
                      c.fund,
                      c.vat,
                      c.withholding,
                      c.total,
                      c.payment};
    const auto written =
        [&](int number) -> std::variant<assignments::Register::InvoiceFile, QString> {
        if (number > kLargestNumber)
            return QStringLiteral("Numero della fattura: oltre %1 in un anno il nome del file non "
                                  "lo può contenere.")
                .arg(kLargestNumber);
        in.number = QStringLiteral("%1/%2").arg(number).arg(today.year());
        in.progressive = progressive(number, today);
        auto made = invoice::makeInvoice(in, today);
        if (const QString *error = std::get_if<QString>(&made))
            return *error;
        const invoice::Document &document = std::get<invoice::Document>(made);
        return assignments::Register::InvoiceFile{document.fileName, document.xml};
    };
    return store.addInvoice(record, expert.nextNumber, written);
}

} // namespace tolvemar::billing
