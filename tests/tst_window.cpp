#include "application.h"
#include "conversions.h"
#include "fee.h"
#include "form1.h"
#include "windowdriver.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QCalendarWidget>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <initializer_list>
#include <memory>

using tolvemar::Form1;

namespace {

fee::DateSerial at(QDate date, QTime time = QTime(9, 30)) {
    return fee::serialFromDateTime(date, time);
}

QString dateText(QDate date) {
    return fee::dateToText(fee::serialFromDate(date), QLocale());
}

const QString kWarning = QString::fromUtf8(fee::kDateOrderWarning);
const QDate mon3(2025, 3, 3), wed5(2025, 3, 5), sat8(2025, 3, 8), mon10(2025, 3, 10),
    fri14(2025, 3, 14);

} // namespace

class TestWindow : public QObject {
    Q_OBJECT

    std::unique_ptr<Form1> form;
    // Answers every box; each test compares the boxes it expected with those it answered.
    std::unique_ptr<WindowDriver> driver;

    void openForm(Form1::Clock clock) {
        driver.reset();
        form = std::make_unique<Form1>(std::move(clock));
        driver = std::make_unique<WindowDriver>(*form);
        form->load();
        form->show();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        // A missing control fails here instead of crashing the tests that use it.
        for (const char *name : {"Calendar1", "Calendar2", "Command1", "Command2", "Option1",
                                 "Option2", "Option3", "Combo1", "Label6", "Label10", "Label11"})
            QVERIFY2(child(name), name);
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

private slots:
    void initTestCase() {
        tolvemar::setUpApplication(*qApp);
        QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
        QCOMPARE(QCoreApplication::applicationVersion(), QStringLiteral("2.00.0009"));
    }

    void init() {
        openForm([] { return at(QDate(2024, 1, 1)); });
    }

    void cleanup() {
        const QStringList unexpected = driver ? driver->takeBoxes() : QStringList();
        driver.reset();
        form.reset();
        QCOMPARE(unexpected, QStringList());
    }

    void startState_data() {
        QTest::addColumn<QDate>("first");
        QTest::addColumn<QDate>("second");
        QTest::newRow("same day") << mon3 << mon3;
        QTest::newRow("across midnight") << mon3 << mon3.addDays(1);
    }

    // The clock is read once for each calendar.
    void startState() {
        QFETCH(QDate, first);
        QFETCH(QDate, second);
        QList<fee::DateSerial> readings{at(first, QTime(23, 59, 59)), at(second, QTime(0, 0))};
        openForm([&readings] { return readings.takeFirst(); });

        QCOMPARE(driver->child<QCalendarWidget>("Calendar1")->selectedDate(), first);
        QCOMPARE(driver->child<QCalendarWidget>("Calendar2")->selectedDate(), second);
        QCOMPARE(texts({"Text1", "Label3", "Text2", "Label4", "Combo1"}),
                 (QStringList{dateText(first), dateText(first), dateText(second), dateText(second),
                              "2"}));
        QVERIFY(driver->child<QRadioButton>("Option1")->isChecked());
        QCOMPARE(driver->results(), QStringLiteral("0 0 0"));
        QVERIFY(child("Calendar1")->hasFocus());
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
        QTest::newRow("Saturday, no Sundays")
            << sat8 << sat8 << "2" << 3 << false << 1 << "1 2 22,83";
        QTest::newRow("one day, twice")
            << mon3 << mon3 << "0,5" << 1 << true << 2 << "1 0,5 10,605";
        QTest::newRow("reversed, twice") << mon10 << wed5 << "2" << 1 << false << 2 << "-4 -8 0";
        QTest::newRow("reversed, no weekends") << mon10 << wed5 << "2" << 2 << true << 1 << "0 0 0";
    }

    // Reversed dates warn once for each press; equal dates never do.
    void calcola() {
        QFETCH(QDate, start);
        QFETCH(QDate, end);
        QFETCH(QString, daily);
        QFETCH(int, option);
        QFETCH(bool, withAltC);
        QFETCH(int, presses);
        QFETCH(QString, results);

        setDates(start, end);
        const QByteArray optionName = "Option" + QByteArray::number(option);
        QTest::mouseClick(driver->child<QRadioButton>(optionName.constData()), Qt::LeftButton);
        driver->typeDailyVacazioni(daily);
        QCOMPARE(driver->results(), QStringLiteral("0 0 0")); // nothing computes before the press
        for (int press = 0; press < presses; ++press)
            QVERIFY(driver->pressCalcola(withAltC));

        QCOMPARE(driver->results(), results);
        QCOMPARE(driver->takeBoxes(), QStringList(start > end ? presses : 0, kWarning));
    }

    // One error box for each bad text; the results stay and the window goes on working.
    void badDailyVacazioni() {
        setDates(mon3, fri14);
        QVERIFY(driver->pressCalcola(false));
        for (const QString &bad : {QStringLiteral("abc"), QString()}) {
            driver->typeDailyVacazioni(bad);
            QVERIFY(driver->pressCalcola(true));
            const QStringList shown = driver->takeBoxes();
            QCOMPARE(shown.size(), 1);
            QVERIFY(shown[0] != WindowDriver::kOtherBox && shown[0] != kWarning);
            QCOMPARE(driver->results(), QStringLiteral("12 24 202,13"));
        }
        driver->typeDailyVacazioni(QStringLiteral("3"));
        QVERIFY(driver->pressCalcola(true));
        QCOMPARE(driver->results(), QStringLiteral("12 36 299,93"));
    }

    // A label is as wide as its text and keeps its left edge.
    void labelsGrowToTheRight() {
        const char *const labels[] = {"Label3", "Label6", "Label10", "Label11"};
        QList<QRect> before;
        for (const char *label : labels)
            before.append(child(label)->geometry());
        setDates(QDate(2000, 1, 1), QDate(2025, 12, 31));
        driver->typeDailyVacazioni(QStringLiteral("100000000"));
        QVERIFY(driver->pressCalcola(false));

        for (int i = 0; i < 4; ++i) {
            const QLabel *label = driver->child<QLabel>(labels[i]);
            const QFontMetrics metrics(label->font());
            QCOMPARE(label->geometry(),
                     QRect(before[i].topLeft(),
                           QSize(metrics.horizontalAdvance(label->text()), metrics.height())));
        }
        QVERIFY(child("Label6")->width() > before[1].width());
        // The fee runs past the right edge of the window, which keeps its size.
        QVERIFY(child("Label11")->geometry().right() >= form->width());
        QCOMPARE(form->size(), QSize(1027, 536));
    }

    // The option group is one stop, at its selected button.
    void tabCycle() {
        QTest::mouseClick(driver->child<QRadioButton>("Option3"), Qt::LeftButton);
        child("Calendar1")->setFocus();
        for (const char *next :
             {"Calendar2", "Command1", "Option3", "Combo1", "Command2", "Calendar1"}) {
            QTest::keyClick(form->focusWidget(), Qt::Key_Tab);
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

    // "Esci" closes the window, and so ends the program's event loop.
    void esciCloses() {
        QTimer::singleShot(0, form.get(), [this] {
            QTest::mouseClick(driver->child<QPushButton>("Command2"), Qt::LeftButton);
        });
        QTimer stillRunning;
        stillRunning.callOnTimeout(qApp, [] { QCoreApplication::exit(1); });
        stillRunning.start(10000);
        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(!form->isVisible());
    }

    // Controls are named by their caption labels, labels by what they show.
    void accessibleNames() {
        setDates(mon3, fri14);
        QVERIFY(driver->pressCalcola(false));
        QStringList names;
        for (const char *control : {"Command1", "Option2", "Calendar2", "Label4", "Label11"})
            names.append(
                QAccessible::queryAccessibleInterface(child(control))->text(QAccessible::Name));
        // An editable combo box gives its text as its interface's name.
        names.append(child("Combo1")->accessibleName());
        QCOMPARE(names,
                 (QStringList{"Calcola", "Escludi i sabati e le domeniche", "Data di fine incarico",
                              dateText(fri14), "202,13", "Vacazioni giornaliere"}));
    }
};

QTEST_MAIN(TestWindow)
#include "tst_window.moc"
