#pragma once

#include "checkedrows.h"
#include "register.h"

namespace tolvemar {

// "Pagamenti": date, who paid, amount and a note, each row checked by
// assignments::paymentError (no date, nothing paid).
class PaymentModel : public CheckedRows<assignments::Payment> {
    Q_OBJECT

public:
    enum Column { Date, Payer, Amount, Note, ColumnCount };

    explicit PaymentModel(Save save, QObject *parent = nullptr);

    QVariant data(const QModelIndex &index, int role) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

protected:
    Problem check() const override;
};

} // namespace tolvemar
