#pragma once
// Error records, the process-wide error handler slot, and the library's own
// six error records.

#include <functional>
#include <optional>
#include <string>

#include "corvix/runtime/args.h"
#include "corvix/runtime/value.h"

namespace corvix {

// One error, as the handler sees it.
struct ErrorRecord {
    int GenCode = 0;                      // 5 division by zero, 21 open error, 40 append lock
    std::optional<std::string> SubSystem; // "BASE", "Corvix"...
    std::optional<int> SubCode;
    int OsCode = 0;                       // 32 sharing violation, 5 access denied
    int Severity = 0;                     // 1 warning, 2 error, 3 catastrophic
    std::optional<std::string> Description;
    std::string Operation;
    std::string FileName;
    std::optional<Array> Args;
    bool CanRetry = false;
    bool CanDefault = false;
};

// Takes the record and answers: true retry, false default, a number the
// substitute result. It may also end the program and never return.
using ErrorHandler = std::function<Value(const ErrorRecord&)>;

// The handler in force; empty until one is installed.
const ErrorHandler& GetErrorHandler();
// Replaces the handler and returns the one before.
ErrorHandler SetErrorHandler(ErrorHandler handler);

// Evaluates the handler in force with the record; nil when there is none.
Value RaiseError(const ErrorRecord& record);

// The library's record for codes 1 to 6; nothing for any other code.
std::optional<ErrorRecord> CXGENERROR(int nCode, std::string cOperation = "");  // "_CXGENERROR"

// A library error with no code of its own that the handler may settle by
// default (severity 2): a misuse the program can survive.
ErrorRecord LibraryError(std::string cDescription, std::string cOperation);

// An exception of the program's C++ code, caught where the library ran it:
// subsystem "C++", severity 2, retry and default allowed.
ErrorRecord CppError(std::string cDescription, std::string cOperation);

// The network-error flag: set when an open or append failed because another
// program holds the file and the caller took the default.
bool NETERR();
void NETERR(bool lOnOff);

// Raises "Memory Low" (code 4) and returns the handler's answer.
Value LOWMEMERROR();  // "__LOWMEMERROR"

// "Error Corvix/6  Cannot create window or control: <operation>" and its variants.
std::string ERRORMESSAGE(const ErrorRecord& oError);

}  // namespace corvix
