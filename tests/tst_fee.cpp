#include "conversions.h"
#include "daywalk.h"
#include "fee.h"

#include <QRandomGenerator>
#include <QTest>

using namespace fee;

namespace {

const QLocale italian(QLocale::Italian, QLocale::Italy);
const QLocale english(QLocale::English, QLocale::UnitedStates);
constexpr auto none = ExclusionMode::None;
constexpr auto weekends = ExclusionMode::SaturdaysAndSundays;
constexpr auto sundays = ExclusionMode::Sundays;

QString text(QDate date, const QLocale &locale = italian) {
    return dateToText(serialFromDate(date), locale);
}

CalcolaOptions options(const char *flags) {
    // "R": the ruling's tariff; "H": holidays excluded; "P": patron on 29 June; "V": on 25 April.
    const QByteArray f(flags);
    CalcolaOptions o;
    o.tariff = f.contains('R') ? Tariff::Ruling2025 : Tariff::Decree2002;
    o.excludeHolidays = f.contains('H');
    if (f.contains('P'))
        o.patron = PatronDay{6, 29};
    if (f.contains('V'))
        o.patron = PatronDay{4, 25};
    return o;
}

// Any day of the year, or often one on which Easter Sunday or Monday may fall (21 March to 27
// April), and then often 25 April, a holiday of its own.
PatronDay randomPatron(QRandomGenerator &random) {
    const QDate day = random.bounded(2)   ? QDate(2001, 1, 1).addDays(random.bounded(365))
                      : random.bounded(4) ? QDate(2001, 3, 21).addDays(random.bounded(38))
                                          : QDate(2001, 4, 25);
    return {day.month(), day.day()};
}

} // namespace

Q_DECLARE_METATYPE(CalcolaOptions)

class TestFee : public QObject {
    Q_OBJECT

private slots:
    void examples_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QDate>("start");
        QTest::addColumn<QDate>("end");
        QTest::addColumn<ExclusionMode>("mode");
        QTest::addColumn<QString>("daily");
        QTest::addColumn<CalcolaOptions>("options");
        QTest::addColumn<QString>("results"); // Label6, Label10, Label11

