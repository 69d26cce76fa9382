#include "corvix/classes/control.h"

#include <algorithm>
#include <cstdio>

#include "corvix/classes/brush.h"
#include "corvix/classes/font.h"
#include "corvix/classes/reference.h"
#include "corvix/function/cxerror.h"
#include "corvix/native/dlgitem.h"
#include "corvix/native/eventloop.h"
#include "corvix/native/lmessages.h"
#include "corvix/native/wnddock.h"
#include "corvix/native/wrappers.h"

namespace corvix {

int TControl::nInitID = 100;
const std::vector<std::string> TControl::aProperties = {"cTitle", "cVarName", "l3D",  "nClrText",
                                                        "nClrPane", "nAlign",  "nTop", "nLeft",
                                                        "nWidth", "nHeight", "oFont", "Cargo"};

namespace {

constexpr int kLastId = 30000;
bool dragging = false;  // a drag and drop is in progress, in the whole process

bool ShiftHeld() { return GetKeyState(VK_SHIFT) < 0; }

bool IsNavigationKey(int nKey) { return nKey == VK_TAB || nKey == VK_RETURN || nKey == VK_DOWN || nKey == VK_UP; }

// True when both windows lie under one top-level window.
bool ShareAnAncestor(HWND a, HWND b) { return GetAncestor(a, GA_ROOT) == GetAncestor(b, GA_ROOT); }

std::shared_ptr<TWindow> TWindow::*const kDockSlots[] = {&TWindow::oTop, &TWindow::oLeft, &TWindow::oBottom,
                                                        &TWindow::oRight, &TWindow::oClient};

}  // namespace

int TControl::GetNewId() {
    nInitID = nInitID < kLastId ? nInitID + 1 : 100;
    return nInitID;
}

void TControl::CreateOrDefine(const std::string& cClsName) {
    const auto parent = Parent();
    if (!parent) {
        RaiseError(LibraryError("Control without a parent window", cClsName + ": " + cCaption));
        return;
    }
    const auto self = shared_from_this();
    if (!parent->hWnd) {
        parent->DefControl(self);
        return;
    }
    Create(cClsName);
    if (!hWnd) return;
    parent->AddControl(self);
    if (oFont) {
        std::shared_ptr<TFont> font;
        std::swap(font, oFont);  // SetFont takes its own reference
        SetFont(font);
    }
}

void TControl::Redefine(int nNewId, std::shared_ptr<TWindow> oParent) {
    nId = nNewId;
    oWnd = oParent;
    lValidating = false;
    Register();
    if (oParent) oParent->DefControl(shared_from_this());
}

void TControl::Initiate(HWND hDlg) {
    Default();
    lFocused = false;
    hWnd = GetDlgItem(hDlg, nId);
    if (!hWnd) {
        char text[16];
        std::snprintf(text, sizeof text, "No: %6d", nId);
        RaiseError(*CXGENERROR(1, text));
        return;
    }
    lActive ? Enable() : Disable();
    Link();
    if (oFont) {
        std::shared_ptr<TFont> font;
        std::swap(font, oFont);
        SetFont(font);
    } else {
        GetFont();
    }
    if (const auto parent = Parent(); lTransparent && parent) SetBrush(parent->oBrush);
}

std::string TControl::cToChar(std::string cClsName) {
    if (cClsName.empty()) cClsName = ClassName();
    if (!nId) nId = GetNewId();
    if (!nStyle) nStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
    const LONG base = GETDLGBASEUNITS();
    const int across = LOWORD(base), down = HIWORD(base);
    return CCTRL2CHR(16 * nTop / down, 8 * nLeft / across, 16 * nBottom / down, 8 * nRight / across, nId, nStyle,
                     cClsName, cCaption);
}

void TControl::Default() {
    lDrag = false;
    lCaptured = false;
}

bool TControl::End() {
    if (const auto parent = Parent()) {
        auto& controls = parent->aControls;
        const auto it = std::find_if(controls.begin(), controls.end(), [this](const auto& c) { return c.get() == this; });
        if (it != controls.end()) controls.erase(it);
        if (parent->oCtlFocus.lock().get() == this) parent->oCtlFocus.reset();
    }
    return TWindow::End();
}

Answer TControl::HandleEvent(UINT nMsg, WPARAM wParam, LPARAM lParam) {
    switch (nMsg) {
        case LM_CLICK: Click(); return Answer::Nil();
        case WM_KEYUP: return KeyUp(static_cast<int>(wParam), lParam);
        case WM_KILLFOCUS: return KillFocus(reinterpret_cast<HWND>(wParam));
        case WM_PAINT: return Display();
        case LM_CHANGE: return Change();
        case LM_COLOR: return Colors(reinterpret_cast<HDC>(wParam));
        case LM_VALIDATE: CXLostFocus(reinterpret_cast<HWND>(wParam)); return Answer::Nil();
        case WM_SYSCHAR: return SysChar(static_cast<int>(wParam), lParam);
        case WM_SYSKEYDOWN: return SysKeyDown(static_cast<int>(wParam), lParam);
        case WM_UPDATEUISTATE: {
            const Answer inherited = TWindow::HandleEvent(nMsg, wParam, lParam);
            if (const auto parent = Parent()) parent->Refresh();
            return inherited;
        }
        default: return TWindow::HandleEvent(nMsg, wParam, lParam);
    }
}

// ---- focus and validation ----

Answer TControl::GotFocus(HWND hWndLost) {
    lFocused = true;
    if (const auto parent = Parent()) {
        parent->oCtlFocus = weak_from_this();
        parent->hCtlFocus = hWnd;
        parent->SetMsg(cMsg);
    }
    if (bGotFocus) bGotFocus(*this);
    (void)hWndLost;
    return Answer::Nil();
}

Answer TControl::KillFocus(HWND hWndGetFocus) {
    const auto parent = Parent();
    if (parent && hWndGetFocus && bValid && ShareAnAncestor(hWnd, hWndGetFocus)) {
        const auto target = OWNDFROMHWND(hWndGetFocus);
        if (target && target->lCancel && !IsNavigationKey(parent->nLastKey)) {
            // Focus moved by mouse onto a Cancel button: no validation.
            parent->lValidating = true;
            parent->nLastKey = 0;
            ForWhen();
            parent->lValidating = false;
            return LostFocus(hWndGetFocus);
        }
    }
    if (parent && hWndGetFocus && !parent->lValidating && IsWindowVisible(parent->hWnd) &&
        ShareAnAncestor(hWnd, hWndGetFocus))
        PostMessageA(hWnd, LM_VALIDATE, reinterpret_cast<WPARAM>(hWndGetFocus), 0);
    return LostFocus(hWndGetFocus);
}

Answer TControl::LostFocus(HWND hWndGetFocus) {
    if (const auto parent = Parent()) parent->SetMsg("");
    return TWindow::LostFocus(hWndGetFocus);
}

void TControl::CXLostFocus(HWND hWndGetFocus) {
    const auto parent = Parent();
    if (!parent || parent->lValidating) return;
    parent->lValidating = true;
    std::shared_ptr<TWindow> otherParent;
    if (const HWND other = GetParent(hWndGetFocus); other && other != parent->hWnd) {
        otherParent = OWNDFROMHWND(other);
        if (otherParent && otherParent->lValidating) {
            parent->lValidating = false;
            return;
        }
        if (otherParent) otherParent->lValidating = true;
    }
    if (!lValid())
        SETFOCUS(hWnd);
    else
        ForWhen();
    parent->lValidating = false;
    if (otherParent) otherParent->lValidating = false;
}

void TControl::ForWhen() {
    const auto parent = Parent();
    if (!parent) return;
    parent->AEvalWhen();
    lCaptured = false;
    const int key = parent->nLastKey;
    if (const auto jump = oJump.lock()) {
        oJump.reset();
        ::SetFocus(jump->hWnd);
    } else if (key == VK_UP || (key == VK_TAB && ShiftHeld())) {
        parent->GoPrevCtrl(hWnd);
    } else if (key == VK_DOWN || key == VK_RETURN || key == VK_TAB) {
        parent->GoNextCtrl(hWnd);
    } else if (!GetFocus()) {
        ::SetFocus(hWnd);
    }
    parent->nLastKey = 0;
}

void TControl::SetFocus() {
    if (lWhen()) {
        ::SetFocus(hWnd);
        return;
    }
    const HWND parentWindow = GetParent(hWnd);
    const HWND next = GetWindow(hWnd, GW_HWNDNEXT);
    ::SetFocus(next && GetParent(next) == parentWindow ? next : GetWindow(parentWindow, GW_CHILD));
}

Answer TControl::GetDlgCode(WPARAM nKey) {
    const auto parent = Parent();
    if (parent && !parent->lValidating && IsNavigationKey(static_cast<int>(nKey)))
        parent->nLastKey = static_cast<int>(nKey);
    return nDlgCode ? Answer::Number(*nDlgCode) : Answer::Nil();
}

// ---- keyboard ----

Answer TControl::KeyChar(int nKey, LPARAM nFlags) {
    const auto parent = Parent();
    if (!parent) return TWindow::KeyChar(nKey, nFlags);
    switch (nKey) {
        case VK_ESCAPE:
            parent->KeyChar(nKey, nFlags);
            return Answer::Number(0);
        case VK_TAB:
            ShiftHeld() ? parent->GoPrevCtrl(hWnd) : parent->GoNextCtrl(hWnd);
            return Answer::Number(0);
        case VK_RETURN: {
            SYSREFRESH();
            const int defId = LOWORD(SendMessageA(parent->hWnd, DM_GETDEFID, 0, 0));
            if (const HWND def = defId && defId != nId ? GetDlgItem(parent->hWnd, defId) : nullptr;
                def && (GetWindowLongPtrA(def, GWL_STYLE) & BS_DEFPUSHBUTTON)) {
                SendMessageA(def, WM_KEYDOWN, VK_RETURN, 0);
                return Answer::Number(0);
            }
            if (GetDlgItem(parent->hWnd, IDOK)) return Answer::Number(0);
            return TWindow::KeyChar(nKey, nFlags);
        }
        default: return TWindow::KeyChar(nKey, nFlags);
    }
}

Answer TControl::KeyDown(int nKey, LPARAM nFlags) {
    if (const auto parent = Parent(); parent && nKey == VK_ESCAPE) {
        parent->KeyDown(nKey, nFlags);
        return Answer::Number(0);
    }
    return TWindow::KeyDown(nKey, nFlags);
}

// Alt+letter on the controls of a plain window is left to the default processing.
Answer TControl::SysChar(int, LPARAM) { return Answer::Nil(); }

Answer TControl::SysKeyDown(int nKey, LPARAM nFlags) {
    if (bSysKeyDown) bSysKeyDown(nKey, nFlags, *this);
    return Answer::Nil();
}

void TControl::Click() {
    if (const auto parent = Parent()) parent->AEvalWhen();
}

void TControl::ChangeFocus() const { PostMessageA(hWnd, LM_CHANGEFOCUS, 0, 0); }

// ---- colours ----

Answer TControl::Colors(HDC hDCCtl) {
    if (!nClrText) nClrText = GetTextColor(hDCCtl);
    if (!nClrPane) nClrPane = GetBkColor(hDCCtl);
    if (!oBrush) oBrush = TBrush::New({.nRGBColor = *nClrPane});
    SetTextColor(hDCCtl, *nClrText);
    SetBkColor(hDCCtl, *nClrPane);
    if (lTransparent) SetBkMode(hDCCtl, TRANSPARENT);
    return Answer::Number(reinterpret_cast<LRESULT>(oBrush->hBrush));
}

Answer TControl::EraseBkGnd(HDC hDCCtl) {
    if (bEraseBkGnd) {
        bEraseBkGnd(hDCCtl);
        return Answer::Number(1);
    }
    if (!oBrush || !oBrush->hBrush || lTransparent) return Answer::Nil();
    RECT client{};
    GetClientRect(hWnd, &client);
    FillRect(hDCCtl, &client, oBrush->hBrush);
    return Answer::Number(1);
}

// ---- docking ----

int TControl::nAlign() const {
    const auto parent = Parent();
    if (!parent) return 0;
    for (size_t i = 0; i < std::size(kDockSlots); ++i)
        if (((*parent).*kDockSlots[i]).get() == this) return static_cast<int>(i) + 2;
    return 1;
}

void TControl::nAlign(int nNewAlign) {
    const auto parent = Parent();
    if (!parent || nNewAlign < 1 || nNewAlign > 6) return;
    for (auto slot : kDockSlots) {
        if (((*parent).*slot).get() == this) {
            ((*parent).*slot).reset();
            break;
        }
    }
    if (nNewAlign > 1)
        (*parent).*kDockSlots[nNewAlign - 2] = shared_from_this();
    parent->ReSize();
}

namespace {

HWND WindowOf(const std::shared_ptr<TWindow>& w) { return w ? w->hWnd : nullptr; }
HWND TopNeighbour(const TWindow& parent) { return WindowOf(parent.oBar ? parent.oBar : parent.oTop); }
HWND BottomNeighbour(const TWindow& parent) { return WindowOf(parent.oMsgBar ? parent.oMsgBar : parent.oBottom); }

}  // namespace

void TControl::AdjTop() const {
    if (const auto p = Parent()) WNDADJTOP(hWnd, TopNeighbour(*p), BottomNeighbour(*p));
}

void TControl::AdjBottom() const {
    if (const auto p = Parent()) WNDADJBOTTOM(hWnd, TopNeighbour(*p), BottomNeighbour(*p));
}

void TControl::AdjLeft() const {
    if (const auto p = Parent()) WNDADJLEFT(hWnd, TopNeighbour(*p), BottomNeighbour(*p));
}

void TControl::AdjRight() const {
    if (const auto p = Parent()) WNDADJRIGHT(hWnd, TopNeighbour(*p), BottomNeighbour(*p));
}

void TControl::AdjClient() const {
    if (const auto p = Parent())
        WNDADJCLIENT(hWnd, TopNeighbour(*p), BottomNeighbour(*p), WindowOf(p->oLeft), WindowOf(p->oRight),
                     nClientBevel);
}

// ---- mouse ----

Answer TControl::LButtonDown(int nRow, int nCol, WPARAM nKeyFlags) {
    if (const auto parent = Parent()) parent->nLastKey = kMouseKey;
    lMouseDown = true;
    nLastRow = nRow;
    nLastCol = nCol;
    return TWindow::LButtonDown(nRow, nCol, nKeyFlags);
}

Answer TControl::MouseMove(int nRow, int nCol, WPARAM nKeyFlags) {
    const int row = SignedCoordinate(static_cast<WORD>(nRow)), col = SignedCoordinate(static_cast<WORD>(nCol));
    if (!lMouseDown || !oDragCursor || (std::abs(row - nLastRow) <= 5 && std::abs(col - nLastCol) <= 5))
        return TWindow::MouseMove(row, col, nKeyFlags);
    if (!dragging) DragBegin(row, col, nKeyFlags);
    return Answer::Number(0);
}

Answer TControl::LButtonUp(int nRow, int nCol, WPARAM nKeyFlags) {
    lMouseDown = false;
    if (!dragging) return TWindow::LButtonUp(nRow, nCol, nKeyFlags);
    dragging = false;
    ReleaseCapture();
    POINT at{SignedCoordinate(static_cast<WORD>(nCol)), SignedCoordinate(static_cast<WORD>(nRow))};
    ClientToScreen(hWnd, &at);
    if (const HWND target = WindowFromPoint(at))
        SendMessageA(target, LM_DROPOVER, nKeyFlags, MAKELPARAM(static_cast<WORD>(nRow), static_cast<WORD>(nCol)));
    return Answer::Nil();
}

void TControl::DragBegin(int nRow, int nCol, WPARAM nKeyFlags) {
    dragging = true;
    SetCapture(hWnd);
    if (bDragBegin) bDragBegin(nRow, nCol, nKeyFlags, *this);
}

}  // namespace corvix
