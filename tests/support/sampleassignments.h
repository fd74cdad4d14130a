#pragma once

#include "register.h"

#include <QDate>

namespace testsupport {

// Three assignments whose deadlines and credits the console tests know by heart: a draft in
// August with a deadline on a Saturday (Milano), a report filed late (Roma), and a decree paid
// in part by two parties (Torino).
inline QList<assignments::Assignment> sampleAssignments() {
    const auto on = [](const char *iso) { return QDate::fromString(iso, Qt::ISODate); };
    assignments::Assignment a;
    a.caseNumber = QStringLiteral("100/2026");
    a.court = QStringLiteral("Tribunale di Milano");
    a.draftToParties.date = on("2026-08-10");
    a.partiesObservations.date = on("2026-09-15");
    a.period.deadline = on("2026-10-10");
    a.period.extensions = {on("2026-10-17")};
    assignments::Assignment b;
    b.caseNumber = QStringLiteral("200/2026");
    b.court = QStringLiteral("Tribunale di Roma");
    b.period.deadline = on("2026-07-10");
    b.reportFiled = on("2026-07-20");
    assignments::Assignment c;
    c.caseNumber = QStringLiteral("300/2025");
    c.court = QStringLiteral("Tribunale di Torino");
    c.reportFiled = on("2026-03-02");
    c.decree = on("2026-05-04");
    c.liquidated = 150000;
    c.advances = 20000;
    c.payments = {{on("2026-05-20"), QStringLiteral("Attore"), 40000, {}},
                  {on("2026-06-15"), QStringLiteral("Convenuto"), 35050, {}}};
    return {a, b, c};
}

} // namespace testsupport
