#pragma once

#include "register.h"
#include "tablesettlement.h"

#include <QWidget>

#include <variant>

class QGridLayout;
class QLabel;

namespace tolvemar {

// The fees by value and the fixed fees in "Riepilogo": each item with its article, the point
// asked and its amount, then their increases and their total. Every label's accessible name is
// its text.
class FeeItemSummary : public QWidget {
    Q_OBJECT

public:
    explicit FeeItemSummary(QWidget *parent = nullptr);

    void clear();
    // The items of `assignment` settled with its increases, a late report losing a third; the
    // settlement shown, or the message that stands in its place.
    std::variant<fee::TableSettlement, QString>
    showAssignment(const assignments::Assignment &assignment, bool late);

    // The lines shown, caption and value, for a test to read.
    QList<std::pair<QString, QString>> lines() const;

private:
    void addLine(const QString &caption, const QString &value, bool bold = false);

    QGridLayout *grid;
    QList<std::pair<QLabel *, QLabel *>> shown;
};

} // namespace tolvemar
