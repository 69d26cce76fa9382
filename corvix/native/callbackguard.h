#pragma once
// C++ exceptions never unwind through a Windows callback frame: each
// boundary catches them here and hands them to the reporter in force. Once
// crash translation is on, a processor fault (a null pointer, an integer
// division by zero) in the program's own code called from such a boundary,
// with no system frame in between, becomes a StructuredException there, so
// a crashing callback is reported and abandoned like one that throws.

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
// A reporter that fails itself ends the program with exit code 1, after
// writing both errors to the debugger output and standard error.
bool ReportCallbackFailure(const char* where, std::exception_ptr error);

// Turns faults in the program's code under a guard into StructuredException.
// Faults anywhere else (a system library, a thread or callback the library
// does not guard) are left to the program's own handlers and the system.
// Calls after the first change nothing.
void InstallCrashTranslation();

// True for an address in the program's own module.
bool InThisProgram(const void* address);

// Marks the innermost frame of this thread as a library guard for as long as
// it lives; every message makes one, so it costs two slot accesses.
class GuardFrame {
public:
    GuardFrame() noexcept;
    ~GuardFrame();
    GuardFrame(const GuardFrame&) = delete;
    GuardFrame& operator=(const GuardFrame&) = delete;

private:
    void* previous_;
};

// Control is inside the system (a message loop, a modal box): a fault in
// whatever it calls is not the library's, until a guard inside marks its frame.
class InSystem {
public:
    InSystem() noexcept;
    ~InSystem();
    InSystem(const InSystem&) = delete;
    InSystem& operator=(const InSystem&) = delete;

private:
    void* previous_;
};

// Runs a system call that may run other code (DispatchMessage, DialogBox...).
template <typename F>
decltype(auto) CallSystem(F&& call) {
    const InSystem inSystem;
    return call();
}

// Runs body; on an exception reports it, and runs it again or answers fallback.
template <typename R, typename F>
R GuardCallback(const char* where, R fallback, F&& body) noexcept {
    for (;;) {
        try {
            const GuardFrame guarded;
            return body();
        } catch (...) {
            if (!ReportCallbackFailure(where, std::current_exception())) return fallback;
        }
    }
}

}  // namespace corvix
