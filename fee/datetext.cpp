#include "conversions.h"

#include "localetext.h"

#include <QList>
#include <QStringList>

namespace fee {

namespace {

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

} // namespace

QString dateToText(DateSerial serial, const QLocale &locale) {
    const auto dateTime = dateTimeFromSerial(serial);
    if (!dateTime)
        return {};
    const QDate date = dateTime->date();
    QString text;
    for (const DateField &field : localetext::forLocale<ShortDate>(locale).fields) {
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
    const ShortDate &shortDate = localetext::forLocale<ShortDate>(locale);
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
