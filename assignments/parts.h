#pragma once

#include "money.h"

#include <QDate>
#include <QList>
#include <QString>

// The parts of an assignment beyond its vacazioni: the fees by value it asks for, the terms
// towards the parties, who bears the fee and who has paid it. Plain values, no SQL.
namespace assignments {

using fee::Cents;

// "Onorari fissi e variabili": what the table asks for one item.
enum class FeeReduction { None, Sommaria, Giudizio, Precedente, NonCommerciale };
enum class FeeAsked { Minimum, Middle, Maximum, Amount };

struct FeeItem {
    QString article;    // "4", "5", "6.1", "6.3", "8.1", "8.3", "11", "13", "17", "21", "24"
    Cents value = 0;    // the value of the matter; for art. 4 the total assets
    Cents revenues = 0; // art. 4 only: the gross revenues ("ricavi")
    FeeReduction reduction = FeeReduction::None;
    FeeAsked asked = FeeAsked::Middle;
    Cents amount = 0; // what is asked when `asked` is Amount
    QString description;

    friend bool operator==(const FeeItem &, const FeeItem &) = default;
};

// The articles of every decree shipped, in the order of the law; none when a decree's data do
// not read.
const QStringList &feeArticles();

// A term of art. 195 c.p.c., kept as the filing deadline is: the date set by the judge and the
// dates it was moved to, the last of which holds.
struct Term {
    QDate date;
    QList<QDate> extensions;

    // The latest of the date and its extensions; null when none is set.
    QDate last() const;

    friend bool operator==(const Term &, const Term &) = default;
};

// "Parti a carico": a share in hundredths of a per cent, 33,33 % is 3333.
struct Party {
    QString name;
    int shareHundredths = 0;
    bool jointly = false; // "in solido"

    friend bool operator==(const Party &, const Party &) = default;
};

inline constexpr int kWholeShare = 10000;

// "Pagamenti"
struct Payment {
    QDate date;
    QString payer; // one of the parties' names, or another payer
    Cents amount = 0;
    QString note;

    friend bool operator==(const Payment &, const Payment &) = default;
};

// An assignment whose liquidated fee is not all paid yet, as Register::credits gives it.
struct Credit {
    qint64 id = 0;
    QString caseNumber;
    QString court;
    QDate decree; // "Decreto di liquidazione"
    Cents liquidated = 0;
    Cents advances = 0;
    Cents paid = 0;
    Cents outstanding = 0; // liquidated - advances - paid, above zero
    qint64 days = 0;       // from the decree to the given day

    friend bool operator==(const Credit &, const Credit &) = default;
};

} // namespace assignments
