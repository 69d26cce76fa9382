#include "tests/support/skinsupport.h"

#include "demo/skin/buttonhook.h"

namespace corvix_test {

void InstallSkin(const HostWindow& host) {
    HWND lender = host.AddButton("ok", 99, -12, -36, 31, 14);
    skindemo::BUTTONS2007(lender);
    DestroyWindow(lender);
}

bool IsSkinCorner(COLORREF c) { return c == kNormalCorner || c == kFocusedCorner; }

COLORREF PaintedCorner(HWND hWnd) {
    InvalidateRect(hWnd, nullptr, TRUE);
    UpdateWindow(hWnd);
    return WindowPixel(hWnd, 0, 0);
}

}  // namespace corvix_test
