#pragma once

#include "calendarfile.h"
#include "register.h"

#include <QList>
#include <QString>

#include <variant>

namespace console {

// Every assignment of the register, in the list's order, with its case, court, judge and
// deadlines (fee::deadlinesOf); or an Italian message.
std::variant<QList<assignments::CalendarCase>, QString>
deadlineCases(const assignments::Register &reg);

} // namespace console
