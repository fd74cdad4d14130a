#include "register.h"

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace assignments;

namespace {

const QDate kBase(2025, 1, 7);

// One hour in one of twenty slots a day, day after day: never two sessions overlap.
fee::Session nthSession(qint64 n) {
    const int slot = int(n % 20) * 60;
    return {kBase.addDays(n / 20), slot, slot + 60, QStringLiteral("Sopralluogo e rilievi"),
            n % 7 == 0};
}

std::unique_ptr<Register> openOrDie(const QString &path) {
    auto opened = Register::open(path);
    if (auto *error = std::get_if<QString>(&opened))
        qFatal("%s", qPrintable(*error));
    return std::move(std::get<std::unique_ptr<Register>>(opened));
}

// The listed register, built once and closed before the application ends.
struct Listed {
    QTemporaryDir dir;
    std::unique_ptr<Register> r;
};
std::unique_ptr<Listed> listed;

// Listing the register with every total: `range(0)` assignments of 100 sessions each.
void RegisterList(benchmark::State &state) {
    if (!listed) {
        listed = std::make_unique<Listed>();
        listed->r = openOrDie(listed->dir.filePath(QStringLiteral("incarichi.sqlite")));
        for (int64_t i = 0; i < state.range(0); ++i) {
            Assignment a;
            a.caseNumber = QStringLiteral("%1/2025").arg(i);
            a.period = {kBase, kBase.addDays(3), {kBase.addDays(4)}};
            const qint64 id = std::get<qint64>(listed->r->create(a));
            QList<fee::Session> log;
            for (int n = 0; n < 100; ++n)
                log.append(nthSession(n + i % 40));
            if (!listed->r->addSessions(id, log).isEmpty())
                qFatal("addSessions");
        }
    }
    const Register &r = *listed->r;
    for (auto _ : state) {
        auto rows = r.list(fee::Tariff::Decree2002);
        benchmark::DoNotOptimize(rows);
    }
}
BENCHMARK(RegisterList)->Arg(1000)->Unit(benchmark::kMillisecond);

// One session added: its checks, the insert, and a commit that reaches the disk.
void AddSession(benchmark::State &state) {
    QTemporaryDir dir;
    auto r = openOrDie(dir.filePath(QStringLiteral("incarichi.sqlite")));
    const qint64 id = std::get<qint64>(r->create(Assignment()));
    qint64 n = 0;
    for (auto _ : state) {
        auto added = r->addSession(id, nthSession(n++));
        benchmark::DoNotOptimize(added);
    }
}
BENCHMARK(AddSession)->Unit(benchmark::kMicrosecond);

// What AddSession cannot go below: one row inserted and committed on a file set up alike
// (write-ahead log, synchronous=FULL).
void BareSqliteInsert(benchmark::State &state) {
    QTemporaryDir dir;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "bare");
        db.setDatabaseName(dir.filePath(QStringLiteral("bare.sqlite")));
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
        db.open();
        QSqlQuery setup(db);
        for (const char *sql :
             {"PRAGMA journal_mode = WAL", "PRAGMA synchronous = FULL", "PRAGMA foreign_keys = ON",
              "CREATE TABLE session (id INTEGER PRIMARY KEY, assignment_id INTEGER NOT NULL, "
              "date TEXT NOT NULL, from_minute INTEGER NOT NULL, to_minute INTEGER NOT NULL, "
              "description TEXT NOT NULL DEFAULT '', udienza INTEGER NOT NULL DEFAULT 0)",
              "CREATE INDEX session_by_day ON session (assignment_id, date)"})
            setup.exec(QString::fromLatin1(sql));
        QSqlQuery begin(db), insert(db), commit(db);
        begin.prepare(QStringLiteral("BEGIN IMMEDIATE"));
        insert.prepare(
            QStringLiteral("INSERT INTO session (assignment_id, date, from_minute, "
                           "to_minute, description, udienza) VALUES (?, ?, ?, ?, ?, ?)"));
        commit.prepare(QStringLiteral("COMMIT"));
        qint64 n = 0;
        for (auto _ : state) {
            const fee::Session s = nthSession(n++);
            begin.exec();
            insert.addBindValue(1);
            insert.addBindValue(s.date.toString(Qt::ISODate));
            insert.addBindValue(s.from);
            insert.addBindValue(s.to);
            insert.addBindValue(s.description);
            insert.addBindValue(s.udienza ? 1 : 0);
            if (!insert.exec() || !commit.exec())
                qFatal("bare insert");
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("bare"));
}
BENCHMARK(BareSqliteInsert)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    listed.reset();
    return 0;
}
