#include "application.h"
#include "registerdriver.h"

#include <QAction>
#include <QDir>
#include <QScreen>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

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
        QVERIFY2(available().contains(window->frameGeometry()), qPrintable(window->windowTitle()));
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

    void dialogs() {
        const auto dialogs = everyDialog(main.get());
        for (QWidget *dialog : dialogs) {
            checkOnScreen(dialog);
            delete dialog;
        }
    }
};

QTEST_MAIN(TestScreenFit)
#include "tst_screenfit.moc"
