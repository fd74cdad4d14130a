#include "accessibilityaudit.h"
#include "feeitemmodel.h"
#include "feeitemsummary.h"
#include "pdftext.h"
#include "registerdriver.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QHeaderView>
#include <QInputDialog>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

using tolvemar::RegisterSummary;

// The register window through real key presses and clicks, every box answered, and the register
// file read afresh to see what was saved.
class TestRegister : public QObject, public RegisterDriver {
    Q_OBJECT

private slots:
    void initTestCase() { setUpApplication(); }
    void init() { startClean(); }
    void cleanup() { QCOMPARE(finish(), QStringList()); }

    // Every field typed is in the file as soon as it is left; the summary follows each change;
    // all of it is there again in a new window and after a restart.
    void editAndReopen() {
        QVERIFY(openRegister());
        QVERIFY(!field(QStringLiteral("Ufficio giudiziario"))->isEnabled());
        click(QStringLiteral("Nuovo incarico"));
        const qint64 id = registerfile::list().value(0).id;
        QVERIFY(id > 0);
        QVERIFY(!field(QStringLiteral("Aumento per urgenza (%)"))->isEnabled());
        QCOMPARE(field(QStringLiteral("Aumento per urgenza (%)"))->accessibleDescription(),
                 QStringLiteral("Nessun aumento per urgenza senza conferimento e termine."));

        fill(QStringLiteral("Ufficio giudiziario"), QStringLiteral("Tribunale di Milano"));
        QCOMPARE(registerfile::assignment(id).court, QStringLiteral("Tribunale di Milano"));
        fill(QStringLiteral("Procedimento n."), QStringLiteral("R.G. 1234/2025"));
        fill(QStringLiteral("Giudice"), QStringLiteral("dott.ssa Bianchi"));
        fill(QStringLiteral("Oggetto"), QStringLiteral("Stima di un immobile"));
        fill(QStringLiteral("Conferimento"), QStringLiteral("03/03/2025"));
        fill(QStringLiteral("Termine per il deposito"), QStringLiteral("10/03/2025"));
        QVERIFY(field(QStringLiteral("Aumento per urgenza (%)"))->isEnabled());
        fill(QStringLiteral("Proroghe"), QStringLiteral("20/03/2025; 31/03/2025"));
        // Picked on the calendar beside the field: saved as if typed.
        emit field<QToolButton>(QStringLiteral("Scegli la data: Deposito della relazione"))
            ->menu()
            ->findChild<QCalendarWidget *>()
            ->clicked(QDate(2025, 3, 31));
        fill(QStringLiteral("Componenti del collegio"), QStringLiteral("2"));
        fill(QStringLiteral("Aumento per urgenza (%)"), QStringLiteral("50"));
        fill(QStringLiteral("Maggiorazione (%)"), QStringLiteral("20"));
        fill(QStringLiteral("Acconti ricevuti"), QStringLiteral("100"));
        fill(QStringLiteral("Note"), QStringLiteral("Acconto versato"));

        assignments::Assignment expected;
        expected.id = id;
        expected.court = QStringLiteral("Tribunale di Milano");
        expected.caseNumber = QStringLiteral("R.G. 1234/2025");
        expected.judge = QStringLiteral("dott.ssa Bianchi");
        expected.subject = QStringLiteral("Stima di un immobile");
        expected.period = {
            QDate(2025, 3, 3), QDate(2025, 3, 10), {QDate(2025, 3, 20), QDate(2025, 3, 31)}};
        expected.reportFiled = QDate(2025, 3, 31);
        expected.panel = 2;
        expected.urgencyPercent = 50;
        expected.increasePercent = 20;
        expected.advances = 10000;
        expected.note = QStringLiteral("Acconto versato");
        QCOMPARE(registerfile::assignment(id), expected);

        // 2 h 30: 1,5 vacazioni (a rest up to 1 h 15 is a half); 10 h in a day: capped at 4;
        // after the last extension: none.
        addSession({"03/03/2025", "09:00", "11:30", "Sopralluogo"});
        QCOMPARE(summary(RegisterSummary::Vacazioni), QStringLiteral("1,5 (0 in udienza)"));
        addSession({"04/03/2025", "09:00", "19:00", "Relazione"});
        addSession({"01/04/2025", "09:00", "10:00", "Integrazione"});
        QCOMPARE(registerfile::sessions(id).size(), 3);
        QCOMPARE(cell("Operazioni", 1, 5), QStringLiteral("4, limite di 4 vacazioni al giorno"));
        QCOMPARE(cell("Operazioni", 2, 5), QStringLiteral("0, oltre il termine"));
        click(QStringLiteral("Aggiungi spesa"));
        typeCell(QStringLiteral("Marca da bollo"), Qt::Key_Return);
        editCell(0, 1, QStringLiteral("16,00"), QStringLiteral("Spese"));

        // 11 halves: 14,68 + 4,5 × 8,15 = 51,355, so 51,36 €; urgency 25,68, increase 10,27,
        // the second expert 40 % of 87,31 = 34,92; 122,23 + 16 - 100 = 38,23.
        QCOMPARE(summary(RegisterSummary::Vacazioni), QStringLiteral("5,5 (0 in udienza)"));
        QCOMPARE(summary(RegisterSummary::Fee), QStringLiteral("51,36 €"));
        QCOMPARE(summary(RegisterSummary::Urgency), QStringLiteral("25,68 €"));
        QCOMPARE(summary(RegisterSummary::Increase), QStringLiteral("10,27 €"));
        QCOMPARE(summary(RegisterSummary::Panel), QStringLiteral("34,92 €"));
        QCOMPARE(summary(RegisterSummary::Total), QStringLiteral("122,23 €"));
        QCOMPARE(summary(RegisterSummary::Balance), QStringLiteral("38,23 €"));
        QCOMPARE(registerWindow->findChild<RegisterSummary *>()->deadlineText(),
                 QStringLiteral("Termine per l'istanza scaduto il 09/07/2025"));
        // What a screen reader finds: every control named once, the summary read as it shows.
        QCOMPARE(auditAccessibility(registerWindow), QStringList());
        // The main window's tariff counts at once.
        driver->window().setOptions({fee::Tariff::Ruling2025, false, std::nullopt});
        QCOMPARE(summary(RegisterSummary::Fee), QStringLiteral("80,74 €")); // 5,5 × 14,68
        driver->window().setOptions({});

        const QList<fee::Session> sessions = registerfile::sessions(id);
        for (int restart = 0; restart < 2; ++restart) {
            if (restart) {
                // Typed and not left: saved when "Esci" ends the program, both windows closed.
                driver->type(QStringLiteral("dott.ssa Laura Bianchi"),
                             field(QStringLiteral("Giudice")));
                QTest::mouseClick(driver->child<QPushButton>("Command2"), Qt::LeftButton);
                QTRY_VERIFY(!registerWindow);
                QVERIFY(!driver->window().isVisible());
                expected.judge = QStringLiteral("dott.ssa Laura Bianchi");
                startProgram();
            } else {
                registerWindow->close();
                QTRY_VERIFY(!registerWindow);
            }
            QVERIFY(openRegister());
            QCOMPARE(field<QLineEdit>(QStringLiteral("Procedimento n."))->text(),
                     QStringLiteral("R.G. 1234/2025"));
            QCOMPARE(field<QLineEdit>(QStringLiteral("Proroghe"))->text(),
                     QStringLiteral("20/03/2025; 31/03/2025"));
            QCOMPARE(cell("Operazioni", 1, 3), QStringLiteral("Relazione"));
            QCOMPARE(summary(RegisterSummary::Balance), QStringLiteral("38,23 €"));
        }
        expected.expenses = {{QStringLiteral("Marca da bollo"), 1600}};
        QCOMPARE(registerfile::assignment(id), expected);
        QCOMPARE(registerfile::sessions(id), sessions);
    }

