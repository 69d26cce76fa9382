#include "corvix/classes/bar.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string_view>

#include "corvix/classes/brush.h"
#include "corvix/classes/btnbmp.h"
#include "corvix/classes/cursor.h"
#include "corvix/classes/msgbar.h"
#include "corvix/function/cxerror.h"
#include "corvix/native/callbackguard.h"
#include "corvix/native/barpaint.h"
#include "corvix/native/wndpos.h"

namespace corvix {

namespace {

constexpr int kGroupGap = 8;

// The mode's number, in any letter case; an unknown mode is reported and gives 0.
int ModeOf(const std::string& cMode) {
    static constexpr std::array<std::string_view, 5> kModes = {"TOP", "LEFT", "RIGHT", "BOTTOM", "FLOAT"};
    std::string upper = cMode;
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    const auto found = std::find(kModes.begin(), kModes.end(), upper);
    if (found != kModes.end()) return static_cast<int>(found - kModes.begin()) + 1;
    RaiseError(LibraryError("Unknown bar mode \"" + cMode + "\"", "TBar:New"));
    return 0;
}

}  // namespace

const std::vector<GradientStep>& TBar::Gradient2007(bool lMOver) {
    static const std::vector<GradientStep> plain = {{0.25, RGB(219, 230, 244), RGB(207, 221, 239)},
                                                    {0.75, RGB(201, 217, 237), RGB(231, 242, 255)}};
    static const std::vector<GradientStep> hovered = {{0.25, RGB(255, 253, 222), RGB(255, 231, 151)},
                                                      {0.75, RGB(255, 215, 84), RGB(255, 233, 162)}};
    return lMOver ? hovered : plain;
}

void TBar::FillGradient(HDC hDC, int nTop, int nLeft, int nBottom, int nRight, const GradientCallback& bGrad,
                        bool lMOver) {
    using Default = const std::vector<GradientStep>& (*)(bool);
    const auto* isDefault = bGrad.target<Default>();
    if (!bGrad || (isDefault && *isDefault == &TBar::Gradient2007))
        GRADIENTFILL(hDC, nTop, nLeft, nBottom, nRight, Gradient2007(lMOver));
    else
        GRADIENTFILL(hDC, nTop, nLeft, nBottom, nRight, bGrad(lMOver));
}

std::shared_ptr<TBar> TBar::New(const NewArgs& a, std::source_location where) {
    auto bar = std::make_shared<TBar>();
    bar->oDefined = CallLevel::At(where);
    const auto parent = a.oWnd ? a.oWnd : GETWNDDEFAULT();
    bar->nMode = ModeOf(a.cMode);
    bar->nBtnWidth = a.nBtnWidth;
    bar->nBtnHeight = a.nBtnHeight;
    bar->l3D = a.l3D;
    bar->l2007 = a.l2007;
    const RectArray client = parent ? parent->GetCliRect() : RectArray{};
    const int extra = a.l3D ? 3 : 0;
    const int mode = bar->nMode;
    const int top = mode == 4 ? client.nBottom - a.nBtnHeight : -1;
    const int left = mode == 3 ? client.nRight - a.nBtnWidth - extra : -1;
    const int bottom = mode == 1 ? a.nBtnHeight : client.nBottom + 1;
    const int right = mode == 1 || mode == 4 ? client.nRight : mode == 2 ? a.nBtnWidth + extra : client.nRight + 1;
    bar->Init(top, left, bottom, right, parent, a.oCursor);
    return bar;
}

std::shared_ptr<TBar> TBar::NewAt(const NewAtArgs& a, std::source_location where) {
    auto bar = std::make_shared<TBar>();
    bar->oDefined = CallLevel::At(where);
    bar->nMode = ModeOf(a.cMode);
    bar->nBtnWidth = a.nBtnWidth;
    bar->nBtnHeight = a.nBtnHeight;
    bar->l3D = a.l3D;
    const auto parent = a.oWnd ? a.oWnd : GETWNDDEFAULT();
    bar->Init(a.nRow, a.nCol, a.nRow + a.nHeight - 1, a.nCol + a.nWidth - 1, parent, a.oCursor);
    return bar;
}

void TBar::Init(int nNewTop, int nNewLeft, int nNewBottom, int nNewRight, const std::shared_ptr<TWindow>& parent,
                const std::shared_ptr<TCursor>& cursor) {
    nTop = nNewTop;
    nLeft = nNewLeft;
    nBottom = nNewBottom;
    nRight = nNewRight;
    oWnd = parent;
    oCursor = cursor;
    bClrGrad = &TBar::Gradient2007;
    nStyle = WS_BORDER | WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN;
    nClrPane = l3D ? GetSysColor(COLOR_BTNFACE) : RGB(128, 128, 128);
    if (nMode == 0) return;  // an unknown mode, reported
    if (!parent || !parent->hWnd) {
        RaiseError(LibraryError("A button bar needs a parent window", "TBar:New"));
        return;
    }
    Register(CS_VREDRAW | CS_HREDRAW);
    Create();
    if (!hWnd) return;
    SetColor(parent->nClrText, nClrPane);
    Link2Parent(*parent);
}

void TBar::Link2Parent(TWindow& parent) {
    const auto self = shared_from_this();
    switch (nMode) {
        case 1: parent.oBar = parent.oTop = self; break;
        case 2: parent.oLeft = self; break;
        case 3: parent.oRight = self; break;
        case 4: parent.oBottom = self; break;
        default: break;
    }
}

void TBar::Dock(int nNewMode) {
    const auto parent = Parent();
    if (!hWnd || !parent || nNewMode == nMode || nNewMode < 1 || nNewMode > 5) return;
    for (auto slot : {&TWindow::oBar, &TWindow::oTop, &TWindow::oLeft, &TWindow::oRight, &TWindow::oBottom})
        if (((*parent).*slot).get() == this) ((*parent).*slot).reset();
    nMode = nNewMode;
    Link2Parent(*parent);
    const RectArray client = parent->GetCliRect();
    if (IsVertical())
        SetSize(Across(), client.nBottom + 2);
    else if (!IsFloating())
        SetSize(client.nRight + 2, nBtnHeight + 2);
    BtnAdjust();
    if (IsFloating()) Fit();
    parent->ReSize();
    Refresh();
}

Answer TBar::RButtonDown(int nRow, int nCol, WPARAM nKeyFlags) {
    static constexpr const char* kPlaces[] = {"Top", "Left", "Right", "Bottom", "Float"};
    const HMENU menu = CreatePopupMenu();
    for (UINT i = 0; i < std::size(kPlaces); ++i)
        AppendMenuA(menu, MF_STRING | (static_cast<int>(i) + 1 == nMode ? MF_CHECKED : 0), i + 1, kPlaces[i]);
    POINT at{nCol, nRow};
    ClientToScreen(hWnd, &at);
    const int chosen =
        CallSystem([&] { return TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, hWnd, nullptr); });
    DestroyMenu(menu);
    if (chosen) Dock(chosen);
    return TControl::RButtonDown(nRow, nCol, nKeyFlags);
}

