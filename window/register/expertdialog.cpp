#include "expertdialog.h"

#include "fieldmark.h"
#include "fiscalcodes.h"

#include <QComboBox>
#include <QDate>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace tolvemar {

namespace {

QString code(const QLineEdit *edit) {
    return edit->text().remove(u' ').toUpper();
}

// A rate in hundredths of a per cent as "4,00".
QString rateText(fee::Rate rate) {
    return QStringLiteral("%1,%2").arg(rate / 100).arg(rate % 100, 2, 10, QLatin1Char('0'));
}

} // namespace

ExpertDialog::ExpertDialog(const assignments::Expert &e, int last, QWidget *parent)
    : QDialog(parent)
    , lastNumber(last)
    , form(new QFormLayout) {
    setWindowTitle(QStringLiteral("Dati fiscali del consulente"));
    name = edit(QStringLiteral("&Nome"));
    surname = edit(QStringLiteral("&Cognome"));
    title = edit(QStringLiteral("&Titolo"), QStringLiteral("ad esempio Ing."));
    taxCode = edit(QStringLiteral("Codice &fiscale"));
    vatNumber = edit(QStringLiteral("&Partita IVA"));
    street = edit(QStringLiteral("In&dirizzo"), QStringLiteral("via e numero civico"));
    postcode = edit(QStringLiteral("CA&P"));
    town = edit(QStringLiteral("Co&mune"));
    province = edit(QStringLiteral("Pro&vincia"), QStringLiteral("sigla, ad esempio BI"));
    albo = edit(QStringLiteral("&Albo professionale"), QStringLiteral("facoltativo"));
    alboProvince = edit(QStringLiteral("Provincia dell'albo"));
    alboNumber = edit(QStringLiteral("Numero di iscrizione all'albo"));
    regime = new QComboBox(this);
    regime->addItems({QStringLiteral("Ordinario (RF01)"), QStringLiteral("Forfettario (RF19)")});
    fund = new QComboBox(this);
    fund->addItem(QStringLiteral("Nessuna"), QString());
    for (const fee::Fund &each : fee::funds())
        fund->addItem(
            QStringLiteral("%1 %2").arg(QLatin1String(each.code), QString::fromUtf8(each.name)),
            QLatin1String(each.code));
    for (const auto &[caption, box] : {std::pair{QStringLiteral("&Regime fiscale"), regime},
                                       std::pair{QStringLiteral("Ca&ssa previdenziale"), fund}}) {
        box->setAccessibleName(QString(caption).remove(u'&'));
        form->addRow(caption, box);
    }
    fundRate = edit(QStringLiteral("Aliquota della cassa (%)"), QStringLiteral("ad esempio 4,00"));
    iban = edit(QStringLiteral("&IBAN"));
    nextNumber = new QSpinBox(this);
    nextNumber->setRange(1, 999);
    nextNumber->setAccessibleName(QStringLiteral("Prossimo numero di fattura"));
    form->addRow(QStringLiteral("Prossimo numero di fattura"), nextNumber);
    error = fieldmark::errorLabel(this);

    for (const auto &[edit, value] : {std::pair{name, e.name},
                                      {surname, e.surname},
                                      {title, e.title},
                                      {taxCode, e.taxCode},
                                      {vatNumber, e.vatNumber},
                                      {street, e.address.street},
                                      {postcode, e.address.postcode},
                                      {town, e.address.town},
                                      {province, e.address.province},
                                      {albo, e.register_},
                                      {alboProvince, e.registerProvince},
                                      {alboNumber, e.registerNumber},
                                      {iban, e.iban}})
        edit->setText(value);
    regime->setCurrentIndex(e.fiscal.regime == fee::Regime::Forfettario ? 1 : 0);
    fund->setCurrentIndex(std::max(0, fund->findData(e.fiscal.fundCode)));
    fundRate->setText(e.fiscal.hasFund() ? rateText(e.fiscal.fundRate) : QString());
    nextNumber->setValue(std::max(e.nextNumber, lastNumber + 1));
    // A fund's own rate, where one is settled, when the fund is chosen.
    connect(fund, &QComboBox::currentIndexChanged, this, [this] {
        const fee::Fund *chosen = fee::fundOf(fund->currentData().toString());
        fundRate->setText(chosen && chosen->defaultRate ? rateText(chosen->defaultRate)
                                                        : QString());
    });

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Save | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Save)->setText(QStringLiteral("Salva"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Annulla"));
    connect(buttons, &QDialogButtonBox::accepted, this, &ExpertDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &ExpertDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(error);
    layout->addWidget(buttons);
}

QLineEdit *ExpertDialog::edit(const QString &caption, const QString &placeholder) {
    auto *line = new QLineEdit(this);
    line->setPlaceholderText(placeholder);
    line->setAccessibleName(QString(caption).remove(u'&'));
    auto *label = new QLabel(caption, this);
    label->setBuddy(line);
    form->addRow(label, line);
    return line;
}

assignments::Expert ExpertDialog::expert() const {
    assignments::Expert e;
    e.name = name->text().trimmed();
    e.surname = surname->text().trimmed();
    e.title = title->text().trimmed();
    e.taxCode = code(taxCode);
    e.vatNumber = code(vatNumber);
    e.address = {street->text().trimmed(), code(postcode), town->text().trimmed(), code(province)};
    e.register_ = albo->text().trimmed();
    e.registerProvince = code(alboProvince);
    e.registerNumber = alboNumber->text().trimmed();
    e.fiscal.regime =
        regime->currentIndex() == 1 ? fee::Regime::Forfettario : fee::Regime::Ordinario;
    e.fiscal.fundCode = fund->currentData().toString();
    e.iban = code(iban);
    e.nextNumber = nextNumber->value();
    return e;
}

void ExpertDialog::accept() {
    assignments::Expert e = expert();
    QString message;
    if (e.fiscal.hasFund()) {
        // The rate as a percentage with at most two decimals: parsed as an amount, in cents.
        const auto rate = fee::parseAmount(fundRate->text(), QLocale(QLocale::Italian));
        if (const QString *wrong = std::get_if<QString>(&rate))
            message = QStringLiteral("Aliquota della cassa: ") + *wrong;
        else if (std::get<fee::Cents>(rate) <= 0 || std::get<fee::Cents>(rate) > 10000)
            message = QStringLiteral("Aliquota della cassa: da 0,01 a 100 %.");
        else
            e.fiscal.fundRate = std::get<fee::Cents>(rate);
    }
    if (message.isEmpty())
        message = assignments::expertError(e);
    if (message.isEmpty() && e.nextNumber <= lastNumber)
        message = QStringLiteral("Prossimo numero di fattura: il %1 è già stato usato, l'ultima "
                                 "fattura del %2 è la %3.")
                      .arg(e.nextNumber)
                      .arg(QDate::currentDate().year())
                      .arg(lastNumber);
    if (message.isEmpty())
        message = assignments::writeExpert(e);
    error->setText(message);
    error->setVisible(!message.isEmpty());
    if (message.isEmpty())
        QDialog::accept();
}

} // namespace tolvemar
