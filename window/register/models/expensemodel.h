#pragma once

#include "register.h"

#include <QAbstractTableModel>

#include <functional>

namespace tolvemar {

// The expenses of an assignment, description and amount, like the fee request's. Every change
// goes to `save`, which answers with a message when it is refused.
class ExpenseModel : public QAbstractTableModel {
    Q_OBJECT

public:
    using Save = std::function<QString(const QList<assignments::Expense> &)>;

    ExpenseModel(Save save, QObject *parent = nullptr);

    void setExpenses(const QList<assignments::Expense> &expenses);
    bool addRow();
    bool removeRow(int row);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

signals:
    void refused(const QString &message);

private:
    bool commit(const QList<assignments::Expense> &changed);

    Save save;
    QList<assignments::Expense> expenses;
};

} // namespace tolvemar
