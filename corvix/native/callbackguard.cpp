#include "corvix/native/callbackguard.h"

#include <unwind.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <utility>

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

// The program's image, read once: telling its code from the system's then
// takes no system call (and no loader lock) inside the fault handler.
struct ImageRange {
    uintptr_t begin = 0, end = 0;
};

ImageRange ProgramImage() {
    static const ImageRange range = [] {
        const auto base = reinterpret_cast<uintptr_t>(GetModuleHandleA(nullptr));
        const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
        const auto* headers = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
        return ImageRange{base, base + headers->OptionalHeader.SizeOfImage};
    }();
    return range;
}

bool InProgram(uintptr_t address) { return address >= ProgramImage().begin && address < ProgramImage().end; }

// The committed part of this thread's stack from the caller's frame up:
// every frame a walk reads lies in it.
struct StackRange {
    uintptr_t low = 0, high = 0;
    bool Holds(uintptr_t address) const { return address >= low && address + sizeof(uintptr_t) <= high; }
};

StackRange ThisStack() {
    MEMORY_BASIC_INFORMATION region{};
    VirtualQuery(&region, &region, sizeof region);
    const auto low = reinterpret_cast<uintptr_t>(region.BaseAddress);
    return {low, low + region.RegionSize};
}

// What the fault translator hands over to the thrower on this thread.
struct PendingFault {
    StructuredException fault;
    void* frames[kFailureFrames] = {};
    size_t count = 0;
#ifndef _WIN64
    CONTEXT context{};  // the fault's, to put back when the throw would cross the system
    uintptr_t guard = 0;
    uintptr_t data = 0;
#endif
    void Add(uintptr_t frame) {
        if (count < kFailureFrames && InProgram(frame)) frames[count++] = reinterpret_cast<void*>(frame);
    }
};
thread_local PendingFault pending;

// Where a fault is thrown from: the faulting instruction, or, when the
// program called an address that holds no code (a null or stale function
// pointer), the call, whose return address is on top of the stack.
struct FaultSite {
    uintptr_t ip = 0;
    uintptr_t sp = 0;
    bool call = false;
};

std::optional<FaultSite> SiteOf(const EXCEPTION_RECORD& record, uintptr_t ip, uintptr_t sp) {
    if (InProgram(ip)) return FaultSite{ip, sp, false};
    const bool fetchFailed =
        record.ExceptionCode == EXCEPTION_ACCESS_VIOLATION && record.ExceptionInformation[1] == ip;
    if (!fetchFailed || !ThisStack().Holds(sp)) return std::nullopt;
    const uintptr_t returnAddress = *reinterpret_cast<const uintptr_t*>(sp);
    if (!InProgram(returnAddress)) return std::nullopt;
    return FaultSite{returnAddress, sp + sizeof(uintptr_t), true};
}

void DescribeInto(char (&text)[256], std::exception_ptr error) noexcept {
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        std::snprintf(text, sizeof text, "%s", e.what());
    } catch (const StructuredException& e) {
        std::snprintf(text, sizeof text, "fault 0x%08lX", static_cast<unsigned long>(e.nCode));
    } catch (...) {
        std::snprintf(text, sizeof text, "unknown exception");
    }
}

// Fixed buffers: the line must be written when memory has run out too.
void WriteLine(const char* line) noexcept {
    OutputDebugStringA(line);
    std::fputs(line, stderr);
    std::fflush(stderr);
}

bool WriteToDebugOutput(const char* where, std::exception_ptr error) {
    char text[256], line[400];
    DescribeInto(text, error);
    std::snprintf(line, sizeof line, "corvix: exception in %s: %s\n", where, text);
    WriteLine(line);
    return false;
}

CallbackFailureReporter currentReporter = WriteToDebugOutput;

// The handler failed at its own work: nothing can be trusted to report it.
[[noreturn]] void EndAfterHandlerFailure(const char* where, std::exception_ptr error,
                                         std::exception_ptr failure) noexcept {
    char first[256], second[256], line[640];
    DescribeInto(first, error);
    DescribeInto(second, failure);
    std::snprintf(line, sizeof line,
                  "corvix: the error handler failed (%s) while reporting an exception in %s: %s\n", second, where,
                  first);
    WriteLine(line);
    ExitProcess(1);
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

}  // namespace

// Entered as if the fault site had called it: the unwinder finds the
// faulting function as its caller and unwinds from there.
extern "C" [[noreturn]] __attribute__((noinline, used)) void CorvixThrowPendingFault();

#ifdef _WIN64
// The Win64 convention enters a function with the stack pointer 8 past a
// multiple of 16. The faulting code's own stack pointer decides: on a
// multiple, the thrower is entered directly; 8 past one (a frameless leaf),
// this stub, which pushes nothing and says so to the unwinder, calls the
// thrower from an aligned stack.
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

// Unwinds one frame as the system does, a frame without unwind data being a
// leaf; false when the frame leaves the stack or does not move up it.
bool UnwindOneFrame(CONTEXT& frame, const StackRange& stack) {
    const DWORD64 below = frame.Rsp;
    if (!stack.Holds(below)) return false;
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
    return frame.Rip != 0 && frame.Rsp > below && stack.Holds(frame.Rsp);
}

// True when every frame from the fault site up to the guard's is the
// program's own, so a C++ throw from there reaches the guard without
// crossing the system. Records the program's frames, past the guard too.
bool CanTranslate(uintptr_t guard, const FaultSite& site, const EXCEPTION_RECORD&, const CONTEXT& context) {
    CONTEXT frame = context;
    frame.Rip = site.ip;
    frame.Rsp = site.sp;
    const StackRange stack = ThisStack();
    pending.count = 0;
    while (frame.Rsp <= guard) {
        if (!InProgram(frame.Rip)) return false;
        pending.Add(frame.Rip);
        if (!UnwindOneFrame(frame, stack)) return false;
    }
    do pending.Add(frame.Rip);
    while (pending.count < kFailureFrames && UnwindOneFrame(frame, stack));
    return true;
}

