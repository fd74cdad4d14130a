#include "tst_assignments.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

using namespace registertest;

namespace {

const QStringList kCompanions = {QStringLiteral("-wal"), QStringLiteral("-shm")};

void clearPlaces() {
    QDir(QFileInfo(Register::defaultPath()).absolutePath()).removeRecursively();
    for (const QString &suffix : QStringList{QString()} + kCompanions)
        QFile::remove(Register::oldDefaultPath() + suffix);
}

bool leftAtOldPlace() {
    for (const QString &suffix : QStringList{QString()} + kCompanions) {
        if (QFileInfo::exists(Register::oldDefaultPath() + suffix))
            return true;
    }
    return false;
}

// A child adding sessions to `path`, killed (SIGKILL) once it has reported `reported` commits,
// or left to end when `kill` is false; its reports, one per commit. A killed child may have
// reported a few more in the same read.
QStringList childCommits(const QString &path, qint64 assignment, int reported, bool kill) {
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--child"), path, QString::number(assignment),
                 QString::number(kill ? 100000 : reported), QString::number(8 * 60)});
    QStringList lines;
    while (lines.size() < reported && child.waitForReadyRead(30000)) {
        while (child.canReadLine())
            lines.append(QString::fromUtf8(child.readLine()).trimmed());
    }
    if (kill)
        child.kill();
    child.waitForFinished(30000);
    return lines;
}

} // namespace

void TestAssignments::moveFromOldPlace_data() {
    QTest::addColumn<bool>("childAtOldPlace");
    QTest::addColumn<bool>("kill");
    QTest::addColumn<int>("movedBefore"); // companions already at the new place
    QTest::newRow("closed cleanly at the old place") << true << false << 0;
    QTest::newRow("killed at the old place") << true << true << 0;
    QTest::newRow("killed during the move, -wal moved") << true << true << 1;
    QTest::newRow("killed during the move, -wal and -shm moved") << true << true << 2;
    QTest::newRow("killed right after the move") << false << true << 0;
}

void TestAssignments::moveFromOldPlace() {
    QFETCH(bool, childAtOldPlace);
    QFETCH(bool, kill);
    QFETCH(int, movedBefore);
    QStandardPaths::setTestModeEnabled(true);
    clearPlaces();
    const QString old = Register::oldDefaultPath(), current = Register::defaultPath();
    QVERIFY(QFileInfo(old).absolutePath() != QFileInfo(current).absolutePath());
    const qint64 id = value(openRegister(old)->create(fullAssignment()));
    QVERIFY(!QFileInfo::exists(current));

    const QStringList lines = childCommits(childAtOldPlace ? old : current, id, 25, kill);
    QVERIFY(kill ? lines.size() >= 25 : lines.size() == 25);
    if (childAtOldPlace && kill)
        QVERIFY(QFileInfo(old + kCompanions[0]).size() > 0); // the commits are in the log only
    QVERIFY(QDir().mkpath(QFileInfo(current).absolutePath()));
    for (int i = 0; i < movedBefore; ++i)
        QVERIFY(QFile::rename(old + kCompanions[i], current + kCompanions[i]));

    auto r = openRegister(current);
    QVERIFY(r);
    QCOMPARE(r->path(), current);
    QVERIFY(!leftAtOldPlace());
    QCOMPARE(r->takeNotice(), QString());
    const QList<StoredSession> stored = value(r->sessions(id));
    QVERIFY(stored.size() >= lines.size());
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QVERIFY2(lines[i].startsWith(u'+'), qPrintable(lines[i]));
        QCOMPARE(stored[i].id, lines[i].mid(1).toLongLong());
        QCOMPARE(stored[i].session, childSession(int(i), 8 * 60));
    }
    QCOMPARE(value(r->assignment(id)), [&] {
        Assignment a = fullAssignment();
        a.id = id;
        return a;
    }());
    r.reset();
    clearPlaces();
}

void TestAssignments::bothPlaces() {
    QStandardPaths::setTestModeEnabled(true);
    clearPlaces();
    const QString old = Register::oldDefaultPath(), current = Register::defaultPath();
    Assignment older = fullAssignment(), newer = fullAssignment();
    older.caseNumber = QStringLiteral("1/2020");
    newer.caseNumber = QStringLiteral("2/2025");
    value(openRegister(current)->create(newer)); // the new one first, so nothing is moved
    value(openRegister(old)->create(older));

    QCOMPARE(openRegister(current, Register::Mode::ReadOnly)->takeNotice(), QString());
    auto r = openRegister(current);
    const QString notice = r->takeNotice();
    QVERIFY2(notice.contains(QDir::toNativeSeparators(old)), qPrintable(notice));
    QVERIFY(notice.contains(QStringLiteral("lasciato com'era")));
    QCOMPARE(r->takeNotice(), QString());
    const QList<ListRow> rows = value(r->list(fee::Tariff::Decree2002));
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows[0].caseNumber, newer.caseNumber);
    r.reset();
    QCOMPARE(openRegister(current)->takeNotice(), QString()); // said once, not at every start
    QCOMPARE(value(openRegister(old)->list(fee::Tariff::Decree2002))[0].caseNumber,
             older.caseNumber);
    clearPlaces();
}
