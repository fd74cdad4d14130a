#include "worklogcsv.h"

#include <benchmark/benchmark.h>

using namespace fee;

namespace {

// A log of `count` sessions, four a day from 1 January 2000, as a spreadsheet would save it:
// plain, accented and quoted descriptions, some in udienza.
QByteArray generatedLog(qsizetype count) {
    const QStringList descriptions = {
        QStringLiteral("Sopralluogo"),
        QStringLiteral("Esame degli atti; note"),
        QStringLiteral("Verifica dell'immobile e attività peritali"),
        QStringLiteral("Relazione \"bozza\"\ncapitolo 2"),
    };
    QList<Session> sessions;
    sessions.reserve(count);
    for (qsizetype i = 0; i < count; ++i) {
        const int slot = int(i % 4);
        sessions.append({QDate(2000, 1, 1).addDays(i / 4), 480 + slot * 150, 480 + slot * 150 + 135,
                         descriptions[slot], slot == 2});
    }
    return writeLogCsv(sessions);
}

void ReadLogCsv(benchmark::State &state) {
    const QByteArray log = generatedLog(state.range(0));
    for (auto _ : state) {
        const auto read = readLogCsv(log);
        if (!std::holds_alternative<QList<LogLine>>(read))
            state.SkipWithError("the generated log was refused");
        benchmark::DoNotOptimize(read);
    }
    state.SetBytesProcessed(state.iterations() * log.size());
}
BENCHMARK(ReadLogCsv)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
