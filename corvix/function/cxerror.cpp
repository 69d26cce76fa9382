#include "corvix/function/cxerror.h"

#include <array>

#include "corvix/runtime/calllevel.h"

namespace corvix {

namespace {

ErrorHandler& Slot() {
    static ErrorHandler handler;
    return handler;
}

struct CodedError {
    const char* description;
    int severity;
    const char* subSystem;
    int subCode;
};

constexpr std::array<CodedError, 6> kLibraryErrors = {{
    {"Non defined Id", 3, "Corvix", 1},
    {"Duplicated Id", 3, "Corvix", 2},
    {"Cannot create Dialog Box", 3, "Corvix", 3},
    {"Memory Low", 1, "BASE", 5300},
    {"GPF occurred", 3, "Corvix", 5},
    {"Cannot create window or control", 3, "Corvix", 6},
}};

}  // namespace

const ErrorHandler& GetErrorHandler() { return Slot(); }

ErrorHandler SetErrorHandler(ErrorHandler handler) {
    ErrorHandler previous = std::move(Slot());
    Slot() = std::move(handler);
    return previous;
}

Value RaiseError(const ErrorRecord& record) {
    // A copy: the handler may replace itself while it runs.
    const ErrorHandler handler = GetErrorHandler();
    if (!handler) return Value();
    // The report's frames start at the raiser, unless a failed callback's report keeps its own.
    FrameBuffer frames;
    const KeptFailureFrames raiser(CaptureFrames(frames));
    return handler(record);
}

std::optional<ErrorRecord> CXGENERROR(int nCode, std::string cOperation) {
    if (nCode < 1 || nCode > static_cast<int>(kLibraryErrors.size())) return std::nullopt;
    const CodedError& e = kLibraryErrors[static_cast<size_t>(nCode - 1)];
    ErrorRecord record;
    record.Description = e.description;
    record.Severity = e.severity;
    record.SubSystem = e.subSystem;
    record.SubCode = e.subCode;
    record.CanDefault = e.severity < 3;
    record.Operation = std::move(cOperation);
    return record;
}

ErrorRecord LibraryError(std::string cDescription, std::string cOperation) {
    ErrorRecord record;
    record.SubSystem = "Corvix";
    record.Severity = 2;
    record.Description = std::move(cDescription);
    record.Operation = std::move(cOperation);
    record.CanDefault = true;
    return record;
}

ErrorRecord CppError(std::string cDescription, std::string cOperation) {
    ErrorRecord record;
    record.SubSystem = "C++";
    record.SubCode = 1;
    record.Severity = 2;
    record.Description = std::move(cDescription);
    record.Operation = std::move(cOperation);
    record.CanRetry = true;
    record.CanDefault = true;
    return record;
}

namespace {
bool networkError = false;
}  // namespace

bool NETERR() { return networkError; }
void NETERR(bool lOnOff) { networkError = lOnOff; }

Value LOWMEMERROR() { return RaiseError(*CXGENERROR(4)); }

std::string ERRORMESSAGE(const ErrorRecord& oError) {
    std::string text;
    if (oError.OsCode != 0)
        text = "(DOS Error " + std::to_string(oError.OsCode) + ") ";
    else
        text = oError.Severity > 1 ? "Error " : "Warning ";
    text += oError.SubSystem.value_or("???");
    text += oError.SubCode ? "/" + std::to_string(*oError.SubCode) : "/???";
    if (oError.Description) text += "  " + *oError.Description;
    if (!oError.FileName.empty())
        text += ": " + oError.FileName;
    else if (!oError.Operation.empty())
        text += ": " + oError.Operation;
    return text;
}

}  // namespace corvix
