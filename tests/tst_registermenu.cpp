#include "accessibilityaudit.h"
#include "calendarfile.h"
#include "hostpath.h"
#include "registerdriver.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QScopeGuard>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

using assignments::Register;

// "Crediti da incassare…" and "Esporta le scadenze nel calendario…" of the menu Incarichi, with
// the register window closed and open, every box answered.
class TestRegisterMenu : public QObject, public RegisterDriver {
    Q_OBJECT

    enum Item { Copy = 1, Credits = 2, Export = 3 };

    const QDate today = QDate::currentDate();

    // The assignment with a decree `daysAgo`, and a payment when `paid`.
    void decree(qint64 id, int daysAgo, fee::Cents liquidated, fee::Cents advances,
                fee::Cents paid = 0) {
        assignments::Assignment a = registerfile::assignment(id);
        a.decree = today.addDays(-daysAgo);
        a.liquidated = liquidated;
        a.advances = advances;
        if (paid)
            a.payments = {{a.decree, QStringLiteral("Attore"), paid, {}}};
        QCOMPARE(registerfile::open()->update(a), QString());
    }

    // The credits dialog's rows (case, decree, days, due), its last line and its audit.
    std::tuple<QStringList, QString, QStringList> shownCredits() {
        std::tuple<QStringList, QString, QStringList> shown;
        driver->fillDialog = [&shown](QDialog *dialog) {
            auto *table = dialog->findChild<QTableView *>();
            for (int r = 0; table->isVisible() && r < table->model()->rowCount(); ++r) {
                QStringList cells;
                for (int c : {0, 2, 3, 5})
                    cells.append(table->model()->index(r, c).data().toString());
                std::get<0>(shown).append(cells.join(u'|'));
            }
            std::get<1>(shown) = dialog->findChild<QLabel *>(QStringLiteral("total"))->text();
            std::get<2>(shown) = auditAccessibility(dialog);
        };
        menuItem(Credits);
        return shown;
    }

private slots:
    void initTestCase() { setUpApplication(); }
    void init() { startClean(); }
    void cleanup() { QCOMPARE(finish(), QStringList()); }

    // The oldest decree first; what is all paid is not listed. With no register: none, and no
    // register is made.
    void credits() {
        QCOMPARE(shownCredits(),
                 std::tuple(QStringList(), QStringLiteral("Nessun credito da incassare."),
                            QStringList()));
        QVERIFY(!QFile::exists(Register::defaultPath()));
        decree(registerfile::seed(QStringLiteral("1/2025")), 40, 100000, 20000, 15050);
        decree(registerfile::seed(QStringLiteral("2/2025")), 100, 50000, 0);
        decree(registerfile::seed(QStringLiteral("3/2025")), 10, 30000, 30000);
        const auto day = [this](int ago) {
            return today.addDays(-ago).toString(QStringLiteral("dd/MM/yyyy"));
        };
        // 1.000,00 - 200,00 - 150,50 = 649,50; with 500,00: 1.149,50.
        const QStringList rows{"2/2025|" + day(100) + "|100|500,00 €",
                               "1/2025|" + day(40) + "|40|649,50 €"};
        for (const bool windowOpen : {false, true}) {
            if (windowOpen)
                QVERIFY(openRegister());
            QCOMPARE(
                shownCredits(),
                std::tuple(rows, QStringLiteral("Totale da incassare: 1.149,50 €"), QStringList()));
        }
        QCOMPARE(driver->takeBoxes(), QStringList(3, QStringLiteral("Crediti da incassare")));
    }

    // The deadlines still ahead (tst_calendarfile reads the format back with another parser):
    // the draft and the filing of one assignment, none of the one whose terms are past.
    void exportDeadlines() {
        registerfile::seed(QStringLiteral("1/2025"));
        assignments::Assignment a;
        a.caseNumber = QStringLiteral("7/2026");
        a.period = {today.addDays(-10), today.addDays(30), {}};
        a.draftToParties.date = today.addDays(10);
        const qint64 id = std::get<qint64>(registerfile::open()->create(a));
        driver->saveAs = files.filePath(QStringLiteral("scadenze.ics"));
        menuItem(Export);
        QCOMPARE(driver->takeBoxes(), QStringList{"Esporta le scadenze nel calendario"});
        QCOMPARE(driver->window().statusBar()->currentMessage(),
                 "Esportate 2 scadenze in " + QDir::toNativeSeparators(driver->saveAs));

        QFile file(driver->saveAs);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray text = file.readAll();
        QCOMPARE(text.count("BEGIN:VEVENT"), 2);
        const QString uid = assignments::calendarUid(
            QFileInfo(Register::defaultPath()).absoluteFilePath(), id, fee::DeadlineKind::Filing);
        QVERIFY2(text.contains("UID:" + uid.toUtf8()), qPrintable(uid));
    }

    void saveFolder_data() {
        QTest::addColumn<int>("item");
        QTest::addColumn<bool>("documents");
        QTest::newRow("a copy of the register, Documents") << int(Copy) << true;
        QTest::newRow("the calendar, no Documents") << int(Export) << false;
    }
    // A save dialog opens in the Documents folder, or in the home folder when there is none;
    // never in the folder the program was started from.
    void saveFolder() {
        QFETCH(int, item);
        QFETCH(bool, documents);
        if (!homeFromEnvironment())
            QSKIP("Windows finds the user's folders by a call of its own, not by HOME");
        QTemporaryDir home;
        const QByteArray realHome = qgetenv("HOME");
        qputenv("HOME", home.path().toLocal8Bit());
        const auto restore = qScopeGuard([&realHome] { qputenv("HOME", realHome); });
        if (documents)
            QVERIFY(QDir(home.path()).mkdir(QStringLiteral("Documents")));
        registerfile::seed(QStringLiteral("1/2025"));
        menuItem(item);
        QCOMPARE(driver->takeBoxes().size(), 1);
        QCOMPARE(driver->fileDialogFolder,
                 documents ? home.filePath(QStringLiteral("Documents")) : home.path());
    }

    // A register that cannot be read is told, once for each item, and left as it was; no window
    // opens, no calendar is asked for or written.
    void unreadableRegister() {
        QVERIFY(QDir().mkpath(QFileInfo(Register::defaultPath()).absolutePath()));
        QFile file(Register::defaultPath());
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("non un registro") > 0);
        file.close();
        driver->saveAs = files.filePath(QStringLiteral("nulla.ics"));
        for (const int item : {0, int(Credits), int(Export)})
            menuItem(item);
        const QStringList boxes = driver->takeBoxes();
        QCOMPARE(boxes.size(), 3);
        for (const QString &box : boxes)
            QVERIFY2(box != WindowDriver::kOtherBox && box.contains(u"incarichi.sqlite"),
                     qPrintable(box));
        QVERIFY(!driver->window().findChild<tolvemar::RegisterWindow *>());
        QVERIFY(!QFile::exists(driver->saveAs));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("non un registro"));
    }
};

QTEST_MAIN(TestRegisterMenu)
#include "tst_registermenu.moc"
