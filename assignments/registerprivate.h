#pragma once

#include "register.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include <map>

// What the register's sources share: the connection, its prepared statements and the
// transactions. Not part of the library's interface.
namespace assignments {

struct Register::Private {
    QString path;
    QString connection; // unique in the process: several registers may be open, in any thread
    bool readOnly = false;
    QString notice; // see Register::takeNotice()
    QSqlDatabase db;
    std::map<QString, QSqlQuery> statements;

    ~Private();

    // The statement for `sql`, prepared once for this connection.
    QSqlQuery &prepared(const QString &sql);
    // Runs a statement without parameters; false on failure, with the error in `error`.
    bool run(const QString &sql, QSqlError *error = nullptr);
};

// An Italian message for a failed write or read, the disk full and a busy file told apart.
QString writeFailure(const QSqlError &error);
QString readFailure(const QSqlError &error);

inline constexpr const char *kReadOnlyMessage = "Il registro è aperto in sola lettura.";
inline constexpr const char *kNoAssignmentMessage = "L'incarico non è più nel registro.";
inline constexpr const char *kNoSessionMessage = "L'operazione non è più nel registro.";

// One transaction, rolled back unless committed. A change begins IMMEDIATE: it takes the write
// lock before it reads, so that what it checks is what it writes over, whatever another process
// does meanwhile.
class Transaction {
public:
    enum class Kind { Read, Change };

    Transaction(Register::Private &d, Kind kind);
    ~Transaction();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;

    // Empty when the transaction began; else the message.
    QString error() const { return m_error; }
    // Empty when committed; else the message, everything rolled back.
    QString commit();
    // The message for a statement that failed inside the transaction.
    QString fail(const QSqlQuery &query) const;

private:
    Register::Private &d;
    Kind m_kind;
    bool m_open = false;
    QString m_error;
};

// Before the register at defaultPath() is opened: brings there one left at oldDefaultPath(), or
// sets d.notice when both places hold one; empty when done, else the message.
QString relocate(Register::Private &d);

// Makes the folder and the empty file on first use, private to the user (files.h); empty when
// done, else the message.
QString prepareFile(const QString &path);

// A text as the tables keep it: never NULL.
QVariant textValue(const QString &text);

// ISO dates, NULL for a null date.
QVariant dateValue(QDate date);
QDate valueDate(const QVariant &value);
// A fee item from the columns article, value_cents, revenues_cents, reduction, asked, asked_cents
// and description of `q`, the first at `first`.
FeeItem feeItemOf(const QSqlQuery &q, int first);

// An assignment's lists (lists.cpp): written afresh for `id` in the caller's transaction, or read
// into `a` for a.id; empty when done, else the message.
QString writeLists(Register::Private &d, Transaction &transaction, qint64 id, const Assignment &a);
QString readLists(Register::Private &d, Transaction &transaction, Assignment &a);

// The layout of the tables, in PRAGMA user_version.
inline constexpr int kSchemaVersion = 6;

// Connects d.db to d.path, checks the file without writing to it, and, when it may write, makes
// or brings the tables up to date; empty when done, else the message.
QString connectDatabase(Register::Private &d);

// For tests: this connection may grow the file to `pages` pages at most, as on a disk that
// fills up.
bool limitPages(Register &r, int pages);

// Deletes the one row with `id` through `sql` (a DELETE with one parameter) in a transaction of
// its own; `missing` when there is no such row any more.
QString deleteOne(Register::Private &d, const QString &sql, qint64 id, const char *missing);

} // namespace assignments
