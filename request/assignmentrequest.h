#pragma once

#include "document.h"
#include "tableitems.h"
#include "worklog.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>

#include <variant>

// The request for payment of an assignment ("istanza di liquidazione"), from its log of
// operations: every session with the vacazioni it earns or the reason it earns none, the fees by
// value and the fixed fees of the tables, then what the law pays for them.
namespace request {

struct AssignmentRequest {
    QString expert;     // "Consulente"
    QString court;      // "Ufficio giudiziario"
    QString caseNumber; // "Procedimento n."
    QString judge;      // "Giudice"
    QString subject;    // "Oggetto"
    fee::Period period;
    QDate reportFiled; // "Deposito della relazione"; null while it is not filed
    QList<fee::Session> sessions;
    fee::Tariff tariff = fee::Tariff::Decree2002;
    int urgencyPercent = 0;  // art. 4, paragraph 3, law 319/1980
    int increasePercent = 0; // art. 52, paragraph 1, DPR 115/2002
    int panel = 1;           // experts in the panel, art. 53 DPR 115/2002
    QList<Expense> expenses;
    Cents advances = 0; // "Acconti ricevuti"
    QString note;
    QList<TableFeeItem> tableItems; // "Onorari fissi e variabili"
    int tableUrgencyPercent = 0;    // of those fees, 0 to 20 (art. 51, paragraph 2, DPR 115/2002)
};

// "2,5": half vacazioni as the document shows them.
QString vacazioniText(qint64 halves);

// The request described, or an Italian message: a session that is not one of a day, two that
// overlap, a fee item the tables do not price or asked outside its range, a percentage out of
// its bounds, or amounts beyond 64-bit cents. A report filed after the last deadline takes a
// third off the fees by value (art. 52, paragraph 2, DPR 115/2002); the vacazioni after the
// deadline are not paid, as ever.
std::variant<Document, QString> describe(const AssignmentRequest &request, const QDateTime &madeAt);

} // namespace request
