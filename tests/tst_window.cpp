#include "application.h"
#include "conversions.h"
#include "mainwindow.h"
#include "requestdialog.h"
#include "windowdriver.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QCalendarWidget>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QStatusBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <initializer_list>
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
const QDate mon3(2025, 3, 3), wed5(2025, 3, 5), sat8(2025, 3, 8), mon10(2025, 3, 10),
    fri14(2025, 3, 14);

} // namespace

class TestWindow : public QObject {
    Q_OBJECT

    QTemporaryDir settingsDir;
    std::unique_ptr<MainWindow> window;
    // Answers every box; each test compares the boxes it expected with those it answered.
    std::unique_ptr<WindowDriver> driver;

    void openWindow(tolvemar::Form1::Clock clock = [] { return at(QDate(2024, 1, 1)); }) {
        driver.reset();
        window = std::make_unique<MainWindow>(std::move(clock));
        driver = std::make_unique<WindowDriver>(*window);
        window->load();
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }
    QWidget *child(const char *name) const { return driver->child<QWidget>(name); }
    QStringList texts(std::initializer_list<const char *> names) const {
        QStringList all;
        for (const char *name : names)
            all.append(driver->text(name));
        return all;
    }
    void setDates(QDate start, QDate end) {
        driver->child<QCalendarWidget>("Calendar1")->setSelectedDate(start);
        driver->child<QCalendarWidget>("Calendar2")->setSelectedDate(end);
    }
    QString status() const { return window->statusBar()->findChild<QLabel *>()->text(); }
    // The menu's items, "*" marking a checked one and "-" a disabled one.
    QStringList menu(const QString &title) const {
        QStringList items;
        for (QAction *menu : window->menuBar()->actions()) {
            if (menu->text() != title)
                continue;
            for (QAction *item : menu->menu()->actions())
                items << (item->isChecked() ? "*" : !item->isEnabled() ? "-" : "") + item->text();
        }
        return items;
    }
    QString settingsFile() const {
        return QSettings(QStringLiteral("Tolvemar"), QStringLiteral("CalcoloCT")).fileName();
    }

private slots:
    void initTestCase() {
        QVERIFY(settingsDir.isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());
        tolvemar::setUpApplication(*qApp);
        QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    }

    void init() {
        QFile::remove(settingsFile());
        openWindow();
    }

    void cleanup() {
        const QStringList unexpected = driver ? driver->takeBoxes() : QStringList();
        driver.reset();
        window.reset();
        QCOMPARE(unexpected, QStringList());
    }

    void startState_data() {
        QTest::addColumn<QDate>("first");
        QTest::addColumn<QDate>("second");
        QTest::newRow("same day") << mon3 << mon3;
        QTest::newRow("across midnight") << mon3 << mon3.addDays(1);
    }

