#pragma once

#include "register.h"

#include <QAbstractTableModel>

#include <optional>

namespace tolvemar {

// "Crediti da incassare": the assignments of Register::credits, the oldest decree first, with the
// days since the decree and what is still due.
class CreditList : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { CaseNumber, Court, Decree, Days, Liquidated, Outstanding, ColumnCount };

    explicit CreditList(QObject *parent = nullptr);

    void setCredits(const QList<assignments::Credit> &credits);
    const QList<assignments::Credit> &credits() const { return list; }
    // What all of them still owe; nothing when it is beyond 64-bit cents.
    std::optional<fee::Cents> total() const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QList<assignments::Credit> list;
};

} // namespace tolvemar
