#include "conversions.h"

#include <QTest>

using namespace fee;

// Every text the program writes reads back to the value it was made from, in every locale Qt
// knows: native digits, right-to-left marks, exponents written as "×10^" and all.
class TestLocales : public QObject {
    Q_OBJECT

private slots:
    void readBack_data() {
        QTest::addColumn<QLocale>("locale");
        const auto locales = QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript,
                                                      QLocale::AnyTerritory);
        for (const QLocale &locale : locales)
            QTest::newRow(qPrintable(locale.name())) << locale;
    }

    void readBack() {
        QFETCH(QLocale, locale);

        const DateSerial dates[] = {
            kFirstSerial,
            kLastSerial,
            serialFromDate(QDate(2000, 2, 29)),
            serialFromDateTime(QDate(1925, 6, 1), QTime(13, 45, 7)),
            serialFromDateTime(QDate(1899, 12, 29), QTime(6, 0)),
            currentSerial(),
        };
        for (DateSerial date : dates) {
            const QString text = dateToText(date, locale);
            QVERIFY2(!text.isEmpty(), qPrintable(QString::number(date)));
            QCOMPARE(textToDate(text, locale), std::optional<DateSerial>(date));
        }

        const double numbers[] = {0,
                                  -8,
                                  0.5,
                                  10.605,
                                  332.53000000000003,
                                  1e20,
                                  1e-7,
                                  -1.7976931348623157e308,
                                  4.9406564584124654e-324};
        for (double number : numbers) {
            const QString text = numberToText(number, locale);
            const auto read = textToNumber(text, locale);
            QVERIFY2(read.has_value(), qPrintable(text));
            QCOMPARE(QString::number(*read, 'g', 15), QString::number(number, 'g', 15));
        }

        for (qint64 integer : {qint64(0), qint64(-4), qint64(3615900)}) {
            const QString text = integerToText(integer, locale);
            QCOMPARE(textToNumber(text, locale), std::optional<double>(double(integer)));
        }
    }
};

QTEST_GUILESS_MAIN(TestLocales)
#include "tst_locales.moc"
