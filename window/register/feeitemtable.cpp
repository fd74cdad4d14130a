#include "feeitemtable.h"

#include "choicedelegate.h"
#include "fieldmark.h"
#include "tablesettlement.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTableView>

namespace tolvemar {

FeeItemTable::FeeItemTable(Save saver, QWidget *parent)
    : QWidget(parent)
    , save(std::move(saver))
    , model(new FeeItemModel(
          [this](const QList<assignments::FeeItem> &items) { return save(items, savedUrgency); },
          this))
    , table(new QTableView(this))
    , urgency(new QSpinBox(this))
    , urgencyError(fieldmark::errorLabel(this)) {
    table->setModel(model);
    table->setItemDelegate(new ChoiceDelegate(
        [](const QModelIndex &index) -> std::optional<QStringList> {
            const QStringList choices = index.data(FeeItemModel::kChoicesRole).toStringList();
            return choices.isEmpty() ? std::nullopt : std::optional(choices);
        },
        false, table));
    table->setAccessibleName(QStringLiteral("Onorari fissi e variabili"));
    table->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                           QAbstractItemView::AnyKeyPressed);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setTabKeyNavigation(false);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->horizontalHeader()->setSectionResizeMode(FeeItemModel::Description,
                                                    QHeaderView::Stretch);
    auto *title = new QLabel(QStringLiteral("Onorari fissi e varia&bili"), this);
    title->setBuddy(table);
    auto *add = new QPushButton(QStringLiteral("Aggiungi onorario"), this);
    auto *remove = new QPushButton(QStringLiteral("Rimuovi onorario"), this);

    const QString caption = QStringLiteral("Aumento per urgenza degli onorari a percentuale (%)");
    urgency->setRange(0, fee::kTableUrgencyMaxPercent);
    urgency->setKeyboardTracking(false);
    urgency->setAccessibleName(caption);
    urgency->setToolTip(QStringLiteral("Fino al %1 % (art. 51, comma 2, DPR 115/2002)")
                            .arg(fee::kTableUrgencyMaxPercent));
    auto *urgencyLabel = new QLabel(caption, this);
    urgencyLabel->setBuddy(urgency);
    auto *urgencyBox = new QVBoxLayout;
    urgencyBox->setSpacing(2);
    urgencyBox->addWidget(urgency);
    urgencyBox->addWidget(urgencyError);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(add);
    buttons->addWidget(remove);
    buttons->addStretch();
    buttons->addWidget(urgencyLabel);
    buttons->addLayout(urgencyBox);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(title);
    layout->addWidget(table, 1);
    layout->addLayout(buttons);

    connect(model, &FeeItemModel::refused, this, &FeeItemTable::message);
    connect(add, &QPushButton::clicked, this, [this] {
        if (!model->addRow())
            return;
        const QModelIndex added = model->index(model->rowCount() - 1, FeeItemModel::Article);
        table->setFocus();
        table->setCurrentIndex(added);
        table->edit(added);
    });
    connect(remove, &QPushButton::clicked, this,
            [this] { model->removeRow(table->currentIndex().row()); });
    connect(urgency, &QSpinBox::valueChanged, this, [this](int value) {
        const QString error = save(model->feeItems(), value);
        fieldmark::mark(urgency, urgencyError, error);
        if (error.isEmpty())
            savedUrgency = value;
    });
}

void FeeItemTable::setAssignment(const std::optional<assignments::Assignment> &assignment) {
    const assignments::Assignment shown = assignment.value_or(assignments::Assignment{});
    model->setFeeItems(shown.feeItems, shown.period.appointment);
    savedUrgency = shown.tableUrgencyPercent;
    const QSignalBlocker quiet(urgency);
    urgency->setValue(savedUrgency);
    fieldmark::mark(urgency, urgencyError, {});
}

} // namespace tolvemar
