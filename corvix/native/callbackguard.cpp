#include "corvix/native/callbackguard.h"

#include <windows.h>

#include <cstdio>
#include <string>

namespace corvix {

namespace {

std::string Describe(std::exception_ptr error) {
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
        return "unknown exception";
    }
}

void WriteToDebugOutput(const char* where, std::exception_ptr error) {
    const std::string line = std::string("corvix: exception in ") + where + ": " + Describe(error) + "\n";
    OutputDebugStringA(line.c_str());
    std::fputs(line.c_str(), stderr);
}

CallbackFailureReporter currentReporter = WriteToDebugOutput;

}  // namespace

CallbackFailureReporter SetCallbackFailureReporter(CallbackFailureReporter reporter) {
    CallbackFailureReporter previous = currentReporter;
    currentReporter = reporter ? reporter : WriteToDebugOutput;
    return previous;
}

void ReportCallbackFailure(const char* where, std::exception_ptr error) {
    try {
        currentReporter(where, error);
    } catch (...) {
        // A failing reporter must not take the window procedure down with it.
    }
}

}  // namespace corvix
