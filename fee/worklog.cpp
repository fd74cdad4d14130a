#include "worklog.h"

#include <QMap>

#include <algorithm>

namespace fee {

namespace {

QString dateText(QDate date) {
    return date.toString(QStringLiteral("dd/MM/yyyy"));
}

} // namespace

QString minutesToText(int minutes) {
    return QStringLiteral("%1:%2")
        .arg(minutes / 60, 2, 10, QLatin1Char('0'))
        .arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

std::optional<int> textToMinutes(QStringView text) {
    const qsizetype colon = text.indexOf(u':');
    if (colon < 1 || colon > 2 || text.size() - colon != 3)
        return std::nullopt;
    int parts[2] = {0, 0};
    const QStringView fields[2] = {text.first(colon), text.sliced(colon + 1)};
    for (int i = 0; i < 2; ++i) {
        for (QChar c : fields[i]) {
            if (c < u'0' || c > u'9')
                return std::nullopt;
            parts[i] = parts[i] * 10 + (c.unicode() - u'0');
        }
    }
    const int minutes = parts[0] * 60 + parts[1];
    if (parts[1] > 59 || minutes > kMinutesPerDay)
        return std::nullopt;
    return minutes;
}

QString sessionError(const Session &session) {
    if (!session.date.isValid())
        return QStringLiteral("Manca la data dell'operazione.");
    if (session.from < 0 || session.from >= kMinutesPerDay || session.to <= 0 ||
        session.to > kMinutesPerDay)
        return QStringLiteral("Gli orari di un'operazione vanno dalle 00:00 alle 24:00.");
    if (session.to <= session.from)
        return QStringLiteral("L'operazione del %1 finisce alle %2, non dopo l'inizio alle %3.")
            .arg(dateText(session.date), minutesToText(session.to), minutesToText(session.from));
    return {};
}

bool overlaps(const Session &a, const Session &b) {
    return a.date == b.date && std::max(a.from, b.from) < std::min(a.to, b.to);
}

std::optional<std::pair<qsizetype, qsizetype>> findOverlap(const QList<Session> &sessions) {
    // The pair's first is the earliest session that overlaps any other (its partners all come
    // later, or one of them would be earlier); its second, the earliest of those partners.
    // Sorted by day and start, a session overlaps an earlier one when it begins before the
    // latest end so far, and a later one when the next begins before it ends. A session of no
    // time shares no minute.
    QList<qsizetype> order;
    order.reserve(sessions.size());
    for (qsizetype i = 0; i < sessions.size(); ++i) {
        if (sessions[i].from < sessions[i].to)
            order.append(i);
    }
    std::stable_sort(order.begin(), order.end(), [&](qsizetype x, qsizetype y) {
        const Session &a = sessions[x], &b = sessions[y];
        return a.date != b.date ? a.date < b.date : a.from < b.from;
    });
    qsizetype first = -1;
    int latestEnd = 0;
    for (qsizetype k = 0; k < order.size(); ++k) {
        const Session &s = sessions[order[k]];
        if (k == 0 || sessions[order[k - 1]].date != s.date)
            latestEnd = s.from;
        const bool withEarlier = latestEnd > s.from;
        const bool withLater = k + 1 < order.size() && overlaps(s, sessions[order[k + 1]]);
        if ((withEarlier || withLater) && (first < 0 || order[k] < first))
            first = order[k];
        latestEnd = std::max(latestEnd, s.to);
    }
    if (first < 0)
        return std::nullopt;
    for (qsizetype j = first + 1; j < sessions.size(); ++j) {
        if (overlaps(sessions[first], sessions[j]))
            return std::pair(first, j);
    }
    return std::nullopt;
}

QString overlapMessage(const Session &a, const Session &b) {
    return QStringLiteral("L'operazione del %1 dalle %2 alle %3 si sovrappone a quella dalle %4 "
                          "alle %5.")
        .arg(dateText(a.date), minutesToText(a.from), minutesToText(a.to), minutesToText(b.from),
             minutesToText(b.to));
}

qint64 halvesForMinutes(qint64 minutes) {
    const qint64 rest = minutes % 120;
    return 2 * (minutes / 120) + (rest == 0 ? 0 : rest <= 75 ? 1 : 2);
}

QDate Period::lastDeadline() const {
    return fee::lastDeadline(deadline, extensions);
}

QString exclusionReason(Exclusion exclusion) {
    switch (exclusion) {
    case Exclusion::BeforeAppointment:
        return QStringLiteral("prima del conferimento");
    case Exclusion::AfterDeadline:
        return QStringLiteral("oltre il termine");
    case Exclusion::None:
        break;
    }
    return {};
}

LogTotals logTotals(const QList<Session> &sessions, const Period &period) {
    LogTotals totals;
    totals.exclusions.reserve(sessions.size());
    const QDate last = realEnd(period.lastDeadline());
    QMap<QDate, DayTotal> days;
    for (const Session &s : sessions) {
        // Art. 52, paragraph 2, DPR 115/2002: no fee for the time after the deadline.
        const Exclusion exclusion = period.appointment.isValid() && s.date < period.appointment
                                        ? Exclusion::BeforeAppointment
                                    : last.isValid() && s.date > last ? Exclusion::AfterDeadline
                                                                      : Exclusion::None;
        totals.exclusions.append(exclusion);
        if (exclusion != Exclusion::None)
            continue;
        DayTotal &day = days[s.date];
        day.date = s.date;
        (s.udienza ? day.udienzaMinutes : day.ordinaryMinutes) += s.to - s.from;
    }
    totals.days.reserve(days.size());
    for (DayTotal &day : days) {
        const qint64 ordinary = halvesForMinutes(day.ordinaryMinutes);
        day.capped = ordinary > kDailyCapHalves;
        day.ordinaryHalves = std::min(ordinary, kDailyCapHalves);
        day.udienzaHalves = halvesForMinutes(day.udienzaMinutes);
        totals.halves += day.halves();
        totals.udienzaHalves += day.udienzaHalves;
        totals.days.append(day);
    }
    return totals;
}

std::optional<Cents> feeForHalves(qint64 halves, Tariff tariff) {
    if (halves <= 0)
        return Cents(0);
    Cents fee = 0;
    // The ruling pays 14,68 € for every vacazione, so 7,34 € for every half.
    if (tariff == Tariff::Ruling2025)
        return __builtin_mul_overflow(halves, Cents(734), &fee) ? std::nullopt : std::optional(fee);
    if (halves == 1)
        return Cents(734);
    // 14,68 € for the first vacazione, 8,15 € for each further one, 4,075 € for a half.
    Cents further = 0;
    if (__builtin_mul_overflow(halves - 2, Cents(815), &further))
        return std::nullopt;
    return addCents(1468, further / 2 + further % 2);
}

int urgencyBound(const Period &period) {
    if (!period.appointment.isValid() || !period.deadline.isValid())
        return 0;
    const qint64 allowed = period.appointment.daysTo(period.deadline);
    return allowed <= 5 ? 100 : allowed <= 15 ? 50 : 0;
}

std::variant<Settlement, QString> settle(qint64 halves, const Claim &claim) {
    const QString overflow = QStringLiteral("Gli importi superano quanto il programma sa sommare.");
    if (claim.urgencyPercent < 0 || claim.urgencyPercent > 100)
        return QStringLiteral("L'aumento per urgenza va da 0 a 100 %.");
    if (claim.increasePercent < 0 || claim.increasePercent > 100)
        return QStringLiteral("La maggiorazione va da 0 a 100 %.");
    if (claim.panel < 1 || claim.panel > 100)
        return QStringLiteral("I componenti del collegio vanno da 1 a 100.");
    if (claim.expenses < 0 || claim.advances < 0)
        return QStringLiteral("Spese e acconti non possono essere negativi.");
    Settlement s;
    s.expenses = claim.expenses;
    s.advances = claim.advances;
    const auto fee = feeForHalves(halves, claim.tariff);
    if (!fee)
        return overflow;
    s.fee = *fee;
    const auto urgency = percentOfCents(s.fee, claim.urgencyPercent);
    const auto increase = percentOfCents(s.fee, claim.increasePercent);
    if (!urgency || !increase)
        return overflow;
    s.urgency = *urgency;
    s.increase = *increase;
    // Art. 53: 40 % more for each expert of the panel beyond the first.
    const auto base = addCents(s.fee, s.urgency);
    const auto raised = base ? addCents(*base, s.increase) : std::nullopt;
    const auto panel =
        raised ? percentOfCents(*raised, 40 * qint64(claim.panel - 1)) : std::nullopt;
    const auto total = panel ? addCents(*raised, *panel) : std::nullopt;
    const auto gross = total ? addCents(*total, s.expenses) : std::nullopt;
    if (!gross)
        return overflow;
    s.panel = *panel;
    s.total = *total;
    s.balance = *gross - s.advances;
    return s;
}

QDate completionDate(QDate reportFiled, const QList<Session> &sessions) {
    if (reportFiled.isValid())
        return reportFiled;
    QDate last;
    for (const Session &s : sessions) {
        if (!last.isValid() || s.date > last)
            last = s.date;
    }
    return last;
}

} // namespace fee
