#include "tst_assignments.h"

#include "registerprivate.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>

#include <optional>

#include <sys/stat.h>

using namespace registertest;

std::unique_ptr<Register> registertest::openRegister(const QString &path, Register::Mode mode) {
    auto opened = Register::open(path, mode);
    if (auto *error = std::get_if<QString>(&opened)) {
        qWarning().noquote() << *error;
        return nullptr;
    }
    return std::move(std::get<std::unique_ptr<Register>>(opened));
}

fee::Session registertest::childSession(int index, int start) {
    return {kBase.addDays(index), start, start + 60, QStringLiteral("Sopralluogo %1").arg(index),
            false};
}

Assignment registertest::fullAssignment() {
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
    a.feeItems = {{"4", 250000000, 90000000, FeeReduction::None, FeeAsked::Maximum, 0, "Bilancio"},
                  {"13", 1, 0, FeeReduction::NonCommerciale, FeeAsked::Amount, 99, QString()},
                  {"6.1", 35000000, 0, FeeReduction::Sommaria, FeeAsked::Minimum, 0,
                   "Stima dell'immobile in via «Roma»"}};
    a.tableUrgencyPercent = 20;
    a.draftToParties = {QDate(2025, 5, 1), {QDate(2025, 5, 20), QDate(2025, 5, 15)}};
    a.partiesObservations = {QDate(), {QDate(2025, 6, 5)}};
    a.decree = QDate(2025, 7, 1);
    a.liquidated = 987654;
    a.decreeExpenses = 5000;
    a.decreeAdvanced = 15000;
    a.parties = {{"Rossi S.p.A.",
                  3333,
                  false,
                  "01234567897",
                  {"Via Roma 1", "13900", "Biella", "BI"},
                  "ABC1234",
                  true},
                 {"Bianchi", 3333, true},
                 {"Verdi", 3334, false, "RSSMRA80A01H501U", {}, "verdi@pec.it", false}};
    a.payments = {{QDate(2025, 7, 9), "Bianchi", 12345, "bonifico"},
                  {QDate(2025, 7, 2), "Assicurazione terza", 1, QString()}};
    return a;
}

