#include "accessibilityaudit.h"
#include "tablefeedialog.h"
#include "windowdriver.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

using tolvemar::TableFeeDialog;

// "Onorari fissi e variabili", typed into as a user does.
class TestTableFeeDialog : public QObject {
    Q_OBJECT

    QTemporaryDir settingsDir;

    template <typename T> static T *field(const TableFeeDialog &dialog, const char *name) {
        return dialog.findChild<T *>(QLatin1String(name));
    }
    static QString points(const TableFeeDialog &dialog) {
        return QStringList{field<QLabel>(dialog, "low")->text(),
                           field<QLabel>(dialog, "middle")->text(),
                           field<QLabel>(dialog, "high")->text()}
            .join(u' ');
    }
    static void choose(TableFeeDialog &dialog, const QString &article, int reduction = 0) {
        auto *articles = field<QComboBox>(dialog, "article");
        articles->setCurrentIndex(articles->findData(article));
        field<QComboBox>(dialog, "reduction")->setCurrentIndex(reduction);
    }

private slots:
    void initTestCase() {
        QVERIFY(settingsDir.isValid());
        WindowDriver::setUpApplication(settingsDir.path());
        QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    }

    // Alt+S opens "Strumenti"; its first item opens the dialog.
    void fromTheMenu() {
        WindowDriver driver([] { return fee::serialFromDate(QDate(2024, 1, 1)); });
        driver.key(Qt::Key_S, Qt::AltModifier);
        driver.key(Qt::Key_Return);
        QCOMPARE(driver.takeBoxes(), QStringList{"Onorari fissi e variabili"});
    }

    void points_data() {
        QTest::addColumn<QString>("article");
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<int>("reduction");
        QTest::addColumn<QString>("expected");
        // The walk of art. 13 to 516.456,90 €: 1.136,03473864 € at the lowest rates and
        // 2.271,76476614 € at the highest (the published example), their middle 1.703,90 €.
        QTest::newRow("art. 13") << "13" << QStringList{"650.000,00"} << 0
                                 << "1.136,03 € 1.703,90 € 2.271,76 €";
        // A bare opinion keeps a third of the exact sums: 378,67825 €, 567,96658 € and 757,25492 €.
        QTest::newRow("art. 13, giudizio")
            << "13" << QStringList{"650.000"} << 2 << "378,68 € 567,97 € 757,25 €";
        // 100 € of damage is worth 7,52 € to 15,03 €: the minimum of 38,73 € rules.
        QTest::newRow("art. 17, floor")
            << "17" << QStringList{"100,00"} << 0 << "38,73 € 38,73 € 38,73 €";
        // 10.000,00 € of art. 6.3 (tst_tables holds the walk): 227,78643 € to 455,89927 €.
        QTest::newRow("art. 6.3") << "6.3" << QStringList{"10.000"} << 0
                                  << "227,79 € 341,84 € 455,90 €";
        QTest::newRow("art. 13, bad value") << "13" << QStringList{"12,345"} << 0 << "— — —";
        QTest::newRow("art. 4, one value missing")
            << "4" << QStringList{"1.000,00"} << 0 << "— — —";
    }

    // The points as the article, the values and the reduction give them; a value that does not
    // read is marked with its message and nothing is computed.
    void points() {
        QFETCH(QString, article);
        QFETCH(QStringList, typed);
        QFETCH(int, reduction);
        QFETCH(QString, expected);
        TableFeeDialog dialog(QDate(2026, 1, 1));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        choose(dialog, article, reduction);
        const QList<QLineEdit *> values{field<QLineEdit>(dialog, "value"),
                                        field<QLineEdit>(dialog, "revenues")};
        for (qsizetype i = 0; i < typed.size(); ++i) {
            values[i]->setFocus();
            QTest::keyClicks(values[i], typed[i]);
        }
        QCOMPARE(points(dialog), expected);
        const bool bad = typed.first() == "12,345";
        QCOMPARE(values[0]->property("invalid").toBool(), bad);
        QCOMPARE(field<QLabel>(dialog, "error")->isVisible(), bad);
        if (bad)
            QCOMPARE(field<QLabel>(dialog, "error")->text(),
                     QString("L'importo «12,345» ha più di due decimali."));
        const auto *copy = dialog.findChildren<QPushButton *>().last();
        QCOMPARE(copy->isEnabled(), !expected.startsWith("—"));
        QVERIFY(field<QLabel>(dialog, "basis")->text().contains("tabelle del DM 30 maggio 2002"));
        const QStringList failures = auditAccessibility(&dialog);
        QVERIFY2(failures.isEmpty(), qPrintable(failures.join(u'\n')));
    }

