#include "feeitemmodel.h"

#include <QAbstractItemModelTester>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using namespace assignments;
using tolvemar::FeeItemModel;

// "Onorari fissi e variabili" without a window: every edit checked against the tables, saved or
// marked, and the items back from the register after it is closed.
class TestFeeItemModel : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
        QStandardPaths::setTestModeEnabled(true);
    }
    void edits_data();
    void edits();
    void survivesRestart();
};

void TestFeeItemModel::edits_data() {
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
}

void TestFeeItemModel::edits() {
    QFETCH(QString, article);
    QFETCH(int, column);
    QFETCH(QString, typed);
    QFETCH(QString, amount);
    QFETCH(QString, message);
    QList<FeeItem> saved;
    FeeItemModel model([&saved](const QList<FeeItem> &items) {
        saved = items;
        return QString();
    });
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
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
    QVERIFY(edit(FeeItemModel::Value, QStringLiteral("650.000,00")) || article == "5");
    QVERIFY(edit(FeeItemModel::Asked, QStringLiteral("massimo")));
    QVERIFY(edit(FeeItemModel::Description, QStringLiteral("Stima dell'immobile in via Roma")));
    const QList<FeeItem> before = saved;
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

void TestFeeItemModel::survivesRestart() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("incarichi.sqlite"));
    auto opened = Register::open(path);
    auto store = std::move(std::get<std::unique_ptr<Register>>(opened));
    Assignment a;
    a.id = std::get<qint64>(store->create(a));
    FeeItemModel model([&](const QList<FeeItem> &items) {
        a.feeItems = items;
        return store->update(a);
    });
    QVERIFY(model.addRow());
    QVERIFY(model.setData(model.index(0, FeeItemModel::Article), "Art. 13 - estimo", Qt::EditRole));
    QVERIFY(model.setData(model.index(0, FeeItemModel::Value), "650.000,00", Qt::EditRole));
    QVERIFY(model.setData(model.index(0, FeeItemModel::Asked), "massimo", Qt::EditRole));
    const QList<FeeItem> items = model.feeItems();
    store.reset();

    opened = Register::open(path);
    store = std::move(std::get<std::unique_ptr<Register>>(opened));
    QCOMPARE(std::get<Assignment>(store->assignment(a.id)).feeItems, items);
    // The list's fee: no session, so the item alone.
    const auto rows = std::get<QList<ListRow>>(store->list(fee::Tariff::Decree2002));
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows[0].fee, fee::Cents(227176));
}

QTEST_GUILESS_MAIN(TestFeeItemModel)
#include "tst_feeitemmodel.moc"
