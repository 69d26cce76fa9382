// TWindow: decoding messages and the message methods.

#include <algorithm>
#include <cstring>
#include <utility>

#include "corvix/classes/bar.h"
#include "corvix/classes/brush.h"
#include "corvix/classes/cursor.h"
#include "corvix/classes/hotkeys.h"
#include "corvix/classes/icon.h"
#include "corvix/classes/menu.h"
#include "corvix/classes/msgbar.h"
#include "corvix/classes/scrollbar.h"
#include "corvix/classes/timer.h"
#include "corvix/classes/window.h"

#include <dde.h>
#include "corvix/native/lmessages.h"
#include "corvix/native/ondemand.h"
#include "corvix/native/systemchange.h"
#include "corvix/native/wrappers.h"

namespace corvix {

namespace {

int Row(LPARAM lParam) { return HIWORD(lParam); }
int Col(LPARAM lParam) { return LOWORD(lParam); }
bool ShiftHeld() { return GetKeyState(VK_SHIFT) < 0; }

std::string WindowClassOf(HWND hWnd) {
    char name[64] = {};
    GetClassNameA(hWnd, name, sizeof name);
    return name;
}

HICON DefaultIcon() { return LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION)); }

// Runs its cleanup when the scope ends, also when a callback throws.
template <typename F>
class OnScopeExit {
public:
    explicit OnScopeExit(F cleanup) : cleanup_(std::move(cleanup)) {}
    ~OnScopeExit() { cleanup_(); }
    OnScopeExit(const OnScopeExit&) = delete;
    OnScopeExit& operator=(const OnScopeExit&) = delete;

private:
    F cleanup_;
};

}  // namespace

Answer TWindow::HandleEvent(UINT nMsg, WPARAM wParam, LPARAM lParam) {
    switch (nMsg) {
        case WM_DESTROY: return Destroy();
        case WM_MOVE: return Moved(HIWORD(lParam), LOWORD(lParam));
        case WM_SIZE: return ReSize(wParam, LOWORD(lParam), HIWORD(lParam));
        case WM_SETFOCUS: return GotFocus(reinterpret_cast<HWND>(wParam));
        case WM_KILLFOCUS: return LostFocus(reinterpret_cast<HWND>(wParam));
        case WM_PAINT: {
            BeginPaint();
            Answer answer;
            {
                const OnScopeExit end([&] { answer = EndPaint(); });
                Paint();
            }
            return answer;
        }
        case WM_CLOSE: return Close(wParam);
        case WM_QUERYENDSESSION: return QueryEndSession();
        case WM_ERASEBKGND: return EraseBkGnd(reinterpret_cast<HDC>(wParam));
        case WM_GETMINMAXINFO: return GetMinMaxInfo(lParam);
        case WM_DRAWITEM:
        case LM_DRAWITEM: return DrawItem(wParam, lParam);
        case WM_MEASUREITEM: return MeasureItem(wParam, lParam);
        case WM_QUERYDRAGICON: return QueryDragIcon();
        case WM_NOTIFY: return Notify(wParam, lParam);
        case WM_NCACTIVATE: return NcActivate(wParam != 0);
        case WM_KEYDOWN: return KeyDown(static_cast<int>(wParam), lParam);
        case WM_CHAR: return KeyChar(static_cast<int>(wParam), lParam);
        case WM_COMMAND: return Command(wParam, lParam);
        case WM_SYSCOMMAND: return SysCommand(wParam, lParam);
        case WM_TIMER: return Timer(wParam, lParam);
        case WM_HSCROLL: return HScroll(wParam, lParam);
        case WM_VSCROLL: return VScroll(wParam, lParam);
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORSTATIC: return CtlColor(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam));
        case WM_MOUSEMOVE: return MouseMove(Row(lParam), Col(lParam), wParam);
        case WM_MOUSELEAVE: DestroyToolTip(); return Answer::Nil();
        case WM_LBUTTONDOWN: return LButtonDown(Row(lParam), Col(lParam), wParam);
        case WM_LBUTTONUP: return LButtonUp(Row(lParam), Col(lParam), wParam);
        case WM_LBUTTONDBLCLK: return LDblClick(Row(lParam), Col(lParam), wParam);
        case WM_RBUTTONDOWN: return RButtonDown(Row(lParam), Col(lParam), wParam);
        case WM_RBUTTONUP: return RButtonUp(Row(lParam), Col(lParam), wParam);
        case WM_MBUTTONDOWN: return MButtonDown(Row(lParam), Col(lParam), wParam);
        case WM_MBUTTONUP: return MButtonUp(Row(lParam), Col(lParam), wParam);
        case WM_MOUSEWHEEL:
            return MouseWheel(LOWORD(wParam), static_cast<short>(HIWORD(wParam)), static_cast<short>(LOWORD(lParam)),
                              static_cast<short>(HIWORD(lParam)));
        case WM_DROPFILES: return DropFiles(reinterpret_cast<HDROP>(wParam));
        case WM_COMMNOTIFY: return CommNotify(wParam, lParam);
        case WM_HELP: return Help(wParam, lParam);
        case WM_GETDLGCODE: return GetDlgCode(wParam);
        case WM_NCMOUSEMOVE: return NcMouseMove(wParam, HIWORD(lParam), LOWORD(lParam));
        case WM_MENUSELECT: return MenuSelect(LOWORD(wParam), HIWORD(lParam), lParam);
        case WM_INITMENUPOPUP: return InitMenuPopup(reinterpret_cast<HMENU>(wParam), LOWORD(lParam), HIWORD(lParam) != 0);
        case WM_MENUCHAR: return MenuChar(LOWORD(wParam), HIWORD(lParam), lParam);
        case WM_QUERYNEWPALETTE: return QueryNewPalette();
        case WM_PRINTCLIENT: return PrintClient(reinterpret_cast<HDC>(wParam));
        case WM_DDE_EXECUTE: return DdeExecute(wParam, lParam);
        case LM_DROPOVER: return DropOver(LOWORD(lParam), HIWORD(lParam), lParam);
        case LM_ASYNCSELECT: return AsyncSelect(wParam, lParam);
        case LM_TASKBAR: return TaskBar(wParam, lParam);
        case LM_HELPF1: return HelpF1();
        default:
            if (IsSystemChange(nMsg)) NoteSystemChange();  // what children keep drawn may be stale
            return Answer::Nil();
    }
}

