#include "conversions.h"

#include "localetext.h"

#include <QList>

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <numeric>
#include <string>
#include <string_view>
#include <utility>

namespace fee {

namespace {

// The last locale's derived tables, rebuilt only when another locale comes along: a press of
// "Calcola" converts half a dozen texts under the same locale.
template <typename Table> const Table &forLocale(const QLocale &locale) {
    thread_local QLocale cachedLocale;
    thread_local std::optional<Table> cached;
    if (!cached || !(cachedLocale == locale)) {
        cached.emplace(locale);
        cachedLocale = locale;
    }
    return *cached;
}

// ---- numbers -------------------------------------------------------------------------------

// The characters of a plain number ("-1.5e+20") that a locale spells its own way.
constexpr std::array<char16_t, 4> kPlainSymbols{u'.', u'-', u'+', u'e'};

// The locale's spellings of the parts of a plain number, in the order of kPlainSymbols.
struct NumberSymbols {
    explicit NumberSymbols(const QLocale &locale);

    std::array<QString, 4> written;
    // The four as single characters, when each is one: most locales' numbers are then written
    // in place.
    std::optional<std::array<QChar, 4>> single;
    // For reading: each spelling, without direction marks and with ASCII digits, and the ASCII
    // character it stands for; longest first, so that a locale's "×10^" is not read as digits.
    QList<std::pair<QString, char>> readable;
};

NumberSymbols::NumberSymbols(const QLocale &locale)
    : written{locale.decimalPoint(), locale.negativeSign(), locale.positiveSign(),
              locale.exponential()} {
    readable = {
        {QStringLiteral("e"), 'e'}, {QStringLiteral("E"), 'e'},
        {QStringLiteral("-"), '-'}, {QString(QChar(0x2212)), '-'}, // the typographic minus
        {QStringLiteral("+"), '+'},
    };
    for (size_t i = 0; i < written.size(); ++i)
        readable.prepend({localetext::normalize(written[i], locale), char(kPlainSymbols[i])});
    if (std::all_of(written.begin(), written.end(), [](const QString &w) { return w.size() == 1; }))
        single = {written[0][0], written[1][0], written[2][0], written[3][0]};
    readable.removeIf([](const auto &token) { return token.first.isEmpty(); });
    std::stable_sort(readable.begin(), readable.end(),
                     [](const auto &a, const auto &b) { return a.first.size() > b.first.size(); });
}

// [+-] digits [. digits] [e [+-] digits], with at least one digit before the exponent.
bool isPlainNumber(std::string_view text) {
    size_t i = 0;
    auto digits = [&] {
        const size_t from = i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9')
            ++i;
        return i - from;
    };
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    size_t mantissa = digits();
    if (i < text.size() && text[i] == '.') {
        ++i;
        mantissa += digits();
    }
    if (mantissa == 0)
        return false;
    if (i < text.size() && text[i] == 'e') {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            ++i;
        if (digits() == 0)
            return false;
    }
    return i == text.size();
}

// A finite double from a plain ASCII number, or nothing.
std::optional<double> parsePlain(std::string_view text) {
    if (!isPlainNumber(text))
        return std::nullopt;
    const bool negative = text.front() == '-';
    if (text.front() == '-' || text.front() == '+')
        text.remove_prefix(1);
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return negative ? -value : value;
}

// Reads the texts that numberToText writes, and the same with ASCII digits and signs: no group
// separators.
std::optional<double> readPlainNumber(const QString &text, const QLocale &locale) {
    const NumberSymbols &symbols = forLocale<NumberSymbols>(locale);
    const QString normalized = localetext::normalize(text, locale);
    const QStringView view(normalized);
    std::string ascii;
    ascii.reserve(size_t(normalized.size()));
    for (qsizetype i = 0; i < view.size();) {
        const QChar c = view.at(i);
        if (c >= u'0' && c <= u'9') {
            ascii.push_back(char(c.unicode()));
            ++i;
            continue;
        }
        const auto token =
            std::find_if(symbols.readable.begin(), symbols.readable.end(),
                         [&](const auto &t) { return view.sliced(i).startsWith(t.first); });
        if (token == symbols.readable.end())
            return std::nullopt;
        ascii.push_back(token->second);
        i += token->first.size();
    }
    return parsePlain(ascii);
}

QString localizeNumber(QString plain, const QLocale &locale) {
    const NumberSymbols &symbols = forLocale<NumberSymbols>(locale);
    auto symbol = [](QChar c) { return std::find(kPlainSymbols.begin(), kPlainSymbols.end(), c); };
    if (symbols.single) {
        for (QChar &c : plain) {
            if (const auto at = symbol(c); at != kPlainSymbols.end())
                c = (*symbols.single)[size_t(at - kPlainSymbols.begin())];
        }
        return localetext::localizeDigits(plain, locale);
    }
    QString out;
    out.reserve(plain.size() + 8);
    for (QChar c : plain) {
        const auto at = symbol(c);
        out += at != kPlainSymbols.end() ? symbols.written[size_t(at - kPlainSymbols.begin())]
                                         : QString(c);
    }
    return localetext::localizeDigits(out, locale);
}

// ---- dates ---------------------------------------------------------------------------------

struct DateField {
    enum Kind { Day, Month, MonthName, Year, Literal } kind;
    int width = 0;                  // digits of a day or month: 1 (no padding) or 2
    QString text;                   // Literal: as written
    QString readable;               // Literal: without direction marks, ASCII digits
    QLocale::FormatType nameFormat; // MonthName: short or long
};

// The locale's short date pattern as fields, with a four-digit year whatever the pattern says:
// a two-digit year would read 1925 back as 2025.
struct ShortDate {
    explicit ShortDate(const QLocale &locale);

