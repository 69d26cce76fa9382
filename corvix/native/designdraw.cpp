#include "corvix/native/designdraw.h"

#include "corvix/native/cursors.h"

namespace corvix {

namespace {

RECT InParent(HWND hWnd) {
    RECT r{};
    GetWindowRect(hWnd, &r);
    MapWindowPoints(nullptr, GetParent(hWnd), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// Which edges a handle moves: top, right, bottom, left.
struct Edges {
    bool top, right, bottom, left;
};
constexpr Edges kHandleEdges[8] = {{true, false, false, true},  {true, false, false, false},
                                   {true, true, false, false},  {false, true, false, false},
                                   {false, true, true, false},  {false, false, true, false},
                                   {false, false, true, true},  {false, false, false, true}};

}  // namespace

namespace {

int gridWidth = 8, gridHeight = 8;

}  // namespace

void SETGRIDSIZE(int nWidth, int nHeight) {
    if (nWidth > 0) gridWidth = nWidth;
    if (nHeight > 0) gridHeight = nHeight;
}

std::pair<int, int> GETGRIDSIZE() { return {gridWidth, gridHeight}; }

void CURSORCATCH() { SetCursor(GETCURSORCATCH()); }
void CURSORNO() { SetCursor(LoadCursorA(nullptr, IDC_NO)); }

void CTRLDRAWFOCUS(HWND hWnd, int nDRow, int nDCol, int nRow, int nCol, int nResize) {
    const HWND parent = GetParent(hWnd);
    if (!parent) return;
    RECT band = InParent(hWnd);
    if (nResize >= 1 && nResize <= 8) {
        POINT at{nCol, nRow};
        MapWindowPoints(hWnd, parent, &at, 1);
        const Edges& e = kHandleEdges[nResize - 1];
        if (e.top) band.top = at.y;
        if (e.right) band.right = at.x;
        if (e.bottom) band.bottom = at.y;
        if (e.left) band.left = at.x;
    } else {
        OffsetRect(&band, nDCol, nDRow);
    }
    // Over the children too: the band crosses the control itself.
    HDC dc = GetDCEx(parent, nullptr, DCX_CACHE);
    DrawFocusRect(dc, &band);
    ReleaseDC(parent, dc);
}

void DOTSADJUST(HWND hWnd, const std::array<HWND, 8>& aDots) {
    const RECT r = InParent(hWnd);
    const LONG midX = (r.left + r.right) / 2, midY = (r.top + r.bottom) / 2;
    const POINT centres[8] = {{r.left, r.top},     {midX, r.top},       {r.right, r.top},   {r.right, midY},
                              {r.right, r.bottom}, {midX, r.bottom},    {r.left, r.bottom}, {r.left, midY}};
    for (size_t i = 0; i < aDots.size(); ++i) {
        RECT dot{};
        GetWindowRect(aDots[i], &dot);
        const LONG w = dot.right - dot.left, h = dot.bottom - dot.top;
        SetWindowPos(aDots[i], HWND_TOP, centres[i].x - w / 2, centres[i].y - h / 2, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

}  // namespace corvix
