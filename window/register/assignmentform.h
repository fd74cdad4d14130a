#pragma once

#include "register.h"

#include <QWidget>

#include <functional>
#include <optional>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QSpinBox;

namespace tolvemar {

class TermFields;

// The fields of one assignment, each labelled and saved as soon as it is edited: a line when it
// is left or Return is pressed, a number when it is set, the note when it loses the focus. A bad
// value is marked at its field with the message and not saved. The dates are TermFields'.
class AssignmentForm : public QWidget {
    Q_OBJECT

public:
    // Saves a changed assignment; a message when the register refuses it.
    using Save = std::function<QString(const assignments::Assignment &)>;

    explicit AssignmentForm(Save save, QWidget *parent = nullptr);

    // The assignment to show; nothing empties and disables every field.
    void setAssignment(const std::optional<assignments::Assignment> &assignment);
    const assignments::Assignment &assignment() const { return shown; }
    // The lists and the liquidation of `saved`, saved elsewhere, that the next save of a field
    // keeps.
    void setSavedLists(const assignments::Assignment &saved) {
        shown.expenses = saved.expenses;
        shown.feeItems = saved.feeItems;
        shown.tableUrgencyPercent = saved.tableUrgencyPercent;
        shown.decree = saved.decree;
        shown.liquidated = saved.liquidated;
        shown.decreeExpenses = saved.decreeExpenses;
        shown.decreeAdvanced = saved.decreeAdvanced;
        shown.parties = saved.parties;
        shown.payments = saved.payments;
    }

    // Saves what is typed and not yet saved, as leaving each field would.
    void savePending();
    void focusFirstField();

signals:
    void saved(const assignments::Assignment &assignment);

private:
    // The field holding `edit`, with its error label right under it.
    QWidget *addField(QWidget *edit, QLabel *error);
    void lineEdited(QLineEdit *edit);
    void commit(const assignments::Assignment &changed, QWidget *edit, QLabel *error);
    void showUrgencyBound();
    QLabel *errorOf(QWidget *edit) const;

    Save save;
    assignments::Assignment shown;
    bool enabled = false;
    QLineEdit *court;
    QLineEdit *caseNumber;
    QLineEdit *judge;
    QLineEdit *subject;
    QSpinBox *panel;
    QPlainTextEdit *note;
    TermFields *terms;
    QSpinBox *urgency;
    QLabel *urgencyWhy;
    QSpinBox *increase;
    QLineEdit *advances;
    QList<std::pair<QWidget *, QLabel *>> errors;
};

} // namespace tolvemar
