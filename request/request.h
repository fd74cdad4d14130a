#pragma once

#include "fee.h"
#include "money.h"

#include <QList>
#include <QString>

#include <variant>

// A request for payment of a fee computed in vacazioni: the computation as the window showed
// it, and the details that the expert adds.
namespace request {

using fee::Cents;

struct Computation {
    fee::DateSerial start = 0;
    fee::DateSerial end = 0;
    fee::ExclusionMode mode = fee::ExclusionMode::None;
    fee::CalcolaOptions options;
    double daily = 0;
    qint64 days = 0;
    double total = 0;
    double fee = 0;

    static Computation of(const fee::CalcolaInput &input, const fee::CalcolaOptions &options,
                          const fee::CalcolaResult &result);
};

struct Expense {
    QString description;
    Cents amount = 0;
};

struct Details {
    QString expert;          // "Consulente"
    QString court;           // "Ufficio giudiziario"
    QString caseNumber;      // "Procedimento n."
    QString judge;           // "Giudice"
    int increasePercent = 0; // art. 52, paragraph 1, of DPR 115/2002: up to double
    QList<Expense> expenses;
    QString note;
};

struct Request {
    Computation computation;
    Details details;
};

struct Totals {
    Cents fee = 0;
    Cents increase = 0;
    Cents expenses = 0;
    Cents requested = 0;
};

// The amounts of a request, or an Italian message when one lies beyond 64-bit cents.
std::variant<Totals, QString> totals(const Request &request);

} // namespace request
