// The skin as a program built on the library meets it: library dialogs with
// controls of every style, buttons greyed and renamed while shown, the
// system's font dialog, message boxes from a worker thread.

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <thread>
#include <vector>

#include "corvix/classes/button.h"
#include "corvix/classes/checkbox.h"
#include "corvix/classes/dialog.h"
#include "corvix/native/fontdialog.h"
#include "corvix/skin/btnpaint.h"
#include "corvix/skin/buttonhook.h"
#include "corvix/skin/skinproc.h"
#include "tests/support/dialogprobe.h"
#include "tests/support/gdiprobe.h"
#include "tests/support/skinsupport.h"
#include "tests/support/testwindow.h"

namespace corvix::skin {
namespace {

using corvix_test::HostWindow;
using corvix_test::IsSkinCorner;
using corvix_test::kFocusedCorner;
using corvix_test::kNormalCorner;
using corvix_test::PaintedCorner;
using corvix_test::Pump;
using corvix_test::Rgb;
using corvix_test::WindowPixel;

std::vector<uint32_t> ScreenPixels(HWND hWnd) {
    RECT r;
    GetClientRect(hWnd, &r);
    return corvix_test::CopyPixels(hWnd, r);
}

// Black pixels in a check box's box, at its left end, as it paints now.
int BlackInTheBox(HWND check) {
    InvalidateRect(check, nullptr, TRUE);
    UpdateWindow(check);
    RECT r;
    GetClientRect(check, &r);
    int n = 0;
    HDC dc = GetDC(check);
    for (int y = 0; y < r.bottom; ++y)
        for (int x = 0; x < 14; ++x) n += GetPixel(dc, x, y) == RGB(0, 0, 0);
    ReleaseDC(check, dc);
    return n;
}

bool HasGreyCaption(HWND b) {
    for (uint32_t c : ScreenPixels(b))
        if (c == 0x808080) return true;
    return false;
}

HWND AddChildButton(HWND parent, const char* caption, DWORD type, int top) {
    return CreateWindowA("BUTTON", caption, WS_CHILD | WS_VISIBLE | type, 10, top, 120, 24, parent, nullptr,
                         GetModuleHandleA(nullptr), nullptr);
}

void ClickAt(HWND hWnd, int x, int y) {
    RECT r;
    GetWindowRect(hWnd, &r);
    ASSERT_TRUE(corvix_test::MoveCursorTo(r.left + x, r.top + y));
    INPUT input[2] = {};
    input[0].type = input[1].type = INPUT_MOUSE;
    input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, input, sizeof(INPUT));
}

TEST(SkinInProgramTest, OnADialogOnlyThePushButtonsAreSkinned) {
    BUTTONS2007();
    auto dialog = corvix::TDialog::New({.cTitle = "Options"});
    auto push = corvix::TButton::New({.nRow = 1, .nCol = 2, .cCaption = "OK", .oWnd = dialog, .nWidth = 50,
                                      .nHeight = 13});
    auto check = corvix::TCheckBox::New({.nRow = 3, .nCol = 2, .cCaption = "Check", .oWnd = dialog, .nWidth = 80});
    corvix_test::DialogProbe probe([&](HWND hDlg) {
        HWND radio = AddChildButton(hDlg, "Radio", BS_AUTORADIOBUTTON, 80);
        HWND group = AddChildButton(hDlg, "Group", BS_GROUPBOX, 110);
        Pump();
        EXPECT_EQ(BlackInTheBox(check->hWnd), 0);
        ClickAt(check->hWnd, 6, 9);
        for (int i = 0; i < 100 && !check->lChecked(); ++i) {
            Sleep(10);
            Pump();
        }
        EXPECT_TRUE(check->lChecked());
        EXPECT_EQ(SendMessageA(check->hWnd, BM_GETCHECK, 0, 0), BST_CHECKED);
        EXPECT_GT(BlackInTheBox(check->hWnd), 4) << "the system's check mark";
        for (HWND unskinned : {check->hWnd, radio, group})
            EXPECT_FALSE(IsSkinCorner(WindowPixel(unskinned, 0, 0))) << Rgb(WindowPixel(unskinned, 0, 0));
        EXPECT_TRUE(IsSkinCorner(PaintedCorner(push->hWnd))) << Rgb(WindowPixel(push->hWnd, 0, 0));
        dialog->End();
    });
    dialog->Activate();
    EXPECT_TRUE(probe.Ran());
}

BOOL CALLBACK CollectButtons(HWND w, LPARAM out) {
    char cls[16] = {};
    GetClassNameA(w, cls, sizeof cls);
    if (lstrcmpiA(cls, "Button") == 0 && IsWindowVisible(w)) reinterpret_cast<std::vector<HWND>*>(out)->push_back(w);
    return TRUE;
}

TEST(SkinInProgramTest, TheFontDialogKeepsItsGroupAndCheckBoxesAndSkinsItsPushButtons) {
    BUTTONS2007();
    int pushButtons = 0, others = 0;
    corvix_test::DialogProbe probe([&](HWND dialog) {
        std::vector<HWND> buttons;
        EnumChildWindows(dialog, &CollectButtons, reinterpret_cast<LPARAM>(&buttons));
        for (HWND b : buttons) {
            const LONG_PTR type = GetWindowLongPtrA(b, GWL_STYLE) & BS_TYPEMASK;
            const bool push = type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
            ++(push ? pushButtons : others);
            EXPECT_EQ(IsSkinCorner(PaintedCorner(b)), push) << "style " << type;
        }
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    COLORREF colour = 0;  // asks for the effects: a group of check boxes
    EXPECT_FALSE(corvix::CHOOSEFONT({.pColor = &colour}).has_value());
    ASSERT_TRUE(probe.Ran());
    EXPECT_GE(pushButtons, 2) << "OK and Cancel";
    EXPECT_GE(others, 3) << "the effects group and its check boxes";
}

// The face stays the skin's at once after each change, with no paint in
// between: the system's code draws its classic face on these itself.
TEST(SkinInProgramTest, AGreyedAndRenamedButtonShowsTheSkinAtOnce) {
    BUTTONS2007();
    auto main = corvix::TWindow::New({.cTitle = "changes"});
    ShowWindow(main->hWnd, SW_SHOWNORMAL);
    auto button = corvix::TButton::New({.nRow = 2, .nCol = 5, .cCaption = "Info", .oWnd = main, .nWidth = 80,
                                        .nHeight = 24});
    Pump();
    const HWND b = button->hWnd;
    const struct {
        const char* step;
        std::function<void()> change;
        bool greyed;
    } steps[] = {
        {"greyed", [&] { button->Disable(); }, true},  // the normal face: a greyed button has no focus
        {"renamed while greyed", [&] { button->SetText("Renamed"); }, true},
        {"enabled", [&] { button->Enable(); }, false},
        {"renamed", [&] { button->SetText("Again"); }, false},
        {"state pushed", [&] { SendMessageA(b, BM_SETSTATE, TRUE, 0); }, false},
        {"state released", [&] { SendMessageA(b, BM_SETSTATE, FALSE, 0); }, false},
        {"checked", [&] { SendMessageA(b, BM_SETCHECK, BST_CHECKED, 0); }, false},
        {"restyled", [&] { SendMessageA(b, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE); }, false},
    };
    for (const auto& s : steps) {
        s.change();
        const COLORREF corner = WindowPixel(b, 0, 0);
        EXPECT_TRUE(s.greyed ? corner == kNormalCorner : IsSkinCorner(corner)) << s.step << ": " << Rgb(corner);
        EXPECT_EQ(HasGreyCaption(b), s.greyed) << s.step << ": the grey copy of the caption";
    }
}

TEST(SkinInProgramTest, AFocusMessageSentByHandLeavesTheFocusedLookOnTheFocus) {
    HostWindow host;
    corvix_test::InstallSkin(host);
    HWND focused = host.AddButton("A", 1, 10, 10, 81, 25);
    HWND other = host.AddButton("B", 2, 10, 50, 81, 25);
    for (UINT message : {WM_SETFOCUS, WM_KILLFOCUS}) {
        SetFocus(focused);
        Pump();
        SendMessageA(other, message, reinterpret_cast<WPARAM>(other), 0);
        EXPECT_EQ(Rgb(PaintedCorner(focused)), Rgb(kFocusedCorner)) << message;
        EXPECT_EQ(Rgb(PaintedCorner(other)), Rgb(kNormalCorner)) << message;
    }
}

// Shows n message boxes on a thread of their own, each answered at once;
// counts those whose OK button was skinned.
std::thread BoxesOnAWorker(int n, std::atomic<int>& answered, std::atomic<int>& skinned) {
    return std::thread([n, &answered, &skinned] {
        corvix_test::DialogProbe probe(
            [&skinned](HWND box) {
                bool allSkinned = true;
                for (int i = 0; i < 20; ++i) allSkinned &= IsSkinCorner(PaintedCorner(GetDlgItem(box, IDOK)));
                skinned += allSkinned;
                PostMessageA(box, WM_COMMAND, IDOK, 0);
            },
            n, 10);
        for (int i = 0; i < n; ++i) answered += MessageBoxA(nullptr, "From a worker", "Worker", MB_OK) == IDOK;
    });
}

// The skin paints a worker's message boxes on that thread while its own
// thread repaints its buttons: neither sees the other's pictures.
TEST(SkinInProgramTest, MessageBoxesOfAWorkerThreadAndTheSkinsThreadPaintApart) {
    HostWindow host;
    corvix_test::InstallSkin(host);
    const HWND buttons[] = {host.AddButton("One", 1, 10, 10, 81, 25), host.AddButton("Two words", 2, 10, 50, 120, 30),
                            host.AddButton("&Three", 3, 10, 100, 60, 22)};
    std::vector<std::vector<uint32_t>> expected;
    for (HWND b : buttons) {
        PaintedCorner(b);
        expected.push_back(ScreenPixels(b));
    }
    std::atomic<int> answered{0}, skinned{0};
    BoxesOnAWorker(1, answered, skinned).join();  // the first box makes what the system keeps
    const int gdiBefore = corvix_test::CountLiveGdiObjects();

    constexpr int kBoxes = 200;
    std::thread worker = BoxesOnAWorker(kBoxes, answered, skinned);
    int wrong = 0, paints = 0;
    const DWORD deadline = GetTickCount() + 45000;
    while (answered < kBoxes + 1 && GetTickCount() < deadline) {
        for (size_t i = 0; i < std::size(buttons); ++i, ++paints) {
            InvalidateRect(buttons[i], nullptr, FALSE);
            UpdateWindow(buttons[i]);
            wrong += ScreenPixels(buttons[i]) != expected[i];
        }
        Pump();
    }
    ASSERT_EQ(answered, kBoxes + 1) << "the worker's boxes stopped coming";
    worker.join();
    Pump();
    EXPECT_EQ(wrong, 0) << "of " << paints << " paints";
    EXPECT_EQ(skinned, kBoxes + 1);
    // The system keeps the odd region of a pending update; a leak per box or per paint would be hundreds.
    EXPECT_LE(corvix_test::CountLiveGdiObjects() - gdiBefore, 2);
}

// Buttons are children and never hear these broadcasts: the library's
// top-level windows pass them on.
TEST(SkinInProgramTest, ASystemChangeHeardByALibraryWindowForgetsTheKeptPictures) {
    HostWindow host;
    corvix_test::InstallSkin(host);
    const HWND buttons[] = {host.AddButton("One", 1, 10, 10, 81, 25), host.AddButton("Two", 2, 10, 50, 81, 25)};
    auto top = corvix::TWindow::New({.cTitle = "top"});
    for (UINT change : {WM_SETTINGCHANGE, WM_FONTCHANGE, WM_DISPLAYCHANGE, WM_SYSCOLORCHANGE, WM_THEMECHANGED}) {
        for (HWND b : buttons) PaintedCorner(b);
        ASSERT_GE(KeptPictureCount(), 2u);
        SendMessageA(top->hWnd, change, 0, 0);
        EXPECT_EQ(Rgb(PaintedCorner(buttons[0])), Rgb(kNormalCorner)) << change;
        EXPECT_EQ(KeptPictureCount(), 1u) << change;
    }
}

TEST(SkinInProgramTest, TheShortInstallSkinsLaterPushButtonsAndLeavesNoWindow) {
    BUTTONS2007();
    ASSERT_NE(OldButtonProc, nullptr);
    EXPECT_EQ(FindWindowExA(HWND_MESSAGE, nullptr, "Button", nullptr), nullptr);
    HostWindow host;
    EXPECT_EQ(Rgb(PaintedCorner(host.AddButton("After", 1, 10, 10, 81, 25))), Rgb(kNormalCorner));
}

}  // namespace
}  // namespace corvix::skin
