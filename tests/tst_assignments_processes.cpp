#include "tst_assignments.h"

#include "deadlines.h"
#include "feeitems.h"

#include <QCoreApplication>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTest>

#include <cstdio>

using namespace registertest;

// Adds `count` sessions, printing "+id" after each commit, "-" for each overlap refused, and
// "!message" for anything else.
// With --invoices, issues `count` invoices instead, each asking for number 1 as a program would
// whose settings never learnt of the last, printing each number taken.
int registertest::runChild(const QStringList &args) {
    auto r = openRegister(args.value(2));
    if (!r)
        return 2;
    const qint64 assignment = args.value(3).toLongLong();
    if (args.value(1) == QLatin1String("--invoices")) {
        Invoice draft;
        draft.assignment = assignment;
        draft.date = QDate(2026, 12, 1);
        for (int i = args.value(4).toInt(); i > 0; --i) {
            const auto added =
                r->addInvoice(draft, 1, [](int n) -> std::variant<Register::InvoiceFile, QString> {
                    return Register::InvoiceFile{QString::number(n), QByteArray::number(n)};
                });
            if (const QString *error = std::get_if<QString>(&added))
                std::printf("!%s\n", qPrintable(*error));
            else
                std::printf("+%d\n", std::get<Invoice>(added).number);
            std::fflush(stdout);
        }
        return 0;
    }
    const int count = args.value(4).toInt(), start = args.value(5).toInt();
    for (int i = 0; i < count; ++i) {
        const auto added = r->addSession(assignment, childSession(i, start));
        if (const qint64 *id = std::get_if<qint64>(&added))
            std::printf("+%lld\n", static_cast<long long>(*id));
        else if (std::get<QString>(added).contains(QLatin1String("si sovrappone")))
            std::printf("-\n");
        else
            std::printf("!%s\n", qPrintable(std::get<QString>(added)));
        std::fflush(stdout);
    }
    return 0;
}

namespace {

QProcess *startChild(QObject *parent, const QString &path, qint64 assignment, int count,
                     int start) {
    auto *process = new QProcess(parent);
    process->start(QCoreApplication::applicationFilePath(),
                   {QStringLiteral("--child"), path, QString::number(assignment),
                    QString::number(count), QString::number(start)});
    return process;
}

QStringList linesOf(QProcess *process) {
    // A Windows child's standard output ends its lines with "\r\n".
    return QString::fromUtf8(process->readAllStandardOutput())
        .split(QRegularExpression(QStringLiteral("\r?\n")), Qt::SkipEmptyParts);
}

} // namespace

void TestAssignments::twoProcesses() {
    const QString path = fresh("shared.sqlite");
    auto r = openRegister(path);
    const qint64 id = value(r->create(fullAssignment()));

    // Apart: 08:00 and 10:00 each day, every session kept.
    QProcess *morning = startChild(this, path, id, 50, 8 * 60);
    QProcess *later = startChild(this, path, id, 50, 10 * 60);
    QVERIFY(morning->waitForFinished(60000) && later->waitForFinished(60000));
    const QStringList both = linesOf(morning) + linesOf(later);
    QCOMPARE(both.filter(QRegularExpression(QStringLiteral("^\\+\\d+$"))).size(), 100);
    QCOMPARE(value(r->sessions(id)).size(), 100);

    // The same hours from both at once: each one taken by exactly one of them.
    const qint64 other = value(r->create(fullAssignment()));
    QProcess *first = startChild(this, path, other, 50, 12 * 60);
    QProcess *second = startChild(this, path, other, 50, 12 * 60 + 30);
    QVERIFY(first->waitForFinished(60000) && second->waitForFinished(60000));
    const QStringList a = linesOf(first), b = linesOf(second);
    QCOMPARE(a.size(), 50);
    QCOMPARE(b.size(), 50);
    for (int i = 0; i < 50; ++i)
        QVERIFY2(a[i].startsWith(u'+') != b[i].startsWith(u'+'), qPrintable(a[i] + b[i]));
    const QList<StoredSession> stored = value(r->sessions(other));
    QCOMPARE(stored.size(), 50);
    QList<fee::Session> log;
    for (const StoredSession &s : stored)
        log.append(s.session);
    QVERIFY(!fee::findOverlap(log));

    // This process is refused what overlaps a session that a child added.
    const fee::Session overlapping = childSession(7, 8 * 60 + 30);
    QCOMPARE(std::get<QString>(r->addSession(id, overlapping)),
             fee::overlapMessage(overlapping, childSession(7, 8 * 60)));
}

