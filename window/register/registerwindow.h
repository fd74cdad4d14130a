#pragma once

#include "register.h"
#include "registerdocument.h"

#include <QMainWindow>

#include <functional>
#include <memory>

class QLabel;
class QPushButton;
class QSortFilterProxyModel;
class QTableView;

namespace tolvemar {

class AssignmentForm;
class AssignmentList;
class ExpenseTable;
class FeeItemTable;
class InvoicePanel;
class LiquidationPanel;
class RegisterSummary;
class SessionTable;

// "Registro degli incarichi": the list of assignments and, for the one selected, its fields, its
// sessions, its fees by value, its expenses, its liquidation and payments, and what it is worth.
// Every edit is saved in the register when it is made; there is nothing to save on closing. A main
// window of its own, so that a screen reader announces it by its title.
class RegisterWindow : public QMainWindow {
    Q_OBJECT

public:
    RegisterWindow(std::unique_ptr<assignments::Register> store, fee::Tariff tariff,
                   QWidget *parent = nullptr);
    ~RegisterWindow() override;

    assignments::Register &registerFile() const { return *store; }
    // The tariff of the main window's options, for the fees shown.
    void setTariff(fee::Tariff tariff);
    // The list and the summary read again, as after the expert's details change.
    void refresh();

signals:
    // The list as it is after every change, for the main window's reminder.
    void listed(const QList<assignments::ListRow> &rows);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    QWidget *createListPanel();
    QWidget *createSummaryPanel();
    void refreshList();
    void currentChanged();
    void select(qint64 id);
    void showSummary();
    // What is typed in the form and the decree's fields and not yet saved, saved.
    void savePending();
    void showMessage(const QString &text);
    void newAssignment();
    void deleteAssignment();
    // The assignment with one of its lists (expenses, fees by value) changed by `change`.
    QString saveLists(const std::function<void(assignments::Assignment &)> &change);
    // The selected assignment's request for payment, with what is typed saved first.
    registerdocument::Source requestSource();
    // What was done with the request, when something was.
    void showDone(const QString &text);

    std::unique_ptr<assignments::Register> store;
    fee::Tariff tariff;
    qint64 current = 0;
    bool refreshing = false;
    QWidget *body; // the central widget, parent of all the others
    AssignmentList *assignments;
    QSortFilterProxyModel *sorted;
    QTableView *list;
    AssignmentForm *form;
    SessionTable *sessions;
    ExpenseTable *expenses;
    FeeItemTable *feeItems;
    LiquidationPanel *liquidation;
    InvoicePanel *invoicing;
    RegisterSummary *summary;
    QLabel *status;
    QList<QWidget *> needSelection; // enabled while an assignment is selected
};

} // namespace tolvemar
