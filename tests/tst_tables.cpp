#include "tablefee.h"
#include "tablefeetext.h"
#include "tablesettlement.h"
#include "tablewalk.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTest>

using namespace fee;

namespace {

const Decree &decree() {
    return *std::get<const Decree *>(decreeOn(QDate(2025, 1, 1)));
}

// Hand-computed (exact fractions, rounded once half away from zero, then the minimum): the
// article, the table, a bracket's upper limit in cents, and minimum, middle and maximum in cents
// for a cent below it, at it and a cent above it (one triple when the three agree). The other
// table of art. 4 is 0.
struct Edge {
    const char *article;
    int table;
    Cents limit;
    const char *points;
};
const Edge edges[] = {
    {"4", 0, 5164569, "19574 29358 39142"},
    {"4", 0, 10329138, "26830 40245 53660"},
    {"4", 0, 25822845, "41270 62021 82773"},
    {"4", 0, 51645690, "53510 80368 107227"},
    {"4", 0, 103291380, "65647 98599 131552"},
    {"4", 0, 258228450, "80056 120368 160680"},
    {"4", 1, 25822845, "24067 36294 48521"},
    {"4", 1, 51645690, "36307 54641 72975"},
    {"4", 1, 103291380, "46016 69205 92394"},
    {"4", 1, 516456899, "84441 127255 170069"},
    {"6.1", 0, 309874, "14532 21822 29113"},
    {"6.1", 0, 516457, "22295 33467 44640 / 22295 33467 44640 / 22295 33468 44640"},
    {"6.1", 0, 1032914, "39257 58910 78564 / 39257 58910 78564 / 39257 58911 78564"},
    {"6.1", 0, 2582284, "82804 124353 165902"},
    {"6.1", 0, 5164569, "131325 197134 262944 / 131325 197134 262944 / 131325 197135 262944"},
    {"6.1", 0, 10329138, "203903 306001 408099"},
    {"6.1", 0, 25822845, "313009 469669 626328"},
    {"6.1", 0, 51645690, "373770 560798 747825"},
    // Art. 6.3 in full to each limit, minimum | maximum rate, the middle their mean (€); the
    // first bracket's minimum is below the article's 145,12:
    //   3.098,74 × 3,2843 | 6,5686 %               = 101,77192 | 203,54384, medio 152,65788
    //   + 2.065,83 × 2,8106 | 5,6370 %             = 159,83414 | 319,99467, medio 239,91440
    //   + 10.329,14 × 1,4053 | 2,8106 %            = 304,98954 | 610,30548, medio 457,64751
    //   + 15.493,70 × 0,7042 | 1,4085 %            = 414,09618 | 828,53425, medio 621,31521
    //   + 20.658,28 × 0,4737 | 0,9474 %            = 511,95445 | 1.024,25079, medio 768,10262
    //   + 51.645,69 × 0,2353 | 0,4705 %            = 633,47676 | 1.267,24376, medio 950,36026
    {"6.3", 0, 309874, "14512 15266 20354"},
    {"6.3", 0, 516457, "15983 23991 31999"},
    {"6.3", 0, 1549371, "30499 45765 61031"},
    {"6.3", 0, 3098741, "41410 62132 82853"},
    {"6.3", 0, 5164569, "51195 76810 102425"},
    {"6.3", 0, 10329138, "63348 95036 126724"},
    {"8.1", 0, 10329138, "68503 101938 135374"},
    {"8.1", 0, 25822845, "127224 190012 252800"},
    {"8.1", 0, 51645690, "200613 300095 399578"},
    {"8.1", 0, 516456899, "376776 564340 751904"},
    {"8.1", 0, 2582284495, "568898 854589 1140280"},
    {"8.3", 0, 10329138, "33921 50886 67852 / 33921 50886 67852 / 33921 50887 67852"},
    {"8.3", 0, 25822845, "55690 83547 111405"},
    {"8.3", 0, 51645690, "67930 101894 135859"},
    {"8.3", 0, 516456899, "133468 199970 266471"},
    {"8.3", 0, 5164568991, "242699 363815 484932"},
    {"11", 0, 516457, "33924 50927 67930"},
    {"11", 0, 1032914, "58144 87298 116452"},
    {"11", 0, 2582284, "116369 174636 232902"},
    {"11", 0, 5164569, "188947 283706 378466"},
    {"11", 0, 10329138, "285989 429270 572550"},
    {"11", 0, 25822845, "430328 647003 863677"},
    {"11", 0, 51645690, "491090 738132 985174"},
    {"13", 0, 516457, "14512 14512 14512"},
    {"13", 0, 1032914, "14512 15250 20387"},
    {"13", 0, 2582284, "23079 34821 46564"},
    {"13", 0, 5164569, "37757 56635 75514"},
    {"13", 0, 10329138, "57330 85993 114656"},
    {"13", 0, 25822845, "101363 152043 202722"},
    {"13", 0, 51645690, "113603 170390 227176"},
    {"17", 0, 25823, "3873 3873 3882"},
    {"17", 0, 51646, "3873 5095 6793"},
    {"17", 0, 258228, "11160 16740 22320"},
    {"17", 0, 2582284, "43820 65730 87640"},
    {"17", 0, 5164569, "67876 102019 136161"},
    // Art. 2, the first bracket: 5.164,57 × 4,6896 | 9,3951 % = 242,19767 | 485,21760, medio
    // 363,70764; the brackets after it as the others, the minimum 145,12 below 3.094,48.
    {"2", 0, 516457, "24220 36371 48522"},
    {"2", 0, 1032914, "43628 65483 87338 / 43628 65483 87339 / 43628 65483 87339"},
    {"2", 0, 2582284, "87175 130926 174676 / 87175 130926 174677 / 87175 130926 174677"},
    {"2", 0, 5164569, "147928 221852 295775"},
    {"2", 0, 10329138, "244970 367415 489860"},
    {"2", 0, 25822845, "389310 585148 780987"},
    {"2", 0, 51645690, "511633 768632 1025632"},
    // Art. 14: 5.164,57 × 1,4053 | 2,8106 % = 72,57771 | 145,15542, so only the maximum clears
    // the minimum at the first limit.
    {"14", 0, 516457, "14512 14512 14516"},
    {"14", 0, 1032914, "14512 18144 24220"},
    {"14", 0, 2582284, "19408 29153 38898 / 19408 29153 38898 / 19408 29153 38899"},
    {"14", 0, 5164569, "26747 40162 53576"},
    {"14", 0, 10329138, "36452 54718 72985"},
    {"14", 0, 25822845, "50892 76494 102097"},
    {"14", 0, 51645690, "63132 94842 126552"}};

// Zero, beyond the cap, each reduction, the fixed fees, and the published example of art. 13.
struct Case {
    const char *article;
    QList<Cents> values;
    const char *reduction;
    const char *points;
};
const Case cases[] = {{"4", {0, 0}, "", "14512 14512 14512"},
                      {"4", {774685350, 1549370697}, "", "164497 247623 330749"},
                      {"4", {516456900, 1032913798}, "non-commerciale", "82248 123812 165375"},
                      {"4", {2000000, 2000000}, "non-commerciale", "14512 14512 14512"},
                      {"4", {12345678, 12345678}, "non-commerciale", "20108 30216 40323"},
                      {"6.1", {0}, "", "14512 14512 14512"},
                      {"6.1", {154937070}, "", "373770 560798 747825"},
                      {"6.3", {0}, "", "14512 14512 14512"},
                      // 10.000,00 €, where the two paragraphs of art. 6 part:
                      // 6.1: 3.098,74 × 4,6896 % + 2.065,83 × 3,7580 % + 4.835,43 × 3,2843 %
                      //      = 381,76243; at 9,3951 | 7,5160 | 6,5686 % = 764,01756
                      // 6.3: 3.098,74 × 3,2843 % + 2.065,83 × 2,8106 % + 4.835,43 × 1,4053 %
                      //      = 227,78643; at 6,5686 | 5,6370 | 2,8106 % = 455,89927
                      {"6.1", {1000000}, "", "38176 57289 76402"},
                      {"6.3", {1000000}, "", "22779 34184 45590"},
                      {"8.1", {0}, "", "14512 14512 14512"},
                      {"8.1", {7746853485}, "", "568898 854589 1140280"},
                      {"8.3", {0}, "", "14512 14512 14512"},
                      {"8.3", {15493706973}, "", "242699 363815 484932"},
                      {"8.3", {10329137982}, "precedente", "121349 181908 242466"},
                      {"8.3", {2000000}, "precedente", "14512 14512 14512"},
                      {"8.3", {12345678}, "precedente", "18377 27569 36760"},
                      {"11", {0}, "", "14512 14512 14512"},
                      {"11", {154937070}, "", "491090 738132 985174"},
                      {"13", {0}, "", "14512 14512 14512"},
                      {"13", {154937070}, "", "113603 170390 227176"},
                      {"13", {103291380}, "sommaria", "56802 85195 113588"},
                      {"13", {2000000}, "sommaria", "14512 14512 18363"},
                      {"13", {12345678}, "sommaria", "31531 47295 63059"},
                      {"13", {103291380}, "giudizio", "37868 56797 75725"},
                      {"13", {2000000}, "giudizio", "14512 14512 14512"},
                      {"13", {12345678}, "giudizio", "21020 31530 42039"},
                      {"17", {0}, "", "3873 3873 3873"},
                      {"17", {15493707}, "", "67876 102019 136161"},
                      {"4", {30000000, 70000001}, "", "83008 124806 166605"},
                      {"5", {}, "", "14512 55777 97042"},
                      {"21", {}, "", "4803 16940 29077"},
                      {"24", {}, "", "9658 24222 38786"}, // (96,58 + 387,86) / 2 = 242,22
                      {"13", {65000000}, "", "113603 170390 227176"},
                      // 3.000,00 × 4,6896 | 9,3951 % = 140,688 | 281,853: the minimum
                      // lifts the lowest point only, the middle is (140,688 + 281,853) / 2.
                      {"2", {300000}, "", "14512 21127 28185"},
                      {"2", {0}, "", "14512 14512 14512"},
                      {"2", {154937070}, "", "511633 768632 1025632"},
                      {"14", {0}, "", "14512 14512 14512"},
                      {"14", {154937070}, "", "63132 94842 126552"},
                      {"7.2", {}, "", "19367 38786 58205"},
                      {"19", {}, "", "24170 254691 485211"}, // (241,70 + 4.852,11) / 2
                      {"20.3", {}, "", "6766 6766 6766"}};

QList<Cents> points(const TableFee &f) {
    return {f.low, f.middle, f.high};
}

QList<Cents> parsed(const QString &text) {
    QList<Cents> list;
    for (const QString &n : text.split(u' '))
        list.append(n.toLongLong());
    return list;
}

} // namespace

