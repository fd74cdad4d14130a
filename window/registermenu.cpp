// The main window's side of the register of assignments: the menu "Incarichi", the register
// window, a copy of the register and the reminder in the status line.
#include "mainwindow.h"
#include "registerwindow.h"
#include "reminder.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTimer>

namespace tolvemar {

void MainWindow::createAssignmentsMenu() {
    // Alt+I: C and E stay with "Calcola" and "Esci".
    QMenu *menu = menuBar()->addMenu(QStringLiteral("&Incarichi"));
    menu->addAction(QStringLiteral("Registro degli incarichi…"), this, &MainWindow::openRegister);
    menu->addAction(QStringLiteral("Salva una copia del registro…"), this,
                    &MainWindow::saveRegisterCopy);
}

// One window at a time; the register is opened when it is first asked for, and a register that
// cannot be opened says why each time.
void MainWindow::openRegister() {
    if (!registerWindow) {
        auto opened = assignments::Register::open(assignments::Register::defaultPath());
        if (const QString *error = std::get_if<QString>(&opened)) {
            QMessageBox::critical(this, QGuiApplication::applicationDisplayName(), *error);
            return;
        }
        registerWindow =
            new RegisterWindow(std::move(std::get<std::unique_ptr<assignments::Register>>(opened)),
                               current.tariff, this);
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

void MainWindow::saveRegisterCopy() {
    std::unique_ptr<assignments::Register> own;
    const assignments::Register *source =
        registerWindow ? &registerWindow->registerFile() : nullptr;
    if (!source) {
        auto opened = assignments::Register::open(assignments::Register::defaultPath(),
                                                  assignments::Register::Mode::ReadOnly);
        if (const QString *error = std::get_if<QString>(&opened)) {
            QMessageBox::critical(this, QGuiApplication::applicationDisplayName(), *error);
            return;
        }
        own = std::move(std::get<std::unique_ptr<assignments::Register>>(opened));
        source = own.get();
    }
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString name = QStringLiteral("Copia_registro_incarichi_%1.sqlite")
                             .arg(QDate::currentDate().toString(Qt::ISODate));
    const QString path = QFileDialog::getSaveFileName(
        this, QStringLiteral("Salva una copia del registro"), QDir(folder).filePath(name),
        QStringLiteral("Registro degli incarichi (*.sqlite)"));
    if (path.isEmpty())
        return;
    if (const QString error = source->backup(path); !error.isEmpty()) {
        QMessageBox::critical(this, QGuiApplication::applicationDisplayName(), error);
        return;
    }
    statusBar()->showMessage(
        QStringLiteral("Copia del registro salvata in %1").arg(QDir::toNativeSeparators(path)),
        5000);
}

// "Esci" ends the program even while the register window is open.
void MainWindow::closeEvent(QCloseEvent *event) {
    if (registerWindow)
        registerWindow->close();
    QMainWindow::closeEvent(event);
}

void MainWindow::showEvent(QShowEvent *event) {
    QMainWindow::showEvent(event);
    if (reminded)
        return;
    reminded = true;
    // After the window is on screen, so that starting never waits for the register.
    QTimer::singleShot(0, this, [this] {
        reminder->start(assignments::Register::defaultPath(), QDate::currentDate());
    });
}

void MainWindow::showReminder(const QString &text) {
    reminderLabel->setText(text);
    reminderLabel->setAccessibleName(text);
    reminderLabel->setVisible(!text.isEmpty());
}

} // namespace tolvemar
