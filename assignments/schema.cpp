#include "registerprivate.h"

#include <QAtomicInteger>
#include <QDir>

namespace assignments {

namespace {

QString quoted(const QString &path) {
    return QStringLiteral("«%1»").arg(QDir::toNativeSeparators(path));
}

// The tables that version 2 added, made alike by a new file and by the migration.
const char *const kExtensionTable =
    "CREATE TABLE extension (assignment_id INTEGER NOT NULL REFERENCES assignment(id) "
    "ON DELETE CASCADE, position INTEGER NOT NULL, date TEXT, "
    "PRIMARY KEY (assignment_id, position))";
const char *const kExpenseTable =
    "CREATE TABLE expense (assignment_id INTEGER NOT NULL REFERENCES assignment(id) "
    "ON DELETE CASCADE, position INTEGER NOT NULL, description TEXT NOT NULL DEFAULT '', "
    "amount_cents INTEGER NOT NULL, PRIMARY KEY (assignment_id, position))";

const char *const kCurrentLayout[] = {
    "CREATE TABLE assignment (id INTEGER PRIMARY KEY, court TEXT NOT NULL DEFAULT '', "
    "case_number TEXT NOT NULL DEFAULT '', judge TEXT NOT NULL DEFAULT '', "
    "subject TEXT NOT NULL DEFAULT '', appointment TEXT, deadline TEXT, report_filed TEXT, "
    "panel INTEGER NOT NULL DEFAULT 1, urgency_percent INTEGER NOT NULL DEFAULT 0, "
    "increase_percent INTEGER NOT NULL DEFAULT 0, advances_cents INTEGER NOT NULL DEFAULT 0, "
    "note TEXT NOT NULL DEFAULT '')",
    kExtensionTable,
    kExpenseTable,
    "CREATE TABLE session (id INTEGER PRIMARY KEY, assignment_id INTEGER NOT NULL "
    "REFERENCES assignment(id) ON DELETE CASCADE, date TEXT NOT NULL, "
    "from_minute INTEGER NOT NULL, to_minute INTEGER NOT NULL, "
    "description TEXT NOT NULL DEFAULT '', udienza INTEGER NOT NULL DEFAULT 0)",
    "CREATE INDEX session_by_day ON session (assignment_id, date)",
    "PRAGMA user_version = 2",
};

// Version 1 kept the extensions in one text of ISO dates separated by spaces, the expenses as
// one sum in expenses_cents, and did not tell udienza from other sessions.
const char *const kFromVersion1[] = {
    kExtensionTable,
    kExpenseTable,
    "INSERT INTO expense (assignment_id, position, description, amount_cents) "
    "SELECT id, 0, 'Spese', expenses_cents FROM assignment WHERE expenses_cents <> 0",
    nullptr, // the extensions, split in C++
    "ALTER TABLE assignment DROP COLUMN extensions",
    "ALTER TABLE assignment DROP COLUMN expenses_cents",
    "ALTER TABLE session ADD COLUMN udienza INTEGER NOT NULL DEFAULT 0",
    "CREATE INDEX IF NOT EXISTS session_by_day ON session (assignment_id, date)",
    "PRAGMA user_version = 2",
};

QString splitExtensions(Register::Private &d, Transaction &transaction) {
    QSqlQuery read(d.db);
    if (!read.exec(QStringLiteral("SELECT id, extensions FROM assignment WHERE extensions <> ''")))
        return transaction.fail(read);
    QSqlQuery insert(d.db);
    insert.prepare(
        QStringLiteral("INSERT INTO extension (assignment_id, position, date) VALUES (?, ?, ?)"));
    while (read.next()) {
        const QStringList dates = read.value(1).toString().split(u' ', Qt::SkipEmptyParts);
        for (qsizetype i = 0; i < dates.size(); ++i) {
            insert.addBindValue(read.value(0));
            insert.addBindValue(i);
            insert.addBindValue(dates[i]);
            if (!insert.exec())
                return transaction.fail(insert);
        }
    }
    return {};
}

// Each step in one transaction with the caller's.
template <std::size_t N>
QString runSteps(Register::Private &d, Transaction &transaction, const char *const (&steps)[N]) {
    for (const char *step : steps) {
        if (!step) {
            if (QString error = splitExtensions(d, transaction); !error.isEmpty())
                return error;
            continue;
        }
        QSqlQuery query(d.db);
        if (!query.exec(QString::fromLatin1(step)))
            return transaction.fail(query);
    }
    return {};
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
        failure = runSteps(d, transaction, kCurrentLayout);
    else if (locked.version == 1)
        failure = runSteps(d, transaction, kFromVersion1);
    if (!failure.isEmpty())
        return failure;
    return transaction.commit();
}

} // namespace assignments
