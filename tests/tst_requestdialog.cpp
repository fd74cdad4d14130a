#include "accessibilityaudit.h"
#include "requestdialog.h"
#include "windowdriver.h"

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

// The fee request's dialog, typed into as a user does.
class TestRequestDialog : public QObject {
    Q_OBJECT

    QTemporaryDir settingsDir;

private slots:
    void initTestCase() {
        QVERIFY(settingsDir.isValid());
        WindowDriver::setUpApplication(settingsDir.path());
        QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    }

    // OK waits for good amounts; the expert and the court are remembered, the rest is not.
    void requestDialog() {
        WindowDriver driver([] { return fee::serialFromDate(QDate(2024, 1, 1)); });
        tolvemar::RequestDialog dialog({});
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto *ok = dialog.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok);
        // Consulente, Ufficio giudiziario, Procedimento n., Giudice, Maggiorazione (%).
        const QList<QLineEdit *> fields = dialog.findChildren<QLineEdit *>();
        for (QPushButton *button : dialog.findChildren<QPushButton *>())
            if (button->text() == QStringLiteral("&Aggiungi"))
                QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(!ok->isEnabled());
        for (const auto &[amount, good] : {std::pair{"12,345", false}, {"12,34", true}}) {
            dialog.findChild<QTableWidget *>()->item(0, 1)->setText(amount);
            QCOMPARE(ok->isEnabled(), good);
            const QStringList failures = auditAccessibility(&dialog); // the error shown, or none
            QVERIFY2(failures.isEmpty(), qPrintable(failures.join(u'\n')));
        }
        driver.type("101", fields[4]);
        QVERIFY(!ok->isEnabled());
        driver.type("Mario Rossi", fields[0]);
        driver.type("42/2025", fields[2]);
        driver.type("20", fields[4]);
        QTest::mouseClick(ok, Qt::LeftButton);
        QCOMPARE(dialog.details().expenses.front().amount, 1234);

        tolvemar::RequestDialog again({});
        QCOMPARE(again.details().expert, QStringLiteral("Mario Rossi"));
        QCOMPARE(again.details().caseNumber, QString());
    }
};

QTEST_MAIN(TestRequestDialog)
#include "tst_requestdialog.moc"