// Makes the faulting thread continue in the thrower, as if called from the
// fault site. For a faulting instruction the return address points one byte
// into it, so that the unwinder's "address - 1" lands on it.
void EnterThrower(CONTEXT& context, const FaultSite& site) {
    if (site.call) {  // the return address is already on top, as for any call
        context.Rip = reinterpret_cast<DWORD64>(&CorvixThrowPendingFault);
        return;
    }
    const bool leaf = (context.Rsp & 15) != 0;
    context.Rsp -= sizeof(DWORD64);
    *reinterpret_cast<DWORD64*>(context.Rsp) = context.Rip + 1;
    context.Rip = reinterpret_cast<DWORD64>(leaf ? &CorvixFaultEntryFromLeaf : &CorvixThrowPendingFault);
}

uintptr_t InstructionOf(const CONTEXT& context) { return context.Rip; }
uintptr_t StackOf(const CONTEXT& context) { return context.Rsp; }

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

// A fault the thrower gave back to the system: when the same instruction
// faults again at once on the same data, the translator stays out.
struct Declined {
    uintptr_t ip = 0, sp = 0, data = 0;
    bool operator==(const Declined&) const = default;
};
thread_local Declined declined;

// The copy has no room for the extended state (AVX) the system may describe
// (CONTEXT_XSTATE's own bit); the registers the program is built for (SSE2
// included) are all in it.
constexpr DWORD kExtendedState = 0x40;

struct Walk {
    uintptr_t guard;
    int frames = 0;
    bool reachedGuard = false;
};

_Unwind_Reason_Code CheckFrame(_Unwind_Context* context, void* argument) {
    Walk& walk = *static_cast<Walk*>(argument);
    if (++walk.frames == 1) return _URC_NO_REASON;  // the thrower itself
    const uintptr_t address = _Unwind_GetIP(context);
    walk.reachedGuard = walk.reachedGuard || _Unwind_GetCFA(context) > walk.guard;
    if (!walk.reachedGuard && !InProgram(address)) return _URC_NORMAL_STOP;
    pending.Add(address);
    return walk.reachedGuard && pending.count == kFailureFrames ? _URC_NORMAL_STOP : _URC_NO_REASON;
}

// What a fault touched: the address an access violation names.
uintptr_t DataOf(const EXCEPTION_RECORD& record) {
    return record.ExceptionCode == EXCEPTION_ACCESS_VIOLATION ? record.ExceptionInformation[1] : 0;
}

bool CanTranslate(uintptr_t guard, const FaultSite&, const EXCEPTION_RECORD& record, const CONTEXT& context) {
    const Declined fault{context.Eip, context.Esp, DataOf(record)};
    if (std::exchange(declined, {}) == fault) return false;
    pending.data = fault.data;
    pending.context = context;
    pending.context.ContextFlags &= ~kExtendedState;
    pending.guard = guard;
    return true;  // the thrower decides
}

void EnterThrower(CONTEXT& context, const FaultSite& site) {
    if (site.call) {
        context.Eip = reinterpret_cast<DWORD>(&CorvixThrowPendingFault);
        return;
    }
    context.Esp -= sizeof(DWORD);
    *reinterpret_cast<DWORD*>(context.Esp) = context.Eip + 1;
    context.Eip = reinterpret_cast<DWORD>(&CorvixThrowPendingFault);
}

uintptr_t InstructionOf(const CONTEXT& context) { return context.Eip; }
uintptr_t StackOf(const CONTEXT& context) { return context.Esp; }

}  // namespace

extern "C" void CorvixThrowPendingFault() {
    Walk walk{pending.guard};
    pending.count = 0;
    _Unwind_Backtrace(&CheckFrame, &walk);
    if (walk.reachedGuard) throw pending.fault;
    declined = {pending.context.Eip, pending.context.Esp, pending.data};
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
    const auto guard = reinterpret_cast<uintptr_t>(InnermostGuard());
    if (!guard || StackOf(context) >= guard) return EXCEPTION_CONTINUE_SEARCH;
    const std::optional<FaultSite> site = SiteOf(record, InstructionOf(context), StackOf(context));
    if (!site) return EXCEPTION_CONTINUE_SEARCH;
    pending.fault = {record.ExceptionCode, record.ExceptionAddress};
    if (!CanTranslate(guard, *site, record, context)) return EXCEPTION_CONTINUE_SEARCH;
    EnterThrower(context, *site);
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
    FrameBuffer captured;
    std::span<void* const> frames;
    try {
        std::rethrow_exception(error);
    } catch (const StructuredException&) {
        frames = {pending.frames, pending.count};
    } catch (...) {
        frames = CaptureFrames(captured);
    }
    const KeptFailureFrames kept(frames);
    try {
        const GuardFrame reporting;  // a fault in the handler's own work is a failure of its own
        const bool retry = currentReporter(where, error);
        ForgetFailureCallLevels();
        return retry;
    } catch (...) {
        EndAfterHandlerFailure(where, error, std::current_exception());
    }
}

bool InThisProgram(const void* address) { return InProgram(reinterpret_cast<uintptr_t>(address)); }

void InstallCrashTranslation() {
    static const PVOID handler = [] {
        if (GuardSlot() == TLS_OUT_OF_INDEXES) {
            WriteLine("corvix: no thread slot is left: faults in callbacks end the program\n");
            return PVOID{};
        }
        ProgramImage();
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
