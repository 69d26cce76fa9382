// A data-entry dialog of 200 controls (buttons, labels, check boxes and
// scroll bars) with the skin installed: a TDialog made and activated until
// its first complete paint, against DialogBoxIndirectParam of the same
// template with plain procedures, with the skin and without, measured in
// turn within every run. The owner ends each dialog the first time it idles
// with nothing left to paint.

#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>

#include "bench/benchclock.h"
#include "corvix/classes/button.h"
#include "corvix/classes/checkbox.h"
#include "corvix/classes/dialog.h"
#include "corvix/classes/say.h"
#include "corvix/classes/scrollbar.h"
#include "corvix/skin/buttonhook.h"
#include "corvix/skin/skinproc.h"

namespace {

constexpr int kRuns = 7;
constexpr int kControls = 200;  // a quarter of each kind
constexpr int kColumns = 10;
constexpr int kCellWidth = 95, kCellHeight = 30;

LRESULT CALLBACK OwnerProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
    if (nMsg != WM_ENTERIDLE || wParam != MSGF_DIALOGBOX) return DefWindowProcA(hWnd, nMsg, wParam, lParam);
    // The dialog manager shows the dialog the first time it idles; the next idle follows its paints.
    const HWND dialog = reinterpret_cast<HWND>(lParam);
    if (IsWindowVisible(dialog) && !(HIWORD(GetQueueStatus(QS_PAINT)) & QS_PAINT)) EndDialog(dialog, IDOK);
    return 0;
}

INT_PTR CALLBACK PlainDialogProc(HWND, UINT nMsg, WPARAM, LPARAM) { return nMsg == WM_INITDIALOG; }

// The dialog object with its controls, each kind in turn across a grid.
std::shared_ptr<corvix::TDialog> MakeDialog(const std::shared_ptr<corvix::TWindow>& owner) {
    using namespace corvix;
    const auto dialog = TDialog::New({.cTitle = "big dialog", .oWnd = owner, .nWidth = 8 + kColumns * kCellWidth,
                                      .nHeight = 16 + kControls / kColumns * kCellHeight});
    for (int i = 0; i < kControls; ++i) {
        const int top = 8 + i / kColumns * kCellHeight, left = 8 + i % kColumns * kCellWidth;
        const std::string caption = std::to_string(i);
        switch (i % 4) {
            case 0:
                TButton::New({.nRow = static_cast<double>(top), .nCol = static_cast<double>(left),
                              .cCaption = "Button " + caption, .oWnd = dialog, .nWidth = 80, .nHeight = 24,
                              .lPixel = true});
                break;
            case 1:
                TSay::New({.nRow = top, .nCol = left, .bText = [caption] { return Value("Label " + caption); },
                           .oWnd = dialog, .lPixels = true, .nWidth = 80, .nHeight = 15});
                break;
            case 2:
                TCheckBox::New({.nRow = top, .nCol = left, .cCaption = "Check " + caption, .oWnd = dialog,
                                .nWidth = 80, .nHeight = 19, .lPixel = true});
                break;
            default:
                TScrollBar::New({.nRow = top, .nCol = left, .nMax = 100, .lVertical = false, .oWnd = dialog,
                                 .nWidth = 80, .nHeight = 17, .lPixel = true});
                break;
        }
    }
    return dialog;
}

double Elapsed(double start) { return (corvix_bench::NowMicroseconds() - start) / 1000; }

}  // namespace

int main() {
    WNDCLASSA ownerClass{};
    ownerClass.lpfnWndProc = &OwnerProc;
    ownerClass.lpszClassName = "BigDialogOwner";
    RegisterClassA(&ownerClass);
    const HWND ownerWindow = CreateWindowA("BigDialogOwner", "big dialog bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                           0, 0, 300, 200, nullptr, nullptr, nullptr, nullptr);
    auto owner = std::make_shared<corvix::TWindow>();  // the dialogs' owner object, not linked: its window idles them
    owner->hWnd = ownerWindow;

    const HWND installer = CreateWindowA("BUTTON", "", WS_CHILD, 0, 0, 10, 10, ownerWindow, nullptr, nullptr, nullptr);
    corvix::skin::BUTTONS2007(installer);
    const auto buttonClassProc = [installer](WNDPROC procedure) {
        SetClassLongPtrA(installer, GCLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure));
    };
    const std::string cTemplate = MakeDialog(owner)->cToChar(ownerWindow);
    const auto plainDialog = [&] {
        DialogBoxIndirectParamA(nullptr, reinterpret_cast<const DLGTEMPLATE*>(cTemplate.data()), ownerWindow,
                                &PlainDialogProc, 0);
    };

    const std::vector<double> medians = corvix_bench::InterleavedMedians(kRuns, {
        [&](int) {
            const double start = corvix_bench::NowMicroseconds();
            MakeDialog(owner)->Activate();
            return Elapsed(start);
        },
        [&](int) {
            const double start = corvix_bench::NowMicroseconds();
            plainDialog();
            return Elapsed(start);
        },
        [&](int) {
            buttonClassProc(corvix::skin::OldButtonProc);
            const double start = corvix_bench::NowMicroseconds();
            plainDialog();
            const double elapsed = Elapsed(start);
            buttonClassProc(&corvix::skin::SkinButtonProc);
            return elapsed;
        },
        // Where the library's time goes before the dialog manager runs.
        [&](int) {
            const double start = corvix_bench::NowMicroseconds();
            MakeDialog(owner);
            return Elapsed(start);
        },
        [&](int) {
            const auto dialog = MakeDialog(owner);
            const double start = corvix_bench::NowMicroseconds();
            (void)dialog->cToChar(ownerWindow);
            return Elapsed(start);
        },
    });
    DestroyWindow(ownerWindow);

    const double library = medians[0], plain = medians[1], unskinned = medians[2];
    std::printf("architecture: %s\n", sizeof(void*) == 8 ? "x86_64" : "i686");
    std::printf("big dialog medians (ms from making it to its first complete paint, %d controls, %d runs): "
                "TDialog %.1f (making the objects %.1f, building the template %.1f), DialogBoxIndirectParam of "
                "the same template %.1f, the same without the skin %.1f\n",
                kControls, kRuns, library, medians[3], medians[4], plain, unskinned);
    std::printf("big dialog ratio TDialog/plain: %.2f (against the plain dialog without the skin: %.2f)\n",
                library / plain, library / unskinned);
    return 0;
}
