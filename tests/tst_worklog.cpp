#include "fee.h"
#include "minutewalk.h"
#include "support/programrun.h"
#include "terms.h"
#include "worklog.h"

#include <QRandomGenerator>
#include <QTest>

using namespace fee;
using testsupport::on;

namespace {

int at(const char *hhmm) {
    return *textToMinutes(QString::fromLatin1(hhmm));
}

Session session(const char *date, const char *from, const char *to, bool udienza = false) {
    return {on(date), at(from), at(to), QStringLiteral("sopralluogo"), udienza};
}

// A day's minutes as "HH:MM-HH:MM" pieces, "U" before one held before the judge.
QList<Session> sessionsOf(const char *date, const QString &spans) {
    QList<Session> sessions;
    for (QString span : spans.split(u' ', Qt::SkipEmptyParts)) {
        const bool udienza = span.startsWith(u'U');
        if (udienza)
            span.remove(0, 1);
        const QStringList ends = span.split(u'-');
        sessions.append({on(date), *textToMinutes(ends[0]), *textToMinutes(ends[1]),
                         QStringLiteral("operazione"), udienza});
    }
    return sessions;
}

} // namespace

class TestWorklog : public QObject {
    Q_OBJECT

private slots:
    void minutes_data() {
        QTest::addColumn<int>("minutes");
        QTest::addColumn<int>("halves");
        QTest::newRow("nothing") << 0 << 0;
        QTest::newRow("one minute") << 1 << 1;
        QTest::newRow("an hour and a quarter") << 75 << 1;
        QTest::newRow("a minute more") << 76 << 2;
        QTest::newRow("two hours") << 120 << 2;
        QTest::newRow("2 h 01") << 121 << 3;
        QTest::newRow("3 h 15") << 195 << 3;
        QTest::newRow("3 h 16") << 196 << 4;
        QTest::newRow("a whole day") << 1440 << 24;
    }

    void minutes() {
        QFETCH(int, minutes);
        QFETCH(int, halves);
        QCOMPARE(halvesForMinutes(minutes), halves);
    }

    void sessionChecks_data() {
        QTest::addColumn<Session>("session");
        QTest::addColumn<QString>("error"); // a part of the message; empty when valid
        QTest::newRow("valid") << session("2025-03-03", "09:00", "10:00") << "";
        QTest::newRow("to midnight") << session("2025-03-03", "22:00", "24:00") << "";
        QTest::newRow("end before start")
            << session("2025-03-03", "11:00", "10:00") << "finisce alle 10:00";
        QTest::newRow("empty") << session("2025-03-03", "10:00", "10:00") << "non dopo l'inizio";
        QTest::newRow("no date") << Session{QDate(), 60, 120, {}, false} << "data";
        QTest::newRow("past midnight")
            << Session{on("2025-03-03"), 1380, 1500, {}, false} << "24:00";
    }

    void sessionChecks() {
        QFETCH(Session, session);
        QFETCH(QString, error);
        const QString message = sessionError(session);
        QCOMPARE(message.isEmpty(), error.isEmpty());
        QVERIFY2(message.contains(error), qPrintable(message));
    }

    void overlap_data() {
        QTest::addColumn<QString>("spans");
        QTest::addColumn<bool>("overlap");
        QTest::newRow("touching") << "09:00-10:00 10:00-11:00" << false;
        QTest::newRow("one minute shared") << "09:00-10:01 10:00-11:00" << true;
        QTest::newRow("inside") << "09:00-12:00 10:00-11:00" << true;
        QTest::newRow("out of order") << "11:59-13:00 09:00-12:00 14:00-15:00" << true;
        QTest::newRow("after a long one") << "08:00-18:00 09:00-10:00 12:00-13:00" << true;
        QTest::newRow("udienza too") << "09:00-10:00 U09:30-10:30" << true;
    }

    void overlap() {
        QFETCH(QString, spans);
        QFETCH(bool, overlap);
        QList<Session> sessions = sessionsOf("2025-03-03", spans);
        const auto found = findOverlap(sessions);
        QCOMPARE(found.has_value(), overlap);
        if (found) {
            QVERIFY(overlaps(sessions[found->first], sessions[found->second]));
            QVERIFY(overlapMessage(sessions[found->first], sessions[found->second])
                        .contains(QStringLiteral("si sovrappone")));
        }
    }

