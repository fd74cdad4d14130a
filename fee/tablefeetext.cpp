#include "tablefeetext.h"

namespace fee {

QList<SliceRow> sliceRows(const TableArticle &article, const TableFee &fee) {
    QList<SliceRow> rows;
    for (const Slice &s : fee.slices) {
        rows.append(
            {article.tables[s.table].name,
             s.above == 0
                 ? QStringLiteral("fino a %1").arg(euroText(s.upTo))
                 : QStringLiteral("da %1 a %2").arg(euroText(s.above + 1), euroText(s.upTo)),
             euroText(s.amount),
             QStringLiteral("%1 % - %2 %").arg(rateText(s.minRate), rateText(s.maxRate)),
             QStringLiteral("%1 - %2").arg(euroText(s.minFee), euroText(s.maxFee))});
    }
    return rows;
}

QString articleTitle(const TableArticle &article) {
    return QStringLiteral("Art. %1 - %2").arg(article.id, article.subject);
}

QString articleTitle(const TableArticle &article, int quantity) {
    return article.quantity ? QStringLiteral("%1 (%2)").arg(articleTitle(article),
                                                            article.quantity->text(quantity))
                            : articleTitle(article);
}

QString fixedFeeText(const TableArticle &article) {
    QString text = article.singleAmount()
                       ? euroText(article.fixedLow)
                       : QStringLiteral("da %1 a %2")
                             .arg(euroText(article.fixedLow), euroText(article.fixedHigh));
    if (article.quantity)
        text +=
            QStringLiteral(" per %1%2")
                .arg(article.quantity->one, article.quantity->furtherAtHalf
                                                ? QStringLiteral(", i successivi al primo a metà")
                                                : QString());
    return text;
}

QString fixedFeeSentence(const TableArticle &article) {
    return (article.singleAmount() ? QStringLiteral("Compenso fisso di %1.")
                                   : QStringLiteral("Compenso fisso %1."))
        .arg(fixedFeeText(article));
}

QString sourceNote(const Decree &decree, const TableArticle &article) {
    return article.source == FeeSource::Single ? decree.singleSourceNote : QString();
}

QString articleShortTitle(const TableArticle &article) {
    return QStringLiteral("Art. %1 - %2").arg(article.id, article.shortName);
}

QString tableFeeText(const Decree &decree, const TableArticle &article, const TableFee &fee) {
    QStringList lines{articleTitle(article, fee.quantity),
                      QStringLiteral("Secondo le %1 (in vigore dal %2).")
                          .arg(decree.basis, decree.inForce.toString(u"dd/MM/yyyy"))};
    if (article.kind == FeeKind::Fixed) {
        lines.append(fixedFeeSentence(article));
    } else {
        const QList<SliceRow> rows = sliceRows(article, fee);
        for (int t = 0; t < article.tables.size(); ++t) {
            const ValueTable &table = article.tables[t];
            const Cents cap = table.brackets.last().upTo;
            const QString value =
                table.name.isEmpty()
                    ? table.value.left(1).toUpper() + table.value.mid(1)
                    : QStringLiteral("Tabella %1, %2").arg(table.name, table.value);
            lines.append(
                QStringLiteral("%1: %2%3")
                    .arg(
                        value, euroText(fee.values[t]),
                        fee.values[t] > cap
                            ? QStringLiteral(" (oltre %1 non si aggiunge nulla)").arg(euroText(cap))
                            : QString()));
            for (qsizetype i = 0; i < rows.size(); ++i) {
                if (fee.slices[i].table == t)
                    lines.append(
                        QStringLiteral("  %1: %2 al %3, %4")
                            .arg(rows[i].range, rows[i].amount, rows[i].rates, rows[i].fees));
            }
        }
        if (fee.reduction)
            lines.append(QStringLiteral("Riduzione: %1 (resta %2/%3).")
                             .arg(fee.reduction->name)
                             .arg(fee.reduction->keepNumerator)
                             .arg(fee.reduction->keepDenominator));
        lines.append(QStringLiteral("Minimo dell'articolo: %1%2.")
                         .arg(euroText(article.minimum),
                              fee.floored ? QStringLiteral(", applicato") : QString()));
    }
    lines.append(QStringLiteral("Minimo: %1").arg(euroText(fee.low)));
    lines.append(QStringLiteral("Medio: %1").arg(euroText(fee.middle)));
    lines.append(QStringLiteral("Massimo: %1").arg(euroText(fee.high)));
    if (const QString note = sourceNote(decree, article); !note.isEmpty())
        lines.append(note);
    return lines.join(u'\n') + u'\n';
}

} // namespace fee
