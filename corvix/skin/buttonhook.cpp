#include "corvix/skin/buttonhook.h"

#include <mutex>

#include "corvix/skin/handlerfuncs.h"
#include "corvix/skin/skinproc.h"

namespace corvix::skin {

namespace {

// Two threads installing at once must not take each other's procedure for the system's.
std::mutex installing;

void InstallLocked(HWND hWnd) {
    static const bool handlersKnown = (RegisterSkinHandlers(), true);  // the hook calls them by name
    (void)handlersKnown;
    // The installer's thread is the skin's before any button is skinned.
    ClaimSkinThread();
    // Known before the class changes: a button another thread creates meanwhile already needs it.
    OldButtonProc = reinterpret_cast<WNDPROC>(GetClassLongPtrA(hWnd, GCLP_WNDPROC));
    if (!OldButtonProc || !SetClassLongPtrA(hWnd, GCLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SkinButtonProc)))
        OldButtonProc = nullptr;
}

}  // namespace

void BUTTONS2007(HWND hWnd) {
    const std::lock_guard<std::mutex> lock(installing);
    if (!OldButtonProc) InstallLocked(hWnd);
}

void BUTTONS2007() {
    const std::lock_guard<std::mutex> lock(installing);
    if (OldButtonProc) return;
    // Message-only: it never shows, and its class is the process's push-button class.
    HWND lender = CreateWindowExA(0, "BUTTON", "", BS_PUSHBUTTON, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    InstallLocked(lender);
    if (lender) DestroyWindow(lender);
}

}  // namespace corvix::skin