    // Art. 13's brackets, the basis with the minimum, and the copy of the computation.
    void brackets() {
        TableFeeDialog dialog(QDate(2026, 1, 1));
        choose(dialog, "13");
        QTest::keyClicks(field<QLineEdit>(dialog, "value"), "650.000,00");
        const auto *slices = field<QTableWidget>(dialog, "slices");
        QCOMPARE(slices->rowCount(), 7);
        QCOMPARE(slices->item(6, 1)->text(), QString("da 258.228,46 € a 516.456,90 €"));
        QCOMPARE(slices->item(6, 2)->text(), QString("258.228,45 €"));
        QCOMPARE(slices->item(0, 3)->text(), QString("1,0264 % - 2,0685 %"));
        QCOMPARE(field<QLabel>(dialog, "basis")->text(),
                 QString("Secondo le tabelle del DM 30 maggio 2002 (in vigore dal 05/08/2002). "
                         "Minimo dell'articolo: 145,12 €."));
        QCOMPARE(field<QLabel>(dialog, "included")->text(),
                 QString("Comprensivo della relazione e della partecipazione alle udienze (art. 29 "
                         "delle tabelle)"));
        dialog.findChildren<QPushButton *>().last()->click();
        const QString copied = QApplication::clipboard()->text();
        QVERIFY2(copied.startsWith("Art. 13 - estimo\n") &&
                     copied.endsWith("Massimo: 2.271,76 €\n"),
                 qPrintable(copied));
    }

    // Only arts. 4, 8.3 and 13 write a reduction; art. 4 alone asks for two values.
    void reductionAndValues() {
        TableFeeDialog dialog(QDate(2026, 1, 1));
        dialog.show();
        auto *articles = field<QComboBox>(dialog, "article");
        QStringList withReduction, twoValues;
        for (int i = 0; i < articles->count(); ++i) {
            if (articles->itemData(i).toString().isEmpty())
                continue;
            articles->setCurrentIndex(i);
            if (field<QComboBox>(dialog, "reduction")->isEnabled())
                withReduction << articles->currentData().toString();
            if (field<QLineEdit>(dialog, "revenues")->isVisible())
                twoValues << articles->currentData().toString();
        }
        QCOMPARE(withReduction, (QStringList{"4", "8.3", "13"}));
        QCOMPARE(twoValues, QStringList{"4"});
    }

    // Art. 25 for two markers: the first at 28,92 € to 290,77 €, the second at half, so 1,5
    // times: 43,38 €, 436,155 € up to 436,16 €, the middle 159,845 × 1,5 = 239,7675 €. Its
    // figures come from one source, which a line under the result says; art. 13's do not.
    void perItemOfOneSource() {
        TableFeeDialog dialog(QDate(2026, 1, 1));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        choose(dialog, "25");
        auto *quantity = field<QSpinBox>(dialog, "quantity");
        const auto *note = field<QLabel>(dialog, "sourceNote");
        QVERIFY(quantity->isVisible());
        QCOMPARE(quantity->accessibleName(), QString("Quantità di reperti o marcatori"));
        quantity->setFocus();
        quantity->selectAll();
        QTest::keyClicks(quantity, "2");
        QCOMPARE(points(dialog), QString("43,38 € 239,77 € 436,16 €"));
        QVERIFY(note->isVisible());
        QVERIFY(note->text().startsWith("Importi tratti da una sola fonte pubblicata"));
        QVERIFY(field<QLabel>(dialog, "basis")
                    ->text()
                    .contains("Compenso fisso da 28,92 € a 290,77 € per reperto o marcatore, i "
                              "successivi al primo "
                              "a metà."));
        const QStringList failures = auditAccessibility(&dialog);
        QVERIFY2(failures.isEmpty(), qPrintable(failures.join(u'\n')));
        choose(dialog, "13");
        QVERIFY(!quantity->isVisible());
        QVERIFY(!note->isVisible());
        choose(dialog, "25");
        QCOMPARE(quantity->value(), 1);
    }

    // The cases of one number under its heading; arts. 3 and 15 listed with their reason and
    // not to be chosen, even when a user lands on one.
    void grouped() {
        TableFeeDialog dialog(QDate(2026, 1, 1));
        auto *articles = field<QComboBox>(dialog, "article");
        auto *list = qobject_cast<QStandardItemModel *>(articles->model());
        QStringList disabled;
        for (int i = 0; i < articles->count(); ++i)
            if (!list->item(i)->isEnabled())
                disabled << articles->itemText(i).section(u':', 0, 0).section(u' ', 0, 1);
        QCOMPARE(disabled.join(u'|'), QString("Art. 3|Art. 6|Art. 7|Art. 8|Art. 12|Art. 15|"
                                              "Art. 18|Art. 20|Art. 26|Art. 27|Art. 28"));
        const int three = articles->findText("non disponibile", Qt::MatchContains);
        QCOMPARE(articles->itemText(three),
                 QString("Art. 3 - valutazione di aziende: non disponibile: la regola di calcolo "
                         "non è stata ancora riscontrata"));
        QCOMPARE(articles->itemData(articles->findText("Art. 20")).toString(), QString());
        QVERIFY(articles->itemText(articles->findText("Art. 20") + 1).contains("Art. 20.1"));
        articles->setCurrentIndex(three);
        QCOMPARE(articles->currentData().toString(), QString("4"));
        QCOMPARE(articles->findData("2"), 0);
    }
};

QTEST_MAIN(TestTableFeeDialog)
#include "tst_tablefeedialog.moc"
