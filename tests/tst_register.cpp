#include "register.h"
#include "registersummary.h"
#include "registerwindow.h"
#include "reminder.h"
#include "windowdriver.h"
#include "worklogcsv.h"

#include <QAbstractItemView>
#include <QCalendarWidget>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using assignments::Register;
using tolvemar::RegisterSummary;

namespace {

std::unique_ptr<Register> openFile(const QString &path = Register::defaultPath(),
                                   Register::Mode mode = Register::Mode::ReadWrite) {
    auto opened = Register::open(path, mode);
    if (const QString *error = std::get_if<QString>(&opened))
        qFatal("%s", qPrintable(*error));
    return std::move(std::get<std::unique_ptr<Register>>(opened));
}

// The sessions as a fresh connection to the file finds them.
QList<fee::Session> storedSessions(qint64 assignment) {
    QList<fee::Session> found;
    const auto read = openFile()->sessions(assignment);
    for (const auto &stored : std::get<0>(read))
        found.append(stored.session);
    return found;
}

assignments::Assignment stored(qint64 id) {
    return std::get<assignments::Assignment>(openFile()->assignment(id));
}

QList<assignments::ListRow> listed(const QString &path = Register::defaultPath()) {
    const auto rows = openFile(path)->list(fee::Tariff::Decree2002);
    return std::get<0>(rows);
}

// An assignment made through the library, as an earlier run of the program left it.
qint64 seed(const QString &caseNumber, const QList<fee::Session> &sessions = {},
            QDate reportFiled = {}) {
    const auto file = openFile();
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

const fee::Session kMorning{QDate(2025, 3, 3), 9 * 60, 11 * 60, QStringLiteral("Sopralluogo"),
                            false};

} // namespace

// The register window through real key presses and clicks, every box answered, and the register
// file read afresh to see what was saved.
class TestRegister : public QObject {
    Q_OBJECT

    QTemporaryDir settingsDir;
    QTemporaryDir files;
    std::unique_ptr<WindowDriver> driver;
    QPointer<tolvemar::RegisterWindow> registerWindow;

    void startProgram() {
        driver.reset();
        driver = std::make_unique<WindowDriver>(fee::currentSerial);
    }
    // The Incarichi menu and its item `index`: opened with Alt+I, or with a click on its title
    // while the register window is the active one, then the keys.
    void menuItem(int index) {
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
    [[nodiscard]] bool openRegister() {
        menuItem(0);
        registerWindow = driver->window().findChild<tolvemar::RegisterWindow *>();
        if (!registerWindow)
            return false;
        // The closing menu gives the main window back its focus; a user then clicks the window.
        QCoreApplication::processEvents();
        registerWindow->activateWindow();
        return QTest::qWaitForWindowActive(registerWindow);
    }
    template <typename T = QWidget> T *field(const QString &name) const {
        for (T *widget : registerWindow->findChildren<T *>())
            if (widget->accessibleName() == name)
                return widget;
        qFatal("no field %s", qPrintable(name));
    }
    void click(const QString &text) {
        for (QPushButton *button : registerWindow->findChildren<QPushButton *>())
            if (button->text().remove(u'&') == text)
                return QTest::mouseClick(button, Qt::LeftButton);
        QFAIL(qPrintable(text));
    }
    // Types into a field and leaves it with Return, or with Tab when it takes more lines.
    void fill(const QString &name, const QString &text) {
        QWidget *edit = field(name);
        driver->type(text, edit);
        QTest::keyClick(edit, edit->inherits("QPlainTextEdit") ? Qt::Key_Tab : Qt::Key_Return);
    }
    // Types into the open cell editor, as a user does after Ctrl+A, and leaves it with `leave`.
    void typeCell(const QString &text, Qt::Key leave = Qt::Key_Tab) {
        QWidget *editor = registerWindow->focusWidget();
        QVERIFY(qobject_cast<QLineEdit *>(editor));
        QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, leave);
        QCoreApplication::processEvents(); // Return commits through a queued call
    }
    void addSession(const QStringList &cells) {
        click(QStringLiteral("Aggiungi operazione"));
        for (qsizetype i = 0; i < cells.size(); ++i)
            typeCell(cells[i], i + 1 < cells.size() ? Qt::Key_Tab : Qt::Key_Return);
    }
    // Opens the editor of a cell with F2, types and leaves it with Return.
    void editCell(int row, int column, const QString &text,
                  const QString &table = QStringLiteral("Operazioni")) {
        auto *view = field<QTableView>(table);
        view->setFocus();
        view->setCurrentIndex(view->model()->index(row, column));
        QTest::keyClick(view, Qt::Key_F2);
        typeCell(text, Qt::Key_Return);
    }
    QString message() const { return registerWindow->findChild<QLabel *>("status")->text(); }
    QString summary(RegisterSummary::Line line) const {
        return registerWindow->findChild<RegisterSummary *>()->value(line);
    }
    QString cell(const char *table, int row, int column) const {
        return field<QTableView>(QString::fromUtf8(table))
            ->model()
            ->index(row, column)
            .data()
            .toString();
    }
    QString dataFolder() const {
        return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    }

private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(settingsDir.isValid() && files.isValid());
        WindowDriver::setUpApplication(settingsDir.path());
        QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    }

