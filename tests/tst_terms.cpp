#include "support/programrun.h"
#include "terms.h"
#include "worklog.h"

#include <QTest>

using namespace fee;

// Every expected date below was read off a printed calendar of 2026 and 2027.
using testsupport::on;

class TestTerms : public QObject {
    Q_OBJECT

private slots:
    void realEnds_data() {
        QTest::addColumn<QDate>("term");
        QTest::addColumn<QDate>("end");
        QTest::newRow("Thursday") << on("2026-10-15") << on("2026-10-15");
        QTest::newRow("Saturday") << on("2026-10-17") << on("2026-10-19");
        QTest::newRow("Sunday") << on("2026-10-18") << on("2026-10-19");
        QTest::newRow("Christmas, Friday, then Santo Stefano on Saturday")
            << on("2026-12-25") << on("2026-12-28");
        QTest::newRow("2 June, Tuesday") << on("2026-06-02") << on("2026-06-03");
        QTest::newRow("Easter Monday") << on("2026-04-06") << on("2026-04-07");
        QTest::newRow("none") << QDate() << QDate();
    }

    void realEnds() {
        QFETCH(QDate, term);
        QFETCH(QDate, end);
        QCOMPARE(realEnd(term), end);
        const QList<Deadline> list = deadlinesOf({{}, {}, term, {}, {}, {}});
        QCOMPARE(list.size(), term.isValid() ? 1 : 0);
        if (term.isValid() && end != term) {
            QCOMPARE(list[0].effective, end);
            QVERIFY(list[0].notes.contains(
                QStringLiteral("scade di fatto il %1").arg(end.toString(u"dd/MM/yyyy"))));
            QCOMPARE(list[0].basis(),
                     QStringLiteral("art. 195, comma 3, c.p.c.; art. 155, commi 4 e "
                                    "5, c.p.c."));
        }
    }

    void august_data() {
        QTest::addColumn<QDate>("term");
        QTest::addColumn<bool>("marked");
        QTest::newRow("31 July, Friday") << on("2026-07-31") << false;
        QTest::newRow("1 August, Friday") << on("2025-08-01") << true;
        QTest::newRow("1 August, Saturday: ends on 3 August") << on("2026-08-01") << true;
        QTest::newRow("31 August, Monday") << on("2026-08-31") << true;
        QTest::newRow("1 September, Tuesday") << on("2026-09-01") << false;
        QTest::newRow("31 July, Saturday: ends on 2 August") << on("2027-07-31") << true;
    }

    void august() {
        QFETCH(QDate, term);
        QFETCH(bool, marked);
        for (const Deadline &d : deadlinesOf({term, {}, {}, {}, {}, {}}) +
                                     deadlinesOf({{}, term, {}, {}, {}, {}}) +
                                     deadlinesOf({{}, {}, term, {}, {}, {}})) {
            QCOMPARE(d.august, marked);
            QCOMPARE(d.notes.contains(
                         QStringLiteral("nel periodo di sospensione feriale (1-31 agosto)")),
                     marked);
        }
    }

    void sessionAfterASaturdayDeadline() {
        const auto session = [](const char *date) {
            return Session{on(date), 9 * 60, 11 * 60, QStringLiteral("sopralluogo"), false};
        };
        const Period period{on("2026-09-01"), on("2026-09-30"), {on("2026-10-17")}};
        const LogTotals totals = logTotals(
            {session("2026-10-17"), session("2026-10-19"), session("2026-10-20")}, period);
        QCOMPARE(totals.exclusions,
                 (QList<Exclusion>{Exclusion::None, Exclusion::None, Exclusion::AfterDeadline}));
        QCOMPARE(totals.halves, 4);
    }

    void lateFiling_data() {
        QTest::addColumn<QDate>("filed");
        QTest::addColumn<bool>("late");
        QTest::newRow("on the Saturday") << on("2026-10-17") << false;
        QTest::newRow("on the real end") << on("2026-10-19") << false;
        QTest::newRow("a day after the real end") << on("2026-10-20") << true;
        QTest::newRow("not filed") << QDate() << false;
    }

    void lateFiling() {
        QFETCH(QDate, filed);
        QFETCH(bool, late);
        // The original deadline is earlier: the extension on Saturday 17 October is the last.
        const QList<QDate> extensions{on("2026-10-17"), on("2026-10-10")};
        QCOMPARE(filedLate(filed, lastDeadline(on("2026-09-30"), extensions)), late);
        const QList<Deadline> list = deadlinesOf({{}, {}, on("2026-09-30"), extensions, filed, {}});
        QCOMPARE(list.size(), 1);
        QCOMPARE(list[0].date, on("2026-10-17"));
        QCOMPARE(list[0].late, late);
        QCOMPARE(list[0].notes.contains(QStringLiteral("depositata in ritardo")), late);
    }

