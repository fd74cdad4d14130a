#include "conversions.h"
#include "windowdriver.h"

#include <QAbstractItemView>
#include <QAction>
#include <QCalendarWidget>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Pieces of what a user might type: digits and separators of several locales, letters, blanks.
const QStringList kPieces = {"0",   "1",   "2",     "3",      "5",       "9", ",",     ".",
                             " ",   "-",   "+",     "e",      "E",       "x", "abc",   "1.000",
                             "nan", "inf", "1e308", "٠",      "١",       "٢", "٥",     "٫",
                             "٬",   "۱",   "۲",     "\u200F", "\u061C-", "−", "\u00A0"};

} // namespace

class TestSoak : public QObject {
    Q_OBJECT

    QTemporaryDir settingsDir;

private slots:
    void initTestCase() { WindowDriver::setUpApplication(settingsDir.path()); }

    void soak_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::newRow("it_IT") << QLocale(QLocale::Italian, QLocale::Italy);
        QTest::newRow("en_US") << QLocale(QLocale::English, QLocale::UnitedStates);
        QTest::newRow("ar_EG") << QLocale(QLocale::Arabic, QLocale::Egypt);
    }

    // A thousand random actions: dates picked anywhere in the range with the mouse and the
    // keyboard, modes and options switched, any text typed, "Calcola" pressed by click or Alt+C.
    // A picked date goes to its own field and label only; only a press changes the results, to
    // what the engine makes of the fields and options, with a warning box on reversed dates,
    // or to an error box and no change. The seed is printed; TOLVEMAR_SOAK_SEED replays a run.
    void soak() {
        QFETCH(QLocale, locale);
        QLocale::setDefault(locale);
        const auto driver = std::make_unique<WindowDriver>(fee::currentSerial);
        tolvemar::MainWindow &window = driver->window();
        const QByteArray replay = qgetenv("TOLVEMAR_SOAK_SEED");
        const quint32 seed =
            replay.isEmpty() ? QRandomGenerator::system()->generate() : replay.toUInt();
        qInfo("seed %u (replay with TOLVEMAR_SOAK_SEED=%u)", seed, seed);
        QRandomGenerator random(seed);
        QCalendarWidget *calendars[] = {driver->child<QCalendarWidget>("Calendar1"),
                                        driver->child<QCalendarWidget>("Calendar2")};
        auto *combo = driver->child<QComboBox>("Combo1");
        QList<QAction *> switches; // the two tariffs and the holidays
        for (QAction *item : window.menuBar()->actions().at(1)->menu()->actions())
            if (item->isCheckable())
                switches << item;

        for (int action = 0; action < 1000; ++action) {
            const QString step = QStringLiteral("seed %1, action %2").arg(seed).arg(action);
            QString after = driver->results();
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
                const Qt::Key keys[] = {Qt::Key_Left, Qt::Key_Right,  Qt::Key_Up,
                                        Qt::Key_Down, Qt::Key_PageUp, Qt::Key_PageDown,
                                        Qt::Key_Home, Qt::Key_End};
                QTest::keyClick(days, keys[random.bounded(8)]);
                break;
            }
            case 2: {
                const QByteArray option = "Option" + QByteArray::number(random.bounded(1, 4));
                QTest::mouseClick(driver->child<QRadioButton>(option.constData()), Qt::LeftButton);
                break;
            }
            case 3:
                QTest::keyClick(combo->lineEdit(), random.bounded(2) ? Qt::Key_Up : Qt::Key_Down);
                break;
            case 4:
            case 5: {
                QString text;
                for (int i = random.bounded(20) == 0 ? 200 : random.bounded(8); i > 0; --i)
                    text += kPieces.at(random.bounded(int(kPieces.size())));
                driver->type(text);
                break;
            }
            case 6: { // a tariff, the holidays, or a patron day or none
                const int option = random.bounded(int(switches.size()) + 1);
                if (option < switches.size()) {
                    switches[option]->trigger();
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
                const int mode = driver->child<QRadioButton>("Option1")->isChecked()   ? 0
                                 : driver->child<QRadioButton>("Option2")->isChecked() ? 1
                                                                                       : 2;
                const fee::CalcolaResult expected =
                    fee::calcola({driver->text("Text1"), driver->text("Text2"),
                                  fee::ExclusionMode(mode), combo->currentText()},
                                 window.options(), locale);
                // Alt+C waits for the button's press animation: used now and then.
                QVERIFY2(driver->pressCalcola(random.bounded(20) == 0), qPrintable(step));
                QStringList boxes;
                if (expected.dateOrderWarning)
                    boxes << fee::kDateOrderWarning;
                if (expected.failed())
                    boxes << expected.error;
                QCOMPARE(driver->takeBoxes(), boxes);
                if (!expected.failed())
                    after =
                        QStringList{expected.label6, expected.label10, expected.label11}.join(u' ');
            }
            }
            QVERIFY2(driver->results() == after, qPrintable(step));
            // Labels keep their left edge and grow to the right to show their whole text; the
            // form keeps its size.
            for (const auto &[name, left] :
                 {std::pair{"Label3", 368}, {"Label6", 856}, {"Label10", 848}, {"Label11", 848}}) {
                const QLabel *label = driver->child<QLabel>(name);
                QVERIFY2(label->x() == left &&
                             label->width() >=
                                 label->fontMetrics().horizontalAdvance(label->text()),
                         qPrintable(step));
            }
            QCOMPARE(driver->child<QWidget>("Form1")->size(), QSize(1027, 536));
            for (int i = 0; i < 2; ++i) {
                const QString date =
                    fee::dateToText(fee::serialFromDate(calendars[i]->selectedDate()), locale);
                QVERIFY2(driver->texts({i == 0 ? "Text1" : "Text2",
                                        i == 0 ? "Label3" : "Label4"}) == QStringList({date, date}),
                         qPrintable(step));
            }
            QVERIFY2(window.isVisible(), qPrintable(step));
        }
    }
};

QTEST_MAIN(TestSoak)
#include "tst_soak.moc"
