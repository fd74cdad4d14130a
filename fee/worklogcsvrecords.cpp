#include "worklogcsvrecords.h"

#include <algorithm>
#include <cstring>

namespace fee::logcsv {

QString lineText(int line) {
    return QStringLiteral("Riga %1").arg(line);
}

QString fieldText(int line, int field) {
    return QStringLiteral("Riga %1, campo «%2»").arg(line).arg(QLatin1String(kFieldNames[field]));
}

QString Reader::fieldName(int line, int count) {
    return count < kFields ? fieldText(line, count)
                           : QStringLiteral("Riga %1, campo %2").arg(line).arg(count + 1);
}

QString Reader::record(std::array<QByteArrayView, kFields> &fields, int &count) {
    const int line = m_line;
    count = 0;
    for (;;) {
        QByteArrayView field;
        if (m_pos < m_end && m_data[m_pos] == '"') {
            // Fields beyond the last are only counted: they share one buffer.
            const int at = std::min(count, kFields);
            QByteArray &buffer = m_buffers[at];
            buffer.clear();
            ++m_pos;
            for (;;) {
                const char *quote = static_cast<const char *>(
                    std::memchr(m_data + m_pos, '"', size_t(m_end - m_pos)));
                const qsizetype stop = quote ? quote - m_data : m_end;
                const QByteArrayView chunk(m_data + m_pos, stop - m_pos);
                m_line += int(chunk.count('\n'));
                buffer.append(chunk);
                if (!quote)
                    return fieldName(line, count) +
                           QStringLiteral(": le virgolette aperte non si chiudono.");
                m_pos = stop + 1;
                if (m_pos < m_end && m_data[m_pos] == '"') {
                    buffer.append('"');
                    ++m_pos;
                    continue;
                }
                break;
            }
            field = buffer;
            if (m_pos < m_end && m_data[m_pos] != ';' && m_data[m_pos] != '\n' &&
                !(m_data[m_pos] == '\r' && m_pos + 1 < m_end && m_data[m_pos + 1] == '\n'))
                return fieldName(line, count) +
                       QStringLiteral(": dopo le virgolette di chiusura c'è altro testo; le "
                                      "virgolette nel testo vanno raddoppiate.");
        } else {
            qsizetype stop = m_pos;
            while (stop < m_end && m_data[stop] != ';' && m_data[stop] != '\n')
                ++stop;
            qsizetype fieldEnd = stop;
            if (stop < m_end && m_data[stop] == '\n' && fieldEnd > m_pos &&
                m_data[fieldEnd - 1] == '\r')
                --fieldEnd;
            field = QByteArrayView(m_data + m_pos, fieldEnd - m_pos);
            m_pos = stop;
        }
        if (count < kFields)
            fields[count] = field;
        ++count;
        if (m_pos < m_end && m_data[m_pos] == ';') {
            ++m_pos;
            continue;
        }
        lineEnd();
        return {};
    }
}

} // namespace fee::logcsv
