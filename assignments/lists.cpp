#include "registerprivate.h"

#include <functional>
#include <iterator>

// An assignment's lists, each kept in a table of its own by position: written afresh with the
// assignment's fields, read back in the same order.
namespace assignments {

namespace {

const char *const kReductions[] = {"", "sommaria", "giudizio", "precedente", "non-commerciale"};
const char *const kAsked[] = {"minimo", "medio", "massimo", "importo"};
const char *const kTerms[] = {"bozza", "osservazioni"};

template <typename Enum, std::size_t N>
Enum enumOf(const QVariant &value, const char *const (&texts)[N]) {
    const QByteArray text = value.toString().toUtf8();
    for (std::size_t i = 0; i < N; ++i)
        if (text == texts[i])
            return Enum(i);
    return Enum(0); // the tables' CHECK allows nothing else
}

// Inserts `count` rows through `sql`, `bind` giving each one's values after the assignment and
// the position.
QString insertRows(Register::Private &d, Transaction &transaction, const char *sql, qint64 id,
                   qsizetype count, const std::function<QVariantList(qsizetype)> &bind) {
    QSqlQuery &insert = d.prepared(QString::fromLatin1(sql));
    for (qsizetype i = 0; i < count; ++i) {
        insert.addBindValue(id);
        insert.addBindValue(i);
        for (const QVariant &value : bind(i))
            insert.addBindValue(value);
        if (!insert.exec())
            return transaction.fail(insert);
    }
    return {};
}

// Reads the rows `sql` selects for `id`, handing each to `take`.
QString readRows(Register::Private &d, Transaction &transaction, const char *sql, qint64 id,
                 const std::function<void(const QSqlQuery &)> &take) {
    QSqlQuery &query = d.prepared(QString::fromLatin1(sql));
    query.addBindValue(id);
    if (!query.exec())
        return transaction.fail(query);
    while (query.next())
        take(query);
    query.finish();
    return {};
}

} // namespace

QString writeLists(Register::Private &d, Transaction &transaction, qint64 id, const Assignment &a) {
    for (const char *table :
         {"extension", "expense", "fee_item", "term_extension", "party", "payment"}) {
        QSqlQuery &clear = d.prepared(
            QStringLiteral("DELETE FROM %1 WHERE assignment_id = ?").arg(QLatin1String(table)));
        clear.addBindValue(id);
        if (!clear.exec())
            return transaction.fail(clear);
    }
    const Term *terms[] = {&a.draftToParties, &a.partiesObservations};
    QString error = insertRows(
        d, transaction, "INSERT INTO extension (assignment_id, position, date) VALUES (?, ?, ?)",
        id, a.period.extensions.size(),
        [&](qsizetype i) -> QVariantList { return {dateValue(a.period.extensions[i])}; });
    for (std::size_t t = 0; t < std::size(terms) && error.isEmpty(); ++t)
        error = insertRows(
            d, transaction,
            "INSERT INTO term_extension (assignment_id, position, term, date) "
            "VALUES (?, ?, ?, ?)",
            id, terms[t]->extensions.size(), [&](qsizetype i) -> QVariantList {
                return {QString::fromLatin1(kTerms[t]), dateValue(terms[t]->extensions[i])};
            });
    if (error.isEmpty())
        error = insertRows(d, transaction,
                           "INSERT INTO expense (assignment_id, position, description, "
                           "amount_cents) VALUES (?, ?, ?, ?)",
                           id, a.expenses.size(), [&](qsizetype i) -> QVariantList {
                               return {textValue(a.expenses[i].description), a.expenses[i].amount};
                           });
    if (error.isEmpty())
        error = insertRows(
            d, transaction,
            "INSERT INTO fee_item (assignment_id, position, article, value_cents, revenues_cents, "
            "reduction, asked, asked_cents, description, quantity) "
            "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
            id, a.feeItems.size(), [&](qsizetype i) -> QVariantList {
                const FeeItem &item = a.feeItems[i];
                return {textValue(item.article),
                        item.value,
                        item.revenues,
                        QString::fromLatin1(kReductions[int(item.reduction)]),
                        QString::fromLatin1(kAsked[int(item.asked)]),
                        item.amount,
                        textValue(item.description),
                        item.quantity};
            });
    if (error.isEmpty())
        error = insertRows(
            d, transaction,
            "INSERT INTO party (assignment_id, position, name, share_hundredths, jointly, tax_id, "
            "street, postcode, town, province, recipient, withholding_agent) "
            "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
            id, a.parties.size(), [&](qsizetype i) -> QVariantList {
                const Party &p = a.parties[i];
                return {textValue(p.name),
                        p.shareHundredths,
                        int(p.jointly),
                        textValue(p.taxId),
                        textValue(p.address.street),
                        textValue(p.address.postcode),
                        textValue(p.address.town),
                        textValue(p.address.province),
                        textValue(p.recipient),
                        int(p.withholdingAgent)};
            });
    if (error.isEmpty())
        error = insertRows(d, transaction,
                           "INSERT INTO payment (assignment_id, position, date, payer, "
                           "amount_cents, note) VALUES (?, ?, ?, ?, ?, ?)",
                           id, a.payments.size(), [&](qsizetype i) -> QVariantList {
                               const Payment &payment = a.payments[i];
                               return {dateValue(payment.date), textValue(payment.payer),
                                       payment.amount, textValue(payment.note)};
                           });
    return error;
}

FeeItem feeItemOf(const QSqlQuery &q, int first) {
    return {q.value(first).toString(),
            q.value(first + 1).toLongLong(),
            q.value(first + 2).toLongLong(),
            enumOf<FeeReduction>(q.value(first + 3), kReductions),
            enumOf<FeeAsked>(q.value(first + 4), kAsked),
            q.value(first + 5).toLongLong(),
            q.value(first + 6).toString(),
            q.value(first + 7).toInt()};
}

QString readLists(Register::Private &d, Transaction &transaction, Assignment &a) {
    QString error = readRows(
        d, transaction, "SELECT date FROM extension WHERE assignment_id = ? ORDER BY position",
        a.id, [&](const QSqlQuery &q) { a.period.extensions.append(valueDate(q.value(0))); });
    if (error.isEmpty())
        error = readRows(d, transaction,
                         "SELECT term, date FROM term_extension WHERE assignment_id = ? "
                         "ORDER BY term, position",
                         a.id, [&](const QSqlQuery &q) {
                             Term &term = q.value(0).toString() == QLatin1String(kTerms[0])
                                              ? a.draftToParties
                                              : a.partiesObservations;
                             term.extensions.append(valueDate(q.value(1)));
                         });
    if (error.isEmpty())
        error = readRows(d, transaction,
                         "SELECT description, amount_cents FROM expense WHERE assignment_id = ? "
                         "ORDER BY position",
                         a.id, [&](const QSqlQuery &q) {
                             a.expenses.append({q.value(0).toString(), q.value(1).toLongLong()});
                         });
    if (error.isEmpty())
        error = readRows(d, transaction,
                         "SELECT article, value_cents, revenues_cents, reduction, asked, "
                         "asked_cents, description, quantity FROM fee_item WHERE assignment_id = ? "
                         "ORDER BY position",
                         a.id, [&](const QSqlQuery &q) { a.feeItems.append(feeItemOf(q, 0)); });
    if (error.isEmpty())
        error = readRows(
            d, transaction,
            "SELECT name, share_hundredths, jointly, tax_id, street, postcode, town, province, "
            "recipient, withholding_agent FROM party WHERE assignment_id = ? ORDER BY position",
            a.id, [&](const QSqlQuery &q) {
                a.parties.append({q.value(0).toString(),
                                  q.value(1).toInt(),
                                  q.value(2).toBool(),
                                  q.value(3).toString(),
                                  {q.value(4).toString(), q.value(5).toString(),
                                   q.value(6).toString(), q.value(7).toString()},
                                  q.value(8).toString(),
                                  q.value(9).toBool()});
            });
    if (error.isEmpty())
        error = readRows(d, transaction,
                         "SELECT date, payer, amount_cents, note FROM payment WHERE "
                         "assignment_id = ? ORDER BY position",
                         a.id, [&](const QSqlQuery &q) {
                             a.payments.append({valueDate(q.value(0)), q.value(1).toString(),
                                                q.value(2).toLongLong(), q.value(3).toString()});
                         });
    return error;
}

} // namespace assignments
