#include "fee.h"

#include "conversions.h"
#include "holidaytable.h"

#include <cmath>

namespace fee {

namespace {

CalcolaResult failure(bool dateOrderWarning, const QString &message) {
    CalcolaResult result;
    result.dateOrderWarning = dateOrderWarning;
    result.error = message;
    return result;
}

QString numberExample(const QLocale &locale) {
    return QStringLiteral("ad esempio %1 oppure %2")
        .arg(integerToText(2, locale), numberToText(2.5, locale));
}

} // namespace

double feeForTotal(double total, Tariff tariff) {
    if (tariff == Tariff::Ruling2025) {
        const double a = total * 1468.0;
        return a / 100.0;
    }
    const double a = total - 1.0;
    const double b = a * 815.0;
    const double c = b / 100.0;
    const double d = 1468.0 / 100.0;
    return c + d;
}

QString tariffRates(Tariff tariff) {
    return tariff == Tariff::Ruling2025
               ? QStringLiteral("14,68 € ogni vacazione")
               : QStringLiteral("14,68 € la prima vacazione, 8,15 € le successive");
}

QString tariffBasis(Tariff tariff) {
    const QString law =
        QStringLiteral("art. 4 della legge 8 luglio 1980, n. 319, e DM 30 maggio 2002");
    if (tariff == Tariff::Ruling2025)
        return law + QStringLiteral(", come inciso dalla sentenza n. 16/2025 della Corte "
                                    "costituzionale");
    return law;
}

CalcolaResult calcola(const CalcolaInput &input, const CalcolaOptions &options,
                      const QLocale &locale) {
    const auto start = textToDate(input.text1, locale);
    if (!start)
        return failure(
            false,
            QStringLiteral("La data di inizio «%1» non è una data valida.").arg(input.text1));
    const auto end = textToDate(input.text2, locale);
    if (!end)
        return failure(
            false, QStringLiteral("La data di fine «%1» non è una data valida.").arg(input.text2));

    CalcolaResult result;
    result.dateOrderWarning = *end < *start;

    qint64 days = input.mode == ExclusionMode::None ? calendarDays(*start, *end)
                                                    : countedDays(*start, *end, input.mode);
    // On reversed dates no day is visited, so no holiday is either.
    if (options.excludeHolidays && !result.dateOrderWarning) {
        const DayRange range = countedRange(*start, *end, input.mode);
        if (range.first < qint64(serialFromDate(QDate(kFirstHolidayYear, 1, 1))))
            return failure(false, QStringLiteral("Le festività nazionali sono note dal 1° gennaio "
                                                 "%1: scegliere una data di inizio da quel giorno "
                                                 "in poi, oppure non escludere le festività.")
                                      .arg(kFirstHolidayYear));
        days -=
            HolidayTable::instance().counted(range.first, range.last, input.mode, options.patron);
    }
    result.label6 = integerToText(days, locale);

    const auto daily = textToNumber(input.combo1, locale);
    if (!daily) {
        const QString message =
            input.combo1.trimmed().isEmpty()
                ? QStringLiteral("Mancano le vacazioni giornaliere: scrivere un numero, %1.")
                      .arg(numberExample(locale))
                : QStringLiteral("Le vacazioni giornaliere «%1» non sono un numero: scrivere un "
                                 "numero, %2.")
                      .arg(input.combo1, numberExample(locale));
        return failure(result.dateOrderWarning, message);
    }

    result.start = *start;
    result.end = *end;
    result.days = days;
    result.daily = *daily;
    // The total comes from the days as shown, the fee from the total as shown.
    const double total = textToNumber(result.label6, locale).value_or(double(days)) * *daily;
    if (!std::isfinite(total))
        return failure(result.dateOrderWarning,
                       QStringLiteral("Il totale delle vacazioni è troppo grande per essere "
                                      "calcolato: ridurre le vacazioni giornaliere «%1».")
                           .arg(input.combo1));
    result.label10 = numberToText(total, locale);
    result.total = textToNumber(result.label10, locale).value_or(total);

    if (result.total > 0) {
        const double fee = feeForTotal(result.total, options.tariff);
        if (!std::isfinite(fee))
            return failure(result.dateOrderWarning,
                           QStringLiteral("Il compenso è troppo grande per essere calcolato: "
                                          "ridurre le vacazioni giornaliere «%1».")
                               .arg(input.combo1));
        result.label11 = numberToText(fee, locale);
        result.fee = fee;
    } else {
        // A negative total earns no fee; showing the fee of an earlier run beside it would mislead.
        result.label11 = integerToText(0, locale);
    }
    return result;
}

} // namespace fee
