#pragma once

#include "feeitemmodel.h"

#include <QWidget>

#include <optional>

class QLabel;
class QSpinBox;
class QTableView;

namespace tolvemar {

// "Onorari fissi e variabili": the items' table, its two buttons and the urgency of these fees.
// Every change goes to `save` with the items and the urgency together.
class FeeItemTable : public QWidget {
    Q_OBJECT

public:
    using Save = std::function<QString(const QList<assignments::FeeItem> &, int urgencyPercent)>;

    explicit FeeItemTable(Save save, QWidget *parent = nullptr);

    // The items of `assignment` and their urgency, under the tables of its appointment; none
    // without one.
    void setAssignment(const std::optional<assignments::Assignment> &assignment);
    void setAppointment(QDate appointment) { model->setAppointment(appointment); }
    QTableView *view() const { return table; }
    QSpinBox *urgencyField() const { return urgency; }

signals:
    void message(const QString &text);

private:
    Save save;
    FeeItemModel *model;
    QTableView *table;
    QSpinBox *urgency;
    QLabel *urgencyError;
    int savedUrgency = 0;
};

} // namespace tolvemar
