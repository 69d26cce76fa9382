// Runs the demo's objects through long phases and measures, before and after
// each, the live GDI objects, the windows and the private bytes of the
// process. Prints one line per phase and a closing line; exits 1 when any
// phase leaves a GDI object or a window behind, or when the GDI objects
// cannot be counted. The full run also fails when a phase grows the private
// bytes past a heap's slack; "--short" runs a tenth of the counts and leaves
// memory to the full run, whose phases are long enough to tell a leak.

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "corvix/classes/brush.h"
#include "corvix/classes/button.h"
#include "corvix/classes/font.h"
#include "corvix/classes/msgbar.h"
#include "corvix/classes/window.h"
#include "corvix/native/msgbox.h"
#include "corvix/program/errsysw.h"
#include "corvix/skin/buttonhook.h"
#include "corvix/skin/skinfuncs.h"
#include "demo/demodialog.h"
#include "tests/support/dialogprobe.h"
#include "tests/support/gdiprobe.h"

using namespace corvix;

namespace {

constexpr long long kFlatMemoryKiB = 256;  // what a heap may keep in reserve after a phase

struct Reading {
    int gdi;
    int windows;
    SIZE_T privateBytes;
};

BOOL CALLBACK CountWindow(HWND, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

BOOL CALLBACK CountWindowAndChildren(HWND w, LPARAM count) {
    CountWindow(w, count);
    EnumChildWindows(w, &CountWindow, count);
    return TRUE;
}

// This thread's windows, top-level and children: the USER objects we can count.
int CountWindows() {
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), &CountWindowAndChildren, reinterpret_cast<LPARAM>(&count));
    return count;
}

// Committed memory of this process alone, walked region by region: the
// system's own counter of private bytes is not kept under every host.
SIZE_T PrivateBytes() {
    SIZE_T total = 0;
    MEMORY_BASIC_INFORMATION region{};
    for (const char* address = nullptr; VirtualQuery(address, &region, sizeof region) == sizeof region;
         address = static_cast<const char*>(region.BaseAddress) + region.RegionSize) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) total += region.RegionSize;
    }
    return total;
}

Reading Read() { return {corvix_test::CountLiveGdiObjects(), CountWindows(), PrivateBytes()}; }

long long KiB(SIZE_T after, SIZE_T before) {
    return (static_cast<long long>(after) - static_cast<long long>(before)) / 1024;
}

void Drain() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

struct Phase {
    const char* name;
    int count;
    std::function<void(int)> run;
    int warmUp = 3;  // a first round: fills the caches the system and the library make on first use
};

// The demo's main window: its font, its skinned "Info" button, its 2007 message bar.
std::shared_ptr<TWindow> DemoWindow() {
    const auto oWnd = TWindow::New({.cTitle = "soak", .lPixel = false});
    oWnd->SetFont(TFont::New({.cFaceName = "Verdana", .nWidth = 0, .nHeight = -12}));
    oWnd->oMsgBar = TMsgBar::New({.oWnd = oWnd, .cPrompt = "Office 2007 skins", .l2007 = true});
    ShowWindow(oWnd->hWnd, SW_SHOWNOACTIVATE);
    return oWnd;
}

// Every tenth paint the button takes one of 40 widths, more than the painter
// keeps pictures of, so that pictures are drawn anew all through.
constexpr int kPaintWarmUp = 8 * 40 * 10;  // every width eight times: each kept picture has had every size