    // The clock is read once for each calendar. Form1 keeps its size under the menu bar.
    void startState() {
        QFETCH(QDate, first);
        QFETCH(QDate, second);
        QList<fee::DateSerial> readings{at(first, QTime(23, 59, 59)), at(second, QTime(0, 0))};
        openWindow([&readings] { return readings.takeFirst(); });

        QCOMPARE(driver->child<QCalendarWidget>("Calendar1")->selectedDate(), first);
        QCOMPARE(driver->child<QCalendarWidget>("Calendar2")->selectedDate(), second);
        QCOMPARE(texts({"Text1", "Label3", "Text2", "Label4", "Combo1"}),
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
    }

    void calcola_data() {
        QTest::addColumn<QDate>("start");
        QTest::addColumn<QDate>("end");
        QTest::addColumn<QString>("daily");
        QTest::addColumn<int>("option");
        QTest::addColumn<bool>("withAltC");
        QTest::addColumn<int>("presses");
        QTest::addColumn<QString>("results"); // Label6, Label10, Label11

        QTest::newRow("all days, clicked")
            << mon3 << fri14 << "2" << 1 << false << 1 << "12 24 202,13";
        QTest::newRow("no weekends, Alt+C")
            << mon3 << fri14 << "2" << 2 << true << 1 << "10 20 169,53";
        QTest::newRow("no Sundays") << mon3 << fri14 << "2" << 3 << false << 1 << "11 22 185,83";
        QTest::newRow("Saturday, no weekends") << sat8 << sat8 << "2" << 2 << true << 1 << "0 0 0";
        QTest::newRow("one day, twice")
            << mon3 << mon3 << "0,5" << 1 << true << 2 << "1 0,5 10,605";
        QTest::newRow("reversed, twice") << mon10 << wed5 << "2" << 1 << false << 2 << "-4 -8 0";
        QTest::newRow("reversed, no weekends") << mon10 << wed5 << "2" << 2 << true << 1 << "0 0 0";
    }

    // At the default options. Reversed dates warn once for each press; equal dates never do.
    void calcola() {
        QFETCH(QDate, start);
        QFETCH(QDate, end);
        QFETCH(QString, daily);
        QFETCH(int, option);
        QFETCH(bool, withAltC);
        QFETCH(int, presses);

        setDates(start, end);
        const QByteArray optionName = "Option" + QByteArray::number(option);
        QTest::mouseClick(driver->child<QRadioButton>(optionName.constData()), Qt::LeftButton);
        driver->type(daily);
        QCOMPARE(driver->results(), QStringLiteral("0 0 0")); // nothing computes before the press
        for (int press = 0; press < presses; ++press)
            QVERIFY(driver->pressCalcola(withAltC));

        QTEST(driver->results(), "results");
        QCOMPARE(driver->takeBoxes(), QStringList(start > end ? presses : 0, kWarning));
    }

    // One error box for each bad text; the results stay and the window goes on working. A
    // negative total shows no fee, not the one before.
    void badDailyVacazioni() {
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
    }

    // "Calcola" takes the dates from the working fields, not from the calendars.
    void datesComeFromTheWorkingFields() {
        setDates(mon3, fri14);
        driver->child<QLineEdit>("Text1")->setText(dateText(mon10));
        QVERIFY(driver->pressCalcola(false));
        QCOMPARE(driver->results(), QStringLiteral("5 10 88,03"));
    }

    // A label is as wide as its text and keeps its left edge.
    void labelsGrowToTheRight() {
        const char *const labels[] = {"Label3", "Label6", "Label10", "Label11"};
        QList<QRect> before;
        for (const char *label : labels)
            before.append(child(label)->geometry());
        setDates(QDate(2000, 1, 1), QDate(2025, 12, 31));
        driver->type(QStringLiteral("100000000"));
        QVERIFY(driver->pressCalcola(false));

        for (int i = 0; i < 4; ++i) {
            const QLabel *label = driver->child<QLabel>(labels[i]);
            const QFontMetrics metrics(label->font());
            QCOMPARE(label->geometry(),
                     QRect(before[i].topLeft(),
                           QSize(metrics.horizontalAdvance(label->text()), metrics.height())));
        }
        // The fee runs past the right edge of the form, which keeps its size.
        QVERIFY(child("Label11")->geometry().right() >= child("Form1")->width());
        QCOMPARE(child("Form1")->size(), QSize(1027, 536));
    }

    // The option group is one stop, at its selected button.
    void tabCycle() {
        QTest::mouseClick(driver->child<QRadioButton>("Option3"), Qt::LeftButton);
        child("Calendar1")->setFocus();
        for (const char *next :
             {"Calendar2", "Command1", "Option3", "Combo1", "Command2", "Calendar1"}) {
            driver->key(Qt::Key_Tab);
            QVERIFY2(child(next)->hasFocus(), next);
        }
    }

    void pickDay_data() {
        QTest::addColumn<bool>("endDate");
        QTest::addColumn<QDate>("picked");
        QTest::newRow("start date, arrow key") << false << QDate(2025, 3, 11);
        QTest::newRow("end date, mouse") << true << QDate(2025, 3, 14);
    }

    // A picked day goes to its calendar's own field and label, nowhere else.
    void pickDay() {
        QFETCH(bool, endDate);
        QFETCH(QDate, picked);
        setDates(mon10, mon10);
        QVERIFY(driver->pressCalcola(false));
        const auto watched = [this] {
            return texts({"Text1", "Label3", "Text2", "Label4", "Label6", "Label10", "Label11"});
        };
        QStringList expected = watched();
        expected[endDate ? 2 : 0] = expected[endDate ? 3 : 1] = dateText(picked);

        auto *view = qobject_cast<QAbstractItemView *>(
            child(endDate ? "Calendar2" : "Calendar1")->focusProxy());
        QVERIFY(view);
        if (endDate) {
            const QAbstractItemModel *grid = view->model();
            QModelIndex day;
            for (int row = 1; row < grid->rowCount(); ++row) // row 0 holds the day names
                for (int column = 0; column < grid->columnCount(); ++column)
                    if (grid->index(row, column).data().toInt() == picked.day())
                        day = grid->index(row, column);
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(day).center());
        } else {
            view->setFocus();
            QTest::keyClick(view, Qt::Key_Right);
        }
        QCOMPARE(watched(), expected);
    }

