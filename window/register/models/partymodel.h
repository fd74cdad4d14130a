#pragma once

#include "register.h"

#include <QAbstractTableModel>

#include <functional>

namespace tolvemar {

// "Parti a carico": name, share in per cent ("33,33") and "in solido", a checkable column. A
// table that does not pass assignments::partiesError stays as typed, marked, and is not saved;
// a good one goes to `save`, which answers with a message when it is refused.
class PartyModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { Name, Share, Jointly, ColumnCount };
    using Save = std::function<QString(const QList<assignments::Party> &)>;

    explicit PartyModel(Save save, QObject *parent = nullptr);

    void setParties(const QList<assignments::Party> &parties);
    const QList<assignments::Party> &parties() const { return rows; }
    QString error() const { return problem; }
    void addRow();
    void removeRow(int row);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

signals:
    // The message of a refusal; empty once the table is saved.
    void refused(const QString &message);

private:
    void changed();

    Save save;
    QList<assignments::Party> rows;
    QString problem;
};

} // namespace tolvemar
