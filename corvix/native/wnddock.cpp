#include "corvix/native/wnddock.h"

#include "corvix/native/wndpos.h"

namespace corvix {

namespace {

// The parent's client area less the neighbours' parts of it.
RECT FreeArea(HWND hWnd, HWND hTop, HWND hBottom, HWND hLeft = nullptr, HWND hRight = nullptr) {
    RECT area{};
    GetClientRect(GetParent(hWnd), &area);
    if (hTop) area.top = GETCOORS(hTop).nBottom;
    if (hBottom) area.bottom = GETCOORS(hBottom).nTop;
    if (hLeft) area.left = GETCOORS(hLeft).nRight;
    if (hRight) area.right = GETCOORS(hRight).nLeft;
    return area;
}

void Place(HWND hWnd, LONG x, LONG y, LONG cx, LONG cy) { MoveWindow(hWnd, x, y, cx, cy, TRUE); }

}  // namespace

void WNDADJTOP(HWND hWnd, HWND hTop, HWND hBottom) {
    if (!IsWindow(hWnd)) return;
    const RECT a = FreeArea(hWnd, hTop, hBottom);
    Place(hWnd, a.left, a.top, a.right - a.left, WNDHEIGHT(hWnd));
}

void WNDADJBOTTOM(HWND hWnd, HWND hTop, HWND hBottom) {
    if (!IsWindow(hWnd)) return;
    const RECT a = FreeArea(hWnd, hTop, hBottom);
    const int height = WNDHEIGHT(hWnd);
    Place(hWnd, a.left, a.bottom - height, a.right - a.left, height);
}

void WNDADJLEFT(HWND hWnd, HWND hTop, HWND hBottom) {
    if (!IsWindow(hWnd)) return;
    const RECT a = FreeArea(hWnd, hTop, hBottom);
    Place(hWnd, a.left, a.top, WNDWIDTH(hWnd), a.bottom - a.top);
}

void WNDADJRIGHT(HWND hWnd, HWND hTop, HWND hBottom) {
    if (!IsWindow(hWnd)) return;
    const RECT a = FreeArea(hWnd, hTop, hBottom);
    const int width = WNDWIDTH(hWnd);
    Place(hWnd, a.right - width, a.top, width, a.bottom - a.top);
}

void WNDADJCLIENT(HWND hWnd, HWND hTop, HWND hBottom, HWND hLeft, HWND hRight, int nBevel) {
    if (!IsWindow(hWnd)) return;
    const RECT a = FreeArea(hWnd, hTop, hBottom, hLeft, hRight);
    Place(hWnd, a.left + nBevel, a.top + nBevel, a.right - a.left - 2 * nBevel, a.bottom - a.top - 2 * nBevel);
}

}  // namespace corvix
