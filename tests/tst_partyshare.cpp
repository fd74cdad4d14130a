#include "partyshare.h"

#include <QTest>

// Who owes what on a decree, every figure by hand.
class TestPartyShare : public QObject {
    Q_OBJECT

private slots:
    void shares_data() {
        QTest::addColumn<fee::Cents>("amount");
        QTest::addColumn<int>("share");
        QTest::addColumn<fee::Cents>("part");
        // 1000,00 € × 33,33 % = 333,30 €; 0,01 € × 50 % = 0,005 € up to 0,01 €;
        // 0,02 € × 24,99 % = 0,004998 € down to 0.
        QTest::newRow("third") << fee::Cents(100000) << 3333 << fee::Cents(33330);
        QTest::newRow("half of a cent") << fee::Cents(1) << 5000 << fee::Cents(1);
        QTest::newRow("just below half") << fee::Cents(2) << 2499 << fee::Cents(0);
        QTest::newRow("overpaid") << fee::Cents(-1) << 5000 << fee::Cents(-1);
        QTest::newRow("largest") << std::numeric_limits<fee::Cents>::max() << 10000
                                 << std::numeric_limits<fee::Cents>::max();
    }
    void shares() {
        QFETCH(fee::Cents, amount);
        QFETCH(int, share);
        QTEST(fee::shareOf(amount, share), "part");
    }

    // Rossi bears 60 %, Bianchi 40 % of 1.000,00 €; without the expert's details.
    void owed_data() {
        QTest::addColumn<QList<fee::Paid>>("payments");
        QTest::addColumn<bool>("jointly");
        QTest::addColumn<QList<fee::Cents>>("owed"); // the residue, Rossi, Bianchi
        QTest::newRow("each on its own share: 600 - 100, 400 - 300")
            << QList<fee::Paid>{{"Rossi", 10000}, {"Bianchi", 30000}} << false
            << QList<fee::Cents>{60000, 50000, 10000};
        QTest::newRow("an insurer for both: 60 % and 40 % of 500")
            << QList<fee::Paid>{{"Assicurazione", 50000}} << false
            << QList<fee::Cents>{50000, 30000, 20000};
        QTest::newRow("Bianchi beyond its share: Rossi owes what is left")
            << QList<fee::Paid>{{"Bianchi", 50000}} << false << QList<fee::Cents>{50000, 50000, 0};
        QTest::newRow("in solido")
            << QList<fee::Paid>{{"Rossi", 10000}} << true << QList<fee::Cents>{90000, 50000, 40000};
    }
    void owed() {
        QFETCH(QList<fee::Paid>, payments);
        QFETCH(bool, jointly);
        const fee::Liquidation l{
            100000, 0, 0, 0, {{"Rossi", 6000, jointly}, {"Bianchi", 4000, jointly}}, payments};
        const auto account = std::get<fee::Account>(fee::accountOf(l, std::nullopt));
        QVERIFY(!account.withCharges);
        QTEST(
            (QList<fee::Cents>{account.residue, account.parties[0].owed, account.parties[1].owed}),
            "owed");
    }

    // The worked example as one party's whole part: fee 1.000,00 €, art. 15 expenses
    // 150,00 €, Inarcassa 4 % = 40,00 €, VAT 22 % of 1.040,00 € = 228,80 €, total 1.418,80 €,
    // withholding 20 % of 1.000,00 € = 200,00 €, to pay 1.218,80 €. The second party, not a
    // withholding agent, pays its 1.418,80 € whole; the insurer's 1.000,00 € goes half to each.
    void withCharges() {
        const fee::Liquidation l{230000,
                                 0,
                                 30000,
                                 0,
                                 {{"Alfa", 5000, false, true}, {"Beta", 5000, false, false}},
                                 {{"Alfa", 18880}, {"Assicurazione", 100000}}};
        const auto account = std::get<fee::Account>(
            fee::accountOf(l, fee::FiscalDetails{fee::Regime::Ordinario, "TC04", 400}));
        QVERIFY(account.withCharges);
        const fee::PartyAccount &alfa = account.parties[0];
        QCOMPARE(alfa.part.fee, fee::Cents(100000));
        QCOMPARE(alfa.part.excludedExpenses, fee::Cents(15000));
        QCOMPARE(alfa.charges->fund, fee::Cents(4000));
        QCOMPARE(alfa.charges->vat, fee::Cents(22880));
        QCOMPARE(alfa.charges->withholding, fee::Cents(20000));
        QCOMPARE(alfa.due, fee::Cents(121880));
        QCOMPARE(account.parties[1].due, fee::Cents(141880));
        QCOMPARE(account.due, fee::Cents(263760));
        QCOMPARE(account.residue, fee::Cents(263760 - 118880));
        QCOMPARE(alfa.owed, fee::Cents(121880 - 50000 - 18880));
        QCOMPARE(account.parties[1].owed, fee::Cents(141880 - 50000));
    }

    void refused() {
        const fee::Liquidation l{100000, 90000, 20000, 0, {}, {}};
        QVERIFY(std::holds_alternative<QString>(fee::accountOf(l, std::nullopt)));
    }
};

QTEST_GUILESS_MAIN(TestPartyShare)
#include "tst_partyshare.moc"