    void init() {
        QVERIFY(QDir(dataFolder()).removeRecursively());
        QFile::remove(settingsDir.filePath("Tolvemar/CalcoloCT.conf"));
        startProgram();
    }

    void cleanup() {
        const QStringList unexpected = driver ? driver->takeBoxes() : QStringList();
        driver.reset();
        QCOMPARE(unexpected, QStringList());
    }

    // Every field typed is in the file as soon as it is left; the summary follows each change;
    // all of it is there again in a new window and after a restart.
    void editAndReopen() {
        QVERIFY(openRegister());
        QVERIFY(!field(QStringLiteral("Ufficio giudiziario"))->isEnabled());
        click(QStringLiteral("Nuovo incarico"));
        const qint64 id = listed().value(0).id;
        QVERIFY(id > 0);
        QVERIFY(!field(QStringLiteral("Aumento per urgenza (%)"))->isEnabled());
        QCOMPARE(field(QStringLiteral("Aumento per urgenza (%)"))->accessibleDescription(),
                 QStringLiteral("Nessun aumento per urgenza senza conferimento e termine."));

        fill(QStringLiteral("Ufficio giudiziario"), QStringLiteral("Tribunale di Milano"));
        QCOMPARE(stored(id).court, QStringLiteral("Tribunale di Milano"));
        fill(QStringLiteral("Procedimento n."), QStringLiteral("R.G. 1234/2025"));
        fill(QStringLiteral("Giudice"), QStringLiteral("dott.ssa Bianchi"));
        fill(QStringLiteral("Oggetto"), QStringLiteral("Stima di un immobile"));
        fill(QStringLiteral("Conferimento"), QStringLiteral("03/03/2025"));
        fill(QStringLiteral("Termine per il deposito"), QStringLiteral("10/03/2025"));
        QVERIFY(field(QStringLiteral("Aumento per urgenza (%)"))->isEnabled());
        fill(QStringLiteral("Proroghe"), QStringLiteral("20/03/2025; 31/03/2025"));
        fill(QStringLiteral("Deposito della relazione"), QStringLiteral("31/03/2025"));
        fill(QStringLiteral("Componenti del collegio"), QStringLiteral("2"));
        fill(QStringLiteral("Aumento per urgenza (%)"), QStringLiteral("50"));
        fill(QStringLiteral("Maggiorazione (%)"), QStringLiteral("20"));
        fill(QStringLiteral("Acconti ricevuti"), QStringLiteral("100"));
        fill(QStringLiteral("Note"), QStringLiteral("Acconto versato"));

        assignments::Assignment expected;
        expected.id = id;
        expected.court = QStringLiteral("Tribunale di Milano");
        expected.caseNumber = QStringLiteral("R.G. 1234/2025");
        expected.judge = QStringLiteral("dott.ssa Bianchi");
        expected.subject = QStringLiteral("Stima di un immobile");
        expected.period = {
            QDate(2025, 3, 3), QDate(2025, 3, 10), {QDate(2025, 3, 20), QDate(2025, 3, 31)}};
        expected.reportFiled = QDate(2025, 3, 31);
        expected.panel = 2;
        expected.urgencyPercent = 50;
        expected.increasePercent = 20;
        expected.advances = 10000;
        expected.note = QStringLiteral("Acconto versato");
        const auto sameFields = [](const assignments::Assignment &a,
                                   const assignments::Assignment &b) {
            return QStringList{a.court, a.caseNumber, a.judge, a.subject, a.note} ==
                       QStringList{b.court, b.caseNumber, b.judge, b.subject, b.note} &&
                   a.period.appointment == b.period.appointment &&
                   a.period.deadline == b.period.deadline &&
                   a.period.extensions == b.period.extensions && a.reportFiled == b.reportFiled &&
                   QList<qint64>{a.panel, a.urgencyPercent, a.increasePercent, a.advances} ==
                       QList<qint64>{b.panel, b.urgencyPercent, b.increasePercent, b.advances};
        };
        QVERIFY(sameFields(stored(id), expected));

        // 2 h 30: 1,5 vacazioni (a rest up to 1 h 15 is a half); 10 h in a day: capped at 4;
        // after the last extension: none.
        addSession({"03/03/2025", "09:00", "11:30", "Sopralluogo"});
        QCOMPARE(summary(RegisterSummary::Vacazioni), QStringLiteral("1,5 (0 in udienza)"));
        addSession({"04/03/2025", "09:00", "19:00", "Relazione"});
        addSession({"01/04/2025", "09:00", "10:00", "Integrazione"});
        QCOMPARE(storedSessions(id).size(), 3);
        QCOMPARE(cell("Operazioni", 1, 5), QStringLiteral("4, limite di 4 vacazioni al giorno"));
        QCOMPARE(cell("Operazioni", 2, 5), QStringLiteral("0, oltre il termine"));
        click(QStringLiteral("Aggiungi spesa"));
        typeCell(QStringLiteral("Marca da bollo"), Qt::Key_Return);
        editCell(0, 1, QStringLiteral("16,00"), QStringLiteral("Spese"));

        // 11 halves: 14,68 + 4,5 × 8,15 = 51,355, so 51,36 €; urgency 25,68, increase 10,27,
        // the second expert 40 % of 87,31 = 34,92; 122,23 + 16 - 100 = 38,23.
        QCOMPARE(summary(RegisterSummary::Vacazioni), QStringLiteral("5,5 (0 in udienza)"));
        QCOMPARE(summary(RegisterSummary::Fee), QStringLiteral("51,36 €"));
        QCOMPARE(summary(RegisterSummary::Urgency), QStringLiteral("25,68 €"));
        QCOMPARE(summary(RegisterSummary::Increase), QStringLiteral("10,27 €"));
        QCOMPARE(summary(RegisterSummary::Panel), QStringLiteral("34,92 €"));
        QCOMPARE(summary(RegisterSummary::Total), QStringLiteral("122,23 €"));
        QCOMPARE(summary(RegisterSummary::Balance), QStringLiteral("38,23 €"));
        QCOMPARE(registerWindow->findChild<RegisterSummary *>()->deadlineText(),
                 QStringLiteral("Termine per l'istanza scaduto il 09/07/2025"));
        // The main window's tariff counts at once.
        driver->window().setOptions({fee::Tariff::Ruling2025, false, std::nullopt});
        QCOMPARE(summary(RegisterSummary::Fee), QStringLiteral("80,74 €")); // 5,5 × 14,68
        driver->window().setOptions({});
        QCOMPARE(stored(id).expenses,
                 (QList<assignments::Expense>{{QStringLiteral("Marca da bollo"), 1600}}));

        const QList<fee::Session> sessions = storedSessions(id);
        for (int restart = 0; restart < 2; ++restart) {
            if (restart) {
                // Typed and not left: saved when "Esci" ends the program, both windows closed.
                driver->type(QStringLiteral("dott.ssa Laura Bianchi"),
                             field(QStringLiteral("Giudice")));
                QTest::mouseClick(driver->child<QPushButton>("Command2"), Qt::LeftButton);
                QTRY_VERIFY(!registerWindow);
                QVERIFY(!driver->window().isVisible());
                expected.judge = QStringLiteral("dott.ssa Laura Bianchi");
                startProgram();
            } else {
                registerWindow->close();
                QTRY_VERIFY(!registerWindow);
            }
            QVERIFY(openRegister());
            QCOMPARE(field<QLineEdit>(QStringLiteral("Procedimento n."))->text(),
                     QStringLiteral("R.G. 1234/2025"));
            QCOMPARE(field<QLineEdit>(QStringLiteral("Proroghe"))->text(),
                     QStringLiteral("20/03/2025; 31/03/2025"));
            QCOMPARE(cell("Operazioni", 1, 3), QStringLiteral("Relazione"));
            QCOMPARE(summary(RegisterSummary::Balance), QStringLiteral("38,23 €"));
        }
        QVERIFY(sameFields(stored(id), expected));
        QCOMPARE(storedSessions(id), sessions);
    }

