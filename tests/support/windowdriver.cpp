#include "windowdriver.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <utility>

const QString WindowDriver::kOtherBox =
    QStringLiteral("a box that is not a critical box of the program");

WindowDriver::WindowDriver(QWidget &window)
    : window(window) {
    answerer.callOnTimeout(this, &WindowDriver::answer);
    answerer.start(1);
}

QString WindowDriver::text(const char *name) const {
    if (const auto *label = child<QLabel>(name))
        return label->text();
    if (const auto *combo = child<QComboBox>(name))
        return combo->currentText();
    if (const auto *field = child<QLineEdit>(name))
        return field->text();
    return QStringLiteral("(no control %1)").arg(QLatin1String(name));
}

QString WindowDriver::results() const {
    return QStringList{text("Label6"), text("Label10"), text("Label11")}.join(QLatin1Char(' '));
}

void WindowDriver::type(const QString &text, QWidget *field) {
    if (!field)
        field = child<QComboBox>("Combo1")->lineEdit();
    QTest::mouseClick(field, Qt::LeftButton);
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(field, Qt::Key_Delete);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text.at(i).unicode();
        if (unit >= 0x20 && unit < 0x7f) {
            QTest::keyClick(field, char(unit));
            continue;
        }
        // Any other character comes as another keyboard layout sends it: its text, and its
        // code point as the key.
        const bool pair =
            QChar::isHighSurrogate(unit) && i + 1 < text.size() && text.at(i + 1).isLowSurrogate();
        const QString typed = text.mid(i, pair ? 2 : 1);
        const char32_t code = pair ? QChar::surrogateToUcs4(unit, text.at(i + 1).unicode()) : unit;
        QTest::sendKeyEvent(QTest::Click, field, Qt::Key(QChar::toUpper(code)), typed,
                            Qt::NoModifier);
        i += pair ? 1 : 0;
    }
}

void WindowDriver::key(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    if (QWidget *menu = QApplication::activePopupWidget()) {
        QTest::keyClick(menu, key, modifiers);
        return;
    }
    window.activateWindow(); // as a window manager does once a box has closed
    QVERIFY(QTest::qWaitForWindowActive(&window));
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
        QAbstractButton *ok = box->button(QMessageBox::Ok);
        const bool critical = ok && box->buttons().size() == 1 &&
                              box->icon() == QMessageBox::Critical &&
                              box->windowTitle() == QStringLiteral("Calcolo Tolvemar CT");
        boxes.append(critical ? box->text() : kOtherBox);
        ok ? ok->click() : box->done(0); // a box without an escape button refuses to close
    } else if (auto *files = qobject_cast<QFileDialog *>(modal)) {
        boxes.append(files->windowTitle());
        files->selectFile(saveAs);
        saveAs.isEmpty() ? files->reject() : static_cast<QDialog *>(files)->accept();
    } else if (auto *dialog = qobject_cast<QDialog *>(modal)) {
        boxes.append(dialog->windowTitle());
        if (fillDialog)
            fillDialog(dialog);
        dialog->accept();
    } else {
        modal->close();
    }
}
