#include "corvix/native/wndproc.h"

#include "corvix/native/callbackguard.h"
#include "corvix/native/dlgconstruction.h"
#include "corvix/native/messagetarget.h"
#include "corvix/runtime/args.h"
#include "corvix/runtime/registry.h"

namespace corvix {

namespace {

Value (*registeredDispatch)(Args) = nullptr;
SlotDispatch directDispatch = nullptr;
SlotPreviousProc slotPreviousProc = nullptr;
const DispatchResult failedDispatch;  // the guard's answer for a dispatch that failed

struct Dispatcher {
    const NativeFunction* cxh = nullptr;
    bool direct = false;  // "_CXH" is the library's own: no Values needed
};

// "_CXH" as it stands, looked up again whenever the registry has changed.
Dispatcher CurrentDispatcher() {
    static uint64_t seenGeneration = ~uint64_t{0};
    static Dispatcher current;
    const FunctionRegistry& registry = FunctionRegistry::Instance();
    if (registry.Generation() != seenGeneration) {
        seenGeneration = registry.Generation();
        current.cxh = registry.Find("_CXH");
        const auto* target = current.cxh ? current.cxh->target<Value (*)(Args)>() : nullptr;
        current.direct = directDispatch && target && *target == registeredDispatch;
    }
    return current;
}

// The pair _CXH answered with, or null for NIL (or anything that is no pair).
const DispatchResult* CallDispatch(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam, LONG_PTR nIndex) {
    const Dispatcher dispatcher = CurrentDispatcher();
    if (dispatcher.direct) return directDispatch(nMsg, wParam, lParam, nIndex & 0xFFFF);
    if (!dispatcher.cxh || !*dispatcher.cxh) return nullptr;
    const Value first = nMsg == WM_INITDIALOG ? Value::Handle(hWnd) : Value(static_cast<int64_t>(lParam));
    const Value result = (*dispatcher.cxh)({first, static_cast<int64_t>(nMsg), static_cast<int64_t>(wParam),
                                            static_cast<int64_t>(lParam), static_cast<int64_t>(nIndex & 0xFFFF)});
    // The pair lives as long as the process; the Value's reference can go.
    return result.IsObject(DispatchResult::Shared().get()) ? &DispatchResult::Get() : nullptr;
}

// The slot indexes of recently seen windows, so that most messages need not
// read the window's user data. GUI thread only. An entry goes when its
// window unlinks or is destroyed; a miss reads the window.
class SlotIndexCache {
public:
    LONG_PTR IndexOf(HWND hWnd) {
        Entry& entry = entries_[Bucket(hWnd)];
        if (entry.hWnd != hWnd) entry = {hWnd, GetWindowLongPtrA(hWnd, GWLP_USERDATA)};
        return entry.nIndex;
    }
    void Set(HWND hWnd, LONG_PTR nIndex) { entries_[Bucket(hWnd)] = {hWnd, nIndex}; }
    void Forget(HWND hWnd) {
        Entry& entry = entries_[Bucket(hWnd)];
        if (entry.hWnd == hWnd) entry = {};
    }

private:
    struct Entry {
        HWND hWnd = nullptr;
        LONG_PTR nIndex = 0;
    };
    static constexpr size_t kEntries = 64;
    static size_t Bucket(HWND hWnd) {
        const auto h = reinterpret_cast<uintptr_t>(hWnd);
        return ((h >> 1) ^ (h >> 16)) % kEntries;
    }
    Entry entries_[kEntries];
};

SlotIndexCache slotIndexes;

}  // namespace

void SetSlotDispatch(Value (*registered)(Args), SlotDispatch direct, SlotPreviousProc previous) {
    registeredDispatch = registered;
    directDispatch = direct;
    slotPreviousProc = previous;
    FunctionRegistry::Instance().Register("_CXH", registered);
}

const std::shared_ptr<Object>& DispatchResult::Shared() {
    static const std::shared_ptr<Object> pair = std::make_shared<DispatchResult>();
    return pair;
}

DispatchResult& DispatchResult::Get() { return static_cast<DispatchResult&>(*Shared()); }

// CallWindowProc costs a quarter of a message; the default procedure needs no thunk.
LRESULT PassOn(WNDPROC previous, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
    if (previous && previous != &DefWindowProcA) return CallWindowProcA(previous, hWnd, nMsg, wParam, lParam);
    return DefWindowProcA(hWnd, nMsg, wParam, lParam);
}

LRESULT DispatchToObject(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam, LONG_PTR nIndex) {
    const DispatchResult* pair = GuardCallback("window procedure", &failedDispatch,
                                               [&] { return CallDispatch(hWnd, nMsg, wParam, lParam, nIndex); });
    // Read now: the report's own dialog dispatched other messages through the shared pair.
    if (pair == &failedDispatch)
        return PassOn(slotPreviousProc ? slotPreviousProc(nIndex & 0xFFFF, hWnd) : nullptr, hWnd, nMsg, wParam, lParam);
    if (pair && !pair->answer.IsNil()) return pair->answer.ForWindowProc();
    return PassOn(pair ? pair->nOldProc : nullptr, hWnd, nMsg, wParam, lParam);
}

LRESULT CALLBACK ObjectWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = DispatchToObject(hWnd, nMsg, wParam, lParam, slotIndexes.IndexOf(hWnd));
    if (nMsg == WM_NCDESTROY) slotIndexes.Forget(hWnd);  // its handle may come back on another window
    return result;
}

