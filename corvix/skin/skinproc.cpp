#include "corvix/skin/skinproc.h"

#include <atomic>
#include <cstdint>
#include <string_view>

#include "corvix/classes/window.h"
#include "corvix/native/callbackguard.h"
#include "corvix/runtime/args.h"
#include "corvix/runtime/registry.h"

namespace corvix::skin {

WNDPROC OldButtonProc = nullptr;

namespace {

std::atomic<DWORD> skinThread{0};

// The window the focus messages say has the focus: the one a skinned button
// last got WM_SETFOCUS for, or the one it last lost the focus to, which may
// be painted before its own WM_SETFOCUS arrives. Focus is per thread: the
// skin's thread keeps its own in a plain variable, since a thread-local
// look-up takes a lock here and every paint asks.
HWND skinThreadFocus = nullptr;
thread_local HWND otherThreadFocus = nullptr;

HWND& FocusedButton() { return OnSkinThread() ? skinThreadFocus : otherThreadFocus; }

// Whatever bears the name at this moment; an unknown name does nothing.
void CallHandler(std::string_view name, corvix::Args args) {
    corvix::GuardCallback("SkinButtonProc", 0, [&] {
        corvix::CallByName(name, args);
        return 0;
    });
}

Value Handle(HWND hWnd) { return Value::Handle(hWnd); }

// Key code and repeat count arrive as signed bytes: codes above 127 are negative.
Value SignedLowByte(uintptr_t n) { return Value(static_cast<int>(static_cast<int8_t>(n & 0xFF))); }

// y first, then x; both unsigned 16-bit client coordinates.
Value Row(LPARAM lParam) { return Value(static_cast<int>(HIWORD(lParam))); }
Value Col(LPARAM lParam) { return Value(static_cast<int>(LOWORD(lParam))); }

void Paint(HWND hWnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hWnd, &ps);
    CallHandler("BTNPAINT", {Handle(hWnd), Value::Handle(dc)});
    EndPaint(hWnd, &ps);
}

// The type a button has now: BM_SETSTYLE and SetWindowLong may change it
// at any time, and the system's procedure judges each message by it too.
bool IsPushButton(HWND hWnd) {
    const LONG_PTR type = GetWindowLongPtrA(hWnd, GWL_STYLE) & BS_TYPEMASK;
    return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
}

LRESULT PassOn(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
    if (!OldButtonProc) return DefWindowProcA(hWnd, nMsg, wParam, lParam);
    return CallWindowProcA(OldButtonProc, hWnd, nMsg, wParam, lParam);
}

// Messages on which the system's button draws itself at once, with no
// WM_PAINT: the skin's look is put back before anything else runs. A style
// set without a redraw draws nothing.
bool DrawnBySystem(UINT nMsg, LPARAM lParam) {
    switch (nMsg) {
        case BM_SETSTATE:
        case BM_SETCHECK:
        case BM_SETIMAGE: return true;
        case BM_SETSTYLE: return lParam != 0;
        default: return false;
    }
}

void ShowSkin(HWND hWnd) { RedrawWindow(hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW); }

// A focus message sent by hand may name the wrong window; they are rare, so
// the system is asked here and never on a paint. While a focus is being
// taken away the system may still report the old window: the message names
// the new one then.
HWND ConfirmedFocus(HWND hWnd, HWND named) {
    const HWND focus = GetFocus();
    return focus == hWnd && named ? named : focus;
}

LRESULT SkinPushButton(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
    switch (nMsg) {
        case WM_PAINT:
            Paint(hWnd);
            return 0;
        case WM_PRINTCLIENT:
            CallHandler("BTNPAINT", {Handle(hWnd), Value::Handle(reinterpret_cast<HDC>(wParam))});
            return 0;
        case WM_SETFOCUS:
            FocusedButton() = ConfirmedFocus(hWnd, nullptr);
            CallHandler("FOCUSED", {Handle(hWnd)});
            return 0;
        case WM_KILLFOCUS:
            FocusedButton() = ConfirmedFocus(hWnd, reinterpret_cast<HWND>(wParam));
            CallHandler("FOCUSED", {Handle(hWnd)});
            return 0;
        case WM_KEYDOWN:
            CallHandler("KEYDOWN", {Handle(hWnd), SignedLowByte(wParam), SignedLowByte(lParam)});
            return 0;
        case WM_KEYUP:
            CallHandler("KEYUP", {Handle(hWnd), SignedLowByte(wParam), SignedLowByte(lParam)});
            return 0;
        case WM_MOUSEMOVE:
            CallHandler("MOUSEMOVE", {Handle(hWnd)});
            return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:  // a press like any other: the system's would capture the mouse
            CallHandler("BTNLBUTTONDOWN", {Handle(hWnd), Row(lParam), Col(lParam)});
            return 0;
        case WM_LBUTTONUP:
            CallHandler("BTNLBUTTONUP", {Handle(hWnd), Row(lParam), Col(lParam)});
            return 0;
        case WM_MOUSELEAVE:
            CallHandler("MOUSELEAVE", {Handle(hWnd)});
            return 0;
        case WM_UPDATEUISTATE:
            return 0;
        case BM_CLICK:  // mnemonics and default keys: the system's press and release would judge the live cursor
            CallHandler("BTNCLICK", {Handle(hWnd)});
            return 0;
        case WM_SETTEXT:  // the system's clears and draws the classic face first
        case WM_ENABLE: {  // the system's only draws the classic face
            const LRESULT result = DefWindowProcA(hWnd, nMsg, wParam, lParam);
            ShowSkin(hWnd);
            return result;
        }
        default:
            break;
    }
    const LRESULT result = PassOn(hWnd, nMsg, wParam, lParam);
    if (DrawnBySystem(nMsg, lParam) && IsPushButton(hWnd)) ShowSkin(hWnd);
    return result;
}

}  // namespace

void ClaimSkinThread() {
    DWORD none = 0;
    skinThread.compare_exchange_strong(none, GetCurrentThreadId());
}

bool OnSkinThread() {
    if (!skinThread.load(std::memory_order_relaxed)) ClaimSkinThread();
    return skinThread.load(std::memory_order_relaxed) == GetCurrentThreadId();
}

LRESULT CALLBACK SkinButtonProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
    if (nMsg == WM_NCDESTROY && FocusedButton() == hWnd) FocusedButton() = nullptr;  // a handle the system may give again
    if (IsPushButton(hWnd)) return SkinPushButton(hWnd, nMsg, wParam, lParam);
    const LRESULT result = PassOn(hWnd, nMsg, wParam, lParam);
    if (nMsg == BM_SETSTYLE && DrawnBySystem(nMsg, lParam) && IsPushButton(hWnd)) ShowSkin(hWnd);  // it has just become one
    return result;
}

namespace {

// What the focus messages a button has had say, without asking the system:
// the window they name may have the focus; a button whose messages come
// here first has not, nor has a library control whose object says so (the
// object has its messages first; objects live on the skin's thread). Of any
// other window nothing is known.
bool KnownWithoutFocus(HWND hWnd) {
    if (FocusedButton() == hWnd) return false;
    if (reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hWnd, GWLP_WNDPROC)) == &SkinButtonProc) return true;
    if (!OnSkinThread()) return false;
    const corvix::TWindow* object = corvix::LinkedObject(hWnd);
    return object && !object->lFocused;
}

}  // namespace

bool HasButtonFocus(HWND hWnd) { return !KnownWithoutFocus(hWnd) && GetFocus() == hWnd; }

}  // namespace corvix::skin
