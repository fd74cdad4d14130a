#include "expensetable.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>

namespace tolvemar {

ExpenseTable::ExpenseTable(ExpenseModel::Save save, QWidget *parent)
    : QWidget(parent)
    , model(new ExpenseModel(std::move(save), this))
    , table(new QTableView(this)) {
    table->setModel(model);
    table->setAccessibleName(QStringLiteral("Spese"));
    table->setTabKeyNavigation(false);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    table->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    auto *title = new QLabel(QStringLiteral("&Spese"), this);
    title->setBuddy(table);
    auto *add = new QPushButton(QStringLiteral("Aggiungi spesa"), this);
    auto *remove = new QPushButton(QStringLiteral("Rimuovi spesa"), this);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(add);
    buttons->addWidget(remove);
    buttons->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(title);
    layout->addWidget(table, 1);
    layout->addLayout(buttons);

    connect(model, &ExpenseModel::refused, this, &ExpenseTable::message);
    connect(add, &QPushButton::clicked, this, [this] {
        if (!model->addRow())
            return;
        const QModelIndex added = model->index(model->rowCount() - 1, 0);
        table->setFocus();
        table->setCurrentIndex(added);
        table->edit(added);
    });
    connect(remove, &QPushButton::clicked, this,
            [this] { model->removeRow(table->currentIndex().row()); });
}

void ExpenseTable::setExpenses(const QList<assignments::Expense> &expenses) {
    model->setExpenses(expenses);
}

} // namespace tolvemar
