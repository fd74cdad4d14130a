#pragma once

#include "mainwindow.h"

#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <initializer_list>

class QDialog;

// The program's window, loaded and shown, driven the way a user does in the widget tests: real
// key presses and mouse clicks, and every modal box or dialog answered as soon as it opens, so
// that none can block a test.
class WindowDriver : public QObject {
public:
    // Recorded for a message box that is not a critical box with one OK button and the
    // program's title.
    static const QString kOtherBox;

    // The application as the program sets it up, its settings kept in `settingsFolder`, and the
    // offscreen platform's warning for every box kept out of the log.
    static void setUpApplication(const QString &settingsFolder);

    // A new window whose load handler reads `clock`, shown and active.
    explicit WindowDriver(tolvemar::Form1::Clock clock);

    tolvemar::MainWindow &window() { return main; }

    template <typename T> T *child(const char *name) const {
        return main.findChild<T *>(QLatin1String(name));
    }

    // The text of a label, line edit or combo box.
    QString text(const char *name) const;
    QStringList texts(std::initializer_list<const char *> names) const;

    // "Label6 Label10 Label11", space-separated.
    QString results() const { return texts({"Label6", "Label10", "Label11"}).join(u' '); }

    // Clears a field (by default Combo1's) and types `text` into it, key by key.
    void type(const QString &text, QWidget *field = nullptr);

    // Presses "Calcola" with the mouse, or with Alt+C from the control that has the focus;
    // false when the button was not pressed.
    [[nodiscard]] bool pressCalcola(bool withAltC);

    // Sends a key to the open menu, or else to the focused control of the window, as the
    // keyboard does.
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

    // What a dialog other than a message box gets before it is accepted; the file dialog's
    // answer is `saveAs`, or Cancel when that is empty.
    std::function<void(QDialog *)> fillDialog;
    QString saveAs;
    // The folder the last file dialog opened in.
    QString fileDialogFolder;
    // The button that answers a message box offering it, such as Yes or No to a question; such
    // a box is recorded by its text.
    QMessageBox::StandardButton reply = QMessageBox::NoButton;

    // The message boxes (their texts) and dialogs (their titles) answered since the last call.
    QStringList takeBoxes();

private:
    void answer();

    tolvemar::MainWindow main;
    QTimer answerer;
    QPointer<QDialog> acceptedFiles;
    QStringList boxes;
};
