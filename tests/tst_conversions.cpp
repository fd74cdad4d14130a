#include "conversions.h"

#include <QTest>

#include <cmath>

using namespace fee;

namespace {

const QLocale italian(QLocale::Italian, QLocale::Italy);
const QLocale english(QLocale::English, QLocale::UnitedStates);
const QLocale german(QLocale::German, QLocale::Germany);

DateSerial serial(int year, int month, int day, QTime time = QTime(0, 0)) {
    return serialFromDateTime(QDate(year, month, day), time);
}

} // namespace

// Values and texts under the user's regional settings: what the program writes in Italian and
// in locales that order or separate otherwise, the texts it refuses, and, in every locale Qt
// knows, that each text it writes reads back to its value.
class TestConversions : public QObject {
    Q_OBJECT

private slots:
    // A NaN value: the text is refused. Otherwise the value writes as the text and reads back.
    void texts_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<bool>("date");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("written"); // as the program writes the value, not only reads it

        const double refused = std::nan("");
        auto number = [](const char *name, const QLocale &locale, double value, const char *text,
                         bool written = true) {
            QTest::newRow(name) << locale << false << value << QString(text) << written;
        };
        auto date = [](const char *name, const QLocale &locale, double value, const char *text) {
            QTest::newRow(name) << locale << true << value << QString(text) << true;
        };
        number("fee for 40", italian, 332.53000000000003, "332,53");
        number("15 digits", italian, 1.0 / 3, "0,333333333333333");
        number("negative", italian, -8.0, "-8");
        number("no grouping", italian, 1234567.0, "1234567");
        number("large", italian, 1e20, "1E+20");
        number("small", italian, 1e-7, "1E-07");
        number("en fee for 40", english, 332.53000000000003, "332.53");
        number("de half", german, 0.5, "0,5");
        // Read, but written otherwise: grouped, blanks, a leading separator.
        number("grouped", italian, 1234.5, "1.234,5", false);
        number("blanks", italian, 12, "  12 ", false);
        number("leading separator", italian, 0.5, ",5", false);
        number("en grouped", english, 1000, "1,000", false);
        // In Italian "." only groups thousands: "2.5" is no number (it is not 25).
        for (const char *text : {"2.5", "1.00", "", "   ", "12abc", "1,2,3", "nan", "inf", "1e400"})
            number(text, italian, refused, text);
        number("en comma", english, refused, "2,5");
        number("en beyond double", english, refused, "-1e309");

        date("it", italian, serial(2025, 3, 3), "03/03/2025");
        date("four-digit year", italian, serial(1925, 6, 1), "01/06/1925");
        date("with time", italian, serial(2025, 3, 3, QTime(13, 45, 7)), "03/03/2025 13:45:07");
        date("before 1900", italian, serial(1899, 12, 29, QTime(6, 0)), "29/12/1899 06:00:00");
        date("en", english, serial(2025, 3, 14), "3/14/2025");
        date("de", german, serial(2000, 2, 29), "29.02.2000");
        for (const char *text : {"03/03/25", "31/02/2025", "01/13/2025", "01/01/0099",
                                 "03/03/2025 x", "03/03/2025 25:00:00", "2025-03-03", ""})
            date(text, italian, refused, text);
        date("en day first", english, refused, "14/3/2025");
    }

    void texts() {
        QFETCH(QLocale, locale);
        QFETCH(bool, date);
        QFETCH(double, value);
        QFETCH(QString, text);
        const auto read = date ? textToDate(text, locale) : textToNumber(text, locale);
        QCOMPARE(read.has_value(), !std::isnan(value));
        if (!read)
            return;
        QCOMPARE(*read, value);
        QFETCH(bool, written);
        if (written)
            QCOMPARE(date ? dateToText(value, locale) : numberToText(value, locale), text);
    }

    void readBack_data() {
        QTest::addColumn<QLocale>("locale");
        const auto locales = QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript,
                                                      QLocale::AnyTerritory);
        for (const QLocale &locale : locales)
            QTest::newRow(qPrintable(locale.name())) << locale;
    }

    // Native digits, right-to-left marks, exponents written as "×10^" and all.
    void readBack() {
        QFETCH(QLocale, locale);
        const DateSerial dates[] = {kFirstSerial,
                                    kLastSerial,
                                    serial(2000, 2, 29),
                                    serial(1925, 6, 1, QTime(13, 45, 7)),
                                    serial(1899, 12, 29, QTime(6, 0)),
                                    currentSerial()};
        for (DateSerial date : dates) {
            const QString text = dateToText(date, locale);
            QCOMPARE(textToDate(text, locale), std::optional<DateSerial>(date));
        }
        QVERIFY(dateToText(kLastSerial + 1, locale).isEmpty());

        const double numbers[] = {0,
                                  -8,
                                  0.5,
                                  10.605,
                                  332.53000000000003,
                                  1e20,
                                  1e-7,
                                  -0.0,
                                  -1.7976931348623157e308,
                                  4.9406564584124654e-324,
                                  6666666666646625}; // halfway between two of 15 digits
        for (double number : numbers) {
            const QString text = numberToText(number, locale);
            const auto read = textToNumber(text, locale);
            QVERIFY2(read.has_value(), qPrintable(text));
            QCOMPARE(QString::number(*read, 'g', 15), QString::number(number + 0.0, 'g', 15));
        }
        for (qint64 integer : {qint64(0), qint64(-4), qint64(3615900)})
            QCOMPARE(textToNumber(integerToText(integer, locale), locale), double(integer));
    }
};

QTEST_GUILESS_MAIN(TestConversions)
#include "tst_conversions.moc"
