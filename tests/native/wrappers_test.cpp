#include "corvix/native/wrappers.h"

#include <gtest/gtest.h>

#include "corvix/native/valueconv.h"
#include "corvix/native/wndpos.h"
#include "corvix/runtime/registry.h"
#include "tests/support/testwindow.h"

namespace corvix {
namespace {

using corvix_test::Canvas;
using corvix_test::HostWindow;
using corvix_test::Pump;

// A handle that was a window once and no longer is.
HWND DestroyedWindow() {
    HWND h = CreateWindowA("STATIC", "gone", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    DestroyWindow(h);
    return h;
}

// The handle is made inside the test: no window is created before main runs.
class NoWindowTest : public testing::TestWithParam<bool> {};

TEST_P(NoWindowTest, EveryWrapperGivesItsStatedAnswer) {
    const HWND h = GetParam() ? DestroyedWindow() : nullptr;
    const RectArray zero{};
    EXPECT_EQ(WNDWIDTH(h), 0);
    EXPECT_EQ(WNDHEIGHT(h), 0);
    EXPECT_EQ(GETWNDRECT(h), zero);
    EXPECT_EQ(GETCLIENTRECT(h), zero);
    EXPECT_EQ(GETWINDOWTEXT(h), "");
    EXPECT_EQ(SENDMESSAGE(h, WM_SETTEXT, 0, std::string("x")), 0);
    EXPECT_FALSE(POSTMESSAGE(h, WM_NULL));
    EXPECT_FALSE(POSTMESSAGE(h, WM_SETTEXT, 0, std::string("x")));
    EXPECT_FALSE(ISWINDOWENABLED(h));
    EXPECT_EQ(GETPARENT(h), nullptr);
    EXPECT_EQ(GETWINDOWLONG(h, GWL_ID), 0);
    EXPECT_FALSE(TRACKMOUSEEVENT(h, TME_LEAVE));
    WNDWIDTH(h, 50);   // no window to size: nothing happens
    WNDHEIGHT(h, 50);
    WNDTOP(h, 5);
    WNDLEFT(h, 5);

    HostWindow host;
    SetFocus(host.Get());
    SETFOCUS(h);
    EXPECT_EQ(GETFOCUS(), host.Get()) << "focus must not move";
}

INSTANTIATE_TEST_SUITE_P(HandleZeroAndDestroyed, NoWindowTest,
                         testing::Bool(),
                         [](const testing::TestParamInfo<bool>& info) {
                             return std::string(info.param ? "Destroyed" : "Zero");
                         });

TEST(WrappersTest, HandleZeroGivesNothingForPositionsAndZerosForRectangles) {
    EXPECT_FALSE(WNDTOP(nullptr).has_value());
    EXPECT_FALSE(WNDLEFT(nullptr).has_value());
    EXPECT_EQ(GETCOORS(nullptr), RectArray{});
    EXPECT_TRUE(CallByName("WNDTOP", {0})->IsNil());
    EXPECT_EQ(CallByName("GETCLIENTRECT", {0}).value(), RectValue({}));
    EXPECT_EQ(CallByName("GETWINDOWTEXT", {12345})->AsString(), "");
}

TEST(WrappersTest, PositionFamilyReadsAndMovesInParentClientCoordinates) {
    HostWindow host;
    HWND b = host.AddButton("b", 7, 30, 40, 81, 25);
    EXPECT_EQ(WNDTOP(b), 40);
    EXPECT_EQ(WNDLEFT(b), 30);
    EXPECT_EQ(WNDWIDTH(b), 81);
    EXPECT_EQ(WNDHEIGHT(b), 25);
    EXPECT_EQ(GETCOORS(b), (RectArray{40, 30, 65, 111}));
    EXPECT_EQ(GETCLIENTRECT(b), (RectArray{0, 0, 25, 81}));

    WNDTOP(b, 60);
    WNDLEFT(b, 10);
    WNDWIDTH(b, 90);
    WNDHEIGHT(b, 30);
    EXPECT_EQ(GETCOORS(b), (RectArray{60, 10, 90, 100}));

    CallByName("WNDTOP", {Value::Handle(b), 5});
    EXPECT_EQ(CallByName("WNDTOP", {Value::Handle(b)})->AsInteger(), 5);
    EXPECT_EQ(CallByName("WNDWIDTH", {Value::Handle(b)})->AsInteger(), 90);
}

TEST(WrappersTest, TopLevelWindowsKeepScreenCoordinates) {
    HostWindow host;
    const RectArray r = GETWNDRECT(host.Get());
    EXPECT_EQ(WNDTOP(host.Get()), r.nTop);
    EXPECT_EQ(WNDLEFT(host.Get()), r.nLeft);
    EXPECT_EQ(GETCOORS(host.Get()), r);
}

TEST(WrappersTest, DrawTextWithTwoArgumentsDrawsAtTheTopLeftCorner) {
    Canvas c(200, 40, RGB(255, 255, 255));
    const Value dc = Value::Handle(c.Get());
    EXPECT_EQ(CallByName("DRAWTEXT", {dc})->AsInteger(), 0);
    const int64_t height = CallByName("DRAWTEXT", {dc, "WWWW"})->AsInteger();
    EXPECT_GT(height, 0);
    int ink = 0, inkBelow = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 200; ++x)
            if (c.Pixel(x, y) == RGB(0, 0, 0)) (y < height ? ink : inkBelow)++;
    EXPECT_GT(ink, 0);
    EXPECT_EQ(inkBelow, 0);
    EXPECT_EQ(c.Pixel(120, 5), RGB(255, 255, 255)) << "four letters do not reach x 120";
}

TEST(WrappersTest, DrawTextNeverWritesIntoTheCallersText) {
    Canvas c(60, 20);
    const std::string text = "A caption far too long for the box";
    DRAWTEXT(c.Get(), text, RectArray{0, 0, 20, 60}, DT_SINGLELINE | DT_END_ELLIPSIS | DT_MODIFYSTRING);
    EXPECT_EQ(text, "A caption far too long for the box");
}

// Top 30 and left 100 differ, so a swapped pair shows; by name the rectangle
// travels as an array.
TEST(WrappersTest, DrawTextReadsTheRectangleRowFirstAlsoByName) {
    for (const bool byName : {false, true}) {
        Canvas c(200, 60, RGB(255, 255, 255));
        if (byName)
            CallByName("DRAWTEXT", {Value::Handle(c.Get()), "WWWW", Array{30, 100, 60, 200}, DT_SINGLELINE});
        else
            DRAWTEXT(c.Get(), "WWWW", RectArray{30, 100, 60, 200}, DT_SINGLELINE);
        int inkOutside = 0, inkInside = 0;
        for (int y = 0; y < 60; ++y)
            for (int x = 0; x < 200; ++x)
                if (c.Pixel(x, y) == RGB(0, 0, 0)) (y < 30 || x < 100 ? inkOutside : inkInside)++;
        EXPECT_EQ(inkOutside, 0) << byName;
        EXPECT_GT(inkInside, 0) << byName;
    }
}

TEST(WrappersTest, MessagesCarryStringsAsTheAddressOfTheirCharacters) {
    HostWindow host;
    const Value h = Value::Handle(host.Get());
    CallByName("SENDMESSAGE", {h, WM_SETTEXT, 0, "sent"});
    EXPECT_EQ(GETWINDOWTEXT(host.Get()), "sent");
    {
        std::string posted = "posted ";
        posted += std::string(40, 'x');  // beyond the small-string buffer
        EXPECT_TRUE(CallByName("POSTMESSAGE", {h, WM_APP, 0, Value(posted)})->AsLogical());
        posted.assign(posted.size(), '#');
    }
    Pump();  // the receiver reads the text only now
    EXPECT_EQ(host.LastAppText(), "posted " + std::string(40, 'x'));
}

TEST(WrappersTest, SendMessagePassesTheHandleMinusOneOn) {
    // -1 is no window, yet it is handed to the system rather than answered here.
    const HWND minusOne = reinterpret_cast<HWND>(static_cast<intptr_t>(-1));
    EXPECT_EQ(SENDMESSAGE(minusOne, WM_NULL), SendMessageA(minusOne, WM_NULL, 0, 0));
}

TEST(WrappersTest, CursorPositionComesRowFirst) {
    ASSERT_TRUE(corvix_test::MoveCursorTo(100, 40));
    EXPECT_EQ(GETCURSORPOS(), (PointArray{40, 100}));
    EXPECT_EQ(CallByName("GETCURSORPOS").value(), Value(Array{40, 100}));
}

TEST(WrappersTest, FocusParentTextAndIdentifierOfARealButton) {
    HostWindow host;
    HWND b = host.AddButton("Caption", 1234, 10, 10, 80, 24);
    SETFOCUS(b);
    EXPECT_EQ(GETFOCUS(), b);
    EXPECT_EQ(GETACTIVEWINDOW(), host.Get());
    EXPECT_EQ(GETPARENT(b), host.Get());
    EXPECT_EQ(GETWINDOWTEXT(b), "Caption");
    EXPECT_EQ(GETWINDOWLONG(b, GWL_ID), 1234);
    EXPECT_TRUE(ISWINDOWENABLED(b));
    EXPECT_TRUE(TRACKMOUSEEVENT(b, TME_LEAVE));
    HDC dc = GETDC(b);
    EXPECT_NE(dc, nullptr);
    EXPECT_EQ(SETBKMODE(dc, TRANSPARENT), OPAQUE);
    EXPECT_EQ(SETTEXTCOLOR(dc, RGB(1, 2, 3)), RGB(0, 0, 0));
    EXPECT_TRUE(RELEASEDC(b, dc));
}

// As SetWindowTextA would store it: in the process's code page, up to the first NUL.
TEST(WrappersTest, HoldsWindowTextComparesWithTheStoredText) {
    HostWindow host;
    const HWND b = host.AddButton("Caption", 1, 10, 10, 80, 24);
    const struct {
        const char* held;
        std::string asked;
        bool same;
    } cases[] = {
        {"Caption", "Caption", true},
        {"Caption", "caption", false},
        {"Caption", "Capt", false},
        {"Capt", "Caption", false},
        {"", "", true},
        {"Caption", std::string("Caption\0x", 9), true},
        {"\xD0\x9F\xD1\x83\xD1\x81\xD0\xBA", "\xD0\x9F\xD1\x83\xD1\x81\xD0\xBA", true},
    };
    for (const auto& c : cases) {
        SetWindowTextA(b, c.held);
        EXPECT_EQ(HoldsWindowText(b, c.asked), c.same) << "held \"" << c.held << "\", asked \"" << c.asked << '"';
    }
}

}  // namespace
}  // namespace corvix
