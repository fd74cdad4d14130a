#pragma once

#include "register.h"

#include <QWidget>

class QPushButton;
class QTableView;

namespace tolvemar {

class SessionModel;

// "Operazioni": the table of one assignment's sessions, edited in place by keyboard, with the
// buttons that add and remove a row and that read and write the log as a CSV file.
class SessionTable : public QWidget {
    Q_OBJECT

public:
    explicit SessionTable(QWidget *parent = nullptr);

    // Shows the sessions of `assignment` (none without a register).
    void load(assignments::Register *store, qint64 assignment, const fee::Period &period,
              const QString &caseNumber);
    void setPeriod(const fee::Period &period);
    const SessionModel &model() const { return *sessions; }
    QTableView *view() const { return table; }

signals:
    // A status text: what was refused, or what was done.
    void message(const QString &text);
    void saved();

private:
    void addRow();
    void removeRow();
    void importLog();
    void exportLog();

    assignments::Register *store = nullptr;
    qint64 assignment = 0;
    fee::Period period;
    QString caseNumber;
    SessionModel *sessions;
    QTableView *table;
    QList<QPushButton *> buttons;
};

} // namespace tolvemar
