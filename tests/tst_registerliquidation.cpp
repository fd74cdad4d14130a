#include "accessibilityaudit.h"
#include "expertdialog.h"
#include "partymodel.h"
#include "paymentmodel.h"
#include "pdftext.h"
#include "registerdriver.h"

#include <QAbstractItemModelTester>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

using Lines = QList<tolvemar::settlementtext::Line>;

// The decree of liquidation, the parties who bear it and their payments, typed in the register
// window; the file read afresh to see what was saved.
class TestRegisterLiquidation : public QObject, public RegisterDriver {
    Q_OBJECT

    qint64 id = 0;

    // The page "Liquidazione e pagamenti" in front, its models under Qt's model tester.
    void openLiquidation() {
        QVERIFY(openRegister());
        registerWindow->findChild<QTabWidget *>()->setCurrentIndex(1);
        for (const char *table : {"Parti a carico", "Pagamenti", "Fatture"})
            new QAbstractItemModelTester(field<QTableView>(QString::fromUtf8(table))->model(),
                                         QAbstractItemModelTester::FailureReportingMode::QtTest,
                                         registerWindow);
    }
    void addParty(const QString &name, const QString &share) {
        click(QStringLiteral("Aggiungi parte"));
        typeCell(name);
        typeCell(share, Qt::Key_Return);
    }
    // The payer chosen among the parties that the list offers, or typed.
    void addPayment(const QString &date, const QString &payer, const QString &amount) {
        const int row = field<QTableView>(QStringLiteral("Pagamenti"))->model()->rowCount();
        click(QStringLiteral("Aggiungi pagamento"));
        typeCell(date);
        auto *combo = qobject_cast<QComboBox *>(registerWindow->focusWidget());
        QVERIFY(combo);
        const int offered = combo->findText(payer);
        QVERIFY(offered >= 0 || payer.isEmpty());
        combo->setCurrentIndex(offered);
        QTest::keyClick(combo, Qt::Key_Return);
        QCoreApplication::processEvents(); // Return commits through a queued call
        if (!amount.isEmpty())
            editCell(row, tolvemar::PaymentModel::Amount, amount, QStringLiteral("Pagamenti"));
    }
    // With TOLVEMAR_PICTURES set to a folder, the window as it stands is saved there, or a
    // file written is copied there.
    static void picture(QWidget *window, const char *name, const QString &file = {}) {
        const QString folder = qEnvironmentVariable("TOLVEMAR_PICTURES");
        if (!folder.isEmpty() && file.isEmpty())
            window->grab().save(folder + u'/' + QLatin1String(name));
        else if (!folder.isEmpty())
            QFile::copy(file, folder + u'/' + QLatin1String(name));
    }
    bool marked(const char *name, const QString &message) const {
        const QWidget *widget = field(QString::fromUtf8(name));
        return widget->property("invalid").toBool() &&
               widget->accessibleDescription().contains(message);
    }

private slots:
    void initTestCase() { setUpApplication(); }
    void init() {
        startClean();
        id = registerfile::seed(QStringLiteral("300/2025"));
    }
    void cleanup() { QCOMPARE(finish(), QStringList()); }

    // Shares that do not make 100 % are marked and not saved, unless every party is "in solido".
    void shares_data() {
        QTest::addColumn<QString>("second");
        QTest::addColumn<bool>("jointly");
        QTest::newRow("60 + 40") << "40" << false;
        QTest::newRow("60 + 30, both in solido") << "30" << true;
    }
    void shares() {
        QFETCH(QString, second);
        QFETCH(bool, jointly);
        openLiquidation();
        addParty(QStringLiteral("Rossi"), QStringLiteral("60"));
        addParty(QStringLiteral("Bianchi"), QStringLiteral("30"));
        QVERIFY(marked("Parti a carico", QStringLiteral("fanno 90,00 %")));
        QVERIFY(registerfile::assignment(id).parties.isEmpty());
        auto *table = field<QTableView>(QStringLiteral("Parti a carico"));
        if (jointly) {
            for (int row : {0, 1}) {
                table->setCurrentIndex(table->model()->index(row, tolvemar::PartyModel::Jointly));
                QTest::keyClick(table, Qt::Key_Space);
            }
        } else {
            editCell(1, tolvemar::PartyModel::Share, second, QStringLiteral("Parti a carico"));
        }
        QVERIFY(!marked("Parti a carico", QString()));
        const QList<assignments::Party> saved{
            {QStringLiteral("Rossi"), 6000, jointly},
            {QStringLiteral("Bianchi"), 3000 + 1000 * !jointly, jointly}};
        QCOMPARE(registerfile::assignment(id).parties, saved);
    }

