#include "feeitemsummary.h"

#include "feeitemmodel.h"
#include "feeitems.h"
#include "feeitemtext.h"
#include "money.h"

#include <QGridLayout>
#include <QLabel>

namespace tolvemar {

namespace {

QLabel *label(const QString &text, QWidget *parent, bool bold) {
    auto *shown = new QLabel(text, parent);
    shown->setAccessibleName(text);
    shown->setTextInteractionFlags(Qt::TextSelectableByMouse);
    if (bold) {
        QFont font = shown->font();
        font.setBold(true);
        shown->setFont(font);
    }
    return shown;
}

} // namespace

FeeItemSummary::FeeItemSummary(QWidget *parent)
    : QWidget(parent)
    , grid(new QGridLayout(this)) {
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setColumnStretch(0, 1);
    clear();
}

void FeeItemSummary::addLine(const QString &caption, const QString &value, bool bold) {
    const int row = int(shown.size());
    shown.append(std::pair(label(caption, this, bold), label(value, this, bold)));
    shown.last().second->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    shown.last().first->setWordWrap(true);
    grid->addWidget(shown.last().first, row, 0);
    grid->addWidget(shown.last().second, row, 1);
}

void FeeItemSummary::clear() {
    for (const auto &[caption, value] : std::as_const(shown)) {
        delete caption;
        delete value;
    }
    shown.clear();
    addLine(QStringLiteral("Onorari fissi e variabili"), QString());
}

std::variant<fee::TableSettlement, QString>
FeeItemSummary::showAssignment(const assignments::Assignment &a, bool late) {
    clear();
    const QDate appointment = a.period.appointment;
    for (const assignments::FeeItem &item : a.feeItems) {
        const auto amount = assignments::feeItemAmount(item, appointment);
        const QString *error = std::get_if<QString>(&amount);
        // The article by its number and the item by its description: the article's subject,
        // which can run to a paragraph, stays in the tooltip.
        QString what = QStringLiteral("Art. %1").arg(item.article);
        const fee::TableArticle *article = feeitemtext::articleOf(item.article, appointment);
        if (article && article->quantity)
            what += QStringLiteral(" (%1)").arg(article->quantity->text(item.quantity));
        if (!item.description.trimmed().isEmpty())
            what += QStringLiteral(" — ") + item.description.trimmed();
        addLine(QStringLiteral("%1, %2").arg(
                    what, feeitemtext::cellText(item, FeeItemModel::Asked, appointment)),
                error ? *error : fee::euroText(std::get<fee::Cents>(amount)));
        shown.last().first->setToolTip(feeitemtext::articleWhole(item, appointment));
    }
    const fee::TableClaim claim{a.tableUrgencyPercent, a.increasePercent, late, a.panel};
    const auto settled = assignments::settleFeeItems(a.feeItems, appointment, claim);
    if (a.feeItems.isEmpty()) {
        shown.first().second->setText(QStringLiteral("nessuno"));
        shown.first().second->setAccessibleName(QStringLiteral("nessuno"));
        return settled;
    }
    if (const QString *error = std::get_if<QString>(&settled)) {
        addLine(QStringLiteral("Totale onorari fissi e variabili"), *error, true);
        return settled;
    }
    // Only what changes the fee, so that the summary keeps to the window's height.
    const fee::TableSettlement &s = std::get<fee::TableSettlement>(settled);
    if (late)
        addLine(QStringLiteral("Riduzione di un terzo (relazione depositata oltre il termine)"),
                fee::euroText(-s.reduction));
    if (claim.urgencyPercent > 0)
        addLine(QStringLiteral("Aumento per urgenza (%1 %)").arg(claim.urgencyPercent),
                fee::euroText(s.urgency));
    if (claim.increasePercent > 0)
        addLine(QStringLiteral("Maggiorazione (%1 %)").arg(claim.increasePercent),
                fee::euroText(s.increase));
    if (claim.panel > 1)
        addLine(QStringLiteral("Collegio (%1 componenti)").arg(claim.panel),
                fee::euroText(s.panel));
    addLine(QStringLiteral("Totale onorari fissi e variabili"), fee::euroText(s.total), true);
    return settled;
}

QList<std::pair<QString, QString>> FeeItemSummary::lines() const {
    QList<std::pair<QString, QString>> texts;
    for (const auto &[caption, value] : shown)
        texts.append({caption->text(), value->text()});
    return texts;
}

} // namespace tolvemar
