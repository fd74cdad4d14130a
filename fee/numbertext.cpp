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
    const NumberSymbols &symbols = localetext::forLocale<NumberSymbols>(locale);
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
    const NumberSymbols &symbols = localetext::forLocale<NumberSymbols>(locale);
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

} // namespace fee
