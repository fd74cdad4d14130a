#pragma once

#include "register.h"

#include <QAbstractTableModel>
#include <QDate>

namespace tolvemar {

// The register's list, one assignment a row, in order of the nearest date that matters: the
// request's deadline, else the last deadline for the report. Sorting by a column goes by its
// value (dates and numbers, not their texts) through the sort role.
class AssignmentList : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column {
        CaseNumber,
        Court,
        Deadline,
        RequestBy,
        Vacazioni,
        Fee,
        Outstanding,
        ColumnCount
    };
    static constexpr int kSortRole = Qt::UserRole;
    static constexpr int kIdRole = Qt::UserRole + 1;

    explicit AssignmentList(QObject *parent = nullptr);

    // The rows of Register::list, marked against `today`; their residue is
    // fee::kChargesIncluded when `withCharges`.
    void setRows(QList<assignments::ListRow> rows, QDate today, bool withCharges = false);
    const QList<assignments::ListRow> &rows() const { return list; }
    int rowOf(qint64 id) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QString requestText(const assignments::ListRow &row) const;
    // The last deadline, "depositata in ritardo" when the report came after its real end.
    static QString deadlineText(const assignments::ListRow &row);

    QList<assignments::ListRow> list;
    QDate today;
    bool withCharges = false;
};

// "⚠ scaduto" for a request's deadline before `today`, "⚠ entro 15 giorni" for one less than 15
// days away; empty otherwise.
QString requestUrgency(QDate deadline, QDate today);

} // namespace tolvemar
