#include "schemaprivate.h"

namespace assignments::schema {

QString makeLayout(Register::Private &d, Transaction &transaction) {
    static_assert(kSchemaVersion == 6, "a new version adds its tables here too");
    // The columns later versions added come last, in the order their steps add them, so that a
    // migrated file and a new one have the same layout; the steps of versions 5 and 6 are run as
    // they are.
    if (QString error = runAll(
            d, transaction,
            {"CREATE TABLE assignment (id INTEGER PRIMARY KEY, court TEXT NOT NULL DEFAULT '', "
             "case_number TEXT NOT NULL DEFAULT '', judge TEXT NOT NULL DEFAULT '', "
             "subject TEXT NOT NULL DEFAULT '', appointment TEXT, deadline TEXT, report_filed "
             "TEXT, "
             "panel INTEGER NOT NULL DEFAULT 1, urgency_percent INTEGER NOT NULL DEFAULT 0, "
             "increase_percent INTEGER NOT NULL DEFAULT 0, advances_cents INTEGER NOT NULL DEFAULT "
             "0, "
             "note TEXT NOT NULL DEFAULT '', table_urgency_percent INTEGER NOT NULL DEFAULT 0, "
             "draft_date TEXT, observations_date TEXT, decree TEXT, "
             "liquidated_cents INTEGER NOT NULL DEFAULT 0)",
             kExtensionTable, kExpenseTable,
             "CREATE TABLE session (id INTEGER PRIMARY KEY, assignment_id INTEGER NOT NULL "
             "REFERENCES assignment(id) ON DELETE CASCADE, date TEXT NOT NULL, "
             "from_minute INTEGER NOT NULL, to_minute INTEGER NOT NULL, "
             "description TEXT NOT NULL DEFAULT '', udienza INTEGER NOT NULL DEFAULT 0)",
             kSessionIndex, kFeeItemTable, kTermExtensionTable, kPartyTable, kPaymentTable,
             "PRAGMA user_version = 4"});
        !error.isEmpty())
        return error;
    if (QString error = runAll(d, transaction, kVersion5); !error.isEmpty())
        return error;
    return runAll(d, transaction, kVersion6);
}

} // namespace assignments::schema
