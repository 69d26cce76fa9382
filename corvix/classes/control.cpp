// TControl: identifiers, getting a window, dispatch, focus and validation,
// keyboard, colours and docking. The mouse is in controlmouse.cpp.

#include "corvix/classes/control.h"

#include <algorithm>
#include <cstdio>

#include "corvix/classes/brush.h"
#include "corvix/classes/dialog.h"
#include "corvix/classes/font.h"
#include "corvix/classes/reference.h"
#include "corvix/function/cxerror.h"
#include "corvix/native/dlgitems.h"
#include "corvix/native/dlgtemplate.h"
#include "corvix/native/eventloop.h"
#include "corvix/native/help.h"
#include "corvix/native/lmessages.h"
#include "corvix/native/msgbox.h"
#include "corvix/native/themes.h"
#include "corvix/native/wnddock.h"
#include "corvix/native/wndpos.h"
#include "corvix/native/wrappers.h"

namespace corvix {

int TControl::nInitID = 100;
const std::vector<std::string> TControl::aProperties = {"cTitle", "cVarName", "l3D",  "nClrText",
                                                        "nClrPane", "nAlign",  "nTop", "nLeft",
                                                        "nWidth", "nHeight", "oFont", "Cargo"};

namespace {

constexpr int kLastId = 30000;

bool ShiftHeld() { return GetKeyState(VK_SHIFT) < 0; }

bool IsNavigationKey(int nKey) { return nKey == VK_TAB || nKey == VK_RETURN || nKey == VK_DOWN || nKey == VK_UP; }

// True when both windows lie under one top-level window.
bool ShareAnAncestor(HWND a, HWND b) { return GetAncestor(a, GA_ROOT) == GetAncestor(b, GA_ROOT); }

// Marks the windows as validating for its life, a callback that throws included.
class ValidatingScope {
public:
    explicit ValidatingScope(std::shared_ptr<TWindow> parent, std::shared_ptr<TWindow> other = nullptr)
        : parent_(std::move(parent)), other_(std::move(other)) {
        parent_->lValidating = true;
        if (other_) other_->lValidating = true;
    }
    ~ValidatingScope() {
        parent_->lValidating = false;
        if (other_) other_->lValidating = false;
    }
    ValidatingScope(const ValidatingScope&) = delete;
    ValidatingScope& operator=(const ValidatingScope&) = delete;

private:
    std::shared_ptr<TWindow> parent_, other_;
};

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
    lCaptured = false;  // not Default(): a control designed before its dialog opened stays in design mode
    lFocused = false;
    hWnd = DialogItems::Find(hDlg, nId);
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
    if (lDrag) CheckDots();
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

void TControl::CoorsUpdate() {
    if (!hWnd || dynamic_cast<const TDialog*>(Parent().get())) return;
    const RectArray r = GETCOORS(hWnd);
    nTop = r.nTop;
    nLeft = r.nLeft;
    nBottom = r.nBottom - 1;
    nRight = r.nRight - 1;
}

void TControl::Default() {
    lDrag = false;
    lCaptured = false;
}

bool TControl::End() {
    const auto keepAlive = weak_from_this().lock();  // the parent's list may hold the last reference
    if (!TWindow::End()) return false;  // bValid refused: the control stays
    if (const auto parent = Parent()) {
        if (nAlign() > 1) nAlign(1);  // its docked space goes to the others
        auto& controls = parent->aControls;
        const auto it = std::find_if(controls.begin(), controls.end(), [this](const auto& c) { return c.get() == this; });
        if (it != controls.end()) controls.erase(it);
        if (parent->oCtlFocus.lock().get() == this) parent->oCtlFocus.reset();
    }
    return true;
}

Answer TControl::HandleEvent(UINT nMsg, WPARAM wParam, LPARAM lParam) {
    switch (nMsg) {
        case WM_HELP: return HelpTopic();
        case LM_CLICK: Click(); return Answer::Nil();
        case WM_KEYUP: return KeyUp(static_cast<int>(wParam), lParam);
        case WM_KILLFOCUS: return KillFocus(reinterpret_cast<HWND>(wParam));
        case WM_PAINT: return Display();
        case LM_CHANGE: return Change();
        case LM_COLOR: return Colors(reinterpret_cast<HDC>(wParam));
        case LM_VALIDATE: CXLostFocus(reinterpret_cast<HWND>(wParam)); return Answer::Nil();
        case WM_SYSCHAR: return SysChar(static_cast<int>(wParam), lParam);
        case WM_SYSKEYDOWN: return SysKeyDown(static_cast<int>(wParam), lParam);
        case WM_CAPTURECHANGED: CaptureChanged(reinterpret_cast<HWND>(lParam)); return Answer::Nil();
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
        parent->nResult = Value(std::static_pointer_cast<Object>(shared_from_this()));  // a dialog reads it
        parent->oCtlFocus = weak_from_this();
        parent->hCtlFocus = hWnd;
        parent->SetMsg(cMsg);
    }
    if (lDrag) ShowDots();
    return bGotFocus ? bGotFocus(*this, hWndLost) : Answer::Nil();
}

Answer TControl::KillFocus(HWND hWndGetFocus) {
    const auto parent = Parent();
    if (parent && hWndGetFocus && bValid && ShareAnAncestor(hWnd, hWndGetFocus)) {
        const auto target = OWNDFROMHWND(hWndGetFocus);
        if (target && target->lCancel && !IsNavigationKey(parent->nLastKey)) {
            // Focus moved by mouse onto a Cancel button: no validation.
            {
                const ValidatingScope validating(parent);
                parent->nLastKey = 0;
                ForWhen();
            }
            return LostFocus(hWndGetFocus);
        }
    }
    char focusClass[16] = {};
    if (parent && GetClassNameA(hWndGetFocus, focusClass, sizeof focusClass) && std::string(focusClass) == "TBTNBMP")
        parent->nLastKey = 0;  // a bar button takes the focus without moving it on
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
    std::shared_ptr<TWindow> otherParent;
    if (const HWND other = GetParent(hWndGetFocus); other && other != parent->hWnd) {
        otherParent = OWNDFROMHWND(other);
        if (otherParent && otherParent->lValidating) return;
    }
    const ValidatingScope validating(parent, otherParent);
    if (!lValid())
        SETFOCUS(hWnd);
    else
        ForWhen();
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
    if (lDrag) {
        if (nKey == VK_DELETE && MSGYESNO("Delete this control ?")) {
            const auto parent = Parent();
            End();
            if (parent && parent->aControls.empty()) HideDots();
        }
        return Answer::Nil();
    }
    return TWindow::KeyDown(nKey, nFlags);
}

// Alt+letter is left to the default processing (the mnemonics of child
// windows of a multiple-document frame are not built yet).
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
    const bool themed = ISAPPTHEMED();
    const std::string cls = themed ? ClassName() : std::string();
    const bool onParentBackground = cls == "TCHECKBOX" || cls == "TRADIO" || cls == "TGROUP";
    if (lTransparent) {
        SetBkMode(hDCCtl, TRANSPARENT);
        if (themed && oBrush->hBitmap) {
            BITMAP bitmap{};
            GetObjectA(oBrush->hBitmap, sizeof bitmap, &bitmap);
            // Where the control stands now: docking or a move may have taken it from its stored place.
            SetBrushOrgEx(hDCCtl, bitmap.bmWidth - WNDLEFT(hWnd).value_or(nLeft),
                          bitmap.bmHeight - WNDTOP(hWnd).value_or(nTop), nullptr);
            RECT client{};
            GetClientRect(hWnd, &client);
            FillRect(hDCCtl, &client, oBrush->hBrush);
        } else if (onParentBackground) {
            PARENTIMAGE(hWnd, hDCCtl);
            if (cls != "TGROUP") SendMessageA(GetParent(hWnd), WM_ERASEBKGND, reinterpret_cast<WPARAM>(hDCCtl), 0);
        }
    } else if (onParentBackground) {
        DRAWPBACK(hWnd, hDCCtl);
    }
    return Answer::Number(reinterpret_cast<LRESULT>(oBrush->hBrush));
}

void TControl::Set3DLook(bool lOnOff) {
    l3DLook = lOnOff;
    CTL3DLOOK(hWnd, lOnOff);
}

Answer TControl::HelpTopic() {
    if (nHelpId.IsNil()) return Answer::Nil();
    if (const auto dialog = std::dynamic_pointer_cast<TDialog>(Parent())) dialog->lHelpIcon = false;
    return TWindow::HelpTopic();
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

void TControl::DockBetween(void (*dock)(HWND, HWND, HWND)) {
    if (const auto p = Parent()) dock(hWnd, TopNeighbour(*p), BottomNeighbour(*p));
    CoorsUpdate();
    FollowDots();
}

void TControl::AdjTop() { DockBetween(&WNDADJTOP); }
void TControl::AdjBottom() { DockBetween(&WNDADJBOTTOM); }
void TControl::AdjLeft() { DockBetween(&WNDADJLEFT); }
void TControl::AdjRight() { DockBetween(&WNDADJRIGHT); }

void TControl::AdjClient() {
    if (const auto p = Parent())
        WNDADJCLIENT(hWnd, TopNeighbour(*p), BottomNeighbour(*p), WindowOf(p->oLeft), WindowOf(p->oRight),
                     nClientBevel);
    CoorsUpdate();
    FollowDots();
}

}  // namespace corvix
