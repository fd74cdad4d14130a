#include "calendarfile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QSaveFile>

#include <libical/ical.h>

#include <algorithm>
#include <memory>

namespace assignments {

namespace {

struct ComponentFree {
    void operator()(icalcomponent *c) const { icalcomponent_free(c); }
};
using Component = std::unique_ptr<icalcomponent, ComponentFree>;

icaltimetype dayOf(QDate date) {
    icaltimetype t = icaltime_null_date();
    t.year = date.year();
    t.month = date.month();
    t.day = date.day();
    return t;
}

QString description(const CalendarCase &c, const fee::Deadline &d) {
    QStringList lines;
    if (!c.court.isEmpty())
        lines.append(QStringLiteral("Ufficio giudiziario: %1").arg(c.court));
    if (!c.judge.isEmpty())
        lines.append(QStringLiteral("Giudice: %1").arg(c.judge));
    lines.append(QStringLiteral("Riferimento: %1").arg(d.basis()));
    lines.append(d.notes);
    return lines.join(u'\n');
}

icalcomponent *event(const CalendarCase &c, const fee::Deadline &d, const QString &registerKey,
                     const icaltimetype &stamp) {
    const QByteArray uid = calendarUid(registerKey, c.assignment, d.kind).toUtf8();
    const QByteArray summary = calendarSummary(d.kind, c.caseNumber).toUtf8();
    const QByteArray text = description(c, d).toUtf8();
    icalcomponent *alarm =
        icalcomponent_vanew(ICAL_VALARM_COMPONENT, icalproperty_new_action(ICAL_ACTION_DISPLAY),
                            icalproperty_new_trigger(icaltriggertype_from_string(
                                QStringLiteral("-P%1D").arg(kReminderDays).toLatin1().constData())),
                            icalproperty_new_description(summary.constData()), nullptr);
    return icalcomponent_vanew(ICAL_VEVENT_COMPONENT, icalproperty_new_uid(uid.constData()),
                               icalproperty_new_dtstamp(stamp),
                               icalproperty_new_dtstart(dayOf(d.effective)),
                               icalproperty_new_dtend(dayOf(d.effective.addDays(1))),
                               icalproperty_new_summary(summary.constData()),
                               icalproperty_new_description(text.constData()),
                               icalproperty_new_transp(ICAL_TRANSP_TRANSPARENT), alarm, nullptr);
}

} // namespace

QString calendarUid(const QString &registerKey, qint64 assignment, fee::DeadlineKind kind) {
    const QByteArray hash =
        QCryptographicHash::hash(registerKey.toUtf8(), QCryptographicHash::Sha256).toHex();
    return QStringLiteral("tolvemar-%1-%2-%3@org.tolvemar.CalcoloCT")
        .arg(fee::deadlineKey(kind))
        .arg(assignment)
        .arg(QLatin1String(hash.left(12)));
}

QString calendarSummary(fee::DeadlineKind kind, const QString &caseNumber) {
    const QString number = caseNumber.trimmed();
    if (number.isEmpty())
        return fee::deadlineTitle(kind);
    const bool named = number.startsWith(QLatin1String("R.G."), Qt::CaseInsensitive);
    return QStringLiteral("%1 — %2%3")
        .arg(fee::deadlineTitle(kind), named ? QString() : QStringLiteral("R.G. "), number);
}

bool isAhead(const fee::Deadline &deadline, QDate today) {
    return deadline.effective.isValid() && deadline.effective >= today;
}

qsizetype eventCount(const QList<CalendarCase> &cases, QDate today) {
    qsizetype count = 0;
    for (const CalendarCase &c : cases)
        count += std::count_if(c.deadlines.begin(), c.deadlines.end(),
                               [today](const fee::Deadline &d) { return isAhead(d, today); });
    return count;
}

QByteArray calendarText(const QList<CalendarCase> &cases, const QString &registerKey, QDate today,
                        const QDateTime &stamp) {
    const QDateTime utc = stamp.toUTC();
    icaltimetype when =
        icaltime_from_timet_with_zone(utc.toSecsSinceEpoch(), 0, icaltimezone_get_utc_timezone());
    Component calendar(
        icalcomponent_vanew(ICAL_VCALENDAR_COMPONENT, icalproperty_new_version("2.0"),
                            icalproperty_new_prodid("-//Tolvemar//Calcolo Tolvemar CT//IT"),
                            icalproperty_new_calscale("GREGORIAN"), nullptr));
    for (const CalendarCase &c : cases) {
        for (const fee::Deadline &d : c.deadlines) {
            if (isAhead(d, today))
                icalcomponent_add_component(calendar.get(), event(c, d, registerKey, when));
        }
    }
    char *text = icalcomponent_as_ical_string_r(calendar.get());
    const QByteArray bytes(text);
    icalmemory_free_buffer(text);
    return bytes;
}

std::optional<QString> writeCalendar(const QString &path, const QList<CalendarCase> &cases,
                                     const QString &registerKey, QDate today) {
    const QByteArray text =
        calendarText(cases, registerKey, today, QDateTime::currentDateTimeUtc());
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(text) == text.size() && file.commit())
        return std::nullopt;
    return QStringLiteral("Impossibile salvare il calendario «%1»: %2.")
        .arg(QDir::toNativeSeparators(path), file.errorString());
}

} // namespace assignments
