#include "corvix/skin/handlers.h"

#include "corvix/function/filename.h"
#include "corvix/native/eventloop.h"
#include "corvix/native/wndpos.h"
#include "corvix/native/wrappers.h"
#include "corvix/skin/btnpaint.h"
#include "corvix/skin/region.h"
#include "corvix/skin/skinproc.h"

namespace corvix::skin {

HWND hPressedButton = nullptr;
bool lPressedLook = false;

namespace {

// Only threads other than the skin's touch these: its own paints pay for no
// thread-local look-up, which takes a lock here.
thread_local HWND otherPressedButton = nullptr;
thread_local bool otherPressedLook = false;

struct PressState {
    HWND& button;
    bool& look;
};

PressState ThisThreadsPress() {
    if (OnSkinThread()) return {hPressedButton, lPressedLook};
    return {otherPressedButton, otherPressedLook};
}

constexpr char kLogFile[] = "msgs.txt";

// No window is no button: GETDC(0) would paint on the screen, and a
// command posted to no parent would go to the thread's queue.
bool IsButton(HWND hWnd) { return hWnd && IsWindow(hWnd); }

// Paints on a device context of the button's own, given back at once.
void Paint(HWND hWnd, bool pressed) {
    if (!IsButton(hWnd)) return;
    HDC dc = corvix::GETDC(hWnd);
    BTNPAINT(hWnd, dc, pressed);
    corvix::RELEASEDC(hWnd, dc);
}

// BN_CLICKED with the button's identifier; posted, so the parent acts after we return.
void PostClick(HWND hWnd) {
    if (!IsButton(hWnd)) return;
    const auto id = static_cast<WPARAM>(corvix::GETWINDOWLONG(hWnd, GWL_ID));
    corvix::POSTMESSAGE(corvix::GETPARENT(hWnd), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                        reinterpret_cast<LPARAM>(hWnd));
}

// The library's drain keeps its accelerator table and modeless dialogs,
// which are the skin thread's; another thread's button (a message box
// shown from a worker) needs only its own queue run.
void LetQueuedMessagesRun() {
    if (OnSkinThread()) {
        corvix::SYSREFRESH();
        return;
    }
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {  // the thread's own loop ends on it
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

}  // namespace

bool ISOVER(HWND hWnd, std::optional<int> nRow, std::optional<int> nCol) {
    const corvix::RectArray r = corvix::GETWNDRECT(hWnd);
    if (!nRow || !nCol) {
        const corvix::PointArray cursor = corvix::GETCURSORPOS();
        if (!nRow) nRow = cursor.nRow;
        if (!nCol) nCol = cursor.nCol;
    }
    return *nRow > r.nTop && *nRow < r.nBottom - 1 && *nCol > r.nLeft && *nCol < r.nRight - 2 &&
           hWnd == ThisThreadsPress().button;
}

void BTNLBUTTONDOWN(HWND hWnd, int, int) {
    if (!IsButton(hWnd)) return;  // SETFOCUS(0) would take the focus from the thread's window
    const PressState press = ThisThreadsPress();
    press.button = hWnd;
    // The focus change repaints both buttons; let it happen before the pressed look.
    corvix::SETFOCUS(hWnd);
    LetQueuedMessagesRun();
    // A release already queued was handled in the drain: no pressed look then.
    if (press.button == hWnd) Paint(hWnd, true);
}

void BTNLBUTTONUP(HWND hWnd, int, int) {
    if (ISOVER(hWnd)) PostClick(hWnd);
    Paint(hWnd, false);
    ThisThreadsPress().button = nullptr;
}

// The click a mnemonic or BM_CLICK asks for, wherever the mouse is; a
// disabled button gives none.
void BTNCLICK(HWND hWnd) {
    if (!corvix::ISWINDOWENABLED(hWnd)) return;
    corvix::SETFOCUS(hWnd);
    PostClick(hWnd);
}

void MOUSEMOVE(HWND hWnd) {
    corvix::TRACKMOUSEEVENT(hWnd, TME_LEAVE);
    const PressState press = ThisThreadsPress();
    if (hWnd == press.button && !press.look) {
        Paint(hWnd, true);
        press.look = true;
    }
}

// hPressedButton stays, so the pressed look returns with the cursor.
void MOUSELEAVE(HWND hWnd) {
    Paint(hWnd, false);
    ThisThreadsPress().look = false;
}

void KEYDOWN(HWND hWnd, int nKey, int) {
    const PressState press = ThisThreadsPress();
    if (nKey != VK_SPACE || press.look) return;
    Paint(hWnd, true);
    press.look = true;
}

// A space key-up clicks even without its key-down: the focus may have
// arrived while the key was held.
void KEYUP(HWND hWnd, int nKey, int) {
    ThisThreadsPress().look = false;
    if (nKey != VK_SPACE) return;
    Paint(hWnd, false);
    PostClick(hWnd);
}

void FOCUSED(HWND hWnd) { Paint(hWnd, false); }

void CREATEROUND(const Value& nValue) {
    const HRGN region = CREATEROUNDRECTRGN(0, 0, corvix::WNDWIDTH(corvix::GETACTIVEWINDOW()),
                                           corvix::WNDHEIGHT(corvix::GETACTIVEWINDOW()), 6, 6);
    const DWORD error = SETWINDOWRGN(corvix::GETACTIVEWINDOW(), region);
    if (error) DeleteObject(region);  // the system takes the region only when it takes it on
    corvix::LOGFILE(kLogFile, {nValue, Value::Handle(region), Value(error),
                               Value::Handle(corvix::GETACTIVEWINDOW())});
}

void LOGMSG(const Value& xValue) { corvix::LOGFILE(kLogFile, {xValue}); }

}  // namespace corvix::skin
