#include "accessibilityaudit.h"
#include "application.h"
#include "conversions.h"
#include "mainwindow.h"
#include "windowdriver.h"

#include <QAccessible>
#include <QApplication>
#include <QCalendarWidget>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

using tolvemar::MainWindow;

namespace {

fee::DateSerial at(QDate date, QTime time = QTime(9, 30)) {
    return fee::serialFromDateTime(date, time);
}

QString dateText(QDate date) {
    return fee::dateToText(fee::serialFromDate(date), QLocale());
}

const QString kWarning = QString::fromUtf8(fee::kDateOrderWarning);
const QString kDefaults = QStringLiteral("Tariffa DM 30 maggio 2002 · festività non escluse");
const QDate mon3(2025, 3, 3), mon10(2025, 3, 10), fri14(2025, 3, 14);

} // namespace

// The program's window through real key presses and mouse clicks, every box answered.
class TestWindow : public QObject {
    Q_OBJECT

    QTemporaryDir settingsDir;
    // Answers every box; each test compares the boxes it expected with those it answered.
    std::unique_ptr<WindowDriver> driver;
    MainWindow *window = nullptr;

    void openWindow(tolvemar::Form1::Clock clock = [] { return at(QDate(2024, 1, 1)); }) {
        driver.reset();
        driver = std::make_unique<WindowDriver>(std::move(clock));
        window = &driver->window();
    }
    QWidget *child(const char *name) const { return driver->child<QWidget>(name); }
    void setDates(QDate start, QDate end) {
        driver->child<QCalendarWidget>("Calendar1")->setSelectedDate(start);
        driver->child<QCalendarWidget>("Calendar2")->setSelectedDate(end);
    }
    QString status() const { return window->statusBar()->findChild<QLabel *>()->text(); }
    // The menu's items, "*" marking a checked one and "-" a disabled one.
    QStringList menu(int index) const {
        QStringList items;
        for (QAction *item : window->menuBar()->actions().at(index)->menu()->actions())
            items << (item->isChecked() ? "*" : !item->isEnabled() ? "-" : "") + item->text();
        return items;
    }
    // Opens Opzioni with Alt+O, on its first item, and presses the keys.
    void options(std::initializer_list<Qt::Key> keys) {
        driver->key(Qt::Key_O, Qt::AltModifier);
        for (Qt::Key key : keys)
            driver->key(key);
    }
    QString settingsFile() const { return QSettings().fileName(); }

private slots:
    void initTestCase() {
        QVERIFY(settingsDir.isValid());
        WindowDriver::setUpApplication(settingsDir.path());
        QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    }

    void init() {
        QFile::remove(settingsFile());
        openWindow();
    }

    void cleanup() {
        const QStringList unexpected = driver ? driver->takeBoxes() : QStringList();
        driver.reset();
        QCOMPARE(unexpected, QStringList());
    }

    void startState_data() {
        QTest::addColumn<QDate>("first");
        QTest::addColumn<QDate>("second");
        QTest::newRow("same day") << mon3 << mon3;
        QTest::newRow("across midnight") << mon3 << mon3.addDays(1);
    }

    // The clock is read once for each calendar; the focus starts on Calendar1 and tabs through
    // the controls. Form1 keeps its size under the menu bar.
    void startState() {
        QFETCH(QDate, first);
        QFETCH(QDate, second);
        QList<fee::DateSerial> readings{at(first, QTime(23, 59, 59)), at(second, QTime(0, 0))};
        openWindow([&readings] { return readings.takeFirst(); });

        QCOMPARE(driver->child<QCalendarWidget>("Calendar1")->selectedDate(), first);
        QCOMPARE(driver->child<QCalendarWidget>("Calendar2")->selectedDate(), second);
        QCOMPARE(driver->texts({"Text1", "Label3", "Text2", "Label4", "Combo1"}),
                 (QStringList{dateText(first), dateText(first), dateText(second), dateText(second),
                              "2"}));
        QVERIFY(driver->child<QRadioButton>("Option1")->isChecked());
        QCOMPARE(driver->results(), QStringLiteral("0 0 0"));
        QVERIFY(child("Calendar1")->hasFocus());
        QCOMPARE(child("Form1")->size(), QSize(1027, 536));
        QCOMPARE(window->size(),
                 QSize(1027, 536 + window->menuBar()->height() + window->statusBar()->height()));
        QCOMPARE(window->windowTitle(), QStringLiteral("Calcolo Tolvemar CT"));
        QCOMPARE(status(), kDefaults);
        // The option group is one stop, at its selected button.
        QTest::mouseClick(driver->child<QRadioButton>("Option3"), Qt::LeftButton);
        child("Calendar1")->setFocus();
        for (const char *next :
             {"Calendar2", "Command1", "Option3", "Combo1", "Command2", "Calendar1"}) {
            driver->key(Qt::Key_Tab);
            QVERIFY2(child(next)->hasFocus(), next);
        }
    }

