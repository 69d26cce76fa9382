// TBtnBmp: construction, bitmaps and the mouse and keyboard. Painting is in
// btnbmppaint.cpp.

#include "corvix/classes/btnbmp.h"

#include <algorithm>

#include "corvix/classes/bar.h"
#include "corvix/classes/font.h"
#include "corvix/classes/menu.h"
#include "corvix/classes/reference.h"
#include "corvix/function/cxerror.h"
#include "corvix/native/eventloop.h"
#include "corvix/native/msgbox.h"
#include "corvix/native/palbmp.h"
#include "corvix/native/wndpos.h"
#include "corvix/native/wrappers.h"

namespace corvix {

namespace {

constexpr LRESULT kWantAllKeys = DLGC_WANTALLKEYS;

// Clears a flag however the scope ends, an action that throws included.
struct ClearOnExit {
    bool& flag;
    ~ClearOnExit() { flag = false; }
};

}  // namespace

int TBtnBmp::LayoutOf(const std::string& cLayout) {
    static constexpr const char* kLayouts[] = {"TOP", "LEFT", "BOTTOM", "RIGHT"};
    const auto found = std::find(std::begin(kLayouts), std::end(kLayouts), cLayout);
    return found == std::end(kLayouts) ? 0 : static_cast<int>(found - std::begin(kLayouts)) + 1;
}

template <typename A>
void TBtnBmp::StoreCommon(const A& a) {
    cResName = {a.cResName1, a.cResName2, a.cResName3, a.cResName4};
    cBmpFile = {a.cBmpFile1, a.cBmpFile2, a.cBmpFile3, a.cBmpFile4};
    cMsg = a.cMsg;
    bAction = a.bAction;
    lAdjust = a.lAdjust;
    bWhen = a.bWhen;
    cToolTip = a.cToolTip;
    lPressed = a.lPressed;
    cCaption = a.cPrompt;
    lBorder = a.lBorder;
    l97Look = !a.lBorder;
    oPopup = a.oPopup;
    nLayout = LayoutOf(a.cLayout);
    lTransparent = a.lTransparent;
    if (a.oFont) HoldReference(oFont, a.oFont);
}

std::shared_ptr<TBtnBmp> TBtnBmp::NewBar(const NewBarArgs& a, std::source_location where) {
    auto b = std::make_shared<TBtnBmp>();
    b->oDefined = CallLevel::At(where);
    const auto& bar = a.oBar;
    if (!bar || !bar->hWnd) {
        RaiseError(LibraryError("A bar button needs a bar with a window", "TBtnBmp:NewBar"));
        return b;
    }
    b->StoreCommon(a);
    b->nId = GetNewId();
    b->oWnd = bar;
    b->lGroup = a.lGroup;
    b->cAction = a.cAction;
    b->bDropOver = a.bDrop;
    const std::optional<int> pos = a.nPos && bar->IsNewPos(*a.nPos) ? a.nPos : std::nullopt;  // elsewhere: appended
    const bool threeD = bar->Is3D();
    b->nTop = bar->GetBtnTop(a.lGroup);
    b->nLeft = bar->GetBtnLeft(a.lGroup, pos, a.oPopup != nullptr);
    b->nBottom = b->nTop + bar->nBtnHeight + 1 - (threeD ? 7 : 0);
    b->nRight = b->nLeft + bar->nBtnWidth - (threeD ? 2 : 0) + (a.oPopup ? kArrowWidth : 0);
    b->nStyle = WS_CHILD | WS_VISIBLE | (!bar->l2007 && a.lBorder ? WS_BORDER : 0);
    b->l2007 = bar->l2007;
    b->nClrText = bar->nClrText;
    b->nClrPane = GetSysColor(COLOR_BTNFACE);
    b->oCursor = bar->oCursor;
    b->lBoxSelect = true;
    b->lBarBtn = true;
    b->lRound = false;
    b->Register(CS_VREDRAW | CS_HREDRAW);
    b->Create();
    if (!b->hWnd) {
        bar->Unreserve(a.lGroup, pos, a.oPopup != nullptr);
        return b;
    }
    bar->Add(b, pos);
    if (bar->IsFloating()) bar->BtnAdjust();  // rows of two
    bar->Fit();
    b->SetColor(b->nClrText, b->nClrPane);
    b->LoadBitmaps();
    if (!b->lWhen()) b->Disable();
    return b;
}

std::shared_ptr<TBtnBmp> TBtnBmp::New(const NewArgs& a, std::source_location where) {
    auto b = std::make_shared<TBtnBmp>();
    b->oDefined = CallLevel::At(where);
    b->oWnd = a.oWnd ? a.oWnd : GETWNDDEFAULT();
    b->StoreCommon(a);
    b->nId = GetNewId();
    b->nTop = a.nTop;
    b->nLeft = a.nLeft;
    b->nBottom = a.nTop + a.nHeight - 1;
    b->nRight = a.nLeft + a.nWidth - 1;
    b->nStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | (!a.l2007 && a.lBorder ? WS_BORDER : 0);
    b->StoreStandAlone(a);
    b->Register(CS_VREDRAW | CS_HREDRAW);
    b->CreateOrDefine(b->ClassName());
    if (!b->hWnd) return b;
    b->SetColor(b->Parent() ? b->Parent()->nClrText : std::nullopt, b->nClrPane);
    b->LoadBitmaps();
    if (!b->lWhen()) b->Disable();
    return b;
}

std::shared_ptr<TBtnBmp> TBtnBmp::ReDefine(const ReDefineArgs& a) {
    auto b = std::make_shared<TBtnBmp>();
    b->StoreCommon(a);
    b->StoreStandAlone(a);
    b->Redefine(a.nId, a.oWnd ? a.oWnd : GETWNDDEFAULT());
    return b;
}

template <typename A>
void TBtnBmp::StoreStandAlone(const A& a) {
    nDlgCode = kWantAllKeys;
    l2007 = a.l2007;
    lRound = a.lRound;
    bClrGrad = a.bClrGrad;
    nClrPane = GetSysColor(COLOR_BTNFACE);
}

void TBtnBmp::Initiate(HWND hDlg) {
    TControl::Initiate(hDlg);
    if (hWnd) LoadBitmaps();
}

std::shared_ptr<TBar> TBtnBmp::Bar() const { return std::dynamic_pointer_cast<TBar>(Parent()); }

std::vector<GradientStep> TBtnBmp::aGrad() const {
    const auto bar = bClrGrad ? nullptr : Bar();
    const GradientCallback& source = bar ? bar->bClrGrad : bClrGrad;
    return source ? source(lMOver) : TBar::Gradient2007(lMOver);
}

void TBtnBmp::FillGradient(HDC hDCTarget, int nTop, int nLeft, int nBottom, int nRight, bool lHovered) const {
    const auto bar = bClrGrad ? nullptr : Bar();
    TBar::FillGradient(hDCTarget, nTop, nLeft, nBottom, nRight, bar ? bar->bClrGrad : bClrGrad, lHovered);
}

int TBtnBmp::nAlphaLevel() {
    if (bAlphaLevel) hAlphaLevel = bAlphaLevel(*this);
    return hAlphaLevel;
}

// ---- bitmaps ----

void TBtnBmp::LoadBitmaps() {
    FreeBitmaps();
    for (size_t i = 0; i < hBitmap.size(); ++i) {
        PalBitmap loaded = PALBMPLOAD(cResName[i]);
        if (!loaded.hBitmap) loaded = PALBMPREAD(cBmpFile[i]);  // a missing file is skipped
        hBitmap[i] = loaded.hBitmap;
        hPalette[i] = loaded.hPalette;
        aAlpha[i] = loaded.lAlpha;
        PALBMPNEW(hWnd, loaded.hBitmap, loaded.hPalette);
    }
}

void TBtnBmp::FreeBitmaps() {
    for (size_t i = 0; i < hBitmap.size(); ++i) {
        PALBMPFREE(hBitmap[i], hPalette[i]);
        hBitmap[i] = nullptr;
        hPalette[i] = nullptr;
        aAlpha[i] = false;
    }
}

Answer TBtnBmp::Destroy() {
    FreeBitmaps();
    if (oPopup) oPopup->End();
    oPopup.reset();
    hRgn = nullptr;  // the window's region goes with the window
    return TControl::Destroy();
}

// ---- state ----

void TBtnBmp::Click() {
    if (!lWhen()) {
        MSGBEEP();
        return;
    }
    if (lProcessing || lPressed) return;
    const auto keepAlive = shared_from_this();  // the action may end this button; released last
    lProcessing = true;
    const ClearOnExit processing{lProcessing};
    if (bAction) bAction(*this);
    TControl::Click();
}

void TBtnBmp::Toggle() {
    lBtnDown = !lBtnDown;
    lPressed = lBtnDown;
    Refresh(false);
}

void TBtnBmp::GoUp() {
    lBtnDown = lPressed = false;
    Refresh(false);
}

void TBtnBmp::GoDown() {
    lBtnDown = lPressed = true;
    Refresh(false);
}

// The owner is the bar for a bar button, else the button itself; the owner's
// TWindow oPopup names the menu while the menu runs (for the button itself
// that is not its own oPopup, the arrow's menu). The menu is kept for the next time.
void TBtnBmp::ShowPopup() {
    if (!oPopup) return;
    const auto keepAlive = shared_from_this();  // a chosen item may end this button
    const auto menu = oPopup;
    const auto bar = Bar();
    const std::shared_ptr<TWindow> owner = bar ? std::static_pointer_cast<TWindow>(bar) : keepAlive;
    const RectArray at = bar ? GETCOORS(hWnd) : RectArray{0, 0, nHeight(), 0};
    menu->Activate(at.nBottom, at.nLeft, owner, false);
    if (owner->oPopup == menu) owner->oPopup.reset();
}

// ---- messages ----

bool TBtnBmp::IsOver(int nRow, int nCol) const {
    return nRow >= 0 && nCol >= 0 && nRow < nHeight() && nCol < nWidth();
}

Answer TBtnBmp::HandleEvent(UINT nMsg, WPARAM wParam, LPARAM lParam) {
    switch (nMsg) {
        case WM_MOUSELEAVE: MouseLeave(); break;
        case WM_KEYUP:
            // Only the release of the key that pressed this button completes it.
            if (lPressed && nKeyPressed != 0 && static_cast<int>(wParam) == nKeyPressed) {
                const auto keepAlive = shared_from_this();
                nKeyPressed = 0;
                lPressed = false;
                Refresh(false);
                Click();
                lPressed = lBtnDown;
                if (hWnd) Refresh(false);
            }
            break;
        case WM_ENABLE: Refresh(false); break;
        case WM_CAPTURECHANGED:
            // Losing the capture ends the press without its action, as the system's button does.
            if (lCaptured && reinterpret_cast<HWND>(lParam) != hWnd) {
                lCaptured = false;
                lPressed = lBtnDown;
                Refresh(false);
            }
            break;
        default: break;
    }
    return TControl::HandleEvent(nMsg, wParam, lParam);
}

Answer TBtnBmp::LButtonDown(int nRow, int nCol, WPARAM nKeyFlags) {
    if (lDrag) return TControl::LButtonDown(nRow, nCol, nKeyFlags);
    const auto keepAlive = shared_from_this();
    lBtnUp = false;
    lWorking = true;
    {
        const ClearOnExit working{lWorking};
        ::SetFocus(hWnd);
        SYSREFRESH();  // the release may arrive meanwhile: it is kept for below
    }
    if (hWnd && GetFocus() == hWnd) {  // still there and focused after the messages
        SetCapture(hWnd);
        lCaptured = lPressed = true;
        Refresh(false);
    }
    if (lBtnUp) LButtonUp(nRow, nCol, nKeyFlags);
    return Answer::Number(0);
}

Answer TBtnBmp::LButtonUp(int nRow, int nCol, WPARAM nKeyFlags) {
    if (lWorking) {  // kept: LButtonDown runs it, bLButtonUp included, once it is done
        lBtnUp = true;
        return Answer::Number(0);
    }
    if (bLButtonUp) bLButtonUp(nRow, nCol, nKeyFlags, *this);
    if (lDrag) return TControl::LButtonUp(nRow, nCol, nKeyFlags);
    if (!lCaptured) return Answer::Number(0);
    const auto keepAlive = shared_from_this();
    lCaptured = false;
    ReleaseCapture();
    lPressed = false;
    const int row = SignedCoordinate(static_cast<WORD>(nRow)), col = SignedCoordinate(static_cast<WORD>(nCol));
    if (IsOver(row, col)) InArrow(col) ? ShowPopup() : Click();
    lPressed = lBtnDown;
    if (hWnd) Refresh(false);  // the action may have ended the window: no repaint of every window
    return Answer::Number(0);
}

Answer TBtnBmp::MouseMove(int nRow, int nCol, WPARAM nKeyFlags) {
    if (lDrag) return TControl::MouseMove(nRow, nCol, nKeyFlags);
    const int row = SignedCoordinate(static_cast<WORD>(nRow)), col = SignedCoordinate(static_cast<WORD>(nCol));
    // Held and dragged off, the button sees the moves: the hover look follows
    // the pointer, not the last WM_MOUSELEAVE.
    const bool over = IsOver(row, col);
    bool repaint = lMOver != over;
    lMOver = over;
    if (lCaptured && lPressed != (over || lBtnDown)) {
        lPressed = !lPressed;
        repaint = true;
    }
    if (repaint) Refresh(false);
    TControl::MouseMove(nRow, nCol, nKeyFlags);
    if (over) TRACKMOUSEEVENT(hWnd, TME_LEAVE);
    return Answer::Number(0);
}

void TBtnBmp::MouseLeave() {
    lMOver = false;
    Refresh(false);
}

Answer TBtnBmp::KeyChar(int nKey, LPARAM nFlags) {
    if (nKey != VK_RETURN && nKey != VK_SPACE) return TControl::KeyChar(nKey, nFlags);
    lPressed = true;
    nKeyPressed = nKey;
    Refresh(false);
    return Answer::Number(0);
}

Answer TBtnBmp::KeyDown(int nKey, LPARAM nFlags) {
    if (const auto parent = Parent()) {
        if (nKey == VK_UP || nKey == VK_LEFT) parent->GoPrevCtrl(hWnd);
        if (nKey == VK_DOWN || nKey == VK_RIGHT) parent->GoNextCtrl(hWnd);
    }
    return TControl::KeyDown(nKey, nFlags);
}

// The focus mark is part of Paint, so a repaint draws or removes it where Paint puts it.
Answer TBtnBmp::GotFocus(HWND hWndLost) {
    const Answer inherited = TControl::GotFocus(hWndLost);
    Refresh(false);
    return inherited;
}

Answer TBtnBmp::LostFocus(HWND hWndGetFocus) {
    lPressed = lBtnDown;
    nKeyPressed = 0;
    Refresh(false);
    return TControl::LostFocus(hWndGetFocus);
}

}  // namespace corvix
