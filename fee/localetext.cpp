#include "localetext.h"

#include <algorithm>

namespace fee::localetext {

namespace {

bool isDirectionMark(char32_t c) {
    return c == 0x200E || c == 0x200F || c == 0x061C;
}

char32_t zeroOf(const QLocale &locale) {
    const QString zero = locale.zeroDigit();
    if (zero.size() == 1)
        return zero.front().unicode();
    if (zero.size() == 2 && zero.front().isHighSurrogate())
        return QChar::surrogateToUcs4(zero.at(0), zero.at(1));
    return U'0';
}

void appendCodePoint(QString &out, char32_t c) {
    if (QChar::requiresSurrogates(c)) {
        out.append(QChar(QChar::highSurrogate(c)));
        out.append(QChar(QChar::lowSurrogate(c)));
    } else {
        out.append(QChar(char16_t(c)));
    }
}

} // namespace

QString localizeDigits(const QString &ascii, const QLocale &locale) {
    const char32_t zero = zeroOf(locale);
    if (zero == U'0')
        return ascii;
    QString out;
    out.reserve(ascii.size() * 2);
    for (QChar c : ascii) {
        if (c >= u'0' && c <= u'9')
            appendCodePoint(out, zero + char32_t(c.unicode() - u'0'));
        else
            out.append(c);
    }
    return out;
}

QString normalize(const QString &text, const QLocale &locale) {
    const char32_t zero = zeroOf(locale);
    // Most texts need nothing done: ASCII digits and no marks.
    if (zero == U'0' && std::none_of(text.begin(), text.end(),
                                     [](QChar c) { return isDirectionMark(c.unicode()); }))
        return text;
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t c = text.at(i).unicode();
        if (text.at(i).isHighSurrogate() && i + 1 < text.size() &&
            text.at(i + 1).isLowSurrogate()) {
            c = QChar::surrogateToUcs4(text.at(i), text.at(i + 1));
            ++i;
        }
        if (isDirectionMark(c))
            continue;
        if (zero != U'0' && c >= zero && c <= zero + 9)
            c = U'0' + (c - zero);
        appendCodePoint(out, c);
    }
    return out;
}

} // namespace fee::localetext
