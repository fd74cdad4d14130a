#include "invoicemodel.h"

#include "registertexts.h"

namespace tolvemar {

void InvoiceModel::setInvoices(const QList<assignments::Invoice> &invoices) {
    beginResetModel();
    shown = invoices;
    endResetModel();
}

int InvoiceModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : int(shown.size());
}

int InvoiceModel::columnCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant InvoiceModel::data(const QModelIndex &index, int role) const {
    if (!index.isValid() || index.row() >= shown.size())
        return {};
    const assignments::Invoice &invoice = shown[index.row()];
    if (role == Qt::TextAlignmentRole && (index.column() == Total || index.column() == Payment))
        return int(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole)
        return {};
    switch (index.column()) {
    case Number:
        return invoice.numberText();
    case Date:
        return registertext::fixedDate(invoice.date);
    case Party:
        return invoice.party;
    case Total:
        return fee::euroText(invoice.amounts.total);
    case Payment:
        return fee::euroText(invoice.amounts.payment);
    case File:
        return invoice.fileName;
    default:
        return {};
    }
}

QVariant InvoiceModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const char *const titles[ColumnCount] = {"Numero", "Data",      "Parte",
                                                    "Totale", "Da pagare", "File"};
    return section >= 0 && section < ColumnCount ? QString::fromUtf8(titles[section]) : QVariant();
}

} // namespace tolvemar
