#pragma once

#include "request.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;

namespace tolvemar {

// "Istanza di liquidazione": the details that a fee request adds to the computation. The
// expert's name and the court come back from the last request; the rest starts empty. A bad
// value is marked where it stands, with its message, and OK waits until none is left.
class RequestDialog : public QDialog {
    Q_OBJECT

public:
    explicit RequestDialog(const request::Computation &computation, QWidget *parent = nullptr);

    request::Details details() const;

    void accept() override;

private:
    void addExpense();
    void validate();

    request::Computation computation;
    QLineEdit *expert;
    QLineEdit *court;
    QLineEdit *caseNumber;
    QLineEdit *judge;
    QLineEdit *increase;
    QLabel *increaseError;
    QTableWidget *expenses;
    QLabel *expensesError;
    QPlainTextEdit *note;
    QPushButton *ok;
};

} // namespace tolvemar
