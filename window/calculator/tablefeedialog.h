#pragma once

#include "tablefee.h"

#include <QDate>
#include <QDialog>

#include <array>
#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTableWidget;

namespace tolvemar {

// "Onorari fissi e variabili": the fee by value or the fixed fee of one article of the tables in
// force on a day, for a quantity where it is paid per item, computed as the user types. It reads
// its controls, asks fee/ and shows the answer; a value that does not read is marked with its
// message and nothing is shown.
class TableFeeDialog : public QDialog {
    Q_OBJECT

public:
    explicit TableFeeDialog(QDate day = QDate::currentDate(), QWidget *parent = nullptr);

private:
    // The article chosen; every selectable entry is one.
    const fee::TableArticle &chosen() const;
    void articleChosen();
    void compute();
    // The points, the brackets and the basis of `fee`, or dashes for none.
    void display(const fee::TableFee *fee);
    void copyComputation();

    const fee::Decree *decree = nullptr;
    QComboBox *article;
    std::array<QLabel *, 2> valueCaptions;
    std::array<QLineEdit *, 2> values;
    QLabel *valueError;
    QComboBox *reduction;
    QLabel *quantityCaption;
    QSpinBox *quantity;
    QLabel *low;
    QLabel *middle;
    QLabel *high;
    QTableWidget *slices;
    QLabel *basis;
    QLabel *sourceNote; // for an article of one source
    QLabel *included;   // what every fee of the tables pays for
    QPushButton *copy;
    std::optional<fee::TableFee> shown;
};

} // namespace tolvemar
