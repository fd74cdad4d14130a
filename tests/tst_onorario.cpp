#include "support/programrun.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

namespace {

using testsupport::Run;

Run run(const QStringList &args) {
    return testsupport::run(QStringLiteral(TOLVEMAR_ONORARIO), args);
}

} // namespace

// tolvemar-onorario as a user runs it.
class TestOnorario : public QObject {
    Q_OBJECT

private slots:
    void json_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QList<qint64>>("points");
        // The last bracket reached: table, upper limit, slice, rates; none for a fixed fee.
        QTest::addColumn<QString>("last");
        QTest::newRow("art. 13, summary")
            << QStringList{"--articolo", "13", "--valore", "1032913,80", "--riduzione", "sommaria"}
            << QList<qint64>{56802, 85195, 113588} << ":51645690:25822845:0,0474:0,0947";
        QTest::newRow("art. 4, both tables")
            << QStringList{"--articolo", "4", "--valore", "300000", "--ricavi", "700.000,01"}
            << QList<qint64>{83008, 124806, 166605} << "B:103291380:18354311:0,0188:0,0376";
        QTest::newRow("art. 5, fixed")
            << QStringList{"--articolo", "5"} << QList<qint64>{14512, 55777, 97042} << "";
        // 28,92 € to 290,77 € for the first, half for each of the 6 further: × 4.
        QTest::newRow("art. 25, seven markers")
            << QStringList{"--articolo", "25", "--quantita", "7"}
            << QList<qint64>{11568, 63938, 116308} << "";
    }

    void json() {
        QFETCH(QStringList, args);
        QFETCH(QList<qint64>, points);
        QFETCH(QString, last);
        const Run r = run(args + QStringList{"--json"});
        QCOMPARE(r.err, QByteArray());
        QCOMPARE(r.status, 0);
        const QJsonObject o = QJsonDocument::fromJson(r.out).object();
        QCOMPARE(o["article"].toString(), args[1]);
        QCOMPARE(o["quantita"].toInt(), args.contains("--quantita") ? args.last().toInt() : 1);
        QCOMPARE(o["fonte"].toString(), args[1] == u"25" ? u"unica" : u"confermata");
        QCOMPARE((QList<qint64>{o["min_cents"].toInteger(), o["mid_cents"].toInteger(),
                                o["max_cents"].toInteger()}),
                 points);
        const QJsonArray brackets = o["brackets"].toArray();
        const QJsonObject b = brackets.last().toObject();
        QCOMPARE(brackets.isEmpty() ? QString()
                                    : QStringLiteral("%1:%2:%3:%4:%5")
                                          .arg(b["table"].toString())
                                          .arg(b["up_to_cents"].toInteger())
                                          .arg(b["slice_cents"].toInteger())
                                          .arg(b["min_rate"].toString(), b["max_rate"].toString()),
                 last);
    }

    void text() {
        const Run r = run({"--articolo", "13", "--valore", "650000"});
        QCOMPARE(r.status, 0);
        const QString text = QString::fromUtf8(r.out);
        for (const char *expected :
             {"Art. 13 - estimo", "tabelle del DM 30 maggio 2002", "Minimo: 1.136,03 €",
              "Medio: 1.703,90 €", "Massimo: 2.271,76 €", "Minimo dell'articolo: 145,12 €",
              "da 258.228,46 € a 516.456,90 €: 258.228,45 € al 0,0474 % - 0,0947 %, 122,40 € - "
              "244,54 €",
              "oltre 516.456,90 € non si aggiunge nulla"})
            QVERIFY2(text.contains(QString::fromUtf8(expected)), expected);
    }

    void list() {
        const Run r = run({"--elenco", "--json"});
        QCOMPARE(r.status, 0);
        QStringList ids;
        for (const QJsonValue &a : QJsonDocument::fromJson(r.out).array())
            ids.append(QStringLiteral("%1:%2:%3:%4")
                           .arg(a["article"].toString(), a["kind"].toString(),
                                a["quantita"].toBool() ? "n" : "1", a["fonte"].toString()));
        QCOMPARE(ids.size(), 41);
        for (const char *expected :
             {"2:value:1:unica", "4:value:1:confermata", "5:fixed:1:confermata", "9:fixed:n:unica",
              "13:value:1:confermata", "20.3:fixed:1:unica", "25:fixed:n:unica",
              "27.2:fixed:n:unica", "28.3:fixed:1:unica"})
            QVERIFY2(ids.contains(QLatin1String(expected)), expected);
        QVERIFY(!ids.join(u' ').contains(QLatin1String(" 3:")));
        QVERIFY(!ids.join(u' ').contains(QLatin1String(" 15:")));
        const QJsonObject estimo = QJsonDocument::fromJson(r.out).array()[14].toObject();
        QCOMPARE(estimo[u"short"].toString() + estimo[u"subject"].toString(), u"estimoestimo");
        const QByteArray text = run({"--elenco"}).out;
        for (const char *title :
             {"Art. 6.3 - avarie particolari (a percentuale, confermato)",
              "Art. 21 - accertamenti medici",
              "Art. 24 - psichiatria e criminologia (fisso, confermato)",
              "Art. 22 - esame alcoolimetrico (fisso per campione, fonte unica)",
              "Art. 27.1 - tossicologia qualitativa (fisso per sostanza, fonte unica)"})
            QVERIFY2(text.contains(title), title);
    }

    void refused_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("message");
        QTest::newRow("unknown option") << QStringList{"--articolo", "13", "--xyz"} << "--xyz";
        QTest::newRow("no article") << QStringList{"--valore", "1"} << "Manca --articolo";
        QTest::newRow("article not offered")
            << QStringList{"--articolo", "1", "--valore", "1"} << "2, 4, 5, 6.1, 6.3, 7.1";
        for (const char *id : {"3", "15"})
            QTest::addRow("art. %s", id)
                << QStringList{"--articolo", id, "--valore", "1"}
                << "non disponibile: la regola di calcolo non è stata ancora riscontrata";
        QTest::newRow("a quantity to art. 13")
            << QStringList{"--articolo", "13", "--valore", "1", "--quantita", "1"}
            << "L'art. 13 non si paga a quantità.";
        for (const char *n : {"0", "10000", "2,5", "tre", " 3"})
            QTest::addRow("quantity «%s»", n)
                << QStringList{"--articolo", "25", "--quantita", n} << "--quantita";
        QTest::newRow("list with a quantity")
            << QStringList{"--elenco", "--quantita", "2"} << "--elenco";
        QTest::newRow("no value") << QStringList{"--articolo", "13"} << "Manca --valore";
        QTest::newRow("not a number")
            << QStringList{"--articolo", "13", "--valore", "1.00"} << "non è un importo";
        QTest::newRow("revenues beyond art. 4")
            << QStringList{"--articolo", "13", "--valore", "1", "--ricavi", "1"} << "art. 4";
        QTest::newRow("value of a fixed fee")
            << QStringList{"--articolo", "21", "--valore", "1"} << "compenso fisso";
        QTest::newRow("another article's reduction")
            << QStringList{"--articolo", "13", "--valore", "1", "--riduzione", "precedente"}
            << "sommaria, giudizio";
        QTest::newRow("unknown reduction")
            << QStringList{"--articolo", "4", "--valore", "1", "--riduzione", "metà"}
            << "non-commerciale";
        QTest::newRow("list with an article")
            << QStringList{"--elenco", "--articolo", "13"} << "--elenco";
    }

    void refused() {
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        for (const QStringList &a : {args, args + QStringList{"--json"}}) {
            const Run r = run(a);
            QCOMPARE(r.status, 2);
            QCOMPARE(r.out, QByteArray());
            QVERIFY2(QString::fromUtf8(r.err).contains(message), r.err.constData());
        }
    }
};

QTEST_GUILESS_MAIN(TestOnorario)
#include "tst_onorario.moc"
