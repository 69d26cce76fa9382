// Paint cost of one skinned 81 x 25 "Info" button against the system's own
// push-button paint and against a single BitBlt of the same size, measured
// side by side in one run. Prints medians and ratios.

#include <windows.h>

#include <cstdio>
#include <functional>

#include "bench/benchclock.h"
#include "demo/skin/btnpaint.h"
#include "demo/skin/buttonhook.h"
#include "demo/skin/skinfuncs.h"

namespace {

constexpr int kWidth = 81, kHeight = 25;
constexpr int kRepetitions = 9;
constexpr int kPaintsPerRepetition = 200;

// Median microseconds per paint.
double MedianPerCall(const std::function<void()>& paint) {
    return corvix_bench::MedianMicrosecondsPerCall(kRepetitions, kPaintsPerRepetition, [&paint](int) { paint(); });
}

HWND MakeButton(HWND parent, int top) {
    return CreateWindowA("BUTTON", "Info", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 30, top, kWidth,
                         kHeight, parent, nullptr, GetModuleHandleA(nullptr), nullptr);
}

// A full paint through the window's own procedure, as the system asks for it.
void RepaintNow(HWND button) {
    RedrawWindow(button, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

}  // namespace

int main() {
    skindemo::RegisterSkinFunctions();
    HWND host = CreateWindowA("STATIC", "paint bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50,
                              300, 200, nullptr, nullptr, nullptr, nullptr);
    HWND system = MakeButton(host, 10);
    skindemo::BUTTONS2007(system);
    HWND skinned = MakeButton(host, 60);

    HDC target = GetDC(skinned);
    HDC source = CreateCompatibleDC(target);
    HBITMAP bitmap = CreateCompatibleBitmap(target, kWidth, kHeight);
    HGDIOBJ previous = SelectObject(source, bitmap);

    const double bitblt = MedianPerCall(
        [&] { BitBlt(target, 0, 0, kWidth, kHeight, source, 0, 0, SRCCOPY); GdiFlush(); });
    const double systemPaint = MedianPerCall([&] { RepaintNow(system); GdiFlush(); });
    const double skinPaint = MedianPerCall([&] { RepaintNow(skinned); GdiFlush(); });
    const double painterOnly = MedianPerCall([&] { skindemo::BTNPAINT(skinned, target); GdiFlush(); });

    SelectObject(source, previous);
    DeleteObject(bitmap);
    DeleteDC(source);
    ReleaseDC(skinned, target);
    DestroyWindow(host);

    std::printf("paint medians (us per paint, %d x %d \"Info\", %d runs of %d): skinned %.1f, "
                "painter alone %.1f, system %.1f, bitblt %.1f\n",
                kWidth, kHeight, kRepetitions, kPaintsPerRepetition, skinPaint, painterOnly,
                systemPaint, bitblt);
    std::printf("paint ratio skinned/system: %.2f\n", skinPaint / systemPaint);
    std::printf("paint ratio skinned/bitblt: %.2f\n", skinPaint / bitblt);
    return 0;
}