QByteArray registertest::hashOf(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

namespace {

QString openError(const QString &path, Register::Mode mode = Register::Mode::ReadWrite) {
    auto opened = Register::open(path, mode);
    const QString *error = std::get_if<QString>(&opened);
    return error ? *error : QString();
}

// The file's POSIX mode; none on Windows, where the user's profile keeps the register private.
std::optional<int> modeOf(const QString &path) {
#ifdef Q_OS_WIN
    Q_UNUSED(path);
    return std::nullopt;
#else
    struct stat status;
    return ::stat(QFile::encodeName(path).constData(), &status) == 0 ? status.st_mode & 0777 : -1;
#endif
}

#ifndef Q_OS_WIN
// An XDG folder: an empty variable counts as unset, as the XDG rules and Qt count it.
QString xdgFolder(const char *variable, const QString &inHome) {
    const QString value = qEnvironmentVariable(variable);
    return value.isEmpty() ? QDir::homePath() + inHome : value;
}
#endif

// Where each system keeps a user's data and settings, as its users and their backups expect.
QString expectedRegister() {
#ifdef Q_OS_WIN
    return QDir::fromNativeSeparators(qEnvironmentVariable("APPDATA")) +
           QStringLiteral("/Tolvemar/CalcoloCT/incarichi.sqlite");
#else
    return xdgFolder("XDG_DATA_HOME", QStringLiteral("/.local/share")) +
           QStringLiteral("/Tolvemar/CalcoloCT/incarichi.sqlite");
#endif
}

QString expectedSettings() {
#ifdef Q_OS_WIN
    return QStringLiteral("\\HKEY_CURRENT_USER\\Software\\Tolvemar\\CalcoloCT");
#else
    return xdgFolder("XDG_CONFIG_HOME", QStringLiteral("/.config")) +
           QStringLiteral("/Tolvemar/CalcoloCT.conf");
#endif
}

// Sets a variable, or unsets it for a null value.
void setVariable(const char *name, const QByteArray &value) {
    if (value.isNull())
        qunsetenv(name);
    else
        qputenv(name, value);
}

} // namespace

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

    a.period.extensions.removeFirst(); // the filing on 01/06, still after the draft
    a.expenses.removeFirst();
    a.feeItems.removeAt(1);
    a.draftToParties.extensions.removeFirst();
    a.partiesObservations = {};
    a.parties = {{"Bianchi", 0, true}};
    a.payments.removeLast();
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
        rawQuery(path, {QStringLiteral("PRAGMA user_version = %1").arg(kSchemaVersion + 1)});
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

void TestAssignments::places() {
    QStandardPaths::setTestModeEnabled(false);
    const QString path = Register::defaultPath(), settings = QSettings().fileName();
    QStandardPaths::setTestModeEnabled(true);
    QCOMPARE(path, expectedRegister());
    QCOMPARE(settings, expectedSettings());
}

// On Windows the register lies in the roaming profile whatever HOME and the XDG variables say:
// Windows programs do not read them, and a register that moved with them would be lost.
void TestAssignments::placeByEnvironment_data() {
    QTest::addColumn<QByteArray>("home");
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("elsewhere");
    const QString inHome = QStringLiteral("/home/perito/.local/share/Tolvemar/CalcoloCT/"
                                          "incarichi.sqlite");
    QTest::newRow("XDG_DATA_HOME unset") << QByteArray("/home/perito") << QByteArray() << inHome;
    QTest::newRow("XDG_DATA_HOME empty") << QByteArray("/home/perito") << QByteArray("") << inHome;
    QTest::newRow("XDG_DATA_HOME set")
        << QByteArray("/home/perito") << QByteArray("/srv/dati")
        << QStringLiteral("/srv/dati/Tolvemar/CalcoloCT/incarichi.sqlite");
    QTest::newRow("HOME elsewhere")
        << QByteArray("/var/lib/altro") << QByteArray("")
        << QStringLiteral("/var/lib/altro/.local/share/Tolvemar/CalcoloCT/incarichi.sqlite");
}

void TestAssignments::placeByEnvironment() {
    QFETCH(QByteArray, home);
    QFETCH(QByteArray, data);
    QFETCH(QString, elsewhere);
#ifdef Q_OS_WIN
    const QString expected = expectedRegister();
    Q_UNUSED(elsewhere);
#else
    const QString expected = elsewhere;
#endif
    QStandardPaths::setTestModeEnabled(false);
    const auto testMode = qScopeGuard([] { QStandardPaths::setTestModeEnabled(true); });
    const QByteArray realHome = qgetenv("HOME");
    const QByteArray realData =
        qEnvironmentVariableIsSet("XDG_DATA_HOME") ? qgetenv("XDG_DATA_HOME") : QByteArray();
    setVariable("HOME", home);
    setVariable("XDG_DATA_HOME", data);
    const auto restore = qScopeGuard([&] {
        setVariable("HOME", realHome);
        setVariable("XDG_DATA_HOME", realData);
    });
    QCOMPARE(Register::defaultPath(), expected);
}

void TestAssignments::modes() {
    QStandardPaths::setTestModeEnabled(true);
    if (!modeOf(Register::defaultPath()))
        QSKIP("Windows has no POSIX modes: the register is private in the user's profile");
    const QString path = Register::defaultPath();
    QVERIFY(path.endsWith(QLatin1String("/Tolvemar/CalcoloCT/incarichi.sqlite")));
    const QString folder = QFileInfo(path).absolutePath();
    QDir(folder).removeRecursively();
    QVERIFY(openRegister(path));
    QCOMPARE(*modeOf(path), 0600);
    QCOMPARE(*modeOf(folder), 0700);
    QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                            QFile::ReadOther));
    QCOMPARE(*modeOf(path), 0644);
    QVERIFY(openRegister(path));
    QCOMPARE(*modeOf(path), 0600);
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
    QCOMPARE(modeOf(copy).value_or(0600), 0600);
    QCOMPARE(QDir(dir.path())
                 .entryList({QStringLiteral(".incarichi-copia-*")}, QDir::Hidden | QDir::Files),
             QStringList());
}

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Tolvemar"));
    QCoreApplication::setApplicationName(QStringLiteral("CalcoloCT"));
    // The same executable plays the other processes that share the register.
    if (argc > 1 && (qstrcmp(argv[1], "--child") == 0 || qstrcmp(argv[1], "--invoices") == 0)) {
        QStandardPaths::setTestModeEnabled(true);
        return runChild(app.arguments());
    }
    // The data folder in test mode lies under HOME: one of this run's own, so that no other
    // test running meanwhile moves or removes the registers put there.
    const QTemporaryDir home;
    qputenv("HOME", QFile::encodeName(home.path()));
    TestAssignments test;
    return QTest::qExec(&test, argc, argv);
}
