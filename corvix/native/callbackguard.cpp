#include "corvix/native/callbackguard.h"

#include <unwind.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "corvix/runtime/calllevel.h"

namespace corvix {

namespace {

// The innermost guard frame of this thread (null: none, or control is
// inside the system), kept in a system TLS slot: every message makes a
// guard, and a thread_local would cost a lock here. Reading the slot clears
// the thread's last error, which is the caller's: it is put back.
DWORD GuardSlot() {
    static const DWORD slot = TlsAlloc();
    return slot;
}

void* InnermostGuard() {
    const DWORD lastError = GetLastError();
    void* const guard = TlsGetValue(GuardSlot());
    SetLastError(lastError);
    return guard;
}

void SetInnermostGuard(void* guard) {
    if (GuardSlot() != TLS_OUT_OF_INDEXES) TlsSetValue(GuardSlot(), guard);
}

// Frames walked past at most, looking for the guard.
constexpr int kWalkLimit = 256;

// What the fault translator hands over to the thrower on this thread.
struct PendingFault {
    StructuredException fault;
    void* frames[kFailureFrames] = {};
    size_t count = 0;
#ifndef _WIN64
    CONTEXT context{};              // the fault's, to put back when the throw would cross the system
    uintptr_t guard = 0;
#endif
    void Add(void* frame) {
        if (count < kFailureFrames && InThisProgram(frame)) frames[count++] = frame;
    }
};
thread_local PendingFault pending;

// A fault the translator has given back to the system: when the same
// instruction faults again at once, the translator stays out.
struct Declined {
    void* address = nullptr;
    uintptr_t stack = 0;
};
thread_local Declined declined;

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

void WriteLine(const std::string& line) {
    OutputDebugStringA(line.c_str());
    std::fputs(line.c_str(), stderr);
    std::fflush(stderr);
}

bool WriteToDebugOutput(const char* where, std::exception_ptr error) {
    WriteLine(std::string("corvix: exception in ") + where + ": " + Describe(error) + "\n");
    return false;
}

CallbackFailureReporter currentReporter = WriteToDebugOutput;

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

}  // namespace

// Entered as if the faulting instruction had called it: the unwinder finds
// the faulting function as its caller and unwinds from there.
extern "C" [[noreturn]] __attribute__((noinline, used)) void CorvixThrowPendingFault();

#ifdef _WIN64
// The Win64 convention enters a function with the stack pointer 8 past a
// multiple of 16. A fault in a function that has a frame leaves it on a
// multiple, so the thrower is entered directly; a frameless leaf leaves it 8
// past one, and this stub, which pushes nothing and says so to the
// unwinder, calls the thrower from an aligned stack.
extern "C" void CorvixFaultEntryFromLeaf();
asm(R"(
    .text
    .p2align 4
    .globl CorvixFaultEntryFromLeaf
    .def CorvixFaultEntryFromLeaf; .scl 2; .type 32; .endef
    .seh_proc CorvixFaultEntryFromLeaf
CorvixFaultEntryFromLeaf:
    .seh_endprologue
    call CorvixThrowPendingFault
    int3
    .seh_endproc
)");

namespace {

// Unwinds one frame as the system does, a frame without unwind data being a leaf.
bool UnwindOneFrame(CONTEXT& frame) {
    DWORD64 imageBase = 0;
    if (PRUNTIME_FUNCTION entry = RtlLookupFunctionEntry(frame.Rip, &imageBase, nullptr)) {
        void* handlerData = nullptr;
        DWORD64 establisher = 0;
        RtlVirtualUnwind(UNW_FLAG_NHANDLER, imageBase, frame.Rip, entry, &frame, &handlerData, &establisher,
                         nullptr);
    } else {
        frame.Rip = *reinterpret_cast<const DWORD64*>(frame.Rsp);
        frame.Rsp += sizeof(DWORD64);
    }
    return frame.Rip != 0;
}

// True when every frame from the fault up to the guard's is the program's
// own, so a C++ throw from the fault reaches the guard without crossing the
// system. Records the program's frames, past the guard too.
bool OnlyProgramFramesUpTo(uintptr_t guard, CONTEXT frame) {
    pending.count = 0;
    bool reachedGuard = false;
    for (int i = 0; i < kWalkLimit; ++i) {
        reachedGuard = reachedGuard || frame.Rsp > guard;
        if (!reachedGuard && !InThisProgram(reinterpret_cast<void*>(frame.Rip))) return false;
        pending.Add(reinterpret_cast<void*>(frame.Rip));
        if (!UnwindOneFrame(frame)) break;
    }
    return reachedGuard;
}

// Makes the faulting thread continue in the thrower, as if called from the
// faulting instruction; the return address points one byte into it, so that
// the unwinder's "address - 1" lands on it.
void EnterThrower(CONTEXT& context) {
    const bool leaf = (context.Rsp & 15) != 0;
    context.Rsp -= sizeof(DWORD64);
    *reinterpret_cast<DWORD64*>(context.Rsp) = context.Rip + 1;
    context.Rip = reinterpret_cast<DWORD64>(leaf ? &CorvixFaultEntryFromLeaf : &CorvixThrowPendingFault);
}

bool CanTranslate(uintptr_t guard, const CONTEXT& context) { return OnlyProgramFramesUpTo(guard, context); }

}  // namespace

extern "C" void CorvixThrowPendingFault() { throw pending.fault; }

#else

namespace {

// The 32-bit unwinder reads the program's own unwind tables and knows no
// system frame, so the frames are checked where the throw would start: in
// the thrower, which hands the fault back to the system when the walk meets
// a frame of another module before the guard's.
using ContinueFunction = LONG(NTAPI*)(PCONTEXT context, BOOLEAN alert);
const auto ntContinue = reinterpret_cast<ContinueFunction>(
    reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtContinue")));

struct Walk {
    uintptr_t guard;
    int frames = 0;
    bool reachedGuard = false;
};

_Unwind_Reason_Code CheckFrame(_Unwind_Context* context, void* argument) {
    Walk& walk = *static_cast<Walk*>(argument);
    const auto address = reinterpret_cast<void*>(_Unwind_GetIP(context));
    if (++walk.frames == 1) return _URC_NO_REASON;  // the thrower itself
    if (_Unwind_GetCFA(context) > walk.guard) walk.reachedGuard = true;
    if (!walk.reachedGuard && !InThisProgram(address)) return _URC_NORMAL_STOP;
    pending.Add(address);
    return walk.frames < kWalkLimit ? _URC_NO_REASON : _URC_NORMAL_STOP;
}

void EnterThrower(CONTEXT& context) {
    context.Esp -= sizeof(DWORD);
    *reinterpret_cast<DWORD*>(context.Esp) = context.Eip + 1;
    context.Eip = reinterpret_cast<DWORD>(&CorvixThrowPendingFault);
}

// The copy has no room for the extended state (AVX) the system may describe;
// the registers the program is built for (SSE2 included) are all in it.
constexpr DWORD kExtendedState = 0x40;

bool CanTranslate(uintptr_t guard, const CONTEXT& context) {
    pending.context = context;
    pending.context.ContextFlags &= ~kExtendedState;
    pending.guard = guard;
    return true;  // decided by the thrower
}

}  // namespace

extern "C" void CorvixThrowPendingFault() {
    Walk walk{pending.guard};
    pending.count = 0;
    _Unwind_Backtrace(&CheckFrame, &walk);
    if (walk.reachedGuard) throw pending.fault;
    declined = {pending.fault.pAddress, pending.context.Esp};
    if (ntContinue) ntContinue(&pending.context, FALSE);  // the instruction runs again and faults untranslated
    std::abort();
}

#endif

namespace {

LONG CALLBACK TranslateFault(EXCEPTION_POINTERS* pointers) {
    const EXCEPTION_RECORD& record = *pointers->ExceptionRecord;
    CONTEXT& context = *pointers->ContextRecord;
    // Every exception passes here, C++ ones too on 64-bit: the slot is read for faults only.
    if (!IsTranslatedFault(record.ExceptionCode)) return EXCEPTION_CONTINUE_SEARCH;
#ifdef _WIN64
    const uintptr_t stack = context.Rsp;
#else
    const uintptr_t stack = context.Esp;
#endif
    const auto guard = reinterpret_cast<uintptr_t>(InnermostGuard());
    if (!guard || stack >= guard || !InThisProgram(record.ExceptionAddress)) return EXCEPTION_CONTINUE_SEARCH;
    if (declined.address == record.ExceptionAddress && declined.stack == stack) {
        declined = {};
        return EXCEPTION_CONTINUE_SEARCH;
    }
    if (!CanTranslate(guard, context)) return EXCEPTION_CONTINUE_SEARCH;
    pending.fault = {record.ExceptionCode, record.ExceptionAddress};
    EnterThrower(context);
    return EXCEPTION_CONTINUE_EXECUTION;
}

}  // namespace

CallbackFailureReporter SetCallbackFailureReporter(CallbackFailureReporter reporter) {
    CallbackFailureReporter previous = currentReporter;
    currentReporter = reporter ? reporter : WriteToDebugOutput;
    return previous;
}

__attribute__((noinline)) bool ReportCallbackFailure(const char* where, std::exception_ptr error) {
    // The frames where it arose: a fault's own, else from the guard that caught it outward.
    void* captured[kFailureFrames];
    std::span<void* const> frames;
    try {
        std::rethrow_exception(error);
    } catch (const StructuredException&) {
        frames = FaultFrames();
    } catch (...) {
        frames = {captured, CaptureStackBackTrace(1, kFailureFrames, captured, nullptr)};
    }
    const KeptFailureFrames kept(frames);
    bool retry = false;
    try {
        retry = currentReporter(where, error);
    } catch (...) {
        // The handler failed at its own work: nothing can be trusted to report it.
        WriteLine("corvix: the error handler failed (" + Describe(std::current_exception()) +
                  ") while reporting an exception in " + where + ": " + Describe(error) + "\n");
        ExitProcess(1);
    }
    ForgetFailureCallLevels();
    return retry;
}

std::span<void* const> FaultFrames() { return {pending.frames, pending.count}; }

bool InThisProgram(const void* address) {
    HMODULE module = nullptr;
    return GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                              static_cast<LPCSTR>(address), &module) &&
           module == GetModuleHandleA(nullptr) && address >= static_cast<const void*>(module);
}

void InstallCrashTranslation() {
    static const PVOID handler = [] {
        if (GuardSlot() == TLS_OUT_OF_INDEXES) {
            WriteLine("corvix: no thread slot is left: faults in callbacks end the program\n");
            return PVOID{};
        }
        // First in line: it takes only faults under a guard, which the
        // program's own handlers could not unwind anyway.
        return AddVectoredExceptionHandler(1, &TranslateFault);
    }();
    (void)handler;
}

GuardFrame::GuardFrame() noexcept : previous_(InnermostGuard()) { SetInnermostGuard(this); }
GuardFrame::~GuardFrame() { SetInnermostGuard(previous_); }

InSystem::InSystem() noexcept : previous_(InnermostGuard()) { SetInnermostGuard(nullptr); }
InSystem::~InSystem() { SetInnermostGuard(previous_); }

}  // namespace corvix