// Other controls (a say placed on the bar) share aControls with the buttons.
template <typename F>
void TBar::ForEachButton(F f) const {
    int nPos = 0;
    for (const auto& control : aControls)
        if (auto* button = dynamic_cast<TBtnBmp*>(control.get()); button && !f(*button, ++nPos)) return;
}

int TBar::nButtons() const {
    int count = 0;
    ForEachButton([&count](TBtnBmp&, int) { return ++count, true; });
    return count;
}

std::shared_ptr<TBtnBmp> TBar::Button(int nPos) const {
    std::shared_ptr<TBtnBmp> found;
    ForEachButton([&](TBtnBmp& button, int at) {
        if (at == nPos) found = std::static_pointer_cast<TBtnBmp>(button.shared_from_this());
        return at < nPos;
    });
    return found;
}

// ---- buttons ----

void TBar::Add(std::shared_ptr<TBtnBmp> oBtn, std::optional<int> nPos) {
    if (!oBtn || oBtn->Parent().get() != this || (nPos && !IsNewPos(*nPos))) return;
    if (std::find(aControls.begin(), aControls.end(), oBtn) != aControls.end()) return;
    const auto next = nPos ? Button(*nPos) : nullptr;
    const auto at = next ? std::find(aControls.begin(), aControls.end(), next) : aControls.end();
    aControls.insert(at, std::move(oBtn));
}

void TBar::ShiftFrom(int nPos, int nBy) {
    ForEachButton([&](TBtnBmp& button, int at) {
        if (at < nPos) return true;
        if (IsVertical())
            button.MoveTo(button.nTop + nBy, button.nLeft);
        else
            button.MoveTo(button.nTop, button.nLeft + nBy);
        return true;
    });
}

void TBar::SetGroup(int nPos, bool lGroup) {
    const auto button = Button(nPos);
    if (!button || button->lGroup == lGroup || IsFloating()) return;
    button->lGroup = lGroup;
    nGroups += lGroup ? 1 : -1;
    ShiftFrom(nPos, lGroup ? kGroupGap : -kGroupGap);
    Refresh();
}

