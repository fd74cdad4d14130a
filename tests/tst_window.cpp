#include "application.h"
#include "conversions.h"
#include "fee.h"
#include "form1.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <memory>

using tolvemar::Form1;

namespace {

const QLocale italian(QLocale::Italian, QLocale::Italy);
const QLocale english(QLocale::English, QLocale::UnitedStates);
const QString kTitle = QStringLiteral("Calcolo Tolvemar CT");
const QString kOtherBox = QStringLiteral("a box that is not a critical box of the program");

fee::DateSerial at(QDate date, QTime time = QTime(9, 30)) {
    return fee::serialFromDateTime(date, time);
}

QString dateText(QDate date) {
    return fee::dateToText(fee::serialFromDate(date), QLocale());
}

} // namespace

class TestWindow : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void startState_data();
    void startState();
    void calcola_data();
    void calcola();
    void badDailyVacazioni();
    void labelsGrowToTheRight();
    void tabCycle_data();
    void tabCycle();
    void pickDay_data();
    void pickDay();
    void closing_data();
    void closing();
    void namesFontsAndToolkitTexts();

private:
    void openForm(Form1::Clock clock);
    template <class Control = QWidget> Control *child(const QString &name) const {
        auto *found = form->findChild<Control *>(name);
        if (!found)
            qFatal("no control %s", qPrintable(name));
        return found;
    }
    // The caption of a label, the text of any other control.
    QString text(const QString &name) const {
        if (auto *label = qobject_cast<QLabel *>(child(name)))
            return label->text();
        if (auto *combo = qobject_cast<QComboBox *>(child(name)))
            return combo->currentText();
        return child<QLineEdit>(name)->text();
    }
    QString results() const {
        return QStringList{text("Label6"), text("Label10"), text("Label11")}.join(QLatin1Char(' '));
    }
    void setDates(QDate start, QDate end) {
        child<QCalendarWidget>("Calendar1")->setSelectedDate(start);
        child<QCalendarWidget>("Calendar2")->setSelectedDate(end);
    }
    void typeDailyVacazioni(const QString &text);
    [[nodiscard]] bool pressCalcola(bool withAltC);

    std::unique_ptr<Form1> form;
    // Every modal box is answered as soon as it opens, so none can block a test; each test
    // compares the boxes it expected with these.
    QTimer boxAnswerer;
    QStringList boxes;
};

void TestWindow::initTestCase() {
    tolvemar::setUpApplication(*qApp);
    boxAnswerer.callOnTimeout([this] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        auto *box = qobject_cast<QMessageBox *>(modal);
        QAbstractButton *ok = box ? box->button(QMessageBox::Ok) : nullptr;
        const bool asExpected = ok && box->buttons().size() == 1 &&
                                box->icon() == QMessageBox::Critical &&
                                box->windowTitle() == kTitle;
        boxes.append(asExpected ? box->text() : kOtherBox);
        if (ok)
            ok->click();
        else if (box)
            box->done(0); // a box without an escape button refuses to close
        else
            modal->close();
    });
    boxAnswerer.start(10);
}

void TestWindow::init() {
    QLocale::setDefault(italian);
    openForm([] { return at(QDate(2024, 1, 1)); });
}

void TestWindow::cleanup() {
    form.reset();
    QCOMPARE(std::exchange(boxes, {}), QStringList());
}

void TestWindow::openForm(Form1::Clock clock) {
    form = std::make_unique<Form1>(std::move(clock));
    form->load();
    form->show();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
}

void TestWindow::typeDailyVacazioni(const QString &text) {
    QLineEdit *field = child<QComboBox>("Combo1")->lineEdit();
    QTest::mouseClick(field, Qt::LeftButton);
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(field, Qt::Key_Delete);
    QTest::keyClicks(field, text);
}

// Alt+C goes to whichever control has the focus; a shortcut presses the button with a short
// animation, so its click comes from the event loop.
bool TestWindow::pressCalcola(bool withAltC) {
    auto *button = child<QPushButton>("Command1");
    QSignalSpy clicked(button, &QPushButton::clicked);
    if (withAltC) {
        form->activateWindow(); // as a window manager does once a box has closed
        if (!QTest::qWaitForWindowActive(form.get()))
            return false;
        QTest::keyClick(form->focusWidget(), Qt::Key_C, Qt::AltModifier);
    } else {
        QTest::mouseClick(button, Qt::LeftButton);
    }
    return !clicked.isEmpty() || clicked.wait();
}

void TestWindow::startState_data() {
    QTest::addColumn<QDate>("first");
    QTest::addColumn<QDate>("second");
    QTest::newRow("same day") << QDate(2025, 3, 3) << QDate(2025, 3, 3);
    QTest::newRow("across midnight") << QDate(2025, 3, 3) << QDate(2025, 3, 4);
}

