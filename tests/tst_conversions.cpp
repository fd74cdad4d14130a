#include "conversions.h"

#include <QTest>

#include <cmath>

using namespace fee;

// Conversions in Italian first, then in locales that write "." as the decimal separator or put
// the parts of a date in another order.
class TestConversions : public QObject {
    Q_OBJECT

private slots:
    void numberToText_data();
    void numberToText();
    void textToNumber_data();
    void textToNumber();
    void textToNumberRefuses_data();
    void textToNumberRefuses();
    void dateToText_data();
    void dateToText();
    void textToDateRefuses_data();
    void textToDateRefuses();
    void dayDifference_data();
    void dayDifference();
    void weekdayNumber_data();
    void weekdayNumber();
    void serialRange();
};

namespace {

const QLocale italian(QLocale::Italian, QLocale::Italy);
const QLocale english(QLocale::English, QLocale::UnitedStates);
const QLocale german(QLocale::German, QLocale::Germany);

DateSerial serial(int year, int month, int day, QTime time = QTime(0, 0)) {
    return serialFromDateTime(QDate(year, month, day), time);
}

} // namespace

void TestConversions::numberToText_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");

    QTest::newRow("it fee for 40") << italian << 332.53000000000003 << "332,53";
    QTest::newRow("it zero") << italian << 0.0 << "0";
    QTest::newRow("it negative zero") << italian << -0.0 << "0";
    QTest::newRow("it negative") << italian << -8.0 << "-8";
    QTest::newRow("it half") << italian << 0.5 << "0,5";
    QTest::newRow("it 15 digits") << italian << 10.605 << "10,605";
    QTest::newRow("it no grouping") << italian << 1234567.0 << "1234567";
    QTest::newRow("it large") << italian << 1e20 << "1E+20";
    QTest::newRow("it small") << italian << 1e-7 << "1E-07";
    QTest::newRow("it fee for 4") << italian << 39.129999999999995 << "39,13";
    QTest::newRow("en fee for 40") << english << 332.53000000000003 << "332.53";
    QTest::newRow("en no grouping") << english << 1234567.5 << "1234567.5";
    QTest::newRow("de half") << german << 0.5 << "0,5";
}

void TestConversions::numberToText() {
    QFETCH(QLocale, locale);
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(fee::numberToText(value, locale), text);
}

void TestConversions::textToNumber_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");

    QTest::newRow("it decimal") << italian << "2,5" << 2.5;
    QTest::newRow("it grouped") << italian << "1.000" << 1000.0;
    QTest::newRow("it grouped decimal") << italian << "1.234,5" << 1234.5;
    QTest::newRow("it blanks") << italian << "  12 " << 12.0;
    QTest::newRow("it negative") << italian << "-8" << -8.0;
    QTest::newRow("it exponent") << italian << "1E+20" << 1e20;
    QTest::newRow("it leading separator") << italian << ",5" << 0.5;
    QTest::newRow("en decimal") << english << "2.5" << 2.5;
    QTest::newRow("en grouped") << english << "1,000" << 1000.0;
    QTest::newRow("de grouped") << german << "1.000,25" << 1000.25;
}

void TestConversions::textToNumber() {
    QFETCH(QLocale, locale);
    QFETCH(QString, text);
    QFETCH(double, value);
    const auto read = fee::textToNumber(text, locale);
    QVERIFY(read.has_value());
    QCOMPARE(*read, value);
}

void TestConversions::textToNumberRefuses_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("text");

    // In Italian "." only groups thousands: "2.5" is no number (it is not 25).
    QTest::newRow("it point") << italian << "2.5";
    QTest::newRow("it misplaced group") << italian << "1.00";
    QTest::newRow("it empty") << italian << "";
    QTest::newRow("it blanks") << italian << "   ";
    QTest::newRow("it letters") << italian << "abc";
    QTest::newRow("it trailing letters") << italian << "12abc";
    QTest::newRow("it two separators") << italian << "1,2,3";
    QTest::newRow("it nan") << italian << "nan";
    QTest::newRow("it inf") << italian << "inf";
    QTest::newRow("it beyond double") << italian << "1e400";
    QTest::newRow("en comma") << english << "2,5";
    QTest::newRow("en nan") << english << "NaN";
    QTest::newRow("en beyond double") << english << "-1e309";
}

