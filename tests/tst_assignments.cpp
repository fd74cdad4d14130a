#include "register.h"
#include "registerprivate.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <sys/stat.h>

using namespace assignments;

namespace {

const QDate kBase(2025, 3, 3);

std::unique_ptr<Register> openRegister(const QString &path,
                                       Register::Mode mode = Register::Mode::ReadWrite) {
    auto opened = Register::open(path, mode);
    if (auto *error = std::get_if<QString>(&opened)) {
        qWarning().noquote() << *error;
        return nullptr;
    }
    return std::move(std::get<std::unique_ptr<Register>>(opened));
}

QString openError(const QString &path, Register::Mode mode = Register::Mode::ReadWrite) {
    auto opened = Register::open(path, mode);
    const QString *error = std::get_if<QString>(&opened);
    return error ? *error : QString();
}

template <typename T> T value(std::variant<T, QString> result) {
    if (const QString *error = std::get_if<QString>(&result))
        qFatal("%s", qPrintable(*error));
    return std::get<T>(std::move(result));
}

QByteArray hashOf(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

int modeOf(const QString &path) {
    struct stat status;
    return ::stat(QFile::encodeName(path).constData(), &status) == 0 ? status.st_mode & 0777 : -1;
}

// Raw SQL on the file through a connection of its own, as another program would.
QVariant rawQuery(const QString &path, const QStringList &statements) {
    QVariant last;
    {
        QSqlDatabase db =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("raw"));
        db.setDatabaseName(path);
        if (!db.open())
            qFatal("raw open");
        QSqlQuery query(db);
        for (const QString &sql : statements) {
            if (!query.exec(sql))
                qFatal("%s: %s", qPrintable(sql), qPrintable(query.lastError().text()));
            last = query.next() ? query.value(0) : QVariant();
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("raw"));
    return last;
}

// The session `index` of a child: one hour a day from `start` minutes, day after day.
fee::Session childSession(int index, int start) {
    return {kBase.addDays(index), start, start + 60, QStringLiteral("Sopralluogo %1").arg(index),
            false};
}

// Adds `count` sessions, printing "+id" after each commit, "-" for each overlap refused, and
// "!message" for anything else.
int runChild(const QStringList &args) {
    auto r = openRegister(args.value(2));
    if (!r)
        return 2;
    const qint64 assignment = args.value(3).toLongLong();
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

QProcess *startChild(QObject *parent, const QString &path, qint64 assignment, int count,
                     int start) {
    auto *process = new QProcess(parent);
    process->start(QCoreApplication::applicationFilePath(),
                   {QStringLiteral("--child"), path, QString::number(assignment),
                    QString::number(count), QString::number(start)});
    return process;
}

QStringList linesOf(QProcess *process) {
    return QString::fromUtf8(process->readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
}

Assignment fullAssignment() {
    Assignment a;
    a.court = QStringLiteral("Tribunale di Forlì");
    a.caseNumber = QStringLiteral("R.G. 1234/2025");
    a.judge = QStringLiteral("dott.ssa D'Annunzio \"Lia\"");
    a.subject = QStringLiteral("Stima dell'immobile; perizia à la carte");
    a.period = {QDate(2025, 2, 10), QDate(2025, 5, 10), {QDate(2025, 7, 10), QDate(2025, 6, 1)}};
    a.reportFiled = QDate(2025, 6, 20);
    a.panel = 3;
    a.urgencyPercent = 50;
    a.increasePercent = 20;
    a.advances = 123456;
    a.expenses = {{QStringLiteral("Viaggio a Cesena"), 4550}, {QStringLiteral("Copie"), 1}};
    a.note = QStringLiteral("Prima riga\nseconda riga con ' e \" e €");
    return a;
}

} // namespace

class TestAssignments : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir;
    QString fresh(const char *name) const { return dir.filePath(QString::fromLatin1(name)); }

private slots:
    void roundTrip();
    void migrationFromVersion1();
    void faults_data();
    void faults();
    void fullDisk();
    void modes();
    void readOnly();
    void backup();
    void killedChildKeepsCommits();
    void twoProcesses();
    void listMatchesLog();
};

void TestAssignments::roundTrip() {
    auto r = openRegister(fresh("roundtrip.sqlite"));
    QVERIFY(r);
    Assignment a = fullAssignment();
    a.id = value(r->create(a));
    QCOMPARE(value(r->assignment(a.id)), a);

    const QList<fee::Session> log = {
        {QDate(2025, 3, 4), 22 * 60, 1440, QStringLiteral("Notte: «verifica» dell'impianto"),
         false},
        {QDate(2025, 3, 4), 9 * 60, 11 * 60 + 15, QStringLiteral("Udienza \"di giuramento\""),
         true},
        {QDate(2025, 3, 5), 0, 30, QString(), false},
    };
    QVERIFY(r->addSessions(a.id, log).isEmpty());
    QList<StoredSession> stored = value(r->sessions(a.id));
    QCOMPARE(stored.size(), 3);
    QCOMPARE(stored[0].session, log[1]);
    QCOMPARE(stored[1].session, log[0]);
    QCOMPARE(stored[2].session, log[2]);

    a.period.extensions.clear();
    a.expenses.removeFirst();
    a.reportFiled = QDate();
    a.note.clear();
    QCOMPARE(r->update(a), QString());
    r.reset();
    r = openRegister(fresh("roundtrip.sqlite"));
    QCOMPARE(value(r->assignment(a.id)), a);

    fee::Session moved = log[2];
    moved.to = 9 * 60 + 1;
    moved.date = log[1].date;
    QCOMPARE(r->updateSession(stored[2].id, moved),
             fee::overlapMessage(moved, log[1])); // refused: nothing changed
    moved.to = 9 * 60;
    QCOMPARE(r->updateSession(stored[2].id, moved), QString());
    QVERIFY(r->removeSession(stored[0].id).isEmpty());
    stored = value(r->sessions(a.id));
    QCOMPARE(stored.size(), 2);
    QCOMPARE(stored[0].session, moved);

    QVERIFY(r->remove(a.id).isEmpty());
    QCOMPARE(std::get<QString>(r->sessions(a.id)),
             QStringLiteral("L'incarico non è più nel registro."));
    QCOMPARE(rawQuery(r->path(), {QStringLiteral("SELECT count(*) FROM session")}).toInt(), 0);
}

void TestAssignments::migrationFromVersion1() {
    const QString path = fresh("version1.sqlite");
    rawQuery(path,
             {QStringLiteral("CREATE TABLE assignment (id INTEGER PRIMARY KEY, court TEXT NOT NULL "
                             "DEFAULT '', case_number TEXT NOT NULL DEFAULT '', judge TEXT NOT "
                             "NULL DEFAULT '', subject TEXT NOT NULL DEFAULT '', appointment TEXT, "
                             "deadline TEXT, extensions TEXT NOT NULL DEFAULT '', report_filed "
                             "TEXT, panel INTEGER NOT NULL DEFAULT 1, urgency_percent INTEGER NOT "
                             "NULL DEFAULT 0, increase_percent INTEGER NOT NULL DEFAULT 0, "
                             "expenses_cents INTEGER NOT NULL DEFAULT 0, advances_cents INTEGER "
                             "NOT NULL DEFAULT 0, note TEXT NOT NULL DEFAULT '')"),
              QStringLiteral("CREATE TABLE session (id INTEGER PRIMARY KEY, assignment_id INTEGER "
                             "NOT NULL REFERENCES assignment(id) ON DELETE CASCADE, date TEXT NOT "
                             "NULL, from_minute INTEGER NOT NULL, to_minute INTEGER NOT NULL, "
                             "description TEXT NOT NULL DEFAULT '')"),
              QStringLiteral("INSERT INTO assignment VALUES (7, 'Corte d''Appello', '88/2024', "
                             "'Rossi', 'Danni', '2024-01-15', '2024-03-15', '2024-05-15 "
                             "2024-04-15', NULL, 2, 100, 0, 9900, 5000, 'nota')"),
              QStringLiteral("INSERT INTO assignment (id, case_number) VALUES (8, '1/2023')"),
              QStringLiteral("INSERT INTO session VALUES (1, 7, '2024-02-01', 540, 660, 'Visita')"),
              QStringLiteral("INSERT INTO session VALUES (2, 7, '2024-02-02', 0, 1440, 'Studio')"),
              QStringLiteral("PRAGMA user_version = 1")});
    auto r = openRegister(path);
    QVERIFY(r);
    Assignment expected;
    expected.id = 7;
    expected.court = QStringLiteral("Corte d'Appello");
    expected.caseNumber = QStringLiteral("88/2024");
    expected.judge = QStringLiteral("Rossi");
    expected.subject = QStringLiteral("Danni");
    expected.period = {
        QDate(2024, 1, 15), QDate(2024, 3, 15), {QDate(2024, 5, 15), QDate(2024, 4, 15)}};
    expected.panel = 2;
    expected.urgencyPercent = 100;
    expected.advances = 5000;
    expected.expenses = {{QStringLiteral("Spese"), 9900}};
    expected.note = QStringLiteral("nota");
    QCOMPARE(value(r->assignment(7)), expected);
    QCOMPARE(value(r->assignment(8)).caseNumber, QStringLiteral("1/2023"));
    QCOMPARE(value(r->assignment(8)).expenses, QList<Expense>());
    const QList<StoredSession> sessions = value(r->sessions(7));
    QCOMPARE(sessions.size(), 2);
    QCOMPARE(sessions[0], (StoredSession{1, {QDate(2024, 2, 1), 540, 660, "Visita", false}}));
    QCOMPARE(sessions[1], (StoredSession{2, {QDate(2024, 2, 2), 0, 1440, "Studio", false}}));
    r.reset();
    QCOMPARE(rawQuery(path, {QStringLiteral("PRAGMA user_version")}).toInt(), 2);
}

void TestAssignments::faults_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");
    QTest::newRow("text") << "text.sqlite"
                          << "non è un registro degli incarichi";
    QTest::newRow("other database") << "other.sqlite"
                                    << "non è un registro degli incarichi";
    QTest::newRow("damaged") << "damaged.sqlite"
                             << "è danneggiato e non è stato modificato";
    QTest::newRow("newer") << "newer.sqlite"
                           << "Il registro è stato scritto da una versione più recente del "
                              "programma";
    QTest::newRow("folder") << "plain-file/registro/incarichi.sqlite"
                            << "Non è possibile creare la cartella del registro";
}

void TestAssignments::faults() {
    QFETCH(QString, name);
    QFETCH(QString, message);
    const QString path = dir.filePath(name);
    QString watched = path; // the file whose bytes must not change
    if (name == QLatin1String("text.sqlite")) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray("Elenco degli incarichi, scritto a mano.\n").repeated(200));
    } else if (name == QLatin1String("other.sqlite")) {
        rawQuery(path, {QStringLiteral("CREATE TABLE rubrica (nome TEXT)")});
    } else if (name == QLatin1String("damaged.sqlite")) {
        auto r = openRegister(path);
        const qint64 id = value(r->create(fullAssignment()));
        QList<fee::Session> log;
        for (int i = 0; i < 400; ++i)
            log.append(childSession(i, 600));
        QVERIFY(r->addSessions(id, log).isEmpty());
        r.reset();
        // Every page but the first, where the header and the list of tables live, loses its
        // own header.
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QByteArray bytes = file.readAll();
        const int pageSize = (uchar(bytes[16]) << 8) | uchar(bytes[17]);
        for (qsizetype page = pageSize; page < bytes.size(); page += pageSize)
            bytes.replace(page, 8, QByteArray(8, '\x7f'));
        QVERIFY(file.seek(0));
        QCOMPARE(file.write(bytes), bytes.size());
    } else if (name == QLatin1String("newer.sqlite")) {
        QVERIFY(openRegister(path));
        rawQuery(path, {QStringLiteral("PRAGMA user_version = 3")});
    } else {
        watched = dir.filePath(QStringLiteral("plain-file"));
        QFile file(watched);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("Non una cartella.");
    }
    const QByteArray before = hashOf(watched);
    QVERIFY(!before.isEmpty());
    QVERIFY2(openError(path).contains(message), qPrintable(openError(path)));
    QCOMPARE(hashOf(watched), before);
    if (!name.contains(u'/'))
        QVERIFY(openError(path, Register::Mode::ReadOnly).contains(message));
    QCOMPARE(hashOf(watched), before);
}