void TestWindow::startState() {
    QFETCH(QDate, first);
    QFETCH(QDate, second);
    QList<fee::DateSerial> readings{at(first, QTime(23, 59, 59)), at(second, QTime(0, 0))};
    openForm([&readings] { return readings.takeFirst(); });

    QCOMPARE(child<QCalendarWidget>("Calendar1")->selectedDate(), first);
    QCOMPARE(child<QCalendarWidget>("Calendar2")->selectedDate(), second);
    const QStringList fields{text("Text1"), text("Label3"), text("Text2"), text("Label4")};
    QCOMPARE(fields,
             (QStringList{dateText(first), dateText(first), dateText(second), dateText(second)}));
    QVERIFY(!child("Text1")->isVisible() && !child("Text2")->isVisible());
    QVERIFY(child<QRadioButton>("Option1")->isChecked());
    QCOMPARE(results(), QStringLiteral("0 0 0"));
    QCOMPARE(text("Combo1"), QStringLiteral("2"));
    QVERIFY(child("Calendar1")->hasFocus());
    QCOMPARE(form->windowTitle(), kTitle);
    QCOMPARE(form->size(), QSize(1027, 536));
}

void TestWindow::calcola_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QDate>("start");
    QTest::addColumn<QDate>("end");
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("daily");
    QTest::addColumn<bool>("withAltC");
    QTest::addColumn<int>("presses");
    QTest::addColumn<QString>("results"); // Label6, Label10, Label11
    QTest::addColumn<int>("warnings");

    const QDate mon3(2025, 3, 3), wed5(2025, 3, 5), sat8(2025, 3, 8), mon10(2025, 3, 10),
        fri14(2025, 3, 14);
    QTest::newRow("every day, clicked") << italian << mon3 << fri14 << "Option1"
                                        << "2" << false << 1 << "12 24 202,13" << 0;
    QTest::newRow("no weekends, Alt+C") << italian << mon3 << fri14 << "Option2"
                                        << "2" << true << 1 << "10 20 169,53" << 0;
    QTest::newRow("no Sundays") << italian << mon3 << fri14 << "Option3"
                                << "2" << false << 1 << "11 22 185,83" << 0;
    QTest::newRow("one Saturday, no weekends") << italian << sat8 << sat8 << "Option2"
                                               << "2" << true << 1 << "0 0 0" << 0;
    QTest::newRow("one Saturday, no Sundays") << italian << sat8 << sat8 << "Option3"
                                              << "2" << false << 1 << "1 2 22,83" << 0;
    QTest::newRow("one day, half a vacazione") << italian << mon3 << mon3 << "Option1"
                                               << "0,5" << false << 1 << "1 0,5 10,605" << 0;
    QTest::newRow("reversed, pressed twice") << italian << mon10 << wed5 << "Option1"
                                             << "2" << false << 2 << "-4 -8 0" << 2;
    QTest::newRow("reversed, no weekends") << italian << mon10 << wed5 << "Option2"
                                           << "2" << true << 1 << "0 0 0" << 1;
    QTest::newRow("English regional settings") << english << mon3 << fri14 << "Option1"
                                               << "0.5" << true << 1 << "12 6 55.43" << 0;
}

void TestWindow::calcola() {
    QFETCH(QLocale, locale);
    QFETCH(QDate, start);
    QFETCH(QDate, end);
    QFETCH(QString, option);
    QFETCH(QString, daily);
    QFETCH(bool, withAltC);
    QFETCH(int, presses);
    QFETCH(QString, results);
    QFETCH(int, warnings);

    QLocale::setDefault(locale);
    setDates(start, end);
    QTest::mouseClick(child<QRadioButton>(option), Qt::LeftButton);
    typeDailyVacazioni(daily);
    QCOMPARE(this->results(), QStringLiteral("0 0 0")); // nothing computes before the press
    for (int press = 0; press < presses; ++press)
        QVERIFY(pressCalcola(withAltC));

    QCOMPARE(this->results(), results);
    QCOMPARE(std::exchange(boxes, {}),
             QStringList(warnings, QString::fromUtf8(fee::kDateOrderWarning)));
    QCOMPARE(child<QComboBox>("Combo1")->count(), 4); // typed text stays out of the list
}

void TestWindow::badDailyVacazioni() {
    setDates(QDate(2025, 3, 3), QDate(2025, 3, 14));
    QVERIFY(pressCalcola(false));
    for (const QString &bad : {QStringLiteral("abc"), QString()}) {
        typeDailyVacazioni(bad);
        QVERIFY(pressCalcola(true));
        const QStringList shown = std::exchange(boxes, {});
        QCOMPARE(shown.size(), 1);
        QVERIFY(shown[0] != kOtherBox && shown[0] != QString::fromUtf8(fee::kDateOrderWarning));
        QCOMPARE(results(), QStringLiteral("12 24 202,13"));
    }
    typeDailyVacazioni(QStringLiteral("3"));
    QVERIFY(pressCalcola(true));
    QCOMPARE(results(), QStringLiteral("12 36 299,93"));
}

