#include "paymentmodel.h"

#include "money.h"
#include "registertexts.h"
#include "validation.h"

#include <QBrush>
#include <QColor>

namespace tolvemar {

PaymentModel::PaymentModel(Save saver, QObject *parent)
    : QAbstractTableModel(parent)
    , save(std::move(saver)) {}

void PaymentModel::setPayments(const QList<assignments::Payment> &payments) {
    beginResetModel();
    rows = payments;
    problem.clear();
    bad = -1;
    endResetModel();
}

void PaymentModel::changed() {
    problem.clear();
    bad = -1;
    for (int row = 0; row < rows.size() && problem.isEmpty(); ++row)
        if (QString error = assignments::paymentError(rows[row]); !error.isEmpty()) {
            problem = QStringLiteral("Pagamento alla riga %1: %2").arg(row + 1).arg(error);
            bad = row;
        }
    if (problem.isEmpty())
        problem = save(rows);
    if (!rows.isEmpty())
        emit dataChanged(index(0, 0), index(int(rows.size()) - 1, ColumnCount - 1));
    emit refused(problem);
}

void PaymentModel::addRow() {
    const int row = int(rows.size());
    beginInsertRows({}, row, row);
    rows.append(assignments::Payment{});
    endInsertRows();
    changed();
}

void PaymentModel::removeRow(int row) {
    if (row < 0 || row >= rows.size())
        return;
    beginRemoveRows({}, row, row);
    rows.removeAt(row);
    endRemoveRows();
    changed();
}

int PaymentModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : int(rows.size());
}

int PaymentModel::columnCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant PaymentModel::data(const QModelIndex &index, int role) const {
    if (!index.isValid() || index.row() >= rows.size())
        return {};
    const assignments::Payment &payment = rows[index.row()];
    if (role == Qt::DisplayRole || role == Qt::EditRole || role == Qt::AccessibleTextRole) {
        switch (index.column()) {
        case Date:
            return registertext::date(payment.date);
        case Payer:
            return payment.payer;
        case Amount:
            return role == Qt::EditRole ? QLocale().toString(double(payment.amount) / 100, 'f', 2)
                                        : fee::euroText(payment.amount);
        case Note:
            return payment.note;
        }
        return {};
    }
    if (index.row() == bad && role == Qt::ToolTipRole)
        return problem;
    if (index.row() == bad && role == Qt::BackgroundRole)
        return QBrush(QColor(0xff, 0xe0, 0xe0));
    if (role == Qt::TextAlignmentRole && index.column() == Amount)
        return int(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

bool PaymentModel::setData(const QModelIndex &index, const QVariant &value, int role) {
    if (!index.isValid() || role != Qt::EditRole || index.row() >= rows.size())
        return false;
    assignments::Payment &payment = rows[index.row()];
    const QString text = value.toString();
    QString error;
    if (index.column() == Date) {
        const auto date = registertext::parseDate(text);
        if (const QString *message = std::get_if<QString>(&date))
            error = *message;
        else
            payment.date = std::get<QDate>(date);
    } else if (index.column() == Amount) {
        const auto amount = fee::parseAmount(text, QLocale());
        if (const QString *message = std::get_if<QString>(&amount))
            error = *message;
        else
            payment.amount = std::get<fee::Cents>(amount);
    } else {
        (index.column() == Payer ? payment.payer : payment.note) = text.trimmed();
    }
    if (!error.isEmpty()) {
        emit refused(QStringLiteral("Pagamento alla riga %1: %2").arg(index.row() + 1).arg(error));
        return false;
    }
    changed();
    return true;
}

Qt::ItemFlags PaymentModel::flags(const QModelIndex &index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    return QAbstractTableModel::flags(index) | Qt::ItemIsEditable;
}

QVariant PaymentModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const char *const titles[ColumnCount] = {"Data", "Pagato da", "Importo (€)", "Nota"};
    return section >= 0 && section < ColumnCount ? QString::fromUtf8(titles[section]) : QVariant();
}

} // namespace tolvemar
