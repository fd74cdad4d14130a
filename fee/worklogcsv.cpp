#include "worklogcsv.h"
#include "worklogcsvrecords.h"

#include <QStringDecoder>

#include <array>

namespace fee {

using namespace logcsv;

namespace {

// A field as the message quotes it: long ones cut short.
QString quoted(QByteArrayView bytes) {
    constexpr qsizetype kLongest = 40;
    const QString text = QString::fromUtf8(bytes);
    return text.size() <= kLongest ? text : text.first(kLongest) + QStringLiteral("…");
}

bool isAscii(QByteArrayView bytes) {
    for (char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return true;
}

// The text of a field, or nothing when it is not UTF-8.
std::optional<QString> decodeUtf8(QByteArrayView bytes) {
    if (isAscii(bytes))
        return QString::fromLatin1(bytes);
    // Stateless: a sequence cut short at the field's end is an error too. A byte order mark at
    // the field's start is text like any other.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless |
                                                     QStringDecoder::Flag::ConvertInitialBom);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

int digit(char c) {
    return c >= '0' && c <= '9' ? c - '0' : -1;
}

// dd/MM/yyyy and nothing else.
QDate parseDate(QByteArrayView b) {
    if (b.size() != 10 || b[2] != '/' || b[5] != '/')
        return {};
    int values[3] = {0, 0, 0};
    const int starts[3] = {0, 3, 6}, lengths[3] = {2, 2, 4};
    for (int part = 0; part < 3; ++part) {
        for (int i = starts[part]; i < starts[part] + lengths[part]; ++i) {
            const int d = digit(b[i]);
            if (d < 0)
                return {};
            values[part] = values[part] * 10 + d;
        }
    }
    return QDate(values[2], values[1], values[0]);
}

std::optional<int> parseTime(QByteArrayView b) {
    std::array<char16_t, 5> wide{};
    if (b.size() > qsizetype(wide.size()))
        return std::nullopt;
    for (qsizetype i = 0; i < b.size(); ++i)
        wide[i] = char16_t(static_cast<unsigned char>(b[i]));
    return textToMinutes(QStringView(wide.data(), b.size()));
}

// "sì", "si" or "no" in any case, empty for no.
std::optional<bool> parseUdienza(QByteArrayView b) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c + ('a' - 'A')) : c; };
    if (b.isEmpty())
        return false;
    if (b.size() == 2 && lower(b[0]) == 'n' && lower(b[1]) == 'o')
        return false;
    if (b.size() == 2 && lower(b[0]) == 's' && lower(b[1]) == 'i')
        return true;
    // "ì" is C3 AC, "Ì" C3 8C.
    if (b.size() == 3 && lower(b[0]) == 's' && b[1] == '\xC3' && (b[2] == '\xAC' || b[2] == '\x8C'))
        return true;
    return std::nullopt;
}

