#include "windowdriver.h"

#include "application.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>

#include <utility>

const QString WindowDriver::kOtherBox =
    QStringLiteral("a box that is not a critical box of the program");

namespace {

QtMessageHandler toolkitHandler = nullptr;

// The program's settings in a file of `folder`. On Windows the program keeps them in the
// registry, which would outlive the test: there the tests use a file too.
void keepSettingsIn(const QString &folder) {
#ifdef Q_OS_WIN
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder);
#else
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder);
#endif
}

} // namespace

void WindowDriver::setUpApplication(const QString &settingsFolder) {
    keepSettingsIn(settingsFolder);
    tolvemar::setUpApplication(*qApp);
    toolkitHandler = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext &context, const QString &message) {
            if (!message.contains(u"propagateSizeHints") &&
                !message.contains(u"plugin does not support"))
                toolkitHandler(type, context, message);
        });
}

WindowDriver::WindowDriver(tolvemar::Form1::Clock clock)
    : main(std::move(clock)) {
    tolvemar::addRegister(main);
    answerer.callOnTimeout(this, &WindowDriver::answer);
    answerer.start(1);
    main.load();
    main.show();
    QVERIFY(QTest::qWaitForWindowActive(&main));
}

QString WindowDriver::text(const char *name) const {
    const QWidget *control = child<QWidget>(name);
    if (!control)
        return QStringLiteral("(no control %1)").arg(QLatin1String(name));
    return control->property(control->inherits("QComboBox") ? "currentText" : "text").toString();
}

QStringList WindowDriver::texts(std::initializer_list<const char *> names) const {
    QStringList all;
    for (const char *name : names)
        all.append(text(name));
    return all;
}

void WindowDriver::type(const QString &text, QWidget *field) {
    if (!field)
        field = child<QComboBox>("Combo1")->lineEdit();
    QTest::mouseClick(field, Qt::LeftButton);
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(field, Qt::Key_Delete);
    // Each character comes as a keyboard of its script sends it: its code point as the key, and
    // its text.
    for (const char32_t c : text.toUcs4())
        QTest::sendKeyEvent(QTest::Click, field, Qt::Key(QChar::toUpper(c)),
                            QString::fromUcs4(&c, 1), Qt::NoModifier);
}

void WindowDriver::key(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    if (QWidget *menu = QApplication::activePopupWidget()) {
        QTest::keyClick(menu, key, modifiers);
        return;
    }
    main.activateWindow(); // as a window manager does once a box has closed
    QVERIFY(QTest::qWaitForWindowActive(&main));
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
}

// A shortcut presses the button with a short animation, so its click comes from the event loop.
bool WindowDriver::pressCalcola(bool withAltC) {
    auto *button = child<QPushButton>("Command1");
    QSignalSpy clicked(button, &QPushButton::clicked);
    if (withAltC)
        key(Qt::Key_C, Qt::AltModifier);
    else
        QTest::mouseClick(button, Qt::LeftButton);
    return !clicked.isEmpty() || clicked.wait();
}

QStringList WindowDriver::takeBoxes() {
    return std::exchange(boxes, {});
}

void WindowDriver::answer() {
    QWidget *modal = QApplication::activeModalWidget();
    if (!modal)
        return;
    if (auto *box = qobject_cast<QMessageBox *>(modal)) {
        if (QAbstractButton *chosen =
                reply != QMessageBox::NoButton ? box->button(reply) : nullptr) {
            boxes.append(box->text());
            chosen->click();
            return;
        }
        QAbstractButton *ok = box->button(QMessageBox::Ok);
        const bool critical = ok && box->buttons().size() == 1 &&
                              box->icon() == QMessageBox::Critical &&
                              box->windowTitle() == QStringLiteral("Calcolo Tolvemar CT");
        boxes.append(critical ? box->text() : kOtherBox);
        ok ? ok->click() : box->done(0); // a box without an escape button refuses to close
    } else if (auto *files = qobject_cast<QFileDialog *>(modal)) {
        if (files == acceptedFiles)
            return;
        boxes.append(files->windowTitle());
        fileDialogFolder = files->directory().absolutePath();
        files->selectFile(saveAs);
        if (saveAs.isEmpty())
            return files->reject();
        // Accepted from the event loop, so that a box it opens in turn ("replace it?") is
        // answered too.
        acceptedFiles = files;
        QTimer::singleShot(0, files, [files] { static_cast<QDialog *>(files)->accept(); });
    } else if (auto *dialog = qobject_cast<QDialog *>(modal)) {
        boxes.append(dialog->windowTitle());
        if (fillDialog)
            fillDialog(dialog);
        dialog->accept();
    } else {
        modal->close();
    }
}
