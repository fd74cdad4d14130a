#pragma once

#include "register.h"

#include <QAbstractTableModel>

namespace tolvemar {

// "Operazioni": the sessions of one assignment, edited in place. Every edit is checked and saved
// in the register at once; one that the register refuses (a bad date or time, an end before the
// start, an overlap) leaves the cell as it was and is told through `refused`. A new row stays a
// draft, not saved, until its date and both times are there.
class SessionModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { Date, From, To, Description, Udienza, Vacazioni, ColumnCount };

    explicit SessionModel(QObject *parent = nullptr);

    // The sessions of `assignment` as the register holds them, counted within `period`; no
    // register shows none.
    QString load(assignments::Register *store, qint64 assignment, const fee::Period &period);
    void setPeriod(const fee::Period &period);

    QList<fee::Session> sessions() const; // the saved ones
    const fee::LogTotals &totals() const { return counted; }

    // The draft row, added at the end unless there is one already.
    QModelIndex addDraft();
    // Deletes the row from the register (a draft is just dropped); a message on failure.
    QString removeRow(int row);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

signals:
    void refused(const QString &message);
    // After every change saved in the register.
    void saved();

private:
    struct Row {
        qint64 id = 0; // 0 for the draft
        fee::Session session;
        bool hasFrom = false;
        bool hasTo = false;
    };

    QString text(const Row &row, int column) const;
    QString vacazioniText(int row) const;
    // Saves `changed` in place of row `row`; a message when the register refuses it.
    QString save(int row, const Row &changed);
    void recount();

    assignments::Register *store = nullptr;
    qint64 assignment = 0;
    fee::Period period;
    QList<Row> rows;
    fee::LogTotals counted;
};

} // namespace tolvemar
