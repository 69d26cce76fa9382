#include "demo/skin/buttonhook.h"

#include <cstdint>
#include <string_view>

#include "corvix/classes/window.h"
#include "corvix/native/callbackguard.h"
#include "corvix/runtime/registry.h"
#include "demo/skin/skinfuncs.h"

namespace skindemo {

using corvix::Value;

WNDPROC OldButtonProc = nullptr;

namespace {

// The window the focus messages say has the focus: the one a skinned
// button last got WM_SETFOCUS for, or the one it last lost the focus to,
// which may be painted before its own WM_SETFOCUS arrives. The skin runs on
// the program's one GUI thread.
HWND hFocusedButton = nullptr;

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

}  // namespace

void BUTTONS2007(HWND hWnd) {
    if (OldButtonProc) return;
    static const bool handlersKnown = (RegisterSkinFunctions(), true);  // the hook calls them by name
    (void)handlersKnown;
    const LONG_PTR previous =
        SetClassLongPtrA(hWnd, GCLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SkinButtonProc));
    OldButtonProc = reinterpret_cast<WNDPROC>(previous);
}

LRESULT CALLBACK SkinButtonProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
    switch (nMsg) {
        case WM_PAINT:
            Paint(hWnd);
            return 0;
        case WM_SETFOCUS:
            hFocusedButton = hWnd;
            CallHandler("FOCUSED", {Handle(hWnd)});
            return 0;
        case WM_KILLFOCUS:
            hFocusedButton = reinterpret_cast<HWND>(wParam);
            CallHandler("FOCUSED", {Handle(hWnd)});
            return 0;
        case WM_NCDESTROY:  // a handle the system may give again
            if (hFocusedButton == hWnd) hFocusedButton = nullptr;
            break;
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
        default:
            break;
    }
    if (!OldButtonProc) return DefWindowProcA(hWnd, nMsg, wParam, lParam);
    return CallWindowProcA(OldButtonProc, hWnd, nMsg, wParam, lParam);
}

namespace {

// What the focus messages a button has had say, without asking the system:
// the window they name may have the focus; a button whose messages come
// here first has not, nor has a library control whose object says so (the
// object has its messages first). Of any other window nothing is known.
bool KnownWithoutFocus(HWND hWnd) {
    if (hFocusedButton == hWnd) return false;
    if (reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hWnd, GWLP_WNDPROC)) == &SkinButtonProc) return true;
    const corvix::TWindow* object = corvix::LinkedObject(hWnd);
    return object && !object->lFocused;
}

}  // namespace

bool HasButtonFocus(HWND hWnd) { return !KnownWithoutFocus(hWnd) && GetFocus() == hWnd; }

}  // namespace skindemo
