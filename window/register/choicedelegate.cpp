#include "choicedelegate.h"

#include <QComboBox>

namespace tolvemar {

ChoiceDelegate::ChoiceDelegate(Choices offered, bool ownText, QObject *parent)
    : QStyledItemDelegate(parent)
    , choices(std::move(offered))
    , typed(ownText) {}

QWidget *ChoiceDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                                      const QModelIndex &index) const {
    QWidget *editor = nullptr;
    if (const std::optional<QStringList> offered = choices(index)) {
        auto *combo = new QComboBox(parent);
        combo->setEditable(typed);
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->addItems(*offered);
        editor = combo;
    } else {
        editor = QStyledItemDelegate::createEditor(parent, option, index);
    }
    editor->setAccessibleName(index.model()->headerData(index.column(), Qt::Horizontal).toString());
    return editor;
}

void ChoiceDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const {
    if (auto *combo = qobject_cast<QComboBox *>(editor))
        combo->setCurrentText(index.data(Qt::EditRole).toString());
    else
        QStyledItemDelegate::setEditorData(editor, index);
}

void ChoiceDelegate::setModelData(QWidget *editor, QAbstractItemModel *model,
                                  const QModelIndex &index) const {
    if (auto *combo = qobject_cast<QComboBox *>(editor))
        model->setData(index, combo->currentText(), Qt::EditRole);
    else
        QStyledItemDelegate::setModelData(editor, model, index);
}

} // namespace tolvemar