// ---- painting ----

Answer TWindow::BeginPaint() {
    ++nPaintCount;
    hDC = ::BeginPaint(hWnd, &cPS);
    return Answer::Nil();
}

// Minimized: the icon. Otherwise background and bPainted into one buffer,
// which is copied to the window however bPainted ends; answers bPainted's answer.
Answer TWindow::Paint() {
    if (IsIconic(hWnd)) {
        SendMessageA(hWnd, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(hDC), 0);
        DrawIcon(hDC, 0, 0, oIcon && oIcon->hIcon ? oIcon->hIcon : DefaultIcon());
        return Answer::Number(0);
    }
    const DisplayBuffer buffer = DispBegin();
    const OnScopeExit end([&] { DispEnd(buffer); });
    return PaintClient(hDC);
}

Answer TWindow::PrintClient(HDC hDCTarget) {
    if (!hDCTarget) return Answer::Nil();
    PaintClient(hDCTarget);
    return Answer::Number(0);
}

Answer TWindow::PaintClient(HDC hDCTarget) {
    if (bEraseBkGnd) {
        bEraseBkGnd(hDCTarget);
    } else if (oBrush && oBrush->hBrush) {
        RECT client{};
        GetClientRect(hWnd, &client);
        FillRect(hDCTarget, &client, oBrush->hBrush);
    }
    return bPainted ? bPainted(hDCTarget, cPS, *this) : Answer::Number(0);
}

Answer TWindow::EndPaint() {
    --nPaintCount;
    ::EndPaint(hWnd, &cPS);
    cPS = {};
    hDC = nullptr;
    return Answer::Number(0);
}

DisplayBuffer TWindow::DispBegin() {
    const DisplayBuffer buffer = CXDISPBEGIN(hWnd, hDC);
    hDC = buffer.hMemDC;
    return buffer;
}

void TWindow::DispEnd(const DisplayBuffer& aInfo) {
    CXDISPEND(aInfo);
    hDC = aInfo.hDC;
}

// ---- commands and notifications ----

