#pragma once

#include "holidays.h"

#include <QDialog>

#include <optional>

class QComboBox;
class QRadioButton;

namespace tolvemar {

// "Santo patrono": no patron day, or a day and a month. Offers only days that every year has.
class PatronDialog : public QDialog {
    Q_OBJECT

public:
    explicit PatronDialog(std::optional<fee::PatronDay> current, QWidget *parent = nullptr);

    std::optional<fee::PatronDay> patron() const;

private:
    void fillDays();

    QRadioButton *noPatron;
    QRadioButton *onDay;
    QComboBox *day;
    QComboBox *month;
};

} // namespace tolvemar
