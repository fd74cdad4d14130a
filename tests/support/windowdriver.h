#pragma once

#include "form1.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

// Drives Form1 the way a user does in the widget tests: real key presses and mouse clicks, and
// every modal box answered as soon as it opens, so that none can block a test.
class WindowDriver : public QObject {
public:
    // The title every box of the program carries.
    static const QString kTitle;
    // Recorded for a box that is not a critical box with one OK button and the program's title.
    static const QString kOtherBox;

    explicit WindowDriver(tolvemar::Form1 &form);

    template <typename T> T *child(const char *name) const {
        return form.findChild<T *>(QLatin1String(name));
    }

    // The text of a label, line edit or combo box.
    QString text(const char *name) const;

    // "Label6 Label10 Label11", space-separated.
    QString results() const;

    // Clears Combo1's field and types `text` into it, key by key.
    void typeDailyVacazioni(const QString &text);

    // Presses "Calcola" with the mouse, or with Alt+C from the control that has the focus;
    // false when the button was not pressed.
    [[nodiscard]] bool pressCalcola(bool withAltC);

    // The texts of the boxes answered since the last call.
    QStringList takeBoxes();

private:
    void answerBox();

    tolvemar::Form1 &form;
    QTimer boxAnswerer;
    QStringList boxes;
};