void TestAssignments::listMatchesLog() {
    auto r = openRegister(fresh("list.sqlite"));
    QRandomGenerator random(20250317);
    for (int n = 0; n < 12; ++n) {
        Assignment a;
        a.caseNumber = QStringLiteral("%1/2025").arg(n);
        a.court = QStringLiteral("Tribunale");
        if (random.bounded(4) != 0)
            a.period.appointment = kBase.addDays(random.bounded(10));
        if (random.bounded(4) != 0)
            a.period.deadline = kBase.addDays(10 + random.bounded(20));
        for (int e = random.bounded(3); e > 0; --e)
            a.period.extensions.append(kBase.addDays(15 + random.bounded(30)));
        if (random.bounded(3) == 0)
            a.reportFiled = kBase.addDays(40 + random.bounded(30));
        for (int i = random.bounded(3); i > 0; --i) {
            FeeItem item;
            item.article = feeArticles()[random.bounded(int(feeArticles().size()))];
            item.value = random.bounded(100000000);
            item.revenues = random.bounded(100000000);
            item.asked = FeeAsked(random.bounded(3));
            a.feeItems.append(item);
        }
        a.id = value(r->create(a));
        QList<fee::Session> log;
        for (int day = -3; day < 50; ++day) {
            for (int from = random.bounded(1440); from < 1440 && random.bounded(3) != 0;) {
                const int to = std::min(1440, from + 1 + random.bounded(600));
                log.append({kBase.addDays(day), from, to, QString(), random.bounded(4) == 0});
                from = to + random.bounded(120);
            }
        }
        QVERIFY(r->addSessions(a.id, log).isEmpty());
    }
    for (const fee::Tariff tariff : {fee::Tariff::Decree2002, fee::Tariff::Ruling2025}) {
        const QList<ListRow> rows = value(r->list(tariff));
        QCOMPARE(rows.size(), 12);
        for (const ListRow &row : rows) {
            const Assignment a = value(r->assignment(row.id));
            QList<fee::Session> log;
            for (const StoredSession &s : value(r->sessions(row.id)))
                log.append(s.session);
            const fee::LogTotals totals = fee::logTotals(log, a.period);
            fee::Claim claim;
            claim.tariff = tariff;
            QCOMPARE(row.caseNumber, a.caseNumber);
            QCOMPARE(row.halves, totals.halves);
            // The vacazioni and each fee item, as the assignment alone computes them.
            fee::Cents fee = std::get<fee::Settlement>(fee::settle(totals.halves, claim)).fee;
            for (const FeeItem &item : a.feeItems)
                fee += value(feeItemAmount(item, a.period.appointment));
            QCOMPARE(row.fee, fee);
            QCOMPARE(row.lastDeadline, a.period.lastDeadline());
            QCOMPARE(row.requestDeadline,
                     fee::requestDeadline(fee::completionDate(a.reportFiled, log)));
        }
    }
}

void TestAssignments::invoiceKilled() {
    const QString path = fresh("killed.sqlite");
    const qint64 id = value(openRegister(path)->create(fullAssignment()));
    QProcess child;
    child.start(
        QCoreApplication::applicationFilePath(),
        {QStringLiteral("--invoices"), path, QString::number(id), QStringLiteral("100000")});
    QStringList reported;
    while (reported.size() < 20 && child.waitForReadyRead(30000))
        while (child.canReadLine())
            reported.append(QString::fromUtf8(child.readLine()).trimmed());
    child.kill();
    child.waitForFinished(30000);
    QVERIFY(reported.size() >= 20);
    // Every invoice kept has its number and its file; the numbers run on with no gap, and the
    // one the kill caught is there whole or not at all.
    const QList<Invoice> kept = value(openRegister(path)->invoices(id));
    QVERIFY(kept.size() >= reported.size());
    for (qsizetype i = 0; i < kept.size(); ++i) {
        QCOMPARE(kept[i].number, int(i + 1));
        QCOMPARE(kept[i].xml, QByteArray::number(i + 1));
    }
}
