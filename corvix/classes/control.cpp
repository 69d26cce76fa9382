#include "corvix/classes/control.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>

#include "corvix/classes/brush.h"
#include "corvix/classes/cursor.h"
#include "corvix/classes/font.h"
#include "corvix/classes/reference.h"
#include "corvix/function/cxerror.h"
#include "corvix/native/dlgtemplate.h"
#include "corvix/native/eventloop.h"
#include "corvix/native/designdraw.h"
#include "corvix/native/help.h"
#include "corvix/native/lmessages.h"
#include "corvix/native/msgbox.h"
#include "corvix/native/themes.h"
#include "corvix/native/wnddock.h"
#include "corvix/native/wndpos.h"
#include "corvix/native/wrappers.h"

namespace corvix {

int TControl::nInitID = 100;
std::optional<POINT> TControl::nPoint;
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

POINT anchor{};  // where a design drag started, in the control's client area (x column, y row)

// Down to a multiple of the step, also below zero.
int SnapDown(int n, int step) { return (n >= 0 ? n : n - step + 1) / step * step; }
int GridWidth() { return GETGRIDSIZE().first; }
int GridHeight() { return GETGRIDSIZE().second; }
POINT Snapped(int nRow, int nCol) { return {SnapDown(nCol, GridWidth()), SnapDown(nRow, GridHeight())}; }

HCURSOR SystemCursor(LPCSTR id) { return LoadCursorA(nullptr, id); }

// One of the eight resize handles: a click starts resizing the parent's focused control.
class ResizeHandle : public TWindow {
public:
    int nHandle = 0;
    HCURSOR hCursor = nullptr;
    Answer MouseMove(int, int, WPARAM) override {
        SetCursor(hCursor);
        return Answer::Number(0);
    }
    Answer LButtonDown(int, int, WPARAM) override {
        TControl::HideDots();
        const auto parent = Parent();
        if (const auto focused = std::dynamic_pointer_cast<TControl>(parent ? parent->oCtlFocus.lock() : nullptr))
            focused->MResize(nHandle, hWnd);
        return Answer::Number(0);
    }
};

std::shared_ptr<TWindow> TWindow::*const kDockSlots[] = {&TWindow::oTop, &TWindow::oLeft, &TWindow::oBottom,
                                                        &TWindow::oRight, &TWindow::oClient};

}  // namespace

std::vector<std::shared_ptr<TWindow>>& TControl::aDots() {
    static std::vector<std::shared_ptr<TWindow>> dots;
    return dots;
}

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
        case WM_CAPTURECHANGED:
            if (reinterpret_cast<HWND>(lParam) != hWnd) dragging = false;  // the drag lost the mouse
            return Answer::Nil();
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
            parent->lValidating = true;
            parent->nLastKey = 0;
            ForWhen();
            parent->lValidating = false;
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
    // Cleared however the validation ends, a bValid that throws included.
    struct Validating {
        std::shared_ptr<TWindow> parent, other;
        ~Validating() {
            parent->lValidating = false;
            if (other) other->lValidating = false;
        }
    } const validating{parent, otherParent};
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
    const std::string cls = ClassName();
    const bool onParentBackground = cls == "TCHECKBOX" || cls == "TRADIO" || cls == "TGROUP";
    if (lTransparent) {
        SetBkMode(hDCCtl, TRANSPARENT);
        if (ISAPPTHEMED() && oBrush->hBitmap) {
            BITMAP bitmap{};
            GetObjectA(oBrush->hBitmap, sizeof bitmap, &bitmap);
            // Where the control stands now: docking or a move may have taken it from its stored place.
            SetBrushOrgEx(hDCCtl, bitmap.bmWidth - WNDLEFT(hWnd).value_or(nLeft),
                          bitmap.bmHeight - WNDTOP(hWnd).value_or(nTop), nullptr);
            RECT client{};
            GetClientRect(hWnd, &client);
            FillRect(hDCCtl, &client, oBrush->hBrush);
        } else if (ISAPPTHEMED() && onParentBackground) {
            PARENTIMAGE(hWnd, hDCCtl);
            if (cls != "TGROUP") SendMessageA(GetParent(hWnd), WM_ERASEBKGND, reinterpret_cast<WPARAM>(hDCCtl), 0);
        }
    } else if (ISAPPTHEMED() && onParentBackground) {
        DRAWPBACK(hWnd, hDCCtl);
    }
    return Answer::Number(reinterpret_cast<LRESULT>(oBrush->hBrush));
}

void TControl::Set3DLook(bool lOnOff) {
    l3DLook = lOnOff;
    CTL3DLOOK(hWnd, lOnOff);
}

