#include "registerprivate.h"

// The courts kept by name and the invoices issued, each with its number taken in the same
// transaction that records it.
namespace assignments {

namespace {

constexpr auto kInvoiceColumns =
    "id, assignment_id, number, date, party, fee_cents, expenses_cents, advanced_cents, "
    "contribution_cents, vat_cents, withholding_cents, total_cents, payment_cents, file_name, xml";

Invoice invoiceOf(const QSqlQuery &q) {
    Invoice invoice;
    invoice.id = q.value(0).toLongLong();
    invoice.assignment = q.value(1).toLongLong();
    invoice.number = q.value(2).toInt();
    invoice.date = valueDate(q.value(3));
    invoice.party = q.value(4).toString();
    Cents *amounts[] = {&invoice.amounts.fee,      &invoice.amounts.expenses,
                        &invoice.amounts.advanced, &invoice.amounts.contribution,
                        &invoice.amounts.vat,      &invoice.amounts.withholding,
                        &invoice.amounts.total,    &invoice.amounts.payment};
    for (int i = 0; i < 8; ++i)
        *amounts[i] = q.value(5 + i).toLongLong();
    invoice.fileName = q.value(13).toString();
    invoice.xml = q.value(14).toByteArray();
    return invoice;
}

std::variant<int, QString> lastNumber(Register::Private &d, Transaction &transaction, int year) {
    QSqlQuery &query =
        d.prepared(QStringLiteral("SELECT COALESCE(MAX(number), 0) FROM invoice WHERE year = ?"));
    query.addBindValue(year);
    if (!query.exec() || !query.next())
        return transaction.fail(query);
    const int last = query.value(0).toInt();
    query.finish();
    return last;
}

} // namespace

std::variant<Court, QString> Register::court(const QString &name) const {
    Transaction transaction(*d, Transaction::Kind::Read);
    if (!transaction.error().isEmpty())
        return transaction.error();
    QSqlQuery &query =
        d->prepared(QStringLiteral("SELECT ipa_code, tax_code, street, postcode, town, province, "
                                   "invoice_to FROM court WHERE name = ?"));
    query.addBindValue(name.trimmed());
    if (!query.exec())
        return transaction.fail(query);
    Court court{name.trimmed(), {}, {}, {}, InvoiceTo::Court};
    if (query.next())
        court = {name.trimmed(),
                 query.value(0).toString(),
                 query.value(1).toString(),
                 {query.value(2).toString(), query.value(3).toString(), query.value(4).toString(),
                  query.value(5).toString()},
                 query.value(6).toString() == QLatin1String("parte") ? InvoiceTo::Party
                                                                     : InvoiceTo::Court};
    query.finish();
    return court;
}

QString Register::saveCourt(const Court &court) {
    if (court.name.trimmed().isEmpty())
        return QStringLiteral("Indicare prima l'ufficio giudiziario nei dati dell'incarico.");
    Transaction transaction(*d, Transaction::Kind::Change);
    if (!transaction.error().isEmpty())
        return transaction.error();
    QSqlQuery &query = d->prepared(
        QStringLiteral("INSERT OR REPLACE INTO court (name, ipa_code, tax_code, street, postcode, "
                       "town, province, invoice_to) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"));
    for (const QVariant &value :
         {textValue(court.name.trimmed()), textValue(court.ipaCode), textValue(court.taxCode),
          textValue(court.address.street), textValue(court.address.postcode),
          textValue(court.address.town), textValue(court.address.province),
          QVariant(court.invoiceTo == InvoiceTo::Party ? QStringLiteral("parte")
                                                       : QStringLiteral("ufficio"))})
        query.addBindValue(value);
    if (!query.exec())
        return transaction.fail(query);
    return transaction.commit();
}

std::variant<QStringList, QString> Register::courtNames() const {
    Transaction transaction(*d, Transaction::Kind::Read);
    if (!transaction.error().isEmpty())
        return transaction.error();
    QSqlQuery &query = d->prepared(QStringLiteral(
        "SELECT name FROM court UNION SELECT trim(court) FROM assignment WHERE trim(court) <> '' "
        "ORDER BY 1"));
    if (!query.exec())
        return transaction.fail(query);
    QStringList names;
    while (query.next())
        names.append(query.value(0).toString());
    query.finish();
    return names;
}

std::variant<QList<Invoice>, QString> Register::invoices(qint64 assignment) const {
    Transaction transaction(*d, Transaction::Kind::Read);
    if (!transaction.error().isEmpty())
        return transaction.error();
    QSqlQuery &query =
        d->prepared(QStringLiteral("SELECT %1 FROM invoice WHERE assignment_id = ? ORDER BY id")
                        .arg(QLatin1String(kInvoiceColumns)));
    query.addBindValue(assignment);
    if (!query.exec())
        return transaction.fail(query);
    QList<Invoice> invoices;
    while (query.next())
        invoices.append(invoiceOf(query));
    query.finish();
    return invoices;
}

std::variant<int, QString> Register::lastInvoiceNumber(int year) const {
    Transaction transaction(*d, Transaction::Kind::Read);
    if (!transaction.error().isEmpty())
        return transaction.error();
    return lastNumber(*d, transaction, year);
}

std::variant<Invoice, QString> Register::addInvoice(Invoice draft, int requested,
                                                    const InvoiceWriter &write) {
    if (!draft.date.isValid())
        return QStringLiteral("La fattura non ha la data.");
    // Taken under the write lock: no other process can take the same number meanwhile.
    Transaction transaction(*d, Transaction::Kind::Change);
    if (!transaction.error().isEmpty())
        return transaction.error();
    const auto last = lastNumber(*d, transaction, draft.date.year());
    if (const QString *error = std::get_if<QString>(&last))
        return *error;
    // A number below the last taken was given already: the settings were not told of it, as
    // when the program stopped right after the commit.
    draft.number = std::max(requested, std::get<int>(last) + 1);
    const auto file = write(draft.number);
    if (const QString *error = std::get_if<QString>(&file))
        return *error;
    draft.fileName = std::get<InvoiceFile>(file).name;
    draft.xml = std::get<InvoiceFile>(file).xml;
    QSqlQuery &insert = d->prepared(
        QStringLiteral("INSERT INTO invoice (assignment_id, year, number, date, party, fee_cents, "
                       "expenses_cents, advanced_cents, contribution_cents, vat_cents, "
                       "withholding_cents, total_cents, payment_cents, file_name, xml) "
                       "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    const InvoiceAmounts &m = draft.amounts;
    for (const QVariant &value :
         {QVariant(draft.assignment), QVariant(draft.date.year()), QVariant(draft.number),
          dateValue(draft.date), textValue(draft.party), QVariant(m.fee), QVariant(m.expenses),
          QVariant(m.advanced), QVariant(m.contribution), QVariant(m.vat), QVariant(m.withholding),
          QVariant(m.total), QVariant(m.payment), textValue(draft.fileName), QVariant(draft.xml)})
        insert.addBindValue(value);
    if (!insert.exec())
        return transaction.fail(insert);
    draft.id = insert.lastInsertId().toLongLong();
    if (QString error = transaction.commit(); !error.isEmpty())
        return error;
    return draft;
}

} // namespace assignments
