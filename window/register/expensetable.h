#pragma once

#include "expensemodel.h"

#include <QWidget>

class QTableView;

namespace tolvemar {

// "Spese": the table and its two buttons.
class ExpenseTable : public QWidget {
    Q_OBJECT

public:
    ExpenseTable(ExpenseModel::Save save, QWidget *parent = nullptr);

    void setExpenses(const QList<assignments::Expense> &expenses);
    QTableView *view() const { return table; }

signals:
    void message(const QString &text);

private:
    ExpenseModel *model;
    QTableView *table;
};

} // namespace tolvemar
