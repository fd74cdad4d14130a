#include "calendarfile.h"
#include "register.h"
#include "support/programrun.h"
#include "support/rawquery.h"
#include "support/sampleassignments.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using assignments::Assignment;
using assignments::Register;
using testsupport::on;

namespace {

using testsupport::Run;

// The program with HOME and XDG_DATA_HOME in `home`, where its default register lives. Windows
// finds the user's data folder by a call of its own, not in the environment: there the same
// register is named first (a later --registro of the test still holds).
Run run(const QStringList &args, const QString &home) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home);
    env.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/data"));
    QStringList named;
#ifdef Q_OS_WIN
    named << QStringLiteral("--registro")
          << home + QStringLiteral("/data/Tolvemar/CalcoloCT/incarichi.sqlite");
#endif
    return testsupport::run(QStringLiteral(TOLVEMAR_REGISTRO), named + args, {}, env);
}

// Sets the expert's tax code and VAT number where the child reads its settings, or takes them
// away: the file under `home` on Linux, the user's registry on Windows.
bool expertSettings(const QString &home, bool set) {
#ifdef Q_OS_WIN
    Q_UNUSED(home);
    QSettings settings(QStringLiteral("HKEY_CURRENT_USER\\Software\\Tolvemar\\CalcoloCT"),
                       QSettings::NativeFormat);
    if (!set) {
        settings.remove(QStringLiteral("consulente"));
        return true;
    }
    settings.setValue(QStringLiteral("consulente/codice_fiscale"), "RSSMRA80A01H501U");
    settings.setValue(QStringLiteral("consulente/partita_iva"), "01234567897");
    settings.sync();
    return settings.status() == QSettings::NoError;
#else
    const QString path = home + QStringLiteral("/.config/Tolvemar/CalcoloCT.conf");
    if (!set)
        return QFile::remove(path);
    QFile file(path);
    return QDir().mkpath(QFileInfo(path).path()) && file.open(QIODevice::WriteOnly) &&
           file.write("[consulente]\ncodice_fiscale=RSSMRA80A01H501U\npartita_iva=01234567897\n") >
               0;
#endif
}

} // namespace

// tolvemar-registro as a user runs it, on a register made here.
class TestRegistro : public QObject {
    Q_OBJECT

    QTemporaryDir home;
    QString path; // the default register of the child, under home
    QList<qint64> ids;

