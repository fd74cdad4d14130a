#include "registerprivate.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QTemporaryFile>

#include <cstdio>
#include <unistd.h>

namespace assignments {

namespace {

// The paid days as fee::logTotals counts them, summed in SQL: the minutes of each assignment's
// days, ordinary and udienza apart, between its appointment and its last deadline. The bounds
// are computed once for each assignment, not once for each session.
constexpr auto kDayMinutes =
    "WITH bounds AS MATERIALIZED (SELECT a.id, a.appointment AS first_day, "
    "(SELECT MAX(d) FROM (SELECT a.deadline AS d UNION ALL "
    "SELECT e.date FROM extension e WHERE e.assignment_id = a.id)) AS last_day "
    "FROM assignment a) "
    "SELECT s.assignment_id, "
    "SUM(CASE WHEN s.udienza THEN 0 ELSE s.to_minute - s.from_minute END), "
    "SUM(CASE WHEN s.udienza THEN s.to_minute - s.from_minute ELSE 0 END) "
    "FROM session s JOIN bounds b ON b.id = s.assignment_id "
    "WHERE (b.first_day IS NULL OR s.date >= b.first_day) "
    "AND (b.last_day IS NULL OR s.date <= b.last_day) "
    "GROUP BY s.assignment_id, s.date";

constexpr auto kRows = "SELECT a.id, a.case_number, a.court, a.report_filed, "
                       "(SELECT MAX(d) FROM (SELECT a.deadline AS d UNION ALL "
                       "SELECT e.date FROM extension e WHERE e.assignment_id = a.id)), "
                       "(SELECT MAX(s.date) FROM session s WHERE s.assignment_id = a.id) "
                       "FROM assignment a ORDER BY a.id";

} // namespace

std::variant<QList<ListRow>, QString> Register::list(fee::Tariff tariff) const {
    Transaction transaction(*d, Transaction::Kind::Read);
    if (!transaction.error().isEmpty())
        return transaction.error();

    QHash<qint64, qint64> halves;
    QSqlQuery &days = d->prepared(QString::fromLatin1(kDayMinutes));
    if (!days.exec())
        return transaction.fail(days);
    while (days.next()) {
        const qint64 ordinary = fee::halvesForMinutes(days.value(1).toLongLong());
        halves[days.value(0).toLongLong()] += std::min(ordinary, fee::kDailyCapHalves) +
                                              fee::halvesForMinutes(days.value(2).toLongLong());
    }
    days.finish();

    QSqlQuery &rows = d->prepared(QString::fromLatin1(kRows));
    if (!rows.exec())
        return transaction.fail(rows);
    QList<ListRow> list;
    while (rows.next()) {
        ListRow row;
        row.id = rows.value(0).toLongLong();
        row.caseNumber = rows.value(1).toString();
        row.court = rows.value(2).toString();
        row.lastDeadline = valueDate(rows.value(4));
        // fee::completionDate: the report's filing, else the last session's day.
        const QDate filed = valueDate(rows.value(3));
        row.requestDeadline =
            fee::requestDeadline(filed.isValid() ? filed : valueDate(rows.value(5)));
        row.halves = halves.value(row.id);
        const auto fee = fee::feeForHalves(row.halves, tariff);
        if (!fee)
            return QStringLiteral("Gli importi superano quanto il programma sa sommare.");
        row.fee = *fee;
        list.append(row);
    }
    rows.finish();
    return list;
}

QString Register::backup(const QString &target) const {
    const QFileInfo to(target);
    if (to.absoluteFilePath() == d->path ||
        (to.exists() && to.canonicalFilePath() == QFileInfo(d->path).canonicalFilePath()))
        return QStringLiteral("La copia non può prendere il posto del registro stesso: scegliere "
                              "un altro file.");
    const QString failed = QStringLiteral("La copia di sicurezza non è stata scritta: %1");

    // VACUUM INTO writes only to a new or empty file: a private temporary one beside the target,
    // which then takes the target's name at once.
    QTemporaryFile temporary(to.absolutePath() + QStringLiteral("/.incarichi-copia-XXXXXX"));
    if (!temporary.open())
        return failed.arg(temporary.errorString());
    QSqlQuery vacuum(d->db);
    vacuum.prepare(QStringLiteral("VACUUM INTO ?"));
    vacuum.addBindValue(temporary.fileName());
    if (!vacuum.exec())
        return failed.arg(vacuum.lastError().text());
    if (::fsync(temporary.handle()) != 0)
        return failed.arg(QStringLiteral("il disco non ha confermato la scrittura."));
    const QByteArray from = QFile::encodeName(temporary.fileName());
    const QByteArray name = QFile::encodeName(to.absoluteFilePath());
    if (std::rename(from.constData(), name.constData()) != 0)
        return failed.arg(QStringLiteral("il file %1 non può essere sostituito.").arg(target));
    temporary.setAutoRemove(false);
    return {};
}

} // namespace assignments
