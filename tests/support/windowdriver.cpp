#include "windowdriver.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <utility>

const QString WindowDriver::kTitle = QStringLiteral("Calcolo Tolvemar CT");
const QString WindowDriver::kOtherBox =
    QStringLiteral("a box that is not a critical box of the program");

WindowDriver::WindowDriver(tolvemar::Form1 &form)
    : form(form) {
    boxAnswerer.callOnTimeout(this, &WindowDriver::answerBox);
    boxAnswerer.start(1);
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

void WindowDriver::typeDailyVacazioni(const QString &text) {
    auto *combo = child<QComboBox>("Combo1");
    QLineEdit *field = combo ? combo->lineEdit() : nullptr;
    if (!field)
        return;
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

// Alt+C goes to whichever control has the focus; a shortcut presses the button with a short
// animation, so its click comes from the event loop.
bool WindowDriver::pressCalcola(bool withAltC) {
    auto *button = child<QPushButton>("Command1");
    if (!button)
        return false;
    QSignalSpy clicked(button, &QPushButton::clicked);
    if (withAltC) {
        form.activateWindow(); // as a window manager does once a box has closed
        if (!QTest::qWaitForWindowActive(&form) || !form.focusWidget())
            return false;
        QTest::keyClick(form.focusWidget(), Qt::Key_C, Qt::AltModifier);
    } else {
        QTest::mouseClick(button, Qt::LeftButton);
    }
    return !clicked.isEmpty() || clicked.wait();
}

QStringList WindowDriver::takeBoxes() {
    return std::exchange(boxes, {});
}

void WindowDriver::answerBox() {
    QWidget *modal = QApplication::activeModalWidget();
    if (!modal)
        return;
    auto *box = qobject_cast<QMessageBox *>(modal);
    QAbstractButton *ok = box ? box->button(QMessageBox::Ok) : nullptr;
    const bool asExpected = ok && box->buttons().size() == 1 &&
                            box->icon() == QMessageBox::Critical && box->windowTitle() == kTitle;
    boxes.append(asExpected ? box->text() : kOtherBox);
    if (ok)
        ok->click();
    else if (box)
        box->done(0); // a box without an escape button refuses to close
    else
        modal->close();
}
