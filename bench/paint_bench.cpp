// Paint cost of one skinned 81 x 25 "Info" button against the system's own
// push-button paint, measured in turn within every run, with where the
// skinned paint's time goes. Prints medians and the ratio.

#include <windows.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <vector>

#include "bench/benchclock.h"
#include "corvix/classes/button.h"
#include "corvix/classes/window.h"
#include "corvix/native/geometry.h"
#include "corvix/skin/btnpaint.h"
#include "corvix/skin/buttonhook.h"
#include "corvix/skin/skinfuncs.h"

namespace {

std::atomic<long long> allocations{0};

constexpr int kWidth = 81, kHeight = 25;
constexpr int kRepetitions = 15;
constexpr int kPaintsPerRepetition = 200;

HWND MakeButton(HWND parent, int top) {
    return CreateWindowA("BUTTON", "Info", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 30, top, kWidth,
                         kHeight, parent, nullptr, GetModuleHandleA(nullptr), nullptr);
}

// A full paint through the window's own procedure, as the system asks for it.
void RepaintNow(HWND button) {
    RedrawWindow(button, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

// A paint that only copies a prepared bitmap: what any paint that draws
// costs beyond the bare cycle, for the drawn pixels must reach the screen.
HDC copySource = nullptr;
LRESULT CALLBACK CopyOnlyProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
    if (nMsg != WM_PAINT) return DefWindowProcA(hWnd, nMsg, wParam, lParam);
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hWnd, &ps);
    BitBlt(dc, 0, 0, kWidth, kHeight, copySource, 0, 0, SRCCOPY);
    EndPaint(hWnd, &ps);
    return 0;
}

HWND MakePlainWindow(HWND parent, const char* className, WNDPROC procedure, int top) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = procedure;
    windowClass.lpszClassName = className;
    RegisterClassA(&windowClass);
    return CreateWindowA(className, "", WS_CHILD | WS_VISIBLE, 130, top, kWidth, kHeight, parent, nullptr, nullptr,
                         nullptr);
}

// Heap allocations per repaint of a skinned button whose caption is too long
// for a string's own storage, once its picture is kept.
double AllocationsPerPaint(HWND skinned) {
    SetWindowTextA(skinned, "A caption longer than a short string");
    RepaintNow(skinned);
    const long long before = allocations.load();
    for (int i = 0; i < kPaintsPerRepetition; ++i) RepaintNow(skinned);
    return static_cast<double>(allocations.load() - before) / kPaintsPerRepetition;
}

}  // namespace

void* operator new(std::size_t size) {
    ++allocations;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

int main() {
    corvix::skin::RegisterSkinFunctions();
    HWND host = CreateWindowA("STATIC", "paint bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50,
                              300, 200, nullptr, nullptr, nullptr, nullptr);
    HWND system = MakeButton(host, 10);
    // The demo's own kind of button too: subclassed by its object.
    const auto library = corvix::TWindow::New({.cTitle = "paint bench: library buttons", .lPixel = false});
    ShowWindow(library->hWnd, SW_SHOWNOACTIVATE);
    const auto LibraryButton = [&](double nRow) {
        return corvix::TButton::New({.nRow = nRow, .nCol = 5, .cCaption = "Info", .oWnd = library, .nWidth = 80,
                                     .nHeight = 24})->hWnd;
    };
    HWND librarySystem = LibraryButton(2);
    corvix::skin::BUTTONS2007(system);
    HWND skinned = MakeButton(host, 60);
    HWND librarySkinned = LibraryButton(5);
    // Invalidation, erase and BeginPaint/EndPaint with no drawing: the floor under both paints.
    HWND bare = MakePlainWindow(host, "PaintFloor", DefWindowProcA, 10);
    HWND copyOnly = MakePlainWindow(host, "CopyOnly", CopyOnlyProc, 60);

    HDC target = GetDC(skinned);
    // A memory DC like the painter's buffer, for its layers measured alone.
    HDC canvas = CreateCompatibleDC(target);
    HBITMAP canvasBitmap = CreateCompatibleBitmap(target, kWidth, kHeight);
    HGDIOBJ previous = SelectObject(canvas, canvasBitmap);
    copySource = canvas;
    const corvix::RectArray area{0, 0, kHeight, kWidth};
    const corvix::skin::ButtonCaption caption = corvix::skin::ReadButtonCaption(skinned);

    const auto flushed = [](auto paint) { return [paint](int) { paint(); GdiFlush(); }; };
    const std::vector<double> medians = corvix_bench::InterleavedMediansPerCall(kRepetitions, kPaintsPerRepetition, {
        flushed([&] { RepaintNow(system); }),
        flushed([&] { RepaintNow(skinned); }),
        flushed([&] { RepaintNow(librarySystem); }),
        flushed([&] { RepaintNow(librarySkinned); }),
        flushed([&] { RepaintNow(bare); }),
        flushed([&] { RepaintNow(copyOnly); }),
        flushed([&] { corvix::skin::BTNPAINT(skinned, target); }),
        flushed([&] { corvix::skin::PaintButtonFace(canvas, kWidth, kHeight, corvix::skin::ButtonLook::Normal); }),
        flushed([&] { (void)corvix::skin::ReadButtonCaption(skinned); }),
        flushed([&] { corvix::skin::PaintButtonCaption(canvas, caption, area); }),
        // What the buffer adds: its DC state kept and put back, its copy onto the target.
        flushed([&] {
            const int state = SaveDC(canvas);
            BitBlt(target, 0, 0, kWidth, kHeight, canvas, 0, 0, SRCCOPY);
            RestoreDC(canvas, state);
        }),
    });
    const double systemPaint = medians[0], skinPaint = medians[1], librarySystemPaint = medians[2],
                 librarySkinPaint = medians[3], cycle = medians[4], copyPaint = medians[5], painter = medians[6],
                 face = medians[7], reading = medians[8], drawnCaption = medians[9], buffer = medians[10];
    const double allocationsPerPaint = AllocationsPerPaint(skinned);
    SelectObject(canvas, previous);
    DeleteObject(canvasBitmap);
    DeleteDC(canvas);
    ReleaseDC(skinned, target);
    DestroyWindow(host);
    DestroyWindow(library->hWnd);

    std::printf("architecture: %s\n", sizeof(void*) == 8 ? "x86_64" : "i686");
    std::printf("paint medians (us per paint, %d x %d \"Info\", %d runs of %d): skinned %.1f, system %.1f\n",
                kWidth, kHeight, kRepetitions, kPaintsPerRepetition, skinPaint, systemPaint);
    std::printf("skinned paint breakdown (us): painter %.1f (reading the caption %.1f; buffer %.1f; the kept "
                "picture's copy and the look-ups %.1f; a button not seen before adds its caption, %.1f, and a size "
                "not seen before its face, %.1f), the system's paint cycle %.1f, showing drawn pixels %.1f (a "
                "paint that only copies, less the cycle), the rest outside the painter %.1f\n",
                painter, reading, buffer, painter - reading - buffer, drawnCaption, face, cycle, copyPaint - cycle,
                skinPaint - painter - copyPaint);
    std::printf("paint ratio skinned/system: %.2f\n", skinPaint / systemPaint);
    std::printf("alloc per skinned paint (a caption of 36 bytes): %.3f\n", allocationsPerPaint);
    std::printf("the library's own buttons (TButton, the demo's kind): skinned %.1f, system %.1f, ratio %.2f\n",
                librarySkinPaint, librarySystemPaint, librarySkinPaint / librarySystemPaint);
    return 0;
}