// Reflects control notifications to the control's own window.
Answer TWindow::Command(WPARAM wParam, LPARAM lParam) {
    const auto control = reinterpret_cast<HWND>(lParam);
    if (MenuCommand(wParam, lParam) || !control) return Answer::Nil();
    if (WindowClassOf(control) == "ToolbarWindow32") {
        // The bar's own object decides; when that is this object, nobody else will.
        if (const auto owner = OWNDFROMHWND(control); owner && owner.get() != this) owner->Command(wParam, lParam);
        return Answer::Nil();
    }
    switch (HIWORD(wParam)) {
        case 0: SendMessageA(control, LM_CLICK, 0, 0); break;
        case 1: SendMessageA(control, LM_CHANGE, 0, 0); break;
        case 8: SendMessageA(control, LM_CLOSEUP, 0, 0); break;
        default: break;
    }
    return Answer::Nil();
}

Answer TWindow::CtlColor(HWND hWndCtl, HDC hDCCtl) {
    const int id = GetDlgCtrlID(hWndCtl);
    if (id == 65535 || id == -1 || GetParent(hWndCtl) != hWnd) return Answer::Nil();  // no identifier
    return Answer::Number(SendMessageA(hWndCtl, LM_COLOR, reinterpret_cast<WPARAM>(hDCCtl), 0));
}

Answer TWindow::Notify(WPARAM nIdCtl, LPARAM pNmHdr) {
    const auto* header = reinterpret_cast<const NMHDR*>(pNmHdr);
    if (!header) return Answer::Nil();
    const auto sender = OWNDFROMHWND(header->hwndFrom);
    if (sender && sender.get() != this) return sender->Notify(nIdCtl, pNmHdr);
    return Answer::Nil();
}

namespace {

// A request for a frame bar (no lParam) goes to its object; a control's is
// reflected to the control. A thumb's position is read from the bar itself:
// the message carries only its low 16 bits.
Answer RouteScroll(HWND hWnd, TScrollBar* oFrameBar, int nFrameBar, WPARAM wParam, LPARAM lParam) {
    const auto control = reinterpret_cast<HWND>(lParam);
    const WORD code = LOWORD(wParam);
    if (code > SB_THUMBTRACK) return Answer::Number(0);
    const bool thumb = code == SB_THUMBPOSITION || code == SB_THUMBTRACK;
    const int position = !thumb ? 0 : control ? GETSCROLLTRACKPOS(control, SB_CTL) : GETSCROLLTRACKPOS(hWnd, nFrameBar);
    if (control) {
        static constexpr UINT kReflected[] = {LM_LINEUP,   LM_LINEDOWN, LM_PAGEUP,
                                              LM_PAGEDOWN, LM_THUMBPOS, LM_THUMBTRACK};
        SendMessageA(control, kReflected[code], static_cast<WPARAM>(position), 0);
        return Answer::Number(0);
    }
    if (!oFrameBar) return Answer::Number(0);
    switch (code) {
        case SB_LINEUP: oFrameBar->GoUp(); break;
        case SB_LINEDOWN: oFrameBar->GoDown(); break;
        case SB_PAGEUP: oFrameBar->PageUp(); break;
        case SB_PAGEDOWN: oFrameBar->PageDown(); break;
        case SB_THUMBPOSITION: oFrameBar->ThumbPos(position); break;
        default: oFrameBar->ThumbTrack(position); break;
    }
    return Answer::Number(0);
}

}  // namespace

Answer TWindow::VScroll(WPARAM wParam, LPARAM lParam) {
    const auto keepAlive = oVScroll;  // an action may replace the bar
    return RouteScroll(hWnd, keepAlive.get(), SB_VERT, wParam, lParam);
}

Answer TWindow::HScroll(WPARAM wParam, LPARAM lParam) {
    const auto keepAlive = oHScroll;
    return RouteScroll(hWnd, keepAlive.get(), SB_HORZ, wParam, lParam);
}

// ---- focus and keyboard ----

Answer TWindow::GotFocus(HWND hWndLost) {
    lFocused = true;
    if (bGotFocus) bGotFocus(*this, hWndLost);
    if (hCtlFocus && IsWindow(hCtlFocus)) {
        ::SetFocus(hCtlFocus);
    } else if (!aControls.empty()) {
        FocusControl(0);
    }
    return Answer::Number(0);
}

