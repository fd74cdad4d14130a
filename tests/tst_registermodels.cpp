#include "expensemodel.h"
#include "feeitemmodel.h"
#include "partymodel.h"
#include "register.h"
#include "reminder.h"
#include "sessionmodel.h"
#include "settlementtexts.h"

#include <QAbstractItemModelTester>
#include <QFile>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using tolvemar::FeeItemModel;
using tolvemar::SessionModel;

// The register's item models as models, without a window: each under Qt's model tester, on a
// register in a temporary folder.
class TestRegisterModels : public QObject {
    Q_OBJECT

    QTemporaryDir folder;
    std::unique_ptr<assignments::Register> store;
    qint64 id = 0;
    const fee::Period period{QDate(2025, 3, 3), QDate(2025, 3, 31), {}};
    // 3 March 2025, 09:00 to 11:00, in the register before each test.
    const fee::Session morning{QDate(2025, 3, 3), 9 * 60, 11 * 60, QStringLiteral("Sopralluogo"),
                               false};

    // The sessions the register holds for the assignment.
    QList<fee::Session> inRegister() const {
        const auto read = store->sessions(id);
        QList<fee::Session> found;
        for (const assignments::StoredSession &stored :
             std::get<QList<assignments::StoredSession>>(read))
            found.append(stored.session);
        return found;
    }

