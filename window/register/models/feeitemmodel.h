#pragma once

#include "register.h"

#include <QAbstractTableModel>

#include <functional>

namespace tolvemar {

// "Onorari fissi e variabili": the items an assignment asks of the tables, each with its
// article, its values, its quantity (for an article paid per item), its reduction, what it asks and
// a description. Every edit is checked against the tables and handed to `save`; a bad one (not an
// amount, an amount outside the range, a reduction the article does not have) is not saved: its
// cell keeps the text typed, marked, with the message, which `refused` tells too.
class FeeItemModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column {
        Article,
        Value,
        Revenues,
        Quantity,
        Reduction,
        Asked,
        Amount,
        Description,
        ColumnCount
    };
    // The texts a cell accepts, for a list to choose from; none for a cell typed freely.
    static constexpr int kChoicesRole = Qt::UserRole + 1;
    // True for the cell holding a value that was not saved.
    static constexpr int kInvalidRole = Qt::UserRole + 2;

    using Save = std::function<QString(const QList<assignments::FeeItem> &)>;

    explicit FeeItemModel(Save save, QObject *parent = nullptr);

    // The items as saved; `appointment` chooses the decree whose tables apply.
    void setFeeItems(const QList<assignments::FeeItem> &items, QDate appointment);
    void setAppointment(QDate appointment);
    const QList<assignments::FeeItem> &feeItems() const { return items; }
    bool addRow();
    bool removeRow(int row);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

signals:
    void refused(const QString &message);

private:
    struct Mark {
        int row = -1;
        int column = -1;
        QString text;
        QString message;
    };

    bool commit(const QList<assignments::FeeItem> &changed);
    void mark(const Mark &bad);

    Save save;
    QList<assignments::FeeItem> items;
    QDate appointment;
    Mark marked;
};

} // namespace tolvemar
