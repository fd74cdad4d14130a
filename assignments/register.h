#pragma once

#include "invoicing.h"
#include "parts.h"
#include "worklog.h"

#include <QDate>
#include <QList>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <variant>

// The register of assignments: one SQLite database, private to its user, where every change is
// one committed transaction. Qt Core and Qt Sql only.
namespace assignments {

using fee::Cents;

struct Expense {
    QString description;
    Cents amount = 0;

    friend bool operator==(const Expense &, const Expense &) = default;
};

struct StoredSession {
    qint64 id = 0;
    fee::Session session;

    friend bool operator==(const StoredSession &, const StoredSession &) = default;
};

// An assignment's own fields, without its sessions.
struct Assignment {
    qint64 id = 0;
    QString court;      // "Ufficio giudiziario"
    QString caseNumber; // "Procedimento n."
    QString judge;      // "Giudice"
    QString subject;    // "Oggetto"
    fee::Period period; // "Conferimento", "Termine per il deposito", "Proroghe"
    QDate reportFiled;  // "Deposito della relazione"
    int panel = 1;      // "Componenti del collegio"
    int urgencyPercent = 0;
    int increasePercent = 0;
    Cents advances = 0; // "Acconti ricevuti"
    QList<Expense> expenses;
    QString note;
    QList<FeeItem> feeItems;     // "Onorari fissi e variabili"
    int tableUrgencyPercent = 0; // of those fees, 0 to 20 (art. 51, paragraph 2, DPR 115/2002)
    Term draftToParties;         // "Invio della bozza alle parti"
    Term partiesObservations;    // "Osservazioni delle parti"
    QDate decree;                // "Decreto di liquidazione"
    Cents liquidated = 0;        // "Importo liquidato", the fee and the expenses
    Cents decreeExpenses = 0;    // "di cui spese"
    Cents decreeAdvanced = 0;    // "di cui spese anticipate (art. 15)"
    QList<Party> parties;        // "Parti a carico"
    QList<Payment> payments;     // "Pagamenti"

    friend bool operator==(const Assignment &, const Assignment &) = default;
};

// One row of the register's list, computed by queries without loading the sessions.
struct ListRow {
    qint64 id = 0;
    QString caseNumber;
    QString court;
    QDate lastDeadline;    // the latest of the deadline and its extensions
    QDate requestDeadline; // art. 71 DPR 115/2002; null without a completion
    qint64 halves = 0;     // paid half vacazioni
    Cents fee = 0;         // of those, under the tariff asked for, and the fee items asked
    QDate decree;          // "Decreto di liquidazione"; null without one
    Cents outstanding = 0; // fee::Account::residue; meaningful only with a decree
    QDate reportFiled;     // "Deposito della relazione"

    bool hasDecree() const { return decree.isValid(); }
};

class Register {
public:
    enum class Mode { ReadWrite, ReadOnly };

    // incarichi.sqlite in the application's data folder, Tolvemar/CalcoloCT.
    static QString defaultPath();
    // Where the register was kept before: incarichi.sqlite in the folder above, Tolvemar.
    static QString oldDefaultPath();

    // The register at `path`, made on first use (ReadWrite) with mode 0600 in a folder of mode
    // 0700; or an Italian message, the file left as it was: not a database, damaged, of a newer
    // version, a folder that cannot be written. ReadOnly never makes or changes the file.
    // Opening defaultPath(), in either mode, first moves there a register left at
    // oldDefaultPath(), with its -wal and -shm; when both places hold one, both are kept and the
    // one at defaultPath() is opened.
    static std::variant<std::unique_ptr<Register>, QString> open(const QString &path,
                                                                 Mode mode = Mode::ReadWrite);
    ~Register();
    Register(const Register &) = delete;
    Register &operator=(const Register &) = delete;

    QString path() const;
    // An Italian text for the user, given by the first ReadWrite open that finds a register at
    // both places, and by this call once; else empty.
    QString takeNotice();

    // Every change below is one transaction, read afresh and committed when made; each returns
    // an Italian message on failure, with nothing changed.
    // What is still due (fee::accountOf) includes VAT and contribution with `details`.
    std::variant<QList<ListRow>, QString>
    list(fee::Tariff tariff, const std::optional<fee::FiscalDetails> &details = {}) const;
    // Every assignment with a decree and something still due, the oldest decree first, with
    // the days from its decree to `today`.
    std::variant<QList<Credit>, QString>
    credits(QDate today, const std::optional<fee::FiscalDetails> &details = {}) const;
    std::variant<Assignment, QString> assignment(qint64 id) const;
    std::variant<QList<StoredSession>, QString> sessions(qint64 assignment) const;

    // Refused with assignmentError's or termsError's message, nothing saved, when either finds
    // one; an update's terms are checked against those stored, so that terms out of order in a
    // register written by other means can be put right, and are never made worse.
    std::variant<qint64, QString> create(const Assignment &assignment);
    QString update(const Assignment &assignment); // its fields and lists, not its sessions
    QString remove(qint64 assignment);

    // A session is checked (fee::sessionError) and against the others of its assignment as they
    // are in the file at that moment: an overlap is refused with fee::overlapMessage.
    std::variant<qint64, QString> addSession(qint64 assignment, const fee::Session &session);
    QString updateSession(qint64 id, const fee::Session &session);
    QString removeSession(qint64 id);
    // All or none, in one transaction.
    QString addSessions(qint64 assignment, const QList<fee::Session> &sessions);

    // The court of that name, with nothing but the name when none is kept yet.
    std::variant<Court, QString> court(const QString &name) const;
    QString saveCourt(const Court &court);
    // Every court named in the register, once, in order.
    std::variant<QStringList, QString> courtNames() const;

    // The invoices of an assignment, in the order they were issued.
    std::variant<QList<Invoice>, QString> invoices(qint64 assignment) const;
    // The highest number taken in `year`, 0 when none.
    std::variant<int, QString> lastInvoiceNumber(int year) const;
    // The file of an invoice whose number is already fixed: its name and bytes, or a message.
    struct InvoiceFile {
        QString name;
        QByteArray xml;
    };
    using InvoiceWriter = std::function<std::variant<InvoiceFile, QString>(int number)>;
    // In one transaction: takes the number, `requested` or the one after the last taken in the
    // year of draft.date if that is higher, has `write` make the file with it, and records the
    // invoice. Either the invoice is kept with its number, or nothing is and the number is
    // still free.
    std::variant<Invoice, QString> addInvoice(Invoice draft, int requested,
                                              const InvoiceWriter &write);

    // A consistent copy of the whole database at `target`, which must not be the register.
    QString backup(const QString &target) const;

    // The library's own sources share it (registerprivate.h).
    struct Private;

private:
    explicit Register(std::unique_ptr<Private> d);
    friend bool limitPages(Register &r, int pages);
    std::unique_ptr<Private> d;
};

} // namespace assignments
