#include "accessibilityaudit.h"
#include "rawquery.h"
#include "registerdriver.h"
#include "terms.h"

#include <QLabel>
#include <QLineEdit>
#include <QTest>

using assignments::Term;

// The terms of art. 195 c.p.c. in the register's form, through real keys, the file read afresh:
// what each date means, written under it; the order of the three; the late filing.
class TestRegisterTerms : public QObject, public RegisterDriver {
    Q_OBJECT

    // What the note called `name` shows; empty while it is hidden.
    QString note(const char *name) const {
        const auto *label = registerWindow->findChild<QLabel *>(QLatin1String(name));
        return label->isVisibleTo(registerWindow) ? label->accessibleName() : QString();
    }
    bool marked(const QString &name) const { return field(name)->property("invalid").toBool(); }
    qint64 newAssignment() {
        click(QStringLiteral("Nuovo incarico"));
        return registerfile::list().value(0).id;
    }

private slots:
    void initTestCase() { setUpApplication(); }
    void init() { startClean(); }
    void cleanup() { QCOMPARE(finish(), QStringList()); }

    void notes_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QByteArray>("note");
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("expected");
        const QString august = QLatin1String(fee::kAugustNote);
        const QString draft = QStringLiteral("Invio della bozza alle parti");
        const QString observations = QStringLiteral("Osservazioni delle parti");
        const QString deadline = QStringLiteral("Termine per il deposito");
        QTest::newRow("31 July, a Thursday") << draft << QByteArray("bozza") << "31/07/2025"
                                             << "";
        QTest::newRow("1 August") << observations << QByteArray("osservazioni") << "01/08/2025"
                                  << august;
        QTest::newRow("31 August, a Sunday")
            << deadline << QByteArray("deposito") << "31/08/2025"
            << august + QStringLiteral("; scade di fatto il 01/09/2025");
        // Then Santo Stefano and a weekend.
        QTest::newRow("Easter Monday, an extension")
            << QStringLiteral("Proroghe") << QByteArray("deposito") << "06/04/2026"
            << "scade di fatto il 07/04/2026";
    }
    // Each term alone: its note, as the calendar has it, under it (tst_terms holds the rules
    // against the calendar; these show each kind of note on each field).
    void notes() {
        QFETCH(QString, field);
        QFETCH(QByteArray, note);
        QFETCH(QString, date);
        QVERIFY(openRegister());
        newAssignment();
        fill(field, date);
        QVERIFY(!marked(field));
        QTEST(this->note(note.constData()), "expected");
    }

    // A term before one set ahead of it is marked and not saved; put right, it is (tst_terms
    // holds the messages). The last extension of a term is the date that counts.
    void order() {
        QVERIFY(openRegister());
        const qint64 id = newAssignment();
        fill(QStringLiteral("Termine per il deposito"), QStringLiteral("10/10/2025"));
        const QString extensions = QStringLiteral("Proroghe dell'invio della bozza");
        fill(QStringLiteral("Invio della bozza alle parti"), QStringLiteral("31/07/2025"));
        QCOMPARE(note("bozza"), QString());
        fill(extensions, QStringLiteral("15/10/2025"));
        QVERIFY(marked(extensions));
        QCOMPARE(registerfile::assignment(id).draftToParties, (Term{QDate(2025, 7, 31), {}}));
        fill(extensions, QStringLiteral("08/08/2025"));
        QVERIFY(!marked(extensions));
        QCOMPARE(registerfile::assignment(id).draftToParties,
                 (Term{QDate(2025, 7, 31), {QDate(2025, 8, 8)}}));
        QCOMPARE(note("bozza"), QLatin1String(fee::kAugustNote));
        QCOMPARE(auditAccessibility(registerWindow), QStringList());
    }

    // Terms put out of order by other means, here through SQL: the register opens, every term
    // bearing the mark. Edits that leave the pair as it was are saved, one that moves it and
    // leaves it out of order is not; put right, the mark goes.
    void outOfOrder() {
        const qint64 id = registerfile::seed(QStringLiteral("R.G. 2/2025")); // deadline 31/03
        testsupport::rawQuery(assignments::Register::defaultPath(),
                              {QStringLiteral("UPDATE assignment SET draft_date = '2025-03-20', "
                                              "observations_date = '2025-03-10' WHERE id = %1")
                                   .arg(id)});
        QVERIFY(openRegister());
        const QString mark = QLatin1String(fee::kOrderNote);
        for (const char *term : {"bozza", "osservazioni", "deposito"})
            QCOMPARE(note(term), mark);
        fill(QStringLiteral("Giudice"), QStringLiteral("dott. Bruni"));
        QCOMPARE(registerfile::assignment(id).judge, QStringLiteral("dott. Bruni"));
        const QString observations = QStringLiteral("Osservazioni delle parti");
        fill(observations, QStringLiteral("15/03/2025"));
        QVERIFY(marked(observations));
        QCOMPARE(registerfile::assignment(id).partiesObservations.date, QDate(2025, 3, 10));
        fill(QStringLiteral("Invio della bozza alle parti"), QStringLiteral("05/03/2025"));
        QCOMPARE(registerfile::assignment(id).draftToParties.date, QDate(2025, 3, 5));
        QCOMPARE(note("bozza"), QString());
        QCOMPARE(note("deposito"), QString());
    }

    void late_data() {
        QTest::addColumn<QDate>("filed");
        QTest::addColumn<QString>("expected");
        QTest::newRow("on the real end") << QDate(2026, 10, 19) << "";
        QTest::newRow("a day after it") << QDate(2026, 10, 20) << "depositata in ritardo";
    }
    // Extended to a Saturday, the filing ends on the Monday after; as the window opens on it.
    void late() {
        QFETCH(QDate, filed);
        const qint64 id = registerfile::seed(QStringLiteral("R.G. 1/2026"), {}, filed);
        assignments::Assignment extended = registerfile::assignment(id);
        extended.period.extensions = {QDate(2026, 10, 17)};
        QCOMPARE(registerfile::open()->update(extended), QString());
        QVERIFY(openRegister());
        QCOMPARE(note("deposito"), QStringLiteral("scade di fatto il 19/10/2026"));
        QTEST(note("ritardo"), "expected");
        QCOMPARE(auditAccessibility(registerWindow), QStringList());
    }
};

QTEST_MAIN(TestRegisterTerms)
#include "tst_registerterms.moc"
