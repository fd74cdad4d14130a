#include "registermenu.h"

#include "registerwindow.h"
#include "reminder.h"

#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTimer>

namespace tolvemar {

RegisterMenu::RegisterMenu(QMainWindow *window, fee::Tariff fees)
    : QObject(window)
    , host(window)
    , tariff(fees)
    // Alt+I: C and E stay with "Calcola" and "Esci".
    , items(new QMenu(QStringLiteral("&Incarichi"), window))
    , reminder(new Reminder(this))
    , reminderLabel(new QLabel(window)) {
    items->addAction(QStringLiteral("Registro degli incarichi…"), this,
                     &RegisterMenu::openRegister);
    items->addAction(QStringLiteral("Salva una copia del registro…"), this,
                     &RegisterMenu::saveRegisterCopy);
    reminderLabel->hide();
    host->statusBar()->addPermanentWidget(reminderLabel);
    connect(reminder, &Reminder::found, this, &RegisterMenu::showReminder);
    host->installEventFilter(this);
}

void RegisterMenu::setTariff(fee::Tariff fees) {
    tariff = fees;
    if (registerWindow)
        registerWindow->setTariff(fees);
}

// One window at a time; the register is opened when it is first asked for, and a register that
// cannot be opened says why each time.
void RegisterMenu::openRegister() {
    if (!registerWindow) {
        auto opened = assignments::Register::open(assignments::Register::defaultPath());
        if (const QString *error = std::get_if<QString>(&opened)) {
            QMessageBox::critical(host, QGuiApplication::applicationDisplayName(), *error);
            return;
        }
        registerWindow = new RegisterWindow(
            std::move(std::get<std::unique_ptr<assignments::Register>>(opened)), tariff, host);
        connect(registerWindow, &RegisterWindow::listed, this,
                [this](const QList<assignments::ListRow> &rows) {
                    showReminder(reminderText(rows, QDate::currentDate()));
                });
    }
    registerWindow->show();
    registerWindow->raise();
    registerWindow->activateWindow();
    if (const QString notice = registerWindow->registerFile().takeNotice(); !notice.isEmpty())
        QMessageBox::information(registerWindow, QGuiApplication::applicationDisplayName(), notice);
}

void RegisterMenu::saveRegisterCopy() {
    std::unique_ptr<assignments::Register> own;
    const assignments::Register *source =
        registerWindow ? &registerWindow->registerFile() : nullptr;
    if (!source) {
        auto opened = assignments::Register::open(assignments::Register::defaultPath(),
                                                  assignments::Register::Mode::ReadOnly);
        if (const QString *error = std::get_if<QString>(&opened)) {
            QMessageBox::critical(host, QGuiApplication::applicationDisplayName(), *error);
            return;
        }
        own = std::move(std::get<std::unique_ptr<assignments::Register>>(opened));
        source = own.get();
    }
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString name = QStringLiteral("Copia_registro_incarichi_%1.sqlite")
                             .arg(QDate::currentDate().toString(Qt::ISODate));
    const QString path = QFileDialog::getSaveFileName(
        host, QStringLiteral("Salva una copia del registro"), QDir(folder).filePath(name),
        QStringLiteral("Registro degli incarichi (*.sqlite)"));
    if (path.isEmpty())
        return;
    if (const QString error = source->backup(path); !error.isEmpty()) {
        QMessageBox::critical(host, QGuiApplication::applicationDisplayName(), error);
        return;
    }
    host->statusBar()->showMessage(
        QStringLiteral("Copia del registro salvata in %1").arg(QDir::toNativeSeparators(path)),
        5000);
}

bool RegisterMenu::eventFilter(QObject *watched, QEvent *event) {
    // "Esci" ends the program even while the register window is open.
    if (event->type() == QEvent::Close && registerWindow)
        registerWindow->close();
    if (event->type() == QEvent::Show && !reminded) {
        reminded = true;
        // After the window is on screen, so that starting never waits for the register.
        QTimer::singleShot(0, this, [this] {
            reminder->start(assignments::Register::defaultPath(), QDate::currentDate());
        });
    }
    return QObject::eventFilter(watched, event);
}

void RegisterMenu::showReminder(const QString &text) {
    reminderLabel->setText(text);
    reminderLabel->setAccessibleName(text);
    reminderLabel->setVisible(!text.isEmpty());
}

} // namespace tolvemar
