#include "corvix/function/errsysw.h"

#include <windows.h>

#include "corvix/function/cxerror.h"

namespace corvix {

namespace {

// Replaces "Error.log" with the error's text; a failed write is ignored.
void WriteErrorLog(const ErrorRecord& error) {
    const std::string text = "   Error description: " + ERRORMESSAGE(error) + "\r\n\x1A";
    HANDLE file = CreateFileA("Error.log", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
}

// An error that allows no default cannot be answered: the program ends.
Value ErrorLogHandler(const ErrorRecord& error) {
    WriteErrorLog(error);
    if (!error.CanDefault) ExitProcess(1);
    return Value(false);
}

}  // namespace

void ERRORSYS() { SetErrorHandler(&ErrorLogHandler); }

}  // namespace corvix