void TestAssignments::fullDisk() {
    auto r = openRegister(fresh("full.sqlite"));
    const qint64 id = value(r->create(fullAssignment()));
    QVERIFY(r->addSessions(id, {childSession(0, 0), childSession(1, 0)}).isEmpty());
    const QList<StoredSession> before = value(r->sessions(id));
    QVERIFY(limitPages(*r, 1)); // no larger than it is now
    QList<fee::Session> many;
    for (int i = 10; i < 2000; ++i) {
        many.append(childSession(i, 0));
        many.last().description = QString(200, u'x');
    }
    QCOMPARE(r->addSessions(id, many), QStringLiteral("Il disco è pieno: la modifica non è stata "
                                                      "salvata."));
    QCOMPARE(value(r->sessions(id)), before);
    r.reset();
    r = openRegister(fresh("full.sqlite"));
    QCOMPARE(value(r->sessions(id)), before);
    QVERIFY(r->addSessions(id, many).isEmpty()); // room again once the disk has some
}

void TestAssignments::modes() {
    QStandardPaths::setTestModeEnabled(true);
    const QString path = Register::defaultPath();
    QVERIFY(path.endsWith(QLatin1String("/Tolvemar/CalcoloCT/incarichi.sqlite")));
    const QString folder = QFileInfo(path).absolutePath();
    QDir(folder).removeRecursively();
    QVERIFY(openRegister(path));
    QCOMPARE(modeOf(path), 0600);
    QCOMPARE(modeOf(folder), 0700);
    QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                            QFile::ReadOther));
    QCOMPARE(modeOf(path), 0644);
    QVERIFY(openRegister(path));
    QCOMPARE(modeOf(path), 0600);
    QDir(folder).removeRecursively();
}

