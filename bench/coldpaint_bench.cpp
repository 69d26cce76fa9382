// The first paint of 50 skinned buttons of distinct sizes and captions,
// none of which the painter has seen, against 50 system buttons of the same
// sizes and captions, measured in turn within every run. Every run gives
// the buttons sizes no run gave before, so each paint finds no kept picture.

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench/benchclock.h"
#include "corvix/classes/font.h"
#include "corvix/classes/window.h"
#include "corvix/skin/buttonhook.h"

namespace {

constexpr int kButtons = 50;
constexpr int kRuns = 15;

std::vector<HWND> MakeButtons(HWND parent, int left) {
    std::vector<HWND> buttons;
    for (int i = 0; i < kButtons; ++i) {
        const std::string caption = "Caption " + std::to_string(i);
        // Two columns apart enough for the widest and tallest of them.
        buttons.push_back(CreateWindowA("BUTTON", caption.c_str(), WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON,
                                        left + i % 2 * 110, 4 + i / 2 * 36, 50, 20, parent, nullptr, nullptr,
                                        nullptr));
    }
    return buttons;
}

// Sizes of this run alone: widths 50 to 99 across the buttons, a height per run.
void SizeForRun(const std::vector<HWND>& buttons, int run) {
    for (int i = 0; i < kButtons; ++i)
        SetWindowPos(buttons[i], nullptr, 0, 0, 50 + i, 18 + run, SWP_NOMOVE | SWP_NOZORDER | SWP_NOREDRAW);
    for (HWND button : buttons) ValidateRect(button, nullptr);
}

double FirstPaints(const std::vector<HWND>& buttons, int run) {
    SizeForRun(buttons, run);
    GdiFlush();
    const double start = corvix_bench::NowMicroseconds();
    for (HWND button : buttons) RedrawWindow(button, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    GdiFlush();
    return corvix_bench::NowMicroseconds() - start;
}

}  // namespace

int main() {
    // The demo's window and font. Its window reports no font: both kinds of
    // button draw their captions in the system's.
    const auto host = corvix::TWindow::New({.nTop = 0, .nLeft = 0, .nBottom = 960, .nRight = 480,
                                            .cTitle = "cold paint bench", .lPixel = true});
    host->SetFont(corvix::TFont::New({.cFaceName = "Verdana", .nWidth = 0, .nHeight = -12}));
    ShowWindow(host->hWnd, SW_SHOWNOACTIVATE);
    const std::vector<HWND> system = MakeButtons(host->hWnd, 240);
    corvix::skin::BUTTONS2007(system.front());
    const std::vector<HWND> skinned = MakeButtons(host->hWnd, 10);
    // Once each at a size no run uses: what the system makes on a first paint of any button.
    FirstPaints(system, -1);
    FirstPaints(skinned, -1);

    const std::vector<double> medians = corvix_bench::InterleavedMedians(kRuns, {
        [&](int run) { return FirstPaints(skinned, run); },
        [&](int run) { return FirstPaints(system, run); },
    });
    DestroyWindow(host->hWnd);

    std::printf("architecture: %s\n", sizeof(void*) == 8 ? "x86_64" : "i686");
    std::printf("cold paint medians (us for the first paints of %d buttons of distinct sizes and captions, %d "
                "runs): skinned %.0f, system %.0f\n",
                kButtons, kRuns, medians[0], medians[1]);
    std::printf("cold paint ratio skinned/system: %.2f\n", medians[0] / medians[1]);
    return 0;
}