void TestConversions::textToNumberRefuses() {
    QFETCH(QLocale, locale);
    QFETCH(QString, text);
    QVERIFY(!fee::textToNumber(text, locale).has_value());
}

void TestConversions::dateToText_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<double>("serial");
    QTest::addColumn<QString>("text");

    QTest::newRow("it") << italian << serial(2025, 3, 3) << "03/03/2025";
    QTest::newRow("it four-digit year") << italian << serial(1925, 6, 1) << "01/06/1925";
    QTest::newRow("it first day") << italian << kFirstSerial << "01/01/0100";
    QTest::newRow("it last day") << italian << kLastSerial << "31/12/9999";
    QTest::newRow("it with time") << italian << serial(2025, 3, 3, QTime(13, 45, 7))
                                  << "03/03/2025 13:45:07";
    QTest::newRow("it before 1900")
        << italian << serial(1899, 12, 29, QTime(6, 0)) << "29/12/1899 06:00:00";
    QTest::newRow("en") << english << serial(2025, 3, 14) << "3/14/2025";
    QTest::newRow("de") << german << serial(2000, 2, 29) << "29.02.2000";
}

void TestConversions::dateToText() {
    QFETCH(QLocale, locale);
    QFETCH(double, serial);
    QFETCH(QString, text);
    QCOMPARE(fee::dateToText(serial, locale), text);
    QCOMPARE(fee::textToDate(text, locale), std::optional<DateSerial>(serial));
}

void TestConversions::textToDateRefuses_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("text");

    QTest::newRow("it empty") << italian << "";
    QTest::newRow("it letters") << italian << "oggi";
    QTest::newRow("it two-digit year") << italian << "03/03/25";
    QTest::newRow("it no such day") << italian << "31/02/2025";
    QTest::newRow("it month 13") << italian << "01/13/2025";
    QTest::newRow("it year before 100") << italian << "01/01/0099";
    QTest::newRow("it trailing text") << italian << "03/03/2025 x";
    QTest::newRow("it bad time") << italian << "03/03/2025 25:00:00";
    QTest::newRow("it other order") << italian << "2025-03-03";
    QTest::newRow("en day first") << english << "14/3/2025";
}

void TestConversions::textToDateRefuses() {
    QFETCH(QLocale, locale);
    QFETCH(QString, text);
    QVERIFY(!fee::textToDate(text, locale).has_value());
}

void TestConversions::dayDifference_data() {
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

void TestConversions::dayDifference() {
    QFETCH(double, first);
    QFETCH(double, second);
    QFETCH(qint64, days);
    QCOMPARE(fee::dayDifference(first, second), days);
}

void TestConversions::weekdayNumber_data() {
    QTest::addColumn<double>("serial");
    QTest::addColumn<int>("weekday");

    QTest::newRow("epoch is a Saturday") << 0.0 << 7;
    QTest::newRow("Sunday") << serial(2025, 3, 9) << 1;
    QTest::newRow("Monday") << serial(2025, 3, 3) << 2;
    QTest::newRow("Friday before the epoch") << -1.0 << 6;
    QTest::newRow("with time") << serial(2025, 3, 8, QTime(23, 59, 59)) << 7;
    QTest::newRow("first day, a Friday") << kFirstSerial << 6;
    QTest::newRow("last day, a Friday") << kLastSerial << 6;
}

void TestConversions::weekdayNumber() {
    QFETCH(double, serial);
    QFETCH(int, weekday);
    QCOMPARE(fee::weekdayNumber(serial), weekday);
}

void TestConversions::serialRange() {
    QCOMPARE(serialFromDate(QDate(1900, 1, 1)), 2.0);
    QCOMPARE(serialFromDate(QDate(100, 1, 1)), kFirstSerial);
    QCOMPARE(serialFromDate(QDate(9999, 12, 31)), kLastSerial);
    QVERIFY(!dateFromSerial(kFirstSerial - 1).has_value());
    QVERIFY(!dateFromSerial(kLastSerial + 1).has_value());
    QVERIFY(!dateFromSerial(std::nan("")).has_value());
    QVERIFY(fee::dateToText(kLastSerial + 1, italian).isEmpty());
}

QTEST_GUILESS_MAIN(TestConversions)
#include "tst_conversions.moc"
