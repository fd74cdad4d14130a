#pragma once

#include "fee.h"

#include <QObject>
#include <QPointer>

class QLabel;
class QMainWindow;
class QMenu;

namespace tolvemar {

class RegisterWindow;
class Reminder;

// The register of assignments as another window offers it: the menu "Incarichi" with the
// register window and a copy of the register, and in that window's status bar the reminder of
// the requests for payment that are due. The host shows the menu where it likes; the reminder
// is read once the host is first shown, never before, and closing the host closes the register
// window too.
class RegisterMenu : public QObject {
    Q_OBJECT

public:
    RegisterMenu(QMainWindow *host, fee::Tariff tariff);

    QMenu *menu() const { return items; }
    // The tariff of the host's options, for the fees shown.
    void setTariff(fee::Tariff tariff);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void openRegister();
    void saveRegisterCopy();
    void showReminder(const QString &text);

    QMainWindow *host;
    fee::Tariff tariff;
    QMenu *items;
    QPointer<RegisterWindow> registerWindow;
    Reminder *reminder;
    QLabel *reminderLabel;
    bool reminded = false;
};

} // namespace tolvemar
