#include "requestdialog.h"

#include "guide.h"
#include "settings.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>

namespace tolvemar {

namespace {

QLabel *errorLabel(QWidget *parent) {
    auto *label = new QLabel(parent);
    label->setStyleSheet(QStringLiteral("color: #b00000;"));
    label->setWordWrap(true);
    label->hide();
    return label;
}

void showError(QLabel *label, const QString &message) {
    label->setText(message);
    label->setVisible(!message.isEmpty());
}

// Makes the mnemonic-free caption of a label the accessible name of its field.
QString plain(const QString &caption) {
    return QString(caption).remove(u'&');
}

} // namespace

RequestDialog::RequestDialog(const request::Computation &computation, QWidget *parent)
    : QDialog(parent)
    , computation(computation) {
    setWindowTitle(QStringLiteral("Istanza di liquidazione"));
    offerGuide(this, QStringLiteral("istanza.html"));
    auto *form = new QFormLayout;
    auto field = [this, form](const QString &caption, QWidget *widget) {
        auto *label = new QLabel(caption, this);
        label->setBuddy(widget);
        widget->setAccessibleName(plain(caption));
        form->addRow(label, widget);
    };
    expert = new QLineEdit(settings::expert(), this);
    court = new QLineEdit(settings::court(), this);
    court->setPlaceholderText(QStringLiteral("ad esempio Tribunale di Firenze"));
    caseNumber = new QLineEdit(this);
    judge = new QLineEdit(this);
    increase = new QLineEdit(this);
    increase->setPlaceholderText(QStringLiteral("da 0 a 100 (art. 52, comma 1, DPR 115/2002)"));
    increaseError = errorLabel(this);
    field(QStringLiteral("&Consulente"), expert);
    field(QStringLiteral("&Ufficio giudiziario"), court);
    field(QStringLiteral("&Procedimento n."), caseNumber);
    field(QStringLiteral("&Giudice"), judge);
    field(QStringLiteral("&Maggiorazione (%)"), increase);
    form->addRow(QString(), increaseError);

    expenses = new QTableWidget(0, 2, this);
    expenses->setHorizontalHeaderLabels(
        {QStringLiteral("Descrizione"), QStringLiteral("Importo (€)")});
    expenses->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    expenses->verticalHeader()->hide();
    auto *add = new QPushButton(QStringLiteral("&Aggiungi"), this);
    auto *remove = new QPushButton(QStringLiteral("&Rimuovi"), this);
    auto *expenseButtons = new QVBoxLayout;
    expenseButtons->addWidget(add);
    expenseButtons->addWidget(remove);
    expenseButtons->addStretch();
    auto *expenseBox = new QHBoxLayout;
    expenseBox->addWidget(expenses);
    expenseBox->addLayout(expenseButtons);
    auto *expensesLabel = new QLabel(QStringLiteral("&Spese"), this);
    expensesLabel->setBuddy(expenses);
    expenses->setAccessibleName(QStringLiteral("Spese"));
    form->addRow(expensesLabel, expenseBox);
    expensesError = errorLabel(this);
    form->addRow(QString(), expensesError);
    note = new QPlainTextEdit(this);
    note->setTabChangesFocus(true);
    note->setFixedHeight(4 * note->fontMetrics().lineSpacing() + 12);
    field(QStringLiteral("&Note"), note);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Annulla"));
    ok = buttons->button(QDialogButtonBox::Ok);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    resize(560, sizeHint().height());

    connect(buttons, &QDialogButtonBox::accepted, this, &RequestDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(add, &QPushButton::clicked, this, &RequestDialog::addExpense);
    connect(remove, &QPushButton::clicked, this, [this] {
        expenses->removeRow(expenses->currentRow());
        validate();
    });
    connect(increase, &QLineEdit::textChanged, this, &RequestDialog::validate);
    connect(expenses, &QTableWidget::itemChanged, this, &RequestDialog::validate);
    validate();
}

void RequestDialog::addExpense() {
    const int row = expenses->rowCount();
    {
        const QSignalBlocker quiet(expenses); // the row is checked once it is whole
        expenses->insertRow(row);
        expenses->setItem(row, 0, new QTableWidgetItem);
        expenses->setItem(row, 1, new QTableWidgetItem);
    }
    expenses->setCurrentCell(row, 0);
    expenses->editItem(expenses->item(row, 0));
    validate();
}

request::Details RequestDialog::details() const {
    request::Details details{
        expert->text(),     court->text(), caseNumber->text(), judge->text(), 0, {},
        note->toPlainText()};
    const auto percent = fee::parsePercent(increase->text(), locale());
    if (const int *value = std::get_if<int>(&percent))
        details.increasePercent = *value;
    for (int row = 0; row < expenses->rowCount(); ++row) {
        const auto amount = fee::parseAmount(expenses->item(row, 1)->text(), locale());
        if (const auto *cents = std::get_if<fee::Cents>(&amount))
            details.expenses.append({expenses->item(row, 0)->text(), *cents});
    }
    return details;
}

void RequestDialog::validate() {
    const auto percent = fee::parsePercent(increase->text(), locale());
    const QString *percentError = std::get_if<QString>(&percent);
    showError(increaseError, percentError ? *percentError : QString());
    increase->setStyleSheet(percentError ? QStringLiteral("border: 1px solid #b00000;")
                                         : QString());

    QString expenseError;
    const QSignalBlocker quiet(expenses); // marking a cell is no edit
    for (int row = 0; row < expenses->rowCount(); ++row) {
        QTableWidgetItem *amount = expenses->item(row, 1);
        const auto read = fee::parseAmount(amount->text(), locale());
        const QString *error = std::get_if<QString>(&read);
        amount->setBackground(error ? QColor(255, 220, 220) : QBrush());
        amount->setToolTip(error ? *error : QString());
        if (error && expenseError.isEmpty())
            expenseError = QStringLiteral("Riga %1: %2").arg(row + 1).arg(*error);
    }
    if (expenseError.isEmpty() && !percentError) {
        const auto sums = request::totals({computation, details()});
        if (const QString *error = std::get_if<QString>(&sums))
            expenseError = *error;
    }
    showError(expensesError, expenseError);
    ok->setEnabled(!percentError && expenseError.isEmpty());
}

void RequestDialog::accept() {
    if (!ok->isEnabled())
        return;
    settings::setExpertAndCourt(expert->text(), court->text());
    QDialog::accept();
}

} // namespace tolvemar