    // Fees by value typed in their table: saved as made (tst_registermodels refuses an amount
    // outside the range), the summary with a third off the late report; the window still all
    // readable.
    void feesByValue() {
        const qint64 id = registerfile::seed(QStringLiteral("42/2025"), {}, QDate(2025, 4, 15));
        QVERIFY(openRegister());
        click(QStringLiteral("Aggiungi onorario"));
        auto *article = qobject_cast<QComboBox *>(registerWindow->focusWidget());
        QVERIFY(article);
        article->setCurrentText(QStringLiteral("Art. 13 - estimo"));
        QTest::keyClick(article, Qt::Key_Return);
        QCoreApplication::processEvents();
        const QString table = QStringLiteral("Onorari fissi e variabili");
        editCell(0, tolvemar::FeeItemModel::Value, QStringLiteral("650.000,00"), table);
        editCell(0, tolvemar::FeeItemModel::Amount, QStringLiteral("2.271,76"), table);
        fill(QStringLiteral("Aumento per urgenza degli onorari a percentuale (%)"),
             QStringLiteral("10"));

        assignments::FeeItem item;
        item.article = QStringLiteral("13");
        item.value = 65000000;
        item.asked = assignments::FeeAsked::Amount;
        item.amount = 227176;
        const assignments::Assignment saved = registerfile::assignment(id);
        QCOMPARE(saved.feeItems, QList<assignments::FeeItem>{item});
        QCOMPARE(saved.tableUrgencyPercent, 10);
        // Filed after 31/03/2025: 2.271,76 less 757,25, then 10 % of 1.514,51; no vacazioni.
        const auto lines = registerWindow->findChild<tolvemar::FeeItemSummary *>()->lines();
        QVERIFY(lines.contains(
            std::pair(QStringLiteral("Art. 13, importo"), QStringLiteral("2.271,76 €"))));
        QVERIFY(lines.contains(
            std::pair(QStringLiteral("Aumento per urgenza (10 %)"), QStringLiteral("151,45 €"))));
        QCOMPARE(summary(RegisterSummary::Total), QStringLiteral("1.665,96 €"));
        QCOMPARE(auditAccessibility(registerWindow), QStringList());
    }