    void esciCloses_data() {
        QTest::addColumn<int>("way");
        QTest::newRow("click") << 0;
        QTest::newRow("Alt+E") << 1;
        QTest::newRow("File, Esci: Ctrl+Q") << 2;
    }

    // Each way to "Esci" closes the window, and so ends the program's event loop.
    void esciCloses() {
        QFETCH(int, way);
        QTimer::singleShot(0, window.get(), [this, way] {
            if (way == 0)
                QTest::mouseClick(driver->child<QPushButton>("Command2"), Qt::LeftButton);
            else
                driver->key(way == 1 ? Qt::Key_E : Qt::Key_Q,
                            way == 1 ? Qt::AltModifier : Qt::ControlModifier);
        });
        QTimer stillRunning;
        stillRunning.callOnTimeout(qApp, [] { QCoreApplication::exit(1); });
        stillRunning.start(10000);
        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(!window->isVisible());
    }

    // Controls are named by their caption labels, labels by what they show, menus by their items.
    void accessibleNames() {
        setDates(mon3, fri14);
        QVERIFY(driver->pressCalcola(false));
        QStringList names;
        for (const char *control : {"Command1", "Option2", "Calendar2", "Label4", "Label11"})
            names.append(
                QAccessible::queryAccessibleInterface(child(control))->text(QAccessible::Name));
        // An editable combo box gives its text as its interface's name.
        names.append(child("Combo1")->accessibleName());
        QAccessibleInterface *bar = QAccessible::queryAccessibleInterface(window->menuBar());
        for (int i = 0; i < bar->childCount(); ++i)
            names.append(bar->child(i)->text(QAccessible::Name));
        QCOMPARE(names, (QStringList{"Calcola", "Escludi i sabati e le domeniche",
                                     "Data di fine incarico", dateText(fri14), "202,13",
                                     "Vacazioni giornaliere", "File", "Opzioni", "?"}));
    }

    // Through the keyboard: the menus open with Alt and their letter, never C or E. Options
    // change the status line at once and the results only at the next "Calcola"; they are
    // there again after a restart.
    void options() {
        QCOMPARE(menu("&Opzioni"),
                 (QStringList{"*Tariffa del DM 30 maggio 2002: 14,68 € la prima vacazione, 8,15 € "
                              "le successive",
                              "Tariffa dopo la sentenza n. 16/2025 della Corte costituzionale: "
                              "14,68 € ogni vacazione",
                              "", "Escludi anche le festività nazionali", "Santo patrono…"}));
        setDates(QDate(2026, 6, 22), QDate(2026, 6, 30));
        QTest::mouseClick(driver->child<QRadioButton>("Option2"), Qt::LeftButton);
        QVERIFY(driver->pressCalcola(true));
        QCOMPARE(driver->results(), QStringLiteral("7 14 120,63"));

        // A menu opens on its first item: the ruling's tariff is one down, the holidays two.
        const Qt::Key ruling[] = {Qt::Key_Down, Qt::Key_Return};
        const Qt::Key holidays[] = {Qt::Key_Down, Qt::Key_Down, Qt::Key_Return};
        for (const auto &keys : {std::vector(std::begin(ruling), std::end(ruling)),
                                 std::vector(std::begin(holidays), std::end(holidays))}) {
            driver->key(Qt::Key_O, Qt::AltModifier);
            for (Qt::Key key : keys)
                driver->key(key);
        }
        driver->fillDialog = [](QDialog *dialog) {
            dialog->findChildren<QRadioButton *>().at(1)->setChecked(true);
            const auto boxes = dialog->findChildren<QComboBox *>();
            boxes.at(1)->setCurrentIndex(5); // giugno, before the day
            boxes.at(0)->setCurrentIndex(28);
        };
        driver->key(Qt::Key_O, Qt::AltModifier);
        for (Qt::Key key : {Qt::Key_Up, Qt::Key_Return}) // the last item
            driver->key(key);
        QCOMPARE(driver->takeBoxes(), QStringList{"Santo patrono"});

        const QString chosen = QStringLiteral("Tariffa dopo la sentenza n. 16/2025 · festività "
                                              "nazionali escluse, patrono il 29 giugno");
        QCOMPARE(status(), chosen);
        QCOMPARE(driver->results(), QStringLiteral("7 14 120,63"));
        QVERIFY(driver->pressCalcola(true));
        QCOMPARE(driver->results(), QStringLiteral("6 12 176,16")); // Monday 29 June left out

        openWindow();
        QCOMPARE(status(), chosen);
        QCOMPARE(menu("&Opzioni").at(1).front(), u'*');
        QCOMPARE(menu("&Opzioni").at(3).front(), u'*');
    }