WNDPROC XCHANGEPROC(HWND hWnd, LONG_PTR nIndex) {
    DialogLinked(hWnd);
    SetWindowLongPtrA(hWnd, GWLP_USERDATA, nIndex);
    slotIndexes.Set(hWnd, nIndex);
    return reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ObjectWndProc)));
}

WNDPROC RESTPROC(HWND hWnd, WNDPROC nProc) {
    slotIndexes.Forget(hWnd);
    return reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(nProc)));
}

void XFREEPROC(WNDPROC) {}

bool REGISTERCLASS(const std::string& cClassName, UINT nStyle, int nClsExtra, int nWndExtra,
                   HINSTANCE hInstance, HCURSOR hCursor, HBRUSH hBrush, const std::string& cMenuName,
                   WNDPROC nWndProc, HICON hIcon) {
    WNDCLASSA wc{};
    wc.style = nStyle;
    wc.lpfnWndProc = nWndProc ? nWndProc : DefWindowProcA;
    wc.cbClsExtra = nClsExtra;
    wc.cbWndExtra = nWndExtra;
    wc.hInstance = hInstance ? hInstance : GetModuleHandleA(nullptr);
    wc.hIcon = hIcon;
    wc.hCursor = hCursor;
    wc.hbrBackground = hBrush ? hBrush : reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszMenuName = cMenuName.empty() ? nullptr : cMenuName.c_str();
    wc.lpszClassName = cClassName.c_str();
    return RegisterClassA(&wc) != 0;
}

HWND CREATEWINDOW(const std::string& cClassName, const std::string& cCaption, DWORD nStyle,
                  int nLeft, int nTop, int nWidth, int nHeight, HWND hWndParent, HMENU nMenuOrId,
                  LPVOID nParam) {
    return CreateWindowExA(0, cClassName.c_str(), cCaption.c_str(), nStyle, nLeft, nTop, nWidth,
                           nHeight, hWndParent, nMenuOrId, GetModuleHandleA(nullptr), nParam);
}

}  // namespace corvix

extern "C" LRESULT CALLBACK CorvixWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
    return corvix::DispatchToObject(hWnd, nMsg & 0xFFFF, wParam & 0xFFFF, lParam, 1);
}

extern "C" LRESULT CALLBACK CorvixDbgWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcA(&CorvixWndProc, hWnd, nMsg & 0xFFFF, wParam & 0xFFFF, lParam);
}

// Linker directives for the export names; 32-bit stdcall symbols carry their argument bytes.
#ifdef _WIN64
asm(".section .drectve\n\t.ascii \" -export:__WndProc=CorvixWndProc -export:__DbgWndProc=CorvixDbgWndProc\"\n\t.text");
#else
asm(".section .drectve\n\t.ascii \" -export:__WndProc=CorvixWndProc@16 -export:__DbgWndProc=CorvixDbgWndProc@16\"\n\t.text");
#endif