    // One error box for each bad text; the results stay and the window goes on working. A
    // negative total shows no fee, not the one before. The dates come from the working fields;
    // reversed ones are warned of.
    void badInput() {
        setDates(mon3, fri14);
        QVERIFY(driver->pressCalcola(false));
        for (const QString &bad : {QStringLiteral("abc"), QString()}) {
            driver->type(bad);
            QVERIFY(driver->pressCalcola(true));
            const QStringList shown = driver->takeBoxes();
            QCOMPARE(shown.size(), 1);
            QVERIFY(shown[0] != WindowDriver::kOtherBox && shown[0] != kWarning);
            QCOMPARE(driver->results(), QStringLiteral("12 24 202,13"));
        }
        driver->type(QStringLiteral("-2"));
        QVERIFY(driver->pressCalcola(true));
        QCOMPARE(driver->results(), QStringLiteral("12 -24 0"));
        driver->child<QLineEdit>("Text1")->setText(dateText(mon10));
        driver->type(QStringLiteral("2"));
        QVERIFY(driver->pressCalcola(false));
        QCOMPARE(driver->results(), QStringLiteral("5 10 88,03"));
        setDates(mon10, QDate(2025, 3, 5)); // reversed: warned, then computed as they stand
        QVERIFY(driver->pressCalcola(true));
        QCOMPARE(driver->takeBoxes(), QStringList{kWarning});
        QCOMPARE(driver->results(), QStringLiteral("-4 -8 0"));
    }

    void esciCloses_data() {
        QTest::addColumn<Qt::Key>("key"); // with Alt, or with Ctrl in the File menu; or a click
        QTest::newRow("click") << Qt::Key_unknown;
        QTest::newRow("Alt+E") << Qt::Key_E;
        QTest::newRow("File, Esci: Ctrl+Q") << Qt::Key_Q;
    }

    // Each way to "Esci" closes the window, and so ends the program's event loop.
    void esciCloses() {
        QFETCH(Qt::Key, key);
        QTimer::singleShot(0, window, [this, key] {
            if (key == Qt::Key_unknown)
                QTest::mouseClick(driver->child<QPushButton>("Command2"), Qt::LeftButton);
            else
                driver->key(key, key == Qt::Key_E ? Qt::AltModifier : Qt::ControlModifier);
        });
        QTimer stillRunning;
        stillRunning.callOnTimeout(qApp, [] { QCoreApplication::exit(1); });
        stillRunning.start(10000);
        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(!window->isVisible());
    }

