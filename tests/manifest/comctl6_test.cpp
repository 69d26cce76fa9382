// This program's manifest asks for the system's themed common controls
// (version 6), so its "BUTTON" windows are theirs, not user32's: the skin,
// installed through one of them, must still reach every push button.

#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "tests/support/dialogprobe.h"
#include "tests/support/skinsupport.h"
#include "tests/support/testwindow.h"

namespace {

using corvix_test::HostWindow;

bool IsSkinCorner(COLORREF c) { return c == corvix_test::kNormalCorner || c == corvix_test::kFocusedCorner; }

// The corners of the push buttons of the box that open() shows, closed with Cancel.
std::vector<COLORREF> BoxCorners(const std::function<void()>& open) {
    std::vector<COLORREF> corners;
    corvix_test::DialogProbe probe([&corners](HWND box) {
        corners = corvix_test::PushButtonCorners(box);
        PostMessageA(box, WM_COMMAND, IDCANCEL, 0);
    });
    open();
    EXPECT_TRUE(probe.Ran());
    return corners;
}

TEST(CommonControls6Test, TheProgramsButtonsAreTheThemedControls) {
    HostWindow host;
    SIZE ideal{};
    EXPECT_TRUE(SendMessageA(host.AddButton("Ideal", 1, 10, 10, 60, 20), BCM_GETIDEALSIZE, 0,
                             reinterpret_cast<LPARAM>(&ideal)))
        << "only the common controls' button knows its ideal size";
}

TEST(CommonControls6Test, TheSkinReachesTheProgramsTheMessageBoxsAndTheColourDialogsButtons) {
    HostWindow host;
    corvix_test::InstallSkin(host);
    host.AddButton("Own", 2, 10, 10, 60, 20);
    const std::vector<COLORREF> own = corvix_test::PushButtonCorners(host.Get());
    ASSERT_EQ(own.size(), 1u);
    EXPECT_TRUE(IsSkinCorner(own[0])) << corvix_test::Rgb(own[0]);
    COLORREF custom[16] = {};
    CHOOSECOLORA cc{.lStructSize = sizeof cc, .hwndOwner = host.Get(), .lpCustColors = custom, .Flags = CC_FULLOPEN};
    const std::vector<std::function<void()>> boxes = {
        [&host] { MessageBoxA(host.Get(), "Skinned?", "Information", MB_OKCANCEL); },
        [&cc] { ChooseColorA(&cc); }};
    for (const auto& open : boxes) {
        const std::vector<COLORREF> corners = BoxCorners(open);
        ASSERT_FALSE(corners.empty());
        for (COLORREF c : corners) EXPECT_TRUE(IsSkinCorner(c)) << corvix_test::Rgb(c);
    }
}

}  // namespace
