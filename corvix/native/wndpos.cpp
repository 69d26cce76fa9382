#include "corvix/native/wndpos.h"

namespace corvix {

namespace {

RECT WindowRect(HWND hWnd) {
    RECT r{};
    if (hWnd) GetWindowRect(hWnd, &r);
    return r;
}

// The window's top-left corner as its parent's client sees it. A window
// with style 0 is taken to be top-level and keeps screen coordinates.
POINT Corner(HWND hWnd) {
    const RECT r = WindowRect(hWnd);
    POINT p{r.left, r.top};
    if (GetWindowLongA(hWnd, GWL_STYLE) != 0) {
        if (HWND parent = GetParent(hWnd)) ScreenToClient(parent, &p);
    }
    return p;
}

void MoveKeeping(HWND hWnd, int x, int y, int width, int height) {
    MoveWindow(hWnd, x, y, width, height, TRUE);
}

}  // namespace

int WNDWIDTH(HWND hWnd) {
    const RECT r = WindowRect(hWnd);
    return (r.right - r.left) & 0xFFFF;
}

int WNDHEIGHT(HWND hWnd) {
    const RECT r = WindowRect(hWnd);
    return (r.bottom - r.top) & 0xFFFF;
}

void WNDWIDTH(HWND hWnd, int nWidth) {
    const POINT p = Corner(hWnd);
    MoveKeeping(hWnd, p.x, p.y, nWidth, WNDHEIGHT(hWnd));
}

void WNDHEIGHT(HWND hWnd, int nHeight) {
    const POINT p = Corner(hWnd);
    MoveKeeping(hWnd, p.x, p.y, WNDWIDTH(hWnd), nHeight);
}

std::optional<int> WNDTOP(HWND hWnd) {
    if (!hWnd) return std::nullopt;
    return Corner(hWnd).y;
}

std::optional<int> WNDLEFT(HWND hWnd) {
    if (!hWnd) return std::nullopt;
    return Corner(hWnd).x;
}

void WNDTOP(HWND hWnd, int nNewTop) {
    if (!hWnd) return;
    MoveKeeping(hWnd, Corner(hWnd).x, nNewTop, WNDWIDTH(hWnd), WNDHEIGHT(hWnd));
}

void WNDLEFT(HWND hWnd, int nNewLeft) {
    if (!hWnd) return;
    MoveKeeping(hWnd, nNewLeft, Corner(hWnd).y, WNDWIDTH(hWnd), WNDHEIGHT(hWnd));
}

RectArray GETCOORS(HWND hWnd) {
    if (!hWnd) return {};
    const RECT r = WindowRect(hWnd);
    POINT corners[2] = {{r.left, r.top}, {r.right, r.bottom}};
    if (HWND parent = GetParent(hWnd)) {
        ScreenToClient(parent, &corners[0]);
        ScreenToClient(parent, &corners[1]);
    }
    return {corners[0].y, corners[0].x, corners[1].y, corners[1].x};
}

RectArray GETCLIENTRECT(HWND hWnd) {
    RECT r{};
    if (hWnd) GetClientRect(hWnd, &r);
    return RectArray::FromRECT(r);
}

RectArray GETWNDRECT(HWND hWnd) {
    return RectArray::FromRECT(WindowRect(hWnd));
}

void WNDCENTER(HWND hWnd, HWND hWndOver) {
    RECT self{}, over{};
    GetWindowRect(hWnd, &self);
    GetWindowRect(hWndOver && IsWindow(hWndOver) ? hWndOver : GetDesktopWindow(), &over);
    const int width = self.right - self.left, height = self.bottom - self.top;
    const int x = over.left + (over.right - over.left) / 2 - width / 2;
    const int y = over.top + (over.bottom - over.top) / 2 - height / 2;
    MoveWindow(hWnd, x, y, width, height, TRUE);
}

}  // namespace corvix
