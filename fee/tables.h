#pragma once

#include "money.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>
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

// How far an article's figures are known: checked against two independent published sources, or
// taken from one and checked against the 1988 tariff that the decree re-priced.
enum class FeeSource { Confirmed, Single };

// The most items, samples or substances one fee counts.
inline constexpr int kMaxQuantity = 9999;

// An article paid per item examined, sample or substance: the unit's names, and whether each
// item after the first is paid at half.
struct ItemQuantity {
    QString one;  // "reperto"
    QString many; // "reperti"
    bool furtherAtHalf = false;

    // "n. 3 reperti"
    QString text(int quantity) const;
};

struct TableArticle {
    QString id; // "13", "6.1"
    QString subject;
    QString shortName; // "costruzioni e impianti", for a narrow column; the subject by default
    FeeKind kind = FeeKind::Value;
    QList<ValueTable> tables; // by value
    Cents minimum = 0;        // by value: the floor of each point
    Cents fixedLow = 0;       // fixed: the range, one amount when both are equal
    Cents fixedHigh = 0;
    QList<TableReduction> reductions;
    std::optional<ItemQuantity> quantity; // fixed fees only; none for a fee paid once
    FeeSource source = FeeSource::Confirmed;
    QStringList sources;

    const TableReduction *reduction(QStringView id) const;
    // A fixed fee of one amount, which the judge does not choose within a range.
    bool singleAmount() const { return kind == FeeKind::Fixed && fixedLow == fixedHigh; }
};

// An article of the decree that the program lists but does not compute, and why.
struct UnavailableArticle {
    QString id;
    QString subject;
    QString shortName;
    QString reason; // "non disponibile: ..."
};

struct Decree {
    QString name;  // "DM 30 maggio 2002"
    QString basis; // "tabelle del DM 30 maggio 2002"
    QDate inForce;
    // What every fee of the tables already pays for, as a line under them; empty when the
    // decree says nothing.
    QString included;
    // The line shown under a fee of an article of one source.
    QString singleSourceNote;
    QList<TableArticle> articles; // in the order of the law
    QList<UnavailableArticle> unavailable;

    const TableArticle *article(QStringView id) const;
    const UnavailableArticle *unavailableArticle(QStringView id) const;
    // "Art. 3 - valutazione di aziende: non disponibile: ...", or
    // "L'articolo «1» non è tra quelli offerti: 2, 4, ..."
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