    void day_data() {
        QTest::addColumn<QString>("spans");
        QTest::addColumn<int>("halves");
        QTest::addColumn<int>("udienza");
        QTest::addColumn<bool>("capped");
        QTest::newRow("two pieces summed before rounding")
            << "09:00-09:30 10:00-10:30 11:00-11:30" << 2 << 0 << false;
        QTest::newRow("75 minutes in two pieces") << "09:00-10:00 11:00-11:15" << 1 << 0 << false;
        QTest::newRow("eight hours") << "08:00-12:00 13:00-17:00" << 8 << 0 << false;
        QTest::newRow("ten hours capped") << "08:00-13:00 14:00-19:00" << 8 << 0 << true;
        QTest::newRow("udienza not capped") << "U08:00-18:00" << 10 << 10 << false;
        QTest::newRow("each rounded on its own") << "09:00-09:30 U10:00-10:30" << 2 << 1 << false;
        QTest::newRow("cap, then udienza on top") << "07:00-17:00 U17:00-20:16" << 12 << 4 << true;
    }

    void day() {
        QFETCH(QString, spans);
        QFETCH(int, halves);
        QFETCH(int, udienza);
        QFETCH(bool, capped);
        const LogTotals totals = logTotals(sessionsOf("2025-03-03", spans), {});
        QCOMPARE(totals.days.size(), 1);
        QCOMPARE(totals.days[0].halves(), halves);
        QCOMPARE(totals.days[0].capped, capped);
        QCOMPARE(totals.halves, halves);
        QCOMPARE(totals.udienzaHalves, udienza);
    }

    void cutOffs() {
        const QList<Session> sessions{
            session("2025-02-28", "09:00", "11:00"), // before the appointment
            session("2025-03-03", "09:00", "11:00"), // the appointment's day counts
            session("2025-04-30", "09:00", "11:00"), // the original deadline
            session("2025-05-31", "09:00", "11:00"), // the last extension, a Saturday
            session("2025-06-04", "09:00", "11:00",
                    true), // after its real end, before the judge too
        };
        Period period{on("2025-03-03"), on("2025-04-30"), {on("2025-05-31"), on("2025-05-15")}};
        QCOMPARE(period.lastDeadline(), on("2025-05-31"));
        LogTotals totals = logTotals(sessions, period);
        QCOMPARE(totals.exclusions,
                 (QList<Exclusion>{Exclusion::BeforeAppointment, Exclusion::None, Exclusion::None,
                                   Exclusion::None, Exclusion::AfterDeadline}));
        QCOMPARE(totals.halves, 6);
        QCOMPARE(totals.days.size(), 3);
        QCOMPARE(exclusionReason(Exclusion::AfterDeadline), QStringLiteral("oltre il termine"));
        QCOMPARE(exclusionReason(Exclusion::BeforeAppointment),
                 QStringLiteral("prima del conferimento"));

        // Without an extension the original deadline holds; without dates nothing is cut.
        period.extensions.clear();
        QCOMPARE(logTotals(sessions, period).halves, 4);
        QCOMPARE(logTotals(sessions, {}).halves, 10);
    }

    void fees_data() {
        QTest::addColumn<int>("halves");
        QTest::addColumn<qint64>("decree"); // cents, worked out by hand
        QTest::addColumn<qint64>("ruling");
        QTest::newRow("none") << 0 << qint64(0) << qint64(0);
        QTest::newRow("0,5") << 1 << qint64(734) << qint64(734);
        QTest::newRow("1") << 2 << qint64(1468) << qint64(1468);
        QTest::newRow("1,5: 14,68 + 4,075") << 3 << qint64(1876) << qint64(2202);
        QTest::newRow("2") << 4 << qint64(2283) << qint64(2936);
        QTest::newRow("20,5: 14,68 + 19,5 × 8,15") << 41 << qint64(17361) << qint64(30094);
    }

    void fees() {
        QFETCH(int, halves);
        QFETCH(qint64, decree);
        QFETCH(qint64, ruling);
        QCOMPARE(feeForHalves(halves, Tariff::Decree2002), decree);
        QCOMPARE(feeForHalves(halves, Tariff::Ruling2025), ruling);
        QCOMPARE(reference::walkFee(halves, false), decree);
        QCOMPARE(reference::walkFee(halves, true), ruling);
    }

