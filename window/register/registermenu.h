#pragma once

#include "fee.h"
#include "register.h"

#include <QObject>
#include <QPointer>

#include <memory>
#include <variant>

class QLabel;
class QMainWindow;
class QMenu;

namespace tolvemar {

class RegisterWindow;
class Reminder;

// The register of assignments as another window offers it: the menu "Incarichi" with the
// register window, a copy of the register, the credits still due and the deadlines for a
// calendar program, and in that window's status bar the reminder of
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
    void showCredits();
    void editExpert();
    void exportDeadlines();
    // The register to read: the register window's while it is open, else the program's own
    // opened read-only into `own`, never made; nullptr when there is none yet and `mustExist` is
    // false. Or why it cannot be read.
    std::variant<const assignments::Register *, QString>
    readRegister(std::unique_ptr<assignments::Register> &own, bool mustExist = false) const;
    void showError(const QString &text);
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
