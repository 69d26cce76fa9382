#include "corvix/runtime/datetime.h"

#include <windows.h>

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

}  // namespace corvix
