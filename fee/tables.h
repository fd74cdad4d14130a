#pragma once

#include "money.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>

#include <variant>

// The tables of fees by value (art. 1 of the tables annexed to a decree of the Minister of
// Justice; arts. 49-54 DPR 115/2002), read from a data file per decree: the figures live in
// fee/tables/*.json, not in code.
namespace fee {

// Rates are per cent with up to five decimals, kept exactly in units of 0,00001 %.
using RateUnits = qint64;
inline constexpr RateUnits kRateUnitsPerPercent = 100000;

// A bracket ends at `upTo`; it starts a cent above the previous one.
struct Bracket {
    Cents upTo = 0;
    RateUnits minRate = 0;
    RateUnits maxRate = 0;
};

// One table of brackets and the value it is charged on ("totale delle attività"). Art. 4 has
// two, named "A" and "B"; the others one, unnamed.
struct ValueTable {
    QString name;
    QString value;
    QList<Bracket> brackets;
};

// A reduction that an article writes: the fee keeps keepNumerator / keepDenominator.
struct TableReduction {
    QString id; // as the console names it: "sommaria"
    QString name;
    int keepNumerator = 1;
    int keepDenominator = 1;
};

enum class FeeKind { Value, Fixed };

struct TableArticle {
    QString id; // "13", "6.1"
    QString subject;
    QString shortName; // "costruzioni e impianti", for a narrow column; the subject by default
    FeeKind kind = FeeKind::Value;
    QList<ValueTable> tables; // by value
    Cents minimum = 0;        // by value: the floor of each point
    Cents fixedLow = 0;       // fixed: the range
    Cents fixedHigh = 0;
    QList<TableReduction> reductions;

    const TableReduction *reduction(QStringView id) const;
};

struct Decree {
    QString name;  // "DM 30 maggio 2002"
    QString basis; // "tabelle del DM 30 maggio 2002"
    QDate inForce;
    // What every fee of the tables already pays for, as a line under them; empty when the
    // decree says nothing.
    QString included;
    QList<TableArticle> articles;

    const TableArticle *article(QStringView id) const;
    // "L'articolo «3» non è tra quelli offerti: 4, 5, ..."
    QString unknownArticleMessage(const QString &id) const;
};

// A decree's data file, or an Italian message saying what is wrong with it.
std::variant<Decree, QString> readDecree(const QByteArray &json);

// The decrees that ship with the program, oldest first, or the message of one that does not read.
const std::variant<QList<Decree>, QString> &shippedDecrees();

// The latest shipped decree in force on `date` (the oldest for a date before them all), or the
// message of a shipped file that does not read.
std::variant<const Decree *, QString> decreeOn(QDate date);

// "1,0264", "0,00235": at least four decimals, as the decree writes them.
QString rateText(RateUnits rate);

} // namespace fee