void TBar::AddGroup(int nPos) { SetGroup(nPos, true); }
void TBar::DelGroup(int nPos) { SetGroup(nPos, false); }

void TBar::Del(int nPos) {
    const auto button = Button(nPos);
    if (!button) return;
    if (button->lGroup) {
        const auto next = Button(nPos + 1);
        if (next && !next->lGroup)
            next->lGroup = true;
        else
            --nGroups;
    }
    aControls.erase(std::find(aControls.begin(), aControls.end(), button));
    button->End();
    BtnAdjust();
    Fit();
    Refresh();
}

int TBar::GetBtnTop(bool lGroup) {
    if (IsFloating()) return 0;
    if (!IsVertical()) return Is3D() ? 3 : -1;
    if (lGroup) ++nGroups;
    return (Is3D() ? 2 : 0) + nButtons() * (nBtnHeight - (Is3D() ? 3 : 0)) + kGroupGap * nGroups;
}

int TBar::GetBtnLeft(bool lGroup, std::optional<int> nPos, bool lPopup) {
    if (IsVertical()) return Is3D() ? 2 : 0;
    if (IsFloating()) {
        const int next = nButtons() * nBtnWidth - 1;
        return nButtons() == 0 || next + nBtnWidth > nWidth() ? -1 : next;
    }
    nPos = InsertPos(nPos);
    int left = Is3D() ? 9 : 0;
    if (const auto previous = Button(nPos ? *nPos - 1 : nButtons())) left = previous->nRight;
    // The buttons that move keep the gaps before their own groups; they make
    // room for the new button and, when it starts a group, for its gap.
    if (nPos) ShiftFrom(*nPos, nBtnWidth + (lGroup ? kGroupGap : 0) + (lPopup ? TBtnBmp::kArrowWidth : 0));
    if (lGroup) {
        ++nGroups;
        left += kGroupGap;
    }
    return left + (Is3D() ? 2 : 0);
}

std::optional<int> TBar::InsertPos(std::optional<int> nPos) const {
    return nPos && IsNewPos(*nPos) && *nPos <= nButtons() ? nPos : std::nullopt;
}

void TBar::Unreserve(bool lGroup, std::optional<int> nPos, bool lPopup) {
    if (IsFloating()) return;
    if (lGroup) --nGroups;
    nPos = InsertPos(nPos);
    if (!IsVertical() && nPos)
        ShiftFrom(*nPos, -(nBtnWidth + (lGroup ? kGroupGap : 0) + (lPopup ? TBtnBmp::kArrowWidth : 0)));
}

int TBar::Across() const {
    bool popups = false;
    ForEachButton([&popups](const TBtnBmp& button, int) { return !(popups = button.oPopup != nullptr); });
    return nBtnWidth + 2 + (l3D ? 3 : 0) + (popups ? TBtnBmp::kArrowWidth : 0);
}

// Sizes in pixels of the window, whose border takes one on each side; buttons
// share their edge pixel with the next, as on a docked bar.
void TBar::Fit() {
    const auto parent = Parent();
    if (!hWnd || !parent) return;
    if (IsVertical() && nWidth() != Across()) {
        SetSize(Across(), nHeight());
        parent->ReSize();
    }
    if (!IsFloating()) return;
    int right = 2 * nBtnWidth + 1, bottom = (nButtons() + 1) / 2 * (nBtnHeight + 1) + 1;
    ForEachButton([&](const TBtnBmp& button, int) {
        const RectArray at = GETCOORS(button.hWnd);
        right = std::max(right, at.nRight);
        bottom = std::max(bottom, at.nBottom);
        return true;
    });
    // Floated from an edge, the bar stays where it stood, inside its window.
    const int width = right + 1, height = bottom + 1;
    const RectArray area = parent->GetCliRect(), at = GETCOORS(hWnd);
    Move(std::max(0, std::min(at.nTop, area.nBottom - height)), std::max(0, std::min(at.nLeft, area.nRight - width)),
         width, height);
}

