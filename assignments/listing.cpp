#include "files.h"
#include "registerprivate.h"

#include "feeitems.h"
#include "partyshare.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QTemporaryFile>

namespace assignments {

namespace {

// The minutes of each assignment's days from its appointment on, ordinary and udienza apart,
// summed in SQL; the days after the real end of the last deadline (fee::realEnd, which SQL cannot
// compute) are left out as the rows are read, as fee::logTotals leaves them.
constexpr auto kDayMinutes =
    "SELECT s.assignment_id, s.date, "
    "SUM(CASE WHEN s.udienza THEN 0 ELSE s.to_minute - s.from_minute END), "
    "SUM(CASE WHEN s.udienza THEN s.to_minute - s.from_minute ELSE 0 END) "
    "FROM session s JOIN assignment a ON a.id = s.assignment_id "
    "WHERE a.appointment IS NULL OR s.date >= a.appointment "
    "GROUP BY s.assignment_id, s.date";

// Every assignment's fee items, in its order, with the appointment that chooses the tables.
constexpr auto kFeeItems =
    "SELECT f.assignment_id, a.appointment, f.article, f.value_cents, f.revenues_cents, "
    "f.reduction, f.asked, f.asked_cents, f.description, f.quantity FROM fee_item f "
    "JOIN assignment a ON a.id = f.assignment_id ORDER BY f.assignment_id, f.position";

constexpr auto kRows = "SELECT a.id, a.case_number, a.court, a.report_filed, "
                       "(SELECT MAX(d) FROM (SELECT a.deadline AS d UNION ALL "
                       "SELECT e.date FROM extension e WHERE e.assignment_id = a.id)), "
                       "(SELECT MAX(s.date) FROM session s WHERE s.assignment_id = a.id), "
                       "a.decree FROM assignment a ORDER BY a.id";

constexpr auto kCredits = "SELECT a.id, a.case_number, a.court, a.decree FROM assignment a "
                          "WHERE a.decree IS NOT NULL ORDER BY a.decree, a.id";

// What fee::accountOf needs of every assignment with a decree, read in three queries whatever
// their number.
constexpr auto kDecrees = "SELECT id, liquidated_cents, decree_expenses_cents, "
                          "decree_advanced_cents, advances_cents FROM assignment "
                          "WHERE decree IS NOT NULL";
constexpr auto kParties = "SELECT p.assignment_id, p.name, p.share_hundredths, p.jointly, "
                          "p.withholding_agent FROM party p JOIN assignment a ON a.id = "
                          "p.assignment_id WHERE a.decree IS NOT NULL ORDER BY p.position";
constexpr auto kPayments = "SELECT p.assignment_id, p.payer, p.amount_cents FROM payment p "
                           "JOIN assignment a ON a.id = p.assignment_id "
                           "WHERE a.decree IS NOT NULL ORDER BY p.position";

std::variant<QHash<qint64, fee::Liquidation>, QString> liquidations(Register::Private &d,
                                                                    Transaction &transaction) {
    QHash<qint64, fee::Liquidation> all;
    QSqlQuery &decrees = d.prepared(QString::fromLatin1(kDecrees));
    if (!decrees.exec())
        return transaction.fail(decrees);
    while (decrees.next())
        all.insert(decrees.value(0).toLongLong(), {decrees.value(1).toLongLong(),
                                                   decrees.value(2).toLongLong(),
                                                   decrees.value(3).toLongLong(),
                                                   decrees.value(4).toLongLong(),
                                                   {},
                                                   {}});
    decrees.finish();
    QSqlQuery &parties = d.prepared(QString::fromLatin1(kParties));
    if (!parties.exec())
        return transaction.fail(parties);
    while (parties.next())
        all[parties.value(0).toLongLong()].parties.append(
            {parties.value(1).toString(), parties.value(2).toInt(), parties.value(3).toBool(),
             parties.value(4).toBool()});
    parties.finish();
    QSqlQuery &payments = d.prepared(QString::fromLatin1(kPayments));
    if (!payments.exec())
        return transaction.fail(payments);
    while (payments.next())
        all[payments.value(0).toLongLong()].payments.append(
            {payments.value(1).toString(), payments.value(2).toLongLong()});
    payments.finish();
    return all;
}

const char *const kTooLarge = "Gli importi superano quanto il programma sa sommare.";

} // namespace

std::variant<QList<ListRow>, QString>
Register::list(fee::Tariff tariff, const std::optional<fee::FiscalDetails> &details) const {
    Transaction transaction(*d, Transaction::Kind::Read);
    if (!transaction.error().isEmpty())
        return transaction.error();
    const auto decrees = liquidations(*d, transaction);
    if (const QString *error = std::get_if<QString>(&decrees))
        return *error;

    QSqlQuery &rows = d->prepared(QString::fromLatin1(kRows));
    if (!rows.exec())
        return transaction.fail(rows);
    QList<ListRow> list;
    QHash<qint64, QDate> paidUntil;
    while (rows.next()) {
        ListRow row;
        row.id = rows.value(0).toLongLong();
        row.caseNumber = rows.value(1).toString();
        row.court = rows.value(2).toString();
        row.lastDeadline = valueDate(rows.value(4));
        // fee::completionDate: the report's filing, else the last session's day.
        const QDate filed = valueDate(rows.value(3));
        row.reportFiled = filed;
        row.requestDeadline =
            fee::requestDeadline(filed.isValid() ? filed : valueDate(rows.value(5)));
        row.decree = valueDate(rows.value(6));
        if (row.hasDecree()) {
            const auto account = fee::accountOf(std::get<0>(decrees).value(row.id), details);
            if (const QString *error = std::get_if<QString>(&account))
                return *error;
            row.outstanding = std::get<fee::Account>(account).residue;
        }
        paidUntil.insert(row.id, fee::realEnd(row.lastDeadline));
        list.append(row);
    }
    rows.finish();

    QHash<qint64, qint64> halves;
    QSqlQuery &days = d->prepared(QString::fromLatin1(kDayMinutes));
    if (!days.exec())
        return transaction.fail(days);
    while (days.next()) {
        const qint64 id = days.value(0).toLongLong();
        const QDate last = paidUntil.value(id);
        if (last.isValid() && valueDate(days.value(1)) > last)
            continue;
        const qint64 ordinary = fee::halvesForMinutes(days.value(2).toLongLong());
        halves[id] += std::min(ordinary, fee::kDailyCapHalves) +
                      fee::halvesForMinutes(days.value(3).toLongLong());
    }
    days.finish();

    // The amounts the fee items ask, before their increases as the vacazioni's fee is.
    QHash<qint64, Cents> tables;
    QSqlQuery &items = d->prepared(QString::fromLatin1(kFeeItems));
    if (!items.exec())
        return transaction.fail(items);
    while (items.next()) {
        const auto settled = settleFeeItems({feeItemOf(items, 2)}, valueDate(items.value(1)), {});
        const auto sum = std::holds_alternative<fee::TableSettlement>(settled)
                             ? fee::addCents(tables.value(items.value(0).toLongLong()),
                                             std::get<fee::TableSettlement>(settled).fee)
                             : std::nullopt;
        if (!sum)
            return QString::fromUtf8(kTooLarge);
        tables[items.value(0).toLongLong()] = *sum;
    }
    items.finish();

    for (ListRow &row : list) {
        row.halves = halves.value(row.id);
        const auto fee = fee::feeForHalves(row.halves, tariff);
        const auto withTables = fee ? fee::addCents(*fee, tables.value(row.id)) : std::nullopt;
        if (!withTables)
            return QString::fromUtf8(kTooLarge);
        row.fee = *withTables;
    }
    return list;
}

std::variant<QList<Credit>, QString>
Register::credits(QDate today, const std::optional<fee::FiscalDetails> &details) const {
    Transaction transaction(*d, Transaction::Kind::Read);
    if (!transaction.error().isEmpty())
        return transaction.error();
    const auto decrees = liquidations(*d, transaction);
    if (const QString *error = std::get_if<QString>(&decrees))
        return *error;
    QSqlQuery &rows = d->prepared(QString::fromLatin1(kCredits));
    if (!rows.exec())
        return transaction.fail(rows);
    QList<Credit> credits;
    while (rows.next()) {
        Credit credit{rows.value(0).toLongLong(), rows.value(1).toString(),
                      rows.value(2).toString(), valueDate(rows.value(3))};
        const auto account = fee::accountOf(std::get<0>(decrees).value(credit.id), details);
        if (const QString *error = std::get_if<QString>(&account))
            return *error;
        const fee::Account &sums = std::get<fee::Account>(account);
        credit.liquidated = sums.due;
        credit.advances = sums.advances;
        credit.paid = sums.paid;
        credit.outstanding = sums.residue;
        credit.days = credit.decree.daysTo(today);
        if (credit.outstanding > 0)
            credits.append(credit);
    }
    rows.finish();
    return credits;
}

QString Register::backup(const QString &target) const {
    const QFileInfo to(target);
    if (to.absoluteFilePath() == d->path ||
        (to.exists() && to.canonicalFilePath() == QFileInfo(d->path).canonicalFilePath()))
        return QStringLiteral("La copia non può prendere il posto del registro stesso: scegliere "
                              "un altro file.");
    const QString failed = QStringLiteral("La copia di sicurezza non è stata scritta: %1");

    // VACUUM INTO writes only to a new or empty file: a private temporary one beside the target,
    // which then takes the target's name at once. Only its name is kept: Windows renames no file
    // that is still open, as a QTemporaryFile's is until it is destroyed.
    QString copy;
    {
        QTemporaryFile temporary(to.absolutePath() + QStringLiteral("/.incarichi-copia-XXXXXX"));
        temporary.setAutoRemove(false);
        if (!temporary.open())
            return failed.arg(temporary.errorString());
        copy = temporary.fileName();
    }
    const auto fail = [&](const QString &why) {
        QFile::remove(copy);
        return failed.arg(why);
    };
    {
        QSqlQuery vacuum(d->db);
        vacuum.prepare(QStringLiteral("VACUUM INTO ?"));
        vacuum.addBindValue(copy);
        if (!vacuum.exec())
            return fail(vacuum.lastError().text());
    }
    {
        QFile written(copy);
        if (!written.open(QIODevice::ReadWrite) || !files::syncToDisk(written))
            return fail(QStringLiteral("il disco non ha confermato la scrittura."));
    }
    if (!files::replace(copy, to.absoluteFilePath()))
        return fail(QStringLiteral("il file %1 non può essere sostituito.")
                        .arg(QDir::toNativeSeparators(target)));
    return {};
}

} // namespace assignments