    // What a screen reader finds stays whole and current as the window changes: every control
    // named, once; every label read out as it shows, the status line and its messages too. The
    // dialogs are audited as they open.
    void accessibility() {
        QStringList failures = auditAccessibility(window);
        options({Qt::Key_Down, Qt::Key_Return}); // the ruling's tariff
        failures += auditAccessibility(window);
        setDates(mon3, fri14);
        QVERIFY(driver->pressCalcola(true));
        failures += auditAccessibility(window);
        driver->key(Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(status(), QStringLiteral("Calcolo copiato negli appunti."));
        failures += auditAccessibility(window);
        window->statusBar()->clearMessage();
        QVERIFY(status().startsWith(QStringLiteral("Tariffa dopo la sentenza")));
        failures += auditAccessibility(window);
        driver->fillDialog = [&failures](QDialog *box) { failures += auditAccessibility(box); };
        options({Qt::Key_Up, Qt::Key_Return});                           // the patron
        driver->key(Qt::Key_E, Qt::ControlModifier | Qt::ShiftModifier); // the request, no file
        QCOMPARE(driver->takeBoxes(),
                 (QStringList{"Santo patrono", "Istanza di liquidazione", "Esporta in PDF"}));
        QVERIFY2(failures.isEmpty(), qPrintable(failures.join(u'\n')));

        // Named by their caption labels, without the colon. (The interface of an editable combo
        // box gives its text as its name.)
        QCOMPARE(
            (QStringList{child("Calendar2")->accessibleName(), child("Combo1")->accessibleName()}),
            (QStringList{"Data di fine incarico", "Vacazioni giornaliere"}));
    }

    // Through the keyboard: Alt+O opens the options, not C or E. Options change the status line
    // at once and the results only at the next "Calcola"; they are there after a restart.
    void options() {
        QCOMPARE(menu(1),
                 (QStringList{"*Tariffa del DM 30 maggio 2002: 14,68 € la prima vacazione, 8,15 € "
                              "le successive",
                              "Tariffa dopo la sentenza n. 16/2025 della Corte costituzionale: "
                              "14,68 € ogni vacazione",
                              "", "Escludi anche le festività nazionali", "Santo patrono…"}));
        setDates(QDate(2026, 6, 22), QDate(2026, 6, 30));
        QTest::mouseClick(driver->child<QRadioButton>("Option2"), Qt::LeftButton);
        QVERIFY(driver->pressCalcola(true));
        QCOMPARE(driver->results(), QStringLiteral("7 14 120,63"));

        options({Qt::Key_Down, Qt::Key_Return});               // the ruling's tariff
        options({Qt::Key_Down, Qt::Key_Down, Qt::Key_Return}); // the holidays
        driver->fillDialog = [](QDialog *dialog) {
            dialog->findChildren<QRadioButton *>().at(1)->setChecked(true);
            const auto boxes = dialog->findChildren<QComboBox *>(); // day, month
            boxes.at(1)->setCurrentIndex(1);
            QCOMPARE(boxes.at(0)->count(), 28); // February, never with a 29th
            boxes.at(1)->setCurrentIndex(5);
            boxes.at(0)->setCurrentIndex(28); // 29 June
        };
        options({Qt::Key_Up, Qt::Key_Return}); // the patron, the last item
        QCOMPARE(driver->takeBoxes(), QStringList{"Santo patrono"});

        const QString chosen = QStringLiteral("Tariffa dopo la sentenza n. 16/2025 · festività "
                                              "nazionali escluse, patrono il 29 giugno");
        QCOMPARE(status(), chosen);
        QCOMPARE(driver->results(), QStringLiteral("7 14 120,63"));
        QVERIFY(driver->pressCalcola(true));
        QCOMPARE(driver->results(), QStringLiteral("6 12 176,16")); // Monday 29 June left out

        openWindow();
        QCOMPARE(status(), chosen);
        QCOMPARE(menu(1).at(1).front(), u'*');
        QCOMPARE(menu(1).at(3).front(), u'*');
    }

    void brokenSettings_data() {
        QTest::addColumn<QByteArray>("contents"); // empty: a folder where the file should be
        QTest::newRow("garbage") << QByteArrayLiteral("[opzioni\n\xff\xfe\x00tariffa=2025");
        QTest::newRow("out of range") << QByteArray("[opzioni]\ntariffa=2031\nfestivita=forse\n"
                                                    "patrono=02-29\n");
        QTest::newRow("unreadable") << QByteArray();
    }

    void brokenSettings() {
        QFETCH(QByteArray, contents);
        QDir().mkpath(QFileInfo(settingsFile()).path());
        QFile file(settingsFile());
        QVERIFY(contents.isEmpty() ? QDir().mkpath(settingsFile())
                                   : file.open(QIODevice::WriteOnly) && file.write(contents) > 0);
        file.close();
        openWindow();
        QCOMPARE(status(), kDefaults);
        QDir(settingsFile()).removeRecursively();
    }

    // The request's items wait for a computation; they keep the one shown, whatever changes.
    void fileMenu() {
        const QStringList disabled{"-Copia il calcolo", "-Stampa…", "-Esporta in PDF…", "", "Esci"};
        QCOMPARE(menu(0), disabled);
        driver->type(QStringLiteral("x"));
        QVERIFY(driver->pressCalcola(false));
        QCOMPARE(driver->takeBoxes().size(), 1);
        QCOMPARE(menu(0), disabled);

        setDates(mon3, fri14);
        driver->type(QStringLiteral("2"));
        QVERIFY(driver->pressCalcola(false));
        QCOMPARE(menu(0).first(), QStringLiteral("Copia il calcolo"));
        setDates(mon10, mon10);
        driver->key(Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        const QMimeData *copied = QApplication::clipboard()->mimeData();
        QVERIFY(copied->text().contains("dal 03/03/2025 al 14/03/2025\n"));
        QVERIFY(copied->html().contains("<td align=\"right\">202,13 €</td>"));

        // tst_request holds a file that cannot be written.
        QTemporaryDir folder;
        driver->saveAs = folder.filePath("istanza.pdf");
        driver->key(Qt::Key_E, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(driver->takeBoxes(), (QStringList{"Istanza di liquidazione", "Esporta in PDF"}));
        QFile pdf(folder.filePath("istanza.pdf"));
        QVERIFY(pdf.open(QIODevice::ReadOnly) && pdf.read(5) == "%PDF-");
    }
};

QTEST_MAIN(TestWindow)
#include "tst_window.moc"