        auto row = [](const char *name, const QLocale &locale, QDate start, QDate end,
                      ExclusionMode mode, const char *daily, const char *flags,
                      const char *results) {
            QTest::newRow(name) << locale << start << end << mode << QString(daily)
                                << options(flags) << QString(results);
        };
        const QLocale &it = italian;
        // Monday 3 to Friday 14 March 2025: 12 calendar days, two weekends, one Sunday between.
        const QDate mon3(2025, 3, 3), mon10(2025, 3, 10), wed5(2025, 3, 5), fri14(2025, 3, 14);
        row("every day", it, mon3, fri14, none, "2", "", "12 24 202,13");
        row("weekdays", it, mon3, fri14, weekends, "2", "", "10 20 169,53");
        row("no Sundays", it, mon3, fri14, sundays, "2", "", "11 22 185,83");
        row("weekdays, ruling", it, mon3, fri14, weekends, "2", "R", "10 20 293,6");
        row("same day", it, mon3, mon3, none, "2", "", "1 2 22,83");
        // Reversed dates: warned, then computed as they stand; holidays change nothing.
        row("reversed", it, mon10, wed5, none, "2", "H", "-4 -8 0");
        row("reversed weekdays", it, mon10, wed5, weekends, "2", "", "0 0 0");
        row("reversed into 1977", it, QDate(1978, 1, 2), QDate(1977, 12, 1), sundays, "2", "H",
            "0 0 0");
        row("half a vacazione", it, mon3, mon3, none, "0,5", "", "1 0,5 10,605");
        row("negative daily", it, mon3, fri14, none, "-2", "R", "12 -24 0");
        // The fee is costed on the total as shown: 0.30000000000000004 shows as 0,3.
        row("shortened total", it, mon3, mon3, none, "0,30000000000000004", "", "1 0,3 8,975");
        // Easter Monday 21 and Liberation Day 25 April 2025 fall on weekdays, Easter on a Sunday.
        const QDate apr14(2025, 4, 14), apr30(2025, 4, 30), jan1(2025, 1, 1), dec31(2025, 12, 31);
        row("April, weekdays", it, apr14, apr30, weekends, "1", "", "13 13 112,48");
        row("April, holidays", it, apr14, apr30, weekends, "1", "H", "11 11 96,18");
        row("2025, weekdays", it, jan1, dec31, weekends, "1", "", "261 261 2133,68");
        row("2025, holidays", it, jan1, dec31, weekends, "1", "H", "251 251 2052,18");
        row("2025, every day", it, jan1, dec31, none, "1", "H", "353 353 2883,48");
        row("2025, no Sundays", it, jan1, dec31, sundays, "1", "H", "302 302 2467,83");
        // A patron day on a holiday is not left out twice; without holidays it is no holiday.
        row("2025, Venice", it, jan1, dec31, weekends, "1", "HV", "251 251 2052,18");
        row("2026, Rome", it, QDate(2026, 1, 1), QDate(2026, 12, 31), weekends, "1", "HP",
            "253 253 2068,48");
        row("2026, Rome, no holidays", it, QDate(2026, 6, 29), QDate(2026, 6, 29), weekends, "1",
            "P", "1 1 14,68");
        row("en weekdays", english, mon3, fri14, weekends, "2.5", "", "10 25 210.28");
    }

    void examples() {
        QFETCH(QLocale, locale);
        QFETCH(QDate, start);
        QFETCH(QDate, end);
        QFETCH(ExclusionMode, mode);
        QFETCH(QString, daily);
        QFETCH(CalcolaOptions, options);

        const CalcolaResult result =
            calcola({text(start, locale), text(end, locale), mode, daily}, options, locale);
        QVERIFY2(!result.failed(), qPrintable(result.error));
        QCOMPARE(result.dateOrderWarning, end < start);
        QTEST(QStringList({result.label6, result.label10, result.label11}).join(u' '), "results");
    }

    void feeJustBelowACent() {
        // One unit in the last place below the double nearest to 39.13, shown as 39,13.
        const double four = feeForTotal(4);
        QCOMPARE(QString::number(four, 'f', 43), "39.1299999999999954525264911353588104248046875");
        QCOMPARE(numberToText(four, italian), "39,13");
    }

    // Seeded random spans against the day-by-day walk, in every mode, with and without the
    // holidays and a patron day; some reversed, some with a time of day as a clock gives.
    void countMatchesTheWalk() {
        const quint32 seed = 20250303;
        QRandomGenerator random(seed);
        const qint64 from1978 = qint64(serialFromDate(QDate(1978, 1, 1)));
        for (int i = 0; i < 3000; ++i) {
            const char *flags = i % 3 == 0 ? "" : i % 3 == 1 ? "H" : "HP";
            const qint64 first = i % 3 == 0 ? qint64(kFirstSerial) : from1978;
            auto randomSerial = [&] {
                return double(random.bounded(first, qint64(kLastSerial) + 1));
            };
            DateSerial start = randomSerial();
            DateSerial end = i % 50 == 0 ? randomSerial()
                                         : std::clamp(start + random.bounded(-40, 1500),
                                                      double(first), kLastSerial);
            if (i % 5 == 0) { // whole years at either end
                start = serialFromDate(QDate(dateFromSerial(start)->year(), 1, 1));
                end = serialFromDate(QDate(dateFromSerial(end)->year(), 12, 31));
            }
            if (i % 4 == 0) {
                start += random.bounded(86400) / 86400.0;
                end += random.bounded(86400) / 86400.0;
            }
            const ExclusionMode mode = ExclusionMode(i / 3 % 3);
            CalcolaOptions chosen = options(flags);
            if (chosen.patron)
                chosen.patron = randomPatron(random);
            const CalcolaResult result = calcola(
                {dateToText(start, italian), dateToText(end, italian), mode, "1"}, chosen, italian);
            QVERIFY2(result.days == reference::walkCountedDays(start, end, mode, chosen),
                     qPrintable(QStringLiteral("seed %1, row %2").arg(seed).arg(i)));
        }
    }

    void holidayLists_data() {
        QTest::addColumn<int>("year");
        QTest::addColumn<QString>("holidays");

        const QString may = "05-01 Festa del Lavoro, ";
        const QString august = "08-15 Assunzione, ";
        const QString end = "11-01 Ognissanti, 12-08 Immacolata Concezione, 12-25 Natale, "
                            "12-26 Santo Stefano";
        const QString old = may + august + end;
        const QString now = may + "06-02 Festa della Repubblica, " + august + end;
        const QString newYear = "01-01 Capodanno, ";
        const QString epiphany = newYear + "01-06 Epifania, ";
        auto easter = [](const char *sunday, const char *monday) {
            return QString("%1 Pasqua, %2 Lunedì dell'Angelo, 04-25 Festa della Liberazione, ")
                .arg(sunday, monday);
        };
        QTest::newRow("1978") << 1978 << newYear + easter("03-26", "03-27") + old;
        QTest::newRow("1985") << 1985 << newYear + easter("04-07", "04-08") + old;
        QTest::newRow("1986") << 1986 << epiphany + easter("03-30", "03-31") + old;
        QTest::newRow("2000") << 2000 << epiphany + easter("04-23", "04-24") + old;
        QTest::newRow("2001") << 2001 << epiphany + easter("04-15", "04-16") + now;
        QTest::newRow("2011") << 2011
                              << epiphany +
                                     "03-17 Anniversario dell'Unità d'Italia, 04-24 Pasqua, "
                                     "04-25 Lunedì dell'Angelo e Festa della Liberazione, " +
                                     now;
        QTest::newRow("2025") << 2025 << epiphany + easter("04-20", "04-21") + now;
        QTest::newRow("2026") << 2026
                              << epiphany + easter("04-05", "04-06") + may +
                                     "06-02 Festa della Repubblica, " + august +
                                     "10-04 San Francesco d'Assisi, " + end;
    }

    void holidayLists() {
        QFETCH(int, year);
        QStringList listed;
        for (const Holiday &holiday : holidaysOf(year, std::nullopt)) {
            QCOMPARE(holiday.date.year(), year);
            listed.append(holiday.date.toString("MM-dd ") + holiday.name);
        }
        QTEST(listed.join(", "), "holidays");
    }

    // Easter Sunday from published tables.
    void easter() {
        const QDate published[] = {{1943, 4, 25}, {1978, 3, 26}, {1985, 4, 7},  {1986, 3, 30},
                                   {2000, 4, 23}, {2008, 3, 23}, {2011, 4, 24}, {2019, 4, 21},
                                   {2024, 3, 31}, {2025, 4, 20}, {2026, 4, 5},  {2038, 4, 25},
                                   {2285, 3, 22}};
        for (const QDate &date : published)
            QCOMPARE(easterSunday(date.year()), date);
    }

    void badInputWritesNothing_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("end");
        QTest::addColumn<QString>("daily");
        QTest::addColumn<bool>("holidays");
        QTest::addColumn<QString>("message"); // a part of the message

        const QString mon3 = text({2025, 3, 3}), fri14 = text({2025, 3, 14});
        for (const char *daily : {"abc", "2.5", "nan", "inf", "1e400", "1,5x"})
            QTest::addRow("daily %s", daily)
                << italian << mon3 << fri14 << daily << false << QString("«%1»").arg(daily);
        QTest::newRow("daily empty") << italian << mon3 << fri14 << "  " << false << "Mancano";
        // 12 days × 1e308 is beyond the largest double.
        QTest::newRow("total overflows") << italian << mon3 << fri14 << "1e308" << false << "1e308";
        QTest::newRow("fee overflows") << italian << mon3 << mon3 << "1e307" << false << "1e307";
        QTest::newRow("en daily comma") << english << text({2025, 3, 3}, english)
                                        << text({2025, 3, 14}, english) << "2,5" << false << "2,5";
        QTest::newRow("start letters") << italian << "abc" << fri14 << "2" << false << "«abc»";
        QTest::newRow("end no such day") << italian << mon3 << "30/02/2025"
                                         << "2" << false << "«30/02/2025»";
        QTest::newRow("holidays before 1978")
            << italian << text({1977, 12, 31}) << text({1978, 1, 2}) << "2" << true
            << "dal 1° gennaio 1978";
    }

    void badInputWritesNothing() {
        QFETCH(QLocale, locale);
        QFETCH(QString, start);
        QFETCH(QString, end);
        QFETCH(QString, daily);
        QFETCH(bool, holidays);
        QFETCH(QString, message);

        const CalcolaResult result =
            calcola({start, end, none, daily}, options(holidays ? "H" : ""), locale);
        QVERIFY2(result.error.contains(message), qPrintable(result.error));
        QCOMPARE(result.label6 + result.label10 + result.label11, QString());
    }
};

QTEST_GUILESS_MAIN(TestFee)
#include "tst_fee.moc"