    // Liquidated 1.000,00 €, advances 200,00 €, Rossi paid 100,00 € and Bianchi 300,00 €: still
    // due 1.000 - 200 - 100 - 300 = 400,00 €. Of the 800,00 € after the advances Rossi bears
    // 60 %, 480,00 €, and still owes 380,00 €; Bianchi 40 %, 320,00 €, and owes 20,00 €. The
    // advances typed after the rest keep it (tst_register reopens a register after a restart).
    void residue() {
        openLiquidation();
        fill(QStringLiteral("Decreto di liquidazione"), QStringLiteral("15/05/2025"));
        fill(QStringLiteral("Importo liquidato"), QStringLiteral("1.000,00"));
        addParty(QStringLiteral("Rossi"), QStringLiteral("60"));
        addParty(QStringLiteral("Bianchi"), QStringLiteral("40"));
        addPayment(QStringLiteral("10/06/2025"), QStringLiteral("Rossi"), QStringLiteral("100"));
        addPayment(QStringLiteral("20/06/2025"), QStringLiteral("Bianchi"), QStringLiteral("300"));
        fill(QStringLiteral("Acconti ricevuti"), QStringLiteral("200"));
        const Lines expected{
            {QStringLiteral("Liquidato il 15/05/2025"), QStringLiteral("1.000,00 €")},
            {QStringLiteral("Acconti ricevuti"), QStringLiteral("200,00 €")},
            {QStringLiteral("Pagamenti ricevuti"), QStringLiteral("400,00 €")},
            {QStringLiteral("Residuo da incassare"), QStringLiteral("400,00 €")},
            {QStringLiteral("Rossi (60,00 %)"), QStringLiteral("380,00 €")},
            {QStringLiteral("Bianchi (40,00 %)"), QStringLiteral("20,00 €")}};
        const auto summary = [this] {
            return registerWindow->findChild<tolvemar::RegisterSummary *>()->settlement();
        };
        QCOMPARE(summary(), expected);
        QCOMPARE(auditAccessibility(registerWindow), QStringList());

        const assignments::Assignment saved = registerfile::assignment(id);
        QCOMPARE(saved.decree, QDate(2025, 5, 15));
        QCOMPARE(saved.liquidated, 100000);
        QCOMPARE(saved.advances, 20000);
        QCOMPARE(saved.parties.size(), 2);
        const QList<assignments::Payment> payments{
            {QDate(2025, 6, 10), QStringLiteral("Rossi"), 10000, {}},
            {QDate(2025, 6, 20), QStringLiteral("Bianchi"), 30000, {}}};
        QCOMPARE(saved.payments, payments);
    }

    // Rows just added are neither marked nor saved, not even once their editor is left empty
    // (tst_register marks the bad values of the other fields); a payment without an amount is
    // marked and never reaches the file.
    void newRows() {
        openLiquidation();
        click(QStringLiteral("Aggiungi parte"));
        addPayment(QStringLiteral("10/06/2025"), QString(), QString());
        QVERIFY(!marked("Parti a carico", QString()));
        QVERIFY(marked("Pagamenti", QStringLiteral("maggiore di zero")));
        QVERIFY(registerfile::assignment(id).payments.isEmpty());
        editCell(0, tolvemar::PaymentModel::Amount, QStringLiteral("50"),
                 QStringLiteral("Pagamenti"));
        QVERIFY(!marked("Pagamenti", QString()));
        const assignments::Assignment saved = registerfile::assignment(id);
        QVERIFY(saved.parties.isEmpty());
        QCOMPARE(saved.payments.value(0).amount, 5000);
    }

