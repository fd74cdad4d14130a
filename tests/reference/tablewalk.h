#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// The fee of an article of the tables by a plain walk over the data file: each bracket's slice
// times its rate, read from the file's text, summed as an exact fraction of a euro.
namespace reference {

struct TablePoints {
    qint64 low = 0, middle = 0, high = 0; // cents
};

// Article `id` of the data file `json` on `values` (one per table), the fee kept at keep/of;
// each point rounded half up to the cent and raised to the minimum.
TablePoints walkTableFee(const QByteArray &json, const QString &id, const QList<qint64> &values,
                         int keep = 1, int of = 1);

} // namespace reference
