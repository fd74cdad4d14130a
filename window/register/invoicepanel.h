#pragma once

#include "register.h"

#include <QWidget>

#include <functional>
#include <optional>

class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QTableView;

namespace tolvemar {

class InvoiceModel;

// Under the liquidation: the court's details for the invoice (kept once per court), the fee
// notice and the electronic invoice of the party selected, and the table "Fatture" of those
// issued, each of which can be saved again with the same bytes.
class InvoicePanel : public QWidget {
    Q_OBJECT

public:
    using Current = std::function<std::optional<assignments::Assignment>()>;
    // `current`: the assignment as saved, with the party selected in `party`.
    InvoicePanel(assignments::Register &store, Current current, std::function<int()> party,
                 QWidget *parent = nullptr);

    // Shows the court and the invoices of `assignment`; nothing disables the panel.
    void setAssignment(const std::optional<assignments::Assignment> &assignment);

signals:
    // A message for the window's status line.
    void message(const QString &text);

private:
    QLineEdit *courtField(QFormLayout *form, const QString &caption);
    void courtEdited();
    void notice(bool print);
    void issueInvoice();
    void saveAgain();
    void saveFile(const assignments::Invoice &invoice);
    void refreshInvoices();

    assignments::Register &store;
    Current current;
    std::function<int()> party;
    assignments::Court court;
    qint64 assignment = 0;
    QLabel *courtName;
    QLineEdit *ipaCode, *taxCode, *street, *postcode, *town, *province;
    QComboBox *invoiceTo;
    QLabel *courtError;
    InvoiceModel *invoices;
    QTableView *invoiceTable;
};

} // namespace tolvemar