Answer TControl::HelpTopic() {
    if (nHelpId.IsString())
        HELPTOPIC(nHelpId.AsString());
    else if (nHelpId.IsNumber())
        HELPPOPUP(static_cast<int>(nHelpId.AsInteger()), hWnd);
    else
        return Answer::Nil();
    return Answer::Number(0);
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

void TControl::AdjTop() {
    if (const auto p = Parent()) WNDADJTOP(hWnd, TopNeighbour(*p), BottomNeighbour(*p));
    FollowDots();
}

void TControl::AdjBottom() {
    if (const auto p = Parent()) WNDADJBOTTOM(hWnd, TopNeighbour(*p), BottomNeighbour(*p));
    FollowDots();
}

void TControl::AdjLeft() {
    if (const auto p = Parent()) WNDADJLEFT(hWnd, TopNeighbour(*p), BottomNeighbour(*p));
    FollowDots();
}

void TControl::AdjRight() {
    if (const auto p = Parent()) WNDADJRIGHT(hWnd, TopNeighbour(*p), BottomNeighbour(*p));
    FollowDots();
}

void TControl::AdjClient() {
    if (const auto p = Parent())
        WNDADJCLIENT(hWnd, TopNeighbour(*p), BottomNeighbour(*p), WindowOf(p->oLeft), WindowOf(p->oRight),
                     nClientBevel);
    FollowDots();
}

// ---- mouse ----

Answer TControl::LButtonDown(int nRow, int nCol, WPARAM nKeyFlags) {
    if (const auto parent = Parent()) parent->nLastKey = kMouseKey;
    lMouseDown = true;
    nLastRow = nRow;
    nLastCol = nCol;
    if (!lDrag) return TWindow::LButtonDown(nRow, nCol, nKeyFlags);
    HideDots();
    CURSORCATCH();
    if (!lCaptured) {
        anchor = Snapped(nRow, nCol);
        nPoint = anchor;
        CTRLDRAWFOCUS(hWnd);
        SetCapture(hWnd);
        lCaptured = true;
    }
    return Answer::Number(0);
}

Answer TControl::MouseMove(int nRow, int nCol, WPARAM nKeyFlags) {
    const int row = SignedCoordinate(static_cast<WORD>(nRow)), col = SignedCoordinate(static_cast<WORD>(nCol));
    if (lDrag) {
        if (!lCaptured || !nPoint) {
            ShowCursor();
            return Answer::Number(0);
        }
        if (nMResize == 0) CURSORCATCH();
        if (std::abs(row - nPoint->y) >= GridHeight() || std::abs(col - nPoint->x) >= GridWidth()) {
            DrawBand(*nPoint);  // erases the band drawn there
            nPoint = Snapped(row, col);
            DrawBand(*nPoint);
        }
        return Answer::Number(0);
    }
    if (!lMouseDown || !oDragCursor || (std::abs(row - nLastRow) <= 5 && std::abs(col - nLastCol) <= 5))
        return TWindow::MouseMove(row, col, nKeyFlags);
    if (!dragging) {
        DragBegin(row, col, nKeyFlags);
        oDragCursor->Activate();
        return Answer::Number(0);
    }
    if (bMMoved) bMMoved(row, col, nKeyFlags);
    POINT at{col, row};
    ClientToScreen(hWnd, &at);
    const HWND under = WindowFromPoint(at);
    const auto target = OWNDFROMHWND(under);
    if (under == hWnd || (target && target->bDropOver))
        oDragCursor->Activate();
    else
        CURSORNO();
    return Answer::Number(0);
}

Answer TControl::LButtonUp(int nRow, int nCol, WPARAM nKeyFlags) {
    lMouseDown = false;
    if (lDrag) return DesignRelease();
    if (!dragging) return TWindow::LButtonUp(nRow, nCol, nKeyFlags);
    dragging = false;
    ReleaseCapture();
    POINT at{SignedCoordinate(static_cast<WORD>(nCol)), SignedCoordinate(static_cast<WORD>(nRow))};
    ClientToScreen(hWnd, &at);
    if (const HWND target = WindowFromPoint(at))
        SendMessageA(target, LM_DROPOVER, nKeyFlags, MAKELPARAM(static_cast<WORD>(nRow), static_cast<WORD>(nCol)));
    return Answer::Nil();
}

Answer TControl::LDblClick(int nRow, int nCol, WPARAM nKeyFlags) {
    if (!lDrag) return TWindow::LDblClick(nRow, nCol, nKeyFlags);
    if (bLDblClick) bLDblClick(nRow, nCol, nKeyFlags, *this);
    return LButtonUp(nRow, nCol, nKeyFlags);
}

void TControl::DrawBand(POINT at) const {
    CTRLDRAWFOCUS(hWnd, at.y - anchor.y, at.x - anchor.x, at.y, at.x, nMResize);
}

// The band's last point, not the release point, decides where the control goes.
Answer TControl::DesignRelease() {
    if (lCaptured && nPoint) {
        ReleaseCapture();
        lCaptured = false;
        DrawBand(*nPoint);
        const int top = WNDTOP(hWnd).value_or(0), left = WNDLEFT(hWnd).value_or(0);
        const int width = WNDWIDTH(hWnd), height = WNDHEIGHT(hWnd);
        if (nMResize == 0) {
            Place(top + nPoint->y - anchor.y, left + nPoint->x - anchor.x, width, height);
        } else {
            POINT at = *nPoint;
            MapWindowPoints(hWnd, GetParent(hWnd), &at, 1);
            const POINT p = Snapped(at.y, at.x);
            const int r = p.y, c = p.x;
            switch (nMResize) {
                case 1: Place(r, c, width + (left - c), height + (top - r)); break;
                case 2: Place(r, left, width, height + (top - r)); break;
                case 3: Place(r, left, c - left, height + (top - r)); break;
                case 4: Place(top, left, c - left, height); break;
                case 5: Place(top, left, c - left, r - top); break;
                case 6: Place(top, left, width, r - top); break;
                case 7: Place(top, c, width + (left - c), r - top); break;
                case 8: Place(top, c, width + (left - c), height); break;
                default: break;
            }
        }
        nPoint.reset();
        if (const auto parent = Parent(); parent && nAlign() != 0) parent->ReSize();
        if (!aDots().empty()) ShowDots();
        nMResize = 0;
    }
    if (GetFocus() != hWnd) ::SetFocus(hWnd);
    return Answer::Number(0);
}

void TControl::Move(int nNewTop, int nNewLeft, int nNewWidth, int nNewHeight, bool lRepaint) {
    TWindow::Move(nNewTop, nNewLeft, nNewWidth, nNewHeight, lRepaint);
    FollowDots();
}

void TControl::nWidth(int nNewWidth) {
    TWindow::nWidth(nNewWidth);
    FollowDots();
}

void TControl::nHeight(int nNewHeight) {
    TWindow::nHeight(nNewHeight);
    FollowDots();
}

void TControl::FollowDots() {
    if (lDrag && GetFocus() == hWnd && !aDots().empty()) ShowDots();
}

std::vector<std::string> TControl::Inspect(const std::string& cName) const {
    if (cName == "nAlign") return {"None", "Top", "Left", "Bottom", "Right", "Client"};
    return {};
}

void TControl::Place(int nNewTop, int nNewLeft, int nNewWidth, int nNewHeight) {
    Move(nNewTop, nNewLeft, nNewWidth, nNewHeight, true);
    nTop = nNewTop;
    nLeft = nNewLeft;
    nBottom = nNewTop + nNewHeight - 1;
    nRight = nNewLeft + nNewWidth - 1;
}

void TControl::CheckDots() {
    const auto parent = Parent();
    if (!hWnd || !parent || !parent->hWnd) return;  // a control still waiting for its dialog's window
    Place(SnapDown(nTop, GridHeight()), SnapDown(nLeft, GridWidth()), SnapDown(nRight - nLeft + 1, GridWidth()),
          SnapDown(nBottom - nTop + 1, GridHeight()));
    auto& dots = aDots();
    if (!dots.empty() && IsWindow(dots.front()->hWnd)) return;
    dots.clear();
    static const LPCSTR kCursors[8] = {IDC_SIZENWSE, IDC_SIZENS, IDC_SIZENESW, IDC_SIZEWE,
                                       IDC_SIZENWSE, IDC_SIZENS, IDC_SIZENESW, IDC_SIZEWE};
    const auto keepDefault = GETWNDDEFAULT();  // handles are no one's default window
    for (int k = 1; k <= 8; ++k) {
        auto dot = std::make_shared<ResizeHandle>();
        dot->nHandle = k;
        dot->hCursor = SystemCursor(kCursors[k - 1]);
        dot->Init({.nTop = 0, .nLeft = 0, .nBottom = 2, .nRight = 2, .nStyle = WS_CHILD | WS_CLIPSIBLINGS,
                   .oWnd = parent, .cColors = "N/N", .lPixel = true});
        dots.push_back(dot);
    }
    SETWNDDEFAULT(keepDefault);
}

void TControl::ShowDots() {
    const auto parent = Parent();
    auto& dots = aDots();
    if (!parent || dots.empty()) return;
    std::array<HWND, 8> windows{};
    for (size_t i = 0; i < dots.size() && i < windows.size(); ++i) {
        if (dots[i]->Parent() != parent) {
            ShowWindow(dots[i]->hWnd, SW_HIDE);
            dots[i]->oWnd = parent;
            SetParent(dots[i]->hWnd, parent->hWnd);
        }
        windows[i] = dots[i]->hWnd;
    }
    DOTSADJUST(hWnd, windows);
    for (HWND dot : windows) ShowWindow(dot, SW_SHOWNA);
}

void TControl::HideDots() {
    for (const auto& dot : aDots()) ShowWindow(dot->hWnd, SW_HIDE);
    SYSREFRESH();
}

void TControl::MResize(int nHandle, HWND hDot) {
    RECT dot{};
    GetWindowRect(hDot, &dot);
    POINT corner{dot.right, dot.bottom};
    ScreenToClient(hWnd, &corner);
    anchor = Snapped(corner.y, corner.x);
    nPoint = anchor;
    nLastRow = anchor.y;
    nLastCol = anchor.x;
    nMResize = nHandle;
    DrawBand(anchor);
    lCaptured = true;
    SetCapture(hWnd);
}

void TControl::DragBegin(int nRow, int nCol, WPARAM nKeyFlags) {
    dragging = true;
    SetCapture(hWnd);
    if (bDragBegin) bDragBegin(nRow, nCol, nKeyFlags, *this);
}

}  // namespace corvix
