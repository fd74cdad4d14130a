#include "partymodel.h"

#include "money.h"
#include "validation.h"

#include <QBrush>
#include <QColor>

namespace tolvemar {

PartyModel::PartyModel(Save saver, QObject *parent)
    : QAbstractTableModel(parent)
    , save(std::move(saver)) {}

void PartyModel::setParties(const QList<assignments::Party> &parties) {
    beginResetModel();
    rows = parties;
    problem.clear();
    endResetModel();
}

void PartyModel::changed() {
    problem = assignments::partiesError(rows);
    if (problem.isEmpty())
        problem = save(rows);
    if (!rows.isEmpty())
        emit dataChanged(index(0, 0), index(int(rows.size()) - 1, ColumnCount - 1));
    emit refused(problem);
}

void PartyModel::addRow() {
    const int row = int(rows.size());
    beginInsertRows({}, row, row);
    rows.append(assignments::Party{});
    endInsertRows();
    changed();
}

void PartyModel::removeRow(int row) {
    if (row < 0 || row >= rows.size())
        return;
    beginRemoveRows({}, row, row);
    rows.removeAt(row);
    endRemoveRows();
    changed();
}

int PartyModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : int(rows.size());
}

int PartyModel::columnCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant PartyModel::data(const QModelIndex &index, int role) const {
    if (!index.isValid() || index.row() >= rows.size())
        return {};
    const assignments::Party &party = rows[index.row()];
    const int column = index.column();
    if (role == Qt::CheckStateRole && column == Jointly)
        return party.jointly ? Qt::Checked : Qt::Unchecked;
    if (role == Qt::DisplayRole || role == Qt::EditRole || role == Qt::AccessibleTextRole) {
        if (column == Name)
            return party.name;
        if (column == Share)
            return role == Qt::EditRole ? QLocale().toString(party.shareHundredths / 100.0, 'f', 2)
                                        : assignments::shareText(party.shareHundredths);
        return role == Qt::AccessibleTextRole ? (party.jointly ? QStringLiteral("in solido: sì")
                                                               : QStringLiteral("in solido: no"))
                                              : QVariant();
    }
    if (role == Qt::ToolTipRole && !problem.isEmpty())
        return problem;
    if (role == Qt::BackgroundRole && !problem.isEmpty())
        return QBrush(QColor(0xff, 0xe0, 0xe0));
    if (role == Qt::TextAlignmentRole && column == Share)
        return int(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

bool PartyModel::setData(const QModelIndex &index, const QVariant &value, int role) {
    if (!index.isValid() || index.row() >= rows.size())
        return false;
    assignments::Party &party = rows[index.row()];
    if (role == Qt::CheckStateRole && index.column() == Jointly) {
        party.jointly = value.toInt() == Qt::Checked;
    } else if (role != Qt::EditRole) {
        return false;
    } else if (index.column() == Name) {
        party.name = value.toString().trimmed();
    } else if (index.column() == Share) {
        // A share is typed as an amount is, with at most two decimals: 33,33 is 3333.
        const QString text = value.toString().remove(u'%').trimmed();
        const auto share = fee::parseAmount(text.isEmpty() ? QStringLiteral("0") : text, QLocale());
        if (const QString *error = std::get_if<QString>(&share)) {
            emit refused(QStringLiteral("Quota alla riga %1: %2").arg(index.row() + 1).arg(*error));
            return false;
        }
        party.shareHundredths = int(std::min<fee::Cents>(std::get<fee::Cents>(share), 1000000));
    } else {
        return false;
    }
    changed();
    return true;
}

Qt::ItemFlags PartyModel::flags(const QModelIndex &index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    const Qt::ItemFlags base = QAbstractTableModel::flags(index);
    return index.column() == Jointly ? base | Qt::ItemIsUserCheckable : base | Qt::ItemIsEditable;
}

QVariant PartyModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const char *const titles[ColumnCount] = {"Parte", "Quota (%)", "In solido"};
    return section >= 0 && section < ColumnCount ? QString::fromUtf8(titles[section]) : QVariant();
}

} // namespace tolvemar