    // A bad value is shown where it was typed and never reaches the file.
    void refusals() {
        const qint64 id = seed(QStringLiteral("42/2025"), {kMorning});
        QVERIFY(openRegister());
        addSession({"03/03/2025", "10:00", "12:00"});
        QVERIFY2(message().contains(QStringLiteral("si sovrappone")), qPrintable(message()));
        editCell(1, 2, QStringLiteral("08:00"));
        QCOMPARE(message(), QStringLiteral("L'operazione del 03/03/2025 finisce alle 08:00, non "
                                           "dopo l'inizio alle 10:00."));
        editCell(0, 2, QStringLiteral("08:30"));
        QCOMPARE(message(), QStringLiteral("L'operazione del 03/03/2025 finisce alle 08:30, non "
                                           "dopo l'inizio alle 09:00."));
        QCOMPARE(cell("Operazioni", 0, 2), QStringLiteral("11:00"));
        QCOMPARE(storedSessions(id), QList<fee::Session>{kMorning});

        for (const auto &[name, bad] : {std::pair{"Conferimento", "31/02/2025"},
                                        {"Proroghe", "20/03/2025; domani"},
                                        {"Acconti ricevuti", "12,345"}}) {
            fill(QString::fromUtf8(name), QString::fromUtf8(bad));
            QWidget *edit = field(QString::fromUtf8(name));
            QVERIFY(edit->property("invalid").toBool());
            QVERIFY(!edit->accessibleDescription().isEmpty());
            QCOMPARE(edit->toolTip(), edit->accessibleDescription());
        }
        const assignments::Assignment kept = stored(id);
        QCOMPARE(kept.period.appointment, QDate(2025, 3, 3));
        QCOMPARE(kept.advances, 0);
        fill(QStringLiteral("Conferimento"), QStringLiteral("04/03/2025"));
        QVERIFY(!field(QStringLiteral("Conferimento"))->property("invalid").toBool());
        QCOMPARE(stored(id).period.appointment, QDate(2025, 3, 4));
        QCOMPARE(cell("Operazioni", 0, 5), QStringLiteral("0, prima del conferimento"));

        click(QStringLiteral("Aggiungi spesa"));
        QTest::keyClick(registerWindow->focusWidget(), Qt::Key_Escape);
        editCell(0, 1, QStringLiteral("1,234"), QStringLiteral("Spese"));
        QVERIFY(message().startsWith(QStringLiteral("Spesa alla riga 1:")));
        QCOMPARE(stored(id).expenses, QList<assignments::Expense>{{}});
    }