void TBar::BtnAdjust() {
    const bool threeD = Is3D();
    int groups = 0, popups = 0, rowsBefore = 0, index = 0;
    int col = 0, row = 0;
    ForEachButton([&](TBtnBmp& button, int) {
        if (IsFloating()) {
            button.MoveTo(row, col);
            const bool rowEnds = index % 2 == 1;
            col = rowEnds ? 0 : col + nBtnWidth - (threeD ? 2 : 0) + (button.oPopup ? TBtnBmp::kArrowWidth : 0);
            if (rowEnds) row += nBtnHeight + (threeD ? -5 : 1);
        } else if (IsVertical()) {
            if (button.lGroup) ++groups;
            button.MoveTo((threeD ? 2 : -1) + kGroupGap * groups + kGroupGap + rowsBefore, threeD ? 2 : -1);
            rowsBefore += nBtnHeight + (threeD ? -3 : 1);
        } else {
            if (button.lGroup) ++groups;
            button.MoveTo(threeD ? 3 : -1, (threeD ? 2 : -1) + kGroupGap * groups + (l2007 ? 1 : 9) +
                                               TBtnBmp::kArrowWidth * popups + index * nBtnWidth);
            if (button.oPopup) ++popups;
        }
        ++index;
        button.Refresh();
        return true;
    });
}

void TBar::Adjust() {
    const auto parent = Parent();
    if (!hWnd || !parent) return;
    const auto msgBar = std::dynamic_pointer_cast<TMsgBar>(parent->oMsgBar);
    BARADJUST(hWnd, nMode, msgBar != nullptr, msgBar ? msgBar->Height() : 0);
}

void TBar::DockIn(RECT& rFree) {
    Adjust();
    if (!hWnd) return;
    if (IsVertical()) {  // between the bars and controls docked at the top and bottom
        const RectArray docked = GETCOORS(hWnd);
        MoveWindow(hWnd, docked.nLeft, rFree.top - 1, docked.nRight - docked.nLeft, rFree.bottom - rFree.top + 2, TRUE);
    }
    const RectArray at = GETCOORS(hWnd);
    switch (nMode) {
        case 1: rFree.top = std::max<LONG>(rFree.top, at.nBottom); break;
        case 2: rFree.left = std::max<LONG>(rFree.left, at.nRight); break;
        case 3: rFree.right = std::min<LONG>(rFree.right, at.nLeft); break;
        case 4: rFree.bottom = std::min<LONG>(rFree.bottom, at.nTop); break;
        default: break;
    }
}

// ---- painting and messages ----

Answer TBar::Display() {
    BeginPaint();
    Paint();
    EndPaint();
    return Answer::Number(0);
}

Answer TBar::Paint() {
    const DisplayBuffer buffer = DispBegin();
    // Copied and released however painting ends.
    struct EndDisplay {
        TBar& bar;
        const DisplayBuffer& buffer;
        ~EndDisplay() { bar.DispEnd(buffer); }
    } const end{*this, buffer};
    const RectArray client = GetCliRect();
    if (l2007) {
        FillGradient(hDC, 0, 0, client.nBottom, client.nRight, bClrGrad, false);
        PaintSeparators(IsVertical());
    } else {
        RECT area{0, 0, client.nRight, client.nBottom};
        if (oBrush && oBrush->hBrush) FillRect(hDC, &area, oBrush->hBrush);
        if (l3D) {
            BARPAINT(hWnd, hDC);
            const auto first = Button(1);
            if (first && first->l97Look) PaintSeparators(IsVertical());
        }
    }
    if (bPainted) bPainted(hDC, cPS, *this);
    for (const auto& control : aControls) control->Refresh(false);
    return Answer::Number(0);
}

// Two lines before each group start: shadow, then highlight.
void TBar::PaintSeparators(bool lVertical) const {
    const RectArray client = GetCliRect();
    ForEachButton([&](const TBtnBmp& button, int) {
        if (!button.lGroup) return true;
        if (lVertical) {
            SYSLINE(hDC, 2, button.nTop - 5, client.nRight - 2, button.nTop - 5, COLOR_BTNSHADOW);
            SYSLINE(hDC, 2, button.nTop - 4, client.nRight - 2, button.nTop - 4, COLOR_BTNHIGHLIGHT);
        } else {
            SYSLINE(hDC, button.nLeft - 5, 2, button.nLeft - 5, client.nBottom - 2, COLOR_BTNSHADOW);
            SYSLINE(hDC, button.nLeft - 4, 2, button.nLeft - 4, client.nBottom - 2, COLOR_BTNHIGHLIGHT);
        }
        return true;
    });
}

Answer TBar::MouseMove(int nRow, int nCol, WPARAM nKeyFlags) {
    TControl::MouseMove(nRow, nCol, nKeyFlags);
    if (const auto parent = Parent()) parent->SetMsg(cMsg);
    return Answer::Number(0);
}

}  // namespace corvix
