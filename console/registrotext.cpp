#include "registro.h"

#include "partyshare.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>

namespace console {

namespace {

QString dateText(QDate date) {
    return date.toString(QStringLiteral("dd/MM/yyyy"));
}

QString isoText(QDate date) {
    return date.toString(Qt::ISODate);
}

QByteArray jsonOf(const QJsonArray &array) {
    return QJsonDocument(array).toJson(QJsonDocument::Indented);
}

} // namespace

QList<Due> deadlinesAhead(const QList<assignments::CalendarCase> &cases, QDate today,
                          std::optional<int> days) {
    QList<Due> due;
    for (const assignments::CalendarCase &c : cases) {
        for (const fee::Deadline &d : c.deadlines) {
            if (assignments::isAhead(d, today) && (!days || d.effective <= today.addDays(*days)))
                due.append(Due{&c, d});
        }
    }
    std::stable_sort(due.begin(), due.end(), [](const Due &a, const Due &b) {
        return a.deadline.effective < b.deadline.effective;
    });
    return due;
}

QByteArray deadlinesText(const QList<Due> &due) {
    if (due.isEmpty())
        return "Nessuna scadenza.\n";
    QString text;
    for (const Due &d : due) {
        text += dateText(d.deadline.effective) + QStringLiteral("  ") +
                assignments::calendarSummary(d.deadline.kind, d.owner->caseNumber);
        if (!d.owner->court.isEmpty())
            text += QStringLiteral(", ") + d.owner->court;
        if (!d.deadline.notes.isEmpty())
            text += QStringLiteral(" (%1)").arg(d.deadline.notes.join(QStringLiteral("; ")));
        text += u'\n';
    }
    return text.toUtf8();
}

QByteArray deadlinesJson(const QList<Due> &due) {
    QJsonArray list;
    for (const Due &d : due)
        list.append(QJsonObject{{"case", d.owner->caseNumber},
                                {"court", d.owner->court},
                                {"kind", fee::deadlineKey(d.deadline.kind)},
                                {"date", isoText(d.deadline.date)},
                                {"effective", isoText(d.deadline.effective)},
                                {"notes", QJsonArray::fromStringList(d.deadline.notes)}});
    return jsonOf(list);
}

QByteArray creditsText(const QList<assignments::Credit> &credits, bool withCharges) {
    if (credits.isEmpty())
        return "Nessun credito da incassare.\n";
    QString text;
    for (const assignments::Credit &c : credits) {
        text +=
            QStringLiteral("%1%2: da incassare %3 di %4 %5(acconti %6, pagati %7); "
                           "decreto del %8, %9 giorni fa\n")
                .arg(c.caseNumber.isEmpty() ? QStringLiteral("Senza numero") : c.caseNumber,
                     c.court.isEmpty() ? QString() : QStringLiteral(", ") + c.court,
                     fee::euroText(c.outstanding), fee::euroText(c.liquidated),
                     withCharges
                         ? QStringLiteral("dovuti, %1, ").arg(QLatin1String(fee::kChargesIncluded))
                         : QStringLiteral("liquidati "),
                     fee::euroText(c.advances), fee::euroText(c.paid), dateText(c.decree))
                .arg(c.days);
    }
    return text.toUtf8();
}

QByteArray creditsJson(const QList<assignments::Credit> &credits, bool withCharges) {
    QJsonArray list;
    for (const assignments::Credit &c : credits)
        list.append(QJsonObject{{"case", c.caseNumber},
                                {"decree", isoText(c.decree)},
                                {"liquidated_cents", c.liquidated},
                                {"advances_cents", c.advances},
                                {"paid_cents", c.paid},
                                {"outstanding_cents", c.outstanding},
                                {"charges_included", withCharges}});
    return jsonOf(list);
}

} // namespace console