    // The whole file or nothing; what is exported imports back the same.
    void importExport() {
        const qint64 id = seed(QStringLiteral("7/2025"), {kMorning});
        QVERIFY(openRegister());
        const QString header = QString::fromUtf8(fee::kLogCsvHeader);
        const QList<std::pair<QByteArray, QString>> refused{
            {(header + "\r\n04/03/2025;09:00;10:00;Studio;no\r\n31/02/2025;09:00;10:00;x;no\r\n")
                 .toUtf8(),
             {}},
            {(header + "\r\n03/03/2025;10:30;12:00;Studio;no\r\n").toUtf8(),
             QStringLiteral("Riga 2: ") +
                 fee::overlapMessage(kMorning, {QDate(2025, 3, 3), 630, 720, "Studio", false})}};
        const QString path = files.filePath("log.csv");
        for (const auto &[bytes, overlap] : refused) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
            file.close();
            driver->saveAs = path;
            click(QStringLiteral("Importa operazioni…"));
            const auto read = fee::readLogCsv(bytes);
            const QString expected = overlap.isEmpty() ? std::get<QString>(read) : overlap;
            QCOMPARE(driver->takeBoxes(), (QStringList{"Importa operazioni", expected}));
            QCOMPARE(storedSessions(id).size(), 1);
        }
        QFile good(path);
        QVERIFY(good.open(QIODevice::WriteOnly) &&
                good.write((header + "\r\n03/03/2025;14:00;16:00;Studio degli atti;no\r\n"
                                     "05/03/2025;09:00;10:00;Udienza;sì\r\n")
                               .toUtf8()) > 0);
        good.close();
        click(QStringLiteral("Importa operazioni…"));
        QCOMPARE(driver->takeBoxes(), QStringList{"Importa operazioni"});
        QCOMPARE(storedSessions(id).size(), 3);
        QCOMPARE(cell("Operazioni", 2, 4), QString());
        QCOMPARE(field<QTableView>(QStringLiteral("Operazioni"))
                     ->model()
                     ->index(2, 4)
                     .data(Qt::CheckStateRole)
                     .value<Qt::CheckState>(),
                 Qt::Checked);

