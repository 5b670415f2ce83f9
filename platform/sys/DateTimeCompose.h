#pragma once
// Shared by the date-time units only.

#include "platform/sys/DateTime.h"

namespace sys {
// A date plus a time of day; before 1899-12-30 the time counts down from
// the (negative) date, as the class library stores it.
TDateTime ComposeDateTime(TDateTime date, TDateTime time);
}  // namespace sys
