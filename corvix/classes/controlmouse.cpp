// TControl: the mouse. Drag and drop between windows, and design mode, in
// which a control is moved and resized on a grid with a rubber band and
// eight resize handles shared by the whole process.

#include <algorithm>
#include <array>
#include <cstdlib>

#include "corvix/classes/control.h"
#include "corvix/classes/cursor.h"
#include "corvix/native/designdraw.h"
#include "corvix/native/eventloop.h"
#include "corvix/native/lmessages.h"
#include "corvix/native/wndpos.h"

namespace corvix {

std::optional<POINT> TControl::nPoint;

namespace {

bool dragging = false;  // a drag and drop is in progress, in the whole process

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

}  // namespace

std::vector<std::shared_ptr<TWindow>>& TControl::aDots() {
    static std::vector<std::shared_ptr<TWindow>> dots;
    return dots;
}

// ---- mouse ----

Answer TControl::LButtonDown(int nRow, int nCol, WPARAM nKeyFlags) {
    if (const auto parent = Parent()) parent->nLastKey = kMouseKey;
    lMouseDown = true;
    nLastRow = nRow;
    nLastCol = nCol;
    if (!lDrag) return TWindow::LButtonDown(nRow, nCol, nKeyFlags);
    HideDots();
    if (!lMouseDown) return Answer::Number(0);  // released while the queue drained: no capture to take
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
    if (!(nKeyFlags & MK_LBUTTON)) lMouseDown = false;  // released where this control did not hear it
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
    CoorsUpdate();
    FollowDots();
}

void TControl::nHeight(int nNewHeight) {
    TWindow::nHeight(nNewHeight);
    CoorsUpdate();
    FollowDots();
}

void TControl::FollowDots() {
    if (lDrag && GetFocus() == hWnd && !aDots().empty()) ShowDots();
}

std::vector<std::string> TControl::Inspect(const std::string& cName) const {
    if (cName == "nAlign") return {"None", "Top", "Left", "Bottom", "Right", "Client"};
    return {};
}

// Never smaller than one grid step: a band dragged past the opposite edge
// would give no size, or a negative one.
void TControl::Place(int nNewTop, int nNewLeft, int nNewWidth, int nNewHeight) {
    nNewWidth = std::max(nNewWidth, GridWidth());
    nNewHeight = std::max(nNewHeight, GridHeight());
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

void TControl::CaptureChanged(HWND hWndNew) {
    if (hWndNew != hWnd) dragging = false;  // the drag lost the mouse
}

}  // namespace corvix