        driver->saveAs = files.filePath("esportate.csv");
        click(QStringLiteral("Esporta operazioni…"));
        click(QStringLiteral("Nuovo incarico"));
        click(QStringLiteral("Importa operazioni…"));
        QCOMPARE(driver->takeBoxes(), (QStringList{"Esporta operazioni", "Importa operazioni"}));
        const auto rows = listed();
        QCOMPARE(rows.size(), 2);
        const qint64 copy = rows[0].id == id ? rows[1].id : rows[0].id;
        QCOMPARE(storedSessions(copy), storedSessions(id));
    }

    // Deleting asks first, naming the case; No keeps it. The list goes by the nearest date and
    // by any column chosen.
    void deleteWithConfirmation() {
        seed(QStringLiteral("1/2025"));
        seed(QStringLiteral("2/2024"), {kMorning}, QDate::currentDate().addDays(-110));
        QVERIFY(openRegister());
        // 31 March 2025, the last deadline, comes before a request's deadline 10 days ago.
        QCOMPARE(cell("Incarichi", 0, 0), QStringLiteral("1/2025"));
        auto *list = field<QTableView>(QStringLiteral("Incarichi"));
        list->horizontalHeader()->setSortIndicator(0, Qt::DescendingOrder);
        QCOMPARE(cell("Incarichi", 0, 0), QStringLiteral("2/2024"));
        QVERIFY(cell("Incarichi", 0, 3).endsWith(QStringLiteral("⚠ scaduto")));
        list->setCurrentIndex(list->model()->index(0, 0));
        for (const auto reply : {QMessageBox::No, QMessageBox::Yes}) {
            driver->reply = reply;
            click(QStringLiteral("Elimina incarico…"));
            const QStringList boxes = driver->takeBoxes();
            QCOMPARE(boxes.size(), 1);
            QVERIFY2(boxes[0].contains(QStringLiteral("n. 2/2024 (Tribunale di Milano)")),
                     qPrintable(boxes[0]));
            QCOMPARE(listed().size(), reply == QMessageBox::No ? 2 : 1);
        }
        QCOMPARE(listed().value(0).caseNumber, QStringLiteral("1/2025"));
    }

    // One box each time the register is asked for; the calculator goes on as ever.
    void unreadableRegister() {
        QVERIFY(QDir().mkpath(dataFolder()));
        QFile garbage(Register::defaultPath());
        QVERIFY(garbage.open(QIODevice::WriteOnly) &&
                garbage.write(QByteArray(4096, '\x5a')) == 4096);
        garbage.close();
        for (int attempt = 0; attempt < 2; ++attempt) {
            menuItem(0);
            const QStringList boxes = driver->takeBoxes();
            QCOMPARE(boxes.size(), 1);
            QVERIFY(boxes[0] != WindowDriver::kOtherBox);
            QVERIFY(!driver->window().findChild<tolvemar::RegisterWindow *>());
        }
        driver->child<QCalendarWidget>("Calendar1")->setSelectedDate(QDate(2025, 3, 3));
        driver->child<QCalendarWidget>("Calendar2")->setSelectedDate(QDate(2025, 3, 14));
        QVERIFY(driver->pressCalcola(false));
        QCOMPARE(driver->results(), QStringLiteral("12 24 202,13"));
    }

    // A request due in 10 days is named in the status line, without a box.
    void reminderShown() {
        const QDate today = QDate::currentDate();
        const QDate due = fee::requestDeadline(today.addDays(-90));
        seed(QStringLiteral("R.G. 77/2025"), {}, today.addDays(-90));
        startProgram();
        const QString expected = QStringLiteral("Istanza di liquidazione da depositare entro il "
                                                "%1: R.G. 77/2025")
                                     .arg(due.toString(QStringLiteral("dd/MM/yyyy")));
        QStatusBar *bar = driver->window().statusBar();
        const auto reminder = [bar, &expected] {
            for (QLabel *label : bar->findChildren<QLabel *>())
                if (label->isVisible() && label->accessibleName() == expected)
                    return label->text();
            return QString();
        };
        QTRY_COMPARE(reminder(), expected);
        seed(QStringLiteral("R.G. 78/2025"), {}, today.addDays(-120));
        QCOMPARE(tolvemar::reminderText(listed(), today),
                 QStringLiteral("2 istanze di liquidazione da depositare entro 15 giorni"));
    }

    // Without a register there is nothing to remind, and no register is made.
    void noReminderWithoutRegister() {
        tolvemar::Reminder reminder;
        QSignalSpy found(&reminder, &tolvemar::Reminder::found);
        reminder.start(Register::defaultPath(), QDate::currentDate());
        QVERIFY(found.wait());
        QCOMPARE(found.first().first().toString(), QString());
        driver.reset(); // its own reader has ended too
        QVERIFY(!QFile::exists(Register::defaultPath()));
    }

    // A copy made while the window is open holds everything up to that moment and is whole; the
    // register itself is not a target.
    void backup() {
        seed(QStringLiteral("100/2025"), {kMorning});
        QVERIFY(openRegister());
        driver->saveAs = files.filePath("copia.sqlite");
        menuItem(1);
        click(QStringLiteral("Nuovo incarico"));
        fill(QStringLiteral("Procedimento n."), QStringLiteral("101/2025"));
        driver->saveAs = Register::defaultPath();
        driver->reply = QMessageBox::Yes; // to the file dialog's "replace it?"
        menuItem(1);
        const QStringList boxes = driver->takeBoxes();
        QCOMPARE(boxes.size(), 4);
        QCOMPARE(boxes[1], QStringLiteral("Salva una copia del registro"));
        QCOMPARE(boxes[3], QStringLiteral("La copia non può prendere il posto del registro "
                                          "stesso: scegliere un altro file."));
        QCOMPARE(listed().size(), 2);

        const auto copy = listed(files.filePath("copia.sqlite"));
        QCOMPARE(copy.size(), 1);
        QCOMPARE(copy[0].caseNumber, QStringLiteral("100/2025"));
        QCOMPARE(copy[0].halves, 2);
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "check");
            db.setDatabaseName(files.filePath("copia.sqlite"));
            QVERIFY(db.open());
            QSqlQuery query(QStringLiteral("PRAGMA integrity_check"), db);
            QVERIFY(query.next());
            QCOMPARE(query.value(0).toString(), QStringLiteral("ok"));
        }
        QSqlDatabase::removeDatabase(QStringLiteral("check"));
    }

    // The expert is asked for once and remembered; the PDF is written.
    void requestPdf() {
        seed(QStringLiteral("R.G. 5/2025"), {kMorning});
        QVERIFY(openRegister());
        driver->fillDialog = [](QDialog *dialog) {
            if (auto *input = qobject_cast<QInputDialog *>(dialog))
                input->setTextValue(QStringLiteral("Ing. Anna Verdi"));
        };
        for (const char *name : {"prima.pdf", "seconda.pdf"}) {
            driver->saveAs = files.filePath(name);
            click(QStringLiteral("Esporta in PDF…"));
            QFile pdf(files.filePath(name));
            QVERIFY(pdf.open(QIODevice::ReadOnly) && pdf.read(5) == "%PDF-");
        }
        QCOMPARE(driver->takeBoxes(),
                 (QStringList{"Consulente", "Esporta in PDF", "Esporta in PDF"}));
    }
};

QTEST_MAIN(TestRegister)
#include "tst_register.moc"
