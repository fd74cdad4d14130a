#include "conversions.h"
#include "daywalk.h"
#include "fee.h"

#include <benchmark/benchmark.h>

using namespace fee;

namespace {

// A span of `days` days starting on the first supported day; 3615900 days is the whole range.
std::pair<DateSerial, DateSerial> span(benchmark::State &state) {
    return {kFirstSerial, kFirstSerial + double(state.range(0)) - 1};
}

// One press of "Calcola" with Saturdays and Sundays excluded: the dates and the daily
// vacazioni read from their texts, the days counted, the results written as texts.
void FeeRun(benchmark::State &state) {
    const QLocale italian(QLocale::Italian, QLocale::Italy);
    const auto [start, end] = span(state);
    const CalcolaInput input{dateToText(start, italian), dateToText(end, italian),
                             ExclusionMode::SaturdaysAndSundays, QStringLiteral("2")};
    for (auto _ : state)
        benchmark::DoNotOptimize(calcola(input, italian));
}
BENCHMARK(FeeRun)->Arg(1)->Arg(1000)->Arg(3615900);

// The day-by-day walk over the same span, for comparison.
void DayWalk(benchmark::State &state) {
    const auto [start, end] = span(state);
    for (auto _ : state)
        benchmark::DoNotOptimize(
            reference::walkCountedDays(start, end, ExclusionMode::SaturdaysAndSundays));
}
BENCHMARK(DayWalk)->Arg(3615900)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