    void order_data() {
        QTest::addColumn<QDate>("draft");
        QTest::addColumn<QDate>("observations");
        QTest::addColumn<QDate>("deadline");
        QTest::addColumn<int>("wrong"); // -1 when in order, else the DeadlineKind
        const QDate d1 = on("2026-10-01"), d2 = on("2026-10-10"), d3 = on("2026-10-20");
        QTest::newRow("in order") << d1 << d2 << d3 << -1;
        QTest::newRow("all on one day") << d2 << d2 << d2 << -1;
        QTest::newRow("none") << QDate() << QDate() << QDate() << -1;
        QTest::newRow("draft and deadline only") << d1 << QDate() << d3 << -1;
        QTest::newRow("observations before the draft")
            << d2 << d1 << d3 << int(DeadlineKind::Observations);
        QTest::newRow("deadline before the observations")
            << d1 << d3 << d2 << int(DeadlineKind::Filing);
        QTest::newRow("deadline before the draft, no observations")
            << d2 << QDate() << d1 << int(DeadlineKind::Filing);
    }

    void order() {
        QFETCH(QDate, draft);
        QFETCH(QDate, observations);
        QFETCH(QDate, deadline);
        QFETCH(int, wrong);
        const auto error = orderError({draft, observations, deadline, {}, {}, {}});
        QCOMPARE(error ? int(error->kind) : -1, wrong);
        if (wrong == int(DeadlineKind::Observations))
            QCOMPARE(error->message,
                     QStringLiteral("Le osservazioni delle parti (01/10/2026) non "
                                    "possono precedere l'invio della bozza alle parti "
                                    "(10/10/2026)."));
    }

    // Terms stored out of order, draft 20/10, observations 10/10, deadline 01/10: a change may
    // leave a pair as it was stored, never move one and leave it out of order (the window and
    // tolvemar-registro show the mark).
    void mending_data() {
        QTest::addColumn<QList<QDate>>("now"); // draft, observations, deadline
        QTest::addColumn<int>("wrong");        // as in order()
        const QDate d1 = on("2026-10-01"), d2 = on("2026-10-10"), d3 = on("2026-10-20");
        const QDate d4 = on("2026-10-30");
        QTest::newRow("as stored") << QList<QDate>{d3, d2, d1} << -1;
        QTest::newRow("the deadline after both") << QList<QDate>{d3, d2, d4} << -1;
        QTest::newRow("the observations moved, still too early")
            << QList<QDate>{d3, on("2026-10-15"), d4} << int(DeadlineKind::Observations);
        QTest::newRow("the deadline moved, still too early")
            << QList<QDate>{d3, d2, on("2026-10-05")} << int(DeadlineKind::Filing);
    }

    void mending() {
        QFETCH(QList<QDate>, now);
        QFETCH(int, wrong);
        const TermDates stored{on("2026-10-20"), on("2026-10-10"), on("2026-10-01"), {}, {}, {}};
        const auto error = orderError({now[0], now[1], now[2], {}, {}, {}}, stored);
        QCOMPARE(error ? int(error->kind) : -1, wrong);
    }

    void deadlinesOfAnAssignment() {
        // The request: 100 days after 28 September 2026 is 6 January 2027, Epiphany.
        const TermDates dates{on("2026-08-01"), on("2026-09-15"), on("2026-10-01"), {},
                              on("2026-10-02"), on("2026-09-28")};
        const QList<Deadline> list = deadlinesOf(dates);
        QCOMPARE(list.size(), 4);
        const DeadlineKind kinds[] = {DeadlineKind::Draft, DeadlineKind::Observations,
                                      DeadlineKind::Filing, DeadlineKind::Request};
        const QDate effective[] = {on("2026-08-03"), on("2026-09-15"), on("2026-10-01"),
                                   on("2027-01-07")};
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(list[i].kind, kinds[i]);
            QCOMPARE(list[i].effective, effective[i]);
        }
        QCOMPARE(list[0].notes, (QStringList{QStringLiteral("nel periodo di sospensione feriale "
                                                            "(1-31 agosto)"),
                                             QStringLiteral("scade di fatto il 03/08/2026")}));
        QCOMPARE(list[2].notes, QStringList{QStringLiteral("depositata in ritardo")});
        QCOMPARE(list[3].date, on("2027-01-06"));
        QCOMPARE(list[3].basis(), QStringLiteral("art. 71 DPR 115/2002"));
    }
};

QTEST_APPLESS_MAIN(TestTerms)
#include "tst_terms.moc"
