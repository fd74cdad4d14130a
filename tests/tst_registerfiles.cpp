#include "registerdriver.h"
#include "worklogcsv.h"

#include <QFile>
#include <QLabel>
#include <QStatusBar>
#include <QTest>

// What the register window reads and writes besides the register, and the register read from
// the main window: the CSV log, a register that cannot be read, the reminder, a copy.
class TestRegisterFiles : public QObject, public RegisterDriver {
    Q_OBJECT

private slots:
    void initTestCase() { setUpApplication(); }
    void init() { startClean(); }
    void cleanup() { QCOMPARE(finish(), QStringList()); }

    // The whole file or nothing; what is exported imports back the same.
    void importExport() {
        const qint64 id = registerfile::seed(QStringLiteral("7/2025"), {registerfile::kMorning});
        QVERIFY(openRegister());
        const QString header = QString::fromUtf8(fee::kLogCsvHeader);
        const QList<std::pair<QByteArray, QString>> refused{
            {(header + "\r\n04/03/2025;09:00;10:00;Studio;no\r\n31/02/2025;09:00;10:00;x;no\r\n")
                 .toUtf8(),
             {}},
            {(header + "\r\n03/03/2025;10:30;12:00;Studio;no\r\n").toUtf8(),
             QStringLiteral("Riga 2: ") +
                 fee::overlapMessage(registerfile::kMorning,
                                     {QDate(2025, 3, 3), 630, 720, "Studio", false})}};
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
            QCOMPARE(registerfile::sessions(id).size(), 1);
        }
        QFile good(path);
        QVERIFY(good.open(QIODevice::WriteOnly) &&
                good.write((header + "\r\n03/03/2025;14:00;16:00;Studio degli atti;no\r\n"
                                     "05/03/2025;09:00;10:00;Udienza;sì\r\n")
                               .toUtf8()) > 0);
        good.close();
        click(QStringLiteral("Importa operazioni…"));
        QCOMPARE(driver->takeBoxes(), QStringList{"Importa operazioni"});
        QCOMPARE(registerfile::sessions(id).size(), 3);
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
        const auto rows = registerfile::list();
        QCOMPARE(rows.size(), 2);
        const qint64 copy = rows[0].id == id ? rows[1].id : rows[0].id;
        QCOMPARE(registerfile::sessions(copy), registerfile::sessions(id));
    }

    // A request due in 10 days is named in the status line, without a box.
    void reminderShown() {
        const QDate today = QDate::currentDate();
        const QDate due = fee::requestDeadline(today.addDays(-90));
        registerfile::seed(QStringLiteral("R.G. 77/2025"), {}, today.addDays(-90));
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
    }

    // A copy made while the window is open holds what the register holds (the library's own
    // test checks it whole, and refuses the register itself as the target).
    void backup() {
        registerfile::seed(QStringLiteral("100/2025"), {registerfile::kMorning});
        QVERIFY(openRegister());
        driver->saveAs = files.filePath("copia.sqlite");
        menuItem(1);
        QCOMPARE(driver->takeBoxes(), QStringList{"Salva una copia del registro"});
        const auto copy = registerfile::list(files.filePath("copia.sqlite"));
        QCOMPARE(copy.size(), 1);
        QCOMPARE(copy[0].caseNumber, QStringLiteral("100/2025"));
        QCOMPARE(copy[0].halves, 2);
    }
};

QTEST_MAIN(TestRegisterFiles)
#include "tst_registerfiles.moc"
