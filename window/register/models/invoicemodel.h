#pragma once

#include "register.h"

#include <QAbstractTableModel>

namespace tolvemar {

// "Fatture": the invoices of an assignment as the register keeps them, read only.
class InvoiceModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { Number, Date, Party, Total, Payment, File, ColumnCount };

    using QAbstractTableModel::QAbstractTableModel;

    void setInvoices(const QList<assignments::Invoice> &invoices);
    const QList<assignments::Invoice> &invoices() const { return shown; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QList<assignments::Invoice> shown;
};

} // namespace tolvemar
