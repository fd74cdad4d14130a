#include "conversions.h"
#include "daywalk.h"
#include "fee.h"
#include "holidaytable.h"
#include "tablefee.h"
#include "worklog.h"

#include <benchmark/benchmark.h>

using namespace fee;

namespace {

const QLocale italian(QLocale::Italian, QLocale::Italy);

// One press of "Calcola" with Saturdays and Sundays excluded, over `days` days from `first`:
// the dates and the daily vacazioni read from their texts, the days counted, the results
// written as texts.
void press(benchmark::State &state, DateSerial first, const CalcolaOptions &options) {
    const CalcolaInput input{dateToText(first, italian),
                             dateToText(first + double(state.range(0)) - 1, italian),
                             ExclusionMode::SaturdaysAndSundays, QStringLiteral("2")};
    for (auto _ : state)
        benchmark::DoNotOptimize(calcola(input, options, italian));
}

// From 1 January 100; 3615900 days is the whole range, to 31 December 9999.
void FeeRun(benchmark::State &state) {
    press(state, kFirstSerial, {});
}
BENCHMARK(FeeRun)->Arg(1)->Arg(1000)->Arg(3615900);

// From 1 January 1978, the first day the holidays are known, with the holidays and a patron
// day left out; 2929975 days reach 31 December 9999.
void FeeRunHolidays(benchmark::State &state) {
    HolidayTable::instance(); // built once, before the clock runs
    press(state, serialFromDate(QDate(kFirstHolidayYear, 1, 1)),
          {Tariff::Ruling2025, true, PatronDay{6, 29}});
}
BENCHMARK(FeeRunHolidays)->Arg(1)->Arg(2929975);

// What the first count with holidays pays once.
void HolidayTableBuild(benchmark::State &state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(HolidayTable());
}
BENCHMARK(HolidayTableBuild)->Name("HolidayTable")->Unit(benchmark::kMillisecond);

// The day-by-day walk over the whole range, for comparison.
void DayWalk(benchmark::State &state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(
            reference::walkCountedDays(kFirstSerial, kFirstSerial + double(state.range(0)) - 1,
                                       ExclusionMode::SaturdaysAndSundays));
}
BENCHMARK(DayWalk)->Arg(3615900)->Unit(benchmark::kMillisecond);

// The rules on a log of N sessions: three a day, one of them before the judge, some days over
// the cap, a tenth of them after the deadline.
void LogVacazioni(benchmark::State &state) {
    QList<Session> sessions;
    const QDate first(2020, 1, 1);
    for (qint64 i = 0; i < state.range(0); ++i) {
        const int slot = int(i % 3);
        sessions.append({first.addDays(i / 3), 8 * 60 + slot * 200,
                         8 * 60 + slot * 200 + 77 + 13 * int(i % 11), QStringLiteral("sopralluogo"),
                         slot == 2});
    }
    const Period period{first, first.addDays(state.range(0) * 9 / 30), {}};
    for (auto _ : state) {
        const LogTotals totals = logTotals(sessions, period);
        benchmark::DoNotOptimize(settle(totals.halves, {}));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(LogVacazioni)->Arg(100000)->Unit(benchmark::kMillisecond);

// Art. 13 of the tables on 400.000,00 €, in its last bracket: every slice, the three points.
void TableFeeLastBracket(benchmark::State &state) {
    const TableArticle &estimo =
        *std::get<const Decree *>(decreeOn(QDate(2025, 1, 1)))->article(u"13");
    const QList<Cents> value{40000000};
    for (auto _ : state)
        benchmark::DoNotOptimize(tableFee(estimo, value));
}
BENCHMARK(TableFeeLastBracket)->Name("TableFee");

} // namespace

BENCHMARK_MAIN();
