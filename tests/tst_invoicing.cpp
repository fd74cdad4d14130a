#include "fiscalcodes.h"
#include "invoicing.h"

#include <QTest>

using namespace fee;

namespace {

// The expected amounts are worked out by hand, each percentage once and rounded half up.
struct Case {
    const char *name;
    Regime regime;
    const char *fundCode;
    Rate fundRate;
    PartyPart part;
    bool agent;
    Charges expected; // fundBase, fund, vatBase, vat, withholdingBase, withholding, stamp, total,
                      // payment, fundWithheld
};

const Case cases[] = {
    // 1000.00 + 4 % = 1040.00; 22 % of it 228.80; with 150.00 of art. 15, 1418.80; 20 % of the
    // fee alone 200.00; to pay 1218.80.
    {"worked example, Inarcassa",
     Regime::Ordinario,
     "TC04",
     400,
     {100000, 0, 15000},
     true,
     {100000, 4000, 104000, 22880, 100000, 20000, 0, 141880, 121880, false}},
    {"the same paid by a party that does not withhold",
     Regime::Ordinario,
     "TC04",
     400,
     {100000, 0, 15000},
     false,
     {100000, 4000, 104000, 22880, 0, 0, 0, 141880, 141880, false}},
    // 1000.00 + 50.00 = 1050.00; 4 % 42.00; 1092.00 × 22 % = 240.24; withheld 20 % of 1092.00
    // = 218.40; total 1332.24, to pay 1113.84.
    {"INPS 4 %: the contribution withheld too",
     Regime::Ordinario,
     "TC22",
     400,
     {100000, 5000, 0},
     true,
     {105000, 4200, 109200, 24024, 109200, 21840, 0, 133224, 111384, true}},
    // 10.25 × 22 % = 2.255, up to 2.26; 20 % 2.05.
    {"VAT on a half cent",
     Regime::Ordinario,
     "",
     0,
     {1025, 0, 0},
     true,
     {1025, 0, 1025, 226, 1025, 205, 0, 1251, 1046, false}},
    // 123.50 × 5 % = 6.175, up to 6.18; 129.68 × 22 % = 28.5296, 28.53.
    {"surveyors 5 % on a half cent",
     Regime::Ordinario,
     "TC03",
     500,
     {12000, 350, 0},
     false,
     {12350, 618, 12968, 2853, 0, 0, 0, 15821, 15821, false}},
    {"flat rate, 80.00: the stamp, outside the total",
     Regime::Forfettario,
     "",
     0,
     {8000, 0, 0},
     true,
     {8000, 0, 8000, 0, 0, 0, 200, 8000, 8000, false}},
    {"flat rate, 77.47: no stamp",
     Regime::Forfettario,
     "",
     0,
     {7747, 0, 0},
     true,
     {7747, 0, 7747, 0, 0, 0, 0, 7747, 7747, false}},
    // 70.00 + 4 % = 72.80, with 5.00 of art. 15: 77.80, above the threshold.
    {"flat rate with a fund and art. 15 expenses",
     Regime::Forfettario,
     "TC04",
     400,
     {7000, 0, 500},
     true,
     {7000, 280, 7280, 0, 0, 0, 200, 7780, 7780, false}},
};

} // namespace

class TestInvoicing : public QObject {
    Q_OBJECT

private slots:
    void charges_data() {
        QTest::addColumn<int>("index");
        for (int i = 0; i < int(std::size(cases)); ++i)
            QTest::newRow(cases[i].name) << i;
    }

    void charges() {
        QFETCH(int, index);
        const Case &c = cases[index];
        const auto got =
            chargesOf({c.regime, QString::fromLatin1(c.fundCode), c.fundRate}, c.part, c.agent);
        QVERIFY(got);
        const Charges &e = c.expected;
        QCOMPARE(got->fundBase, e.fundBase);
        QCOMPARE(got->fund, e.fund);
        QCOMPARE(got->vatBase, e.vatBase);
        QCOMPARE(got->vat, e.vat);
        QCOMPARE(got->withholdingBase, e.withholdingBase);
        QCOMPARE(got->withholding, e.withholding);
        QCOMPARE(got->stamp, e.stamp);
        QCOMPARE(got->total, e.total);
        QCOMPARE(got->payment, e.payment);
        QCOMPARE(got->fundWithheld, e.fundWithheld);
    }

