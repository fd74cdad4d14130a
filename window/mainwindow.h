#pragma once

#include "document.h"
#include "form1.h"

#include <QMainWindow>
#include <QPointer>

#include <optional>

class QAction;
class QLabel;

namespace tolvemar {

class RegisterWindow;
class Reminder;

// The program's window: Form1 as it always was, a menu bar above it with the fee request, the
// options and the register of assignments, and a status line below that says which tariff and
// holidays the next "Calcola" uses and which requests for payment are due. The options are kept
// between runs.
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit MainWindow(Form1::Clock clock = fee::currentSerial, QWidget *parent = nullptr);
    ~MainWindow() override;

    // Form1's load handler: both calendars on today, Option1, "0" as the results.
    void load();

    fee::CalcolaOptions options() const { return current; }
    // Checks the menu items, rewrites the status line, tells Form1 and keeps the options.
    void setOptions(const fee::CalcolaOptions &options);

protected:
    // Once shown, and never before, the register is read for the reminder.
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void createFileMenu();
    void createOptionsMenu();
    // "Incarichi": the register window and a copy of the register (registermenu.cpp).
    void createAssignmentsMenu();
    void openRegister();
    void saveRegisterCopy();
    void showReminder(const QString &text);
    void createHelpMenu();
    // The options, or the message that the status bar holds for a few seconds.
    void showStatus();
    void choosePatron();
    void about();
    // The request for the computation last shown, with the details asked for when `ask`;
    // nothing when the user cancels or the amounts cannot be summed.
    std::optional<request::Document> requestDocument(bool ask);
    void copyComputation();
    void printRequest();
    void exportPdf();

    Form1 *form;
    QLabel *status;
    QAction *decree2002;
    QAction *ruling2025;
    QAction *excludeHolidays;
    QList<QAction *> requestActions; // enabled once a "Calcola" has succeeded
    fee::CalcolaOptions current;
    std::optional<request::Computation> shown;
    QPointer<RegisterWindow> registerWindow;
    Reminder *reminder;
    QLabel *reminderLabel;
    bool reminded = false;
};

} // namespace tolvemar
