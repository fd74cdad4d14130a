#include "tablefee.h"

#include <algorithm>

namespace fee {

namespace {

// Wide enough for any value of 64-bit cents times any rate, doubled.
__extension__ typedef __int128 Wide;

// A slice in cents times a rate in units of 0,00001 % is a fee in units of 10^-7 cents.
constexpr qint64 kUnitsPerCent = 100 * kRateUnitsPerPercent;

// numerator / denominator, both positive, to the nearest whole, half away from zero.
Cents rounded(Wide numerator, Wide denominator) {
    return Cents((2 * numerator + denominator) / (2 * denominator));
}

} // namespace

QString quantityError(const TableArticle &article, int quantity) {
    if (!article.quantity)
        return quantity == 1 ? QString()
                             : QStringLiteral("L'art. %1 non si paga a quantità.").arg(article.id);
    if (quantity < 1 || quantity > kMaxQuantity)
        return QStringLiteral("La quantità dev'essere un numero intero da 1 a %1.")
            .arg(kMaxQuantity);
    return {};
}

std::variant<TableFee, QString> tableFee(const TableArticle &article, const QList<Cents> &values,
                                         const QString &reduction, int quantity) {
    if (QString error = quantityError(article, quantity); !error.isEmpty())
        return error;
    TableFee result;
    result.values = values;
    result.quantity = quantity;
    if (!reduction.isEmpty()) {
        const TableReduction *named = article.reduction(reduction);
        if (!named) {
            QStringList offered;
            for (const TableReduction &r : article.reductions)
                offered.append(r.id);
            return offered.isEmpty()
                       ? QStringLiteral("L'art. %1 non prevede riduzioni.").arg(article.id)
                       : QStringLiteral("La riduzione «%1» non è dell'art. %2, che prevede: %3.")
                             .arg(reduction, article.id, offered.join(QStringLiteral(", ")));
        }
        result.reduction = *named;
    }
    if (article.kind == FeeKind::Fixed) {
        if (!values.isEmpty())
            return QStringLiteral("L'art. %1 è un compenso fisso: non si applica a un valore.")
                .arg(article.id);
        // In halves of an item: 2 for one, 2N for N paid alike, N + 1 when the further are at half.
        const bool half = article.quantity && article.quantity->furtherAtHalf;
        const Wide halves = half ? quantity + 1 : 2 * Wide(quantity);
        result.low = rounded(article.fixedLow * halves, 2);
        result.high = rounded(article.fixedHigh * halves, 2);
        result.middle = rounded((Wide(article.fixedLow) + article.fixedHigh) * halves, 4);
        return result;
    }
    if (values.size() != article.tables.size())
        return QStringLiteral("L'art. %1 si applica a %2 valori.")
            .arg(article.id)
            .arg(article.tables.size());

    // Sums in units of 10^-7 cents: at most 5·10^9 cents times 10^7 units per bracket.
    Wide low = 0, high = 0;
    for (int t = 0; t < article.tables.size(); ++t) {
        if (values[t] < 0)
            return QStringLiteral("Il valore non può essere negativo.");
        Cents from = 0;
        for (const Bracket &b : article.tables[t].brackets) {
            const Cents amount = std::min(values[t], b.upTo) - from;
            if (amount <= 0)
                break;
            const Wide lowUnits = Wide(amount) * b.minRate;
            const Wide highUnits = Wide(amount) * b.maxRate;
            low += lowUnits;
            high += highUnits;
            result.slices.append({t, from, b.upTo, amount, b.minRate, b.maxRate,
                                  rounded(lowUnits, kUnitsPerCent),
                                  rounded(highUnits, kUnitsPerCent)});
            from = b.upTo;
        }
    }
    // The middle is the mean of the exact ends; the reduction applies before the one rounding.
    const int keep = result.reduction ? result.reduction->keepNumerator : 1;
    const int of = result.reduction ? result.reduction->keepDenominator : 1;
    const auto point = [&](Wide units, int halves) {
        const Cents cents = rounded(units * keep, Wide(kUnitsPerCent) * of * halves);
        result.floored = result.floored || cents < article.minimum;
        return std::max(cents, article.minimum);
    };
    result.low = point(2 * low, 2);
    result.middle = point(low + high, 2);
    result.high = point(2 * high, 2);
    return result;
}

QString askedError(const TableFee &fee, Cents asked) {
    if (asked >= fee.low && asked <= fee.high)
        return {};
    return QStringLiteral("L'importo richiesto, %1, è fuori dall'intervallo da %2 a %3.")
        .arg(euroText(asked), euroText(fee.low), euroText(fee.high));
}

} // namespace fee
