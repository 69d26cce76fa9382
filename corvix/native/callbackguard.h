#pragma once
// C++ exceptions never unwind through a Windows callback frame: each
// boundary catches them here and hands them to the reporter in force. Once
// crash translation is on, a processor fault (a null pointer, an integer
// division by zero) in the program's own code inside such a boundary
// becomes a StructuredException there, so a crashing callback is reported
// and abandoned like one that throws.

#include <windows.h>

#include <exception>

namespace corvix {

// A processor fault, as the system reported it.
struct StructuredException {
    DWORD nCode = 0;
    void* pAddress = nullptr;
};

// Answers whether the failed callback is to run again.
using CallbackFailureReporter = bool (*)(const char* where, std::exception_ptr error);

// Replaces the reporter and returns the one before; the first one writes
// the failure to the debugger output and standard error, and never retries.
CallbackFailureReporter SetCallbackFailureReporter(CallbackFailureReporter reporter);
bool ReportCallbackFailure(const char* where, std::exception_ptr error);

// Turns faults inside guarded callbacks into StructuredException. Faults
// outside the program's own module (inside a system library) are left to
// the system. Calls after the first change nothing.
void InstallCrashTranslation();

// True for an address in the program's own module.
bool InThisProgram(const void* address);

// Guarded callbacks running now, on this thread.
class GuardDepth {
public:
    GuardDepth() noexcept;
    ~GuardDepth();
    GuardDepth(const GuardDepth&) = delete;
    GuardDepth& operator=(const GuardDepth&) = delete;
};

// Runs body; on an exception reports it, and runs it again or answers fallback.
template <typename R, typename F>
R GuardCallback(const char* where, R fallback, F&& body) noexcept {
    for (;;) {
        try {
            const GuardDepth guarded;
            return body();
        } catch (...) {
            if (!ReportCallbackFailure(where, std::current_exception())) return fallback;
        }
    }
}

}  // namespace corvix
