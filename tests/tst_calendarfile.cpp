#include "calendarfile.h"
#include "hostpath.h"
#include "support/programrun.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace assignments;
using testsupport::on;

namespace {

// The file as python3-icalendar reads it.
QJsonObject readBack(const QString &path) {
    QProcess python;
    python.start(QStringLiteral(TOLVEMAR_PYTHON),
                 {QStringLiteral(TOLVEMAR_READ_ICS), hostPath(path)});
    if (!python.waitForFinished(60000) || python.exitCode() != 0)
        qWarning().noquote() << python.readAllStandardError();
    return QJsonDocument::fromJson(python.readAllStandardOutput()).object();
}

// Two assignments: the first with every term, the draft already past on 10 October 2026.
QList<CalendarCase> cases() {
    CalendarCase first{12, QStringLiteral("4321/2026"), QStringLiteral("Tribunale di Milano"),
                       QStringLiteral("dott.ssa Bianchi"),
                       fee::deadlinesOf({on("2026-10-05"),
                                         on("2026-10-20"),
                                         on("2026-10-31"),
                                         {on("2026-11-14")},
                                         {},
                                         on("2026-10-28")})};
    CalendarCase second{13, QStringLiteral("R.G. 77/2025"), QStringLiteral("Tribunale di Como"),
                        QStringLiteral("dott. Verdi"),
                        fee::deadlinesOf({{}, {}, on("2026-12-25"), {}, {}, {}})};
    return {first, second};
}

} // namespace

class TestCalendarFile : public QObject {
    Q_OBJECT

private slots:
    void readBackByAnotherParser() {
        if (!hostReadsBack())
            QSKIP("Under Wine no pipe from a Linux program reaches a Windows one");
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("scadenze.ics"));
        const QString key = QStringLiteral("/home/perito/incarichi.sqlite");
        QCOMPARE(writeCalendar(path, cases(), key, on("2026-10-10")), std::nullopt);
        const QJsonObject calendar = readBack(path);
        QCOMPARE(calendar.value(u"version").toString(), QStringLiteral("2.0"));
        const QJsonArray events = calendar.value(u"events").toArray();

        // 14 November 2026 is a Saturday, so the filing ends on Monday the 16th; 28 October plus
        // 100 days is Friday 5 February 2027; Christmas 2026 is a Friday and Santo Stefano a
        // Saturday, so that filing ends on Monday 28 December.
        struct Expected {
            const char *summary;
            const char *start;
            const char *basis;
        };
        const Expected expected[] = {
            {"Osservazioni delle parti — R.G. 4321/2026", "2026-10-20",
             "art. 195, comma 3, c.p.c."},
            {"Deposito della relazione — R.G. 4321/2026", "2026-11-16",
             "art. 195, comma 3, c.p.c.; art. 155, commi 4 e 5, c.p.c."},
            {"Istanza di liquidazione — R.G. 4321/2026", "2027-02-05", "art. 71 DPR 115/2002"},
            {"Deposito della relazione — R.G. 77/2025", "2026-12-28",
             "art. 195, comma 3, c.p.c.; art. 155, commi 4 e 5, c.p.c."},
        };
        QCOMPARE(events.size(), 4);
        QStringList uids;
        for (int i = 0; i < 4; ++i) {
            const QJsonObject e = events[i].toObject();
            QCOMPARE(e.value(u"summary").toString(), QString::fromUtf8(expected[i].summary));
            QCOMPARE(e.value(u"start").toString(), QLatin1String(expected[i].start));
            QVERIFY(e.value(u"allDay").toBool());
            QVERIFY(e.value(u"stamped").toBool());
            const QString description = e.value(u"description").toString();
            QVERIFY2(description.contains(QLatin1String(expected[i].basis)),
                     qPrintable(description));
            QVERIFY(description.contains(i < 3 ? u"Tribunale di Milano" : u"Tribunale di Como"));
            QVERIFY(description.contains(i < 3 ? u"dott.ssa Bianchi" : u"dott. Verdi"));
            const QJsonArray alarms = e.value(u"alarms").toArray();
            QCOMPARE(alarms.size(), 1);
            QCOMPARE(alarms[0].toObject().value(u"action").toString(), QStringLiteral("DISPLAY"));
            QCOMPARE(alarms[0].toObject().value(u"trigger").toInt(), -7 * 24 * 3600);
            uids.append(e.value(u"uid").toString());
        }
        QCOMPARE(QSet<QString>(uids.begin(), uids.end()).size(), 4);

        // A later export over the first: the same events keep their UIDs; another register gives
        // others.
        const QList<CalendarCase> later = cases();
        QCOMPARE(writeCalendar(path, later, key, on("2026-10-12")), std::nullopt);
        QStringList again;
        for (const QJsonValue e : readBack(path).value(u"events").toArray())
            again.append(e.toObject().value(u"uid").toString());
        QCOMPARE(again, uids);
        QCOMPARE(writeCalendar(path, later, QStringLiteral("/altro.sqlite"), on("2026-10-12")),
                 std::nullopt);
        const QJsonArray other = readBack(path).value(u"events").toArray();
        QCOMPARE(other.size(), 4);
        QVERIFY(!uids.contains(other[0].toObject().value(u"uid").toString()));
    }

    void unwritableFolder() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("manca/scadenze.ics"));
        const auto error = writeCalendar(path, cases(), QString(), on("2026-10-10"));
        QVERIFY(error && error->startsWith(u"Impossibile salvare il calendario"));
        QVERIFY(!QFile::exists(path));
    }
};

QTEST_GUILESS_MAIN(TestCalendarFile)
#include "tst_calendarfile.moc"
