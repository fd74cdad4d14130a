// Writes one fee request as PDF at the path given, the same on both systems, for the Windows
// suite to compare what pdftotext reads of the two.
#include "conversions.h"
#include "fonts.h"
#include "output.h"

#include <QGuiApplication>
#include <QLocale>

#include <cstdio>

int main(int argc, char *argv[]) {
    QGuiApplication app(argc, argv);
    if (argc != 2)
        return 2;
    if (const QStringList missing = request::loadDocumentFonts(request::shippedFontsFolder());
        !missing.isEmpty()) {
        std::fprintf(stderr, "fonts missing: %s\n", qPrintable(missing.join(u',')));
        return 1;
    }
    const QLocale italian(QLocale::Italian, QLocale::Italy);
    const fee::CalcolaInput input{QStringLiteral("02/02/2026"), QStringLiteral("27/02/2026"),
                                  fee::ExclusionMode::Sundays, QStringLiteral("3")};
    const fee::CalcolaOptions options{fee::Tariff::Ruling2025, true, {}};
    const request::Request sample{
        request::Computation::of(input, options, fee::calcola(input, options, italian)),
        {QStringLiteral("Ing. Lucia Ferraù"),
         QStringLiteral("Tribunale di Forlì"),
         QStringLiteral("R.G. 77/2026"),
         QStringLiteral("dott. Piero Sàlvi"),
         50,
         {{QStringLiteral("Rilievi – «strumenti»"), 12345}},
         QStringLiteral("Verifica dell'impianto, più sopralluoghi.")}};
    const auto totals = request::totals(sample);
    if (!std::holds_alternative<request::Totals>(totals))
        return 1;
    const request::Document document = request::describe(
        sample, std::get<request::Totals>(totals), QDateTime(QDate(2026, 3, 2), QTime(9, 30)));
    if (const auto fault =
            request::savePdf(request::toPdf(document), QString::fromLocal8Bit(argv[1]))) {
        std::fputs(fault->toUtf8().constData(), stderr);
        return 1;
    }
    return 0;
}
