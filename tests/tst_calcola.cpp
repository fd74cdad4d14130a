#include "conversions.h"
#include "daywalk.h"
#include "fee.h"

#include <QRandomGenerator>
#include <QTest>

using namespace fee;

namespace {

const QLocale italian(QLocale::Italian, QLocale::Italy);
const QLocale english(QLocale::English, QLocale::UnitedStates);

QString day(int year, int month, int dayOfMonth, const QLocale &locale) {
    return dateToText(serialFromDate(QDate(year, month, dayOfMonth)), locale);
}

// The fee grouping written out once more, on its own, to check the library against.
double independentFee(double total) {
    const double fromSecond = ((total - 1.0) * 815.0) / 100.0;
    return fromSecond + 1468.0 / 100.0;
}

} // namespace

class TestCalcola : public QObject {
    Q_OBJECT

private slots:
    void examples_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("end");
        QTest::addColumn<ExclusionMode>("mode");
        QTest::addColumn<QString>("daily");
        QTest::addColumn<bool>("warning");
        QTest::addColumn<QString>("results"); // Label6, Label10, Label11

        const auto none = ExclusionMode::None;
        const auto weekends = ExclusionMode::SaturdaysAndSundays;
        const auto sundays = ExclusionMode::Sundays;
        auto row = [](const char *name, const QLocale &locale, int startDay, int endDay,
                      ExclusionMode mode, const char *daily, const char *results) {
            QTest::newRow(name) << locale << day(2025, 3, startDay, locale)
                                << day(2025, 3, endDay, locale) << mode << QString(daily)
                                << (endDay < startDay) << QString(results);
        };
        const QLocale &it = italian;
        // Monday 3 to Friday 14 March 2025: 12 calendar days, two weekends, one Sunday in between.
        row("it every day", it, 3, 14, none, "2", "12 24 202,13");
        row("it weekdays", it, 3, 14, weekends, "2", "10 20 169,53");
        row("it no Sundays", it, 3, 14, sundays, "2", "11 22 185,83");
        row("it same day", it, 3, 3, none, "2", "1 2 22,83");
        row("it Saturday, weekdays", it, 8, 8, weekends, "2", "0 0 0");
        row("it Saturday, no Sundays", it, 8, 8, sundays, "2", "1 2 22,83");
        row("it Sunday, no Sundays", it, 9, 9, sundays, "2", "0 0 0");
        // Reversed dates: warned, then computed as they stand. A negative total shows no fee.
        row("it reversed", it, 10, 5, none, "2", "-4 -8 0");
        row("it reversed weekdays", it, 10, 5, weekends, "2", "0 0 0");
        row("it reversed no Sundays", it, 10, 5, sundays, "2", "0 0 0");
        row("it one vacazione", it, 3, 3, none, "1", "1 1 14,68");
        row("it three", it, 3, 3, none, "3", "1 3 30,98");
        row("it forty", it, 3, 3, none, "40", "1 40 332,53");
        row("it half a vacazione", it, 3, 3, none, "0,5", "1 0,5 10,605");
        row("it grouped daily", it, 3, 3, none, " 1.000 ", "1 1000 8156,53");
        row("it zero daily", it, 3, 14, none, "0", "12 0 0");
        row("it negative daily", it, 3, 14, none, "-2", "12 -24 0");
        // The fee is costed on the total as shown: 0.30000000000000004 shows as 0,3.
        row("it shortened total", it, 3, 3, none, "0,30000000000000004", "1 0,3 8,975");
        row("en every day", english, 3, 14, none, "2", "12 24 202.13");
        row("en weekdays, half", english, 3, 14, weekends, "2.5", "10 25 210.28");
        row("en reversed", english, 10, 5, none, "2", "-4 -8 0");
    }

    void examples() {
        QFETCH(QLocale, locale);
        QFETCH(QString, start);
        QFETCH(QString, end);
        QFETCH(ExclusionMode, mode);
        QFETCH(QString, daily);

        const CalcolaResult result = calcola({start, end, mode, daily}, locale);
        QVERIFY2(!result.failed(), qPrintable(result.error));
        QTEST(result.dateOrderWarning, "warning");
        QTEST(QStringList({result.label6, result.label10, result.label11}).join(u' '), "results");
    }

    void feeIsExactForEveryTotal() {
        const QString today = day(2025, 3, 3, italian);
        for (int total = 1; total <= 1000; ++total) {
            const double expected = independentFee(total);
            QCOMPARE(qint64(std::bit_cast<quint64>(feeForTotal(total))),
                     qint64(std::bit_cast<quint64>(expected)));
            const auto result =
                calcola({today, today, ExclusionMode::None, QString::number(total)}, italian);
            QCOMPARE(result.label11, numberToText(expected, italian));
        }
    }

    void feeForFourIsOneUnitBelow3913() {
        const double fee = feeForTotal(4);
        QCOMPARE(QString::number(fee, 'f', 43), "39.1299999999999954525264911353588104248046875");
        QCOMPARE(std::nextafter(fee, 100.0), 39.13);
        QCOMPARE(numberToText(fee, italian), "39,13");
    }

    void countedDaysMatchTheWalk_data() {
        QTest::addColumn<ExclusionMode>("mode");
        QTest::newRow("every day") << ExclusionMode::None;
        QTest::newRow("weekdays") << ExclusionMode::SaturdaysAndSundays;
        QTest::newRow("no Sundays") << ExclusionMode::Sundays;
    }

    void countedDaysMatchTheWalk() {
        QFETCH(ExclusionMode, mode);
        const quint32 seed = 20250303;
        QRandomGenerator random(seed);
        auto randomSerial = [&random] {
            return double(random.bounded(qint64(kFirstSerial), qint64(kLastSerial) + 1));
        };
        for (int i = 0; i < 3000; ++i) {
            DateSerial start = randomSerial();
            DateSerial end;
            if (i % 100 == 0) {
                end = randomSerial(); // anywhere: long spans, half of them reversed
            } else {
                end = std::clamp(start + double(random.bounded(-40, 4000)), kFirstSerial,
                                 kLastSerial);
            }
            if (i % 3 == 0) { // some with a time of day, as a clock reading would give
                start += random.bounded(86400) / 86400.0;
                end += random.bounded(86400) / 86400.0;
            }
            const qint64 walked = reference::walkCountedDays(start, end, mode);
            QVERIFY2(countedDays(start, end, mode) == walked,
                     qPrintable(QStringLiteral("seed %1, span %2 .. %3: %4 by the walk")
                                    .arg(seed)
                                    .arg(start, 0, 'f', 6)
                                    .arg(end, 0, 'f', 6)
                                    .arg(walked)));
        }
    }

    void badInputWritesNothing_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("end");
        QTest::addColumn<QString>("daily");
        QTest::addColumn<QString>("quoted"); // the text the message must quote

        auto row = [](const char *name, const QLocale &locale, const QString &start,
                      const QString &end, const char *daily, const QString &quoted) {
            QTest::newRow(name) << locale << start << end << QString(daily) << quoted;
        };
        const QString mon3 = day(2025, 3, 3, italian), fri14 = day(2025, 3, 14, italian);
        for (const char *daily : {"abc", "2.5", "nan", "inf", "1e400", "1,5x"})
            QTest::addRow("it daily %s", daily) << italian << mon3 << fri14 << daily << daily;
        row("it daily empty", italian, mon3, fri14, "", "");
        row("it daily blank", italian, mon3, fri14, "   ", "");
        // 12 days × 1e308 is beyond the largest double.
        row("it total overflows", italian, mon3, fri14, "1e308", "1e308");
        row("it fee overflows", italian, mon3, mon3, "1e307", "1e307");
        row("en daily comma", english, day(2025, 3, 3, english), day(2025, 3, 14, english), "2,5",
            "2,5");
        row("it start letters", italian, "abc", fri14, "2", "abc");
        row("it start empty", italian, "", fri14, "2", "");
        row("it start two-digit year", italian, "03/03/25", fri14, "2", "03/03/25");
        row("it end no such day", italian, mon3, "30/02/2025", "2", "30/02/2025");
        row("en end in Italian", english, day(2025, 3, 3, english), fri14, "2", fri14);
    }

    void badInputWritesNothing() {
        QFETCH(QLocale, locale);
        QFETCH(QString, start);
        QFETCH(QString, end);
        QFETCH(QString, daily);
        QFETCH(QString, quoted);

        const CalcolaResult result = calcola({start, end, ExclusionMode::None, daily}, locale);
        QVERIFY(result.failed());
        QVERIFY2(result.error.contains(QStringLiteral("«%1»").arg(quoted)) || quoted.isEmpty(),
                 qPrintable(result.error));
        QVERIFY(result.label6.isEmpty());
        QVERIFY(result.label10.isEmpty());
        QVERIFY(result.label11.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestCalcola)
#include "tst_calcola.moc"
