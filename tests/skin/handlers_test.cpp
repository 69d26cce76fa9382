#include "corvix/skin/handlers.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "tests/support/skinsupport.h"
#include "tests/support/testwindow.h"

namespace corvix::skin {
namespace {

using corvix_test::kFocusedCorner;
using corvix_test::kNormalCorner;
using corvix_test::kPressedCorner;
using corvix_test::Pump;
using corvix_test::Rgb;
using corvix_test::WindowPixel;

constexpr COLORREF kSentinel = RGB(1, 2, 3);

// Two skinned 81 x 25 buttons, A and B, on a host; messages are sent as the
// system would, with the cursor placed where the mouse would be.
class HandlersTest : public testing::Test {
protected:
    void SetUp() override {
        corvix_test::InstallSkin(host_);
        a_ = host_.AddButton("A", 201, 30, 36, 81, 25);
        b_ = host_.AddButton("B", 202, 30, 90, 81, 25);
        hPressedButton = nullptr;
        lPressedLook = false;
    }

    // Puts the cursor at a point of the button, in its window coordinates.
    static void CursorAt(HWND b, int x, int y) {
        RECT r;
        GetWindowRect(b, &r);
        EXPECT_TRUE(corvix_test::MoveCursorTo(r.left + x, r.top + y));
    }
    static void CursorAway() { EXPECT_TRUE(corvix_test::MoveCursorTo(5, 1000)); }

    static void Press(HWND b) { SendMessageA(b, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10)); }
    static void Release(HWND b) { SendMessageA(b, WM_LBUTTONUP, 0, MAKELPARAM(10, 10)); }
    static void Move(HWND b) { SendMessageA(b, WM_MOUSEMOVE, 0, MAKELPARAM(10, 10)); }
    static void Leave(HWND b) { SendMessageA(b, WM_MOUSELEAVE, 0, 0); }
    static void SpaceDown(HWND b, int repeat = 1) { SendMessageA(b, WM_KEYDOWN, VK_SPACE, repeat); }
    static void SpaceUp(HWND b) { SendMessageA(b, WM_KEYUP, VK_SPACE, 0xC0000001); }

    static COLORREF Corner(HWND b) { return WindowPixel(b, 0, 0); }

    // Paints a colour over the button that only a new paint can remove.
    static void MarkPainted(HWND b) {
        HDC dc = GetDC(b);
        HBRUSH brush = CreateSolidBrush(kSentinel);
        RECT all{0, 0, 81, 25};
        FillRect(dc, &all, brush);
        DeleteObject(brush);
        ReleaseDC(b, dc);
    }
    static bool StillMarked(HWND b) { return WindowPixel(b, 0, 0) == kSentinel; }

    int Clicks() {
        Pump();
        return host_.Commands();
    }

    // A left click of the real mouse where the cursor is.
    static void ClickHere() {
        INPUT input[2] = {};
        input[0].type = input[1].type = INPUT_MOUSE;
        input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
        SendInput(2, input, sizeof(INPUT));
    }

    // Real input arrives when the system gets to it.
    bool WaitForClicks(int n) {
        for (int i = 0; i < 200 && Clicks() < n; ++i) Sleep(5);
        return Clicks() == n;
    }

