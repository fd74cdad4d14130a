#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <functional>

class QDialog;

// Drives the program's window the way a user does in the widget tests: real key presses and
// mouse clicks, and every modal box or dialog answered as soon as it opens, so that none can
// block a test.
class WindowDriver : public QObject {
public:
    // Recorded for a message box that is not a critical box with one OK button and the
    // program's title.
    static const QString kOtherBox;

    explicit WindowDriver(QWidget &window);

    template <typename T> T *child(const char *name) const {
        return window.findChild<T *>(QLatin1String(name));
    }

    // The text of a label, line edit or combo box.
    QString text(const char *name) const;

    // "Label6 Label10 Label11", space-separated.
    QString results() const;

    // Clears a field (by default Combo1's) and types `text` into it, key by key.
    void type(const QString &text, QWidget *field = nullptr);

    // Presses "Calcola" with the mouse, or with Alt+C from the control that has the focus;
    // false when the button was not pressed.
    [[nodiscard]] bool pressCalcola(bool withAltC);

    // Sends a key to the focused control of the active window, as the keyboard does.
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

    // What a dialog other than a message box gets before it is accepted; the file dialog's
    // answer is `saveAs`, or Cancel when that is empty.
    std::function<void(QDialog *)> fillDialog;
    QString saveAs;

    // The message boxes (their texts) and dialogs (their titles) answered since the last call.
    QStringList takeBoxes();

private:
    void answer();

    QWidget &window;
    QTimer answerer;
    QStringList boxes;
};
