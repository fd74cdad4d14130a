#pragma once

#include "daycount.h"
#include "holidays.h"

#include <QLocale>
#include <QString>

#include <optional>

namespace fee {

// What "Calcola" reads from the window.
struct CalcolaInput {
    QString text1; // start date, as the start-date calendar wrote it
    QString text2; // end date, as the end-date calendar wrote it
    ExclusionMode mode = ExclusionMode::None;
    QString combo1; // daily vacazioni, picked or typed
};

enum class Tariff {
    // Decree of 30 May 2002: 14.68 euro for the first vacazione, 8.15 for each further one.
    Decree2002,
    // After ruling 16/2025 of the Constitutional Court: 14.68 euro for every vacazione.
    Ruling2025,
};

// The choices beyond the window's own controls; the defaults compute as the window always has.
struct CalcolaOptions {
    Tariff tariff = Tariff::Decree2002;
    bool excludeHolidays = false;
    std::optional<PatronDay> patron; // a holiday only while holidays are excluded

    friend bool operator==(const CalcolaOptions &, const CalcolaOptions &) = default;
};

// What "Calcola" writes back. Either `error` is empty and all three labels hold their new
// texts, or `error` holds a message for the user and nothing is to be written.
struct CalcolaResult {
    bool dateOrderWarning = false; // the end date is earlier than the start date
    QString label6;                // counted days
    QString label10;               // total vacazioni
    QString label11;               // fee in euro
    QString error;

    // The values behind the labels: the days, the daily vacazioni and the total as shown, the
    // fee as computed before it is written to 15 digits.
    DateSerial start = 0;
    DateSerial end = 0;
    qint64 days = 0;
    double daily = 0;
    double total = 0;
    double fee = 0;

    bool failed() const { return !error.isEmpty(); }
};

// The fee for a total of vacazioni, each step rounded to a double. The 2002 tariff computes
// ((total - 1) * 815 / 100) + 1468 / 100; the later one (total * 1468) / 100.
double feeForTotal(double total, Tariff tariff = Tariff::Decree2002);

// A tariff's rates ("14,68 € ogni vacazione") and the law behind them, in Italian.
QString tariffRates(Tariff tariff);
QString tariffBasis(Tariff tariff);

CalcolaResult calcola(const CalcolaInput &input, const CalcolaOptions &options,
                      const QLocale &locale);

inline constexpr const char *kDateOrderWarning = "Errore, le date non sono congruenti";

} // namespace fee
