#pragma once

#include "register.h"
#include "support/rawquery.h"

#include <QObject>
#include <QTemporaryDir>

// The register's test, in three sources: the file and its faults here, other processes and the
// totals in tst_assignments_processes.cpp, the versions and the money owed in
// tst_assignments_versions.cpp, the move from the old place in tst_assignments_move.cpp. Helpers
// that they share:
namespace registertest {

using namespace assignments;

inline const QDate kBase(2025, 3, 3);

std::unique_ptr<Register> openRegister(const QString &path,
                                       Register::Mode mode = Register::Mode::ReadWrite);

// The value of a result, or the test stops with its message.
template <typename T> T value(std::variant<T, QString> result) {
    if (const QString *error = std::get_if<QString>(&result))
        qFatal("%s", qPrintable(*error));
    return std::get<T>(std::move(result));
}

// The session `index` of a child: one hour a day from `start` minutes, day after day.
fee::Session childSession(int index, int start);
Assignment fullAssignment();
using testsupport::rawQuery;
QByteArray hashOf(const QString &path);
// The child's part: see tst_assignments_processes.cpp.
int runChild(const QStringList &args);

} // namespace registertest

class TestAssignments : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir;
    QString fresh(const char *name) const { return dir.filePath(QString::fromLatin1(name)); }

private slots:
    void roundTrip();
    void migration_data();
    void migration();
    void refusals_data();
    void refusals();
    void faults_data();
    void faults();
    void fullDisk();
    void places();
    void placeByEnvironment_data();
    void placeByEnvironment();
    void modes();
    void readOnly();
    void backup();
    void twoProcesses();
    void listMatchesLog();
    void moveFromOldPlace_data();
    void moveFromOldPlace();
    void bothPlaces();
    void invoices();
    void invoiceKilled();
};
