#include "tablewalk.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace reference {

namespace {

__extension__ typedef __int128 Big;

// "0.00235" as millionths of a unit: 2350.
Big millionths(const QString &text) {
    const QStringList parts = text.split(u'.');
    return Big(parts[0].toLongLong()) * 1000000 +
           (parts.size() > 1 ? parts[1].leftJustified(6, u'0').toLongLong() : 0);
}

} // namespace

TablePoints walkTableFee(const QByteArray &json, const QString &id, const QList<qint64> &values,
                         int keep, int of) {
    QJsonObject article;
    for (const QJsonValue &a : QJsonDocument::fromJson(json).object()[u"articles"].toArray()) {
        if (a[u"article"].toString() == id)
            article = a.toObject();
    }
    // Cents times millionths of a per cent: a fee in units of 10^-8 cents.
    Big low = 0, high = 0;
    const QJsonArray tables = article[u"tables"].toArray();
    for (qsizetype t = 0; t < tables.size(); ++t) {
        Big lower = 0;
        for (const QJsonValue &row : tables[t][u"brackets"].toArray()) {
            const Big upper = millionths(row[0].toString()) / 10000; // cents
            const Big value = values[t];
            if (value <= lower)
                break;
            const Big slice = (value < upper ? value : upper) - lower;
            low += slice * millionths(row[1].toString());
            high += slice * millionths(row[2].toString());
            lower = upper;
        }
    }
    const qint64 minimum = qint64(millionths(article[u"minimum"].toString()) / 10000);
    const auto cents = [&](Big units, Big divisor) {
        const Big scaled = units * keep, whole = Big(100000000) * divisor * of;
        qint64 c = qint64(scaled / whole);
        if (2 * (scaled % whole) >= whole)
            ++c;
        return c < minimum ? minimum : c;
    };
    return {cents(low, 1), cents(low + high, 2), cents(high, 1)};
}

} // namespace reference