    QList<DateField> fields;
    QStringList monthNames[2]; // short and long, as read: without marks, ASCII digits
};

ShortDate::ShortDate(const QLocale &locale) {
    const QString pattern = locale.dateFormat(QLocale::ShortFormat);
    auto appendLiteral = [this](const QString &text) {
        if (fields.isEmpty() || fields.back().kind != DateField::Literal)
            fields.append({DateField::Literal, 0, {}, {}, QLocale::ShortFormat});
        fields.back().text += text;
    };
    for (qsizetype i = 0; i < pattern.size();) {
        const QChar c = pattern.at(i);
        if (c == u'\'') {
            const qsizetype close = pattern.indexOf(u'\'', i + 1);
            const qsizetype stop = close < 0 ? pattern.size() : close;
            appendLiteral(stop == i + 1 ? QStringLiteral("'") : pattern.mid(i + 1, stop - i - 1));
            i = stop + 1;
            continue;
        }
        qsizetype run = 1;
        while (i + run < pattern.size() && pattern.at(i + run) == c)
            ++run;
        if (c == u'd')
            fields.append({DateField::Day, run >= 2 ? 2 : 1, {}, {}, QLocale::ShortFormat});
        else if (c == u'M' && run <= 2)
            fields.append({DateField::Month, int(run), {}, {}, QLocale::ShortFormat});
        else if (c == u'M')
            fields.append({DateField::MonthName,
                           0,
                           {},
                           {},
                           run == 3 ? QLocale::ShortFormat : QLocale::LongFormat});
        else if (c == u'y')
            fields.append({DateField::Year, 4, {}, {}, QLocale::ShortFormat});
        else
            appendLiteral(QString(run, c));
        i += run;
    }
    for (DateField &field : fields)
        field.readable = localetext::normalize(field.text, locale);
    for (int month = 1; month <= 12; ++month) {
        monthNames[0].append(
            localetext::normalize(locale.monthName(month, QLocale::ShortFormat), locale));
        monthNames[1].append(
            localetext::normalize(locale.monthName(month, QLocale::LongFormat), locale));
    }
}

QString padded(int value, int width) {
    return QString::number(value).rightJustified(width, u'0');
}

// Reads `width` digits, or 1 to 2 when `width` is 1; -1 when they are not there.
int readDigits(QStringView text, qsizetype &pos, int width) {
    const int most = width == 1 ? 2 : width;
    int value = 0;
    int count = 0;
    while (count < most && pos < text.size() && text.at(pos) >= u'0' && text.at(pos) <= u'9') {
        value = value * 10 + (text.at(pos).unicode() - u'0');
        ++pos;
        ++count;
    }
    return (count == width || (width == 1 && count >= 1)) ? value : -1;
}

// The longest month name at `pos`: 1 to 12, or -1.
int readMonthName(QStringView text, qsizetype &pos, const QStringList &names) {
    int best = -1;
    qsizetype bestLength = 0;
    for (int month = 1; month <= 12; ++month) {
        const QString &name = names.at(month - 1);
        if (name.size() > bestLength && text.sliced(pos).startsWith(name)) {
            best = month;
            bestLength = name.size();
        }
    }
    pos += bestLength;
    return best;
}

const QString kTimePattern = QStringLiteral("HH:mm:ss");

// Whether a value can lie exactly halfway between two numbers of 15 significant digits. Such a
// value is d × 10^(e - 15), for a 16-digit d ending in 5 and the value's decimal exponent e, so
// its lowest set bit is 2^(e - 15); other values rarely have one that high.
bool mayBeHalfway(double value) {
    int binary = 0; // the value is fraction × 2^binary, the fraction in [0.5, 1)
    const double fraction = std::frexp(std::abs(value), &binary);
    const int lowestBit = binary - 53 + std::countr_zero(quint64(std::ldexp(fraction, 53)));
    const int decimal = int(std::floor((binary - 1) * 0.30102999566398120)); // e, or e - 1
    return lowestBit >= decimal - 16 && lowestBit <= decimal - 14;
}

} // namespace

QString numberToText(double value, const QLocale &locale) {
    if (value == 0)
        value = 0; // no "-0"
    char plain[32];
    auto text = [&plain](std::to_chars_result written) {
        return QString::fromLatin1(plain, written.ptr - plain);
    };
    // Whole numbers below 10^15, most counts and totals, are written as integers: the same text.
    if (std::abs(value) < 1e15 && value == std::trunc(value))
        return localizeNumber(text(std::to_chars(plain, plain + sizeof plain, qint64(value))),
                              locale);
    // std::to_chars rounds a value exactly halfway between two numbers of 15 digits to the even
    // one; the program has always rounded it away from zero, as Qt does.
    QString written = mayBeHalfway(value) ? QString::number(value, 'g', 15)
                                          : text(std::to_chars(plain, plain + sizeof plain, value,
                                                               std::chars_format::general, 15));
    // Rounded to 15 digits, a value next to the largest double would read back as an overflow:
    // such a value keeps the digits it needs.
    for (int digits = 16; std::abs(value) > 1e308 && !parsePlain(written.toStdString()); ++digits)
        written = text(
            std::to_chars(plain, plain + sizeof plain, value, std::chars_format::general, digits));
    return localizeNumber(written, locale);
}

std::optional<double> textToNumber(const QString &text, const QLocale &locale) {
    const QString trimmed = text.trimmed();
    // ASCII digits alone, as most locales write counts and totals, are read at once.
    if (!trimmed.isEmpty() && trimmed.size() <= 15 &&
        std::all_of(trimmed.begin(), trimmed.end(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
        return double(
            std::accumulate(trimmed.begin(), trimmed.end(), qint64(0),
                            [](qint64 n, QChar c) { return n * 10 + (c.unicode() - u'0'); }));
    if (const auto value = readPlainNumber(trimmed, locale))
        return value;
    // Grouped input ("1.000" in Italian): Qt checks that each separator stands where it belongs.
    bool ok = false;
    const double value = locale.toDouble(trimmed, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

QString integerToText(qint64 value, const QLocale &locale) {
    return localizeNumber(QString::number(value), locale);
}

QString dateToText(DateSerial serial, const QLocale &locale) {
    const auto dateTime = dateTimeFromSerial(serial);
    if (!dateTime)
        return {};
    const QDate date = dateTime->date();
    QString text;
    for (const DateField &field : forLocale<ShortDate>(locale).fields) {
        switch (field.kind) {
        case DateField::Day:
            text += localetext::localizeDigits(padded(date.day(), field.width), locale);
            break;
        case DateField::Month:
            text += localetext::localizeDigits(padded(date.month(), field.width), locale);
            break;
        case DateField::MonthName:
            text += locale.monthName(date.month(), field.nameFormat);
            break;
        case DateField::Year:
            text += localetext::localizeDigits(padded(date.year(), 4), locale);
            break;
        case DateField::Literal:
            text += field.text;
            break;
        }
    }
    const QTime time = dateTime->time();
    if (time != QTime(0, 0))
        text += u' ' + localetext::localizeDigits(time.toString(kTimePattern), locale);
    return text;
}

std::optional<DateSerial> textToDate(const QString &text, const QLocale &locale) {
    const QString normalized = localetext::normalize(text.trimmed(), locale);
    const QStringView view(normalized);
    qsizetype pos = 0;
    int day = -1, month = -1, year = -1;
    const ShortDate &shortDate = forLocale<ShortDate>(locale);
    for (const DateField &field : shortDate.fields) {
        switch (field.kind) {
        case DateField::Day:
            day = readDigits(view, pos, field.width);
            break;
        case DateField::Month:
            month = readDigits(view, pos, field.width);
            break;
        case DateField::MonthName:
            month = readMonthName(
                view, pos, shortDate.monthNames[field.nameFormat == QLocale::ShortFormat ? 0 : 1]);
            break;
        case DateField::Year:
            year = readDigits(view, pos, 4);
            break;
        case DateField::Literal:
            if (!view.sliced(pos).startsWith(field.readable))
                return std::nullopt;
            pos += field.readable.size();
            break;
        }
    }
    const QDate date(year, month, day);
    if (!date.isValid() || year < 100)
        return std::nullopt;
    if (pos == view.size())
        return serialFromDate(date);

    const QStringView rest = view.sliced(pos);
    if (rest.size() != 1 + kTimePattern.size() || rest.at(0) != u' ')
        return std::nullopt;
    const QTime time = QTime::fromString(rest.sliced(1).toString(), kTimePattern);
    if (!time.isValid())
        return std::nullopt;
    return serialFromDateTime(date, time);
}

} // namespace fee
