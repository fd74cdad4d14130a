#include "feeitems.h"

namespace assignments {

QString reductionId(FeeReduction reduction) {
    switch (reduction) {
    case FeeReduction::None:
        break;
    case FeeReduction::Sommaria:
        return QStringLiteral("sommaria");
    case FeeReduction::Giudizio:
        return QStringLiteral("giudizio");
    case FeeReduction::Precedente:
        return QStringLiteral("precedente");
    case FeeReduction::NonCommerciale:
        return QStringLiteral("non-commerciale");
    }
    return {};
}

std::variant<const fee::TableArticle *, QString> feeItemArticle(const FeeItem &item,
                                                                QDate appointment) {
    const auto decree = fee::decreeOn(appointment);
    if (const QString *error = std::get_if<QString>(&decree))
        return *error;
    const fee::Decree &tables = *std::get<const fee::Decree *>(decree);
    if (const fee::TableArticle *article = tables.article(item.article))
        return article;
    return tables.unknownArticleMessage(item.article);
}

QList<Cents> feeItemValues(const FeeItem &item, const fee::TableArticle &article) {
    if (article.kind != fee::FeeKind::Value)
        return {};
    return article.tables.size() == 2 ? QList<Cents>{item.value, item.revenues}
                                      : QList<Cents>{item.value};
}

std::variant<fee::TableFee, QString> feeItemFee(const FeeItem &item, QDate appointment) {
    const auto found = feeItemArticle(item, appointment);
    if (const QString *error = std::get_if<QString>(&found))
        return *error;
    const fee::TableArticle &article = *std::get<const fee::TableArticle *>(found);
    return fee::tableFee(article, feeItemValues(item, article), reductionId(item.reduction),
                         item.quantity);
}

std::variant<Cents, QString> feeItemAmount(const FeeItem &item, QDate appointment) {
    const auto computed = feeItemFee(item, appointment);
    if (const QString *error = std::get_if<QString>(&computed))
        return *error;
    const fee::TableFee &fee = std::get<fee::TableFee>(computed);
    switch (item.asked) {
    case FeeAsked::Minimum:
        return fee.low;
    case FeeAsked::Middle:
        return fee.middle;
    case FeeAsked::Maximum:
        return fee.high;
    case FeeAsked::Amount:
        break;
    }
    if (QString error = fee::askedError(fee, item.amount); !error.isEmpty())
        return error;
    return item.amount;
}

std::variant<fee::TableSettlement, QString>
settleFeeItems(const QList<FeeItem> &items, QDate appointment, const fee::TableClaim &claim) {
    QList<Cents> asked;
    for (const FeeItem &item : items) {
        const auto amount = feeItemAmount(item, appointment);
        asked.append(std::holds_alternative<Cents>(amount) ? std::get<Cents>(amount) : 0);
    }
    return fee::settleTables(asked, claim);
}

} // namespace assignments
