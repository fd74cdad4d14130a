#include "conversions.h"

#include <QTest>

#include <cmath>
#include <limits>

using namespace fee;

namespace {

const QLocale italian(QLocale::Italian, QLocale::Italy);
const QLocale english(QLocale::English, QLocale::UnitedStates);
const QLocale german(QLocale::German, QLocale::Germany);
constexpr double refused = std::numeric_limits<double>::quiet_NaN();

DateSerial serial(int year, int month, int day, QTime time = QTime(0, 0)) {
    return serialFromDateTime(QDate(year, month, day), time);
}

} // namespace

// Conversions in Italian first, then in locales that write "." as the decimal separator or put
// the parts of a date in another order.
class TestConversions : public QObject {
    Q_OBJECT

private slots:
    void numberToText_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");

        QTest::newRow("it fee for 40") << italian << 332.53000000000003 << "332,53";
        QTest::newRow("it negative zero") << italian << -0.0 << "0";
        QTest::newRow("it negative") << italian << -8.0 << "-8";
        QTest::newRow("it 15 digits") << italian << 10.605 << "10,605";
        QTest::newRow("it no grouping") << italian << 1234567.0 << "1234567";
        QTest::newRow("it large") << italian << 1e20 << "1E+20";
        QTest::newRow("it small") << italian << 1e-7 << "1E-07";
        QTest::newRow("it fee for 4") << italian << 39.129999999999995 << "39,13";
        QTest::newRow("en fee for 40") << english << 332.53000000000003 << "332.53";
        QTest::newRow("de half") << german << 0.5 << "0,5";
    }

    void numberToText() {
        QFETCH(QLocale, locale);
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(fee::numberToText(value, locale), text);
    }

    // A NaN value: the text is no number.
    void textToNumber_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");

        QTest::newRow("it decimal") << italian << "2,5" << 2.5;
        QTest::newRow("it grouped") << italian << "1.234,5" << 1234.5;
        QTest::newRow("it blanks") << italian << "  12 " << 12.0;
        QTest::newRow("it exponent") << italian << "-1E+20" << -1e20;
        QTest::newRow("it leading separator") << italian << ",5" << 0.5;
        // In Italian "." only groups thousands: "2.5" is no number (it is not 25).
        QTest::newRow("it point") << italian << "2.5" << refused;
        QTest::newRow("it misplaced group") << italian << "1.00" << refused;
        QTest::newRow("it empty") << italian << "" << refused;
        QTest::newRow("it blank") << italian << "   " << refused;
        QTest::newRow("it letters") << italian << "12abc" << refused;
        QTest::newRow("it two separators") << italian << "1,2,3" << refused;
        QTest::newRow("it nan") << italian << "nan" << refused;
        QTest::newRow("it inf") << italian << "inf" << refused;
        QTest::newRow("it beyond double") << italian << "1e400" << refused;
        QTest::newRow("en decimal") << english << "2.5" << 2.5;
        QTest::newRow("en grouped") << english << "1,000" << 1000.0;
        QTest::newRow("en comma") << english << "2,5" << refused;
        QTest::newRow("en beyond double") << english << "-1e309" << refused;
    }

    void textToNumber() {
        QFETCH(QLocale, locale);
        QFETCH(QString, text);
        QFETCH(double, value);
        const auto read = fee::textToNumber(text, locale);
        QCOMPARE(read.has_value(), !std::isnan(value));
        if (read)
            QCOMPARE(*read, value);
    }

    // A NaN serial: the text is no date. Every other text is what the serial writes.
    void dates_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("serial");

        QTest::newRow("it") << italian << "03/03/2025" << serial(2025, 3, 3);
        QTest::newRow("it four-digit year") << italian << "01/06/1925" << serial(1925, 6, 1);
        QTest::newRow("it first day") << italian << "01/01/0100" << kFirstSerial;
        QTest::newRow("it last day") << italian << "31/12/9999" << kLastSerial;
        QTest::newRow("it with time")
            << italian << "03/03/2025 13:45:07" << serial(2025, 3, 3, QTime(13, 45, 7));
        QTest::newRow("it before 1900")
            << italian << "29/12/1899 06:00:00" << serial(1899, 12, 29, QTime(6, 0));
        QTest::newRow("it two-digit year") << italian << "03/03/25" << refused;
        QTest::newRow("it no such day") << italian << "31/02/2025" << refused;
        QTest::newRow("it month 13") << italian << "01/13/2025" << refused;
        QTest::newRow("it year before 100") << italian << "01/01/0099" << refused;
        QTest::newRow("it trailing text") << italian << "03/03/2025 x" << refused;
        QTest::newRow("it bad time") << italian << "03/03/2025 25:00:00" << refused;
        QTest::newRow("it other order") << italian << "2025-03-03" << refused;
        QTest::newRow("it empty") << italian << "" << refused;
        QTest::newRow("en") << english << "3/14/2025" << serial(2025, 3, 14);
        QTest::newRow("en day first") << english << "14/3/2025" << refused;
        QTest::newRow("de") << german << "29.02.2000" << serial(2000, 2, 29);
    }

    void dates() {
        QFETCH(QLocale, locale);
        QFETCH(QString, text);
        QFETCH(double, serial);
        if (std::isnan(serial)) {
            QVERIFY(!fee::textToDate(text, locale).has_value());
            return;
        }
        QCOMPARE(fee::dateToText(serial, locale), text);
        QCOMPARE(fee::textToDate(text, locale), std::optional<DateSerial>(serial));
    }

    void dayDifference_data() {
        QTest::addColumn<double>("first");
        QTest::addColumn<double>("second");
        QTest::addColumn<qint64>("days");

        QTest::newRow("equal") << serial(2025, 3, 3) << serial(2025, 3, 3) << qint64(0);
        QTest::newRow("six days before") << serial(2025, 3, 10) << serial(2025, 3, 4) << qint64(-6);
        QTest::newRow("time does not count")
            << serial(2025, 3, 3, QTime(23, 0)) << serial(2025, 3, 4, QTime(1, 0)) << qint64(1);
        QTest::newRow("across the epoch")
            << serial(1899, 12, 29, QTime(12, 0)) << serial(1899, 12, 31) << qint64(2);
        QTest::newRow("whole range") << kFirstSerial << kLastSerial << qint64(3615899);
    }

    void dayDifference() {
        QFETCH(double, first);
        QFETCH(double, second);
        QFETCH(qint64, days);
        QCOMPARE(fee::dayDifference(first, second), days);
    }

    void weekdayNumber_data() {
        QTest::addColumn<double>("serial");
        QTest::addColumn<int>("weekday");

        QTest::newRow("epoch is a Saturday") << 0.0 << 7;
        QTest::newRow("Sunday") << serial(2025, 3, 9) << 1;
        QTest::newRow("Monday") << serial(2025, 3, 3) << 2;
        QTest::newRow("Friday before the epoch") << -1.0 << 6;
        QTest::newRow("with time") << serial(2025, 3, 8, QTime(23, 59, 59)) << 7;
        QTest::newRow("first day, a Friday") << kFirstSerial << 6;
    }

    void weekdayNumber() {
        QFETCH(double, serial);
        QFETCH(int, weekday);
        QCOMPARE(fee::weekdayNumber(serial), weekday);
    }

    void serialRange() {
        QCOMPARE(serialFromDate(QDate(1900, 1, 1)), 2.0);
        QVERIFY(!dateFromSerial(kFirstSerial - 1).has_value());
        QVERIFY(!dateFromSerial(kLastSerial + 1).has_value());
        QVERIFY(!dateFromSerial(std::nan("")).has_value());
        QVERIFY(fee::dateToText(kLastSerial + 1, italian).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestConversions)
#include "tst_conversions.moc"
