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

// A moment as the run time keeps it: a date and the seconds since its midnight.
struct ClockReading {
    Date dDate;
    int nSeconds = 0;
};
ClockReading ClockNow();
// Recorded once, when the program starts.
const ClockReading& ProgramStart();
// The time since the program started as "1 hours 5 mins 3 secs ", counted
// across midnights; a current date before the start date counts as 0 seconds.
std::string TIMEFROMSTART();
std::string TIMEFROMSTART(const ClockReading& start, const ClockReading& now);

}  // namespace corvix