Answer TWindow::LostFocus(HWND hWndNew) {
    lFocused = false;
    return bLostFocus ? bLostFocus(*this, hWndNew) : Answer::Nil();
}

Answer TWindow::NcActivate(bool lActivating) {
    if (!lActivating && bLostFocus && GetFocus() != hWnd) bLostFocus(*this, GetFocus());
    return Answer::Nil();
}

Answer TWindow::KeyDown(int nKey, LPARAM nFlags) {
    nLastKey = nKey;
    const auto parent = Parent();
    if (nKey == VK_TAB && parent) {
        if (ShiftHeld())
            parent->GoPrevCtrl(hWnd);
        else
            parent->GoNextCtrl(hWnd);
        return Answer::Number(0);
    }
    if (const HotKeyHandler* handler = FindHotKey(nKey)) {
        (*handler)(*this);
        return Answer::Number(0);
    }
    if (nKey == VK_F1) return Answer::Number(0);
    if (ClassName() != "TGET" && bKeyDown) return bKeyDown(nKey, nFlags);
    if (parent && (nStyle & WS_CHILD)) parent->KeyDown(nKey, nFlags);
    return Answer::Nil();
}

Answer TWindow::KeyChar(int nKey, LPARAM nFlags) {
    const HotKeyHandler* handler = FindHotKey(nKey);
    if (handler && (nFlags & 0x1000000)) {
        (*handler)(*this);
        return Answer::Number(0);
    }
    if (bKeyChar) return bKeyChar(nKey, nFlags);
    if (const auto parent = Parent(); nKey == VK_ESCAPE && parent) parent->KeyChar(nKey, nFlags);
    return Answer::Nil();
}

void TWindow::FocusControl(size_t index) {
    hCtlFocus = aControls[index]->hWnd;
    ::SetFocus(hCtlFocus);
}

void TWindow::GoNextCtrl(HWND hCtl) {
    const auto it = std::find_if(aControls.begin(), aControls.end(), [hCtl](const auto& c) { return c->hWnd == hCtl; });
    if (ClassName() != "TDIALOG" && it != aControls.end()) {
        FocusControl(static_cast<size_t>(it - aControls.begin() + 1) % aControls.size());
        return;
    }
    const HWND next = GetNextDlgTabItem(hWnd, hCtl, FALSE);
    hCtlFocus = next;
    if (next && next != hCtl) ::SetFocus(next);
}

void TWindow::GoPrevCtrl(HWND hCtl) {
    const auto it = std::find_if(aControls.begin(), aControls.end(), [hCtl](const auto& c) { return c->hWnd == hCtl; });
    if (ClassName() != "TDIALOG" && it != aControls.end()) {
        const size_t at = static_cast<size_t>(it - aControls.begin());
        FocusControl((at + aControls.size() - 1) % aControls.size());
        return;
    }
    const HWND previous = GetNextDlgTabItem(hWnd, hCtl, TRUE);
    hCtlFocus = previous;
    if (previous && previous != hCtl) ::SetFocus(previous);
}

// ---- mouse ----

namespace {

// The callback's answer, or NIL without one.
Answer Answered(const TWindow::MouseCallback& callback, int nRow, int nCol, WPARAM nKeyFlags, TWindow& w) {
    return callback ? callback(nRow, nCol, nKeyFlags, w) : Answer::Nil();
}

// The right and middle buttons always leave the message to the previous procedure.
Answer Notified(const TWindow::MouseCallback& callback, int nRow, int nCol, WPARAM nKeyFlags, TWindow& w) {
    if (callback) callback(nRow, nCol, nKeyFlags, w);
    return Answer::Nil();
}

}  // namespace

Answer TWindow::LButtonDown(int r, int c, WPARAM k) { return Answered(bLClicked, r, c, k, *this); }
Answer TWindow::LButtonUp(int r, int c, WPARAM k) { return Answered(bLButtonUp, r, c, k, *this); }
Answer TWindow::LDblClick(int r, int c, WPARAM k) { return Answered(bLDblClick, r, c, k, *this); }
Answer TWindow::RButtonDown(int r, int c, WPARAM k) { return Notified(bRClicked, r, c, k, *this); }
Answer TWindow::RButtonUp(int r, int c, WPARAM k) { return Notified(bRButtonUp, r, c, k, *this); }
Answer TWindow::MButtonDown(int r, int c, WPARAM k) { return Notified(bMButtonDown, r, c, k, *this); }
Answer TWindow::MButtonUp(int r, int c, WPARAM k) { return Notified(bMButtonUp, r, c, k, *this); }

