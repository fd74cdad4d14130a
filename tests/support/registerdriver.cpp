#include "registerdriver.h"

#include "creditsdialog.h"
#include "expertdialog.h"
#include "guide.h"
#include "patrondialog.h"
#include "requestdialog.h"
#include "tablefeedialog.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>

using assignments::Register;

namespace registerfile {

const fee::Session kMorning{QDate(2025, 3, 3), 9 * 60, 11 * 60, QStringLiteral("Sopralluogo"),
                            false};

std::unique_ptr<Register> open(const QString &path) {
    auto opened = Register::open(path);
    if (const QString *error = std::get_if<QString>(&opened))
        qFatal("%s", qPrintable(*error));
    return std::move(std::get<std::unique_ptr<Register>>(opened));
}

QList<fee::Session> sessions(qint64 assignment) {
    QList<fee::Session> found;
    const auto read = open()->sessions(assignment);
    for (const auto &stored : std::get<0>(read))
        found.append(stored.session);
    return found;
}

assignments::Assignment assignment(qint64 id) {
    return std::get<assignments::Assignment>(open()->assignment(id));
}

QList<assignments::ListRow> list(const QString &path) {
    const auto rows = open(path)->list(fee::Tariff::Decree2002);
    return std::get<0>(rows);
}

qint64 seed(const QString &caseNumber, const QList<fee::Session> &sessions, QDate reportFiled) {
    const auto file = open();
    assignments::Assignment assignment;
    assignment.court = QStringLiteral("Tribunale di Milano");
    assignment.caseNumber = caseNumber;
    assignment.period = {QDate(2025, 3, 3), QDate(2025, 3, 31), {}};
    assignment.reportFiled = reportFiled;
    const qint64 id = std::get<qint64>(file->create(assignment));
    if (!sessions.isEmpty() && !file->addSessions(id, sessions).isEmpty())
        qFatal("sessions refused");
    return id;
}

} // namespace registerfile

void RegisterDriver::setUpApplication() {
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(settingsDir.isValid() && files.isValid());
    WindowDriver::setUpApplication(settingsDir.path());
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
}

void RegisterDriver::startClean() {
    QVERIFY(QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
                .removeRecursively());
    for (const char *suffix : {"", "-wal", "-shm"})
        QFile::remove(assignments::Register::oldDefaultPath() + QLatin1String(suffix));
    QFile::remove(settingsDir.filePath("Tolvemar/CalcoloCT.conf"));
    startProgram();
}

QStringList RegisterDriver::finish() {
    const QStringList unexpected = driver ? driver->takeBoxes() : QStringList();
    driver.reset();
    return unexpected;
}

void RegisterDriver::startProgram() {
    driver.reset();
    driver = std::make_unique<WindowDriver>(fee::currentSerial);
}

void RegisterDriver::menuItem(int index) {
    if (registerWindow && registerWindow->isActiveWindow()) {
        QMenuBar *bar = driver->window().menuBar();
        QTest::mouseClick(bar, Qt::LeftButton, {},
                          bar->actionGeometry(bar->actions().at(2)).center());
        ++index; // no item is chosen yet
    } else {
        driver->key(Qt::Key_I, Qt::AltModifier);
    }
    for (int i = 0; i < index; ++i)
        driver->key(Qt::Key_Down);
    driver->key(Qt::Key_Return);
}

bool RegisterDriver::openRegister() {
    menuItem(0);
    registerWindow = driver->window().findChild<tolvemar::RegisterWindow *>();
    if (!registerWindow)
        return false;
    // The closing menu gives the main window back its focus; a user then clicks the window.
    QCoreApplication::processEvents();
    registerWindow->activateWindow();
    return QTest::qWaitForWindowActive(registerWindow);
}

void RegisterDriver::click(const QString &text) {
    for (QPushButton *button : registerWindow->findChildren<QPushButton *>())
        if (button->text().remove(u'&') == text)
            return QTest::mouseClick(button, Qt::LeftButton);
    QFAIL(qPrintable(text));
}

void RegisterDriver::fill(const QString &name, const QString &text) {
    QWidget *edit = field(name);
    driver->type(text, edit);
    QTest::keyClick(edit, edit->inherits("QPlainTextEdit") ? Qt::Key_Tab : Qt::Key_Return);
}

void RegisterDriver::typeCell(const QString &text, Qt::Key leave) {
    QWidget *editor = registerWindow->focusWidget();
    QVERIFY(qobject_cast<QLineEdit *>(editor));
    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(editor, text);
    QTest::keyClick(editor, leave);
    QCoreApplication::processEvents(); // Return commits through a queued call
}

void RegisterDriver::addSession(const QStringList &cells) {
    click(QStringLiteral("Aggiungi operazione"));
    for (qsizetype i = 0; i < cells.size(); ++i)
        typeCell(cells[i], i + 1 < cells.size() ? Qt::Key_Tab : Qt::Key_Return);
}

void RegisterDriver::editCell(int row, int column, const QString &text, const QString &table) {
    auto *view = field<QTableView>(table);
    view->setFocus();
    view->setCurrentIndex(view->model()->index(row, column));
    QTest::keyClick(view, Qt::Key_F2);
    typeCell(text, Qt::Key_Return);
}

QString RegisterDriver::message() const {
    return registerWindow->findChild<QLabel *>("status")->text();
}

QString RegisterDriver::summary(tolvemar::RegisterSummary::Line line) const {
    return registerWindow->findChild<tolvemar::RegisterSummary *>()->value(line);
}

QString RegisterDriver::cell(const char *table, int row, int column) const {
    return field<QTableView>(QString::fromUtf8(table))
        ->model()
        ->index(row, column)
        .data()
        .toString();
}

QList<QWidget *> everyDialog(QWidget *parent) {
    return {new tolvemar::TableFeeDialog(QDate(2026, 12, 10), parent),
            new tolvemar::RequestDialog(request::Computation{}, parent),
            new tolvemar::PatronDialog(std::nullopt, parent),
            new tolvemar::ExpertDialog(assignments::Expert{}, 0, parent),
            new tolvemar::CreditsDialog({}, true, parent),
            new tolvemar::GuideWindow(parent)};
}
