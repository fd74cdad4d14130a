#include "feeitemtext.h"

#include "feeitemmodel.h"
#include "feeitems.h"
#include "tablefeetext.h"

#include <optional>

namespace tolvemar::feeitemtext {

using assignments::FeeAsked;
using assignments::FeeItem;
using assignments::FeeReduction;
namespace {

const char *const kAskedNames[] = {"minimo", "medio", "massimo", "importo"};
const char *const kNone = "nessuna";

// "nessuna", or a reduction of any article by its name or its id.
std::optional<FeeReduction> reductionOf(const QString &text, QDate appointment) {
    if (text.isEmpty() || text == QLatin1String(kNone))
        return FeeReduction::None;
    for (const QString &id : assignments::feeArticles()) {
        const fee::TableArticle *article = articleOf(id, appointment);
        for (const fee::TableReduction &r :
             article ? article->reductions : QList<fee::TableReduction>())
            for (int e = 1; e <= int(FeeReduction::NonCommerciale); ++e)
                if ((text == r.id || text == r.name) &&
                    assignments::reductionId(FeeReduction(e)) == r.id)
                    return FeeReduction(e);
    }
    return std::nullopt;
}

} // namespace

const fee::TableArticle *articleOf(const QString &id, QDate appointment) {
    FeeItem item;
    item.article = id;
    const auto found = assignments::feeItemArticle(item, appointment);
    return std::holds_alternative<QString>(found) ? nullptr
                                                  : std::get<const fee::TableArticle *>(found);
}

QString cellText(const FeeItem &item, int column, QDate appointment) {
    const fee::TableArticle *article = articleOf(item.article, appointment);
    const bool byValue = article && article->kind == fee::FeeKind::Value;
    switch (column) {
    case FeeItemModel::Article:
        return article ? fee::articleShortTitle(*article) : item.article;
    case FeeItemModel::Value:
        return byValue ? fee::euroText(item.value) : QString();
    case FeeItemModel::Revenues:
        return byValue && article->tables.size() == 2 ? fee::euroText(item.revenues) : QString();
    case FeeItemModel::Quantity:
        return article && article->quantity ? QString::number(item.quantity) : QString();
    case FeeItemModel::Reduction:
        if (item.reduction != FeeReduction::None && article)
            if (const fee::TableReduction *r =
                    article->reduction(assignments::reductionId(item.reduction)))
                return r->name;
        return item.reduction == FeeReduction::None ? QString::fromLatin1(kNone)
                                                    : assignments::reductionId(item.reduction);
    case FeeItemModel::Asked:
        return QString::fromLatin1(kAskedNames[int(item.asked)]);
    case FeeItemModel::Amount: {
        const auto amount = assignments::feeItemAmount(item, appointment);
        return std::holds_alternative<fee::Cents>(amount)
                   ? fee::euroText(std::get<fee::Cents>(amount))
                   : QStringLiteral("—");
    }
    default:
        return item.description;
    }
}

QString articleWhole(const FeeItem &item, QDate appointment) {
    const fee::TableArticle *article = articleOf(item.article, appointment);
    return article ? fee::articleTitle(*article) : item.article;
}

QStringList cellChoices(const FeeItem &item, int column, QDate appointment) {
    QStringList list;
    if (column == FeeItemModel::Article) {
        for (const QString &id : assignments::feeArticles())
            if (const fee::TableArticle *article = articleOf(id, appointment))
                list.append(fee::articleShortTitle(*article));
    } else if (column == FeeItemModel::Reduction) {
        list.append(QString::fromLatin1(kNone));
        if (const fee::TableArticle *article = articleOf(item.article, appointment))
            for (const fee::TableReduction &r : article->reductions)
                list.append(r.name);
    } else if (column == FeeItemModel::Asked) {
        for (const char *name : kAskedNames)
            list.append(QString::fromLatin1(name));
    }
    return list;
}

QString applyTyped(FeeItem &item, int column, const QString &typed, QDate appointment) {
    const QString text = typed.trimmed();
    const auto amount = [&text](fee::Cents &target) -> QString {
        const auto parsed =
            fee::parseAmount(text.isEmpty() ? QStringLiteral("0") : text, QLocale());
        if (const QString *error = std::get_if<QString>(&parsed))
            return *error;
        target = std::get<fee::Cents>(parsed);
        return {};
    };
    switch (column) {
    case FeeItemModel::Article:
        for (const QString &id : assignments::feeArticles()) {
            const fee::TableArticle *article = articleOf(id, appointment);
            if (!article || (text != id && text != fee::articleShortTitle(*article) &&
                             text != fee::articleTitle(*article)))
                continue;
            item.article = id;
            if (article->kind == fee::FeeKind::Fixed)
                item.value = 0;
            if (article->tables.size() != 2)
                item.revenues = 0;
            if (!article->reduction(assignments::reductionId(item.reduction)))
                item.reduction = FeeReduction::None;
            if (!article->quantity)
                item.quantity = 1;
            return {};
        }
        return QStringLiteral("L'articolo «%1» non è nella tabella.").arg(text);
    case FeeItemModel::Value:
        return amount(item.value);
    case FeeItemModel::Revenues:
        return amount(item.revenues);
    case FeeItemModel::Quantity: {
        bool whole = false;
        const int quantity = text.toInt(&whole);
        if (!whole || quantity < 1 || quantity > fee::kMaxQuantity)
            return QStringLiteral("La quantità dev'essere un numero intero da 1 a %1, non «%2».")
                .arg(fee::kMaxQuantity)
                .arg(text);
        item.quantity = quantity;
        return {};
    }
    case FeeItemModel::Reduction:
        if (const auto reduction = reductionOf(text, appointment)) {
            item.reduction = *reduction;
            return {};
        }
        return QStringLiteral("La riduzione «%1» non è nella tabella.").arg(text);
    case FeeItemModel::Asked:
        for (int a = 0; a < int(std::size(kAskedNames)); ++a) {
            if (text != QLatin1String(kAskedNames[a]))
                continue;
            // An amount starts from what was asked until now, which is within the range.
            if (FeeAsked(a) == FeeAsked::Amount && item.asked != FeeAsked::Amount) {
                const auto was = assignments::feeItemAmount(item, appointment);
                item.amount =
                    std::holds_alternative<fee::Cents>(was) ? std::get<fee::Cents>(was) : 0;
            }
            item.asked = FeeAsked(a);
            return {};
        }
        return QStringLiteral("Si chiede il minimo, il medio, il massimo o un importo, non «%1».")
            .arg(text);
    case FeeItemModel::Amount:
        item.asked = FeeAsked::Amount;
        return amount(item.amount);
    default:
        item.description = typed;
        return {};
    }
}

} // namespace tolvemar::feeitemtext
