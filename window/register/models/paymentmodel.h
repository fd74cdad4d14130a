#pragma once

#include "register.h"

#include <QAbstractTableModel>

#include <functional>

namespace tolvemar {

// "Pagamenti": date, who paid, amount and a note. A row that does not pass
// assignments::paymentError (no date, nothing paid) stays as typed, marked, and the table is not
// saved; a good table goes to `save`, which answers with a message when it is refused.
class PaymentModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { Date, Payer, Amount, Note, ColumnCount };
    using Save = std::function<QString(const QList<assignments::Payment> &)>;

    explicit PaymentModel(Save save, QObject *parent = nullptr);

    void setPayments(const QList<assignments::Payment> &payments);
    const QList<assignments::Payment> &payments() const { return rows; }
    QString error() const { return problem; }
    // The first row marked, -1 when none is.
    int badRow() const { return bad; }
    void addRow();
    void removeRow(int row);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

signals:
    // The message of a refusal; empty once the table is saved.
    void refused(const QString &message);

private:
    void changed();

    Save save;
    QList<assignments::Payment> rows;
    QString problem;
    int bad = -1;
};

} // namespace tolvemar