    // A bad value is shown where it was typed and never reaches the file.
    void refusals() {
        const qint64 id = registerfile::seed(QStringLiteral("42/2025"), {registerfile::kMorning});
        QVERIFY(openRegister());
        addSession({"03/03/2025", "10:00", "12:00"});
        QVERIFY2(message().contains(QStringLiteral("si sovrappone")), qPrintable(message()));
        QCOMPARE(registerfile::sessions(id), QList<fee::Session>{registerfile::kMorning});

        for (const auto &[name, bad] : {std::pair{"Conferimento", "31/02/2025"},
                                        {"Proroghe", "20/03/2025; domani"},
                                        {"Acconti ricevuti", "12,345"}}) {
            fill(QString::fromUtf8(name), QString::fromUtf8(bad));
            QWidget *edit = field(QString::fromUtf8(name));
            QVERIFY(edit->property("invalid").toBool());
            QVERIFY(!edit->accessibleDescription().isEmpty());
            QCOMPARE(edit->toolTip(), edit->accessibleDescription());
        }
        const assignments::Assignment kept = registerfile::assignment(id);
        QCOMPARE(kept.period.appointment, QDate(2025, 3, 3));
        QCOMPARE(kept.advances, 0);
        fill(QStringLiteral("Conferimento"), QStringLiteral("04/03/2025"));
        QVERIFY(!field(QStringLiteral("Conferimento"))->property("invalid").toBool());
        QCOMPARE(registerfile::assignment(id).period.appointment, QDate(2025, 3, 4));
        QCOMPARE(cell("Operazioni", 0, 5), QStringLiteral("0, prima del conferimento"));
    }

    // Deleting asks first, naming the case; No keeps it. The list goes by the nearest date and
    // by any column chosen.
    void deleteWithConfirmation() {
        registerfile::seed(QStringLiteral("1/2025"));
        registerfile::seed(QStringLiteral("2/2024"), {registerfile::kMorning},
                           QDate::currentDate().addDays(-110));
        QVERIFY(openRegister());
        // 31 March 2025, the last deadline, comes before a request's deadline 10 days ago.
        QCOMPARE(cell("Incarichi", 0, 0), QStringLiteral("1/2025"));
        auto *list = field<QTableView>(QStringLiteral("Incarichi"));
        list->horizontalHeader()->setSortIndicator(0, Qt::DescendingOrder);
        QCOMPARE(cell("Incarichi", 0, 0), QStringLiteral("2/2024"));
        QVERIFY(cell("Incarichi", 0, 3).endsWith(QStringLiteral("⚠ scaduto")));
        list->setCurrentIndex(list->model()->index(0, 0));
        for (const auto reply : {QMessageBox::No, QMessageBox::Yes}) {
            driver->reply = reply;
            click(QStringLiteral("Elimina incarico…"));
            const QStringList boxes = driver->takeBoxes();
            QCOMPARE(boxes.size(), 1);
            QVERIFY2(boxes[0].contains(QStringLiteral("n. 2/2024 (Tribunale di Milano)")),
                     qPrintable(boxes[0]));
            QCOMPARE(registerfile::list().size(), reply == QMessageBox::No ? 2 : 1);
        }
        QCOMPARE(registerfile::list().value(0).caseNumber, QStringLiteral("1/2025"));
    }

    // The expert is asked for once and remembered; the PDF is written, with the log and the
    // fee by value of the assignment (tst_assignmentrequest holds the document's every line).
    void requestPdf() {
        const qint64 id =
            registerfile::seed(QStringLiteral("R.G. 5/2025"), {registerfile::kMorning});
        assignments::Assignment valued = registerfile::assignment(id);
        valued.feeItems = {{"13", 65000000, 0, assignments::FeeReduction::None,
                            assignments::FeeAsked::Maximum, 0, "Stima dell'immobile"}};
        QCOMPARE(registerfile::open()->update(valued), QString());
        QVERIFY(openRegister());
        driver->fillDialog = [](QDialog *dialog) {
            if (auto *input = qobject_cast<QInputDialog *>(dialog))
                input->setTextValue(QStringLiteral("Ing. Anna Verdi"));
        };
        for (const char *name : {"prima.pdf", "seconda.pdf"}) {
            driver->saveAs = files.filePath(name);
            click(QStringLiteral("Esporta in PDF…"));
        }
        QCOMPARE(driver->takeBoxes(),
                 (QStringList{"Consulente", "Esporta in PDF", "Esporta in PDF"}));
        const QString text = pdfText(files.filePath("seconda.pdf")).simplified();
        for (const char *shown :
             {"Ing. Anna Verdi", "R.G. 5/2025", "Sopralluogo", "Stima dell'immobile", "2.271,76 €"})
            QVERIFY2(text.contains(QString::fromUtf8(shown)), shown);
    }
};

QTEST_MAIN(TestRegister)
#include "tst_register.moc"