    corvix_test::HostWindow host_;
    HWND a_ = nullptr;
    HWND b_ = nullptr;
};

TEST_F(HandlersTest, PressMoveOffMoveBackAndReleaseIsOneClick) {
    CursorAt(a_, 40, 12);
    Press(a_);
    EXPECT_EQ(hPressedButton, a_);
    EXPECT_EQ(GetFocus(), a_);
    EXPECT_EQ(Rgb(Corner(a_)), Rgb(kPressedCorner));
    Leave(a_);
    EXPECT_EQ(Rgb(Corner(a_)), Rgb(kFocusedCorner));
    Move(a_);
    EXPECT_EQ(Rgb(Corner(a_)), Rgb(kPressedCorner));
    EXPECT_EQ(Clicks(), 0);
    Release(a_);
    EXPECT_EQ(Clicks(), 1);
    EXPECT_EQ(host_.LastCommandWParam(), MAKEWPARAM(201, BN_CLICKED));
    EXPECT_EQ(host_.LastCommandLParam(), reinterpret_cast<LPARAM>(a_));
    EXPECT_EQ(Rgb(Corner(a_)), Rgb(kFocusedCorner));
    EXPECT_EQ(hPressedButton, nullptr);
}

TEST_F(HandlersTest, BmClickGivesOneClickWhereverTheCursorIs) {
    CursorAway();
    SendMessageA(a_, BM_CLICK, 0, 0);
    EXPECT_EQ(Clicks(), 1);
    EXPECT_EQ(host_.LastCommandLParam(), reinterpret_cast<LPARAM>(a_));
    EXPECT_EQ(GetFocus(), a_);
    EnableWindow(b_, FALSE);
    SendMessageA(b_, BM_CLICK, 0, 0);
    EXPECT_EQ(Clicks(), 1) << "a disabled button gives none";
}

// A release already queued behind the press is handled in the press's drain.
TEST_F(HandlersTest, AFastClickEndsInTheFocusedLook) {
    CursorAt(a_, 40, 12);
    PostMessageA(a_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    PostMessageA(a_, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    EXPECT_EQ(Clicks(), 1);
    EXPECT_EQ(Rgb(Corner(a_)), Rgb(kFocusedCorner));
}

// Real input: a button holding the capture would take the click meant for B.
TEST_F(HandlersTest, ADoubleClickIsTwoClicksAndLeavesNoCapture) {
    CursorAt(a_, 40, 12);
    ClickHere();
    ClickHere();
    EXPECT_TRUE(WaitForClicks(2));
    EXPECT_EQ(GetCapture(), nullptr);
    CursorAt(b_, 40, 12);
    ClickHere();
    EXPECT_TRUE(WaitForClicks(3));
    EXPECT_EQ(host_.LastCommandLParam(), reinterpret_cast<LPARAM>(b_));
}

TEST_F(HandlersTest, PressOnOneReleaseOnAnotherIsNoClick) {
    CursorAt(a_, 40, 12);
    Press(a_);
    CursorAt(b_, 40, 12);
    Release(b_);
    EXPECT_EQ(Clicks(), 0);
    EXPECT_EQ(hPressedButton, nullptr);
}

TEST_F(HandlersTest, AReleaseOutsideLeavesThePressedLookToComeBack) {
    CursorAt(a_, 40, 12);
    Press(a_);
    CursorAway();
    Leave(a_);  // the release happens elsewhere: A never sees it
    EXPECT_EQ(hPressedButton, a_);
    CursorAt(a_, 40, 12);
    Move(a_);
    EXPECT_EQ(Rgb(Corner(a_)), Rgb(kPressedCorner)) << "pressed look with the mouse button up";
    Leave(a_);
    EXPECT_EQ(Rgb(Corner(a_)), Rgb(kFocusedCorner));
}

TEST_F(HandlersTest, TheHitAreaLeavesOutTheEdgesThatTheSkinDraws) {
    struct Point {
        int x, y;
        bool clicks;
    } points[] = {
        {40, 12, true}, {78, 23, true},   // last column and row still inside
        {79, 12, false}, {80, 12, false}, // the last two columns
        {40, 24, false},                  // the last row
        {0, 12, false}, {40, 0, false},   // the left column, the top row
    };
    for (const Point& p : points) {
        const int before = Clicks();
        CursorAt(a_, 40, 12);
        Press(a_);
        CursorAt(a_, p.x, p.y);
        Release(a_);
        EXPECT_EQ(Clicks() - before, p.clicks ? 1 : 0) << "release at " << p.x << "," << p.y;
    }
}

TEST_F(HandlersTest, HoldingSpaceRepaintsOnceAndReleasingClicksOnce) {
    SetFocus(a_);
    SpaceDown(a_);
    EXPECT_EQ(Rgb(Corner(a_)), Rgb(kPressedCorner));
    MarkPainted(a_);
    for (int i = 0; i < 5; ++i) SpaceDown(a_, 0x40000001);  // auto-repeat
    EXPECT_TRUE(StillMarked(a_));
    SpaceUp(a_);
    EXPECT_EQ(Rgb(Corner(a_)), Rgb(kFocusedCorner));
    EXPECT_EQ(Clicks(), 1);
    EXPECT_FALSE(lPressedLook);
}

TEST_F(HandlersTest, ASpaceKeyUpWithoutItsKeyDownStillClicks) {
    SetFocus(a_);
    SpaceUp(a_);
    EXPECT_EQ(Clicks(), 1);
}

TEST_F(HandlersTest, OtherKeysDoNothingButEndThePressedLook) {
    SetFocus(a_);
    SpaceDown(a_);
    MarkPainted(a_);
    SendMessageA(a_, WM_KEYDOWN, 'X', 1);
    SendMessageA(a_, WM_KEYUP, 'X', 0xC0000001);
    EXPECT_TRUE(StillMarked(a_));
    EXPECT_FALSE(lPressedLook);
    EXPECT_EQ(Clicks(), 0);
}

TEST_F(HandlersTest, MovingOverAButtonThatIsNotPressedPaintsNothing) {
    CursorAt(b_, 40, 12);
    MarkPainted(b_);
    Move(b_);
    EXPECT_TRUE(StillMarked(b_));
}

TEST_F(HandlersTest, TheLookFollowsTheFocus) {
    SetFocus(a_);
    EXPECT_EQ(Rgb(Corner(a_)), Rgb(kFocusedCorner));
    SetFocus(b_);
    EXPECT_EQ(Rgb(Corner(a_)), Rgb(kNormalCorner));
    EXPECT_EQ(Rgb(Corner(b_)), Rgb(kFocusedCorner));
    SetFocus(host_.Get());  // to a window the skin never sees
    EXPECT_EQ(Rgb(Corner(b_)), Rgb(kNormalCorner));
}

TEST_F(HandlersTest, IsOverTakesScreenPointsRowFirst) {
    hPressedButton = a_;
    RECT r;
    GetWindowRect(a_, &r);
    EXPECT_TRUE(ISOVER(a_, r.top + 5, r.left + 5));
    EXPECT_FALSE(ISOVER(a_, r.top + 5, r.right - 2));
    EXPECT_FALSE(ISOVER(b_, r.top + 5, r.left + 5)) << "B is not the pressed button";
}

TEST_F(HandlersTest, DiagnosticsWriteTheirLinesToMsgsTxt) {
    DeleteFileA("msgs.txt");
    LOGMSG("hello");
    CREATEROUND(7);
    std::ifstream in("msgs.txt", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    const std::string log = text.str();
    EXPECT_NE(log.find(": hello\t\r\n"), std::string::npos) << log;
    EXPECT_NE(log.find(": 7\t"), std::string::npos) << log;
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 2);
    in.close();
    DeleteFileA("msgs.txt");
}

}  // namespace
}  // namespace corvix::skin
