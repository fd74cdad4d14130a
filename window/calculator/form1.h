#pragma once

#include "fee.h"

#include <QWidget>

#include <functional>

class QButtonGroup;
class QCalendarWidget;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tolvemar {

// The calculator: two calendars for the assignment's dates, the exclusion mode, the daily
// vacazioni and the results. It only reads its controls, hands them to fee::calcola and writes
// back what comes out; every value lives in a control as text.
class Form1 : public QWidget {
    Q_OBJECT

public:
    // The clock that the load handler reads, once for each calendar.
    using Clock = std::function<fee::DateSerial()>;

    explicit Form1(Clock clock = fee::currentSerial, QWidget *parent = nullptr);

    // Puts the current date into both calendars and their fields and selects Option1. Runs
    // once, before the window is first shown.
    void load();

    // The tariff and holidays that the next "Calcola" uses; nothing is recomputed now.
    void setOptions(const fee::CalcolaOptions &options);

signals:
    // After every "Calcola" that wrote its results: what it read and what it wrote.
    void computed(const fee::CalcolaInput &input, const fee::CalcolaOptions &options,
                  const fee::CalcolaResult &result);

private:
    void startDateChosen();
    void endDateChosen();
    void calcola();
    void showCritical(const QString &text);

    Clock clock;
    fee::CalcolaOptions options;
    QCalendarWidget *Calendar1;
    QCalendarWidget *Calendar2;
    QPushButton *Command1;
    QPushButton *Command2;
    QLineEdit *Text1;
    QLineEdit *Text2;
    QRadioButton *Option1;
    QRadioButton *Option2;
    QRadioButton *Option3;
    QButtonGroup *modes;
    QLabel *Label3;
    QLabel *Label4;
    QLabel *Label6;
    QLabel *Label10;
    QLabel *Label11;
    QComboBox *Combo1;
};

} // namespace tolvemar