void TestAssignments::readOnly() {
    const QString missing = dir.filePath(QStringLiteral("absent/incarichi.sqlite"));
    QVERIFY(openError(missing, Register::Mode::ReadOnly).contains(QLatin1String("non esiste")));
    QVERIFY(!QFileInfo::exists(QFileInfo(missing).absolutePath()));

    const QString path = fresh("readonly.sqlite");
    const qint64 id = value(openRegister(path)->create(fullAssignment()));
    auto reader = openRegister(path, Register::Mode::ReadOnly);
    auto writer = openRegister(path);
    QVERIFY(reader && writer);
    QVERIFY(writer->addSession(id, childSession(0, 60)).index() == 0);
    QCOMPARE(value(reader->sessions(id)).size(), 1); // a change made elsewhere is seen
    QCOMPARE(std::get<QString>(reader->create(fullAssignment())),
             QStringLiteral("Il registro è aperto in sola lettura."));
    QCOMPARE(reader->removeSession(1), QStringLiteral("Il registro è aperto in sola lettura."));
}

void TestAssignments::backup() {
    const QString path = fresh("original.sqlite"), copy = fresh("copia.sqlite");
    auto r = openRegister(path);
    const qint64 id = value(r->create(fullAssignment()));
    QVERIFY(r->addSessions(id, {childSession(0, 60), childSession(3, 60)}).isEmpty());
    QFile old(copy);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("una copia più vecchia");
    old.close();
    QCOMPARE(r->backup(copy), QString());
    QVERIFY(r->backup(path).contains(QStringLiteral("non può prendere il posto")));
    QCOMPARE(rawQuery(copy, {QStringLiteral("PRAGMA integrity_check")}).toString(), "ok");
    auto restored = openRegister(copy);
    QVERIFY(restored);
    QCOMPARE(value(restored->assignment(id)), value(r->assignment(id)));
    QCOMPARE(value(restored->sessions(id)), value(r->sessions(id)));
    QCOMPARE(modeOf(copy), 0600);
    QCOMPARE(QDir(dir.path())
                 .entryList({QStringLiteral(".incarichi-copia-*")}, QDir::Hidden | QDir::Files),
             QStringList());
}

