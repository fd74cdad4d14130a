#pragma once

#include "registerprivate.h"

#include <initializer_list>
#include <iterator>

// The layout of the register's tables: made whole for a new file (layout.cpp), or reached step
// by step from an earlier version (migrations.cpp). The tables each step adds are written once,
// here, so that both ways end with the same layout.
namespace assignments::schema {

// Version 2
inline constexpr const char *kExtensionTable =
    "CREATE TABLE extension (assignment_id INTEGER NOT NULL REFERENCES assignment(id) "
    "ON DELETE CASCADE, position INTEGER NOT NULL, date TEXT, "
    "PRIMARY KEY (assignment_id, position))";
inline constexpr const char *kExpenseTable =
    "CREATE TABLE expense (assignment_id INTEGER NOT NULL REFERENCES assignment(id) "
    "ON DELETE CASCADE, position INTEGER NOT NULL, description TEXT NOT NULL DEFAULT '', "
    "amount_cents INTEGER NOT NULL, PRIMARY KEY (assignment_id, position))";
inline constexpr const char *kSessionIndex =
    "CREATE INDEX IF NOT EXISTS session_by_day ON session (assignment_id, date)";

// Version 3: the fees by value.
inline constexpr const char *kFeeItemTable =
    "CREATE TABLE fee_item (assignment_id INTEGER NOT NULL REFERENCES assignment(id) "
    "ON DELETE CASCADE, position INTEGER NOT NULL, article TEXT NOT NULL, "
    "value_cents INTEGER NOT NULL DEFAULT 0, revenues_cents INTEGER NOT NULL DEFAULT 0, "
    "reduction TEXT NOT NULL DEFAULT '' CHECK (reduction IN ('', 'sommaria', 'giudizio', "
    "'precedente', 'non-commerciale')), asked TEXT NOT NULL DEFAULT 'medio' CHECK (asked IN "
    "('minimo', 'medio', 'massimo', 'importo')), asked_cents INTEGER NOT NULL DEFAULT 0, "
    "description TEXT NOT NULL DEFAULT '', PRIMARY KEY (assignment_id, position))";

// Version 4: after the appointment. The terms towards the parties keep their extensions as the
// filing deadline does, in a table beside the date.
inline constexpr const char *kTermExtensionTable =
    "CREATE TABLE term_extension (assignment_id INTEGER NOT NULL REFERENCES assignment(id) "
    "ON DELETE CASCADE, term TEXT NOT NULL CHECK (term IN ('bozza', 'osservazioni')), "
    "position INTEGER NOT NULL, date TEXT, PRIMARY KEY (assignment_id, term, position))";
inline constexpr const char *kPartyTable =
    "CREATE TABLE party (assignment_id INTEGER NOT NULL REFERENCES assignment(id) "
    "ON DELETE CASCADE, position INTEGER NOT NULL, name TEXT NOT NULL, "
    "share_hundredths INTEGER NOT NULL, jointly INTEGER NOT NULL DEFAULT 0, "
    "PRIMARY KEY (assignment_id, position))";
inline constexpr const char *kPaymentTable =
    "CREATE TABLE payment (assignment_id INTEGER NOT NULL REFERENCES assignment(id) "
    "ON DELETE CASCADE, position INTEGER NOT NULL, date TEXT NOT NULL, "
    "payer TEXT NOT NULL DEFAULT '', amount_cents INTEGER NOT NULL, "
    "note TEXT NOT NULL DEFAULT '', PRIMARY KEY (assignment_id, position))";

// Version 5: the invoices. The courts are kept once by name; an invoice outlives its assignment,
// so that its number is never given again.
inline constexpr const char *kCourtTable =
    "CREATE TABLE court (name TEXT PRIMARY KEY, ipa_code TEXT NOT NULL DEFAULT '', "
    "tax_code TEXT NOT NULL DEFAULT '', street TEXT NOT NULL DEFAULT '', "
    "postcode TEXT NOT NULL DEFAULT '', town TEXT NOT NULL DEFAULT '', "
    "province TEXT NOT NULL DEFAULT '', invoice_to TEXT NOT NULL DEFAULT 'ufficio' "
    "CHECK (invoice_to IN ('ufficio', 'parte')))";
inline constexpr const char *kInvoiceTable =
    "CREATE TABLE invoice (id INTEGER PRIMARY KEY, assignment_id INTEGER REFERENCES "
    "assignment(id) ON DELETE SET NULL, year INTEGER NOT NULL, number INTEGER NOT NULL "
    "CHECK (number > 0), date TEXT NOT NULL, party TEXT NOT NULL, fee_cents INTEGER NOT NULL, "
    "expenses_cents INTEGER NOT NULL, advanced_cents INTEGER NOT NULL, "
    "contribution_cents INTEGER NOT NULL, vat_cents INTEGER NOT NULL, "
    "withholding_cents INTEGER NOT NULL, total_cents INTEGER NOT NULL, "
    "payment_cents INTEGER NOT NULL, file_name TEXT NOT NULL UNIQUE, xml BLOB NOT NULL, "
    "UNIQUE (year, number))";
inline constexpr std::initializer_list<const char *> kVersion5 = {
    "ALTER TABLE assignment ADD COLUMN decree_expenses_cents INTEGER NOT NULL DEFAULT 0",
    "ALTER TABLE assignment ADD COLUMN decree_advanced_cents INTEGER NOT NULL DEFAULT 0",
    "ALTER TABLE party ADD COLUMN tax_id TEXT NOT NULL DEFAULT ''",
    "ALTER TABLE party ADD COLUMN street TEXT NOT NULL DEFAULT ''",
    "ALTER TABLE party ADD COLUMN postcode TEXT NOT NULL DEFAULT ''",
    "ALTER TABLE party ADD COLUMN town TEXT NOT NULL DEFAULT ''",
    "ALTER TABLE party ADD COLUMN province TEXT NOT NULL DEFAULT ''",
    "ALTER TABLE party ADD COLUMN recipient TEXT NOT NULL DEFAULT ''",
    "ALTER TABLE party ADD COLUMN withholding_agent INTEGER NOT NULL DEFAULT 0",
    kCourtTable,
    kInvoiceTable,
    "PRAGMA user_version = 5"};

// Version 6: the fee items of an article paid per item hold how many; 1 for every earlier one.
inline constexpr std::initializer_list<const char *> kVersion6 = {
    "ALTER TABLE fee_item ADD COLUMN quantity INTEGER NOT NULL DEFAULT 1 "
    "CHECK (quantity BETWEEN 1 AND 9999)",
    "PRAGMA user_version = 6"};

// Each statement in the caller's transaction; empty when done, else the message.
QString runAll(Register::Private &d, Transaction &transaction,
               std::initializer_list<const char *> statements);

// The tables of kSchemaVersion in an empty file.
QString makeLayout(Register::Private &d, Transaction &transaction);

// From version `from`, 1 or more, up to kSchemaVersion, one step after the other.
QString migrate(Register::Private &d, Transaction &transaction, int from);

} // namespace assignments::schema
