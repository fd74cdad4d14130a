#include "feeitemmodel.h"

#include "feeitems.h"
#include "feeitemtext.h"
#include "registertexts.h"

#include <QBrush>
#include <QColor>

#include <optional>

namespace tolvemar {

using assignments::FeeAsked;
using assignments::FeeItem;
using assignments::FeeReduction;

FeeItemModel::FeeItemModel(Save saver, QObject *parent)
    : QAbstractTableModel(parent)
    , save(std::move(saver)) {}

void FeeItemModel::setFeeItems(const QList<FeeItem> &list, QDate appointmentDate) {
    beginResetModel();
    items = list;
    appointment = appointmentDate;
    marked = {};
    endResetModel();
}

void FeeItemModel::setAppointment(QDate appointmentDate) {
    appointment = appointmentDate;
    if (!items.isEmpty())
        emit dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1));
}

bool FeeItemModel::commit(const QList<FeeItem> &changed) {
    const QString error = save(changed);
    emit refused(error);
    return error.isEmpty();
}

void FeeItemModel::mark(const Mark &bad) {
    const Mark before = marked;
    marked = bad;
    for (const Mark &m : {before, bad})
        if (m.row >= 0 && m.row < items.size())
            emit dataChanged(index(m.row, m.column), index(m.row, m.column));
}

bool FeeItemModel::addRow() {
    QList<FeeItem> changed = items;
    changed.append(FeeItem{});
    changed.last().article = assignments::feeArticles().first();
    if (!commit(changed))
        return false;
    mark({});
    beginInsertRows({}, int(items.size()), int(items.size()));
    items = changed;
    endInsertRows();
    return true;
}

bool FeeItemModel::removeRow(int row) {
    if (row < 0 || row >= items.size())
        return false;
    QList<FeeItem> changed = items;
    changed.removeAt(row);
    if (!commit(changed))
        return false;
    mark({});
    beginRemoveRows({}, row, row);
    items = changed;
    endRemoveRows();
    return true;
}

int FeeItemModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : int(items.size());
}

int FeeItemModel::columnCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant FeeItemModel::data(const QModelIndex &index, int role) const {
    if (!index.isValid() || index.row() >= items.size())
        return {};
    const bool bad = index.row() == marked.row && index.column() == marked.column;
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return bad ? marked.text : feeitemtext::cellText(items[index.row()], column, appointment);
    case Qt::EditRole:
        if (bad)
            return marked.text;
        if (column == Value || column == Revenues)
            return feeitemtext::cellText(items[index.row()], column, appointment).isEmpty()
                       ? QString()
                       : registertext::amount(column == Value ? items[index.row()].value
                                                              : items[index.row()].revenues);
        if (column == Amount) {
            const auto amount = assignments::feeItemAmount(items[index.row()], appointment);
            return std::holds_alternative<fee::Cents>(amount)
                       ? registertext::amount(std::get<fee::Cents>(amount))
                       : QString();
        }
        return feeitemtext::cellText(items[index.row()], column, appointment);
    case Qt::ToolTipRole:
    case Qt::AccessibleDescriptionRole: {
        if (bad)
            return marked.message;
        if (column == Quantity) {
            const fee::TableArticle *article =
                feeitemtext::articleOf(items[index.row()].article, appointment);
            return article && article->quantity ? QVariant(QStringLiteral("Quanti: %1, da 1 a %2")
                                                               .arg(article->quantity->many)
                                                               .arg(fee::kMaxQuantity))
                                                : QVariant();
        }
        if (column == Article) {
            const QString whole = feeitemtext::articleWhole(items[index.row()], appointment);
            // As rich text, so that the tooltip wraps the longest subjects.
            return role == Qt::ToolTipRole ? QStringLiteral("<p>%1</p>").arg(whole.toHtmlEscaped())
                                           : whole;
        }
        const auto amount = assignments::feeItemAmount(items[index.row()], appointment);
        const auto fee = assignments::feeItemFee(items[index.row()], appointment);
        if (column != Amount || std::holds_alternative<QString>(amount))
            return column == Amount ? std::get<QString>(amount) : QVariant();
        const fee::TableFee &range = std::get<fee::TableFee>(fee);
        return QStringLiteral("Da %1 a %2")
            .arg(fee::euroText(range.low), fee::euroText(range.high));
    }
    case Qt::BackgroundRole:
        return bad ? QVariant(QBrush(QColor(0xff, 0xe0, 0xe0))) : QVariant();
    case Qt::TextAlignmentRole:
        if (column == Value || column == Revenues || column == Quantity || column == Amount)
            return int(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    case kChoicesRole:
        return feeitemtext::cellChoices(items[index.row()], column, appointment);
    case kInvalidRole:
        return bad;
    default:
        return {};
    }
}

bool FeeItemModel::setData(const QModelIndex &index, const QVariant &value, int role) {
    if (!index.isValid() || role != Qt::EditRole || index.row() >= items.size())
        return false;
    FeeItem item = items[index.row()];
    QString error = feeitemtext::applyTyped(item, index.column(), value.toString(), appointment);
    if (error.isEmpty()) {
        const auto amount = assignments::feeItemAmount(item, appointment);
        if (const QString *refusal = std::get_if<QString>(&amount))
            error = *refusal;
    }
    QList<FeeItem> changed = items;
    changed[index.row()] = item;
    if (!error.isEmpty() || (error = save(changed), !error.isEmpty())) {
        error = QStringLiteral("Onorario alla riga %1: %2").arg(index.row() + 1).arg(error);
        mark({index.row(), index.column(), value.toString(), error});
        emit refused(error);
        return false;
    }
    emit refused({});
    items = changed;
    mark({});
    emit dataChanged(this->index(index.row(), 0), this->index(index.row(), ColumnCount - 1));
    return true;
}

Qt::ItemFlags FeeItemModel::flags(const QModelIndex &index) const {
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (!index.isValid() || index.row() >= items.size())
        return flags;
    const fee::TableArticle *article =
        feeitemtext::articleOf(items[index.row()].article, appointment);
    const bool byValue = article && article->kind == fee::FeeKind::Value;
    const bool editable =
        (index.column() != Value || byValue) &&
        (index.column() != Revenues || (byValue && article->tables.size() == 2)) &&
        (index.column() != Quantity || (article && article->quantity)) &&
        (index.column() != Reduction || (article && !article->reductions.isEmpty()));
    return editable ? flags | Qt::ItemIsEditable : flags;
}

QVariant FeeItemModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const char *const names[ColumnCount] = {"Articolo",    "Valore (€)", "Ricavi lordi (€)",
                                                   "Quantità",    "Riduzione",  "Richiesto",
                                                   "Importo (€)", "Descrizione"};
    return QString::fromUtf8(names[section]);
}

} // namespace tolvemar