    void brokenSettings_data() {
        QTest::addColumn<QByteArray>("contents"); // empty: a folder where the file should be
        QTest::newRow("garbage") << QByteArray("[opzioni\n\xff\xfe\x00tariffa=2025", 27);
        QTest::newRow("out of range") << QByteArray("[opzioni]\ntariffa=2031\nfestivita=forse\n"
                                                    "patrono=02-29\n");
        QTest::newRow("unreadable") << QByteArray();
    }

    void brokenSettings() {
        QFETCH(QByteArray, contents);
        QDir().mkpath(QFileInfo(settingsFile()).path());
        if (contents.isEmpty()) {
            QVERIFY(QDir().mkpath(settingsFile()));
        } else {
            QFile file(settingsFile());
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(contents);
        }
        openWindow();
        QCOMPARE(status(), kDefaults);
        setDates(mon3, fri14);
        QVERIFY(driver->pressCalcola(false));
        QCOMPARE(driver->results(), QStringLiteral("12 24 202,13"));
        QDir(settingsFile()).removeRecursively();
    }

    // The request's items wait for a computation; they keep the one shown, whatever changes.
    void fileMenu() {
        const QStringList disabled{"-Copia il calcolo", "-Stampa…", "-Esporta in PDF…", "", "Esci"};
        QCOMPARE(menu("&File"), disabled);
        driver->type(QStringLiteral("x"));
        QVERIFY(driver->pressCalcola(false));
        QCOMPARE(driver->takeBoxes().size(), 1);
        QCOMPARE(menu("&File"), disabled);

        setDates(mon3, fri14);
        driver->type(QStringLiteral("2"));
        QVERIFY(driver->pressCalcola(false));
        QCOMPARE(menu("&File").first(), QStringLiteral("Copia il calcolo"));
        setDates(mon10, mon10);
        driver->key(Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        const QMimeData *copied = QApplication::clipboard()->mimeData();
        QVERIFY(copied->text().contains("dal 03/03/2025 al 14/03/2025\n"));
        QVERIFY(copied->html().contains("<td align=\"right\">202,13 €</td>"));

        QTemporaryDir folder;
        QStringList boxes;
        for (const char *name : {"istanza.pdf", "no/x.pdf"}) {
            driver->saveAs = folder.filePath(name);
            driver->key(Qt::Key_E, Qt::ControlModifier | Qt::ShiftModifier);
            boxes << driver->takeBoxes();
        }
        const QStringList dialogs{"Istanza di liquidazione", "Esporta in PDF"};
        QCOMPARE(boxes.mid(0, 4), dialogs + dialogs);
        QVERIFY2(boxes.value(4).contains(folder.filePath("no/x.pdf")), qPrintable(boxes.join('|')));
        QFile pdf(folder.filePath("istanza.pdf"));
        QVERIFY(pdf.open(QIODevice::ReadOnly) && pdf.read(5) == "%PDF-");
    }

    // OK waits for good amounts; the expert and the court are remembered, the rest is not.
    void requestDialog() {
        tolvemar::RequestDialog dialog({});
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto *ok = dialog.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok);
        auto *table = dialog.findChild<QTableWidget *>();
        auto field = [&dialog](const char *name) {
            for (QLineEdit *edit : dialog.findChildren<QLineEdit *>())
                if (edit->accessibleName() == QLatin1String(name))
                    return edit;
            return static_cast<QLineEdit *>(nullptr);
        };
        for (QPushButton *button : dialog.findChildren<QPushButton *>())
            if (button->text() == QStringLiteral("&Aggiungi"))
                QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(!ok->isEnabled());
        for (const auto &[amount, good] : {std::pair{"12,345", false}, {"12,34", true}}) {
            table->item(0, 1)->setText(amount);
            QCOMPARE(ok->isEnabled(), good);
        }
        driver->type("101", field("Maggiorazione (%)"));
        QVERIFY(!ok->isEnabled());
        driver->type("Mario Rossi", field("Consulente"));
        driver->type("42/2025", field("Procedimento n."));
        driver->type("20", field("Maggiorazione (%)"));
        QTest::mouseClick(ok, Qt::LeftButton);
        QCOMPARE(dialog.details().expenses.front().amount, 1234);

        tolvemar::RequestDialog again({});
        QCOMPARE(again.details().expert, QStringLiteral("Mario Rossi"));
        QCOMPARE(again.details().caseNumber, QString());
    }
};

QTEST_MAIN(TestWindow)
#include "tst_window.moc"
