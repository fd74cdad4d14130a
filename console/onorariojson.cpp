#include "onorario.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace console {

QByteArray articlesJson(const fee::Decree &decree) {
    QJsonArray list;
    for (const fee::TableArticle &a : decree.articles) {
        list.append(QJsonObject{
            {"article", a.id},
            {"subject", a.subject},
            {"kind", a.kind == fee::FeeKind::Fixed ? "fixed" : "value"},
        });
    }
    return QJsonDocument(list).toJson(QJsonDocument::Indented);
}

QByteArray tableFeeJson(const fee::TableArticle &article, const fee::TableFee &fee) {
    QJsonArray brackets;
    for (const fee::Slice &s : fee.slices) {
        brackets.append(QJsonObject{
            {"table", article.tables[s.table].name},
            {"above_cents", s.above},
            {"up_to_cents", s.upTo},
            {"slice_cents", s.amount},
            {"min_rate", fee::rateText(s.minRate)},
            {"max_rate", fee::rateText(s.maxRate)},
            {"min_fee_cents", s.minFee},
            {"max_fee_cents", s.maxFee},
        });
    }
    QJsonObject object{
        {"article", article.id},  {"kind", article.kind == fee::FeeKind::Fixed ? "fixed" : "value"},
        {"min_cents", fee.low},   {"mid_cents", fee.middle},
        {"max_cents", fee.high},  {"brackets", brackets},
        {"floored", fee.floored},
    };
    if (fee.reduction)
        object.insert("reduction", fee.reduction->id);
    return QJsonDocument(object).toJson(QJsonDocument::Indented);
}

} // namespace console
