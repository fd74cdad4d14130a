#pragma once

#include "daycount.h"

#include <QLocale>
#include <QString>

namespace fee {

// What "Calcola" reads from the window.
struct CalcolaInput {
    QString text1; // start date, as the start-date calendar wrote it
    QString text2; // end date, as the end-date calendar wrote it
    ExclusionMode mode = ExclusionMode::None;
    QString combo1; // daily vacazioni, picked or typed
};

// What "Calcola" writes back. Either `error` is empty and all three labels hold their new
// texts, or `error` holds a message for the user and nothing is to be written.
struct CalcolaResult {
    bool dateOrderWarning = false; // the end date is earlier than the start date
    QString label6;                // counted days
    QString label10;               // total vacazioni
    QString label11;               // fee in euro
    QString error;

    bool failed() const { return !error.isEmpty(); }
};

// 14.68 euro for the first vacazione, 8.15 for each further one. Computed as
// ((total - 1) * 815 / 100) + 1468 / 100, each step rounded to a double.
double feeForTotal(double total);

CalcolaResult calcola(const CalcolaInput &input, const QLocale &locale);

inline constexpr const char *kDateOrderWarning = "Errore, le date non sono congruenti";

} // namespace fee
