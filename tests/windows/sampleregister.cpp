// Makes a small register at the path given, for the console programs to read on both systems:
// a draft in August with a deadline on a Saturday, a report filed late, and a decree paid in
// part by two parties.
#include "register.h"

#include <QCoreApplication>
#include <QDate>

#include <cstdio>

using assignments::Assignment;
using assignments::Register;

namespace {

QDate on(const char *iso) {
    return QDate::fromString(QLatin1String(iso), Qt::ISODate);
}

} // namespace

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    if (argc != 2)
        return 2;
    auto opened = Register::open(QString::fromLocal8Bit(argv[1]));
    if (const QString *fault = std::get_if<QString>(&opened)) {
        std::fputs(fault->toUtf8().constData(), stderr);
        return 1;
    }
    Register &reg = *std::get<std::unique_ptr<Register>>(opened);
    Assignment a;
    a.caseNumber = QStringLiteral("100/2026");
    a.court = QStringLiteral("Tribunale di Forlì");
    a.draftToParties.date = on("2026-08-10");
    a.partiesObservations.date = on("2026-09-15");
    a.period.deadline = on("2026-10-10");
    a.period.extensions = {on("2026-10-17")};
    Assignment b;
    b.caseNumber = QStringLiteral("200/2026");
    b.court = QStringLiteral("Tribunale di Roma");
    b.period.deadline = on("2026-07-10");
    b.reportFiled = on("2026-07-20");
    Assignment c;
    c.caseNumber = QStringLiteral("300/2025");
    c.court = QStringLiteral("Tribunale di Torino");
    c.reportFiled = on("2026-03-02");
    c.decree = on("2026-05-04");
    c.liquidated = 150000;
    c.advances = 20000;
    c.payments = {{on("2026-05-20"), QStringLiteral("Società Attrice"), 40000, {}},
                  {on("2026-06-15"), QStringLiteral("Convenuto"), 35050, {}}};
    for (const Assignment &x : {a, b, c}) {
        if (const auto id = reg.create(x); const QString *fault = std::get_if<QString>(&id)) {
            std::fputs(fault->toUtf8().constData(), stderr);
            return 1;
        }
    }
    return 0;
}
