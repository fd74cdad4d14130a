#include "support/programrun.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QByteArray header = "Data;Dalle;Alle;Descrizione;In udienza\r\n";

// A sampler of the rules, one session a line from line 2: 75 minutes are half a vacazione, 76 a
// whole one, 10 ordinary hours are capped at 4 vacazioni, a day of 5 hours in udienza (2,5) and 3
// ordinary ones (1,5), and a session on 20 March.
const QByteArray sampler = header + "03/03/2025;09:00;10:15;Sopralluogo;no\r\n"
                                    "04/03/2025;09:00;10:16;Esame degli atti;no\r\n"
                                    "05/03/2025;08:00;18:00;Studio;no\r\n"
                                    "06/03/2025;09:00;14:00;Udienza;sì\r\n"
                                    "06/03/2025;15:00;18:00;\"Relazione; bozza\";no\r\n"
                                    "20/03/2025;09:00;10:00;Integrazione;no\r\n";

using testsupport::Run;

Run run(const QStringList &args, const QByteArray &input = {}) {
    return testsupport::run(QStringLiteral(TOLVEMAR_LOG), args, input);
}

QStringList sortedKeys(const QJsonObject &object) {
    QStringList keys = object.keys();
    keys.sort();
    return keys;
}

} // namespace

class TestConsole : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    QString saved(const QByteArray &bytes) {
        static int count = 0;
        const QString path = m_dir.filePath(QStringLiteral("log%1.csv").arg(++count));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            return {};
        return path;
    }

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy)); }

    void json_data() {
        QTest::addColumn<QByteArray>("log");
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<int>("halves");
        QTest::addColumn<int>("udienza");
        QTest::addColumn<QString>("days");        // date:halves, "*" when capped
        QTest::addColumn<QString>("notCounted");  // line:reason
        QTest::addColumn<QList<qint64>>("cents"); // fee, urgency, increase, panel, total

        const QString days = "2025-03-03:1 2025-03-04:2 2025-03-05:8* 2025-03-06:8";
        // 2025: 9,5 vacazioni at 14,68 €; 20 % is 27,892 €; the panel 80 % of 237,08 €.
        QTest::newRow("2025, deadline, every increase")
            << sampler
            << QStringList{"--tariffa",       "2025",       "--conferimento", "01/03/2025",
                           "--termine",       "15/03/2025", "--urgenza",      "50",
                           "--maggiorazione", "20",         "--collegio",     "3"}
            << 19 << 5 << days << "7:oltre il termine"
            << QList<qint64>{13946, 6973, 2789, 18966, 42674};
        QTest::newRow("no dates") << sampler << QStringList{} << 20 << 5 << days + " 2025-03-20:1"
                                  << "" << QList<qint64>{8803, 0, 0, 0, 8803};
        QTest::newRow("before the appointment")
            << sampler << QStringList{"--conferimento", "04/03/2025"} << 19 << 5
            << "2025-03-04:2 2025-03-05:8* 2025-03-06:8 2025-03-20:1"
            << "2:prima del conferimento" << QList<qint64>{8396, 0, 0, 0, 8396};
        QTest::newRow("empty log") << header << QStringList{"--tariffa", "2002"} << 0 << 0 << ""
                                   << "" << QList<qint64>{0, 0, 0, 0, 0};
    }

    void json() {
        QFETCH(QByteArray, log);
        QFETCH(QStringList, options);
        QFETCH(int, halves);
        QFETCH(int, udienza);
        QFETCH(QString, days);
        QFETCH(QString, notCounted);
        QFETCH(QList<qint64>, cents);

        const Run r = run(options + QStringList{"--json", saved(log)});
        QCOMPARE(run(options + QStringList{"--json", "-"}, log).out, r.out); // standard input
        QCOMPARE(r.err, QByteArray());
        QCOMPARE(r.status, 0);
        QJsonParseError error;
        const QJsonDocument document = QJsonDocument::fromJson(r.out, &error);
        QCOMPARE(error.error, QJsonParseError::NoError);
        const QJsonObject root = document.object();
        QCOMPARE(sortedKeys(root),
                 QStringList({"days", "fee_cents", "half_vacazioni", "half_vacazioni_udienza",
                              "increase_cents", "not_counted", "panel_cents", "total_cents",
                              "urgency_cents"}));
        QCOMPARE(root["half_vacazioni"].toInteger(-1), halves);
        QCOMPARE(root["half_vacazioni_udienza"].toInteger(-1), udienza);
        QStringList dayTexts;
        for (const QJsonValue &day : root["days"].toArray()) {
            const QJsonObject d = day.toObject();
            QCOMPARE(sortedKeys(d), QStringList({"capped", "date", "half_vacazioni"}));
            dayTexts << d["date"].toString() + u':' +
                            QString::number(d["half_vacazioni"].toInteger(-1)) +
                            (d["capped"].toBool() ? "*" : "");
        }
        QCOMPARE(dayTexts.join(u' '), days);
        QStringList left;
        for (const QJsonValue &entry : root["not_counted"].toArray()) {
            const QJsonObject e = entry.toObject();
            QCOMPARE(sortedKeys(e), QStringList({"line", "reason"}));
            left << QString::number(e["line"].toInteger(-1)) + u':' + e["reason"].toString();
        }
        QCOMPARE(left.join(u' '), notCounted);
        const QList<qint64> amounts = {
            root["fee_cents"].toInteger(-1), root["urgency_cents"].toInteger(-1),
            root["increase_cents"].toInteger(-1), root["panel_cents"].toInteger(-1),
            root["total_cents"].toInteger(-1)};
        QCOMPARE(amounts, cents);
    }

    void text() {
        const Run r = run({"--termine", "15/03/2025", "--collegio", "2", saved(sampler)});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.err, QByteArray());
        const QStringList lines = QString::fromUtf8(r.out).split(u'\n');
        const auto line = [&lines](const QString &start) {
            for (const QString &l : lines) {
                if (l.startsWith(start))
                    return l.simplified();
            }
            return QString();
        };
        QCOMPARE(line("03/03/2025"), "03/03/2025 1:15 0,5");
        QCOMPARE(line("05/03/2025"), "05/03/2025 10:00 4 limite di 4 vacazioni al giorno");
        QVERIFY2(line("06/03/2025").startsWith("06/03/2025 8:00 4 "), qPrintable(r.out));
        QVERIFY2(line("06/03/2025").contains("2,5"), qPrintable(r.out));
        QCOMPARE(line("  riga 7"), "riga 7, 20/03/2025: oltre il termine");
        QCOMPARE(line("Vacazioni:"), "Vacazioni: 9,5, di cui in udienza 2,5");
        QCOMPARE(line("Onorario"), "Onorario: 83,96 €");
        QCOMPARE(line("Collegio"), "Collegio (componenti: 2): 33,58 €");
        QCOMPARE(line("Totale"), "Totale: 117,54 €");
        // The last session's day, 20 March, even if left out; 100 days on, a Saturday.
        QCOMPARE(line("Istanza"),
                 "Istanza di liquidazione entro il 28/06/2025 (art. 71 DPR 115/2002)");
    }

    void badFile_data() {
        QTest::addColumn<QByteArray>("log");
        QTest::addColumn<QString>("names");
        // The file's rules are tst_worklogcsv's: here, that a file's fault ends the run.
        const QByteArray two = header + "01/03/2025;09:00;10:00;a;no\r\n"
                                        "02/03/2025;09:00;10:00;b;no\r\n";
        QTest::newRow("time") << two + "03/03/2025;09:00;25:00;c;no\r\n"
                              << "Riga 4, campo «Alle»: «25:00» non è un orario (hh:mm).";
        QTest::newRow("overlap") << two + "01/03/2025;09:59;11:00;c;no\r\n"
                                 << "Righe 2 e 4";
    }

    void badFile() {
        QFETCH(QByteArray, log);
        QFETCH(QString, names);
        for (const bool piped : {false, true}) {
            const Run r = piped ? run({"--json", "-"}, log) : run({"--json", saved(log)});
            QCOMPARE(r.status, 2);
            QCOMPARE(r.out, QByteArray());
            QVERIFY2(QString::fromUtf8(r.err).contains(names), r.err.constData());
        }
    }

    void badOption_data() {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("names");

        const QStringList fourteenDays = {"--conferimento", "01/03/2025", "--termine",
                                          "15/03/2025"};
        QTest::newRow("urgency beyond 50")
            << fourteenDays + QStringList{"--urgenza", "60"} << "50 %";
        QTest::newRow("urgency without dates") << QStringList{"--urgenza", "1"} << "0 %";
        QTest::newRow("tariff 1999") << QStringList{"--tariffa", "1999"} << "1999";
        QTest::newRow("panel 0") << QStringList{"--collegio", "0"} << "--collegio 0";
        QTest::newRow("increase 101") << QStringList{"--maggiorazione", "101"} << "101";
        QTest::newRow("date d/M") << QStringList{"--conferimento", "1/3/2025"} << "1/3/2025";
        QTest::newRow("deadline before appointment")
            << QStringList{"--conferimento", "15/03/2025", "--termine", "10/03/2025"}
            << "10/03/2025";
        QTest::newRow("unknown") << QStringList{"--urgente", "5"} << "--urgente";
        QTest::newRow("value missing") << QStringList{"--termine"} << "--termine";
        QTest::newRow("no file") << QStringList{} << "";
        QTest::newRow("missing file") << QStringList{"/nonexistent/registro.csv"} << "";
        QTest::newRow("a folder") << QStringList{"/"} << "";
    }

    void badOption() {
        QFETCH(QStringList, options);
        QFETCH(QString, names);
        // After the sampler, unless the row is about the file itself: none, or a path.
        const Run r = run(options.isEmpty() || options[0].startsWith(u'/')
                              ? options
                              : QStringList{saved(sampler)} + options);
        QCOMPARE(r.status, 2);
        QCOMPARE(r.out, QByteArray());
        QVERIFY(!r.err.trimmed().isEmpty());
        QVERIFY2(QString::fromUtf8(r.err).contains(names), r.err.constData());
    }

    void help_data() {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("--help") << QStringList{"--help"};
        QTest::newRow("-h after a file") << QStringList{"registro.csv", "-h"};
    }

    // The program by its name, not by the path it was started from (the three programs print
    // their help through one function).
    void help() {
        QFETCH(QStringList, args);
        const Run r = run(args);
        QCOMPARE(r.status, 0);
        QCOMPARE(r.err, QByteArray());
        QVERIFY2(r.out.startsWith("Usage: tolvemar-log [options]"), r.out.constData());
        QVERIFY(r.out.contains("--conferimento"));
    }
};

QTEST_GUILESS_MAIN(TestConsole)
#include "tst_console.moc"
