#include "corvix/classes/scrollbar.h"

#include "corvix/function/cxerror.h"
#include "corvix/native/lmessages.h"
#include "corvix/native/wrappers.h"

namespace corvix {

const std::vector<std::string> TScrollBar::aProperties = {"cVarName", "nMin",    "nMax",  "nPgStep",
                                                          "nTop",     "nLeft",   "nWidth", "nHeight",
                                                          "Cargo",    "nOrientation"};

std::shared_ptr<TScrollBar> TScrollBar::New(const NewArgs& a, std::source_location where) {
    auto bar = std::make_shared<TScrollBar>();
    bar->oDefined = CallLevel::At(where);
    const int width = a.nWidth.value_or(a.lVertical ? 16 : 100);
    const int height = a.nHeight.value_or(a.lVertical ? 100 : 17);
    bar->nTop = a.lPixel ? a.nRow : a.nRow * 14;
    bar->nLeft = a.lPixel ? a.nCol : a.nCol * 8;
    bar->nBottom = bar->nTop + height - 1;
    bar->nRight = bar->nLeft + width - 1;
    bar->SetRange(a.nMin, a.nMax);  // checked and kept now; given to the window once it exists
    bar->nPgStep = a.nPgStep;
    bar->lVertical = a.lVertical;
    bar->StoreActions(a);
    bar->oWnd = a.oWnd ? a.oWnd : GETWNDDEFAULT();
    bar->lDrag = a.lDesign;
    bar->cMsg = a.cMsg;
    bar->lUpdate = a.lUpdate;
    bar->bWhen = a.bWhen;
    bar->bValid = a.bValid;
    bar->nId = GetNewId();
    bar->nStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | (a.lVertical ? SBS_VERT : SBS_HORZ) |
                  (a.lDesign ? WS_CLIPSIBLINGS : 0);
    bar->SetColor(a.nClrText.value_or(GetSysColor(COLOR_WINDOW)), a.nClrBack.value_or(GetSysColor(COLOR_SCROLLBAR)));
    bar->CreateOrDefine("SCROLLBAR");
    if (bar->hWnd) bar->ShowRange();
    if (a.lDesign) bar->CheckDots();
    return bar;
}

std::shared_ptr<TScrollBar> TScrollBar::WinNew(const WinNewArgs& a) {
    auto bar = std::make_shared<TScrollBar>();
    bar->lIsChild = true;
    bar->lVertical = a.lVertical;
    bar->nPgStep = a.nPgStep;
    bar->oWnd = a.oWnd;
    bar->lUpdate = a.lUpdate;
    bar->bWhen = a.bWhen;
    bar->bValid = a.bValid;
    bar->StoreActions(a);
    bar->SetRange(a.nMin, a.nMax);
    bar->SetPos(a.nMin);
    return bar;
}

std::shared_ptr<TScrollBar> TScrollBar::ReDefine(const ReDefineArgs& a) {
    auto bar = std::make_shared<TScrollBar>();
    bar->nMin = a.nMin;
    bar->nMax = a.nMax;
    bar->nPgStep = a.nPgStep;
    bar->StoreActions(a);
    bar->cMsg = a.cMsg;
    bar->lUpdate = a.lUpdate;
    bar->bWhen = a.bWhen;
    bar->bValid = a.bValid;
    bar->SetColor(a.nClrText.value_or(GetSysColor(COLOR_WINDOW)), a.nClrBack.value_or(GetSysColor(COLOR_SCROLLBAR)));
    bar->nId = a.nId;
    bar->oWnd = a.oWnd ? a.oWnd : GETWNDDEFAULT();
    if (const auto parent = bar->Parent()) parent->DefControl(bar);
    return bar;
}

// Drawn only where it can be seen: giving a bar not shown yet its first
// range and drawing it costs as much as painting it.
void TScrollBar::ShowRange() {
    if (nMin > nMax) {  // SetRange reports it; the window keeps its range
        SetRange(nMin, nMax);
        SetPos(nMin);
        return;
    }
    const HWND target = Target();
    SCROLLINFO info{sizeof info, SIF_RANGE | SIF_POS, nMin, nMax, 0, nMin, 0};
    SetScrollInfo(target, BarCode(), &info, lReDraw && IsWindowVisible(target));
}

template <typename A>
void TScrollBar::StoreActions(const A& a) {
    bGoUp = a.bUpAction;
    bGoDown = a.bDownAction;
    bPageUp = a.bPgUp;
    bPageDown = a.bPgDown;
    bPos = a.bPos;
}

HWND TScrollBar::Target() const {
    if (!lIsChild) return hWnd;
    const auto parent = Parent();
    return parent ? parent->hWnd : nullptr;
}

int TScrollBar::BarCode() const { return lIsChild ? (lVertical ? SB_VERT : SB_HORZ) : SB_CTL; }

int TScrollBar::GetPos() const { return GETSCROLLPOS(Target(), BarCode()); }
int TScrollBar::SetPos(int nPos) const { return SETSCROLLPOS(Target(), BarCode(), nPos, lReDraw); }
std::pair<int, int> TScrollBar::GetRange() const { return GETSCROLLRANGE(Target(), BarCode()); }

void TScrollBar::SetRange(int nNewMin, int nNewMax) {
    if (nNewMin > nNewMax) {
        RaiseError(LibraryError("Scroll range with its minimum above its maximum",
                                "SetRange(" + std::to_string(nNewMin) + ", " + std::to_string(nNewMax) + ")"));
        return;
    }
    nMin = nNewMin;
    nMax = nNewMax;
    SETSCROLLRANGE(Target(), BarCode(), nMin, nMax, lReDraw);
}

void TScrollBar::GoUp() {
    if (const int pos = GetPos(); pos > nMin) SetPos(pos - 1);
    if (bGoUp) bGoUp();
}

void TScrollBar::GoDown() {
    if (const int pos = GetPos(); pos < nMax) SetPos(pos + 1);
    if (bGoDown) bGoDown();
}

void TScrollBar::GoTop() {
    SetPos(nMin);
    if (bGoTop) bGoTop();
}

void TScrollBar::GoBottom() {
    SetPos(nMax);
    if (bGoBottom) bGoBottom();
}

void TScrollBar::PageUp() {
    if (bPageUp) bPageUp();
    SetPos(GetPos() - nPgStep);
}

void TScrollBar::PageDown() {
    if (bPageDown) bPageDown();
    SetPos(GetPos() + nPgStep);
}

void TScrollBar::ThumbPos(int nPos) {
    if (bPos) bPos(nPos);
}

void TScrollBar::ThumbTrack(int nPos) {
    if (bTrack) bTrack(nPos);
}

void TScrollBar::nOrientation(int n) {
    if (n != 2 || !hWnd) return;
    const LONG_PTR style = GetWindowLongPtrA(hWnd, GWL_STYLE);
    SetWindowLongPtrA(hWnd, GWL_STYLE, style & ~static_cast<LONG_PTR>(SBS_VERT));
    lVertical = false;
}

void TScrollBar::Initiate(HWND hDlg) {
    TControl::Initiate(hDlg);
    if (!hWnd) return;
    // The dialog's item says which way it runs.
    lVertical = (GetWindowLongPtrA(hWnd, GWL_STYLE) & SBS_VERT) != 0;
    ShowRange();
}

Answer TScrollBar::HandleEvent(UINT nMsg, WPARAM wParam, LPARAM lParam) {
    switch (nMsg) {
        case LM_LINEUP: GoUp(); return Answer::Number(0);
        case LM_LINEDOWN: GoDown(); return Answer::Number(0);
        case LM_PAGEUP: PageUp(); return Answer::Number(0);
        case LM_PAGEDOWN: PageDown(); return Answer::Number(0);
        case LM_THUMBPOS: ThumbPos(static_cast<int>(wParam)); return Answer::Number(0);
        case LM_THUMBTRACK: ThumbTrack(static_cast<int>(wParam)); return Answer::Number(0);
        default: return TControl::HandleEvent(nMsg, wParam, lParam);
    }
}

Answer TScrollBar::MouseMove(int nRow, int nCol, WPARAM nKeyFlags) {
    const Answer inherited = TControl::MouseMove(nRow, nCol, nKeyFlags);
    return lDrag ? inherited : Answer::Nil();
}

}  // namespace corvix