    // The worked example typed in: fee 1.000,00 €, 150,00 € advanced (art. 15), all on
    // ALFA, a withholding agent, which paid its 1.218,80 €. The invoice takes number 12 and the
    // settings move to 13; the fee notice says what the invoice will; saved again, the file is
    // the same to the byte.
    void invoice() {
        assignments::Expert expert;
        expert.name = QStringLiteral("Mario");
        expert.surname = QStringLiteral("Rossi");
        expert.title = QStringLiteral("Ing.");
        expert.taxCode = QStringLiteral("RSSMRA80A01H501U");
        expert.vatNumber = QStringLiteral("01234567897");
        expert.address = {"Via Roma 1", "13900", "Biella", "BI"};
        expert.fiscal = {fee::Regime::Ordinario, QStringLiteral("TC04"), 400};
        expert.iban = QStringLiteral("IT60X0542811101000000123456");
        expert.nextNumber = 12;
        tolvemar::ExpertDialog details(expert, 0);
        details.show();
        QCOMPARE(auditAccessibility(&details), QStringList());
        details.accept();
        QCOMPARE(details.result(), int(QDialog::Accepted));
        picture(&details, "dati-fiscali.png");

        openLiquidation();
        fill(QStringLiteral("Ufficio giudiziario"), QStringLiteral("Tribunale di Biella"));
        for (const auto &[name, text] : {std::pair{"Decreto di liquidazione", "10/11/2026"},
                                         {"Importo liquidato", "1.150,00"},
                                         {"di cui spese anticipate (art. 15)", "150,00"},
                                         {"Codice IPA (spese di giustizia)", "WUMV1P"},
                                         {"Codice fiscale dell'ufficio", "81019670025"},
                                         {"Indirizzo dell'ufficio", "Via Marconi 28"},
                                         {"CAP dell'ufficio", "13900"},
                                         {"Comune dell'ufficio", "Biella"},
                                         {"Provincia dell'ufficio", "BI"}})
            fill(QString::fromUtf8(name), QString::fromUtf8(text));
        addParty(QStringLiteral("ALFA S.r.l."), QStringLiteral("100"));
        auto *parties = field<QTableView>(QStringLiteral("Parti a carico"));
        parties->setCurrentIndex(parties->model()->index(0, tolvemar::PartyModel::Withholding));
        QTest::keyClick(parties, Qt::Key_Space);
        addPayment(QStringLiteral("25/11/2026"), QStringLiteral("ALFA S.r.l."),
                   QStringLiteral("1.218,80"));
        parties->setCurrentIndex(parties->model()->index(0, 0));
        QCOMPARE(
            registerWindow->findChild<tolvemar::RegisterSummary *>()->settlement().value(1),
            (tolvemar::settlementtext::Line{"Dovuto (IVA e contributo compresi)", "1.218,80 €"}));

        driver->saveAs = files.filePath(QStringLiteral("avviso.pdf"));
        field<QPushButton>(QStringLiteral("Avviso di parcella"))->menu()->actions()[0]->trigger();
        picture(nullptr, "avviso-di-parcella.pdf", driver->saveAs);
        const QString notice = pdfText(driver->saveAs).simplified();
        for (const char *text : {"Il presente avviso non costituisce fattura", "IVA 22 % 228,80",
                                 "-200,00", "Resta da pagare 0,00"})
            QVERIFY2(notice.contains(QString::fromUtf8(text)), qPrintable(notice));

        driver->saveAs = files.filePath(QStringLiteral("prima.xml"));
        click(QStringLiteral("Fattura elettronica…"));
        const auto issued =
            std::get<QList<assignments::Invoice>>(registerfile::open()->invoices(id));
        QCOMPARE(issued.size(), 1);
        QCOMPARE(issued[0].number, 12);
        QCOMPARE(issued[0].amounts.payment, 121880);
        QCOMPARE(assignments::readExpert().nextNumber, 13);
        auto *table = field<QTableView>(QStringLiteral("Fatture"));
        table->setCurrentIndex(table->model()->index(0, 0));
        driver->saveAs = files.filePath(QStringLiteral("seconda.xml"));
        click(QStringLiteral("Salva di nuovo il file…"));
        QFile first(files.filePath(QStringLiteral("prima.xml"))), second(driver->saveAs);
        QVERIFY(first.open(QIODevice::ReadOnly) && second.open(QIODevice::ReadOnly));
        QCOMPARE(second.readAll(), first.readAll());
        QCOMPARE(auditAccessibility(registerWindow), QStringList());
        picture(registerWindow, "liquidazione-fatture.png");
        driver->takeBoxes();
    }
};

QTEST_MAIN(TestRegisterLiquidation)
#include "tst_registerliquidation.moc"
