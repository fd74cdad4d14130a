#include "request.h"

namespace request {

Computation Computation::of(const fee::CalcolaInput &input, const fee::CalcolaOptions &options,
                            const fee::CalcolaResult &result) {
    return {result.start, result.end,  input.mode,   options,
            result.daily, result.days, result.total, result.fee};
}

std::variant<Totals, QString> totals(const Request &request) {
    const QString tooLarge =
        QStringLiteral("Gli importi sono troppo grandi per essere sommati al centesimo.");
    Totals totals;
    const auto fee = fee::centsOf(request.computation.total > 0 ? request.computation.fee : 0.0);
    if (!fee)
        return tooLarge;
    totals.fee = *fee;
    const auto increase = fee::percentOfCents(totals.fee, request.details.increasePercent);
    if (!increase)
        return tooLarge;
    totals.increase = *increase;
    for (const Expense &expense : request.details.expenses) {
        const auto expenses = fee::addCents(totals.expenses, expense.amount);
        if (!expenses)
            return tooLarge;
        totals.expenses = *expenses;
    }
    const auto withIncrease = fee::addCents(totals.fee, totals.increase);
    const auto requested =
        withIncrease ? fee::addCents(*withIncrease, totals.expenses) : std::nullopt;
    if (!requested)
        return tooLarge;
    totals.requested = *requested;
    return totals;
}

} // namespace request