    // For whole vacazioni the fee in cents is the window's fee rounded to the cent.
    void wholeVacazioniAsTheWindow() {
        for (const Tariff tariff : {Tariff::Decree2002, Tariff::Ruling2025}) {
            for (int vacazioni = 1; vacazioni <= 2000; ++vacazioni) {
                const double euros = feeForTotal(vacazioni, tariff);
                QCOMPARE(*feeForHalves(2 * vacazioni, tariff), qint64(std::llround(euros * 100)));
            }
        }
        QVERIFY(!feeForHalves(std::numeric_limits<qint64>::max() / 100, Tariff::Ruling2025));
    }

    void urgency_data() {
        QTest::addColumn<QDate>("appointment");
        QTest::addColumn<QDate>("deadline");
        QTest::addColumn<int>("bound");
        QTest::newRow("five days") << on("2025-03-03") << on("2025-03-08") << 100;
        QTest::newRow("six days") << on("2025-03-03") << on("2025-03-09") << 50;
        QTest::newRow("fifteen days") << on("2025-03-03") << on("2025-03-18") << 50;
        QTest::newRow("sixteen days") << on("2025-03-03") << on("2025-03-19") << 0;
        QTest::newRow("no deadline") << on("2025-03-03") << QDate() << 0;
        QTest::newRow("no appointment") << QDate() << on("2025-03-08") << 0;
    }

    void urgency() {
        QFETCH(QDate, appointment);
        QFETCH(QDate, deadline);
        QFETCH(int, bound);
        // An extension does not widen the time first allowed.
        QCOMPARE(urgencyBound({appointment, deadline, {on("2025-12-31")}}), bound);
    }

    void settlement_data() {
        QTest::addColumn<int>("halves");
        QTest::addColumn<Claim>("claim");
        QTest::addColumn<QList<qint64>>("amounts"); // fee, urgency, increase, panel, total, balance
        QTest::newRow("fee alone") << 41 << Claim{} << QList<qint64>{17361, 0, 0, 0, 17361, 17361};
        // 17361 × 50 % = 8680,5 -> 8681; × 20 % = 3472,2 -> 3472; both on the fee.
        QTest::newRow("urgency and increase") << 41 << Claim{Tariff::Decree2002, 50, 20, 1, 0, 0}
                                              << QList<qint64>{17361, 8681, 3472, 0, 29514, 29514};
        // Three experts: 80 % of 29514 = 23611,2 -> 23611; expenses added, advances taken off.
        QTest::newRow("panel, expenses, advances")
            << 41 << Claim{Tariff::Decree2002, 50, 20, 3, 12050, 50000}
            << QList<qint64>{17361, 8681, 3472, 23611, 53125, 15175};
        QTest::newRow("ruling") << 3 << Claim{Tariff::Ruling2025, 0, 100, 2, 0, 0}
                                << QList<qint64>{2202, 0, 2202, 1762, 6166, 6166};
        QTest::newRow("advances beyond") << 1 << Claim{Tariff::Decree2002, 0, 0, 1, 0, 1000}
                                         << QList<qint64>{734, 0, 0, 0, 734, -266};
    }

    void settlement() {
        QFETCH(int, halves);
        QFETCH(Claim, claim);
        QFETCH(QList<qint64>, amounts);
        const auto result = settle(halves, claim);
        QVERIFY(std::holds_alternative<Settlement>(result));
        const Settlement s = std::get<Settlement>(result);
        QCOMPARE((QList<qint64>{s.fee, s.urgency, s.increase, s.panel, s.total, s.balance}),
                 amounts);
    }

    void settlementRefusals() {
        const auto message = [](qint64 halves, const Claim &claim) {
            const auto result = settle(halves, claim);
            return std::holds_alternative<QString>(result) ? std::get<QString>(result) : QString();
        };
        QVERIFY(message(2, {Tariff::Decree2002, 101, 0, 1, 0, 0}).contains(u"urgenza"));
        QVERIFY(message(2, {Tariff::Decree2002, 0, -1, 1, 0, 0}).contains(u"maggiorazione"));
        QVERIFY(message(2, {Tariff::Decree2002, 0, 0, 0, 0, 0}).contains(u"collegio"));
        QVERIFY(message(2, {Tariff::Decree2002, 0, 0, 1, -5, 0}).contains(u"negativ"));
        const qint64 huge = std::numeric_limits<qint64>::max() / 734;
        QVERIFY(message(huge, {Tariff::Ruling2025, 0, 0, 1, 0, 0}).isEmpty());
        QVERIFY(message(huge, {Tariff::Ruling2025, 100, 0, 1, 0, 0}).contains(u"superano"));
        QVERIFY(message(2, {Tariff::Decree2002, 0, 0, 1, std::numeric_limits<qint64>::max(), 0})
                    .contains(u"superano"));
    }

