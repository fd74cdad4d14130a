#include "assignmentlist.h"

#include "money.h"
#include "partyshare.h"
#include "registertexts.h"
#include "terms.h"

#include <QBrush>
#include <QColor>

#include <algorithm>
#include <limits>

namespace tolvemar {

namespace {

// Null dates go last, whichever way a column is sorted ascending.
qint64 dateKey(QDate date) {
    return date.isValid() ? date.toJulianDay() : std::numeric_limits<qint64>::max();
}

QDate nearest(const assignments::ListRow &row) {
    return row.requestDeadline.isValid() ? row.requestDeadline : row.lastDeadline;
}

} // namespace

QString requestUrgency(QDate deadline, QDate today) {
    if (!deadline.isValid())
        return {};
    if (deadline < today)
        return QStringLiteral("⚠ scaduto");
    if (today.daysTo(deadline) < 15)
        return QStringLiteral("⚠ entro 15 giorni");
    return {};
}

AssignmentList::AssignmentList(QObject *parent)
    : QAbstractTableModel(parent) {}

void AssignmentList::setRows(QList<assignments::ListRow> rows, QDate day, bool charges) {
    std::stable_sort(rows.begin(), rows.end(), [](const auto &a, const auto &b) {
        return dateKey(nearest(a)) < dateKey(nearest(b));
    });
    beginResetModel();
    list = std::move(rows);
    today = day;
    withCharges = charges;
    endResetModel();
}

int AssignmentList::rowOf(qint64 id) const {
    const auto found =
        std::find_if(list.begin(), list.end(), [id](const auto &row) { return row.id == id; });
    return found == list.end() ? -1 : int(found - list.begin());
}

int AssignmentList::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : int(list.size());
}

int AssignmentList::columnCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QString AssignmentList::requestText(const assignments::ListRow &row) const {
    const QString urgency = requestUrgency(row.requestDeadline, today);
    const QString date = registertext::date(row.requestDeadline);
    return urgency.isEmpty() ? date : date + u' ' + urgency;
}

QString AssignmentList::deadlineText(const assignments::ListRow &row) {
    const QString date = registertext::date(row.lastDeadline);
    return fee::filedLate(row.reportFiled, row.lastDeadline)
               ? date + QStringLiteral(" — ") + QString::fromUtf8(fee::kLateNote)
               : date;
}

QVariant AssignmentList::data(const QModelIndex &index, int role) const {
    if (!index.isValid() || index.row() >= list.size())
        return {};
    const assignments::ListRow &row = list[index.row()];
    if (role == kIdRole)
        return row.id;
    if (role == kSortRole) {
        switch (index.column()) {
        case CaseNumber:
            return row.caseNumber;
        case Court:
            return row.court;
        case Deadline:
            return dateKey(row.lastDeadline);
        case RequestBy:
            return dateKey(row.requestDeadline);
        case Vacazioni:
            return row.halves;
        case Fee:
            return row.fee;
        case Outstanding:
            return row.hasDecree() ? row.outstanding : std::numeric_limits<qint64>::min();
        }
        return {};
    }
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole || role == Qt::ToolTipRole) {
        switch (index.column()) {
        case CaseNumber:
            return row.caseNumber;
        case Court:
            return row.court;
        case Deadline:
            return deadlineText(row);
        case RequestBy:
            return requestText(row);
        case Vacazioni:
            return registertext::vacazioni(row.halves);
        case Fee:
            return fee::euroText(row.fee);
        case Outstanding:
            return row.hasDecree() ? fee::euroText(row.outstanding) : QString();
        }
        return {};
    }
    if (role == Qt::ForegroundRole && index.column() == RequestBy &&
        !requestUrgency(row.requestDeadline, today).isEmpty())
        return QBrush(row.requestDeadline < today ? QColor(0xb0, 0, 0) : QColor(0x9a, 0x52, 0));
    if (role == Qt::TextAlignmentRole && index.column() >= Vacazioni)
        return int(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant AssignmentList::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const char *const titles[ColumnCount] = {
        "Procedimento",  "Ufficio giudiziario", "Termine per il deposito",
        "Istanza entro", "Vacazioni",           "Compenso",
        "Residuo"};
    if (section == Outstanding && withCharges)
        return QStringLiteral("Residuo\n%1").arg(QLatin1String(fee::kChargesIncluded));
    return section >= 0 && section < ColumnCount ? QString::fromUtf8(titles[section]) : QVariant();
}

} // namespace tolvemar
