#pragma once

#include "money.h"
#include "worklog.h"

#include <QList>
#include <QString>

#include <variant>

// What the fees by value and the fixed fees of an assignment come to, with the increases of
// DPR 115/2002, and the assignment's whole fee with its vacazioni. Legal-aid reductions (arts.
// 106-bis and 130) are not applied while the tables stay unadjusted (Corte cost. 192/2015,
// 178/2017, 166/2022).
namespace fee {

inline constexpr int kTableUrgencyMaxPercent = 20;   // art. 51, paragraph 2
inline constexpr int kTableIncreaseMaxPercent = 100; // art. 52, paragraph 1

struct TableClaim {
    int urgencyPercent = 0;  // 0-20, urgency declared by the judge
    int increasePercent = 0; // 0-100, exceptional importance
    bool late = false;       // the report filed after the term: one third less (art. 52, par. 2)
    int panel = 1;           // experts in the panel, art. 53
};

struct TableSettlement {
    Cents fee = 0;       // the amounts asked, added
    Cents reduction = 0; // the third taken off a late report, as a positive amount
    Cents urgency = 0;   // on the reduced fee
    Cents increase = 0;  // on the reduced fee
    Cents panel = 0;     // 40 % of the reduced fee and its increases for each other expert
    Cents total = 0;     // fee - reduction + urgency + increase + panel
};

// The settlement of the amounts asked for each item, each percentage rounded once to the cent
// half away from zero; or an Italian message for an amount or a percentage out of its bounds or
// a sum beyond 64-bit cents.
std::variant<TableSettlement, QString> settleTables(const QList<Cents> &asked,
                                                    const TableClaim &claim);

// An assignment's fee: its vacazioni and its fees by value and fixed fees together, each with
// its own increases, then the expenses and advances of the vacazioni's claim.
struct AssignmentSettlement {
    Settlement vacazioni;
    TableSettlement tables;
    Cents total = 0; // vacazioni.total + tables.total
    Cents expenses = 0;
    Cents advances = 0;
    Cents balance = 0; // total + expenses - advances
};

// The two together, from settle() and settleTables(); an Italian message beyond 64-bit cents.
std::variant<AssignmentSettlement, QString> combine(const Settlement &vacazioni,
                                                    const TableSettlement &tables);

} // namespace fee
