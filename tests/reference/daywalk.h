#pragma once

#include "fee.h"

namespace reference {

// The plain reading of "count the days that count": visit every day from start to end, one
// step at a time, and look at its weekday and, when holidays are excluded, at the year's list
// of holidays. Linear in the span; used only to check and measure the constant-time count.
qint64 walkCountedDays(fee::DateSerial start, fee::DateSerial end, fee::ExclusionMode mode,
                       const fee::CalcolaOptions &options = {});

} // namespace reference
