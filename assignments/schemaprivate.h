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

// Each statement in the caller's transaction; empty when done, else the message.
QString runAll(Register::Private &d, Transaction &transaction,
               std::initializer_list<const char *> statements);

// The tables of kSchemaVersion in an empty file.
QString makeLayout(Register::Private &d, Transaction &transaction);

// From version `from`, 1 or more, up to kSchemaVersion, one step after the other.
QString migrate(Register::Private &d, Transaction &transaction, int from);

} // namespace assignments::schema
