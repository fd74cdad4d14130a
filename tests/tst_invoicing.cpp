#include "fiscalcodes.h"
#include "invoicing.h"

#include <QTest>

using namespace fee;

Q_DECLARE_METATYPE(fee::FiscalDetails)
Q_DECLARE_METATYPE(fee::PartyPart)

class TestInvoicing : public QObject {
    Q_OBJECT

private slots:
    // Worked out by hand, each percentage once and rounded half up: the contribution, VAT, the
    // withholding, the stamp, the total and the payment, in cents. The invoice's own tests hold
    // the worked example, the flat rate at the stamp's threshold and the INPS charge.
    void charges_data() {
        QTest::addColumn<FiscalDetails>("details");
        QTest::addColumn<PartyPart>("part");
        QTest::addColumn<bool>("agent");
        QTest::addColumn<QString>("expected");
        const FiscalDetails plain;
        // 10.25 × 22 % = 2.255, up to 2.26; 20 % 2.05.
        QTest::newRow("VAT on a half cent")
            << plain << PartyPart{1025, 0, 0} << true << "0 226 205 0 1251 1046";
        // 123.50 × 5 % = 6.175, up to 6.18; 129.68 × 22 % = 28.5296, 28.53.
        QTest::newRow("surveyors 5 % on a half cent")
            << FiscalDetails{Regime::Ordinario, QStringLiteral("TC03"), 500}
            << PartyPart{12000, 350, 0} << false << "618 2853 0 0 15821 15821";
        // 70.00 + 4 % = 72.80, with 5.00 of art. 15: 77.80, above the threshold.
        QTest::newRow("flat rate with a fund and art. 15 expenses")
            << FiscalDetails{Regime::Forfettario, QStringLiteral("TC04"), 400}
            << PartyPart{7000, 0, 500} << true << "280 0 0 200 7780 7780";
    }

    void charges() {
        QFETCH(FiscalDetails, details);
        QFETCH(PartyPart, part);
        QFETCH(bool, agent);
        QFETCH(QString, expected);
        const auto c = chargesOf(details, part, agent);
        QVERIFY(c);
        QCOMPARE(QStringLiteral("%1 %2 %3 %4 %5 %6")
                     .arg(c->fund)
                     .arg(c->vat)
                     .arg(c->withholding)
                     .arg(c->stamp)
                     .arg(c->total)
                     .arg(c->payment),
                 expected);
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

    // Shapes that tolvemar-fattura's own rows (a wrong check digit or character for each field)
    // leave out; the valid values are the Agenzia's published examples.
    void fields_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("valid");
        enum { Vat, Tax, Iban, Ipa, Recipient };
        QTest::newRow("VAT number, a letter") << int(Vat) << "0123456789A" << false;
        QTest::newRow("another person's tax code") << int(Tax) << "MRTMTT25D09F205Z" << true;
        QTest::newRow("tax code, no such month") << int(Tax) << "RSSMRA80F01H501U" << false;
        QTest::newRow("tax code, lower case") << int(Tax) << "rssmra80a01h501u" << false;
        QTest::newRow("IBAN, a space") << int(Iban) << "IT60 X0542811101000000123456" << false;
        QTest::newRow("IPA code, lower case") << int(Ipa) << "wumv1p" << false;
        QTest::newRow("recipient code, 6 characters") << int(Recipient) << "000000" << false;
    }

    void fields() {
        QFETCH(int, kind);
        QFETCH(QString, value);
        QFETCH(bool, valid);
        using Check = QString (*)(const QString &, const QString &);
        const Check checks[] = {checkVatNumber, checkTaxCode, checkIban, checkIpaCode,
                                checkRecipientCode};
        const QString message = checks[kind](value, QStringLiteral("Campo di prova"));
        QCOMPARE(message.isEmpty(), valid);
        if (!valid)
            QVERIFY(message.startsWith(QStringLiteral("Campo di prova: ")));
    }
};

QTEST_GUILESS_MAIN(TestInvoicing)
#include "tst_invoicing.moc"
