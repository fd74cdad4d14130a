#include "registertexts.h"

#include "conversions.h"

#include <QLocale>

namespace tolvemar::registertext {

QString date(QDate date) {
    return date.isValid() ? fee::dateToText(fee::serialFromDate(date), QLocale()) : QString();
}

QString fixedDate(QDate date) {
    return date.toString(QStringLiteral("dd/MM/yyyy"));
}

std::variant<QDate, QString> parseDate(const QString &text) {
    if (text.trimmed().isEmpty())
        return QDate();
    const auto serial = fee::textToDate(text, QLocale());
    const auto day = serial ? fee::dateFromSerial(*serial) : std::nullopt;
    // A time of day is no part of these dates.
    if (!day || fee::serialFromDate(*day) != *serial)
        return QStringLiteral("«%1» non è una data: scrivere ad esempio %2.")
            .arg(text.trimmed(), date(QDate(2025, 3, 31)));
    return *day;
}

QString dates(const QList<QDate> &dates) {
    QStringList texts;
    for (QDate day : dates)
        texts.append(date(day));
    return texts.join(QStringLiteral("; "));
}

std::variant<QList<QDate>, QString> parseDates(const QString &text) {
    QList<QDate> days;
    for (const QString &part : text.split(u';', Qt::SkipEmptyParts)) {
        if (part.trimmed().isEmpty())
            continue;
        const auto day = parseDate(part);
        if (const QString *error = std::get_if<QString>(&day))
            return *error;
        days.append(std::get<QDate>(day));
    }
    return days;
}

QString amount(fee::Cents cents) {
    return QLocale().toString(double(cents) / 100, 'f', 2);
}

QString vacazioni(qint64 halves) {
    return fee::numberToText(double(halves) / 2, QLocale());
}

} // namespace tolvemar::registertext
