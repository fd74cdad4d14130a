#include "terms.h"

#include "holidays.h"

#include <algorithm>

namespace fee {

namespace {

QString dateText(QDate date) {
    return date.toString(QStringLiteral("dd/MM/yyyy"));
}

bool isNationalHoliday(QDate day) {
    if (day.year() < kFirstHolidayYear || day.year() > kLastHolidayYear)
        return false;
    const QList<Holiday> list = holidaysOf(day.year(), std::nullopt);
    return std::any_of(list.begin(), list.end(), [day](const Holiday &h) { return h.date == day; });
}

Deadline deadline(DeadlineKind kind, QDate date, QDate effective) {
    Deadline d;
    d.kind = kind;
    d.date = date;
    d.effective = effective;
    if (kind != DeadlineKind::Request) {
        // A term set for the last days of July that ends in August is suspended too.
        d.august = inAugustSuspension(date) || inAugustSuspension(effective);
        if (d.august)
            d.notes.append(QLatin1String(kAugustNote));
    }
    if (effective != date)
        d.notes.append(realEndNote(effective));
    return d;
}

} // namespace

bool isClosedDay(QDate day) {
    return day.dayOfWeek() == Qt::Saturday || day.dayOfWeek() == Qt::Sunday ||
           isNationalHoliday(day);
}

QDate realEnd(QDate term) {
    if (!term.isValid())
        return {};
    QDate day = term;
    while (isClosedDay(day))
        day = day.addDays(1);
    return day;
}

bool inAugustSuspension(QDate day) {
    return day.isValid() && day.month() == 8;
}

QDate requestDeadline(QDate completion) {
    if (!completion.isValid())
        return {};
    QDate day = completion.addDays(100);
    // Art. 2963, paragraph 3, of the civil code: a term ending on a holiday moves to the next
    // working day. Saturday is not a holiday.
    while (day.dayOfWeek() == Qt::Sunday || isNationalHoliday(day))
        day = day.addDays(1);
    return day;
}

QString realEndNote(QDate end) {
    return QStringLiteral("scade di fatto il %1").arg(dateText(end));
}

QString deadlineKey(DeadlineKind kind) {
    switch (kind) {
    case DeadlineKind::Draft:
        return QStringLiteral("bozza");
    case DeadlineKind::Observations:
        return QStringLiteral("osservazioni");
    case DeadlineKind::Filing:
        return QStringLiteral("deposito");
    case DeadlineKind::Request:
        break;
    }
    return QStringLiteral("istanza");
}

QString deadlineTitle(DeadlineKind kind) {
    switch (kind) {
    case DeadlineKind::Draft:
        return QStringLiteral("Invio della bozza alle parti");
    case DeadlineKind::Observations:
        return QStringLiteral("Osservazioni delle parti");
    case DeadlineKind::Filing:
        return QStringLiteral("Deposito della relazione");
    case DeadlineKind::Request:
        break;
    }
    return QStringLiteral("Istanza di liquidazione");
}

QDate lastDeadline(QDate deadline, const QList<QDate> &extensions) {
    QDate last = deadline;
    for (QDate extension : extensions) {
        if (extension.isValid() && (!last.isValid() || extension > last))
            last = extension;
    }
    return last;
}

std::optional<OrderError> orderError(const TermDates &dates, const TermDates &kept) {
    const auto message = [](DeadlineKind later, DeadlineKind earlier) {
        if (later == DeadlineKind::Observations)
            return QStringLiteral("Le osservazioni delle parti (%1) non possono precedere l'invio "
                                  "della bozza alle parti (%2).");
        if (earlier == DeadlineKind::Draft)
            return QStringLiteral("Il termine per il deposito (%1) non può precedere l'invio della "
                                  "bozza alle parti (%2).");
        return QStringLiteral("Il termine per il deposito (%1) non può precedere le osservazioni "
                              "delle parti (%2).");
    };
    const DeadlineKind kinds[] = {DeadlineKind::Draft, DeadlineKind::Observations,
                                  DeadlineKind::Filing};
    const QDate now[] = {dates.draft, dates.observations, dates.lastDeadline()};
    const QDate before[] = {kept.draft, kept.observations, kept.lastDeadline()};
    // Each pair, the nearer ones first, so that the message names the term next to the one out
    // of place.
    for (const auto &[earlier, later] : {std::pair(0, 1), std::pair(1, 2), std::pair(0, 2)}) {
        const bool wrong =
            now[earlier].isValid() && now[later].isValid() && now[later] < now[earlier];
        if (wrong && (now[earlier] != before[earlier] || now[later] != before[later]))
            return OrderError{kinds[later], message(kinds[later], kinds[earlier])
                                                .arg(dateText(now[later]), dateText(now[earlier]))};
    }
    return std::nullopt;
}

bool filedLate(QDate filed, QDate lastDeadline) {
    return filed.isValid() && lastDeadline.isValid() && filed > realEnd(lastDeadline);
}

QString Deadline::basis() const {
    if (kind == DeadlineKind::Request)
        return QLatin1String(kRequestDeadlineBasis);
    if (effective != date)
        return QStringLiteral("%1; %2").arg(QLatin1String(kTermsBasis),
                                            QLatin1String(kRealEndBasis));
    return QLatin1String(kTermsBasis);
}

QList<Deadline> deadlinesOf(const TermDates &dates) {
    QList<Deadline> list;
    for (auto [kind, date] : {std::pair(DeadlineKind::Draft, dates.draft),
                              std::pair(DeadlineKind::Observations, dates.observations),
                              std::pair(DeadlineKind::Filing, dates.lastDeadline())}) {
        if (date.isValid())
            list.append(deadline(kind, date, realEnd(date)));
    }
    if (!list.isEmpty() && list.last().kind == DeadlineKind::Filing &&
        filedLate(dates.reportFiled, list.last().date)) {
        list.last().late = true;
        list.last().notes.append(QLatin1String(kLateNote));
    }
    if (orderError(dates))
        for (Deadline &term : list)
            term.notes.append(QLatin1String(kOrderNote));
    if (dates.completion.isValid())
        list.append(deadline(DeadlineKind::Request, dates.completion.addDays(100),
                             requestDeadline(dates.completion)));
    return list;
}

} // namespace fee
