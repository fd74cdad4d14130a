#include "invoicepanel.h"

#include "billing.h"
#include "documentoutput.h"
#include "feenotice.h"
#include "fieldmark.h"
#include "fiscalcodes.h"
#include "invoicemodel.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>
#include <QTableView>

namespace tolvemar {

InvoicePanel::InvoicePanel(assignments::Register &file, Current assignmentNow,
                           std::function<int()> selectedParty, QWidget *parent)
    : QWidget(parent)
    , store(file)
    , current(std::move(assignmentNow))
    , party(std::move(selectedParty))
    , courtName(new QLabel(this))
    , invoiceTo(new QComboBox(this))
    , courtError(fieldmark::errorLabel(this))
    , invoices(new InvoiceModel(this))
    , invoiceTable(new QTableView(this)) {
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Ufficio giudiziario"), courtName);
    ipaCode = courtField(form, QStringLiteral("Codice IPA (spese di giustizia)"));
    taxCode = courtField(form, QStringLiteral("Codice fiscale dell'ufficio"));
    street = courtField(form, QStringLiteral("Indirizzo dell'ufficio"));
    postcode = courtField(form, QStringLiteral("CAP dell'ufficio"));
    town = courtField(form, QStringLiteral("Comune dell'ufficio"));
    province = courtField(form, QStringLiteral("Provincia dell'ufficio"));
    invoiceTo->addItems({QStringLiteral("Ufficio giudiziario"), QStringLiteral("Parte pagante")});
    invoiceTo->setAccessibleName(QStringLiteral("Fattura intestata a"));
    form->addRow(QStringLiteral("Fattura intestata a"), invoiceTo);
    form->addRow(courtError);
    connect(invoiceTo, &QComboBox::activated, this, &InvoicePanel::courtEdited);

    auto *noticeButton = new QPushButton(QStringLiteral("Avviso di parcella…"), this);
    auto *choices = new QMenu(noticeButton);
    choices->addAction(QStringLiteral("Esporta in PDF…"), this, [this] { notice(false); });
    choices->addAction(QStringLiteral("Stampa…"), this, [this] { notice(true); });
    noticeButton->setMenu(choices);
    auto *invoiceButton = new QPushButton(QStringLiteral("Fattura elettronica…"), this);
    auto *againButton = new QPushButton(QStringLiteral("Salva di nuovo il file…"), this);
    for (QPushButton *button : {noticeButton, invoiceButton, againButton})
        button->setAccessibleName(button->text().remove(u'…'));
    connect(invoiceButton, &QPushButton::clicked, this, &InvoicePanel::issueInvoice);
    connect(againButton, &QPushButton::clicked, this, &InvoicePanel::saveAgain);

    invoiceTable->setModel(invoices);
    invoiceTable->setAccessibleName(QStringLiteral("Fatture"));
    invoiceTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    invoiceTable->setSelectionMode(QAbstractItemView::SingleSelection);
    invoiceTable->verticalHeader()->hide();
    invoiceTable->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    invoiceTable->horizontalHeader()->setStretchLastSection(true);
    auto *title = new QLabel(QStringLiteral("Fatture"), this);
    title->setBuddy(invoiceTable);
    auto *note = new QLabel(
        QStringLiteral("La fattura va firmata con il dispositivo di firma del consulente, come "
                       "file .p7m, prima dell'invio al Sistema di Interscambio (oppure inviata "
                       "tramite un intermediario che la firma). Il programma non firma e non "
                       "invia."),
        this);
    note->setWordWrap(true);
    note->setAccessibleName(note->text());

    auto *buttons = new QHBoxLayout;
    for (QPushButton *button : {noticeButton, invoiceButton, againButton})
        buttons->addWidget(button);
    buttons->addStretch();
    auto *right = new QVBoxLayout;
    right->addWidget(title);
    right->addWidget(invoiceTable, 1);
    right->addLayout(buttons);
    right->addWidget(note);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(form, 2);
    layout->addLayout(right, 3);
    setAssignment(std::nullopt);
}

QLineEdit *InvoicePanel::courtField(QFormLayout *form, const QString &caption) {
    auto *edit = new QLineEdit(this);
    edit->setAccessibleName(caption);
    auto *label = new QLabel(caption, this);
    label->setBuddy(edit);
    form->addRow(label, edit);
    connect(edit, &QLineEdit::editingFinished, this, &InvoicePanel::courtEdited);
    return edit;
}

void InvoicePanel::setAssignment(const std::optional<assignments::Assignment> &shown) {
    assignment = shown ? shown->id : 0;
    court = {};
    if (shown) {
        const auto read = store.court(shown->court);
        if (const QString *error = std::get_if<QString>(&read))
            emit message(*error);
        else
            court = std::get<assignments::Court>(read);
    }
    courtName->setText(court.name.isEmpty() ? QStringLiteral("(non indicato)") : court.name);
    const QString values[] = {court.ipaCode,          court.taxCode,      court.address.street,
                              court.address.postcode, court.address.town, court.address.province};
    QLineEdit *edits[] = {ipaCode, taxCode, street, postcode, town, province};
    for (int i = 0; i < 6; ++i)
        edits[i]->setText(values[i]);
    invoiceTo->setCurrentIndex(court.invoiceTo == assignments::InvoiceTo::Party ? 1 : 0);
    fieldmark::mark(ipaCode, courtError, {});
    refreshInvoices();
    setEnabled(shown.has_value());
}

void InvoicePanel::courtEdited() {
    if (!assignment)
        return;
    const auto code = [](const QLineEdit *edit) { return edit->text().remove(u' ').toUpper(); };
    assignments::Court changed{
        court.name,
        code(ipaCode),
        code(taxCode),
        {street->text().trimmed(), code(postcode), town->text().trimmed(), code(province)},
        invoiceTo->currentIndex() == 1 ? assignments::InvoiceTo::Party
                                       : assignments::InvoiceTo::Court};
    if (changed == court)
        return;
    // Each when given, as tolvemar-fattura checks it.
    const std::tuple<QLineEdit *, QString, QString (*)(const QString &, const QString &)> checks[] =
        {{ipaCode, changed.ipaCode, fee::checkIpaCode},
         {taxCode, changed.taxCode, fee::checkTaxCode},
         {postcode, changed.address.postcode, fee::checkPostalCode},
         {province, changed.address.province, fee::checkProvince}};
    for (const auto &[edit, value, check] : checks) {
        const QString error = value.isEmpty() ? QString() : check(value, edit->accessibleName());
        if (!error.isEmpty())
            return fieldmark::mark(edit, courtError, error);
        fieldmark::mark(edit, courtError, {});
    }
    const QString error = store.saveCourt(changed);
    fieldmark::mark(ipaCode, courtError, error);
    if (error.isEmpty())
        court = changed;
}

void InvoicePanel::notice(bool print) {
    const auto a = current();
    if (!a)
        return;
    const assignments::Expert expert = assignments::readExpert();
    const int chosen = party();
    const auto account = billing::partyAccount(*a, chosen, expert);
    if (const QString *error = std::get_if<QString>(&account))
        return emit message(*error);
    const request::FeeNotice notice{
        QStringLiteral("%1 %2 %3").arg(expert.title, expert.name, expert.surname).trimmed(),
        expert.iban,
        a->court,
        a->caseNumber,
        a->judge,
        a->decree,
        a->liquidated,
        a->decreeExpenses,
        a->decreeAdvanced,
        std::get<fee::PartyAccount>(account),
        assignments::fiscalDetails(expert).has_value()};
    const request::Document document =
        request::describeNotice(notice, QDateTime::currentDateTime());
    if (print)
        return printDocument(document, this);
    QString name = QStringLiteral("Avviso_%1_%2.pdf").arg(a->caseNumber, a->parties[chosen].name);
    name.replace(u'/', u'-').replace(u' ', u'-');
    const QString path = exportDocument(document, name, this);
    if (!path.isEmpty())
        emit message(QStringLiteral("PDF salvato in %1").arg(QDir::toNativeSeparators(path)));
}

void InvoicePanel::issueInvoice() {
    const auto a = current();
    if (!a)
        return;
    const assignments::Expert expert = assignments::readExpert();
    const int chosen = party();
    const auto account = billing::partyAccount(*a, chosen, expert);
    if (const QString *error = std::get_if<QString>(&account))
        return emit message(*error);
    const fee::PartyAccount &part = std::get<fee::PartyAccount>(account);
    if (part.charges && part.paid + part.others < part.charges->payment &&
        QMessageBox::question(
            this, QGuiApplication::applicationDisplayName(),
            QStringLiteral("I pagamenti registrati per %1 (%2) non coprono l'importo da pagare "
                           "della fattura (%3). Emettere comunque la fattura?")
                .arg(part.party.name, fee::euroText(part.paid + part.others),
                     fee::euroText(part.charges->payment)),
            QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes)
        return;
    const auto issued = billing::issue(store, *a, court, chosen, expert, QDate::currentDate());
    if (const QString *error = std::get_if<QString>(&issued))
        return emit message(*error);
    const assignments::Invoice &invoice = std::get<assignments::Invoice>(issued);
    // The register holds the number now; the settings follow it.
    assignments::Expert next = expert;
    next.nextNumber = invoice.number + 1;
    assignments::writeExpert(next);
    refreshInvoices();
    emit message(QStringLiteral("Fattura n. %1 registrata.").arg(invoice.numberText()));
    saveFile(invoice);
}

void InvoicePanel::saveAgain() {
    const QModelIndex index = invoiceTable->currentIndex();
    if (!index.isValid())
        return emit message(QStringLiteral("Scegliere prima una fattura nella tabella."));
    saveFile(invoices->invoices().value(index.row()));
}

void InvoicePanel::saveFile(const assignments::Invoice &invoice) {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString path = QFileDialog::getSaveFileName(
        this, QStringLiteral("Salva la fattura elettronica"),
        QDir(folder).filePath(invoice.fileName), QStringLiteral("Fattura elettronica (*.xml)"));
    if (path.isEmpty())
        return emit message(QStringLiteral("Fattura n. %1 registrata: il file si può salvare "
                                           "dalla tabella Fatture.")
                                .arg(invoice.numberText()));
    const QString error = invoice::writeInvoiceFile(invoice.xml, path);
    emit message(error.isEmpty() ? QStringLiteral("Fattura n. %1 salvata in %2")
                                       .arg(invoice.numberText(), QDir::toNativeSeparators(path))
                                 : error);
}

void InvoicePanel::refreshInvoices() {
    QList<assignments::Invoice> list;
    if (assignment) {
        const auto read = store.invoices(assignment);
        if (const QString *error = std::get_if<QString>(&read))
            emit message(*error);
        else
            list = std::get<QList<assignments::Invoice>>(read);
    }
    invoices->setInvoices(list);
}

} // namespace tolvemar
