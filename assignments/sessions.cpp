#include "registerprivate.h"

namespace assignments {

namespace {

fee::Session readSession(const QSqlQuery &query, int first) {
    return {valueDate(query.value(first)), query.value(first + 1).toInt(),
            query.value(first + 2).toInt(), query.value(first + 3).toString(),
            query.value(first + 4).toBool()};
}

// Empty when `assignment` is in the file; else the message.
QString checkAssignment(Register::Private &d, Transaction &transaction, qint64 assignment) {
    QSqlQuery &query = d.prepared(QStringLiteral("SELECT 1 FROM assignment WHERE id = ?"));
    query.addBindValue(assignment);
    if (!query.exec())
        return transaction.fail(query);
    const bool found = query.next();
    query.finish();
    return found ? QString() : QString::fromUtf8(kNoAssignmentMessage);
}

// Empty when `session` is valid and shares no minute with the sessions of `assignment` in the
// file, `except` aside; else the message.
QString checkSession(Register::Private &d, Transaction &transaction, qint64 assignment,
                     const fee::Session &session, qint64 except = 0) {
    if (QString error = fee::sessionError(session); !error.isEmpty())
        return error;
    QSqlQuery &query = d.prepared(QStringLiteral(
        "SELECT date, from_minute, to_minute, description, udienza FROM session "
        "WHERE assignment_id = ? AND date = ? AND from_minute < ? AND to_minute > ? AND id <> ? "
        "ORDER BY from_minute LIMIT 1"));
    query.addBindValue(assignment);
    query.addBindValue(dateValue(session.date));
    query.addBindValue(session.to);
    query.addBindValue(session.from);
    query.addBindValue(except);
    if (!query.exec())
        return transaction.fail(query);
    const bool found = query.next();
    const fee::Session other = found ? readSession(query, 0) : fee::Session();
    query.finish();
    return found ? fee::overlapMessage(session, other) : QString();
}

std::variant<qint64, QString> insertSession(Register::Private &d, Transaction &transaction,
                                            qint64 assignment, const fee::Session &session) {
    QSqlQuery &insert = d.prepared(
        QStringLiteral("INSERT INTO session (assignment_id, date, from_minute, to_minute, "
                       "description, udienza) VALUES (?, ?, ?, ?, ?, ?)"));
    insert.addBindValue(assignment);
    insert.addBindValue(dateValue(session.date));
    insert.addBindValue(session.from);
    insert.addBindValue(session.to);
    insert.addBindValue(textValue(session.description));
    insert.addBindValue(session.udienza ? 1 : 0);
    if (!insert.exec())
        return transaction.fail(insert);
    return insert.lastInsertId().toLongLong();
}

} // namespace

std::variant<QList<StoredSession>, QString> Register::sessions(qint64 assignment) const {
    Transaction transaction(*d, Transaction::Kind::Read);
    if (!transaction.error().isEmpty())
        return transaction.error();
    if (QString error = checkAssignment(*d, transaction, assignment); !error.isEmpty())
        return error;
    QSqlQuery &query = d->prepared(
        QStringLiteral("SELECT id, date, from_minute, to_minute, description, udienza "
                       "FROM session WHERE assignment_id = ? ORDER BY date, from_minute, id"));
    query.addBindValue(assignment);
    if (!query.exec())
        return transaction.fail(query);
    QList<StoredSession> sessions;
    while (query.next())
        sessions.append({query.value(0).toLongLong(), readSession(query, 1)});
    query.finish();
    return sessions;
}

std::variant<qint64, QString> Register::addSession(qint64 assignment, const fee::Session &session) {
    Transaction transaction(*d, Transaction::Kind::Change);
    if (!transaction.error().isEmpty())
        return transaction.error();
    if (QString error = checkAssignment(*d, transaction, assignment); !error.isEmpty())
        return error;
    if (QString error = checkSession(*d, transaction, assignment, session); !error.isEmpty())
        return error;
    const auto id = insertSession(*d, transaction, assignment, session);
    if (std::holds_alternative<QString>(id))
        return id;
    if (QString error = transaction.commit(); !error.isEmpty())
        return error;
    return id;
}

QString Register::updateSession(qint64 id, const fee::Session &session) {
    Transaction transaction(*d, Transaction::Kind::Change);
    if (!transaction.error().isEmpty())
        return transaction.error();
    QSqlQuery &owner =
        d->prepared(QStringLiteral("SELECT assignment_id FROM session WHERE id = ?"));
    owner.addBindValue(id);
    if (!owner.exec())
        return transaction.fail(owner);
    if (!owner.next())
        return QString::fromUtf8(kNoSessionMessage);
    const qint64 assignment = owner.value(0).toLongLong();
    owner.finish();
    if (QString error = checkSession(*d, transaction, assignment, session, id); !error.isEmpty())
        return error;
    QSqlQuery &update =
        d->prepared(QStringLiteral("UPDATE session SET date = ?, from_minute = ?, to_minute = ?, "
                                   "description = ?, udienza = ? WHERE id = ?"));
    update.addBindValue(dateValue(session.date));
    update.addBindValue(session.from);
    update.addBindValue(session.to);
    update.addBindValue(textValue(session.description));
    update.addBindValue(session.udienza ? 1 : 0);
    update.addBindValue(id);
    if (!update.exec())
        return transaction.fail(update);
    return transaction.commit();
}

QString Register::removeSession(qint64 id) {
    Transaction transaction(*d, Transaction::Kind::Change);
    if (!transaction.error().isEmpty())
        return transaction.error();
    QSqlQuery &remove = d->prepared(QStringLiteral("DELETE FROM session WHERE id = ?"));
    remove.addBindValue(id);
    if (!remove.exec())
        return transaction.fail(remove);
    if (remove.numRowsAffected() != 1)
        return QString::fromUtf8(kNoSessionMessage);
    return transaction.commit();
}

QString Register::addSessions(qint64 assignment, const QList<fee::Session> &sessions) {
    for (const fee::Session &session : sessions) {
        if (QString error = fee::sessionError(session); !error.isEmpty())
            return error;
    }
    if (const auto pair = fee::findOverlap(sessions))
        return fee::overlapMessage(sessions[pair->second], sessions[pair->first]);
    Transaction transaction(*d, Transaction::Kind::Change);
    if (!transaction.error().isEmpty())
        return transaction.error();
    if (QString error = checkAssignment(*d, transaction, assignment); !error.isEmpty())
        return error;
    for (const fee::Session &session : sessions) {
        if (QString error = checkSession(*d, transaction, assignment, session); !error.isEmpty())
            return error;
    }
    for (const fee::Session &session : sessions) {
        const auto id = insertSession(*d, transaction, assignment, session);
        if (const QString *error = std::get_if<QString>(&id))
            return *error;
    }
    return transaction.commit();
}

} // namespace assignments
