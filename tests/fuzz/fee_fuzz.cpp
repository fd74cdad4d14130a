// Fuzzes the conversions and the whole "Calcola" computation under a handful of locales.
//
// Input: byte 0 picks the locale, byte 1 what to exercise and, for the computation, the mode and
// the options; the rest is the text (UTF-8). For the computation, bytes 2 to 9 pick the two dates
// (as the calendars would write them) unless the text gives them itself.
//
// Beyond "no crash" it checks what the program relies on: whatever a reading accepts writes and
// reads back to the same value, and a computation gives either consistent results or an error.

#include "conversions.h"
#include "daywalk.h"
#include "fee.h"

#include <QStringList>

#include <array>
#include <cstdio>
#include <cstdlib>

using namespace fee;

namespace {

const std::array<QLocale, 7> &locales() {
    static const std::array<QLocale, 7> all{
        QLocale(QLocale::Italian, QLocale::Italy),
        QLocale(QLocale::English, QLocale::UnitedStates),
        QLocale(QLocale::German, QLocale::Germany),
        QLocale(QLocale::French, QLocale::France),
        QLocale(QLocale::Arabic, QLocale::Egypt),
        QLocale(QLocale::Persian, QLocale::Iran),
        QLocale(QLocale::Hindi, QLocale::India),
    };
    return all;
}

[[noreturn]] void fail(const char *what, const QString &detail) {
    std::fprintf(stderr, "%s: %s\n", what, qUtf8Printable(detail));
    std::abort();
}

QString at15(double value) {
    return QString::number(value, 'g', 15);
}

void checkNumber(const QString &text, const QLocale &locale) {
    const auto value = textToNumber(text, locale);
    if (!value)
        return;
    const QString written = numberToText(*value, locale);
    const auto reread = textToNumber(written, locale);
    if (!reread || at15(*reread) != at15(*value))
        fail("number does not read back", text + QStringLiteral(" -> ") + written);
}

void checkDate(const QString &text, const QLocale &locale) {
    const auto serial = textToDate(text, locale);
    if (!serial)
        return;
    const QString written = dateToText(*serial, locale);
    if (textToDate(written, locale) != serial)
        fail("date does not read back", text + QStringLiteral(" -> ") + written);
}

DateSerial serialFrom(const uint8_t *bytes) {
    const quint32 raw = quint32(bytes[0]) | quint32(bytes[1]) << 8 | quint32(bytes[2]) << 16 |
                        quint32(bytes[3]) << 24;
    // Anywhere in the supported range.
    const qint64 span = qint64(kLastSerial - kFirstSerial) + 1;
    return kFirstSerial + double(qint64(raw % quint32(span)));
}

void checkCalcola(const QString &text, const uint8_t *dateBytes, int choice,
                  const QLocale &locale) {
    CalcolaInput input;
    input.mode = static_cast<ExclusionMode>(choice % 3);
    CalcolaOptions options;
    options.tariff = choice / 3 % 2 ? Tariff::Ruling2025 : Tariff::Decree2002;
    options.excludeHolidays = choice / 6 % 2;
    // None, or a patron day that Easter Monday or Liberation Day may share: 21 to 25 April.
    if (const int day = choice / 12 % 6)
        options.patron = PatronDay{4, 20 + day};
    const QStringList parts = text.split(u'\n');
    if (parts.size() >= 3) {
        input.text1 = parts[0];
        input.text2 = parts[1];
        input.combo1 = parts.mid(2).join(u'\n');
    } else {
        input.text1 = dateToText(serialFrom(dateBytes), locale);
        input.text2 = dateToText(serialFrom(dateBytes + 4), locale);
        input.combo1 = text;
    }

    const CalcolaResult result = calcola(input, options, locale);
    const bool anyLabel =
        !result.label6.isEmpty() || !result.label10.isEmpty() || !result.label11.isEmpty();
    const auto start = textToDate(input.text1, locale);
    const auto end = textToDate(input.text2, locale);
    const bool before1978 = start && end && options.excludeHolidays && *start <= *end &&
                            *start < serialFromDate(QDate(kFirstHolidayYear, 1, 1));
    if (result.failed()) {
        if (anyLabel)
            fail("error and results together", result.error);
        if (before1978 != result.error.startsWith(u"Le festività nazionali"))
            fail("holidays before 1978", result.error);
        return;
    }
    if (result.label6.isEmpty() || result.label10.isEmpty() || result.label11.isEmpty() ||
        before1978)
        fail("neither results nor an error", input.combo1);

    if (result.dateOrderWarning != (*end < *start))
        fail("date-order warning", input.text1 + u' ' + input.text2);
    // The counted days: as the day-by-day walk finds them over spans of up to 20 years, and
    // no more than without the holidays, nor fewer than with every day of 15 a year left out.
    const qint64 weekdays = input.mode == ExclusionMode::None
                                ? calendarDays(*start, *end)
                                : countedDays(*start, *end, input.mode);
    const qint64 leftOut = weekdays - result.days;
    const qint64 years = qint64(std::abs(*end - *start)) / 365 + 2;
    if (years < 22 ? result.days != reference::walkCountedDays(*start, *end, input.mode, options)
                   : leftOut < 0 || leftOut > (options.excludeHolidays ? 15 * years : 0))
        fail("counted days", QString::number(result.days));
    if (result.label6 != integerToText(result.days, locale))
        fail("counted days", result.label6);
    const qint64 days = result.days;

    const auto daily = textToNumber(input.combo1, locale);
    if (!daily)
        fail("computed from daily vacazioni that are no number", input.combo1);
    if (result.label10 != numberToText(double(days) * *daily, locale))
        fail("total is not days times daily vacazioni", result.label10);

    const auto total = textToNumber(result.label10, locale);
    if (!total)
        fail("total does not read back", result.label10);
    const QString fee = *total > 0 ? numberToText(feeForTotal(*total, options.tariff), locale)
                                   : integerToText(0, locale);
    if (result.label11 != fee)
        fail("fee", result.label11 + QStringLiteral(" instead of ") + fee);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size < 10)
        return 0;
    const QLocale &locale = locales()[data[0] % locales().size()];
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char *>(data + 10), qsizetype(size - 10));
    switch (data[1] % 4) {
    case 0:
        checkNumber(text, locale);
        break;
    case 1:
        checkDate(text, locale);
        break;
    default:
        checkCalcola(text, data + 2, data[1] / 4, locale);
        break;
    }
    return 0;
}
