#include "worklogcsv.h"

#include <QTest>

using namespace fee;

namespace {

const QByteArray header = "Data;Dalle;Alle;Descrizione;In udienza";

// "line date from-to udienza|description" for each session, one a line.
QString listing(const QList<LogLine> &lines) {
    QStringList out;
    for (const LogLine &l : lines) {
        out << QStringLiteral("%1 %2 %3-%4 %5|%6")
                   .arg(l.line)
                   .arg(l.session.date.toString(Qt::ISODate))
                   .arg(l.session.from)
                   .arg(l.session.to)
                   .arg(l.session.udienza ? "U" : "-")
                   .arg(l.session.description);
    }
    return out.join(u'\n');
}

// The message, or the sessions that came instead.
QString outcome(const std::variant<QList<LogLine>, QString> &read) {
    const QString *message = std::get_if<QString>(&read);
    return message ? *message : listing(std::get<QList<LogLine>>(read));
}

} // namespace

class TestWorkLogCsv : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy)); }

    void good_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("sessions");

        QTest::newRow("LF, final line end")
            << header + "\n01/03/2025;09:00;10:30;Sopralluogo;no\n02/03/2025;14:00;24:00;Rel;\n"
            << "2 2025-03-01 540-630 -|Sopralluogo\n3 2025-03-02 840-1440 -|Rel";
        QTest::newRow("CRLF, no final line end")
            << header + "\r\n01/03/2025;00:00;00:01;a;SI\r\n01/03/2025;00:01;01:00;b;sì"
            << "2 2025-03-01 0-1 U|a\n3 2025-03-01 1-60 U|b";
        QTest::newRow("BOM") << "\xEF\xBB\xBF" + header + "\r\n31/12/2024;08:15;09:45;x;No\r\n"
                             << "2 2024-12-31 495-585 -|x";
        QTest::newRow("udienza in any case")
            << header + "\n01/03/2025;01:00;02:00;;si\n01/03/2025;02:00;03:00;;Sì\n"
                        "01/03/2025;03:00;04:00;;SÌ\n01/03/2025;04:00;05:00;;nO\n"
                        "01/03/2025;05:00;06:00;;\n"
            << "2 2025-03-01 60-120 U|\n3 2025-03-01 120-180 U|\n4 2025-03-01 180-240 U|\n"
               "5 2025-03-01 240-300 -|\n6 2025-03-01 300-360 -|";
        QTest::newRow("quoted ; quotes and line breaks")
            << header + "\r\n\"03/03/2025\";09:00;10:00;\"a;b \"\"c\"\"\r\nd\";\"sì\"\r\n"
                        "04/03/2025;09:00;10:00;\"\n\n\";no\r\n"
                        "05/03/2025;09:00;10:00;\"\";no\r\n"
            << "2 2025-03-03 540-600 U|a;b \"c\"\r\nd\n4 2025-03-04 540-600 -|\n\n\n"
               "7 2025-03-05 540-600 -|";
        QTest::newRow("blank trailing lines")
            << header + "\r\n01/03/2025;09:00;10:00;x;no\r\n\r\n\n\r\n"
            << "2 2025-03-01 540-600 -|x";
        QTest::newRow("header alone") << header << "";
        QTest::newRow("touching sessions, any order")
            << header + "\n01/03/2025;11:00;12:00;b;no\n01/03/2025;10:00;11:00;a;no\n"
                        "28/02/2025;10:30;11:30;c;no\n"
            << "2 2025-03-01 660-720 -|b\n3 2025-03-01 600-660 -|a\n4 2025-02-28 630-690 -|c";
        QTest::newRow("text kept as written")
            << header + "\n29/02/2024;09:00;10:00; caffè – 𝄞 \"x\" ;no\n"
            << "2 2024-02-29 540-600 -| caffè – 𝄞 \"x\" ";
    }

    void good() {
        QFETCH(QByteArray, file);
        QFETCH(QString, sessions);
        const auto read = readLogCsv(file);
        QVERIFY2(std::holds_alternative<QList<LogLine>>(read), qPrintable(outcome(read)));
        QCOMPARE(listing(std::get<QList<LogLine>>(read)), sessions);
    }

    void bad_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("message"); // the whole message, or its beginning up to "…"

        const QByteArray ok = "01/03/2025;09:00;10:00;x;no\n";
        const QByteArray two = header + "\n" + ok + "02/03/2025;09:00;10:00;y;no\n";
        QTest::newRow("empty file")
            << QByteArray()
            << "Riga 1: l'intestazione dev'essere «Data;Dalle;Alle;Descrizione;In udienza».";
        QTest::newRow("short header") << "Data;Dalle;Alle;Descrizione\n" + ok << "Riga 1: …";
        QTest::newRow("one field missing")
            << header + "\n" + ok + "02/03/2025;09:00;10:00;x\n"
            << "Riga 3, campo «In udienza»: manca; ogni riga ha 5 campi "
               "(Data;Dalle;Alle;Descrizione;In udienza).";
        QTest::newRow("too many fields") << header + "\n" + ok + "02/03/2025;09:00;10:00;x;no;\n"
                                         << "Riga 3: 6 campi invece di 5…";
        QTest::newRow("no date")
            << two + "31/02/2025;09:00;10:00;x;no\n"
            << "Riga 4, campo «Data»: «31/02/2025» non è una data (gg/mm/aaaa).";
        QTest::newRow("end past midnight")
            << two + "03/03/2025;09:00;25:00;x;no\n"
            << "Riga 4, campo «Alle»: «25:00» non è un orario (hh:mm).";
        QTest::newRow("start at 24:00") << two + "03/03/2025;24:00;24:00;x;no\n"
                                        << "Riga 4, campo «Dalle»: «24:00»…";
        QTest::newRow("end at start") << two + "03/03/2025;10:00;10:00;x;no\n"
                                      << "Riga 4, campo «Alle»: l'operazione finisce alle 10:00, "
                                         "non dopo l'inizio alle 10:00.";
        QTest::newRow("udienza neither yes nor no") << two + "03/03/2025;09:00;10:00;x;forse\n"
                                                    << "Riga 4, campo «In udienza»: «forse»…";
        QTest::newRow("overlap")
            << header + "\n01/03/2025;09:00;10:00;a;no\n03/03/2025;09:00;11:00;b;no\n"
                        "03/03/2025;11:00;12:00;c;no\n02/03/2025;10:00;12:00;d;no\n"
                        "03/03/2025;08:00;09:00;e;no\n03/03/2025;10:00;12:00;f;sì\n"
            << "Righe 3 e 7: L'operazione del 03/03/2025 dalle 09:00 alle 11:00 si sovrappone a "
               "quella dalle 10:00 alle 12:00.";
        QTest::newRow("overlap after a quoted line break")
            << header + "\n01/03/2025;09:00;10:00;\"a\nb\";no\n01/03/2025;09:30;09:45;c;no\n"
            << "Righe 2 e 4: …";
        QTest::newRow("byte FF") << two + "03/03/2025;09:00;10:00;caff\xFF;no\n"
                                 << "Riga 4, campo «Descrizione»: il testo non è in UTF-8.";
        QTest::newRow("sequence cut short") << two + "03/03/2025;09:00;10:00;caff\xC3;no\n"
                                            << "Riga 4, campo «Descrizione»: il testo…";
        QTest::newRow("unterminated quote")
            << two + "03/03/2025;09:00;10:00;\"abc\n04/03/2025;09:00;10:00;x;no\n"
            << "Riga 4, campo «Descrizione»: le virgolette aperte non si chiudono.";
        QTest::newRow("text after the closing quote") << two + "03/03/2025;09:00;10:00;\"a\"b;no\n"
                                                      << "Riga 4, campo «Descrizione»: dopo…";
        QTest::newRow("fault on the line after a quoted line break")
            << header + "\n01/03/2025;09:00;10:00;\"a\r\nb\r\nc\";no\r\n01/03/2025;10:00;9:61;x;no"
            << "Riga 5, campo «Alle»: «9:61»…";
    }

    void bad() {
        QFETCH(QByteArray, file);
        QFETCH(QString, message);
        const auto read = readLogCsv(file);
        QVERIFY2(std::holds_alternative<QString>(read), qPrintable(outcome(read)));
        const QString got = std::get<QString>(read);
        if (message.endsWith(u'…'))
            QVERIFY2(got.startsWith(message.chopped(1)), qPrintable(got));
        else
            QCOMPARE(got, message);
    }

    void write() {
        const QList<Session> sessions = {
            {QDate(2025, 3, 1), 0, 75, QStringLiteral("Sopralluogo"), false},
            {QDate(2025, 3, 1), 1380, 1440, QStringLiteral("Udienza; \"rinvio\""), true},
        };
        QCOMPARE(writeLogCsv(sessions),
                 header + "\r\n01/03/2025;00:00;01:15;Sopralluogo;no\r\n"
                          "01/03/2025;23:00;24:00;\"Udienza; \"\"rinvio\"\"\";sì\r\n");
    }

    void roundTrip() {
        const QStringList descriptions =
            QString("|;|\"|a\r\nb|\n|fine\r|x;\"y\"\n\nz;|caffè ☕ 𝄞|\uFEFFinizio|"
                    "Data;Dalle;Alle;Descrizione;In udienza")
                .split(u'|');
        QList<Session> sessions;
        QList<int> lines;
        int line = 2;
        for (qsizetype i = 0; i < descriptions.size(); ++i) {
            const int from = int(i) * 90;
            sessions.append({QDate(2025, 1, 31), from, from + 75, descriptions[i], i % 2 == 1});
            lines.append(line);
            line += 1 + int(descriptions[i].count(u'\n'));
        }
        const auto read = readLogCsv(writeLogCsv(sessions));
        QVERIFY2(std::holds_alternative<QList<LogLine>>(read), qPrintable(outcome(read)));
        const QList<LogLine> back = std::get<QList<LogLine>>(read);
        QCOMPARE(back.size(), sessions.size());
        for (qsizetype i = 0; i < back.size(); ++i) {
            QCOMPARE(back[i].session.description, sessions[i].description);
            QCOMPARE(back[i].session, sessions[i]);
            QCOMPARE(back[i].line, lines[i]);
        }
    }
};

QTEST_APPLESS_MAIN(TestWorkLogCsv)
#include "tst_worklogcsv.moc"
