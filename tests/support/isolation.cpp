#include "tests/support/isolation.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "corvix/classes/brush.h"
#include "corvix/classes/dialog.h"
#include "corvix/classes/font.h"
#include "corvix/classes/pdmenu.h"
#include "corvix/classes/timer.h"
#include "corvix/classes/window.h"
#include "corvix/function/cxerror.h"
#include "corvix/native/callbackguard.h"
#include "corvix/native/eventloop.h"
#include "corvix/skin/handlers.h"
#include "corvix/skin/skinproc.h"

namespace corvix_test {

namespace {

BOOL CALLBACK DestroyOne(HWND w, LPARAM) {
    DestroyWindow(w);
    return TRUE;
}

// Drops everything queued, WM_QUIT included.
void DiscardQueue() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message != WM_QUIT) DispatchMessageA(&msg);
    }
}

// The class keeps the skin procedure until it is put back by hand.
void RemoveSkin() {
    if (!corvix::skin::OldButtonProc) return;
    HWND button = CreateWindowA("BUTTON", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    SetClassLongPtrA(button, GCLP_WNDPROC, reinterpret_cast<LONG_PTR>(corvix::skin::OldButtonProc));
    DestroyWindow(button);
    corvix::skin::OldButtonProc = nullptr;
}

class Isolation : public testing::EmptyTestEventListener {
    void OnTestEnd(const testing::TestInfo&) override { ResetLibraryState(); }
};

}  // namespace

void ResetLibraryState() {
    if (GetCapture()) ReleaseCapture();
    EnumThreadWindows(GetCurrentThreadId(), &DestroyOne, 0);
    DiscardQueue();
    RemoveSkin();
    corvix::skin::hPressedButton = nullptr;
    corvix::skin::lPressedLook = false;
    for (const auto& timer : std::vector(corvix::TTimer::Timers())) timer->End();
    corvix::TWindow::aWindows().clear();
    corvix::ResetMenuBuild();
    corvix::SETWNDDEFAULT(nullptr);
    corvix::GETDROPINFO();
    corvix::SETBALLOON(false);
    corvix::SETALPHA(true);
    corvix::SETDIALOGESC(true);
    corvix::TBrush::aBrushes().clear();
    corvix::TFont::Cache().clear();
    corvix::SetErrorHandler(nullptr);
    corvix::NETERR(false);
    corvix::SetCallbackFailureReporter(nullptr);
    corvix::ResetEventLoop();
}

void IsolateEachTest() { testing::UnitTest::GetInstance()->listeners().Append(new Isolation); }

}  // namespace corvix_test
