#pragma once

#include <QAbstractTableModel>
#include <QBrush>
#include <QColor>
#include <QList>

#include <functional>

namespace tolvemar {

// The signal of CheckedRows, which as a template cannot declare one.
class CheckedRowsSignals : public QAbstractTableModel {
    Q_OBJECT

public:
    using QAbstractTableModel::QAbstractTableModel;

signals:
    // The message of a refusal; empty once the table is saved.
    void refused(const QString &message);
};

// A table of rows kept as typed: after each change the rows are checked, and only rows that pass
// go to `save`, which answers with a message when it refuses them. A table that does not pass
// stays on screen, its faulty row (or every row, when the fault is the table's) marked. A row
// just added is left out of the check and the save, and so never marked, until one of its cells
// is changed: an empty row is not yet a fault.
template <typename Row> class CheckedRows : public CheckedRowsSignals {
public:
    using Save = std::function<QString(const QList<Row> &)>;
    struct Problem {
        QString message;
        int row = -1; // -1: the table as a whole
    };

    void setRows(const QList<Row> &list) {
        beginResetModel();
        shown = list;
        edited = QList<bool>(list.size(), true);
        problem = {};
        endResetModel();
    }
    const QList<Row> &rows() const { return shown; }
    QString error() const { return problem.message; }

    void addRow() {
        const int row = int(shown.size());
        beginInsertRows({}, row, row);
        shown.append(Row{});
        edited.append(false);
        endInsertRows();
    }
    void removeRow(int row) {
        if (row < 0 || row >= shown.size())
            return;
        beginRemoveRows({}, row, row);
        shown.removeAt(row);
        edited.removeAt(row);
        endRemoveRows();
        changed();
    }

    int rowCount(const QModelIndex &parent = {}) const override {
        return parent.isValid() ? 0 : int(shown.size());
    }
    int columnCount(const QModelIndex &parent = {}) const override {
        return parent.isValid() ? 0 : columns;
    }

protected:
    CheckedRows(Save save, int columns, QObject *parent)
        : CheckedRowsSignals(parent)
        , save(std::move(save))
        , columns(columns) {}

    // The first fault of the rows edited so far, with no message when there is none.
    virtual Problem check() const = 0;

    bool wasEdited(int row) const { return edited.value(row); }
    QList<Row> editedRows() const {
        QList<Row> rows;
        for (int i = 0; i < shown.size(); ++i)
            if (edited[i])
                rows.append(shown[i]);
        return rows;
    }

    // The tooltip and the background of a marked cell; nothing for another role or row.
    QVariant mark(const QModelIndex &index, int role) const {
        if (problem.message.isEmpty() || !wasEdited(index.row()) ||
            (problem.row >= 0 && index.row() != problem.row))
            return {};
        if (role == Qt::ToolTipRole)
            return problem.message;
        if (role == Qt::BackgroundRole)
            return QBrush(QColor(0xff, 0xe0, 0xe0));
        return {};
    }

    // After an edit of the row `row`, which held `before`: a row just added and left as it was
    // (an editor opened and closed) stays out; otherwise as changed().
    void edit(int row, const Row &before) {
        if (!edited[row] && shown[row] == before)
            return;
        edited[row] = true;
        changed();
    }

    // After a change of `shown`: the rows edited so far checked, saved when they pass, marked
    // and told either way.
    void changed() {
        problem = check();
        if (problem.message.isEmpty())
            problem = {save(editedRows()), -1};
        if (!shown.isEmpty())
            emit dataChanged(index(0, 0), index(int(shown.size()) - 1, columns - 1));
        emit refused(problem.message);
    }

    QList<Row> shown;

private:
    Save save;
    int columns;
    Problem problem;
    QList<bool> edited; // beside `shown`: whether the row was ever edited
};

} // namespace tolvemar
