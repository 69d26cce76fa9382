#pragma once
// The library's trace facility: one time-stamped line of values per call,
// appended to a text file that is opened and closed each time.

#include <windows.h>

#include <string>

#include "corvix/runtime/value.h"

namespace corvix {

// The line LOGFILE writes for one clock reading.
std::string LogLine(const SYSTEMTIME& now, const Array& aValues);

// Appends "date time: v1<TAB>v2<TAB>...<CR><LF>" to cFileName (created when
// missing). A file that cannot be opened loses the line silently.
void LOGFILE(const std::string& cFileName, const Array& aValues);

// Writes the current call stack to "stack.txt": a header of three lines,
// then one line per frame, as module+offset (names need debug symbols).
void LOGSTACK();

}  // namespace corvix
