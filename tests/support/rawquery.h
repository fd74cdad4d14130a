#pragma once

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>

namespace testsupport {

// Raw SQL on a register file through a connection of its own, as another program would: the
// first value of the last statement's first row.
inline QVariant rawQuery(const QString &path, const QStringList &statements) {
    QVariant last;
    {
        QSqlDatabase db =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("raw"));
        db.setDatabaseName(path);
        if (!db.open())
            qFatal("raw open");
        QSqlQuery query(db);
        for (const QString &sql : statements) {
            if (!query.exec(sql))
                qFatal("%s: %s", qPrintable(sql), qPrintable(query.lastError().text()));
            last = query.next() ? query.value(0) : QVariant();
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("raw"));
    return last;
}

} // namespace testsupport