    void refused() {
        const FiscalDetails plain;
        QVERIFY(!chargesOf(plain, {-1, 0, 0}, true));
        QVERIFY(!chargesOf(plain, {0, 0, kMaxAmount + 1}, true));
        QVERIFY(chargesOf(plain, {kMaxAmount, kMaxAmount, kMaxAmount}, true));
        QVERIFY(!chargesOf({Regime::Ordinario, QStringLiteral("TC04"), 10001}, {1, 0, 0}, true));
    }

    void funds() {
        QCOMPARE(fee::funds().size(), 22u);
        for (const auto &[code, rate] : {std::pair{"TC03", 500},
                                         {"TC04", 400},
                                         {"TC17", 500},
                                         {"TC22", 400},
                                         {"TC02", 0},
                                         {"TC21", 0}}) {
            const Fund *fund = fundOf(QString::fromLatin1(code));
            QVERIFY(fund);
            QCOMPARE(fund->defaultRate, rate);
            QCOMPARE(fund->withheld, QByteArray(code) == "TC22");
        }
        QVERIFY(!fundOf(QStringLiteral("TC23")));
    }

    // The valid values are published examples: the Agenzia's tax codes and VAT number, the
    // IBAN of ISO 13616's Italian example.
    void fields_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("valid");
        enum { Vat, Tax, Iban, Ipa, Recipient, Province, Cap };
        const auto row = [](const char *name, int kind, const char *value, bool valid) {
            QTest::newRow(name) << kind << QString::fromUtf8(value) << valid;
        };
        row("VAT number", Vat, "01234567897", true);
        row("VAT number, wrong check digit", Vat, "01234567890", false);
        row("VAT number, 10 digits", Vat, "0123456789", false);
        row("VAT number, a letter", Vat, "0123456789A", false);
        row("person's tax code", Tax, "RSSMRA80A01H501U", true);
        row("another person's tax code", Tax, "MRTMTT25D09F205Z", true);
        row("person's tax code, wrong letter", Tax, "RSSMRA80A01H501A", false);
        row("person's tax code, no such month", Tax, "RSSMRA80F01H501U", false);
        row("person's tax code, lower case", Tax, "rssmra80a01h501u", false);
        row("body's tax code", Tax, "81019670025", true);
        row("body's tax code, wrong digit", Tax, "81019670026", false);
        row("IBAN", Iban, "IT60X0542811101000000123456", true);
        row("IBAN, wrong check digits", Iban, "IT61X0542811101000000123456", false);
        row("IBAN, a space", Iban, "IT60 X0542811101000000123456", false);
        row("IPA code", Ipa, "WUMV1P", true);
        row("IPA code, lower case", Ipa, "wumv1p", false);
        row("IPA code, 7 characters", Ipa, "WUMV1PX", false);
        row("recipient code", Recipient, "0000000", true);
        row("recipient code, 6 characters", Recipient, "000000", false);
        row("province", Province, "BI", true);
        row("province, a digit", Province, "B1", false);
        row("CAP", Cap, "13900", true);
        row("CAP, 4 digits", Cap, "1390", false);
    }

    void fields() {
        QFETCH(int, kind);
        QFETCH(QString, value);
        QFETCH(bool, valid);
        using Check = QString (*)(const QString &, const QString &);
        const Check checks[] = {checkVatNumber,     checkTaxCode,  checkIban,      checkIpaCode,
                                checkRecipientCode, checkProvince, checkPostalCode};
        const QString message = checks[kind](value, QStringLiteral("Campo di prova"));
        QCOMPARE(message.isEmpty(), valid);
        if (!valid)
            QVERIFY(message.startsWith(QStringLiteral("Campo di prova: ")));
    }
};

QTEST_GUILESS_MAIN(TestInvoicing)
#include "tst_invoicing.moc"