void TWindow::ShowCursor() const {
    if (oCursor)
        oCursor->Activate();
    else
        SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW)));
}

Answer TWindow::MouseMove(int nRow, int nCol, WPARAM nKeyFlags) {
    ShowCursor();
    CheckToolTip();
    if (!cMsg.empty()) SetMsg(cMsg);
    return bMMoved ? bMMoved(nRow, nCol, nKeyFlags) : Answer::Number(0);
}

Answer TWindow::MouseWheel(int nKeys, int nDelta, int nX, int nY) {
    return bMouseWheel ? bMouseWheel(nKeys, nDelta, nX, nY) : Answer::Nil();
}

// A bar that does not display the text itself ends the chain here instead
// of sending it back to the window that owns the bar.
void TWindow::SetMsg(const std::string& cText, bool lDefault) {
    const auto parent = Parent();
    if (oMsgBar && oMsgBar.get() != this)
        oMsgBar->SetMsg(cText, lDefault);
    else if (parent && parent->oMsgBar.get() != this)
        parent->SetMsg(cText);
}

// ---- size, position and system commands ----

Answer TWindow::Moved(int nRow, int nCol) {
    return bMoved ? bMoved(nRow, nCol) : Answer::Nil();
}

Answer TWindow::ReSize(WPARAM nSizeType, int nNewWidth, int nNewHeight) {
    CoorsUpdate();
    LayOutDocked();
    if (bResized) bResized(nSizeType, nNewWidth, nNewHeight);
    return Answer::Nil();
}

// Top, bottom, message bar, button bar, left, right, then the client fills the rest.
void TWindow::LayOutDocked() {
    RECT free{};
    GetClientRect(hWnd, &free);
    auto height = [](const std::shared_ptr<TWindow>& w) { return w->nHeight(); };
    auto width = [](const std::shared_ptr<TWindow>& w) { return w->nWidth(); };
    auto place = [](const std::shared_ptr<TWindow>& w, int x, int y, int cx, int cy) {
        MoveWindow(w->hWnd, x, y, cx, cy, TRUE);
        w->CoorsUpdate();
    };
    // A button bar docks itself to its edge and takes its rows or columns from the free area.
    const auto docksItself = [&](const std::shared_ptr<TWindow>& w) {
        const auto bar = std::dynamic_pointer_cast<TBar>(w);
        if (bar) bar->DockIn(free);
        return bar != nullptr;
    };
    const auto atTop = [&](const std::shared_ptr<TWindow>& w) {
        if (docksItself(w)) return;
        const int h = height(w);
        place(w, free.left, free.top, free.right - free.left, h);
        free.top += h;
    };
    const auto atBottom = [&](const std::shared_ptr<TWindow>& w) {
        if (docksItself(w)) return;
        const int h = height(w);
        place(w, free.left, free.bottom - h, free.right - free.left, h);
        free.bottom -= h;
    };
    if (oTop) atTop(oTop);
    if (oBottom) atBottom(oBottom);
    if (const auto bar = std::dynamic_pointer_cast<TMsgBar>(oMsgBar); bar && bar != oBottom) {
        bar->Adjust();  // the bar knows its own place
        free.bottom = std::min<LONG>(free.bottom, bar->nTop);  // a bottom button bar already stands above it
    } else if (oMsgBar && oMsgBar != oBottom) {
        atBottom(oMsgBar);
    }
    if (oBar && oBar != oTop) atTop(oBar);
    if (oLeft && !docksItself(oLeft)) {
        const int w = width(oLeft);
        place(oLeft, free.left, free.top, w, free.bottom - free.top);
        free.left += w;
    }
    if (oRight && !docksItself(oRight)) {
        const int w = width(oRight);
        place(oRight, free.right - w, free.top, w, free.bottom - free.top);
        free.right -= w;
    }
    if (oClient) place(oClient, free.left, free.top, free.right - free.left, free.bottom - free.top);
}

