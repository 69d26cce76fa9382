#pragma once
// C++ exceptions never unwind through a Windows callback frame: each
// boundary catches them here and hands them to the reporter in force.

#include <exception>

namespace corvix {

using CallbackFailureReporter = void (*)(const char* where, std::exception_ptr error);

// Replaces the reporter and returns the one before; the first one writes
// the failure to the debugger output and standard error.
CallbackFailureReporter SetCallbackFailureReporter(CallbackFailureReporter reporter);
void ReportCallbackFailure(const char* where, std::exception_ptr error);

// Runs body; on an exception reports it and answers fallback instead.
template <typename R, typename F>
R GuardCallback(const char* where, R fallback, F&& body) noexcept {
    try {
        return body();
    } catch (...) {
        ReportCallbackFailure(where, std::current_exception());
        return fallback;
    }
}

}  // namespace corvix
