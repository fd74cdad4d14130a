// Makes a small register at the path given, for the console programs to read on both systems.
#include "register.h"
#include "support/sampleassignments.h"

#include <QCoreApplication>

#include <cstdio>

using assignments::Assignment;
using assignments::Register;

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
    // The console tests' assignments, with a court and a payer that are not plain ASCII.
    QList<Assignment> sample = testsupport::sampleAssignments();
    sample[0].court = QStringLiteral("Tribunale di Forlì");
    sample[2].payments[0].payer = QStringLiteral("Società Attrice");
    for (const Assignment &x : sample) {
        if (const auto id = reg.create(x); const QString *fault = std::get_if<QString>(&id)) {
            std::fputs(fault->toUtf8().constData(), stderr);
            return 1;
        }
    }
    return 0;
}
