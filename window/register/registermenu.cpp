#include "registermenu.h"

#include "creditsdialog.h"
#include "deadlines.h"
#include "documentoutput.h"
#include "expert.h"
#include "expertdialog.h"
#include "registerwindow.h"
#include "reminder.h"

#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
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
    items->addSeparator();
    items->addAction(QStringLiteral("Crediti da incassare…"), this, &RegisterMenu::showCredits);
    items->addAction(QStringLiteral("Esporta le scadenze nel calendario…"), this,
                     &RegisterMenu::exportDeadlines);
    items->addSeparator();
    items->addAction(QStringLiteral("Dati fiscali del consulente…"), this,
                     &RegisterMenu::editExpert);
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
        if (const QString *error = std::get_if<QString>(&opened))
            return showError(*error);
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

std::variant<const assignments::Register *, QString>
RegisterMenu::readRegister(std::unique_ptr<assignments::Register> &own, bool mustExist) const {
    using assignments::Register;
    if (registerWindow)
        return &registerWindow->registerFile();
    // Opening it moves a register left at the old place: either place counts.
    if (!mustExist && !QFileInfo::exists(Register::defaultPath()) &&
        !QFileInfo::exists(Register::oldDefaultPath()))
        return static_cast<const Register *>(nullptr);
    auto opened = Register::open(Register::defaultPath(), Register::Mode::ReadOnly);
    if (const QString *error = std::get_if<QString>(&opened))
        return *error;
    own = std::move(std::get<std::unique_ptr<Register>>(opened));
    return own.get();
}

void RegisterMenu::showError(const QString &text) {
    QMessageBox::critical(host, QGuiApplication::applicationDisplayName(), text);
}

void RegisterMenu::saveRegisterCopy() {
    std::unique_ptr<assignments::Register> own;
    const auto read = readRegister(own, true);
    if (const QString *error = std::get_if<QString>(&read))
        return showError(*error);
    const assignments::Register *source = std::get<const assignments::Register *>(read);
    const QString name = QStringLiteral("Copia_registro_incarichi_%1.sqlite")
                             .arg(QDate::currentDate().toString(Qt::ISODate));
    const QString path =
        QFileDialog::getSaveFileName(host, QStringLiteral("Salva una copia del registro"),
                                     QDir(documentsFolder()).filePath(name),
                                     QStringLiteral("Registro degli incarichi (*.sqlite)"));
    if (path.isEmpty())
        return;
    if (const QString error = source->backup(path); !error.isEmpty())
        return showError(error);
    host->statusBar()->showMessage(
        QStringLiteral("Copia del registro salvata in %1").arg(QDir::toNativeSeparators(path)),
        5000);
}

void RegisterMenu::showCredits() {
    std::unique_ptr<assignments::Register> own;
    const auto read = readRegister(own);
    if (const QString *error = std::get_if<QString>(&read))
        return showError(*error);
    QList<assignments::Credit> credits;
    const auto details = assignments::fiscalDetails(assignments::readExpert());
    if (const assignments::Register *source = std::get<const assignments::Register *>(read)) {
        auto listed = source->credits(QDate::currentDate(), details);
        if (const QString *error = std::get_if<QString>(&listed))
            return showError(*error);
        credits = std::get<QList<assignments::Credit>>(listed);
    }
    own.reset(); // closed before the dialog waits for the user
    CreditsDialog(credits, details.has_value(), host).exec();
}

void RegisterMenu::editExpert() {
    std::unique_ptr<assignments::Register> own;
    const auto read = readRegister(own);
    if (const QString *error = std::get_if<QString>(&read))
        return showError(*error);
    int last = 0;
    if (const assignments::Register *source = std::get<const assignments::Register *>(read)) {
        const auto number = source->lastInvoiceNumber(QDate::currentDate().year());
        if (const QString *error = std::get_if<QString>(&number))
            return showError(*error);
        last = std::get<int>(number);
    }
    own.reset();
    ExpertDialog dialog(assignments::readExpert(), last, host);
    if (dialog.exec() == QDialog::Accepted && registerWindow)
        registerWindow->refresh();
}

void RegisterMenu::exportDeadlines() {
    std::unique_ptr<assignments::Register> own;
    const auto read = readRegister(own);
    if (const QString *error = std::get_if<QString>(&read))
        return showError(*error);
    QList<assignments::CalendarCase> cases;
    QString key = QFileInfo(assignments::Register::defaultPath()).absoluteFilePath();
    if (const assignments::Register *source = std::get<const assignments::Register *>(read)) {
        auto found = assignments::deadlineCases(*source);
        if (const QString *error = std::get_if<QString>(&found))
            return showError(*error);
        cases = std::get<QList<assignments::CalendarCase>>(found);
        key = source->path();
    }
    own.reset(); // closed before the file dialog waits for the user
    const QString path = QFileDialog::getSaveFileName(
        host, QStringLiteral("Esporta le scadenze nel calendario"),
        QDir(documentsFolder()).filePath(QStringLiteral("scadenze.ics")),
        QStringLiteral("Calendario iCalendar (*.ics)"));
    if (path.isEmpty())
        return;
    const QDate today = QDate::currentDate();
    if (const auto error = assignments::writeCalendar(path, cases, key, today))
        return showError(*error);
    const qsizetype count = assignments::eventCount(cases, today);
    const QString file = QDir::toNativeSeparators(path);
    host->statusBar()->showMessage(
        count == 1 ? QStringLiteral("Esportata 1 scadenza in %1").arg(file)
                   : QStringLiteral("Esportate %1 scadenze in %2").arg(count).arg(file),
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
