#include "schemaprivate.h"

#include <QAtomicInteger>
#include <QDir>

namespace assignments {

namespace {

QString quoted(const QString &path) {
    return QStringLiteral("«%1»").arg(QDir::toNativeSeparators(path));
}

struct FileState {
    int version = 0;
    qint64 objects = 0; // tables and indexes
    QString error;
};

// Reads only: a file that is no database, or a damaged one, is left exactly as it is.
FileState inspect(Register::Private &d, bool checkIntegrity) {
    const QString notRegister =
        QStringLiteral("Il file %1 non è un registro degli incarichi: non è stato modificato.")
            .arg(quoted(d.path));
    FileState state;
    QSqlQuery query(d.db);
    if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next()) {
        state.error = notRegister;
        return state;
    }
    state.version = query.value(0).toInt();
    if (state.version > kSchemaVersion) {
        state.error = QStringLiteral("Il registro è stato scritto da una versione più recente del "
                                     "programma: aggiornare il programma per aprirlo.");
        return state;
    }
    if (checkIntegrity && (!query.exec(QStringLiteral("PRAGMA integrity_check")) || !query.next() ||
                           query.value(0).toString() != QLatin1String("ok"))) {
        state.error = QStringLiteral("Il registro %1 è danneggiato e non è stato modificato: "
                                     "ripristinare l'ultima copia di sicurezza.")
                          .arg(quoted(d.path));
        return state;
    }
    if (!query.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")) || !query.next()) {
        state.error = notRegister;
        return state;
    }
    state.objects = query.value(0).toLongLong();
    if (state.version == 0 && state.objects > 0)
        state.error = notRegister;
    return state;
}

} // namespace

QString connectDatabase(Register::Private &d) {
    static QAtomicInteger<quint64> serial;
    d.connection = QStringLiteral("assignments-register-%1").arg(serial.fetchAndAddRelaxed(1));
    d.db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), d.connection);
    if (!d.db.isValid())
        return QStringLiteral("Manca il driver SQLite di Qt (pacchetto libqt6sql6-sqlite): il "
                              "registro non può essere aperto.");
    d.db.setDatabaseName(d.path);
    // Another process may hold the file for a moment: wait for it up to five seconds.
    d.db.setConnectOptions(d.readOnly
                               ? QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000;QSQLITE_OPEN_READONLY")
                               : QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
    if (!d.db.open())
        return QStringLiteral("Il registro %1 non può essere aperto: %2")
            .arg(quoted(d.path), d.db.lastError().text());

    const FileState state = inspect(d, true);
    if (!state.error.isEmpty())
        return state.error;
    if (d.readOnly && state.version != kSchemaVersion)
        return state.version == 0
                   ? QStringLiteral("Il registro %1 è ancora vuoto.").arg(quoted(d.path))
                   : QStringLiteral("Il registro %1 va prima aggiornato: aprirlo con il programma.")
                         .arg(quoted(d.path));

    // Every commit reaches the disk before it is reported (synchronous=FULL). The write-ahead
    // log lets a reader, such as the reminder's thread, go on while another connection writes,
    // and a commit costs one sync of the log instead of the journal's and the file's.
    QSqlError error;
    if (!d.run(QStringLiteral("PRAGMA foreign_keys = ON"), &error) ||
        !d.run(QStringLiteral("PRAGMA synchronous = FULL"), &error) ||
        (!d.readOnly && !d.run(QStringLiteral("PRAGMA journal_mode = WAL"), &error)))
        return readFailure(error);
    if (d.readOnly)
        return {};

    // Another process may have made or updated the tables since the inspection: look again
    // under the write lock.
    Transaction transaction(d, Transaction::Kind::Change);
    if (!transaction.error().isEmpty())
        return transaction.error();
    const FileState locked = inspect(d, false);
    if (!locked.error.isEmpty())
        return locked.error;
    QString failure;
    if (locked.version == 0)
        failure = schema::makeLayout(d, transaction);
    else
        failure = schema::migrate(d, transaction, locked.version);
    if (!failure.isEmpty())
        return failure;
    return transaction.commit();
}

} // namespace assignments
