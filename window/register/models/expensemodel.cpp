#include "expensemodel.h"

#include "money.h"
#include "registertexts.h"

namespace tolvemar {

ExpenseModel::ExpenseModel(Save saver, QObject *parent)
    : QAbstractTableModel(parent)
    , save(std::move(saver)) {}

void ExpenseModel::setExpenses(const QList<assignments::Expense> &list) {
    beginResetModel();
    expenses = list;
    endResetModel();
}

bool ExpenseModel::commit(const QList<assignments::Expense> &changed) {
    const QString error = save(changed);
    if (!error.isEmpty()) {
        emit refused(error);
        return false;
    }
    emit refused({});
    return true;
}

bool ExpenseModel::addRow() {
    QList<assignments::Expense> changed = expenses;
    changed.append(assignments::Expense{});
    if (!commit(changed))
        return false;
    const int row = int(expenses.size());
    beginInsertRows({}, row, row);
    expenses = changed;
    endInsertRows();
    return true;
}

bool ExpenseModel::removeRow(int row) {
    if (row < 0 || row >= expenses.size())
        return false;
    QList<assignments::Expense> changed = expenses;
    changed.removeAt(row);
    if (!commit(changed))
        return false;
    beginRemoveRows({}, row, row);
    expenses = changed;
    endRemoveRows();
    return true;
}

int ExpenseModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : int(expenses.size());
}

int ExpenseModel::columnCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : 2;
}

QVariant ExpenseModel::data(const QModelIndex &index, int role) const {
    if (!index.isValid() || index.row() >= expenses.size())
        return {};
    const assignments::Expense &expense = expenses[index.row()];
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)
        return index.column() == 0 ? expense.description : fee::euroText(expense.amount);
    if (role == Qt::EditRole)
        return index.column() == 0 ? expense.description : registertext::amount(expense.amount);
    if (role == Qt::TextAlignmentRole && index.column() == 1)
        return int(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

bool ExpenseModel::setData(const QModelIndex &index, const QVariant &value, int role) {
    if (!index.isValid() || role != Qt::EditRole || index.row() >= expenses.size())
        return false;
    QList<assignments::Expense> changed = expenses;
    if (index.column() == 0) {
        changed[index.row()].description = value.toString();
    } else {
        const auto amount = fee::parseAmount(value.toString(), QLocale());
        if (const QString *error = std::get_if<QString>(&amount)) {
            emit refused(QStringLiteral("Spesa alla riga %1: %2").arg(index.row() + 1).arg(*error));
            return false;
        }
        changed[index.row()].amount = std::get<fee::Cents>(amount);
    }
    if (!commit(changed))
        return false;
    expenses = changed;
    emit dataChanged(index, index);
    return true;
}

Qt::ItemFlags ExpenseModel::flags(const QModelIndex &index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    return QAbstractTableModel::flags(index) | Qt::ItemIsEditable;
}

QVariant ExpenseModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    return section == 0 ? QStringLiteral("Descrizione") : QStringLiteral("Importo (€)");
}

} // namespace tolvemar
