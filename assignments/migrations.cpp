#include "schemaprivate.h"

namespace assignments::schema {

namespace {

// Version 1 kept the extensions in one text of ISO dates separated by spaces.
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

// Version 1 also kept the expenses as one sum in expenses_cents, and did not tell udienza from
// other sessions.
QString fromVersion1(Register::Private &d, Transaction &transaction) {
    if (QString error = runAll(d, transaction,
                               {kExtensionTable, kExpenseTable,
                                "INSERT INTO expense (assignment_id, position, description, "
                                "amount_cents) SELECT id, 0, 'Spese', expenses_cents "
                                "FROM assignment WHERE expenses_cents <> 0"});
        !error.isEmpty())
        return error;
    if (QString error = splitExtensions(d, transaction); !error.isEmpty())
        return error;
    return runAll(d, transaction,
                  {"ALTER TABLE assignment DROP COLUMN extensions",
                   "ALTER TABLE assignment DROP COLUMN expenses_cents",
                   "ALTER TABLE session ADD COLUMN udienza INTEGER NOT NULL DEFAULT 0",
                   kSessionIndex, "PRAGMA user_version = 2"});
}

QString fromVersion2(Register::Private &d, Transaction &transaction) {
    return runAll(d, transaction,
                  {"ALTER TABLE assignment ADD COLUMN table_urgency_percent INTEGER NOT NULL "
                   "DEFAULT 0",
                   kFeeItemTable, "PRAGMA user_version = 3"});
}

QString fromVersion3(Register::Private &d, Transaction &transaction) {
    return runAll(d, transaction,
                  {"ALTER TABLE assignment ADD COLUMN draft_date TEXT",
                   "ALTER TABLE assignment ADD COLUMN observations_date TEXT",
                   "ALTER TABLE assignment ADD COLUMN decree TEXT",
                   "ALTER TABLE assignment ADD COLUMN liquidated_cents INTEGER NOT NULL DEFAULT 0",
                   kTermExtensionTable, kPartyTable, kPaymentTable, "PRAGMA user_version = 4"});
}

QString fromVersion4(Register::Private &d, Transaction &transaction) {
    return runAll(d, transaction, kVersion5);
}

QString fromVersion5(Register::Private &d, Transaction &transaction) {
    return runAll(d, transaction, kVersion6);
}

} // namespace

QString runAll(Register::Private &d, Transaction &transaction,
               std::initializer_list<const char *> statements) {
    for (const char *statement : statements) {
        QSqlQuery query(d.db);
        if (!query.exec(QString::fromLatin1(statement)))
            return transaction.fail(query);
    }
    return {};
}

QString migrate(Register::Private &d, Transaction &transaction, int from) {
    using Step = QString (*)(Register::Private &, Transaction &);
    static constexpr Step steps[] = {fromVersion1, fromVersion2, fromVersion3, fromVersion4,
                                     fromVersion5};
    static_assert(std::size(steps) == kSchemaVersion - 1, "one step for each version");
    for (int version = from; version < kSchemaVersion; ++version)
        if (QString error = steps[version - 1](d, transaction); !error.isEmpty())
            return error;
    return {};
}

} // namespace assignments::schema
