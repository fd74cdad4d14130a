#include "invoice.h"

#include <benchmark/benchmark.h>

namespace {

// The worked example: an invoice to the court's office with Inarcassa, withholding and art. 15
// expenses.
invoice::Invoice example() {
    invoice::Invoice in;
    in.number = QStringLiteral("12/2026");
    in.date = QDate(2026, 12, 1);
    in.progressive = QStringLiteral("00012");
    in.expert = {QStringLiteral("Mario"),
                 QStringLiteral("Rossi"),
                 QStringLiteral("Ing."),
                 QStringLiteral("RSSMRA80A01H501U"),
                 QStringLiteral("01234567897"),
                 {QStringLiteral("Via Roma 1"), QStringLiteral("13900"), QStringLiteral("Biella"),
                  QStringLiteral("BI")},
                 QStringLiteral("Ingegneri"),
                 QStringLiteral("BI"),
                 QStringLiteral("1234"),
                 {fee::Regime::Ordinario, QStringLiteral("TC04"), 400},
                 QStringLiteral("IT60X0542811101000000123456")};
    in.buyer = {QStringLiteral("Tribunale di Biella"),
                QStringLiteral("WUMV1P"),
                {},
                {},
                {},
                QStringLiteral("81019670025"),
                {QStringLiteral("Via Marconi 28"), QStringLiteral("13900"),
                 QStringLiteral("Biella"), QStringLiteral("BI")}};
    in.caseNumber = QStringLiteral("R.G. 123/2025");
    in.decreeDate = QDate(2026, 11, 10);
    in.payer = QStringLiteral("ALFA S.r.l.");
    in.payerWithholds = true;
    in.paymentDate = QDate(2026, 11, 25);
    in.paymentReference = QStringLiteral("CRO 0123456789");
    in.part = {100000, 0, 15000};
    return in;
}

const QDate today(2026, 12, 31);

// One invoice checked, computed, written and validated against the schema: what a press of
// "Fattura elettronica…" costs before the file is saved. The schema is read once, before the
// clock runs.
void InvoiceWrite(benchmark::State &state) {
    const invoice::Invoice in = example();
    benchmark::DoNotOptimize(invoice::makeInvoice(in, today));
    for (auto _ : state)
        benchmark::DoNotOptimize(invoice::makeInvoice(in, today));
}
BENCHMARK(InvoiceWrite)->Unit(benchmark::kMicrosecond);

// The schema's share of it.
void InvoiceValidate(benchmark::State &state) {
    const QByteArray xml = std::get<invoice::Document>(invoice::makeInvoice(example(), today)).xml;
    for (auto _ : state)
        benchmark::DoNotOptimize(invoice::schemaErrors(xml));
}
BENCHMARK(InvoiceValidate)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
