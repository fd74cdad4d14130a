#include "application.h"
#include "creditsdialog.h"
#include "expertdialog.h"
#include "guide.h"
#include "patrondialog.h"
#include "registerdriver.h"
#include "requestdialog.h"
#include "screenfit.h"
#include "tablefeedialog.h"

#include <QAction>
#include <QDir>
#include <QScreen>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>

// Each window and dialog of the program on the screen it runs on: CTest starts this suite on
// the displays of the common laptops (TOLVEMAR_SCREEN, as "1366x768"), on Linux and under Wine.
class TestScreenFit : public QObject {
    Q_OBJECT

    QTemporaryDir settings;
    std::unique_ptr<tolvemar::MainWindow> main;

    static QRect available() { return QGuiApplication::primaryScreen()->availableGeometry(); }

    // Without a window manager no window is ever active: exposed is what counts here.
    static void checkOnScreen(QWidget *window) {
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QCoreApplication::processEvents();
        const QRect frame = window->frameGeometry();
        QVERIFY2(available().contains(frame), qPrintable(QStringLiteral("%1: %2,%3 %4x%5 on %6x%7")
                                                             .arg(window->windowTitle())
                                                             .arg(frame.x())
                                                             .arg(frame.y())
                                                             .arg(frame.width())
                                                             .arg(frame.height())
                                                             .arg(available().width())
                                                             .arg(available().height())));
    }

private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        WindowDriver::setUpApplication(settings.path());
        const QString wanted = qEnvironmentVariable("TOLVEMAR_SCREEN");
        if (!wanted.isEmpty()) {
            const QSize screen = QGuiApplication::primaryScreen()->size();
            QCOMPARE(QStringLiteral("%1x%2").arg(screen.width()).arg(screen.height()), wanted);
        }
        QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)).removeRecursively();
        registerfile::seed(QStringLiteral("300/2025"), {registerfile::kMorning});
        main = std::make_unique<tolvemar::MainWindow>();
        tolvemar::addRegister(*main);
        main->load();
    }
    void cleanupTestCase() {
        main.reset();
        QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)).removeRecursively();
    }

    // Where it fits, the main window keeps the size its form was drawn at.
    void mainWindow() {
        const QSize seed = main->sizeHint();
        checkOnScreen(main.get());
        if (seed.width() <= available().width() && seed.height() <= available().height() - 40)
            QCOMPARE(main->size(), seed);
    }

    void registerWindow() {
        for (QAction *action : main->findChildren<QAction *>())
            if (action->text() == QStringLiteral("Registro degli incarichi…"))
                action->trigger();
        auto *window = main->findChild<tolvemar::RegisterWindow *>();
        QVERIFY(window);
        checkOnScreen(window);
        window->close();
    }

    void dialogs_data() {
        QTest::addColumn<std::function<QWidget *(QWidget *)>>("make");
        using Make = std::function<QWidget *(QWidget *)>;
        QTest::newRow("Onorari fissi e variabili") << Make([](QWidget *parent) -> QWidget * {
            return new tolvemar::TableFeeDialog(QDate(2026, 12, 10), parent);
        });
        QTest::newRow("Istanza di liquidazione") << Make([](QWidget *parent) -> QWidget * {
            return new tolvemar::RequestDialog(request::Computation{}, parent);
        });
        QTest::newRow("Santo patrono") << Make([](QWidget *parent) -> QWidget * {
            return new tolvemar::PatronDialog(std::nullopt, parent);
        });
        QTest::newRow("Dati fiscali del consulente") << Make([](QWidget *parent) -> QWidget * {
            return new tolvemar::ExpertDialog(assignments::Expert{}, 0, parent);
        });
        QTest::newRow("Crediti da incassare") << Make([](QWidget *parent) -> QWidget * {
            return new tolvemar::CreditsDialog({}, true, parent);
        });
        QTest::newRow("Guida") << Make(
            [](QWidget *parent) -> QWidget * { return new tolvemar::GuideWindow(parent); });
    }

    void dialogs() {
        QFETCH(std::function<QWidget *(QWidget *)>, make);
        const std::unique_ptr<QWidget> dialog(make(main.get()));
        checkOnScreen(dialog.get());
    }

    // A window larger than the area, or beyond its edge, is brought inside it.
    void fitted_data() {
        QTest::addColumn<QRect>("frame");
        QTest::addColumn<QRect>("fitted");
        const QRect area(0, 0, 1366, 728);
        QTest::newRow("fits") << QRect(10, 20, 800, 600) << QRect(10, 20, 800, 600);
        QTest::newRow("too tall") << QRect(63, 0, 1240, 942) << QRect(63, 0, 1240, 728);
        QTest::newRow("too wide, beyond the left")
            << QRect(-20, 10, 1440, 700) << QRect(0, 10, 1366, 700);
        QTest::newRow("beyond the bottom right")
            << QRect(900, 500, 600, 400) << QRect(766, 328, 600, 400);
        QTest::newRow("exactly the area") << area << area;
        QVERIFY(area.isValid());
    }

    void fitted() {
        QFETCH(QRect, frame);
        QFETCH(QRect, fitted);
        QCOMPARE(tolvemar::fittedFrame(frame, QRect(0, 0, 1366, 728)), fitted);
    }
};

QTEST_MAIN(TestScreenFit)
#include "tst_screenfit.moc"
