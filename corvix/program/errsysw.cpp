#include "corvix/program/errsysw.h"

#include <windows.h>

#include <cstdio>

#include "corvix/native/callbackguard.h"
#include "corvix/native/eventloop.h"
#include "corvix/program/errordialog.h"
#include "corvix/program/errorreport.h"

namespace corvix {

namespace {

constexpr int kDivisionByZero = 5, kOpenError = 21, kAppendLock = 40;
constexpr int kSharingViolation = 32, kAccessDenied = 5;

bool handling = false;  // held while the handler works

class HandlingScope {
public:
    HandlingScope() { handling = true; }
    ~HandlingScope() { handling = false; }
    HandlingScope(const HandlingScope&) = delete;
    HandlingScope& operator=(const HandlingScope&) = delete;
};

[[noreturn]] void EndProgram() {
    PostQuitMessage(0);
    ExitProcess(1);
}

// A file another program holds, where the caller can take the default.
bool IsNetworkError(const ErrorRecord& e) {
    if (!e.CanDefault) return false;
    return (e.GenCode == kOpenError && (e.OsCode == kSharingViolation || e.OsCode == kAccessDenied)) ||
           e.GenCode == kAppendLock;
}

// Replaces "Error.log"; a file that cannot be written is passed over.
void WriteErrorLog(const std::string& cReport) {
    const HANDLE file =
        CreateFileA("Error.log", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    const std::string text = cReport + '\x1A';
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
}

ErrorRecord RecordOf(const char* where, std::exception_ptr error) {
    try {
        std::rethrow_exception(error);
    } catch (const StructuredException& fault) {
        char text[96];
        std::snprintf(text, sizeof text, "%s: fault 0x%08lX at %p", where, static_cast<unsigned long>(fault.nCode),
                      fault.pAddress);
        ErrorRecord record = *CXGENERROR(5, text);
        record.CanDefault = true;  // the crashed callback is abandoned, the program goes on
        return record;
    } catch (const std::exception& e) {
        return CppError(e.what(), where);
    } catch (...) {
        return CppError("unknown exception", where);
    }
}

bool ReportToHandler(const char* where, std::exception_ptr error) {
    const ErrorRecord record = RecordOf(where, error);
    if (handling) {  // a callback the error dialog's loop ran: abandoned, and noted for the debugger
        OutputDebugStringA(("corvix: while the error dialog shows, " + ERRORMESSAGE(record) + "\n").c_str());
        return false;
    }
    const Value answer = RaiseError(record);
    return answer.IsLogical() && answer.AsLogical();
}

}  // namespace

void ERRORSYS() {
    SetErrorHandler(&ERRORDIALOG);
    SetCallbackFailureReporter(&ReportToHandler);
    InstallCrashTranslation();
}

int RunMain(void (*main)()) {
    ERRORSYS();
    return GuardCallback("MAIN", 1, [main] {
        main();
        return 0;
    });
}

Value ERRORDIALOG(const ErrorRecord& oError) {
    if (oError.GenCode == kDivisionByZero) return Value(0);
    if (IsNetworkError(oError)) {
        NETERR(true);
        return Value(false);
    }
    if (handling) EndProgram();
    const HandlingScope working;
    const auto calls = CallLines();
    WriteErrorLog(ErrorReport(oError, calls));
    const ErrorChoice choice = ShowErrorDialog(oError, calls);
    if (choice == ErrorChoice::None || (choice == ErrorChoice::Retry && !LWRUNNING())) EndProgram();
    return Value(choice == ErrorChoice::Retry);
}

}  // namespace corvix
