#pragma once

#include "feeitemmodel.h"

#include <QWidget>

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

    // The items, their urgency and the appointment that chooses the tables.
    void setFeeItems(const QList<assignments::FeeItem> &items, int urgencyPercent,
                     QDate appointment);
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