Q_DECLARE_METATYPE(TableClaim)

class TestTables : public QObject {
    Q_OBJECT

private slots:
    void computed_data() {
        QTest::addColumn<QString>("article");
        QTest::addColumn<QList<Cents>>("values");
        QTest::addColumn<QString>("reduction");
        QTest::addColumn<QList<Cents>>("expected");
        QTest::addColumn<Cents>("limit"); // of the last bracket reached, when known; else 0
        for (const Edge &e : edges) {
            const QStringList triples = QString(e.points).split(QStringLiteral(" / "));
            for (int step = -1; step <= 1; ++step) {
                QList<Cents> values(decree().article(QString::fromLatin1(e.article))->tables.size(),
                                    0);
                values[e.table] = e.limit + step;
                QTest::addRow("art. %s, %lld", e.article, qlonglong(values[e.table]))
                    << e.article << values << QString()
                    << parsed(triples[triples.size() == 1 ? 0 : step + 1])
                    << (step <= 0 ? e.limit : 0);
            }
        }
        for (const Case &c : cases)
            QTest::addRow("art. %s, %s %lld", c.article, c.reduction, qlonglong(c.values.value(0)))
                << c.article << c.values << c.reduction << parsed(c.points) << Cents(0);
    }

    void computed() {
        QFETCH(QString, article);
        QFETCH(QList<Cents>, values);
        QFETCH(QString, reduction);
        QFETCH(QList<Cents>, expected);
        QFETCH(Cents, limit);
        const auto result = tableFee(*decree().article(article), values, reduction);
        QVERIFY(std::holds_alternative<TableFee>(result));
        QCOMPARE(points(std::get<TableFee>(result)), expected);
        if (limit)
            QCOMPARE(std::get<TableFee>(result).slices.last().upTo, limit);
    }