void PaintTimes(HWND button, int n) {
    for (int i = 0; i < n; ++i) {
        if (i % 10 == 0)
            SetWindowPos(button, nullptr, 0, 0, 60 + (i / 10) % 40, 24, SWP_NOMOVE | SWP_NOZORDER | SWP_NOREDRAW);
        RedrawWindow(button, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }
}

// Each box or dialog the action opens is closed by a timer inside its own modal loop.
void OpenAndCloseTimes(int n, const std::function<void()>& open) {
    const corvix_test::DialogProbe closer([](HWND dialog) { PostMessageA(dialog, WM_CLOSE, 0, 0); }, n, 10);
    for (int i = 0; i < n; ++i) open();
}

void WindowsTimes(int n) {
    for (int i = 0; i < n; ++i) {
        const auto oWnd = TWindow::New({.cTitle = "window " + std::to_string(i)});
        // Each made here and handed over: the window's reference is the last one.
        const auto oFont = TFont::New({.cFaceName = "Tahoma", .nWidth = 0, .nHeight = -(8 + i % 8)});
        oWnd->SetFont(oFont);
        oFont->End();
        const auto oBrush = TBrush::New({.nRGBColor = RGB(i % 256, 128, 64)});
        oWnd->SetBrush(oBrush);
        oBrush->End();
        TButton::New({.nRow = 1, .nCol = 1, .cCaption = "Button", .oWnd = oWnd, .nWidth = 80, .nHeight = 24});
        oWnd->oMsgBar = TMsgBar::New({.oWnd = oWnd, .cPrompt = "ready", .l2007 = true});
        DestroyWindow(oWnd->hWnd);
    }
    Drain();
}

void MessagesTimes(HWND linked, int n) {
    for (int i = 0; i < n; ++i) SendMessageA(linked, WM_APP + 1, static_cast<WPARAM>(i), 0);
}

}  // namespace

int main(int argc, char** argv) {
    const bool shortRun = argc > 1 && std::strcmp(argv[1], "--short") == 0;
    const int divisor = shortRun ? 10 : 1;
    corvix::skin::RegisterSkinFunctions();
    ERRORSYS();
    const auto oWnd = DemoWindow();
    const auto oInstaller = TButton::New({.nRow = -2, .nCol = -2, .cCaption = "ok", .oWnd = oWnd});
    corvix::skin::BUTTONS2007(oInstaller->hWnd);
    oInstaller->End();
    const auto oInfo = TButton::New({.nRow = 2, .nCol = 5, .cCaption = "Info", .oWnd = oWnd, .nWidth = 80,
                                     .nHeight = 24});

    const std::vector<Phase> phases = {
        {"skinned paints", 100000 / divisor, [&](int n) { PaintTimes(oInfo->hWnd, n); }, kPaintWarmUp},
        {"message boxes", 1000 / divisor, [](int n) { OpenAndCloseTimes(n, [] { MSGINFO("soak"); }); }},
        {"demo dialogs", 1000 / divisor, [](int n) { OpenAndCloseTimes(n, [] { DIALOG(); }); }},
        {"windows with a button, a message bar, a font and a brush", 10000 / divisor, &WindowsTimes},
        {"messages through the object dispatch", 1000000 / divisor, [&](int n) { MessagesTimes(oWnd->hWnd, n); }},
    };
    for (const Phase& phase : phases) phase.run(phase.warmUp);
    Drain();

    const Reading start = Read();
    if (start.gdi < 0) {
        std::printf("soak: the GDI objects cannot be counted here\n");
        return 1;
    }
    bool leaked = false;
    for (const Phase& phase : phases) {
        phase.run(phase.warmUp);  // again: the phases before may have taken over what the caches keep
        Drain();
        const Reading before = Read();
        phase.run(phase.count);
        Drain();
        const Reading after = Read();
        leaked = leaked || after.gdi != before.gdi || after.windows != before.windows ||
                 (!shortRun && KiB(after.privateBytes, before.privateBytes) > kFlatMemoryKiB);
        std::printf("phase %s: %d, gdi %+d, windows %+d, private bytes %+lld KiB\n", phase.name, phase.count,
                    after.gdi - before.gdi, after.windows - before.windows,
                    KiB(after.privateBytes, before.privateBytes));
        std::fflush(stdout);
    }
    const Reading end = Read();
    std::printf("soak: %zu phases, gdi %+d, private bytes %+lld KiB (of %lld KiB; %d GDI objects live)\n",
                phases.size(), end.gdi - start.gdi, KiB(end.privateBytes, start.privateBytes),
                KiB(end.privateBytes, 0), end.gdi);
    DestroyWindow(oWnd->hWnd);
    return leaked ? 1 : 0;
}
