#include "patrondialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>

namespace tolvemar {

PatronDialog::PatronDialog(std::optional<fee::PatronDay> current, QWidget *parent)
    : QDialog(parent)
    , noPatron(new QRadioButton(QStringLiteral("&Nessuno"), this))
    , onDay(new QRadioButton(QStringLiteral("&Il giorno"), this))
    , day(new QComboBox(this))
    , month(new QComboBox(this)) {
    setWindowTitle(QStringLiteral("Santo patrono"));
    day->setAccessibleName(QStringLiteral("Giorno"));
    month->setAccessibleName(QStringLiteral("Mese"));
    const QLocale italian(QLocale::Italian);
    for (int m = 1; m <= 12; ++m)
        month->addItem(italian.monthName(m), m);

    const fee::PatronDay shown = current.value_or(fee::PatronDay{1, 1});
    month->setCurrentIndex(shown.month - 1);
    fillDays();
    day->setCurrentIndex(shown.day - 1);
    (current ? onDay : noPatron)->setChecked(true);

    auto enableDay = [this] {
        day->setEnabled(onDay->isChecked());
        month->setEnabled(onDay->isChecked());
    };
    enableDay();
    connect(onDay, &QRadioButton::toggled, this, enableDay);
    connect(month, &QComboBox::currentIndexChanged, this, &PatronDialog::fillDays);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Annulla"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QGridLayout(this);
    layout->addWidget(noPatron, 0, 0, 1, 3);
    layout->addWidget(onDay, 1, 0);
    layout->addWidget(day, 1, 1);
    layout->addWidget(month, 1, 2);
    layout->addWidget(buttons, 2, 0, 1, 3);
    // Wide enough for its title beside the program's name.
    setFixedSize(sizeHint().expandedTo(QSize(380, 0)));
}

// The days of the chosen month in a year without 29 February; the chosen day stays when it can.
void PatronDialog::fillDays() {
    const int chosen = std::max(day->currentIndex(), 0);
    const int days = QDate(2001, month->currentData().toInt(), 1).daysInMonth();
    day->clear();
    for (int d = 1; d <= days; ++d)
        day->addItem(QString::number(d));
    day->setCurrentIndex(std::min(chosen, days - 1));
}

std::optional<fee::PatronDay> PatronDialog::patron() const {
    if (noPatron->isChecked())
        return std::nullopt;
    return fee::PatronDay{month->currentData().toInt(), day->currentIndex() + 1};
}

} // namespace tolvemar
