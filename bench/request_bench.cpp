#include "conversions.h"
#include "output.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

// The fee request of the March 2025 example, with details, a 20 % increase and two expenses,
// made into a PDF in memory, and its parts measured apart: the description, the layout of the
// text, and the PDF.

namespace {

request::Request example() {
    const QLocale italian(QLocale::Italian, QLocale::Italy);
    const fee::CalcolaInput input{fee::dateToText(fee::serialFromDate({2025, 3, 3}), italian),
                                  fee::dateToText(fee::serialFromDate({2025, 3, 14}), italian),
                                  fee::ExclusionMode::SaturdaysAndSundays, QStringLiteral("2")};
    return {request::Computation::of(input, {}, fee::calcola(input, {}, italian)),
            {"Mario Rossi",
             "Tribunale di Firenze",
             "1234/2025 R.G.",
             "dott.ssa Anna Bianchi",
             20,
             {{"Trasferta Firenze–Prato", 4500}, {"Copie e stampe", 1250}},
             {}}};
}

request::Document document() {
    const request::Request fees = example();
    return request::describe(fees, std::get<request::Totals>(request::totals(fees)),
                             QDateTime::currentDateTime());
}

void Describe(benchmark::State &state) {
    const request::Request fees = example();
    for (auto _ : state)
        benchmark::DoNotOptimize(request::describe(
            fees, std::get<request::Totals>(request::totals(fees)), QDateTime::currentDateTime()));
}
BENCHMARK(Describe)->Unit(benchmark::kMicrosecond);

void Html(benchmark::State &state) {
    const request::Document described = document();
    for (auto _ : state)
        benchmark::DoNotOptimize(request::toHtml(described, false));
}
BENCHMARK(Html)->Unit(benchmark::kMicrosecond);

void PdfToMemory(benchmark::State &state) {
    const request::Document described = document();
    for (auto _ : state)
        benchmark::DoNotOptimize(request::toPdf(described));
    state.counters["bytes"] = double(request::toPdf(described).size());
}
BENCHMARK(PdfToMemory)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char *argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
