#include "liquidationpanel.h"

#include "choicedelegate.h"
#include "datepicker.h"
#include "fieldmark.h"
#include "partymodel.h"
#include "paymentmodel.h"
#include "registertexts.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>

namespace tolvemar {

LiquidationPanel::LiquidationPanel(Save saver, QWidget *parent)
    : QWidget(parent)
    , save(std::move(saver))
    , decree(new QLineEdit(this))
    , amounts{new QLineEdit(this), new QLineEdit(this), new QLineEdit(this)}
    , decreeError(fieldmark::errorLabel(this))
    , amountErrors{fieldmark::errorLabel(this), fieldmark::errorLabel(this),
                   fieldmark::errorLabel(this)}
    , parties(new PartyModel(
          [this](const QList<assignments::Party> &changed) {
              return save([&](assignments::Assignment &a) { a.parties = changed; });
          },
          this))
    , payments(new PaymentModel(
          [this](const QList<assignments::Payment> &changed) {
              return save([&](assignments::Assignment &a) { a.payments = changed; });
          },
          this))
    , partyTable(new QTableView(this))
    , paymentTable(new QTableView(this))
    , partyError(fieldmark::errorLabel(this))
    , paymentError(fieldmark::errorLabel(this)) {
    decree->setPlaceholderText(QStringLiteral("ad esempio ") +
                               registertext::date(QDate(2025, 3, 31)));
    for (QLineEdit *amount : amounts)
        amount->setPlaceholderText(QStringLiteral("0,00"));
    auto *fields = new QFormLayout;
    for (const auto &[caption, edit, error] :
         {std::tuple{QStringLiteral("Decreto di li&quidazione"), decree, decreeError},
          std::tuple{QStringLiteral("Importo l&iquidato"), amounts[Liquidated],
                     amountErrors[Liquidated]},
          std::tuple{QStringLiteral("di cui spese"), amounts[Expenses], amountErrors[Expenses]},
          std::tuple{QStringLiteral("di cui spese anticipate (art. 15)"), amounts[Advanced],
                     amountErrors[Advanced]}}) {
        auto *label = new QLabel(caption, this);
        label->setBuddy(edit);
        edit->setAccessibleName(QString(caption).remove(u'&'));
        auto *line = new QHBoxLayout;
        line->addWidget(edit);
        if (edit == decree)
            line->addWidget(datePicker(decree, this, [this] { lineEdited(decree); }));
        auto *column = new QVBoxLayout;
        column->setSpacing(2);
        column->addLayout(line);
        column->addWidget(error);
        fields->addRow(label, column);
        connect(edit, &QLineEdit::editingFinished, this, [this, edit = edit] { lineEdited(edit); });
    }

    partyTable->setModel(parties);
    partyTable->setAccessibleName(QStringLiteral("Parti a carico"));
    partyTable->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    partyTable->horizontalHeader()->setSectionResizeMode(PartyModel::Name, QHeaderView::Stretch);
    paymentTable->setModel(payments);
    // Who paid: one of the parties, offered in a list, or any other payer typed in.
    paymentTable->setItemDelegate(new ChoiceDelegate(
        [this](const QModelIndex &index) -> std::optional<QStringList> {
            if (index.column() != PaymentModel::Payer)
                return std::nullopt;
            QStringList names;
            for (const assignments::Party &party : parties->rows())
                if (!party.name.isEmpty())
                    names.append(party.name);
            return names;
        },
        true, paymentTable));
    paymentTable->setAccessibleName(QStringLiteral("Pagamenti"));
    paymentTable->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    paymentTable->horizontalHeader()->setSectionResizeMode(PaymentModel::Note,
                                                           QHeaderView::Stretch);
    auto *left = new QVBoxLayout;
    left->addLayout(fields);
    left->addWidget(tableBox(
        partyTable, new QLabel(QStringLiteral("&Parti a carico"), this), partyError,
        QStringLiteral("parte"), [this] { parties->addRow(); },
        [this](int row) { parties->removeRow(row); }));
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(left, 2);
    layout->addWidget(tableBox(
                          paymentTable, new QLabel(QStringLiteral("Pagamenti"), this), paymentError,
                          QStringLiteral("pagamento"), [this] { payments->addRow(); },
                          [this](int row) { payments->removeRow(row); }),
                      3);

    connect(parties, &PartyModel::refused, this,
            [this](const QString &text) { fieldmark::mark(partyTable, partyError, text); });
    connect(payments, &PaymentModel::refused, this,
            [this](const QString &text) { fieldmark::mark(paymentTable, paymentError, text); });
    setAssignment(std::nullopt);
}

// A table under its title, its message under it, and the buttons that add a row (and open its
// first cell) and remove the current one.
QWidget *LiquidationPanel::tableBox(QTableView *table, QLabel *title, QLabel *error,
                                    const QString &item, const std::function<void()> &add,
                                    const std::function<void(int)> &remove) {
    auto *box = new QWidget(this);
    title->setBuddy(table);
    table->setTabKeyNavigation(false);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->verticalHeader()->hide();
    auto *adding = new QPushButton(QStringLiteral("Aggiungi ") + item, box);
    auto *removing = new QPushButton(QStringLiteral("Rimuovi ") + item, box);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(adding);
    buttons->addWidget(removing);
    buttons->addStretch();
    auto *layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(title);
    layout->addWidget(table, 1);
    layout->addWidget(error);
    layout->addLayout(buttons);
    connect(adding, &QPushButton::clicked, this, [table, add] {
        add();
        const QModelIndex added = table->model()->index(table->model()->rowCount() - 1, 0);
        table->setFocus();
        table->setCurrentIndex(added);
        table->edit(added);
    });
    connect(removing, &QPushButton::clicked, this,
            [table, remove] { remove(table->currentIndex().row()); });
    return box;
}

void LiquidationPanel::setAssignment(const std::optional<assignments::Assignment> &assignment) {
    enabled = assignment.has_value();
    const assignments::Assignment shown = assignment.value_or(assignments::Assignment{});
    decreeShown = shown.decree;
    amountShown[Liquidated] = shown.liquidated;
    amountShown[Expenses] = shown.decreeExpenses;
    amountShown[Advanced] = shown.decreeAdvanced;
    decree->setText(registertext::date(shown.decree));
    for (int i = 0; i < AmountCount; ++i) {
        amounts[i]->setText(enabled ? registertext::amount(amountShown[i]) : QString());
        fieldmark::mark(amounts[i], amountErrors[i], {});
    }
    parties->setRows(shown.parties);
    payments->setRows(shown.payments);
    fieldmark::mark(decree, decreeError, {});
    fieldmark::mark(partyTable, partyError, {});
    fieldmark::mark(paymentTable, paymentError, {});
    setEnabled(enabled);
}

void LiquidationPanel::lineEdited(QLineEdit *edit) {
    if (!enabled)
        return;
    QDate date = decreeShown;
    fee::Cents typed[AmountCount];
    std::copy(std::begin(amountShown), std::end(amountShown), typed);
    const int which = int(std::find(std::begin(amounts), std::end(amounts), edit) - amounts);
    QString error;
    const QString text = edit->text();
    if (edit == decree) {
        const auto parsed = registertext::parseDate(text);
        if (const QString *message = std::get_if<QString>(&parsed))
            error = *message;
        else
            date = std::get<QDate>(parsed);
    } else {
        const auto parsed =
            fee::parseAmount(text.trimmed().isEmpty() ? QStringLiteral("0") : text, QLocale());
        if (const QString *message = std::get_if<QString>(&parsed))
            error = *message;
        else
            typed[which] = std::get<fee::Cents>(parsed);
    }
    if (error.isEmpty() &&
        (date != decreeShown || !std::equal(typed, typed + AmountCount, amountShown)))
        error = save([&](assignments::Assignment &a) {
            a.decree = date;
            a.liquidated = typed[Liquidated];
            a.decreeExpenses = typed[Expenses];
            a.decreeAdvanced = typed[Advanced];
        });
    fieldmark::mark(edit, edit == decree ? decreeError : amountErrors[which], error);
    if (!error.isEmpty())
        return;
    decreeShown = date;
    std::copy(typed, typed + AmountCount, amountShown);
}

void LiquidationPanel::savePending() {
    lineEdited(decree);
    for (QLineEdit *amount : amounts)
        lineEdited(amount);
}

int LiquidationPanel::selectedParty() const {
    const QModelIndex index = partyTable->currentIndex();
    return index.isValid() ? index.row() : -1;
}

} // namespace tolvemar
