#pragma once

#include "register.h"

#include <QWidget>

#include <functional>
#include <optional>

class QLabel;
class QLineEdit;
class QTableView;

namespace tolvemar {

class PartyModel;
class PaymentModel;

// "Liquidazione e pagamenti": the decree of liquidation and the amount it liquidates, the parties
// who bear it ("Parti a carico") and what was paid ("Pagamenti"). Every edit goes to `save` as a
// change of the assignment, as soon as it is made; a bad value is marked where it stands and not
// saved.
class LiquidationPanel : public QWidget {
    Q_OBJECT

public:
    using Change = std::function<void(assignments::Assignment &)>;
    // Saves the assignment as `change` leaves it; a message when the register refuses it.
    using Save = std::function<QString(const Change &change)>;

    explicit LiquidationPanel(Save save, QWidget *parent = nullptr);

    // The assignment to show; nothing empties and disables every field.
    void setAssignment(const std::optional<assignments::Assignment> &assignment);
    // Saves what is typed in the decree's fields and not yet saved, as leaving them would.
    void savePending();
    // The party selected in "Parti a carico", -1 for none.
    int selectedParty() const;

private:
    void lineEdited(QLineEdit *edit);
    QWidget *tableBox(QTableView *table, QLabel *title, QLabel *error, const QString &item,
                      const std::function<void()> &add, const std::function<void(int)> &remove);

    Save save;
    bool enabled = false;
    QDate decreeShown;
    // "Importo liquidato", "di cui spese", "di cui spese anticipate (art. 15)"
    enum Amount { Liquidated, Expenses, Advanced, AmountCount };
    fee::Cents amountShown[AmountCount] = {};
    QLineEdit *decree;
    QLineEdit *amounts[AmountCount];
    QLabel *decreeError;
    QLabel *amountErrors[AmountCount];
    PartyModel *parties;
    PaymentModel *payments;
    QTableView *partyTable;
    QTableView *paymentTable;
    QLabel *partyError;
    QLabel *paymentError;
};

} // namespace tolvemar