void TestAssignments::killedChildKeepsCommits() {
    const QString path = fresh("killed.sqlite");
    const qint64 id = value(openRegister(path)->create(fullAssignment()));
    constexpr int reported = 25;
    QProcess *child = startChild(this, path, id, 100000, 8 * 60);
    QStringList lines;
    while (lines.size() < reported && child->waitForReadyRead(30000)) {
        while (child->canReadLine())
            lines.append(QString::fromUtf8(child->readLine()).trimmed());
    }
    child->kill(); // SIGKILL, at once, whatever it was doing
    QVERIFY(child->waitForFinished(30000));
    QVERIFY(lines.size() >= reported);

    const QList<StoredSession> stored = value(openRegister(path)->sessions(id));
    QVERIFY(stored.size() >= lines.size());
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QVERIFY2(lines[i].startsWith(u'+'), qPrintable(lines[i]));
        QCOMPARE(stored[i].id, lines[i].mid(1).toLongLong());
        QCOMPARE(stored[i].session, childSession(int(i), 8 * 60));
    }
}

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
            QCOMPARE(row.fee, std::get<fee::Settlement>(fee::settle(totals.halves, claim)).fee);
            QCOMPARE(row.lastDeadline, a.period.lastDeadline());
            QCOMPARE(row.requestDeadline,
                     fee::requestDeadline(fee::completionDate(a.reportFiled, log)));
        }
    }
}

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Tolvemar"));
    QCoreApplication::setApplicationName(QStringLiteral("CalcoloCT"));
    // The same executable plays the other processes that share the register.
    if (argc > 1 && qstrcmp(argv[1], "--child") == 0)
        return runChild(app.arguments());
    TestAssignments test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_assignments.moc"
