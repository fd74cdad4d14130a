#pragma once

#include "expert.h"

#include <QDialog>

class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QSpinBox;

namespace tolvemar {

// "Dati fiscali del consulente": the details that the fee notice and the invoices need, kept in
// the settings once every field reads as tolvemar-fattura would read it. The next number may not
// go back to one the register has already given in this year.
class ExpertDialog : public QDialog {
    Q_OBJECT

public:
    // `lastNumber`: the highest invoice number the register holds for this year, 0 for none.
    ExpertDialog(const assignments::Expert &expert, int lastNumber, QWidget *parent = nullptr);

    // The details as typed: codes in upper case, without spaces.
    assignments::Expert expert() const;
    void accept() override;

private:
    QLineEdit *edit(const QString &caption, const QString &placeholder = {});

    int lastNumber;
    QFormLayout *form;
    QLineEdit *name, *surname, *title, *taxCode, *vatNumber, *street, *postcode, *town, *province;
    QLineEdit *albo, *alboProvince, *alboNumber;
    QComboBox *regime, *fund;
    QLineEdit *fundRate, *iban;
    QSpinBox *nextNumber;
    QLabel *error;
};

} // namespace tolvemar
