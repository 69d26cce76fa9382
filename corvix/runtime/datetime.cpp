#include "corvix/runtime/datetime.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>

namespace corvix {

namespace {

std::string& CurrentFormat() {
    static std::string format = "mm/dd/yy";
    return format;
}

std::string TwoDigits(int n) {
    char text[8];
    std::snprintf(text, sizeof text, "%02d", n % 100);
    return text;
}

// Days since a fixed epoch of the proleptic Gregorian calendar.
long DayNumber(const Date& d) {
    const int y = d.nYear - (d.nMonth <= 2 ? 1 : 0);
    const int era = (y >= 0 ? y : y - 399) / 400;
    const int yearOfEra = y - era * 400;
    const int dayOfYear = (153 * (d.nMonth + (d.nMonth > 2 ? -3 : 9)) + 2) / 5 + d.nDay - 1;
    const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097L + dayOfEra;
}

// A static initialiser, so the reading is taken before MAIN runs.
const ClockReading programStart = ClockNow();

bool StartsWith(const std::string& s, size_t at, const char* token) {
    return s.compare(at, std::char_traits<char>::length(token), token) == 0;
}

}  // namespace

const std::string& DateFormat() { return CurrentFormat(); }

void SetDateFormat(std::string cFormat) { CurrentFormat() = std::move(cFormat); }

std::string DateToText(const Date& d) {
    const std::string& format = DateFormat();
    std::string text;
    for (size_t i = 0; i < format.size();) {
        if (StartsWith(format, i, "yyyy")) {
            text += d.IsEmpty() ? "    " : TwoDigits(d.nYear / 100) + TwoDigits(d.nYear);
            i += 4;
        } else if (StartsWith(format, i, "yy")) {
            text += d.IsEmpty() ? "  " : TwoDigits(d.nYear);
            i += 2;
        } else if (StartsWith(format, i, "mm")) {
            text += d.IsEmpty() ? "  " : TwoDigits(d.nMonth);
            i += 2;
        } else if (StartsWith(format, i, "dd")) {
            text += d.IsEmpty() ? "  " : TwoDigits(d.nDay);
            i += 2;
        } else {
            text += format[i++];
        }
    }
    return text;
}

Date DateOf(const SYSTEMTIME& now) { return {now.wYear, now.wMonth, now.wDay}; }

std::string TimeOfDay(const SYSTEMTIME& now) {
    return TwoDigits(now.wHour) + ":" + TwoDigits(now.wMinute) + ":" + TwoDigits(now.wSecond);
}

Date Today() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return DateOf(now);
}

std::string TimeOfDay() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return TimeOfDay(now);
}

ClockReading ClockNow() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return {DateOf(now), now.wHour * 3600 + now.wMinute * 60 + now.wSecond};
}

const ClockReading& ProgramStart() { return programStart; }

std::string TIMEFROMSTART() { return TIMEFROMSTART(ProgramStart(), ClockNow()); }

std::string TIMEFROMSTART(const ClockReading& start, const ClockReading& now) {
    const long days = DayNumber(now.dDate) - DayNumber(start.dDate);
    const long seconds = days < 0 ? 0 : std::max(0L, days * 86400 + now.nSeconds - start.nSeconds);
    return std::to_string(seconds / 3600) + " hours " + std::to_string(seconds / 60 % 60) + " mins " +
           std::to_string(seconds % 60) + " secs ";
}

}  // namespace corvix
