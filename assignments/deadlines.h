#pragma once

#include "calendarfile.h"
#include "register.h"

#include <variant>

// The terms of the assignments in the register as fee/terms sees them: for the form, the
// calendar export of the window and the command line alike. No widgets.
namespace assignments {

// An assignment's terms: the draft and the observations at their last extension, the filing
// deadline and its extensions, the filing and the completion of the operations
// (fee::completionDate on `sessions`).
fee::TermDates termDates(const Assignment &a, const QList<fee::Session> &sessions);

// Every assignment of the register in its order, with its case, court, judge and all its
// deadlines (fee::deadlinesOf), past ones too; or the register's Italian message.
std::variant<QList<CalendarCase>, QString> deadlineCases(const Register &r);

} // namespace assignments
