// TWindow: its tooltip, a system tooltip window in tracking mode, so the
// window decides when and where it shows.

#include "corvix/classes/window.h"

#include <commctrl.h>

#include "corvix/native/ondemand.h"
#include "corvix/native/wrappers.h"

namespace corvix {

namespace {

// The size every comctl32 accepts, with or without visual styles.
const UINT kToolInfoSize = TTTOOLINFOA_V2_SIZE;

}  // namespace

void TWindow::ShowToolTip(int nRow, int nCol) {
    if (!hWnd || cToolTip.empty()) return;
    DestroyToolTip();
    ondemand::RegisterCommonControls();
    hToolTip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, 0,
                               0, 0, 0, hWnd, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!hToolTip) return;
    TOOLINFOA tool{};
    tool.cbSize = kToolInfoSize;
    tool.uFlags = TTF_TRACK | TTF_ABSOLUTE;
    tool.hwnd = hWnd;
    tool.lpszText = cToolTip.data();
    SendMessageA(hToolTip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageA(hToolTip, TTM_SETMAXTIPWIDTH, 0, 600);  // lets line breaks in the text break lines
    POINT at{nCol, nRow};
    ClientToScreen(hWnd, &at);
    SendMessageA(hToolTip, TTM_TRACKPOSITION, 0, MAKELPARAM(at.x, at.y));
    SendMessageA(hToolTip, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
    TRACKMOUSEEVENT(hWnd, TME_LEAVE);  // the tip goes when the mouse leaves the window
}

void TWindow::ShowToolTip() { ShowToolTip(GetCliRect().nBottom + 2, 0); }

void TWindow::DestroyToolTip() {
    if (hToolTip) DestroyWindow(hToolTip);
    hToolTip = nullptr;
}

void TWindow::CheckToolTip() {
    if (!hToolTip || !IsWindow(hToolTip)) ShowToolTip();
}

}  // namespace corvix
