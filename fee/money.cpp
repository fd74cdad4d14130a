#include "money.h"

#include "localetext.h"

#include <charconv>
#include <cmath>
#include <string>

namespace fee {

namespace {

constexpr int kDigits = 15; // as the window shows a number

std::optional<Cents> powerOfTen(int exponent) {
    Cents power = 1;
    for (int i = 0; i < exponent; ++i) {
        if (__builtin_mul_overflow(power, Cents(10), &power))
            return std::nullopt;
    }
    return power;
}

// Digits, in groups of three after the first when the locale's separator is there.
bool isWhole(const QString &digits, const QString &group) {
    static const auto isDigits = [](QStringView text, qsizetype least, qsizetype most) {
        return text.size() >= least && text.size() <= most &&
               std::all_of(text.begin(), text.end(), [](QChar c) { return c.isDigit(); });
    };
    if (group.isEmpty() || !digits.contains(group))
        return isDigits(digits, 1, 30);
    const QStringList groups = digits.split(group);
    return isDigits(groups.front(), 1, 3) &&
           std::all_of(groups.begin() + 1, groups.end(),
                       [](const QString &g) { return isDigits(g, 3, 3); });
}

} // namespace

std::optional<Cents> centsOf(double euros) {
    if (!std::isfinite(euros))
        return std::nullopt;
    // d.dddddddddddddde±x: the 15 digits that the window shows and their exponent.
    char text[32];
    const auto written = std::to_chars(text, text + sizeof text, std::abs(euros),
                                       std::chars_format::scientific, kDigits - 1);
    const std::string_view scientific(text, size_t(written.ptr - text));
    const size_t e = scientific.find('e');
    Cents mantissa = 0;
    for (char c : scientific.substr(0, e)) {
        if (c != '.')
            mantissa = mantissa * 10 + (c - '0');
    }
    int exponent = 0;
    const std::string_view power = scientific.substr(e + 1);
    std::from_chars(power.data() + (power.front() == '+'), power.data() + power.size(), exponent);

    // The value is mantissa × 10^(exponent - 14) euros, so mantissa × 10^(exponent - 12) cents.
    const int shift = exponent - (kDigits - 1) + 2;
    Cents cents = 0;
    if (shift >= 0) {
        const auto scale = powerOfTen(shift);
        if (!scale || __builtin_mul_overflow(mantissa, *scale, &cents))
            return std::nullopt;
    } else if (shift > -kDigits - 1) {
        const Cents divisor = *powerOfTen(-shift);
        cents = mantissa / divisor + (2 * (mantissa % divisor) >= divisor ? 1 : 0);
    }
    return euros < 0 ? -cents : cents;
}

std::optional<Cents> percentOfCents(Cents amount, qint64 percent) {
    Cents scaled = 0;
    if (__builtin_mul_overflow(amount, percent, &scaled))
        return std::nullopt;
    const Cents whole = scaled / 100, rest = scaled % 100;
    return whole + (rest >= 50 ? 1 : rest <= -50 ? -1 : 0);
}

std::optional<Cents> addCents(Cents a, Cents b) {
    Cents total = 0;
    if (__builtin_add_overflow(a, b, &total))
        return std::nullopt;
    return total;
}

QString euroText(Cents cents) {
    // Through unsigned, so that even the most negative amount has a magnitude.
    const quint64 magnitude = cents < 0 ? 0 - quint64(cents) : quint64(cents);
    QString whole = QString::number(magnitude / 100);
    for (qsizetype at = whole.size() - 3; at > 0; at -= 3)
        whole.insert(at, u'.');
    return QStringLiteral("%1%2,%3 €")
        .arg(cents < 0 ? QStringLiteral("-") : QString(), whole)
        .arg(magnitude % 100, 2, 10, QLatin1Char('0'));
}

std::variant<Cents, QString> parseAmount(const QString &text, const QLocale &locale) {
    QString amount = localetext::normalize(text, locale).trimmed();
    if (amount.startsWith(u'€'))
        amount.remove(0, 1);
    if (amount.endsWith(u'€'))
        amount.chop(1);
    amount = amount.trimmed();
    if (amount.isEmpty())
        return QStringLiteral("Manca l'importo.");
    const QString quoted = QStringLiteral("«%1»").arg(text.trimmed());
    if (amount.startsWith(u'-') || amount.startsWith(locale.negativeSign()) ||
        amount.startsWith(QChar(0x2212)))
        return QStringLiteral("L'importo %1 è negativo.").arg(quoted);

    const QStringList parts = amount.split(locale.decimalPoint());
    const QString fraction = parts.size() == 2 ? parts[1] : QString();
    const bool fractionDigits =
        std::all_of(fraction.begin(), fraction.end(), [](QChar c) { return c.isDigit(); });
    if (parts.size() > 2 || !isWhole(parts[0], locale.groupSeparator()) || !fractionDigits ||
        (parts.size() == 2 && fraction.isEmpty()))
        return QStringLiteral("%1 non è un importo: scrivere ad esempio %2.")
            .arg(quoted,
                 localetext::localizeDigits(
                     QStringLiteral("12") + locale.decimalPoint() + QStringLiteral("50"), locale));
    if (fraction.size() > 2)
        return QStringLiteral("L'importo %1 ha più di due decimali.").arg(quoted);

    Cents cents = 0;
    const QString digits =
        QString(parts[0]).remove(locale.groupSeparator()) + fraction.leftJustified(2, u'0');
    for (QChar digit : digits) {
        if (__builtin_mul_overflow(cents, Cents(10), &cents) ||
            __builtin_add_overflow(cents, Cents(digit.digitValue()), &cents))
            return QStringLiteral("L'importo %1 è troppo grande.").arg(quoted);
    }
    return cents;
}

std::variant<int, QString> parsePercent(const QString &text, const QLocale &locale) {
    const QString percent = localetext::normalize(text, locale).trimmed();
    if (percent.isEmpty())
        return 0;
    bool ok = false;
    const int value = percent.toInt(&ok);
    if (!ok || value < 0 || value > 100 || percent.startsWith(u'+'))
        return QStringLiteral("La maggiorazione «%1» deve essere un numero intero da 0 a 100.")
            .arg(text.trimmed());
    return value;
}

} // namespace fee
