#pragma once

#include "register.h"

#include <QGroupBox>

class QLabel;

namespace tolvemar {

class FeeItemSummary;

// "Riepilogo": what the assignment is worth under the tariff chosen in the main window, from the
// vacazioni and the fees by value to the balance, and the deadline for the request. Every label's
// accessible name is its text.
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
    const FeeItemSummary *feeItems() const { return tables; }

private:
    void set(Line line, const QString &caption, const QString &value);

    QLabel *captions[Count];
    QLabel *values[Count];
    QLabel *deadline;
    FeeItemSummary *tables; // beside the vacazioni
};

} // namespace tolvemar