    // The sessions' model of the assignment, under the tester, its draft row added.
    std::unique_ptr<SessionModel> sessions() {
        auto model = std::make_unique<SessionModel>();
        new QAbstractItemModelTester(model.get(), model.get());
        [&] { QVERIFY(model->load(store.get(), id, period).isEmpty()); }();
        return model;
    }

private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
        QVERIFY(folder.isValid());
        auto opened = assignments::Register::open(folder.filePath(QStringLiteral("r.sqlite")));
        QVERIFY(std::holds_alternative<std::unique_ptr<assignments::Register>>(opened));
        store = std::move(std::get<std::unique_ptr<assignments::Register>>(opened));
    }

    void init() {
        assignments::Assignment assignment;
        assignment.caseNumber = QStringLiteral("42/2025");
        assignment.period = period;
        const auto created = store->create(assignment);
        QVERIFY(std::holds_alternative<qint64>(created));
        id = std::get<qint64>(created);
        QVERIFY(store->addSession(id, morning).index() == 0);
    }

    void cleanup() { QVERIFY(store->remove(id).isEmpty()); }

    // Typed into a new row, cell by cell: the last cell is refused, told, and changes nothing
    // (tst_register refuses an overlap).
    void refusedSession_data() {
        QTest::addColumn<QStringList>("cells"); // date, from, to
        QTest::addColumn<QString>("message");
        QTest::newRow("bad date") << QStringList{"31/02/2025"}
                                  << "«31/02/2025» non è una data: scrivere ad esempio 31/03/2025.";
        QTest::newRow("bad time") << QStringList{"04/03/2025", "9.75"}
                                  << "«9.75» non è un orario: scrivere ad esempio 09:30.";
        QTest::newRow("end not after start")
            << QStringList{"04/03/2025", "10:00", "10:00"}
            << "L'operazione del 04/03/2025 finisce alle 10:00, non dopo l'inizio alle 10:00.";
    }
    void refusedSession() {
        QFETCH(QStringList, cells);
        QFETCH(QString, message);
        const auto model = sessions();
        QSignalSpy refused(model.get(), &SessionModel::refused);
        const int row = model->addDraft().row();
        QCOMPARE(row, 1);
        for (int column = 0; column < cells.size(); ++column)
            QCOMPARE(model->setData(model->index(row, column), cells[column], Qt::EditRole),
                     column + 1 < cells.size());
        QCOMPARE(refused.size(), 1);
        QVERIFY2(refused[0][0].toString().contains(message), qPrintable(refused[0][0].toString()));
        QCOMPARE(model->index(row, int(cells.size()) - 1).data().toString(), QString());
        QCOMPARE(inRegister(), QList<fee::Session>{morning});
    }

    // A new row is a draft until its date and both times are there, then it is saved once.
    void draftRow() {
        const auto model = sessions();
        QSignalSpy saved(model.get(), &SessionModel::saved);
        const QModelIndex draft = model->addDraft();
        QCOMPARE(model->addDraft(), draft);
        QCOMPARE(model->rowCount(), 2);
        QCOMPARE(model->index(1, SessionModel::Vacazioni).data().toString(),
                 QStringLiteral("da completare: data e orari"));
        QVERIFY(model->setData(model->index(1, SessionModel::Date), "04/03/2025", Qt::EditRole));
        QVERIFY(model->setData(model->index(1, SessionModel::From), "09:00", Qt::EditRole));
        QCOMPARE(saved.size(), 0);
        QVERIFY(model->setData(model->index(1, SessionModel::To), "10:00", Qt::EditRole));
        QCOMPARE(saved.size(), 1);
        QCOMPARE(inRegister().size(), 2);
        QCOMPARE(model->sessions().size(), 2);
        QVERIFY(model->removeRow(1).isEmpty());
        QCOMPARE(inRegister(), QList<fee::Session>{morning});
        model->addDraft();
        QVERIFY(model->removeRow(1).isEmpty()); // a draft is just dropped
        QCOMPARE(model->rowCount(), 1);
    }

    // Each change of the expenses goes to the register whole; a bad amount is told, not saved.
    void expenses_data() {
        QTest::addColumn<QString>("amount");
        QTest::addColumn<qint64>("cents"); // -1: refused
        QTest::newRow("decimal comma") << "12,50" << qint64(1250);
        QTest::newRow("three decimals") << "12,345" << qint64(-1);
    }
    void expenses() {
        QFETCH(QString, amount);
        QFETCH(qint64, cents);
        assignments::Assignment assignment =
            std::get<assignments::Assignment>(store->assignment(id));
        tolvemar::ExpenseModel model([&](const QList<assignments::Expense> &changed) {
            assignment.expenses = changed;
            return store->update(assignment);
        });
        QAbstractItemModelTester tester(&model);
        QSignalSpy refused(&model, &tolvemar::ExpenseModel::refused);
        QVERIFY(model.addRow());
        QVERIFY(model.setData(model.index(0, 0), QStringLiteral("Marche da bollo"), Qt::EditRole));
        QCOMPARE(model.setData(model.index(0, 1), amount, Qt::EditRole), cents >= 0);
        const auto kept = std::get<assignments::Assignment>(store->assignment(id)).expenses;
        QCOMPARE(kept.size(), 1);
        QCOMPARE(kept[0].description, QStringLiteral("Marche da bollo"));
        QCOMPARE(kept[0].amount, std::max<qint64>(cents, 0));
        QCOMPARE(refused.last()[0].toString().startsWith(u"Spesa alla riga 1: "), cents < 0);
        QVERIFY(model.removeRow(0));
        QVERIFY(std::get<assignments::Assignment>(store->assignment(id)).expenses.isEmpty());
    }

    // What the decree leaves due, by hand: 1.000,00 - 250,00 - 99,99 = 650,01 €, in the list
    // (tst_registermenu shows the credits' dialog).
    void credits() {
        assignments::Assignment a = std::get<assignments::Assignment>(store->assignment(id));
        a.decree = QDate(2025, 5, 2);
        a.liquidated = 100000;
        a.advances = 25000;
        a.payments = {{QDate(2025, 5, 20), QStringLiteral("Attore"), 9999, {}}};
        QCOMPARE(store->update(a), QString());
        const auto listed = std::get<QList<assignments::ListRow>>(store->list({}));
        QCOMPARE(listed.value(0).outstanding, fee::Cents(65001)); // the list's "Residuo"
    }

    // "Onorari fissi e variabili": every edit checked against the tables, saved or marked.
    void feeItemEdits_data() {
        QTest::addColumn<QString>("article");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("amount");  // shown after, the same as before when refused
        QTest::addColumn<QString>("message"); // part of the refusal; empty when saved

        // Art. 13 on 650.000,00 € at the maximum, a published figure: 2.271,76 €.
        const QString max = QStringLiteral("2.271,76 €");
        QTest::newRow("amount in range") << "13" << int(FeeItemModel::Amount) << "2.000,00"
                                         << "2.000,00 €"
                                         << "";
        QTest::newRow("stima sommaria halves it")
            << "13" << int(FeeItemModel::Reduction) << "stima sommaria"
            << "1.135,88 €"
            << "";
        // The minimum by hand: the seven slices up to 516.456,90 € at the lower rates.
        QTest::newRow("the minimum") << "13" << int(FeeItemModel::Asked) << "minimo"
                                     << "1.136,03 €"
                                     << "";
        QTest::newRow("not an amount")
            << "13" << int(FeeItemModel::Value) << "molto" << max << "Onorario alla riga 1: ";
        QTest::newRow("above the range")
            << "13" << int(FeeItemModel::Amount) << "3.000,00" << max << "a 2.271,76 €";
        QTest::newRow("no such point")
            << "13" << int(FeeItemModel::Asked) << "doppio" << max << "non «doppio»";
        QTest::newRow("art. 17 has no reduction")
            << "17" << int(FeeItemModel::Reduction) << "stima sommaria"
            << ""
            << "L'art. 17 non prevede riduzioni.";
        QTest::newRow("art. 5 is a fixed fee") << "5" << int(FeeItemModel::Amount) << "1.000,00"
                                               << ""
                                               << "fuori dall'intervallo";
        // Seven markers of art. 25 at the maximum: 290,77 € and six halves, 4 × 290,77 €.
        QTest::newRow("art. 25, seven") << "25" << int(FeeItemModel::Quantity) << "7"
                                        << "1.163,08 €"
                                        << "";
        QTest::newRow("art. 25, none") << "25" << int(FeeItemModel::Quantity) << "0"
                                       << "290,77 €"
                                       << "da 1 a 9999";
        QTest::newRow("art. 13 by quantity")
            << "13" << int(FeeItemModel::Quantity) << "2" << max << "non si paga a quantità";
    }

    void feeItemEdits() {
        QFETCH(QString, article);
        QFETCH(int, column);
        QFETCH(QString, typed);
        QFETCH(QString, amount);
        QFETCH(QString, message);
        QList<assignments::FeeItem> saved;
        FeeItemModel model([&saved](const QList<assignments::FeeItem> &items) {
            saved = items;
            return QString();
        });
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        QStringList refusals;
        connect(&model, &FeeItemModel::refused, this, [&refusals](const QString &text) {
            if (!text.isEmpty())
                refusals.append(text);
        });
        QVERIFY(model.addRow());
        const auto edit = [&model](int c, const QString &text) {
            return model.setData(model.index(0, c), text, Qt::EditRole);
        };
        QVERIFY(edit(FeeItemModel::Article, article));
        QVERIFY(edit(FeeItemModel::Value, QStringLiteral("650.000,00")) || article == "5" ||
                article == "25");
        QCOMPARE(model.flags(model.index(0, FeeItemModel::Quantity)).testFlag(Qt::ItemIsEditable),
                 article == "25");
        QVERIFY(edit(FeeItemModel::Asked, QStringLiteral("massimo")));
        QVERIFY(edit(FeeItemModel::Description, QStringLiteral("Stima dell'immobile in via Roma")));
        const QList<assignments::FeeItem> before = saved;
        QCOMPARE(refusals, QStringList());

        QCOMPARE(edit(column, typed), message.isEmpty());
        const QModelIndex cell = model.index(0, column);
        if (message.isEmpty()) {
            QCOMPARE(model.index(0, FeeItemModel::Amount).data().toString(), amount);
            QCOMPARE(saved, model.feeItems());
            QVERIFY(!cell.data(FeeItemModel::kInvalidRole).toBool());
        } else {
            QCOMPARE(saved, before);
            QCOMPARE(refusals.size(), 1);
            QVERIFY2(refusals[0].contains(message), qPrintable(refusals[0]));
            QVERIFY(cell.data(FeeItemModel::kInvalidRole).toBool());
            QCOMPARE(cell.data().toString(), typed);
            QCOMPARE(cell.data(Qt::ToolTipRole).toString(), refusals[0]);
            if (!amount.isEmpty() && column != FeeItemModel::Amount)
                QCOMPARE(model.index(0, FeeItemModel::Amount).data().toString(), amount);
        }
    }

    // A row just added stays out of the check, the marks and the save while the rest of its
    // table is refused and then saved.
    void newRowLeftOut() {
        QList<QList<assignments::Party>> saved;
        tolvemar::PartyModel parties([&saved](const QList<assignments::Party> &rows) {
            saved.append(rows);
            return QString();
        });
        QAbstractItemModelTester tester(&parties);
        const auto marked = [&parties](int row) {
            return parties.index(row, 0).data(Qt::BackgroundRole).isValid();
        };
        parties.setRows(
            {{QStringLiteral("Rossi"), 6000, false}, {QStringLiteral("Bianchi"), 0, false}});
        QVERIFY(parties.setData(parties.index(1, 1), "30", Qt::EditRole)); // 90 %: refused
        parties.addRow();
        QVERIFY(marked(1) && !marked(2));
        QVERIFY(parties.setData(parties.index(1, 1), "40", Qt::EditRole));
        QCOMPARE(saved,
                 (QList<QList<assignments::Party>>{{{QStringLiteral("Rossi"), 6000, false},
                                                    {QStringLiteral("Bianchi"), 4000, false}}}));
    }

    // The article's number and short name in its cell and its list, typed by the number or a
    // title; the whole subject in the tooltip.
    void articleColumn_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("whole");
        QTest::newRow("by number") << "24"
                                   << "Art. 24 - psichiatria e criminologia"
                                   << "Art. 24 - materia psichiatrica o criminologica";
        const QString building = QStringLiteral(
            "Art. 11 - costruzioni edilizie, impianti industriali, impianti di servizi generali, "
            "impianti elettrici, macchine isolate e loro parti, ferrovie, strade e canali, opere "
            "idrauliche, acquedotti e fognature, ponti, manufatti isolati e strutture speciali, "
            "progetti di bonifica agraria e simili");
        QTest::newRow("by whole title")
            << building << "Art. 11 - costruzioni e impianti" << building;
    }
    void articleColumn() {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QString, whole);
        FeeItemModel model([](const QList<assignments::FeeItem> &) { return QString(); });
        QVERIFY(model.addRow());
        const QModelIndex cell = model.index(0, FeeItemModel::Article);
        QVERIFY(model.setData(cell, typed, Qt::EditRole));
        QCOMPARE(cell.data().toString(), shown);
        QCOMPARE(cell.data(Qt::ToolTipRole).toString(), "<p>" + whole + "</p>");
        QCOMPARE(cell.data(Qt::AccessibleDescriptionRole).toString(), whole);
        QVERIFY(cell.data(FeeItemModel::kChoicesRole).toStringList().contains(shown));
    }

    // Due: a request's deadline from 30 days ago to 15 days ahead, both ends included.
    void reminderText_data() {
        QTest::addColumn<QList<int>>("days"); // from 10 March 2025 to each request's deadline
        QTest::addColumn<QString>("text");
        QTest::newRow("none") << QList<int>{} << QString();
        QTest::newRow("too late") << QList<int>{-31} << QString();
        QTest::newRow("too early") << QList<int>{16} << QString();
        QTest::newRow("30 days ago")
            << QList<int>{-30}
            << "Istanza di liquidazione da depositare entro il 08/02/2025: R.G. 0";
        QTest::newRow("in 15 days")
            << QList<int>{15, 40}
            << "Istanza di liquidazione da depositare entro il 25/03/2025: R.G. 0";
        QTest::newRow("several") << QList<int>{0, 3, -2, 99}
                                 << "3 istanze di liquidazione da depositare entro 15 giorni";
    }
    void reminderText() {
        QFETCH(QList<int>, days);
        QFETCH(QString, text);
        const QDate today(2025, 3, 10);
        QList<assignments::ListRow> rows;
        const auto row = [](qint64 id, const QString &caseNumber, QDate requestDeadline) {
            assignments::ListRow r;
            r.id = id;
            r.caseNumber = caseNumber;
            r.requestDeadline = requestDeadline;
            return r;
        };
        for (qsizetype i = 0; i < days.size(); ++i)
            rows.append(row(i + 1, QStringLiteral("R.G. %1").arg(i), today.addDays(days[i])));
        rows.append(row(99, QStringLiteral("senza istanza"), {}));
        QCOMPARE(tolvemar::reminderText(rows, today), text);
    }

    // Without a register there is nothing to remind, and no register is made.
    void noReminderWithoutRegister() {
        const QString path = folder.filePath(QStringLiteral("none.sqlite"));
        tolvemar::Reminder reminder;
        QSignalSpy found(&reminder, &tolvemar::Reminder::found);
        reminder.start(path, QDate::currentDate());
        QVERIFY(found.wait());
        QCOMPARE(found.first().first().toString(), QString());
        QVERIFY(!QFile::exists(path));
    }
};

QTEST_GUILESS_MAIN(TestRegisterModels)
#include "tst_registermodels.moc"
