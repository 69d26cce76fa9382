#pragma once
// The run time's dates and times as text, in the current date format.

#include <windows.h>

#include <string>

#include "corvix/runtime/value.h"

namespace corvix {

// "mm/dd/yy" unless the program changes it; "yyyy", "yy", "mm" and "dd" are
// replaced, everything else is kept.
const std::string& DateFormat();
void SetDateFormat(std::string cFormat);

// The date in the current format; an empty date gives blanks in its place.
std::string DateToText(const Date& d);
Date Today();
// The time of day as "hh:mm:ss", 24-hour clock.
std::string TimeOfDay();
// The date and the time of one clock reading.
Date DateOf(const SYSTEMTIME& now);
std::string TimeOfDay(const SYSTEMTIME& now);

}  // namespace corvix
