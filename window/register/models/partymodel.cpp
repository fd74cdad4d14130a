#include "partymodel.h"

#include "money.h"
#include "validation.h"

namespace tolvemar {

namespace {

// The columns kept as typed, codes in upper case.
QString *textOf(assignments::Party &party, int column) {
    switch (column) {
    case PartyModel::Name:
        return &party.name;
    case PartyModel::TaxId:
        return &party.taxId;
    case PartyModel::Street:
        return &party.address.street;
    case PartyModel::Postcode:
        return &party.address.postcode;
    case PartyModel::Town:
        return &party.address.town;
    case PartyModel::Province:
        return &party.address.province;
    case PartyModel::Recipient:
        return &party.recipient;
    default:
        return nullptr;
    }
}

bool isCheck(int column) {
    return column == PartyModel::Jointly || column == PartyModel::Withholding;
}

} // namespace

PartyModel::PartyModel(Save save, QObject *parent)
    : CheckedRows(std::move(save), ColumnCount, parent) {}

PartyModel::Problem PartyModel::check() const {
    return {assignments::partiesError(editedRows()), -1};
}

QVariant PartyModel::data(const QModelIndex &index, int role) const {
    if (!index.isValid() || index.row() >= shown.size())
        return {};
    assignments::Party party = shown[index.row()];
    const int column = index.column();
    const bool checked = column == Jointly ? party.jointly : party.withholdingAgent;
    if (role == Qt::CheckStateRole && isCheck(column))
        return checked ? Qt::Checked : Qt::Unchecked;
    if (role == Qt::DisplayRole || role == Qt::EditRole || role == Qt::AccessibleTextRole) {
        if (const QString *text = textOf(party, column))
            return *text;
        if (column == Share)
            return role == Qt::EditRole ? QLocale().toString(party.shareHundredths / 100.0, 'f', 2)
                                        : assignments::shareText(party.shareHundredths);
        return role == Qt::AccessibleTextRole
                   ? QStringLiteral("%1: %2").arg(
                         headerData(column, Qt::Horizontal, Qt::DisplayRole).toString(),
                         checked ? QStringLiteral("sì") : QStringLiteral("no"))
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
    if (role == Qt::CheckStateRole && isCheck(index.column())) {
        (index.column() == Jointly ? party.jointly : party.withholdingAgent) =
            value.toInt() == Qt::Checked;
    } else if (role != Qt::EditRole) {
        return false;
    } else if (QString *text = textOf(party, index.column())) {
        const QString typed = value.toString().trimmed();
        // Codes as the invoice writes them; a PEC address as typed.
        const bool code = index.column() != Name && index.column() != Street &&
                          index.column() != Town && !typed.contains(u'@');
        *text = code ? typed.toUpper().remove(u' ') : typed;
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
    return isCheck(index.column()) ? base | Qt::ItemIsUserCheckable : base | Qt::ItemIsEditable;
}

QVariant PartyModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const char *const titles[ColumnCount] = {
        "Parte", "Quota (%)", "In solido", "Codice fiscale o partita IVA", "Indirizzo",
        "CAP",   "Comune",    "Provincia", "Codice destinatario o PEC",    "Sostituto d'imposta"};
    return section >= 0 && section < ColumnCount ? QString::fromUtf8(titles[section]) : QVariant();
}

} // namespace tolvemar
