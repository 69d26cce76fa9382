// 10 000 TWindows, each with one TButton, made and destroyed a thousand at
// a time, against CreateWindowEx and DestroyWindow of the same windows with
// a plain procedure, measured in turn within every run; and the heap bytes
// the library keeps per window object while they live. A thousand windows
// with a button each stay well inside the window handles a process may
// hold; ten thousand would not.

#include <windows.h>

#include <malloc.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <new>
#include <vector>

#include "bench/benchclock.h"
#include "corvix/classes/button.h"
#include "corvix/classes/window.h"

namespace {

constexpr int kRuns = 3;
constexpr int kWindows = 10000;
constexpr int kAlive = 1000;  // made before any is destroyed
constexpr DWORD kStyle = WS_CLIPCHILDREN | WS_OVERLAPPEDWINDOW;  // TWindow's with its defaults

long long liveBytes = 0;  // through the global new and delete: the bench runs on one thread

std::vector<std::shared_ptr<corvix::TWindow>> libraryWindows;
std::vector<HWND> plainWindows;

void MakeLibraryWindows() {
    for (int i = 0; i < kAlive; ++i) {
        auto window = corvix::TWindow::New({.cTitle = "window"});
        corvix::TButton::New({.nRow = 1, .nCol = 1, .cCaption = "Button", .oWnd = window, .nWidth = 80,
                              .nHeight = 24});
        libraryWindows.push_back(std::move(window));
    }
}

void DestroyLibraryWindows() {
    for (const auto& window : libraryWindows) DestroyWindow(window->hWnd);
    libraryWindows.clear();
}

// The same windows: the class's brush, a window of TWindow's place and size
// and a button of TButton's, given one shared font.
void MakePlainWindows(HFONT font) {
    for (int i = 0; i < kAlive; ++i) {
        const HWND window = CreateWindowExA(0, "PlainManyWindows", "window", kStyle, 16, 32, 545, 289, nullptr,
                                            nullptr, GetModuleHandleA(nullptr), nullptr);
        const HWND button = CreateWindowExA(0, "BUTTON", "Button", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 6, 18, 81, 25,
                                            window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(101 + i % 30000)),
                                            GetModuleHandleA(nullptr), nullptr);
        SendMessageA(button, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
        plainWindows.push_back(window);
    }
}

void DestroyPlainWindows() {
    for (HWND window : plainWindows) DestroyWindow(window);
    plainWindows.clear();
}

double Milliseconds(void (*make)(), void (*destroy)(), int count = kWindows) {
    const double start = corvix_bench::NowMicroseconds();
    for (int made = 0; made < count; made += kAlive) {
        make();
        destroy();
    }
    return (corvix_bench::NowMicroseconds() - start) / 1000;
}

}  // namespace

void* operator new(std::size_t size) {
    if (void* p = std::malloc(size ? size : 1)) {
        liveBytes += static_cast<long long>(_msize(p));
        return p;
    }
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    if (p) liveBytes -= static_cast<long long>(_msize(p));
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept { operator delete(p); }

int main() {
    WNDCLASSA plainClass{};
    plainClass.style = CS_VREDRAW | CS_HREDRAW | CS_GLOBALCLASS | CS_DBLCLKS;
    plainClass.lpfnWndProc = &DefWindowProcA;
    plainClass.hbrBackground = CreateSolidBrush(GetSysColor(COLOR_WINDOW));
    plainClass.lpszClassName = "PlainManyWindows";
    RegisterClassA(&plainClass);
    static HFONT font = CreateFontA(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "System");
    libraryWindows.reserve(kAlive);
    plainWindows.reserve(kAlive);

    // The first of each makes what the library and the system make once.
    const auto makePlain = [] { MakePlainWindows(font); };
    Milliseconds(MakeLibraryWindows, DestroyLibraryWindows, kAlive);
    Milliseconds(makePlain, DestroyPlainWindows, kAlive);
    const long long before = liveBytes;
    MakeLibraryWindows();
    const double bytesPerWindow = static_cast<double>(liveBytes - before) / kAlive;
    DestroyLibraryWindows();

    const std::vector<double> medians = corvix_bench::InterleavedMedians(kRuns, {
        [](int) { return Milliseconds(MakeLibraryWindows, DestroyLibraryWindows); },
        [&](int) { return Milliseconds(makePlain, DestroyPlainWindows); },
    });
    std::printf("architecture: %s\n", sizeof(void*) == 8 ? "x86_64" : "i686");
    std::printf("many windows medians (ms to make %d windows of one button each and destroy them, %d at a time, %d "
                "runs): "
                "TWindow with TButton %.0f, CreateWindowEx and DestroyWindow %.0f\n",
                kWindows, kAlive, kRuns, medians[0], medians[1]);
    std::printf("many windows ratio library/plain: %.2f\n", medians[0] / medians[1]);
    std::printf("heap bytes the library keeps per window object (a TWindow with its TButton): %.0f\n",
                bytesPerWindow);
    return 0;
}