    void requestDeadlines_data() {
        QTest::addColumn<QDate>("completion");
        QTest::addColumn<QDate>("deadline");
        QTest::newRow("a Tuesday") << on("2025-07-06") << on("2025-10-14");
        QTest::newRow("a Saturday stays") << on("2025-07-10") << on("2025-10-18");
        QTest::newRow("a Sunday moves to Monday") << on("2025-07-11") << on("2025-10-20");
        QTest::newRow("Christmas and Santo Stefano") << on("2025-09-16") << on("2025-12-27");
        QTest::newRow("San Francesco on a Sunday") << on("2026-06-26") << on("2026-10-05");
        QTest::newRow("across a leap day") << on("2024-01-01") << on("2024-04-10");
    }

    void requestDeadlines() {
        QFETCH(QDate, completion);
        QFETCH(QDate, deadline);
        QCOMPARE(requestDeadline(completion), deadline);
        QCOMPARE(requestDeadline({}), QDate());
    }

    // 3000 seeded logs, each over a few days around an appointment and a deadline, with the
    // lengths where the rules turn (75 and 76 minutes, two hours, the cap) and sessions to
    // midnight. A deadline on Saturday 8 or Sunday 9 March ends on Monday 10 (tst_terms holds the
    // real end against the calendar).
    void randomLogsAgainstTheWalk() {
        QRandomGenerator random(20251207);
        const int edges[] = {0, 1, 75, 76, 119, 120, 121, 195, 196, 480, 481, 600};
        int overlapping = 0, capped = 0, cut = 0;
        for (int round = 0; round < 3000; ++round) {
            const QDate first(2025, 3, 1);
            QList<Session> sessions;
            const int count = random.bounded(1, 12);
            for (int i = 0; i < count; ++i) {
                Session s;
                s.date = first.addDays(random.bounded(10));
                s.from = random.bounded(2) ? random.bounded(0, 1440) : 60 * random.bounded(24);
                const int length = random.bounded(3) ? edges[random.bounded(12)] + random.bounded(2)
                                                     : random.bounded(1, 1440);
                s.to = std::min(s.from + std::max(length, 1), 1440);
                s.udienza = random.bounded(4) == 0;
                sessions.append(s);
            }
            const Period period{random.bounded(3) ? first.addDays(random.bounded(3)) : QDate(),
                                random.bounded(3) ? first.addDays(random.bounded(2, 9)) : QDate(),
                                {}};
            const reference::WalkResult walk =
                reference::walkLog(sessions, period.appointment, realEnd(period.lastDeadline()));
            QCOMPARE(findOverlap(sessions).has_value(), walk.overlap);
            if (walk.overlap) {
                ++overlapping;
                continue;
            }
            const LogTotals totals = logTotals(sessions, period);
            QCOMPARE(totals.halves, walk.halves);
            QCOMPARE(totals.udienzaHalves, walk.udienzaHalves);
            QCOMPARE(totals.days.size(), walk.days.size());
            for (const DayTotal &d : totals.days) {
                QCOMPARE(d.halves(), walk.days.value(d.date).halves);
                QCOMPARE(d.capped, walk.days.value(d.date).capped);
                capped += d.capped;
            }
            for (qsizetype i = 0; i < sessions.size(); ++i) {
                QCOMPARE(int(totals.exclusions[i]), walk.excluded[i]);
                cut += walk.excluded[i] != 0;
            }
            QCOMPARE(*feeForHalves(totals.halves, Tariff::Decree2002),
                     reference::walkFee(walk.halves, false));
        }
        // The seed reaches every rule.
        QVERIFY(overlapping > 300 && overlapping < 2700);
        QVERIFY(capped > 50);
        QVERIFY(cut > 100);
    }
};

QTEST_APPLESS_MAIN(TestWorklog)
#include "tst_worklog.moc"
