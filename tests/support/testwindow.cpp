#include "tests/support/testwindow.h"

#include <cstdio>

namespace corvix_test {

namespace {

constexpr char kHostClass[] = "CorvixTestHost";

void RegisterHostClass(WNDPROC proc) {
    WNDCLASSA wc{};
    if (GetClassInfoA(GetModuleHandleA(nullptr), kHostClass, &wc)) return;
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kHostClass;
    RegisterClassA(&wc);
}

}  // namespace

HostWindow::HostWindow(int width, int height, HFONT font) : font_(font) {
    RegisterHostClass(&HostWindow::Proc);
    hWnd_ = CreateWindowA(kHostClass, "Corvix test host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100,
                          width, height, nullptr, nullptr, GetModuleHandleA(nullptr), this);
    SetWindowLongPtrA(hWnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetForegroundWindow(hWnd_);
    Pump();
}

HostWindow::~HostWindow() {
    if (IsWindow(hWnd_)) DestroyWindow(hWnd_);
    Pump();
}

HWND HostWindow::AddButton(const std::string& caption, int id, int left, int top, int width,
                           int height, DWORD extraStyle) const {
    HWND button = CreateWindowA("BUTTON", caption.c_str(),
                                WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON | extraStyle, left, top, width,
                                height, hWnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                GetModuleHandleA(nullptr), nullptr);
    Pump();
    return button;
}

LRESULT CALLBACK HostWindow::Proc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<HostWindow*>(GetWindowLongPtrA(hWnd, GWLP_USERDATA));
    if (self) {
        if (nMsg == WM_GETFONT) return reinterpret_cast<LRESULT>(self->font_);
        if (nMsg == WM_COMMAND) {
            ++self->commands_;
            self->lastWParam_ = wParam;
            self->lastLParam_ = lParam;
            return 0;
        }
        if (nMsg == WM_APP) {
            self->appText_ = reinterpret_cast<const char*>(lParam);
            return 0;
        }
    }
    return DefWindowProcA(hWnd, nMsg, wParam, lParam);
}

Canvas::Canvas(int width, int height, COLORREF background) {
    HDC screen = GetDC(nullptr);
    dc_ = CreateCompatibleDC(screen);
    bitmap_ = CreateCompatibleBitmap(screen, width, height);
    ReleaseDC(nullptr, screen);
    previous_ = SelectObject(dc_, bitmap_);
    HBRUSH brush = CreateSolidBrush(background);
    RECT all{0, 0, width, height};
    FillRect(dc_, &all, brush);
    DeleteObject(brush);
}

Canvas::~Canvas() {
    SelectObject(dc_, previous_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
}

void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

bool MoveCursorTo(int x, int y) {
    // The warp's echo comes back from the X server late and may carry an
    // earlier position: wait until the position holds for a while.
    // Warping again at every stale read starts a new echo each time and can
    // keep the position from ever holding: ask again only now and then.
    constexpr int kSteadyReads = 4;
    constexpr int kReadsBeforeAskingAgain = 25;
    int steady = 0;
    SetCursorPos(x, y);
    for (int i = 1; i <= 500 && steady < kSteadyReads; ++i) {
        Sleep(10);
        Pump();
        POINT at{};
        GetCursorPos(&at);
        if (at.x == x && at.y == y) {
            ++steady;
        } else {
            steady = 0;
            if (i % kReadsBeforeAskingAgain == 0) SetCursorPos(x, y);
        }
    }
    return steady == kSteadyReads;
}

COLORREF WindowPixel(HWND hWnd, int x, int y) {
    HDC dc = GetDC(hWnd);
    const COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(hWnd, dc);
    return c;
}

std::vector<uint32_t> CopyPixels(HWND hWnd, const RECT& area) {
    const int width = area.right - area.left, height = area.bottom - area.top;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC dc = GetDC(hWnd);
    HDC copy = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ before = SelectObject(copy, bitmap);
    BitBlt(copy, 0, 0, width, height, dc, area.left, area.top, SRCCOPY);
    GdiFlush();
    const auto* first = static_cast<const uint32_t*>(bits);
    std::vector<uint32_t> pixels(first, first + width * height);
    SelectObject(copy, before);
    DeleteObject(bitmap);
    DeleteDC(copy);
    ReleaseDC(hWnd, dc);
    return pixels;
}

std::string Rgb(COLORREF c) {
    char text[48];
    std::snprintf(text, sizeof text, "(%d, %d, %d)", GetRValue(c), GetGValue(c), GetBValue(c));
    return text;
}

}  // namespace corvix_test
