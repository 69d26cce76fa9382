#include "tests/support/skinsupport.h"

#include "corvix/skin/buttonhook.h"

namespace corvix_test {

void InstallSkin(const HostWindow& host) {
    HWND lender = host.AddButton("ok", 99, -12, -36, 31, 14);
    corvix::skin::BUTTONS2007(lender);
    DestroyWindow(lender);
}

bool IsSkinCorner(COLORREF c) { return c == kNormalCorner || c == kFocusedCorner; }

COLORREF PaintedCorner(HWND hWnd) {
    InvalidateRect(hWnd, nullptr, TRUE);
    UpdateWindow(hWnd);
    return WindowPixel(hWnd, 0, 0);
}

namespace {

bool IsPushButton(HWND w) {
    char cls[16] = {};
    GetClassNameA(w, cls, sizeof cls);
    const LONG_PTR type = GetWindowLongPtrA(w, GWL_STYLE) & BS_TYPEMASK;
    RECT r{};
    GetClientRect(w, &r);
    return lstrcmpiA(cls, "Button") == 0 && IsWindowVisible(w) && r.right >= 16 &&
           (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON);
}

BOOL CALLBACK CollectCorner(HWND w, LPARAM out) {
    if (IsPushButton(w)) reinterpret_cast<std::vector<COLORREF>*>(out)->push_back(PaintedCorner(w));
    return TRUE;
}

}  // namespace

std::vector<COLORREF> PushButtonCorners(HWND hDialog) {
    std::vector<COLORREF> corners;
    EnumChildWindows(hDialog, &CollectCorner, reinterpret_cast<LPARAM>(&corners));
    return corners;
}

}  // namespace corvix_test
