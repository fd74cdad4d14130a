#pragma once

#include "register.h"
#include "settlementtexts.h"

#include <QGroupBox>

class QGridLayout;
class QLabel;

namespace tolvemar {

class FeeItemSummary;

// "Riepilogo": what the assignment is worth under the tariff chosen in the main window, from the
// vacazioni and the fees by value to the balance, the deadline for the request and, once there is
// a decree of liquidation, what is still to be collected and from whom. Every label's accessible
// name is its text.
class RegisterSummary : public QGroupBox {
    Q_OBJECT

public:
    enum Line {
        Vacazioni,
        Fee,
        Urgency,
        Increase,
        Panel,
        Total,
        Expenses,
        Advances,
        Balance,
        Count
    };

    explicit RegisterSummary(QWidget *parent = nullptr);

    // Nothing to show: no assignment is selected.
    void clear();
    void showAssignment(const assignments::Assignment &assignment, const fee::LogTotals &totals,
                        const QList<fee::Session> &sessions, fee::Tariff tariff, QDate today);

    QString value(Line line) const;
    QString deadlineText() const;
    // The lines of the decree as shown; none without one.
    QList<settlementtext::Line> settlement() const;
    const FeeItemSummary *feeItems() const { return tables; }

private:
    void set(Line line, const QString &caption, const QString &value);
    void showSettlement(const QList<settlementtext::Line> &lines);

    QLabel *captions[Count];
    QLabel *values[Count];
    QLabel *deadline;
    FeeItemSummary *tables; // beside the vacazioni
    QGridLayout *decree;    // under the fees by value
    QList<std::pair<QLabel *, QLabel *>> decreeLines;
};

} // namespace tolvemar
