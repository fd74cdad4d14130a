#pragma once

#include "document.h"
#include "form1.h"

#include <QMainWindow>

#include <optional>

class QAction;
class QLabel;
class QMenu;

namespace tolvemar {

// The program's window: Form1 as it always was, a menu bar above it with the fee request, the
// options and the fees by value, and a status line below that says which tariff and holidays the
// next "Calcola" uses. The options are kept between runs. What the program adds around the
// calculator (the register) comes in through addMenu, the status bar and optionsChanged: this
// window knows nothing of it.
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

    // A menu of the menu bar, after the options, before "Strumenti" and "?".
    void addMenu(QMenu *menu);

signals:
    // After every setOptions.
    void optionsChanged(const fee::CalcolaOptions &options);

private:
    void createFileMenu();
    void createOptionsMenu();
    // The fees by value of the tables, apart from the vacazioni.
    void createToolsMenu();
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
    QMenu *toolsMenu = nullptr; // the menus added come before it
};

} // namespace tolvemar
