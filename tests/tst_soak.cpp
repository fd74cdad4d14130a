#include "application.h"
#include "conversions.h"
#include "mainwindow.h"
#include "windowdriver.h"

#include <QAbstractItemView>
#include <QAction>
#include <QCalendarWidget>
#include <QComboBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

// A long run of random user actions on the window: dates picked anywhere in the calendars'
// range with the mouse and the keyboard, exclusion modes and options switched, any text typed
// as the daily vacazioni, "Calcola" pressed. After every press the results are what the fee
// engine makes of the fields and options as they stand, or an error box was shown and the
// results kept; the window never closes by itself. The seed is printed; TOLVEMAR_SOAK_SEED
// replays a run.
class TestSoak : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void soak_data();
    void soak();
};

namespace {

constexpr int kActions = 10000; // over all locales

// Pieces of what a user might type: digits and separators of several locales, letters, blanks.
const QStringList kPieces = {"0",   "1",   "2",     "3",      "5",       "9", ",",     ".",
                             " ",   "-",   "+",     "e",      "E",       "x", "abc",   "1.000",
                             "nan", "inf", "1e308", "٠",      "١",       "٢", "٥",     "٫",
                             "٬",   "۱",   "۲",     "\u200F", "\u061C-", "−", "\u00A0"};

QString randomText(QRandomGenerator &random) {
    const int length = random.bounded(20) == 0 ? 200 : int(random.bounded(8));
    QString text;
    for (int i = 0; i < length; ++i)
        text += kPieces.at(random.bounded(int(kPieces.size())));
    return text;
}

QtMessageHandler toolkitHandler = nullptr;
QTemporaryDir settingsDir;

} // namespace

void TestSoak::initTestCase() {
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());
    tolvemar::setUpApplication(*qApp);
    // The offscreen platform says this of every message box; thousands of them would hide the
    // seed.
    toolkitHandler = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext &context, const QString &message) {
            if (!message.contains(u"propagateSizeHints"))
                toolkitHandler(type, context, message);
        });
}

void TestSoak::soak_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::newRow("it_IT") << QLocale(QLocale::Italian, QLocale::Italy);
    QTest::newRow("en_US") << QLocale(QLocale::English, QLocale::UnitedStates);
    QTest::newRow("ar_EG") << QLocale(QLocale::Arabic, QLocale::Egypt);
}

void TestSoak::soak() {
    QFETCH(QLocale, locale);
    QLocale::setDefault(locale);
    const QByteArray replay = qgetenv("TOLVEMAR_SOAK_SEED");
    const quint32 seed =
        replay.isEmpty() ? QRandomGenerator::system()->generate() : replay.toUInt();
    qInfo("seed %u (replay with TOLVEMAR_SOAK_SEED=%u)", seed, seed);
    QRandomGenerator random(seed);

    tolvemar::MainWindow window;
    window.setOptions({});
    window.load();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    WindowDriver driver(window);
    QCalendarWidget *calendars[] = {driver.child<QCalendarWidget>("Calendar1"),
                                    driver.child<QCalendarWidget>("Calendar2")};
    QRadioButton *modes[] = {driver.child<QRadioButton>("Option1"),
                             driver.child<QRadioButton>("Option2"),
                             driver.child<QRadioButton>("Option3")};
    auto *combo = driver.child<QComboBox>("Combo1");
    QList<QAction *> options; // the two tariffs and the holidays
    for (QAction *item : window.menuBar()->actions().at(1)->menu()->actions())
        if (item->isCheckable())
            options << item;

    for (int action = 0; action < kActions / 3; ++action) {
        const QString step = QStringLiteral("seed %1, action %2").arg(seed).arg(action);
        QCalendarWidget *calendar = calendars[random.bounded(2)];
        auto *days = calendar->findChild<QAbstractItemView *>("qt_calendar_calendarview");
        switch (random.bounded(11)) {
        case 0: { // another month anywhere in the range, then a day clicked
            calendar->setCurrentPage(random.bounded(100, 10000), random.bounded(1, 13));
            const QModelIndex cell =
                days->model()->index(random.bounded(1, 7), random.bounded(1, 8));
            QTest::mouseClick(days->viewport(), Qt::LeftButton, {},
                              days->visualRect(cell).center());
            break;
        }
        case 1: {
            const Qt::Key keys[] = {Qt::Key_Left,   Qt::Key_Right,    Qt::Key_Up,   Qt::Key_Down,
                                    Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Home, Qt::Key_End};
            QTest::keyClick(days, keys[random.bounded(8)]);
            break;
        }
        case 2:
            QTest::mouseClick(modes[random.bounded(3)], Qt::LeftButton);
            break;
        case 3:
            QTest::keyClick(combo->lineEdit(), random.bounded(2) ? Qt::Key_Up : Qt::Key_Down);
            break;
        case 4:
        case 5:
            driver.type(randomText(random));
            break;
        case 6: { // a tariff, the holidays, or a patron day
            const int option = random.bounded(int(options.size()) + 1);
            if (option < options.size()) {
                options[option]->trigger();
                break;
            }
            fee::CalcolaOptions chosen = window.options();
            const QDate day = QDate(2001, 1, 1).addDays(random.bounded(366));
            chosen.patron = day.year() == 2001
                                ? std::optional(fee::PatronDay{day.month(), day.day()})
                                : std::nullopt;
            window.setOptions(chosen);
            break;
        }
        default: {
            const int checked = modes[0]->isChecked() ? 0 : modes[1]->isChecked() ? 1 : 2;
            const fee::CalcolaResult expected =
                fee::calcola({driver.text("Text1"), driver.text("Text2"),
                              fee::ExclusionMode(checked), combo->currentText()},
                             window.options(), locale);
            const QString before = driver.results();
            // Alt+C waits for the button's press animation: used now and then.
            QVERIFY2(driver.pressCalcola(random.bounded(20) == 0), qPrintable(step));
            QStringList boxes;
            if (expected.dateOrderWarning)
                boxes << fee::kDateOrderWarning;
            if (expected.failed())
                boxes << expected.error;
            QCOMPARE(driver.takeBoxes(), boxes);
            const QString after =
                expected.failed()
                    ? before
                    : QStringList{expected.label6, expected.label10, expected.label11}.join(u' ');
            QVERIFY2(driver.results() == after, qPrintable(step));
        }
        }
        for (int i = 0; i < 2; ++i) {
            const QString date =
                fee::dateToText(fee::serialFromDate(calendars[i]->selectedDate()), locale);
            QVERIFY2(driver.text(i == 0 ? "Text1" : "Text2") == date, qPrintable(step));
            QVERIFY2(driver.text(i == 0 ? "Label3" : "Label4") == date, qPrintable(step));
        }
        QVERIFY2(window.isVisible(), qPrintable(step));
    }
}

QTEST_MAIN(TestSoak)
#include "tst_soak.moc"
