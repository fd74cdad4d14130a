#include "creditlist.h"

#include "money.h"
#include "registertexts.h"

namespace tolvemar {

CreditList::CreditList(QObject *parent)
    : QAbstractTableModel(parent) {}

void CreditList::setCredits(const QList<assignments::Credit> &credits) {
    beginResetModel();
    list = credits;
    endResetModel();
}

std::optional<fee::Cents> CreditList::total() const {
    std::optional<fee::Cents> sum = 0;
    for (const assignments::Credit &credit : list)
        sum = sum ? fee::addCents(*sum, credit.outstanding) : std::nullopt;
    return sum;
}

int CreditList::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : int(list.size());
}

int CreditList::columnCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant CreditList::data(const QModelIndex &index, int role) const {
    if (!index.isValid() || index.row() >= list.size())
        return {};
    const assignments::Credit &credit = list[index.row()];
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole || role == Qt::ToolTipRole) {
        switch (index.column()) {
        case CaseNumber:
            return credit.caseNumber;
        case Court:
            return credit.court;
        case Decree:
            return registertext::date(credit.decree);
        case Days:
            return QLocale().toString(credit.days);
        case Liquidated:
            return fee::euroText(credit.liquidated);
        case Outstanding:
            return fee::euroText(credit.outstanding);
        }
        return {};
    }
    if (role == Qt::TextAlignmentRole && index.column() >= Days)
        return int(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant CreditList::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const char *const titles[ColumnCount] = {"Procedimento", "Ufficio giudiziario",
                                                    "Decreto",      "Giorni dal decreto",
                                                    "Liquidato",    "Residuo da incassare"};
    return section >= 0 && section < ColumnCount ? QString::fromUtf8(titles[section]) : QVariant();
}

} // namespace tolvemar
