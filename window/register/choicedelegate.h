#pragma once

#include <QStringList>
#include <QStyledItemDelegate>

#include <functional>
#include <optional>

namespace tolvemar {

// A list to choose from where a cell offers one, a line elsewhere; every editor named by its
// column. With `typed`, the list also takes a text of its own.
class ChoiceDelegate : public QStyledItemDelegate {
public:
    // The choices for a cell; nothing for a line.
    using Choices = std::function<std::optional<QStringList>(const QModelIndex &)>;

    ChoiceDelegate(Choices choices, bool typed, QObject *parent);

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model,
                      const QModelIndex &index) const override;

private:
    Choices choices;
    bool typed;
};

} // namespace tolvemar