    // As of 1 July 2026, unless the row says otherwise: the last --oggi holds.
    Run ask(const QStringList &args) {
        return run(QStringList{"--oggi", "2026-07-01"} + args, home.path());
    }

private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(home.isValid());
        path = home.filePath(QStringLiteral("data/Tolvemar/CalcoloCT/incarichi.sqlite"));
        auto opened = Register::open(path);
        QVERIFY(std::holds_alternative<std::unique_ptr<Register>>(opened));
        Register &reg = *std::get<std::unique_ptr<Register>>(opened);
        for (const Assignment &x : testsupport::sampleAssignments()) {
            auto id = reg.create(x);
            QVERIFY(std::holds_alternative<qint64>(id));
            ids.append(std::get<qint64>(id));
        }
    }

    void deadlines_data() {
        QTest::addColumn<QStringList>("args");
        // Per deadline: case, the court's town, kind, date, effective, notes.
        QTest::addColumn<QStringList>("expected");
        const QStringList all{
            "200/2026 Roma deposito 2026-07-10 2026-07-10 depositata in ritardo",
            "100/2026 Milano bozza 2026-08-10 2026-08-10 nel periodo di sospensione feriale (1-31 "
            "agosto)",
            "100/2026 Milano osservazioni 2026-09-15 2026-09-15 ",
            "100/2026 Milano deposito 2026-10-17 2026-10-19 scade di fatto il 19/10/2026",
            "200/2026 Roma istanza 2026-10-28 2026-10-28 "};
        QTest::newRow("all ahead") << QStringList{} << all;
        QTest::newRow("within 40 days, the last one included")
            << QStringList{"--entro", "40"} << all.mid(0, 2);
        QTest::newRow("within 39 days") << QStringList{"--entro", "39"} << all.mid(0, 1);
        QTest::newRow("the day itself")
            << QStringList{"--entro", "0", "--oggi", "2026-10-19"} << all.mid(3, 1);
        QTest::newRow("from the real end on, not the date")
            << QStringList{"--oggi", "2026-10-18"} << all.mid(3);
        QTest::newRow("none left") << QStringList{"--oggi", "2026-10-29"} << QStringList{};
    }

    void deadlines() {
        QFETCH(QStringList, args);
        QFETCH(QStringList, expected);
        const Run r = ask(QStringList{"scadenze", "--json"} + args);
        QCOMPARE(r.err, QByteArray());
        QCOMPARE(r.status, 0);
        QStringList got;
        for (const QJsonValue &d : QJsonDocument::fromJson(r.out).array()) {
            QStringList notes;
            for (const QJsonValue &n : d["notes"].toArray())
                notes.append(n.toString());
            got.append(QStringList{d["case"].toString(), d["court"].toString().section(u' ', 2),
                                   d["kind"].toString(), d["date"].toString(),
                                   d["effective"].toString(), notes.join(u';')}
                           .join(u' '));
        }
        QCOMPARE(got, expected);
    }

    void text_titles() {
        const QString text = QString::fromUtf8(ask({"scadenze", "--entro", "40"}).out);
        QCOMPARE(text, QStringLiteral("10/07/2026  Deposito della relazione — R.G. 200/2026, "
                                      "Tribunale di Roma (depositata in ritardo)\n"
                                      "10/08/2026  Invio della bozza alle parti — R.G. 100/2026, "
                                      "Tribunale di Milano (nel periodo di sospensione feriale "
                                      "(1-31 agosto))\n"));
    }

    void calendar() {
        const QString ics = home.filePath(QStringLiteral("scadenze.ics"));
        const Run r = ask({"calendario", ics});
        QCOMPARE(r.err, QByteArray());
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out, QByteArray());
        QFile file(ics);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray text = file.readAll();
        // The same events as tst_registermenu's export and tst_calendarfile's reading.
        QCOMPARE(text.count("BEGIN:VEVENT"), 5);
        const QString uid = assignments::calendarUid(path, ids[1], fee::DeadlineKind::Request);
        QVERIFY2(text.contains("UID:" + uid.toUtf8()), qPrintable(uid));
    }

    void credits() {
        const Run r = ask({"crediti", "--json"});
        QCOMPARE(r.status, 0);
        const QJsonArray list = QJsonDocument::fromJson(r.out).array();
        QCOMPARE(list.size(), 1);
        const QJsonObject c = list[0].toObject();
        QCOMPARE(c["case"].toString(), u"300/2025");
        QCOMPARE(c["decree"].toString(), u"2026-05-04");
        // 1.500,00 liquidated, 200,00 in advance, 400,00 and 350,50 paid.
        QCOMPARE((QList<qint64>{c["liquidated_cents"].toInteger(), c["advances_cents"].toInteger(),
                                c["paid_cents"].toInteger(), c["outstanding_cents"].toInteger()}),
                 (QList<qint64>{150000, 20000, 75050, 54950}));
        const QString text = QString::fromUtf8(ask({"crediti"}).out);
        for (const char *expected :
             {"300/2025", "549,50 €", "1.500,00 €", "750,50 €", "04/05/2026", "58 giorni"})
            QVERIFY2(text.contains(QString::fromUtf8(expected)), expected);
        // With the expert's details, ordinary regime and no fund: 1.500,00 + 22 % = 1.830,00 due,
        // 1.830,00 - 200,00 - 750,50 = 879,50 still to collect.
        QVERIFY(expertSettings(home.path(), true));
        const QJsonObject charged =
            QJsonDocument::fromJson(ask({"crediti", "--json"}).out).array()[0].toObject();
        QVERIFY(expertSettings(home.path(), false));
        QCOMPARE(charged["liquidated_cents"].toInteger(), 183000);
        QCOMPARE(charged["outstanding_cents"].toInteger(), 87950);
        QVERIFY(charged["charges_included"].toBool());
    }

    // A register written by other means, here through SQL, with the draft after the deadline:
    // each term is listed with the note.
    void termsOutOfOrder() {
        const QString other = home.filePath(QStringLiteral("disordine.sqlite"));
        QVERIFY(std::holds_alternative<std::unique_ptr<Register>>(Register::open(other)));
        testsupport::rawQuery(
            other, {QStringLiteral("INSERT INTO assignment (case_number, court, draft_date, "
                                   "deadline) VALUES ('400/2026', 'Tribunale di Napoli', "
                                   "'2026-11-20', '2026-11-10')")});
        QCOMPARE(QString::fromUtf8(ask({"scadenze", "--registro", other}).out),
                 QStringLiteral("10/11/2026  Deposito della relazione — R.G. 400/2026, Tribunale "
                                "di Napoli (date dei termini non in ordine)\n"
                                "20/11/2026  Invio della bozza alle parti — R.G. 400/2026, "
                                "Tribunale di Napoli (date dei termini non in ordine)\n"));
    }

    // Without a register: empty lists, and neither file nor folder made.
    void noRegister_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QByteArray>("out");
        QTest::newRow("deadlines") << QStringList{"scadenze"} << QByteArray("Nessuna scadenza.\n");
        QTest::newRow("deadlines json")
            << QStringList{"scadenze", "--json"} << QByteArray("[\n]\n");
        QTest::newRow("credits json") << QStringList{"crediti", "--json"} << QByteArray("[\n]\n");
        QTest::newRow("credits") << QStringList{"crediti"}
                                 << QByteArray("Nessun credito da incassare.\n");
    }

    void noRegister() {
        QFETCH(QStringList, args);
        QFETCH(QByteArray, out);
        QTemporaryDir empty;
        const Run r = run(args, empty.path());
        QCOMPARE(r.err, QByteArray());
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out, out);
        const Run other =
            run(args + QStringList{"--registro", empty.filePath("no/copia.sqlite")}, empty.path());
        QCOMPARE(other.out, out);
        QCOMPARE(QDir(empty.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList());
    }

    void unreadable() {
        const QString text = home.filePath(QStringLiteral("note.sqlite"));
        QFile file(text);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("Non è un registro.\n");
        file.close();
        for (const char *command : {"scadenze", "crediti", "calendario"}) {
            QStringList args{command, "--registro", text};
            if (args[0] == u"calendario")
                args.append(home.filePath("mai.ics"));
            const Run r = ask(args);
            QCOMPARE(r.status, 2);
            QCOMPARE(r.out, QByteArray());
            QVERIFY(!r.err.isEmpty());
        }
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("Non è un registro.\n"));
        QVERIFY(!QFile::exists(home.filePath("mai.ics")));
    }

    void refused_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("message");
        QTest::newRow("unknown option") << QStringList{"scadenze", "--xyz"} << "--xyz";
        QTest::newRow("no command") << QStringList{"--json"} << "Manca il comando";
        QTest::newRow("unknown command") << QStringList{"pagamenti"} << "pagamenti";
        QTest::newRow("no calendar file") << QStringList{"calendario"} << "FILE.ics";
        QTest::newRow("one word too many") << QStringList{"crediti", "altro"} << "altro";
        QTest::newRow("negative days") << QStringList{"scadenze", "--entro", "-1"} << "-1";
        QTest::newRow("days in words") << QStringList{"scadenze", "--entro", "sette"} << "sette";
        QTest::newRow("today in Italian")
            << QStringList{"scadenze", "--oggi", "01/07/2026"} << "01/07/2026";
        QTest::newRow("no such day") << QStringList{"scadenze", "--oggi", "2026-02-30"} << "--oggi";
    }

    void refused() {
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        const Run r = run(args, home.path());
        QCOMPARE(r.status, 2);
        QCOMPARE(r.out, QByteArray());
        QVERIFY2(QString::fromUtf8(r.err).contains(message), r.err.constData());
    }
};

QTEST_GUILESS_MAIN(TestRegistro)
#include "tst_registro.moc"
