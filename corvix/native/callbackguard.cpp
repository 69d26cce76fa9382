#include "corvix/native/callbackguard.h"

#include <cstdio>
#include <string>

#include "corvix/runtime/calllevel.h"

namespace corvix {

namespace {

// This thread's guard depth, kept as a number in a system TLS slot: every
// message makes a guard, and a thread_local would cost a lock here. Reading
// the slot clears the thread's last error, which is the caller's: it is put back.
DWORD GuardSlot() {
    static const DWORD slot = TlsAlloc();
    return slot;
}

int GuardDepthNow() {
    const DWORD lastError = GetLastError();
    const auto depth = reinterpret_cast<intptr_t>(TlsGetValue(GuardSlot()));
    SetLastError(lastError);
    return static_cast<int>(depth);
}

void AddToGuardDepth(int change) {
    if (GuardSlot() == TLS_OUT_OF_INDEXES) return;
    TlsSetValue(GuardSlot(), reinterpret_cast<void*>(static_cast<intptr_t>(GuardDepthNow() + change)));
}

thread_local StructuredException pendingFault;

std::string Describe(std::exception_ptr error) {
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        return e.what();
    } catch (const StructuredException& e) {
        char text[32];
        std::snprintf(text, sizeof text, "fault 0x%08lX", static_cast<unsigned long>(e.nCode));
        return text;
    } catch (...) {
        return "unknown exception";
    }
}

bool WriteToDebugOutput(const char* where, std::exception_ptr error) {
    const std::string line = std::string("corvix: exception in ") + where + ": " + Describe(error) + "\n";
    OutputDebugStringA(line.c_str());
    std::fputs(line.c_str(), stderr);
    return false;
}

CallbackFailureReporter currentReporter = WriteToDebugOutput;

// Entered as if the faulting instruction had called it; the unwinder finds
// the faulting function as its caller and unwinds from there.
[[noreturn]] __attribute__((noinline, force_align_arg_pointer)) void ThrowPendingFault() {
    throw pendingFault;
}

bool IsTranslatedFault(DWORD code) {
    switch (code) {
        case EXCEPTION_ACCESS_VIOLATION:
        case EXCEPTION_INT_DIVIDE_BY_ZERO:
        case EXCEPTION_INT_OVERFLOW:
        case EXCEPTION_ILLEGAL_INSTRUCTION:
        case EXCEPTION_PRIV_INSTRUCTION:
        case EXCEPTION_ARRAY_BOUNDS_EXCEEDED: return true;
        default: return false;
    }
}

LONG CALLBACK TranslateFault(EXCEPTION_POINTERS* pointers) {
    const EXCEPTION_RECORD& record = *pointers->ExceptionRecord;
    // Every exception passes here, C++ ones too on 64-bit: the depth is read for faults only.
    if (!IsTranslatedFault(record.ExceptionCode) || GuardDepthNow() == 0 || !InThisProgram(record.ExceptionAddress))
        return EXCEPTION_CONTINUE_SEARCH;
    pendingFault = {record.ExceptionCode, record.ExceptionAddress};
    CONTEXT& context = *pointers->ContextRecord;
    // The return address points one byte into the faulting instruction, so
    // that the unwinder's "address - 1" lands on it.
#ifdef _WIN64
    context.Rsp -= sizeof(DWORD64);
    *reinterpret_cast<DWORD64*>(context.Rsp) = context.Rip + 1;
    context.Rip = reinterpret_cast<DWORD64>(&ThrowPendingFault);
#else
    context.Esp -= sizeof(DWORD);
    *reinterpret_cast<DWORD*>(context.Esp) = context.Eip + 1;
    context.Eip = reinterpret_cast<DWORD>(&ThrowPendingFault);
#endif
    return EXCEPTION_CONTINUE_EXECUTION;
}

}  // namespace

CallbackFailureReporter SetCallbackFailureReporter(CallbackFailureReporter reporter) {
    CallbackFailureReporter previous = currentReporter;
    currentReporter = reporter ? reporter : WriteToDebugOutput;
    return previous;
}

bool ReportCallbackFailure(const char* where, std::exception_ptr error) {
    bool retry = false;
    try {
        retry = currentReporter(where, error);
    } catch (...) {
        // A failing reporter must not take the window procedure down with it.
    }
    ForgetFailureCallLevels();
    return retry;
}

bool InThisProgram(const void* address) {
    HMODULE module = nullptr;
    return GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                              static_cast<LPCSTR>(address), &module) &&
           module == GetModuleHandleA(nullptr) && address >= static_cast<const void*>(module);
}

void InstallCrashTranslation() {
    static const PVOID handler = [] {
        if (GuardSlot() == TLS_OUT_OF_INDEXES) {
            const char line[] = "corvix: no thread slot is left: faults in callbacks end the program\n";
            OutputDebugStringA(line);
            std::fputs(line, stderr);
            return PVOID{};
        }
        return AddVectoredExceptionHandler(1, &TranslateFault);
    }();
    (void)handler;
}

GuardDepth::GuardDepth() noexcept { AddToGuardDepth(+1); }
GuardDepth::~GuardDepth() { AddToGuardDepth(-1); }

}  // namespace corvix