void TestWindow::labelsGrowToTheRight() {
    const QStringList labels{"Label3", "Label6", "Label10", "Label11"};
    QList<QRect> before;
    for (const QString &label : labels)
        before.append(child(label)->geometry());
    setDates(QDate(2000, 1, 1), QDate(2025, 12, 31));
    typeDailyVacazioni(QStringLiteral("100000000"));
    QVERIFY(pressCalcola(false));

    for (int i = 0; i < labels.size(); ++i) {
        const QLabel *label = child<QLabel>(labels[i]);
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

void TestWindow::tabCycle_data() {
    QTest::addColumn<QString>("option");
    QTest::newRow("Option1 selected") << "Option1";
    QTest::newRow("Option3 selected") << "Option3";
}

// The option group is one stop, at its selected button.
void TestWindow::tabCycle() {
    QFETCH(QString, option);
    QTest::mouseClick(child<QRadioButton>(option), Qt::LeftButton);
    child("Calendar1")->setFocus();
    for (const QString &next :
         QStringList{"Calendar2", "Command1", option, "Combo1", "Command2", "Calendar1"}) {
        QTest::keyClick(form->focusWidget(), Qt::Key_Tab);
        QVERIFY2(child(next)->hasFocus(), qPrintable(next));
    }
}

void TestWindow::pickDay_data() {
    QTest::addColumn<QString>("calendar");
    QTest::addColumn<bool>("withMouse");
    QTest::addColumn<QDate>("picked");
    QTest::newRow("start date, arrow key") << "Calendar1" << false << QDate(2025, 3, 11);
    QTest::newRow("end date, mouse") << "Calendar2" << true << QDate(2025, 3, 14);
}

void TestWindow::pickDay() {
    QFETCH(QString, calendar);
    QFETCH(bool, withMouse);
    QFETCH(QDate, picked);
    setDates(QDate(2025, 3, 10), QDate(2025, 3, 10));
    QVERIFY(pressCalcola(false));
    const QStringList watched{"Text1", "Label3", "Text2", "Label4", "Label6", "Label10", "Label11"};
    QStringList expected;
    for (const QString &name : watched)
        expected.append(text(name));
    const int own = calendar == QLatin1String("Calendar1") ? 0 : 2;
    expected[own] = expected[own + 1] = dateText(picked);

    auto *view = qobject_cast<QAbstractItemView *>(child(calendar)->focusProxy());
    QVERIFY(view);
    if (withMouse) {
        const QAbstractItemModel *grid = view->model();
        QModelIndex day;
        for (int row = 1; row < grid->rowCount(); ++row) { // row 0 holds the day names
            for (int column = 0; column < grid->columnCount(); ++column) {
                if (grid->index(row, column).data().toInt() == picked.day())
                    day = grid->index(row, column);
            }
        }
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(day).center());
    } else {
        view->setFocus();
        QTest::keyClick(view, Qt::Key_Right);
    }

    QStringList after;
    for (const QString &name : watched)
        after.append(text(name));
    QCOMPARE(after, expected);
}

void TestWindow::closing_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("Esci clicked") << "click";
    QTest::newRow("Alt+E") << "Alt+E";
    QTest::newRow("window closed") << "close";
}

// Any way of closing the window ends the program's event loop.
void TestWindow::closing() {
    QFETCH(QString, how);
    QTimer::singleShot(0, form.get(), [this, how] {
        if (how == QLatin1String("click"))
            QTest::mouseClick(child<QPushButton>("Command2"), Qt::LeftButton);
        else if (how == QLatin1String("Alt+E"))
            QTest::keyClick(form->focusWidget(), Qt::Key_E, Qt::AltModifier);
        else
            form->close();
    });
    QTimer stillRunning;
    stillRunning.callOnTimeout(qApp, [] { QCoreApplication::exit(1); });
    stillRunning.start(10000);
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(!form->isVisible());
}

void TestWindow::namesFontsAndToolkitTexts() {
    setDates(QDate(2025, 3, 3), QDate(2025, 3, 14));
    QVERIFY(pressCalcola(false));
    const auto name = [this](const QString &control) {
        return QAccessible::queryAccessibleInterface(child(control))->text(QAccessible::Name);
    };
    const QStringList names{name("Command1"),
                            name("Option2"),
                            name("Calendar2"),
                            name("Label4"),
                            name("Label6"),
                            name("Label11"),
                            child("Combo1")->accessibleName()};
    QCOMPARE(names,
             (QStringList{"Calcola", "Escludi i sabati e le domeniche", "Data di fine incarico",
                          dateText(QDate(2025, 3, 14)), "12", "202,13", "Vacazioni giornaliere"}));

    if (QFontDatabase::families().contains(QStringLiteral("Liberation Sans"))) {
        for (const char *control : {"Label1", "Command1", "Calendar1"})
            QCOMPARE(QFontInfo(child(control)->font()).family(), QStringLiteral("Liberation Sans"));
    }
    std::unique_ptr<QMenu> menu(
        child<QComboBox>("Combo1")->lineEdit()->createStandardContextMenu());
    QStringList actions;
    for (const QAction *action : menu->actions())
        actions.append(action->text().remove(QLatin1Char('&')).section(QLatin1Char('\t'), 0, 0));
    for (const char *expected : {"Annulla", "Copia", "Incolla"})
        QVERIFY2(actions.contains(QLatin1String(expected)), qPrintable(actions.join(", ")));
}

QTEST_MAIN(TestWindow)
#include "tst_window.moc"
