#include "articlechoice.h"

#include "tablefeetext.h"

#include <QComboBox>
#include <QStandardItemModel>

#include <algorithm>

namespace tolvemar::articlechoice {

void list(QComboBox *box, const fee::Decree &decree) {
    struct Entry {
        QString id, text;
        bool offered;
    };
    QList<Entry> entries;
    for (const fee::TableArticle &a : decree.articles)
        entries.append({a.id, fee::articleTitle(a), true});
    for (const fee::UnavailableArticle &u : decree.unavailable)
        entries.append(
            {u.id, QStringLiteral("Art. %1 - %2: %3").arg(u.id, u.shortName, u.reason), false});
    const auto number = [](const QString &id) { return id.section(u'.', 0, 0); };
    std::stable_sort(entries.begin(), entries.end(), [&](const Entry &a, const Entry &b) {
        return number(a.id).toInt() < number(b.id).toInt();
    });
    auto *list = qobject_cast<QStandardItemModel *>(box->model());
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const QString group = number(entries[i].id);
        const bool cases =
            entries[i].id.contains(u'.') && (i == 0 || number(entries[i - 1].id) != group);
        if (cases) {
            auto *heading = new QStandardItem(QStringLiteral("Art. %1").arg(group));
            heading->setEnabled(false);
            QFont bold = box->font();
            bold.setBold(true);
            heading->setFont(bold);
            list->appendRow(heading);
        }
        auto *item = new QStandardItem(
            (entries[i].id.contains(u'.') ? QStringLiteral("    ") : QString()) + entries[i].text);
        item->setData(entries[i].offered ? entries[i].id : QString(), Qt::UserRole);
        item->setToolTip(entries[i].text);
        item->setEnabled(entries[i].offered);
        list->appendRow(item);
    }
    box->setCurrentIndex(0);
    moveToAnArticle(box);
}

bool moveToAnArticle(QComboBox *box) {
    if (box->currentIndex() < 0 || !box->currentData().toString().isEmpty())
        return false;
    for (int step : {1, -1})
        for (int row = box->currentIndex(); row >= 0 && row < box->count(); row += step)
            if (!box->itemData(row).toString().isEmpty()) {
                box->setCurrentIndex(row);
                return true;
            }
    return false;
}

} // namespace tolvemar::articlechoice
