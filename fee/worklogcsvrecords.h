#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <array>

// The records of the log's CSV file and the names of their fields, for the messages that point
// at a fault. Private to worklogcsv.cpp.
namespace fee::logcsv {

inline constexpr int kFields = 5;
inline constexpr std::array<const char *, kFields> kFieldNames = {"Data", "Dalle", "Alle",
                                                                  "Descrizione", "In udienza"};
enum Field { DateField, FromField, ToField, DescriptionField, UdienzaField };

// "Riga n" and "Riga n, campo «name»".
QString lineText(int line);
QString fieldText(int line, int field);

// Splits the records of a file, after its header, one at a time.
class Reader {
public:
    explicit Reader(QByteArrayView bytes)
        : m_data(bytes.data())
        , m_end(bytes.size()) {}

    qsizetype position() const { return m_pos; }
    int line() const { return m_line; }
    bool atEnd() const { return m_pos >= m_end; }
    void skip(qsizetype count) { m_pos += count; }

    // Ignores line ends at the end of the file, so that blank trailing lines are no records.
    void trimTrailingLineEnds() {
        while (m_end > m_pos && (m_data[m_end - 1] == '\n' || m_data[m_end - 1] == '\r'))
            --m_end;
    }

    // Consumes a line end, if there is one here.
    bool lineEnd() {
        if (m_pos < m_end && m_data[m_pos] == '\n') {
            ++m_pos;
            ++m_line;
            return true;
        }
        if (m_pos + 1 < m_end && m_data[m_pos] == '\r' && m_data[m_pos + 1] == '\n') {
            m_pos += 2;
            ++m_line;
            return true;
        }
        return false;
    }

    // The next record's fields, of which at most kFields are kept and `count` counted; or an
    // Italian message.
    QString record(std::array<QByteArrayView, kFields> &fields, int &count);

private:
    static QString fieldName(int line, int count);

    const char *m_data;
    qsizetype m_end;
    qsizetype m_pos = 0;
    int m_line = 1;
    std::array<QByteArray, kFields + 1> m_buffers;
};

} // namespace fee::logcsv
