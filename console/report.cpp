#include "report.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace console {

namespace {

QString dateText(QDate date) {
    return date.toString(QStringLiteral("dd/MM/yyyy"));
}

// Half vacazioni as vacazioni: 5 is "2,5".
QString vacazioniText(qint64 halves) {
    return QString::number(halves / 2) + (halves % 2 ? QStringLiteral(",5") : QString());
}

// Hours and minutes of a day's work: 1440 is "24:00".
QString hoursText(qint64 minutes) {
    return QStringLiteral("%1:%2").arg(minutes / 60).arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

} // namespace

QString reportText(const Report &report) {
    const fee::Settlement &s = report.settlement;
    QString out;
    out += QStringLiteral("Giorno        Ore     Vacazioni\n");
    for (const fee::DayTotal &day : report.totals.days) {
        out += QStringLiteral("%1    %2   %3")
                   .arg(dateText(day.date),
                        hoursText(day.ordinaryMinutes + day.udienzaMinutes).rightJustified(5),
                        vacazioniText(day.halves()).rightJustified(9));
        if (day.udienzaMinutes > 0)
            out += QStringLiteral("   di cui in udienza %1 ore, %2 vacazioni")
                       .arg(hoursText(day.udienzaMinutes), vacazioniText(day.udienzaHalves));
        if (day.capped)
            out += QStringLiteral("   limite di 4 vacazioni al giorno");
        out += u'\n';
    }
    bool heading = false;
    for (qsizetype i = 0; i < report.lines.size(); ++i) {
        const fee::Exclusion exclusion = report.totals.exclusions[i];
        if (exclusion == fee::Exclusion::None)
            continue;
        if (!heading)
            out += QStringLiteral("\nOperazioni non contate:\n");
        heading = true;
        out += QStringLiteral("  riga %1, %2: %3\n")
                   .arg(report.lines[i].line)
                   .arg(dateText(report.lines[i].session.date), fee::exclusionReason(exclusion));
    }
    const auto amount = [&out](const QString &label, fee::Cents cents) {
        out += (label + u':').leftJustified(40) + fee::euroText(cents).rightJustified(16) + u'\n';
    };
    out +=
        QStringLiteral("\nVacazioni: %1, di cui in udienza %2\n")
            .arg(vacazioniText(report.totals.halves), vacazioniText(report.totals.udienzaHalves));
    amount(QStringLiteral("Onorario"), s.fee);
    amount(QStringLiteral("Aumento per urgenza (%1 %)").arg(report.claim.urgencyPercent),
           s.urgency);
    amount(QStringLiteral("Maggiorazione art. 52 (%1 %)").arg(report.claim.increasePercent),
           s.increase);
    amount(QStringLiteral("Collegio (componenti: %1)").arg(report.claim.panel), s.panel);
    amount(QStringLiteral("Totale"), s.total);
    if (report.requestDeadline.isValid())
        out +=
            QStringLiteral("\nIstanza di liquidazione entro il %1 (%2)\n")
                .arg(dateText(report.requestDeadline), QLatin1String(fee::kRequestDeadlineBasis));
    return out;
}

QByteArray reportJson(const Report &report) {
    QJsonArray days;
    for (const fee::DayTotal &day : report.totals.days) {
        days.append(QJsonObject{{"date", day.date.toString(Qt::ISODate)},
                                {"half_vacazioni", day.halves()},
                                {"capped", day.capped}});
    }
    QJsonArray notCounted;
    for (qsizetype i = 0; i < report.lines.size(); ++i) {
        const fee::Exclusion exclusion = report.totals.exclusions[i];
        if (exclusion != fee::Exclusion::None)
            notCounted.append(QJsonObject{{"line", report.lines[i].line},
                                          {"reason", fee::exclusionReason(exclusion)}});
    }
    const fee::Settlement &s = report.settlement;
    const QJsonObject root{
        {"half_vacazioni", report.totals.halves},
        {"half_vacazioni_udienza", report.totals.udienzaHalves},
        {"days", days},
        {"not_counted", notCounted},
        {"fee_cents", s.fee},
        {"urgency_cents", s.urgency},
        {"increase_cents", s.increase},
        {"panel_cents", s.panel},
        {"total_cents", s.total},
    };
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

} // namespace console
