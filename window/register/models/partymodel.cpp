#include "partymodel.h"

#include "money.h"
#include "validation.h"

namespace tolvemar {

PartyModel::PartyModel(Save save, QObject *parent)
    : CheckedRows(std::move(save), ColumnCount, parent) {}

PartyModel::Problem PartyModel::check() const {
    return {assignments::partiesError(editedRows()), -1};
}

QVariant PartyModel::data(const QModelIndex &index, int role) const {
    if (!index.isValid() || index.row() >= shown.size())
        return {};
    const assignments::Party &party = shown[index.row()];
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
    if (role == Qt::TextAlignmentRole && column == Share)
        return int(Qt::AlignRight | Qt::AlignVCenter);
    return mark(index, role);
}

bool PartyModel::setData(const QModelIndex &index, const QVariant &value, int role) {
    if (!index.isValid() || index.row() >= shown.size())
        return false;
    assignments::Party &party = shown[index.row()];
    const assignments::Party before = party;
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
    edit(index.row(), before);
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