Answer TWindow::GetMinMaxInfo(LPARAM pMinMaxInfo) {
    if (!aMinMaxInfo || !pMinMaxInfo) return Answer::Nil();
    std::memcpy(reinterpret_cast<MINMAXINFO*>(pMinMaxInfo), &*aMinMaxInfo, sizeof(MINMAXINFO));
    return Answer::Number(0);
}

// The close box and the system menu's Close go through End, so the window
// closes only by the WM_CLOSE that End posts.
Answer TWindow::SysCommand(WPARAM nCmd, LPARAM) {
    if ((nCmd & 0xFFF0) == SC_KEYMENU) {
        if (const HotKeyHandler* handler = FindHotKey(VK_F10)) {
            (*handler)(*this);
            return Answer::Number(0);
        }
    }
    if (nCmd < 0xF000 && oSysMenu) {
        const auto keepAlive = oSysMenu;
        keepAlive->Command(static_cast<int>(nCmd));
        return Answer::Nil();
    }
    if ((nCmd & 0xFFF0) == SC_CLOSE) return Answer::Logical(End());
    return Answer::Nil();
}

Answer TWindow::Timer(WPARAM nTimerId, LPARAM) { return Answer::Number(TIMEREVENT(nTimerId)); }

Answer TWindow::DropFiles(HDROP hDrop) {
    if (bDropFiles) {
        POINT at{};
        ondemand::DragQueryPoint(hDrop, &at);
        std::vector<std::string> files;
        const UINT count = ondemand::DragQueryFileA(hDrop, 0xFFFFFFFF, nullptr, 0);
        for (UINT i = 0; i < count; ++i) {
            // Sized by the system: in UTF-8 a path may take more than MAX_PATH bytes.
            std::string path(ondemand::DragQueryFileA(hDrop, i, nullptr, 0) + 1, '\0');
            path.resize(ondemand::DragQueryFileA(hDrop, i, path.data(), static_cast<UINT>(path.size())));
            files.push_back(std::move(path));
        }
        bDropFiles(at.y, at.x, files);
    }
    ondemand::DragFinish(hDrop);  // released here: nobody else will
    return Answer::Nil();
}

Answer TWindow::DropOver(int nRow, int nCol, LPARAM nPacked) {
    if (bDropOver) bDropOver(GETDROPINFO(), nRow, nCol, nPacked);
    return Answer::Nil();
}

Answer TWindow::CommNotify(WPARAM wParam, LPARAM lParam) {
    return bCommNotify ? bCommNotify(wParam, lParam) : Answer::Nil();
}

Answer TWindow::AsyncSelect(WPARAM wParam, LPARAM lParam) {
    if (bSocket) bSocket(wParam, lParam);
    return Answer::Nil();
}

Answer TWindow::TaskBar(WPARAM wParam, LPARAM lParam) {
    return bTaskBar ? bTaskBar(wParam, lParam) : Answer::Nil();
}

// The command text travels in global memory; the client always gets its acknowledgement.
Answer TWindow::DdeExecute(WPARAM hWndClient, LPARAM hCommands) {
    const auto client = reinterpret_cast<HWND>(hWndClient);
    UINT_PTR unusedLow = 0, commandsHandle = 0;
    UnpackDDElParam(WM_DDE_EXECUTE, hCommands, &unusedLow, &commandsHandle);
    if (bDdeExecute) {
        const auto memory = reinterpret_cast<HGLOBAL>(commandsHandle);
        const char* text = memory ? static_cast<const char*>(GlobalLock(memory)) : nullptr;
        bDdeExecute(client, text ? text : "");
        if (text) GlobalUnlock(memory);
    }
    constexpr UINT_PTR kPositiveAck = 0x8000;  // DDEACK with fAck set
    PostMessageA(client, WM_DDE_ACK, reinterpret_cast<WPARAM>(hWnd),
                 PackDDElParam(WM_DDE_ACK, kPositiveAck, commandsHandle));
    return Answer::Nil();
}

Answer TWindow::QueryDragIcon() {
    return Answer::Number(reinterpret_cast<LRESULT>(oIcon && oIcon->hIcon ? oIcon->hIcon : DefaultIcon()));
}

}  // namespace corvix
