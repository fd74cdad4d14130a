#include "onorario.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace console {

namespace {

const char *kindName(const fee::TableArticle &article) {
    return article.kind == fee::FeeKind::Fixed ? "fixed" : "value";
}

const char *sourceName(const fee::TableArticle &article) {
    return article.source == fee::FeeSource::Single ? "unica" : "confermata";
}

} // namespace

QByteArray articlesJson(const fee::Decree &decree) {
    QJsonArray list;
    for (const fee::TableArticle &a : decree.articles) {
        list.append(QJsonObject{
            {"article", a.id},
            {"short", a.shortName},
            {"subject", a.subject},
            {"kind", kindName(a)},
            {"quantita", a.quantity.has_value()},
            {"fonte", sourceName(a)},
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
        {"article", article.id},   {"kind", kindName(article)}, {"min_cents", fee.low},
        {"mid_cents", fee.middle}, {"max_cents", fee.high},     {"brackets", brackets},
        {"floored", fee.floored},  {"quantita", fee.quantity},  {"fonte", sourceName(article)},
    };
    if (fee.reduction)
        object.insert("reduction", fee.reduction->id);
    return QJsonDocument(object).toJson(QJsonDocument::Indented);
}

} // namespace console
