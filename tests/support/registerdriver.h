#pragma once

#include "register.h"
#include "registersummary.h"
#include "registerwindow.h"
#include "windowdriver.h"

#include <QPointer>
#include <QTableView>
#include <QTemporaryDir>

#include <memory>

// The register file as a fresh connection to it finds it, apart from the window's own.
namespace registerfile {

std::unique_ptr<assignments::Register>
open(const QString &path = assignments::Register::defaultPath());
QList<fee::Session> sessions(qint64 assignment);
assignments::Assignment assignment(qint64 id);
QList<assignments::ListRow> list(const QString &path = assignments::Register::defaultPath());

// An assignment made through the library, as an earlier run of the program left it: at the
// Tribunale di Milano, appointed on 3 March 2025 with a deadline on 31 March 2025.
qint64 seed(const QString &caseNumber, const QList<fee::Session> &sessions = {},
            QDate reportFiled = {});

// 3 March 2025, 09:00 to 11:00.
extern const fee::Session kMorning;

} // namespace registerfile

// Each dialog of the program and the guide's window, made empty, children of `parent`.
QList<QWidget *> everyDialog(QWidget *parent);

// The program driven with its register window through real keys and clicks, every box
// answered, its settings and data in test folders emptied before each test.
class RegisterDriver {
public:
    // For initTestCase: test folders, the application as the program sets it up, Italian.
    void setUpApplication();
    // For init: no register and no settings, and the program started.
    void startClean();
    // For cleanup: the boxes answered and not taken; the program ends.
    QStringList finish();

    void startProgram();
    // The Incarichi menu and its item `index`: opened with Alt+I, or with a click on its title
    // while the register window is the active one, then the keys.
    void menuItem(int index);
    [[nodiscard]] bool openRegister();

    // The register window's control with this accessible name.
    template <typename T = QWidget> T *field(const QString &name) const {
        for (T *widget : registerWindow->findChildren<T *>())
            if (widget->accessibleName() == name)
                return widget;
        qFatal("no field %s", qPrintable(name));
    }
    void click(const QString &text);
    // Types into a field and leaves it with Return, or with Tab when it takes more lines.
    void fill(const QString &name, const QString &text);
    // Types into the open cell editor, as a user does after Ctrl+A, and leaves it with `leave`.
    void typeCell(const QString &text, Qt::Key leave = Qt::Key_Tab);
    // "Aggiungi operazione", then the cells from the date on, Tab between them.
    void addSession(const QStringList &cells);
    // Opens the editor of a cell with F2, types and leaves it with Return.
    void editCell(int row, int column, const QString &text,
                  const QString &table = QStringLiteral("Operazioni"));

    QString message() const;
    QString summary(tolvemar::RegisterSummary::Line line) const;
    QString cell(const char *table, int row, int column) const;

    QTemporaryDir files;
    std::unique_ptr<WindowDriver> driver;
    QPointer<tolvemar::RegisterWindow> registerWindow;

private:
    QTemporaryDir settingsDir;
};
