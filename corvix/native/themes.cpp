#include "corvix/native/themes.h"

namespace corvix {

namespace {

// A function of UXTHEME, looked up once; null where the library is missing.
template <typename F>
F ThemeFunction(const char* name) {
    static HMODULE uxtheme = LoadLibraryA("uxtheme.dll");
    return uxtheme ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(uxtheme, name))) : nullptr;
}

}  // namespace

bool ISAPPTHEMED() {
    using IsAppThemedFn = BOOL(WINAPI*)();
    static const auto isAppThemed = ThemeFunction<IsAppThemedFn>("IsAppThemed");
    return isAppThemed && isAppThemed();
}

namespace {

using OpenThemeFn = HANDLE(WINAPI*)(HWND, const wchar_t*);
using CloseThemeFn = HRESULT(WINAPI*)(HANDLE);

}  // namespace

bool ISWINDOWTHEMED(HWND hWnd, const wchar_t* cClassList) {
    static const auto open = ThemeFunction<OpenThemeFn>("OpenThemeData");
    static const auto close = ThemeFunction<CloseThemeFn>("CloseThemeData");
    if (!ISAPPTHEMED() || !open || !close) return false;
    const HANDLE theme = open(hWnd, cClassList);
    if (theme) close(theme);
    return theme != nullptr;
}

bool DRAWTHEMEPART(HWND hWnd, HDC hDC, const wchar_t* cClassList, int nPart, int nState, const RECT& aRect) {
    using DrawFn = HRESULT(WINAPI*)(HANDLE, HDC, int, int, const RECT*, const RECT*);
    static const auto open = ThemeFunction<OpenThemeFn>("OpenThemeData");
    static const auto draw = ThemeFunction<DrawFn>("DrawThemeBackground");
    static const auto close = ThemeFunction<CloseThemeFn>("CloseThemeData");
    if (!open || !draw || !close) return false;
    const HANDLE theme = open(hWnd, cClassList);
    if (!theme) return false;
    const bool drawn = SUCCEEDED(draw(theme, hDC, nPart, nState, &aRect, nullptr));
    close(theme);
    return drawn;
}

void PARENTIMAGE(HWND hWnd, HDC hDC) {
    const HWND parent = GetParent(hWnd);
    if (!parent || !hDC) return;
    POINT at{0, 0};
    MapWindowPoints(hWnd, parent, &at, 1);
    POINT before{};
    OffsetViewportOrgEx(hDC, -at.x, -at.y, &before);
    SendMessageA(parent, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(hDC), PRF_CLIENT | PRF_ERASEBKGND);
    SetViewportOrgEx(hDC, before.x, before.y, nullptr);
}

void DRAWPBACK(HWND hWnd, HDC hDC) {
    using DrawParentFn = HRESULT(WINAPI*)(HWND, HDC, const RECT*);
    static const auto drawParent = ThemeFunction<DrawParentFn>("DrawThemeParentBackground");
    if (!drawParent || FAILED(drawParent(hWnd, hDC, nullptr))) PARENTIMAGE(hWnd, hDC);
}

void CTL3DLOOK(HWND, bool) {}

}  // namespace corvix
