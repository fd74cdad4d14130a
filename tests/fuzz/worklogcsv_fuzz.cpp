// Fuzzes the reading of a work log in CSV with any bytes. A file is either refused with a
// message and no session, or read into valid sessions that do not overlap, on increasing lines,
// that write and read back to the same sessions.

#include "worklogcsv.h"

#include <cstdio>
#include <cstdlib>

using namespace fee;

namespace {

[[noreturn]] void fail(const char *what, const QString &detail = {}) {
    std::fprintf(stderr, "%s: %s\n", what, qUtf8Printable(detail));
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const auto read = readLogCsv(QByteArrayView(data, qsizetype(size)));
    if (const QString *message = std::get_if<QString>(&read)) {
        if (message->isEmpty())
            fail("refused without a message");
        return 0;
    }
    const QList<LogLine> &lines = std::get<QList<LogLine>>(read);
    QList<Session> sessions;
    int previous = 1;
    for (const LogLine &line : lines) {
        if (const QString error = sessionError(line.session); !error.isEmpty())
            fail("invalid session", error);
        if (line.line <= previous)
            fail("lines not increasing", QString::number(line.line));
        previous = line.line;
        sessions.append(line.session);
    }
    if (findOverlap(sessions))
        fail("overlapping sessions");
    const auto back = readLogCsv(writeLogCsv(sessions));
    if (const QString *message = std::get_if<QString>(&back))
        fail("written log refused", *message);
    const QList<LogLine> &again = std::get<QList<LogLine>>(back);
    if (again.size() != sessions.size())
        fail("written log read back to another count");
    for (qsizetype i = 0; i < again.size(); ++i) {
        if (again[i].session != sessions[i])
            fail("written log read back to another session", again[i].session.description);
    }
    return 0;
}
