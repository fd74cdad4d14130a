#include "registerprivate.h"
#include "validation.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <utility>

namespace assignments {

namespace {

constexpr auto kAssignmentColumns =
    "court, case_number, judge, subject, appointment, deadline, report_filed, panel, "
    "urgency_percent, increase_percent, advances_cents, note, table_urgency_percent, draft_date, "
    "observations_date, decree, liquidated_cents, decree_expenses_cents, decree_advanced_cents";

void bindFields(QSqlQuery &query, const Assignment &a) {
    for (const QVariant &value :
         {textValue(a.court), textValue(a.caseNumber), textValue(a.judge), textValue(a.subject),
          dateValue(a.period.appointment), dateValue(a.period.deadline), dateValue(a.reportFiled),
          QVariant(a.panel), QVariant(a.urgencyPercent), QVariant(a.increasePercent),
          QVariant(a.advances), textValue(a.note), QVariant(a.tableUrgencyPercent),
          dateValue(a.draftToParties.date), dateValue(a.partiesObservations.date),
          dateValue(a.decree), QVariant(a.liquidated), QVariant(a.decreeExpenses),
          QVariant(a.decreeAdvanced)})
        query.addBindValue(value);
}

// The assignment `id` with its lists, read in the caller's transaction.
std::variant<Assignment, QString> readAssignment(Register::Private &d, Transaction &transaction,
                                                 qint64 id) {
    QSqlQuery &query = d.prepared(QStringLiteral("SELECT %1 FROM assignment WHERE id = ?")
                                      .arg(QLatin1String(kAssignmentColumns)));
    query.addBindValue(id);
    if (!query.exec())
        return transaction.fail(query);
    if (!query.next())
        return QString::fromUtf8(kNoAssignmentMessage);
    Assignment a;
    a.id = id;
    a.court = query.value(0).toString();
    a.caseNumber = query.value(1).toString();
    a.judge = query.value(2).toString();
    a.subject = query.value(3).toString();
    a.period.appointment = valueDate(query.value(4));
    a.period.deadline = valueDate(query.value(5));
    a.reportFiled = valueDate(query.value(6));
    a.panel = query.value(7).toInt();
    a.urgencyPercent = query.value(8).toInt();
    a.increasePercent = query.value(9).toInt();
    a.advances = query.value(10).toLongLong();
    a.note = query.value(11).toString();
    a.tableUrgencyPercent = query.value(12).toInt();
    a.draftToParties.date = valueDate(query.value(13));
    a.partiesObservations.date = valueDate(query.value(14));
    a.decree = valueDate(query.value(15));
    a.liquidated = query.value(16).toLongLong();
    a.decreeExpenses = query.value(17).toLongLong();
    a.decreeAdvanced = query.value(18).toLongLong();
    query.finish();
    if (QString error = readLists(d, transaction, a); !error.isEmpty())
        return error;
    return a;
}

} // namespace

QString Register::defaultPath() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/incarichi.sqlite");
}

Register::Register(std::unique_ptr<Private> d)
    : d(std::move(d)) {}

Register::~Register() = default;

std::variant<std::unique_ptr<Register>, QString> Register::open(const QString &path, Mode mode) {
    auto d = std::make_unique<Private>();
    d->path = QFileInfo(path).absoluteFilePath();
    d->readOnly = mode == Mode::ReadOnly;
    if (d->path == QFileInfo(defaultPath()).absoluteFilePath()) {
        if (QString error = relocate(*d); !error.isEmpty())
            return error;
    }
    if (d->readOnly) {
        // Checked first: SQLite would otherwise report a missing file only as "cannot open".
        if (!QFileInfo(d->path).isFile())
            return QStringLiteral("Il registro «%1» non esiste ancora.")
                .arg(QDir::toNativeSeparators(d->path));
    } else if (QString error = prepareFile(d->path); !error.isEmpty()) {
        return error;
    }
    if (QString error = connectDatabase(*d); !error.isEmpty())
        return error;
    return std::unique_ptr<Register>(new Register(std::move(d)));
}

QString Register::path() const {
    return d->path;
}

QString Register::takeNotice() {
    return std::exchange(d->notice, QString());
}

std::variant<Assignment, QString> Register::assignment(qint64 id) const {
    Transaction transaction(*d, Transaction::Kind::Read);
    if (!transaction.error().isEmpty())
        return transaction.error();
    return readAssignment(*d, transaction, id);
}

std::variant<qint64, QString> Register::create(const Assignment &assignment) {
    if (QString error = assignmentError(assignment); !error.isEmpty())
        return error;
    if (QString error = termsError(assignment); !error.isEmpty())
        return error;
    Transaction transaction(*d, Transaction::Kind::Change);
    if (!transaction.error().isEmpty())
        return transaction.error();
    QSqlQuery &insert =
        d->prepared(QStringLiteral("INSERT INTO assignment (%1) VALUES "
                                   "(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)")
                        .arg(QLatin1String(kAssignmentColumns)));
    bindFields(insert, assignment);
    if (!insert.exec())
        return transaction.fail(insert);
    const qint64 id = insert.lastInsertId().toLongLong();
    if (QString error = writeLists(*d, transaction, id, assignment); !error.isEmpty())
        return error;
    if (QString error = transaction.commit(); !error.isEmpty())
        return error;
    return id;
}

QString Register::update(const Assignment &assignment) {
    if (QString error = assignmentError(assignment); !error.isEmpty())
        return error;
    Transaction transaction(*d, Transaction::Kind::Change);
    if (!transaction.error().isEmpty())
        return transaction.error();
    // Checked against the terms as stored, read under the write lock.
    const auto stored = readAssignment(*d, transaction, assignment.id);
    if (const QString *error = std::get_if<QString>(&stored))
        return *error;
    if (QString error = termsError(assignment, std::get<Assignment>(stored)); !error.isEmpty())
        return error;
    QSqlQuery &update = d->prepared(
        QStringLiteral("UPDATE assignment SET court = ?, case_number = ?, judge = ?, subject = ?, "
                       "appointment = ?, deadline = ?, report_filed = ?, panel = ?, "
                       "urgency_percent = ?, increase_percent = ?, advances_cents = ?, note = ?, "
                       "table_urgency_percent = ?, draft_date = ?, observations_date = ?, "
                       "decree = ?, liquidated_cents = ?, decree_expenses_cents = ?, "
                       "decree_advanced_cents = ? WHERE id = ?"));
    bindFields(update, assignment);
    update.addBindValue(assignment.id);
    if (!update.exec())
        return transaction.fail(update);
    if (update.numRowsAffected() != 1)
        return QString::fromUtf8(kNoAssignmentMessage);
    if (QString error = writeLists(*d, transaction, assignment.id, assignment); !error.isEmpty())
        return error;
    return transaction.commit();
}

QString deleteOne(Register::Private &d, const QString &sql, qint64 id, const char *missing) {
    Transaction transaction(d, Transaction::Kind::Change);
    if (!transaction.error().isEmpty())
        return transaction.error();
    QSqlQuery &remove = d.prepared(sql);
    remove.addBindValue(id);
    if (!remove.exec())
        return transaction.fail(remove);
    if (remove.numRowsAffected() != 1)
        return QString::fromUtf8(missing);
    return transaction.commit();
}

QString Register::remove(qint64 assignment) {
    // The sessions and every list go with it (ON DELETE CASCADE).
    return deleteOne(*d, QStringLiteral("DELETE FROM assignment WHERE id = ?"), assignment,
                     kNoAssignmentMessage);
}

} // namespace assignments