// The session of a record's fields, or an Italian message naming the field at fault.
std::variant<Session, QString> sessionOf(const std::array<QByteArrayView, kFields> &fields,
                                         int count, int line) {
    if (count < kFields)
        return fieldText(line, count) + QStringLiteral(": manca; ogni riga ha %1 campi (%2).")
                                            .arg(kFields)
                                            .arg(QLatin1String(kLogCsvHeader));
    if (count > kFields)
        return lineText(line) + QStringLiteral(": %1 campi invece di %2 (%3).")
                                    .arg(count)
                                    .arg(kFields)
                                    .arg(QLatin1String(kLogCsvHeader));
    std::optional<QString> description;
    for (int f = 0; f < kFields; ++f) {
        if (f == DescriptionField)
            description = decodeUtf8(fields[f]);
        if (f == DescriptionField ? !description : !isAscii(fields[f]) && !decodeUtf8(fields[f]))
            return fieldText(line, f) + QStringLiteral(": il testo non è in UTF-8.");
    }
    Session s;
    s.date = parseDate(fields[DateField]);
    if (!s.date.isValid())
        return fieldText(line, DateField) +
               QStringLiteral(": «%1» non è una data (gg/mm/aaaa).").arg(quoted(fields[DateField]));
    const auto from = parseTime(fields[FromField]);
    if (!from || *from >= kMinutesPerDay)
        return fieldText(line, FromField) +
               QStringLiteral(": «%1» non è un orario d'inizio (hh:mm, fino alle 23:59).")
                   .arg(quoted(fields[FromField]));
    const auto to = parseTime(fields[ToField]);
    if (!to)
        return fieldText(line, ToField) +
               QStringLiteral(": «%1» non è un orario (hh:mm).").arg(quoted(fields[ToField]));
    if (*to <= *from)
        return fieldText(line, ToField) +
               QStringLiteral(": l'operazione finisce alle %1, non dopo l'inizio alle %2.")
                   .arg(minutesToText(*to), minutesToText(*from));
    const auto udienza = parseUdienza(fields[UdienzaField]);
    if (!udienza)
        return fieldText(line, UdienzaField) +
               QStringLiteral(": «%1» non è «sì» né «no».").arg(quoted(fields[UdienzaField]));
    s.from = *from;
    s.to = *to;
    s.description = *std::move(description);
    s.udienza = *udienza;
    return s;
}

bool needsQuotes(QByteArrayView field) {
    for (char c : field) {
        if (c == ';' || c == '"' || c == '\n' || c == '\r')
            return true;
    }
    return false;
}

} // namespace

std::variant<QList<LogLine>, QString> readLogCsv(QByteArrayView bytes) {
    Reader reader(bytes);
    reader.trimTrailingLineEnds();
    if (bytes.startsWith("\xEF\xBB\xBF"))
        reader.skip(3);
    const QByteArrayView header(kLogCsvHeader);
    const bool headed = bytes.sliced(reader.position()).startsWith(header);
    if (headed)
        reader.skip(header.size());
    if (!headed || (!reader.lineEnd() && !reader.atEnd()))
        return lineText(1) + QStringLiteral(": l'intestazione dev'essere «%1».")
                                 .arg(QLatin1String(kLogCsvHeader));

    QList<LogLine> lines;
    QList<Session> sessions;
    // A record a line, as most are.
    lines.reserve(bytes.count('\n'));
    sessions.reserve(lines.capacity());
    std::array<QByteArrayView, kFields> fields;
    while (!reader.atEnd()) {
        const int line = reader.line();
        int count = 0;
        const QString fault = reader.record(fields, count);
        if (!fault.isEmpty())
            return fault;
        auto session = sessionOf(fields, count, line);
        if (const QString *message = std::get_if<QString>(&session))
            return *message;
        sessions.append(std::get<Session>(std::move(session)));
        lines.append(LogLine{sessions.last(), line});
    }
    if (const auto pair = findOverlap(sessions)) {
        const auto [a, b] = *pair;
        return QStringLiteral("Righe %1 e %2: %3")
            .arg(lines[a].line)
            .arg(lines[b].line)
            .arg(overlapMessage(sessions[a], sessions[b]));
    }
    return lines;
}

QByteArray writeLogCsv(const QList<Session> &sessions) {
    QByteArray out(kLogCsvHeader);
    out += "\r\n";
    for (const Session &s : sessions) {
        out += s.date.toString(QStringLiteral("dd/MM/yyyy")).toLatin1();
        out += ';';
        out += minutesToText(s.from).toLatin1();
        out += ';';
        out += minutesToText(s.to).toLatin1();
        out += ';';
        const QByteArray description = s.description.toUtf8();
        if (needsQuotes(description)) {
            out += '"';
            out += QByteArray(description).replace('"', "\"\"");
            out += '"';
        } else {
            out += description;
        }
        out += ';';
        out += s.udienza ? "sì" : "no";
        out += "\r\n";
    }
    return out;
}

} // namespace fee