    // Seeded random values, with and without each reduction, against the walk over the file.
    void againstTheWalk() {
        QFile file(QStringLiteral(":/tables/dm-2002-05-30.json"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray json = file.readAll();
        QRandomGenerator random(20021205);
        for (int i = 0; i < 3000; ++i) {
            const TableArticle &a = decree().articles[random.bounded(decree().articles.size())];
            if (a.kind == FeeKind::Fixed)
                continue;
            QList<Cents> values;
            for (qsizetype t = 0; t < a.tables.size(); ++t) {
                // Spread over the decades, so that every bracket and the cap are reached.
                const Cents top = a.tables[t].brackets.last().upTo * 2;
                values.append(random.bounded(2) ? random.bounded(top)
                                                : random.bounded(top >> random.bounded(20)));
            }
            const int pick = int(random.bounded(a.reductions.size() + 1));
            const TableReduction *r = pick ? &a.reductions[pick - 1] : nullptr;
            const auto walk = reference::walkTableFee(json, a.id, values, r ? r->keepNumerator : 1,
                                                      r ? r->keepDenominator : 1);
            const auto result = tableFee(a, values, r ? r->id : QString());
            QVERIFY(std::holds_alternative<TableFee>(result));
            QCOMPARE(points(std::get<TableFee>(result)),
                     (QList<Cents>{walk.low, walk.middle, walk.high}));
        }
    }

    void refused_data() {
        QTest::addColumn<QString>("article");
        QTest::addColumn<QList<Cents>>("values");
        QTest::addColumn<QString>("reduction");
        QTest::addColumn<QString>("message");
        QTest::newRow("another article's") << "13" << QList<Cents>{100} << "precedente"
                                           << "non è dell'art. 13, che prevede: sommaria, giudizio";
        QTest::newRow("none written") << "17" << QList<Cents>{100} << "sommaria"
                                      << "L'art. 17 non prevede riduzioni.";
        QTest::newRow("a value to a fixed fee") << "5" << QList<Cents>{100} << ""
                                                << "compenso fisso";
        QTest::newRow("one value to art. 4") << "4" << QList<Cents>{100} << ""
                                             << "2 valori";
        QTest::newRow("negative") << "13" << QList<Cents>{-1} << ""
                                  << "negativo";
    }

    void refused() {
        QFETCH(QString, article);
        QFETCH(QList<Cents>, values);
        QFETCH(QString, reduction);
        QFETCH(QString, message);
        const auto result = tableFee(*decree().article(article), values, reduction);
        QVERIFY(std::get<QString>(result).contains(message));
    }

    // Per item: the item's amount times N, or times 1 + (N - 1) / 2 where the further ones are at
    // half, each point rounded once.
    void perItem_data() {
        QTest::addColumn<QString>("article");
        QTest::addColumn<int>("quantity");
        QTest::addColumn<QList<Cents>>("expected");
        // Art. 25, 28,92 € to 290,77 €, medio (28,92 + 290,77) / 2 = 159,845.
        QTest::newRow("art. 25, one") << "25" << 1 << QList<Cents>{2892, 15985, 29077};
        // × 1,5: 43,38 | 436,155 | 239,7675, the maximum's half cent rounded up.
        QTest::newRow("art. 25, two") << "25" << 2 << QList<Cents>{4338, 23977, 43616};
        // × 4: 115,68 | 1.163,08 | 639,38.
        QTest::newRow("art. 25, seven") << "25" << 7 << QList<Cents>{11568, 63938, 116308};
        // × 1,5: 101,49 | 290,505 | medio 130,665 × 1,5 = 195,9975.
        QTest::newRow("art. 27.2, two") << "27.2" << 2 << QList<Cents>{10149, 19600, 29051};
        // Art. 9 in full for each item: 96,58 to 484,95, medio 290,765.
        QTest::newRow("art. 9, one") << "9" << 1 << QList<Cents>{9658, 29077, 48495};
        // 3 × 290,765 = 872,295, not 3 × 290,77.
        QTest::newRow("art. 9, three") << "9" << 3 << QList<Cents>{28974, 87230, 145485};
        QTest::newRow("art. 22, three samples") << "22" << 3 << QList<Cents>{4338, 4338, 4338};
        QTest::newRow("art. 18.2, the most")
            << "18.2" << 9999 << QList<Cents>{96570342, 242195778, 387821214};
    }

    void perItem() {
        QFETCH(QString, article);
        QFETCH(int, quantity);
        QFETCH(QList<Cents>, expected);
        const auto result = tableFee(*decree().article(article), {}, {}, quantity);
        QVERIFY(std::holds_alternative<TableFee>(result));
        QCOMPARE(points(std::get<TableFee>(result)), expected);
        QCOMPARE(std::get<TableFee>(result).quantity, quantity);
    }

    void quantityRefused_data() {
        QTest::addColumn<QString>("article");
        QTest::addColumn<int>("quantity");
        QTest::addColumn<QString>("message");
        QTest::newRow("art. 13") << "13" << 2 << "L'art. 13 non si paga a quantità.";
        QTest::newRow("a fixed fee paid once") << "20.5" << 3 << "L'art. 20.5 non si paga";
        QTest::newRow("none") << "25" << 0 << "da 1 a 9999";
        QTest::newRow("too many") << "22" << 10000 << "da 1 a 9999";
    }

    void quantityRefused() {
        QFETCH(QString, article);
        QFETCH(int, quantity);
        QFETCH(QString, message);
        const TableArticle &a = *decree().article(article);
        const auto result = tableFee(
            a, a.kind == FeeKind::Value ? QList<Cents>{100000} : QList<Cents>{}, {}, quantity);
        QVERIFY2(std::get<QString>(result).contains(message),
                 qPrintable(std::get<QString>(result)));
    }

    // The figures of the articles of one source as the published table gives them, typed here
    // apart from the data file: the range (one amount where both agree) and the unit counted.
    void figures_data() {
        QTest::addColumn<QString>("article");
        QTest::addColumn<Cents>("low");
        QTest::addColumn<Cents>("high");
        QTest::addColumn<QString>("unit"); // "" for a fee paid once; "/2" for further at half
        const struct {
            const char *id;
            Cents low, high;
            const char *unit;
        } rows[] = {{"7.1", 14512, 48495, ""},
                    {"7.2", 19367, 58205, ""},
                    {"9", 9658, 48495, "opera"},
                    {"10", 14512, 58205, ""},
                    {"12.1", 14512, 97042, ""},
                    {"12.2", 14512, 97042, ""},
                    {"16", 14512, 97042, ""},
                    {"18.1", 4803, 14512, "reperto"},
                    {"18.2", 9658, 38786, "reperto"},
                    {"19", 24170, 485211, ""},
                    {"20.1", 1911, 1911, ""},
                    {"20.2", 1911, 1911, ""},
                    {"20.3", 6766, 6766, ""},
                    {"20.4", 9658, 9658, ""},
                    {"20.5", 4803, 14512, ""},
                    {"20.6", 11620, 38786, ""},
                    {"22", 1446, 1446, "campione"},
                    {"23", 2892, 2892, "campione"},
                    {"25", 2892, 29077, "reperto o marcatore/2"},
                    {"26.1", 1911, 1911, ""},
                    {"26.2", 6766, 6766, ""},
                    {"26.3", 4803, 14512, ""},
                    {"26.4", 9658, 29077, ""},
                    {"27.1", 4803, 14512, "sostanza/2"},
                    {"27.2", 6766, 19367, "sostanza/2"},
                    {"28.1", 4803, 14512, ""},
                    {"28.2", 4803, 40748, ""},
                    {"28.3", 4803, 48495, ""}};
        for (const auto &r : rows)
            QTest::newRow(r.id) << r.id << r.low << r.high << r.unit;
    }

    void figures() {
        QFETCH(QString, article);
        QFETCH(Cents, low);
        QFETCH(Cents, high);
        QFETCH(QString, unit);
        const TableArticle *a = decree().article(article);
        QVERIFY(a);
        QCOMPARE(a->kind, FeeKind::Fixed);
        QCOMPARE((QList<Cents>{a->fixedLow, a->fixedHigh}), (QList<Cents>{low, high}));
        QCOMPARE(a->quantity ? a->quantity->one + (a->quantity->furtherAtHalf ? "/2" : "")
                             : QString(),
                 unit);
        QCOMPARE(a->source, FeeSource::Single);
    }

    // The eleven articles found in two sources, and every other one of a single source with the
    // line that says so.
    void sources() {
        QStringList confirmed;
        for (const TableArticle &a : decree().articles) {
            QVERIFY2(!a.sources.isEmpty(), qPrintable(a.id));
            if (a.source == FeeSource::Confirmed)
                confirmed.append(a.id);
            QCOMPARE(sourceNote(decree(), a).isEmpty(), a.source == FeeSource::Confirmed);
        }
        QCOMPARE(confirmed.join(u' '), QStringLiteral("4 5 6.1 6.3 8.1 8.3 11 13 17 21 24"));
        QCOMPARE(decree().articles.size(), 41);
        QCOMPARE(sourceNote(decree(), *decree().article(u"2")),
                 QStringLiteral("Importi tratti da una sola fonte pubblicata e verificati sulla "
                                "tariffa del 1988: riscontrarli sul testo del D.M. 30 maggio 2002 "
                                "(G.U. n. 182 del 5 agosto 2002)."));
    }

    void notOffered_data() {
        QTest::addColumn<QString>("article");
        QTest::addColumn<QString>("message");
        const QString reason = QStringLiteral(
            ": non disponibile: la regola di calcolo non è stata ancora riscontrata.");
        QTest::newRow("art. 3") << "3"
                                << "Art. 3 - valutazione di aziende" + reason;
        QTest::newRow("art. 15") << "15"
                                 << "Art. 15 - aerei, navi e imbarcazioni" + reason;
    }

    void notOffered() {
        QFETCH(QString, article);
        QFETCH(QString, message);
        QVERIFY(!decree().article(article));
        QVERIFY(decree().unavailableArticle(article));
        QCOMPARE(decree().unknownArticleMessage(article), message);
    }

    void decreeShipped() {
        QCOMPARE(decree().inForce, QDate(2002, 8, 5));
        QCOMPARE(std::get<const Decree *>(decreeOn(QDate(1990, 1, 1))), &decree());
        QCOMPARE(decree().unknownArticleMessage(QStringLiteral("1")),
                 QStringLiteral("L'articolo «1» non è tra quelli offerti dalle tabelle del DM 30 "
                                "maggio 2002: 2, 4, 5, 6.1, 6.3, 7.1, 7.2, 8.1, 8.3, 9, 10, 11, "
                                "12.1, 12.2, 13, 14, 16, 17, 18.1, 18.2, 19, 20.1, 20.2, 20.3, "
                                "20.4, 20.5, 20.6, 21, 22, 23, 24, 25, 26.1, 26.2, 26.3, 26.4, "
                                "27.1, 27.2, 28.1, 28.2, 28.3."));
        QCOMPARE(rateText(235), QStringLiteral("0,00235"));
        QCOMPARE(rateText(102640), QStringLiteral("1,0264"));
    }

    void malformedFile_data() {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QString>("message");
        const QByteArray head = R"({"decree": "D", "basis": "b", "in_force": "2030-01-01", )";
        const QByteArray value =
            R"("article": "1", "subject": "s", "kind": "value", "status": "confermato", )"
            R"("sources": ["f"], )";
        const QByteArray fixed = R"("article": "1", "subject": "s", "kind": "fixed", )";
        QTest::newRow("not JSON") << QByteArray("{") << "non sono valide";
        QTest::newRow("no date") << QByteArray(R"({"decree": "D", "basis": "b"})") << "la data";
        QTest::newRow("brackets down")
            << head + R"("articles": [{)" + value +
                   R"("minimum": "1", "tables": [{"name": "", "value": "v", "brackets": )"
                   R"([["10.00", "1", "2"], ["9.00", "1", "2"]]}]}]})"
            << "non crescono";
        QTest::newRow("six decimals")
            << head + R"("articles": [{)" + value +
                   R"("minimum": "1", "tables": [{"name": "", "value": "v", "brackets": )"
                   R"([["10.00", "0.000001", "2"]]}]}]})"
            << "due aliquote";
        QTest::newRow("no status")
            << head + R"("articles": [{)" + fixed + R"("amount": "1.00", "sources": ["f"]}]})"
            << "«fonte unica»";
        QTest::newRow("one source, no note")
            << head + R"("articles": [{)" + fixed +
                   R"("amount": "1.00", "status": "fonte unica", "sources": ["f"]}]})"
            << "manca la nota";
        QTest::newRow("a quantity by value")
            << head + R"("articles": [{)" + value +
                   R"("minimum": "1", "quantity": {"unit": ["a", "b"], "further": "full"}, )"
                   R"("tables": [{"name": "", "value": "v", "brackets": [["10.00", "1", "2"]]}]}]})"
            << "solo per un compenso fisso";
        QTest::newRow("further at a third")
            << head + R"("articles": [{)" + fixed +
                   R"("amount": "1.00", "status": "confermato", "sources": ["f"], )"
                   R"("quantity": {"unit": ["a", "b"], "further": "third"}}]})"
            << "«half» o «full»";
        QTest::newRow("an amount and a range")
            << head + R"("articles": [{)" + fixed +
                   R"("amount": "1.00", "range": ["1.00", "2.00"], "status": "confermato", )"
                   R"("sources": ["f"]}]})"
            << "non ha un importo";
    }

    void malformedFile() {
        QFETCH(QByteArray, json);
        QFETCH(QString, message);
        QVERIFY2(std::get<QString>(readDecree(json)).contains(message),
                 qPrintable(std::get<QString>(readDecree(json))));
    }

    void asked() {
        const auto result = std::get<TableFee>(tableFee(*decree().article(u"13"), {65000000}));
        QVERIFY(askedError(result, 227176).isEmpty());
        QCOMPARE(askedError(result, 227177),
                 QStringLiteral("L'importo richiesto, 2.271,77 €, è fuori dall'intervallo da "
                                "1.136,03 € a 2.271,76 €."));
    }

    void settlement_data() {
        QTest::addColumn<QList<Cents>>("asked");
        QTest::addColumn<TableClaim>("claim");
        // fee, reduction, urgency, increase, panel, total; none when refused
        QTest::addColumn<QList<Cents>>("expected");
        // 1500,01: a third is 500,0033 -> 500,00; 20 % of 1000,01 is 200,002 -> 200,00; 50 % is
        // 500,005 -> 500,01; the panel 80 % of 1700,02 is 1360,016 -> 1360,02.
        QTest::newRow("late, every increase, three experts")
            << QList<Cents>{100000, 50001} << TableClaim{20, 50, true, 3}
            << QList<Cents>{150001, 50000, 20000, 50001, 136002, 306004};
        QTest::newRow("a third of 0,02 is 0,01")
            << QList<Cents>{2} << TableClaim{0, 0, true, 1} << QList<Cents>{2, 1, 0, 0, 0, 1};
        QTest::newRow("nothing on top")
            << QList<Cents>{12345} << TableClaim{} << QList<Cents>{12345, 0, 0, 0, 0, 12345};
        QTest::newRow("double, two experts") << QList<Cents>{1000} << TableClaim{0, 100, false, 2}
                                             << QList<Cents>{1000, 0, 0, 1000, 800, 2800};
        QTest::newRow("urgency 21 %")
            << QList<Cents>{1} << TableClaim{21, 0, false, 1} << QList<Cents>{};
        QTest::newRow("increase 101 %")
            << QList<Cents>{1} << TableClaim{0, 101, false, 1} << QList<Cents>{};
        QTest::newRow("no expert")
            << QList<Cents>{1} << TableClaim{0, 0, false, 0} << QList<Cents>{};
        QTest::newRow("negative") << QList<Cents>{-1} << TableClaim{} << QList<Cents>{};
        QTest::newRow("overflow") << QList<Cents>{std::numeric_limits<Cents>::max(), 1}
                                  << TableClaim{} << QList<Cents>{};
        QTest::newRow("overflow on top") << QList<Cents>{std::numeric_limits<Cents>::max() / 2}
                                         << TableClaim{0, 100, false, 1} << QList<Cents>{};
    }

    void settlement() {
        QFETCH(QList<Cents>, asked);
        QFETCH(TableClaim, claim);
        QFETCH(QList<Cents>, expected);
        const auto settled = settleTables(asked, claim);
        if (expected.isEmpty()) {
            QVERIFY(!std::get<QString>(settled).isEmpty());
            return;
        }
        const auto s = std::get<TableSettlement>(settled);
        QCOMPARE((QList<Cents>{s.fee, s.reduction, s.urgency, s.increase, s.panel, s.total}),
                 expected);
        const Settlement vacazioni{0, 0, 0, 0, 10000, 500, 2000, 8500};
        const auto both = std::get<AssignmentSettlement>(combine(vacazioni, s));
        QCOMPARE(both.total, 10000 + s.total);
        QCOMPARE(both.balance, 10000 + s.total + 500 - 2000);
    }
};

QTEST_GUILESS_MAIN(TestTables)
#include "tst_tables.moc"
