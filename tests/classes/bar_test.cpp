#include "corvix/classes/bar.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "corvix/classes/btnbmp.h"
#include "corvix/classes/dialog.h"
#include "corvix/classes/menu.h"
#include "corvix/classes/menuitem.h"
#include "corvix/classes/msgbar.h"
#include "corvix/classes/pdmenu.h"
#include "corvix/classes/say.h"
#include "corvix/function/cxerror.h"
#include "corvix/native/lmessages.h"
#include "corvix/native/wndpos.h"
#include "tests/support/gdiprobe.h"
#include "tests/support/gradientmodel.h"
#include "tests/support/testwindow.h"

namespace corvix {
namespace {

using corvix_test::Pump;
using corvix_test::Rgb;
using corvix_test::WindowPixel;

constexpr COLORREF kHoverFrame = RGB(221, 207, 155);

std::shared_ptr<TWindow> ShownParent() {
    auto parent = TWindow::New({.cTitle = "Host"});
    ShowWindow(parent->hWnd, SW_SHOWNORMAL);
    SetForegroundWindow(parent->hWnd);
    Pump();
    return parent;
}

std::shared_ptr<TBtnBmp> AddButton(const std::shared_ptr<TBar>& bar, TBtnBmp::NewBarArgs args = {}) {
    args.oBar = bar;
    return TBtnBmp::NewBar(args);
}

// Dispatches messages until the condition holds or ms have passed.
template <typename Condition>
bool PumpUntil(DWORD ms, Condition condition) {
    const DWORD until = GetTickCount() + ms;
    while (!condition() && GetTickCount() < until) {
        Pump();
        Sleep(5);
    }
    return condition();
}

// Puts the real pointer over the window's client point and waits for the button to see it.
bool HoverAt(const TBtnBmp& b, int x, int y) {
    POINT at{x, y};
    ClientToScreen(b.hWnd, &at);
    return corvix_test::MoveCursorTo(at.x, at.y) && PumpUntil(2000, [&] { return b.lMOver; });
}

// Moves the pointer off the button and waits for WM_MOUSELEAVE, which Wine delivers late.
bool LeaveButton(const TBtnBmp& b) {
    return corvix_test::MoveCursorTo(5, 1000) && PumpUntil(3000, [&] { return !b.lMOver; });
}

// A 16 x 16 bitmap file: a coloured 8 x 8 square in the middle of a magenta
// field; with alpha the field is fully transparent and the square opaque.
std::string WriteBitmap(const char* name, bool lAlpha, COLORREF square) {
    const int side = 16, bytes = lAlpha ? 4 : 3, stride = (side * bytes + 3) & ~3;
    std::vector<BYTE> pixels(static_cast<size_t>(stride * side));
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            const bool inside = x >= 4 && x < 12 && y >= 4 && y < 12;
            const COLORREF c = inside ? square : RGB(255, 0, 255);
            BYTE* p = &pixels[static_cast<size_t>(y * stride + x * bytes)];
            p[0] = GetBValue(c), p[1] = GetGValue(c), p[2] = GetRValue(c);
            if (lAlpha) {
                p[3] = inside ? 255 : 0;
                if (!inside) p[0] = p[1] = p[2] = 0;
            }
        }
    }
    BITMAPINFOHEADER info{sizeof info, side, side, 1, static_cast<WORD>(bytes * 8), BI_RGB, 0, 0, 0, 0, 0};
    BITMAPFILEHEADER file{0x4D42, 0, 0, 0, sizeof file + sizeof info};
    file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
    FILE* out = std::fopen(name, "wb");
    std::fwrite(&file, sizeof file, 1, out);
    std::fwrite(&info, sizeof info, 1, out);
    std::fwrite(pixels.data(), 1, pixels.size(), out);
    std::fclose(out);
    return name;
}

TEST(BarTest, The2007BarIsTwoBandsWithButtonsAtTheirColumnsAndSeparatorsBeforeGroups) {
    const auto parent = ShownParent();
    const auto bar = TBar::New({.oWnd = parent, .l2007 = true});
    const auto first = AddButton(bar), second = AddButton(bar);
    const auto grouped = TBar::New({.oWnd = parent, .cMode = "BOTTOM", .l2007 = true});
    const auto groupStart = AddButton(grouped, {.lGroup = true});
    UpdateWindow(parent->hWnd);
    Pump();
    const RectArray client = bar->GetCliRect();
    ASSERT_EQ(client.nBottom, 28);
    const int free = client.nRight - 3;  // no button there
    EXPECT_EQ(Rgb(WindowPixel(bar->hWnd, free, 0)), Rgb(RGB(219, 230, 244))) << "first row";
    EXPECT_EQ(Rgb(WindowPixel(bar->hWnd, free, 7)), Rgb(RGB(201, 217, 237))) << "second band";
    EXPECT_EQ(Rgb(WindowPixel(first->hWnd, 14, 11)), Rgb(WindowPixel(bar->hWnd, free, 10)))
        << "the bar's gradient behind its buttons";
    const struct {
        const char* what;
        HWND hWnd;
        int nLeft;
    } columns[] = {{"first", first->hWnd, 0}, {"second", second->hWnd, 28}, {"group start", groupStart->hWnd, 8}};
    for (const auto& c : columns) EXPECT_EQ(WNDLEFT(c.hWnd).value_or(-99), c.nLeft) << c.what;
    EXPECT_EQ(grouped->nGroups, 1);
    EXPECT_EQ(Rgb(WindowPixel(grouped->hWnd, 3, 10)), Rgb(GetSysColor(COLOR_BTNSHADOW)));
    EXPECT_EQ(Rgb(WindowPixel(grouped->hWnd, 4, 10)), Rgb(GetSysColor(COLOR_BTNHIGHLIGHT)));
}

TEST(BarTest, A3DBarStartsAtColumnElevenRowThreeAndAVerticalBarRunsDownward) {
    const auto parent = ShownParent();
    const auto bar3D = TBar::New({.oWnd = parent, .l3D = true});
    const auto a = AddButton(bar3D), b = AddButton(bar3D);
    EXPECT_EQ(WNDTOP(a->hWnd).value_or(-99), 3);
    EXPECT_EQ(WNDLEFT(a->hWnd).value_or(-99), 11);
    EXPECT_EQ(WNDLEFT(b->hWnd).value_or(-99), 39);
    const auto left = TBar::New({.oWnd = parent, .cMode = "LEFT", .l2007 = true});
    const auto up = AddButton(left), down = AddButton(left);
    EXPECT_EQ(WNDLEFT(up->hWnd), WNDLEFT(down->hWnd));
    EXPECT_EQ(WNDTOP(down->hWnd).value_or(-99) - WNDTOP(up->hWnd).value_or(-99), 28);
}

TEST(BarTest, ABarMovedToAnotherEdgeOrFloatingLaysItsButtonsOutAgain) {
    const auto parent = ShownParent();
    const auto bar = TBar::New({.oWnd = parent, .l2007 = true});
    const auto a = AddButton(bar), b = AddButton(bar), c = AddButton(bar);
    bar->GoLeft();
    EXPECT_EQ(parent->oLeft, bar);
    EXPECT_EQ(parent->oTop, nullptr);
    EXPECT_EQ(GETCOORS(bar->hWnd).nLeft, -1);
    EXPECT_EQ(WNDLEFT(a->hWnd), WNDLEFT(c->hWnd));
    EXPECT_EQ(WNDTOP(b->hWnd).value_or(-99) - WNDTOP(a->hWnd).value_or(-99), 29) << "a row per button";
    bar->Float();
    EXPECT_EQ(parent->oLeft, nullptr);
    EXPECT_EQ(WNDTOP(c->hWnd).value_or(-99), 29) << "two buttons a row";
    EXPECT_EQ(WNDLEFT(b->hWnd).value_or(-99), 28);
    bar->FloatClick();
    EXPECT_EQ(parent->oTop, bar);
    EXPECT_EQ(WNDLEFT(c->hWnd).value_or(-99), 56);
}

TEST(BarTest, DelPassesAGroupStartOnAndPositionsOutsideTheBarDoNothing) {
    const auto parent = ShownParent();
    const auto bar = TBar::New({.oWnd = parent, .l2007 = true});
    TSay::New({.bText = [] { return Value("Say"); }, .oWnd = bar});  // a control that is no button
    AddButton(bar, {.lGroup = true});
    const auto b = AddButton(bar), c = AddButton(bar);
    bar->Del(1);
    ASSERT_EQ(bar->nButtons(), 2);
    EXPECT_TRUE(b->lGroup);
    EXPECT_EQ(bar->nGroups, 1);
    EXPECT_EQ(WNDLEFT(b->hWnd).value_or(-99), 8);
    EXPECT_EQ(WNDLEFT(c->hWnd).value_or(-99), 36);
    for (const int pos : {-1, 0, 4, 99}) {
        bar->Del(pos);
        bar->AddGroup(pos);
        bar->DelGroup(pos);
        bar->Add(c, pos);
        EXPECT_EQ(bar->GetBtnLeft(false, pos), 64) << pos << ": appended, nothing moved";
    }
    const auto other = TBar::New({.oWnd = parent, .cMode = "BOTTOM"});
    bar->Add(c);
    bar->Add(AddButton(other));
    EXPECT_EQ(bar->nButtons(), 2) << "a button twice or another bar's button";
    EXPECT_EQ(bar->nGroups, 1);
    EXPECT_EQ(WNDLEFT(c->hWnd).value_or(-99), 36);
    bar->AddGroup(2);
    EXPECT_EQ(WNDLEFT(c->hWnd).value_or(-99), 44);
    bar->DelGroup(2);
    EXPECT_EQ(WNDLEFT(c->hWnd).value_or(-99), 36);
    EXPECT_EQ(bar->nGroups, 1);
}

// Refuses every window made while it is in place.
LRESULT CALLBACK RefuseWindows(int nCode, WPARAM wParam, LPARAM lParam) {
    return nCode == HCBT_CREATEWND ? 1 : CallNextHookEx(nullptr, nCode, wParam, lParam);
}

TEST(BarTest, AButtonWithoutAWindowLeavesTheBarAsItWasAndAnUnknownModeIsReported) {
    const auto parent = ShownParent();
    std::vector<std::string> reported;
    SetErrorHandler([&reported](const ErrorRecord& e) {
        reported.push_back(e.Description.value_or(""));
        return Value(false);
    });
    const auto bar = TBar::New({.oWnd = parent, .cMode = "top", .l2007 = true});
    EXPECT_EQ(parent->oTop, bar) << "any letter case";
    const auto a = AddButton(bar), b = AddButton(bar);
    const HHOOK refuse = SetWindowsHookExA(WH_CBT, &RefuseWindows, nullptr, GetCurrentThreadId());
    const auto lost = AddButton(bar, {.lGroup = true, .nPos = 2});
    UnhookWindowsHookEx(refuse);
    EXPECT_EQ(lost->hWnd, nullptr);
    EXPECT_EQ(bar->nButtons(), 2);
    EXPECT_EQ(bar->nGroups, 0);
    EXPECT_EQ(WNDLEFT(b->hWnd).value_or(-99), 28) << "moved back";
    reported.clear();
    const auto unknown = TBar::New({.oWnd = parent, .cMode = "MIDDLE"});
    EXPECT_EQ(unknown->hWnd, nullptr);
    ASSERT_EQ(reported.size(), 1u);
    EXPECT_EQ(reported[0], "Unknown bar mode \"MIDDLE\"");
}

// Each look with a group separator and a pressed drop-down arrow, and a hovered rounded button.
TEST(BarTest, PaintingEveryLookAgainAndAgainLeaksNothing) {
    const auto parent = ShownParent();
    const auto popup = MENUBEGIN(true);
    MENUADDITEM({.cPrompt = "Item"});
    MENUEND();
    const std::shared_ptr<TBar> bars[] = {TBar::New({.oWnd = parent, .l2007 = true}),
                                          TBar::New({.oWnd = parent, .l3D = true, .cMode = "BOTTOM"}),
                                          TBar::New({.oWnd = parent, .cMode = "LEFT"})};
    for (const auto& bar : bars) {
        AddButton(bar, {.lBorder = false});  // the flat look, which the 3-D bar separates
        AddButton(bar, {.lGroup = true, .lPressed = true, .oPopup = popup});
    }
    const auto round = TBtnBmp::New({.nTop = 100, .nLeft = 100, .oWnd = parent, .l2007 = true});
    round->lMOver = true;
    const auto paint = [&] {
        RedrawWindow(parent->hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        Pump();
    };
    paint();  // the system's first-use caches
    const int before = corvix_test::CountLiveGdiObjects();
    ASSERT_GT(before, 0);
    for (int i = 0; i < 5; ++i) paint();
    EXPECT_EQ(corvix_test::CountLiveGdiObjects(), before);
}

TEST(BarTest, TheParentDocksTheBarAboveItsMessageBarAndTheOtherControls) {
    const auto parent = ShownParent();
    const auto top = TBar::New({.oWnd = parent, .l2007 = true});
    const auto bottom = TBar::New({.oWnd = parent, .cMode = "BOTTOM"});
    const auto left = TBar::New({.oWnd = parent, .cMode = "LEFT"});
    parent->oMsgBar = TMsgBar::New({.oWnd = parent});
    MoveWindow(parent->hWnd, 10, 10, 500, 300, TRUE);
    Pump();
    const RectArray client = parent->GetCliRect();
    const RectArray topAt = GETCOORS(top->hWnd), bottomAt = GETCOORS(bottom->hWnd), leftAt = GETCOORS(left->hWnd);
    EXPECT_EQ(topAt.nTop, -1);
    EXPECT_EQ(topAt.nRight, client.nRight + 1);
    EXPECT_EQ(bottomAt.nBottom - 1, client.nBottom - std::static_pointer_cast<TMsgBar>(parent->oMsgBar)->Height());
    EXPECT_EQ(leftAt.nLeft, -1);
    EXPECT_EQ(leftAt.nTop, topAt.nBottom - 1) << "borders shared with the bars above and below";
    EXPECT_EQ(leftAt.nBottom, bottomAt.nTop + 1);
}

TEST(BtnBmpTest, TheGoldHoverFrameAppearsUnderTheRealPointerAndGoes) {
    const auto parent = ShownParent();
    const auto bar = TBar::New({.oWnd = parent, .l2007 = true});
    const auto b = AddButton(bar);
    UpdateWindow(parent->hWnd);
    ASSERT_TRUE(HoverAt(*b, 14, 14));
    UpdateWindow(b->hWnd);
    EXPECT_EQ(Rgb(WindowPixel(b->hWnd, 0, 1)), Rgb(kHoverFrame)) << "the frame's visible top-left corner";
    ASSERT_TRUE(LeaveButton(*b));
    UpdateWindow(b->hWnd);
    EXPECT_EQ(Rgb(WindowPixel(b->hWnd, 0, 1)), Rgb(RGB(219, 230, 244))) << "the bar's first row again";
}

std::shared_ptr<TBar> popupBar;
bool popupShown = false;

// Once the bar owns the pop-up (the menu loop runs then): notes it and closes it.
void CALLBACK NoteAndClosePopup(HWND, UINT, UINT_PTR nTimer, DWORD) {
    if (!popupBar || !popupBar->oPopup) return;  // it may fire before the menu opens
    KillTimer(nullptr, nTimer);
    popupShown = true;
    EndMenu();
}

TEST(BtnBmpTest, AClickInTheArrowOpensThePopupAndOnTheFaceRunsTheActionOnce) {
    const auto parent = ShownParent();
    popupBar = TBar::New({.oWnd = parent, .l2007 = true});
    int actions = 0, chosen = 0;
    const auto popup = MENUBEGIN(true);
    MENUADDITEM({.cPrompt = "Item", .bAction = [&chosen](TMenuItem&) { ++chosen; }});
    MENUEND();
    const auto plain = AddButton(popupBar);
    const auto b = AddButton(popupBar, {.bAction = [&actions](TBtnBmp&) { ++actions; }, .oPopup = popup});
    EXPECT_EQ(b->nWidth(), plain->nWidth() + 13);
    const int arrow = b->nWidth() - 5, face = 5;
    const struct {
        int nCol;
        bool lOpens;
        int nActions;
    } clicks[] = {{arrow, true, 0}, {face, false, 1}, {arrow, true, 1}};
    for (const auto& c : clicks) {
        popupShown = false;
        const UINT_PTR timer = SetTimer(nullptr, 0, 1, &NoteAndClosePopup);
        SendMessageA(b->hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(c.nCol, 10));
        SendMessageA(b->hWnd, WM_LBUTTONUP, 0, MAKELPARAM(c.nCol, 10));
        PumpUntil(500, [] { return popupShown; });
        KillTimer(nullptr, timer);
        EXPECT_EQ(popupShown, c.lOpens) << "column " << c.nCol;
        EXPECT_EQ(actions, c.nActions) << "column " << c.nCol;
        EXPECT_EQ(popupBar->oPopup, nullptr);
    }
    EXPECT_EQ(chosen, 0);
    EXPECT_NE(popup->hMenu, nullptr) << "kept for the next time";
    popupBar.reset();
}

TEST(BtnBmpTest, AFaceClickRunsOnceAndOnlyTheKeyThatPressedTheButtonCompletesIt) {
    const auto parent = ShownParent();
    const auto bar = TBar::New({.oWnd = parent, .l2007 = true});
    int actions = 0, releases = 0;
    const auto b = AddButton(bar, {.bAction = [&actions](TBtnBmp&) { ++actions; }});
    b->bLButtonUp = [&releases](int, int, WPARAM, TWindow&) { return ++releases, Answer::Nil(); };
    // The release is queued, so it arrives while the press is still dispatching messages.
    PostMessageA(b->hWnd, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    SendMessageA(b->hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    EXPECT_EQ(actions, 1);
    EXPECT_EQ(releases, 1);
    EXPECT_FALSE(b->lPressed);
    b->GoDown();
    for (const WPARAM key : {WPARAM{VK_TAB}, WPARAM{VK_RETURN}, WPARAM{'A'}})
        SendMessageA(b->hWnd, WM_KEYUP, key, 0xC0000001);
    EXPECT_EQ(actions, 1) << "a key-up the button did not see pressed";
    EXPECT_TRUE(b->lPressed);
    SendMessageA(b->hWnd, WM_CHAR, VK_SPACE, 1);
    SendMessageA(b->hWnd, WM_KEYUP, VK_SPACE, 0xC0000001);
    EXPECT_EQ(actions, 2);
    EXPECT_TRUE(b->lPressed) << "still toggled down";
    SendMessageA(b->hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    SendMessageA(b->hWnd, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    EXPECT_EQ(actions, 3) << "a toggled button still takes a click";
    EXPECT_TRUE(b->lPressed);
}

TEST(BtnBmpTest, APressReleasedOutsideTheButtonRunsNothing) {
    const auto parent = ShownParent();
    const auto bar = TBar::New({.oWnd = parent, .l2007 = true});
    int actions = 0;
    const auto b = AddButton(bar, {.bAction = [&actions](TBtnBmp&) { ++actions; }});
    const int w = b->nWidth(), h = b->nHeight();
    const POINT outside[] = {{-1, 10}, {w, 10}, {10, -1}, {10, h}};
    for (const POINT at : outside) {
        SendMessageA(b->hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
        ASSERT_TRUE(b->lPressed);
        SendMessageA(b->hWnd, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
        EXPECT_EQ(actions, 0) << "released at " << at.x << ", " << at.y;
        EXPECT_FALSE(b->lPressed);
    }
    SendMessageA(b->hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    SendMessageA(b->hWnd, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    EXPECT_EQ(actions, 1) << "released inside";
}

TEST(BtnBmpTest, AnActionThatThrowsLeavesTheButtonClickable) {
    const auto parent = ShownParent();
    const auto bar = TBar::New({.oWnd = parent, .l2007 = true});
    int actions = 0;
    const auto b = AddButton(bar, {.bAction = [&actions](TBtnBmp&) {
                                       if (++actions == 1) throw std::runtime_error("action");
                                   }});
    SendMessageA(b->hWnd, LM_CLICK, 0, 0);  // the dispatch reports the exception
    EXPECT_FALSE(b->lProcessing);
    SendMessageA(b->hWnd, LM_CLICK, 0, 0);
    EXPECT_EQ(actions, 2);
}

TEST(BtnBmpTest, AnActionThatEndsItsButtonRepaintsNoOtherWindow) {
    const auto parent = ShownParent(), other = ShownParent();
    const auto bar = TBar::New({.oWnd = parent, .l2007 = true});
    const HWND button = AddButton(bar, {.bAction = [](TBtnBmp& self) { DestroyWindow(self.hWnd); }})->hWnd;
    UpdateWindow(other->hWnd);
    SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    ValidateRect(other->hWnd, nullptr);
    SendMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    EXPECT_FALSE(IsWindow(button));
    EXPECT_FALSE(GetUpdateRect(other->hWnd, nullptr, FALSE));
}

TEST(BtnBmpTest, ARounded2007ButtonShowsItsParentAtTheCornerAndTurnsGoldUnderThePointer) {
    const auto parent = ShownParent();
    const auto b = TBtnBmp::New({.nTop = 40, .nLeft = 40, .nWidth = 80, .nHeight = 26, .oWnd = parent, .l2007 = true});
    UpdateWindow(parent->hWnd);
    Pump();
    EXPECT_EQ(Rgb(WindowPixel(parent->hWnd, 40, 40)), Rgb(GetSysColor(COLOR_WINDOW))) << "outside the region";
    EXPECT_EQ(Rgb(WindowPixel(b->hWnd, 40, 0)), Rgb(RGB(141, 178, 227))) << "top edge";
    // Rows 6 to 25 carry the second band of the default gradient.
    EXPECT_EQ(Rgb(WindowPixel(b->hWnd, 40, 13)),
              Rgb(corvix_test::RampColourAt(6, 25, RGB(201, 217, 237), RGB(231, 242, 255), 13)));
    ASSERT_TRUE(HoverAt(*b, 40, 13));
    UpdateWindow(b->hWnd);
    EXPECT_EQ(Rgb(WindowPixel(b->hWnd, 40, 13)),
              Rgb(corvix_test::RampColourAt(6, 25, RGB(255, 215, 84), RGB(255, 233, 162), 13)));
    ASSERT_TRUE(LeaveButton(*b));
}

TEST(BtnBmpTest, TheFocusMarkComesAndGoesWithTheFocusLeavingNoTrace) {
    const auto parent = ShownParent();
    const auto b = TBtnBmp::New({.nTop = 40, .nLeft = 40, .nWidth = 80, .nHeight = 26, .oWnd = parent,
                                 .cPrompt = "Focus", .l2007 = true});
    const auto other = TBtnBmp::New({.nTop = 80, .nLeft = 40, .oWnd = parent, .l2007 = true});
    const auto row = [&b](int y) {
        std::vector<COLORREF> pixels;
        for (int x = 0; x < 80; ++x) pixels.push_back(WindowPixel(b->hWnd, x, y));
        return pixels;
    };
    ::SetFocus(other->hWnd);
    UpdateWindow(parent->hWnd);
    const auto unfocused = row(4);
    ::SetFocus(b->hWnd);
    UpdateWindow(b->hWnd);
    EXPECT_NE(row(4), unfocused) << "the mark's top line on row 4";
    ::SetFocus(other->hWnd);
    UpdateWindow(b->hWnd);
    EXPECT_EQ(row(4), unfocused);
}

TEST(BtnBmpTest, BitmapsWithAndWithoutAlphaStandCentredWithTheirFieldsTransparent) {
    const auto parent = ShownParent();
    const struct {
        const char* file;
        bool lAlpha;
        COLORREF square;
    } cases[] = {{"opaque.bmp", false, RGB(255, 0, 0)}, {"alpha.bmp", true, RGB(0, 0, 255)}};
    for (const auto& c : cases) {
        const auto b = TBtnBmp::New({.nTop = 40, .nLeft = 40, .nWidth = 40, .nHeight = 40,
                                     .cBmpFile1 = WriteBitmap(c.file, c.lAlpha, c.square), .oWnd = parent,
                                     .lBorder = false, .l2007 = true, .lRound = false});
        EXPECT_EQ(b->aAlpha[0], c.lAlpha) << c.file;
        UpdateWindow(b->hWnd);
        // The bitmap stands at (12, 12): its square from 16 to 23.
        EXPECT_EQ(Rgb(WindowPixel(b->hWnd, 16, 16)), Rgb(c.square)) << c.file;
        EXPECT_EQ(Rgb(WindowPixel(b->hWnd, 23, 23)), Rgb(c.square)) << c.file;
        EXPECT_EQ(Rgb(WindowPixel(b->hWnd, 12, 12)), Rgb(WindowPixel(b->hWnd, 2, 12))) << c.file << ": field";
        b->End();
        Pump();
    }
    const auto disabled = TBtnBmp::New({.nTop = 40, .nLeft = 40, .nWidth = 40, .nHeight = 40,
                                        .cBmpFile1 = "opaque.bmp", .oWnd = parent, .bWhen = [] { return false; },
                                        .cBmpFile3 = WriteBitmap("disabled.bmp", false, RGB(0, 128, 0)),
                                        .l2007 = true, .lRound = false});
    UpdateWindow(disabled->hWnd);
    EXPECT_EQ(Rgb(WindowPixel(disabled->hWnd, 16, 16)), Rgb(RGB(0, 128, 0))) << "the disabled bitmap";
}

TEST(BtnBmpTest, AButtonOfADialogGetsItsBitmapsWhenTheDialogsWindowComes) {
    const auto resource = TDialog::New({.cResName = Value(500)});
    const auto attached = TBtnBmp::ReDefine(
        {.nId = 510, .cBmpFile1 = WriteBitmap("opaque.bmp", false, RGB(255, 0, 0)), .oWnd = resource});
    const auto inCode = TDialog::New({.cTitle = "Made here"});
    const auto made = TBtnBmp::New({.nTop = 10, .nLeft = 10, .nWidth = 40, .nHeight = 40,
                                    .cBmpFile1 = "opaque.bmp", .oWnd = inCode, .l2007 = true});
    for (const auto& [dialog, button] : {std::pair{resource, attached}, std::pair{inCode, made}}) {
        EXPECT_EQ(button->hBitmap[0], nullptr) << "no window yet";
        dialog->Activate({.lModal = false});
        ASSERT_TRUE(IsWindow(button->hWnd));
        EXPECT_NE(button->hBitmap[0], nullptr);
        dialog->End();
        Pump();
    }
}

TEST(BtnBmpTest, AMissingBitmapFileGivesAButtonWithoutItAndNothingLeaks) {
    const auto parent = ShownParent();
    const auto bar = TBar::New({.oWnd = parent, .l2007 = true});
    const auto make = [&](const std::string& resource, const std::string& file) {
        const auto b = AddButton(bar, {.cResName1 = resource, .cBmpFile1 = file, .cPrompt = "Text"});
        UpdateWindow(b->hWnd);
        return b;
    };
    make("", "missing.bmp")->End();  // the bar's font and the first paint's caches
    Pump();
    const int before = corvix_test::CountLiveGdiObjects();
    ASSERT_GT(before, 0) << "the handle table could not be read";
    const struct {
        std::string cResName, cBmpFile;
        bool lLoaded;
    } cases[] = {{"", "missing.bmp", false},
                 {"", WriteBitmap("opaque.bmp", false, RGB(255, 0, 0)), true},
                 {"BARBITMAP", "", true}};
    for (const auto& c : cases) {
        const auto b = make(c.cResName, c.cBmpFile);
        EXPECT_EQ(b->hBitmap[0] != nullptr, c.lLoaded) << c.cResName << c.cBmpFile;
        b->End();
        Pump();
    }
    EXPECT_EQ(corvix_test::CountLiveGdiObjects(), before);
}

TEST(BtnBmpTest, AHeldButtonThatLosesTheCaptureEndsItsPressAndRunsNothingOnRelease) {
    const auto parent = ShownParent();
    const auto bar = TBar::New({.oWnd = parent, .l2007 = true});
    int actions = 0;
    const auto b = AddButton(bar, {.bAction = [&actions](TBtnBmp&) { ++actions; }});
    SendMessageA(b->hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    ASSERT_EQ(GetCapture(), b->hWnd);
    SetCapture(parent->hWnd);
    ReleaseCapture();
    EXPECT_FALSE(b->lPressed);
    SendMessageA(b->hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
    EXPECT_FALSE(b->lPressed) << "merely hovered";
    SendMessageA(b->hWnd, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    EXPECT_EQ(actions, 0);
}

// Held, the button keeps seeing the pointer's moves; WM_MOUSELEAVE comes as well.
TEST(BtnBmpTest, AHeldButtonDraggedOffShowsNoHoverFrameUntilThePointerComesBack) {
    const auto parent = ShownParent();
    const auto bar = TBar::New({.oWnd = parent, .l2007 = true});
    int actions = 0;
    const auto b = AddButton(bar, {.bAction = [&actions](TBtnBmp&) { ++actions; }});
    UpdateWindow(parent->hWnd);
    ASSERT_TRUE(HoverAt(*b, 14, 14));
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    ASSERT_TRUE(PumpUntil(1000, [&] { return b->lPressed; }));
    POINT off{14, 80};
    ClientToScreen(b->hWnd, &off);
    int framed = 0;
    for (int i = 0; i < 12; ++i) {  // over half a second: WM_MOUSELEAVE comes meanwhile
        corvix_test::MoveCursorTo(off.x + i % 2, off.y);
        UpdateWindow(b->hWnd);
        if (WindowPixel(b->hWnd, 0, 1) == kHoverFrame) ++framed;
    }
    EXPECT_EQ(framed, 0);
    EXPECT_FALSE(b->lPressed);
    ASSERT_TRUE(HoverAt(*b, 14, 14));
    EXPECT_TRUE(b->lPressed) << "back over it";
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    PumpUntil(1000, [&] { return actions == 1; });
    EXPECT_EQ(actions, 1);
    ASSERT_TRUE(LeaveButton(*b));
}

// The toolbar sample's bar: three groups after the first three buttons; "New" has a drop-down menu.
TEST(BarTest, EveryButtonOfTheSampleBarIsWholeAndItsArrowOpensOnEveryEdgeAndFloating) {
    const auto parent = ShownParent();
    MoveWindow(parent->hWnd, 10, 10, 520, 420, TRUE);
    popupBar = TBar::New({.oWnd = parent, .l2007 = true});
    const auto kinds = MENUBEGIN(true, false, nullptr, true);
    MENUADDITEM({.cPrompt = "&Document"});
    MENUEND();
    std::vector<std::shared_ptr<TBtnBmp>> buttons;
    for (const bool lGroup : {false, false, false, true, false, false, true, true})
        buttons.push_back(AddButton(popupBar, {.cResName1 = "BARBITMAP", .lGroup = lGroup,
                                               .oPopup = buttons.empty() ? kinds : nullptr}));
    // Whole: in the bar's client area but for an edge pixel shared with its border or the next button.
    const auto expectWhole = [&](const std::string& where) {
        const RectArray inside = popupBar->GetCliRect(), bar = GETCOORS(popupBar->hWnd), area = parent->GetCliRect();
        EXPECT_TRUE(bar.nLeft >= -1 && bar.nTop >= -1 && bar.nRight <= area.nRight + 1 && bar.nBottom <= area.nBottom + 1)
            << where << ": the bar outside its window";
        for (size_t i = 0; i < buttons.size(); ++i) {
            const RectArray at = GETCOORS(buttons[i]->hWnd);
            EXPECT_TRUE(at.nLeft >= -1 && at.nTop >= -1 && at.nRight <= inside.nRight + 1 &&
                        at.nBottom <= inside.nBottom + 1)
                << where << ": button " << i + 1 << " outside the bar";
            for (size_t j = i + 1; j < buttons.size(); ++j) {
                const RectArray next = GETCOORS(buttons[j]->hWnd);
                const int across = std::min(at.nRight, next.nRight) - std::max(at.nLeft, next.nLeft);
                const int down = std::min(at.nBottom, next.nBottom) - std::max(at.nTop, next.nTop);
                EXPECT_TRUE(across <= 1 || down <= 1) << where << ": buttons " << i + 1 << " and " << j + 1 << " overlap";
            }
        }
    };
    const struct {
        const char* where;
        void (TBar::*dock)();
    } places[] = {{"left", &TBar::GoLeft},  {"right", &TBar::GoRight}, {"bottom", &TBar::GoDown},
                  {"floating", &TBar::Float}, {"top", &TBar::GoTop}};
    for (const auto& p : places) {
        ((*popupBar).*p.dock)();
        RedrawWindow(parent->hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        Pump();
        expectWhole(p.where);
        const TBtnBmp& withMenu = *buttons[0];
        POINT arrow{withMenu.nWidth() - 7, withMenu.nHeight() / 2};  // inside the black triangle
        MapWindowPoints(withMenu.hWnd, popupBar->hWnd, &arrow, 1);
        EXPECT_EQ(Rgb(WindowPixel(popupBar->hWnd, arrow.x, arrow.y)), Rgb(RGB(0, 0, 0))) << p.where;
        ClientToScreen(popupBar->hWnd, &arrow);
        popupShown = false;
        const UINT_PTR timer = SetTimer(nullptr, 0, 1, &NoteAndClosePopup);
        ASSERT_TRUE(corvix_test::MoveCursorTo(arrow.x, arrow.y));
        Sleep(GetDoubleClickTime() + 50);  // floating, the arrow is where the last one was: no double click
        mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
        mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
        PumpUntil(5000, [] { return popupShown; });  // slow on a loaded machine
        KillTimer(nullptr, timer);
        EXPECT_TRUE(popupShown) << p.where << ": a real click in the arrow";
    }
    buttons.insert(buttons.begin() + 2, AddButton(popupBar, {.nPos = 3, .oPopup = kinds}));
    expectWhole("after inserting a drop-down button");
    popupBar->Del(1);
    buttons.erase(buttons.begin());
    expectWhole("after deleting the first");
    popupBar.reset();
}

// A 16 x 16 bitmap with a red square in the middle and the caption "Wg", dark on the 2007 face.
TEST(BtnBmpTest, TheFourCaptionLayoutsPutTheBitmapAboveLeftOfBelowAndRightOfTheCaption) {
    const auto parent = ShownParent();
    const std::string file = WriteBitmap("layout.bmp", false, RGB(255, 0, 0));
    const auto boundsOf = [](HWND hWnd, bool (*wanted)(COLORREF)) {
        RECT box{1000, 1000, -1, -1};
        for (int y = 0; y < 60; ++y)
            for (int x = 0; x < 90; ++x)
                if (wanted(WindowPixel(hWnd, x, y))) box = {std::min<LONG>(box.left, x), std::min<LONG>(box.top, y),
                                                            std::max<LONG>(box.right, x), std::max<LONG>(box.bottom, y)};
        return box;
    };
    const struct {
        const char* cLayout;
        bool (*order)(const RECT& bitmap, const RECT& text);
    } cases[] = {{"TOP", [](const RECT& b, const RECT& t) { return b.bottom < t.top; }},
                 {"LEFT", [](const RECT& b, const RECT& t) { return b.right < t.left; }},
                 {"BOTTOM", [](const RECT& b, const RECT& t) { return b.top > t.bottom; }},
                 {"RIGHT", [](const RECT& b, const RECT& t) { return b.left > t.right; }}};
    for (const auto& c : cases) {
        const auto b = TBtnBmp::New({.nTop = 40, .nLeft = 40, .nWidth = 90, .nHeight = 60, .cBmpFile1 = file,
                                     .oWnd = parent, .cPrompt = "Wg", .lBorder = false, .cLayout = c.cLayout,
                                     .l2007 = true, .lRound = false});
        UpdateWindow(b->hWnd);
        const RECT bitmap = boundsOf(b->hWnd, [](COLORREF p) { return p == RGB(255, 0, 0); });
        const RECT text = boundsOf(b->hWnd, [](COLORREF p) { return GetRValue(p) + GetGValue(p) + GetBValue(p) < 200; });
        ASSERT_GE(bitmap.right, 0) << c.cLayout;
        ASSERT_GE(text.right, 0) << c.cLayout;
        EXPECT_TRUE(c.order(bitmap, text)) << c.cLayout << ": bitmap " << bitmap.left << "," << bitmap.top << " text "
                                           << text.left << "," << text.top;
        b->End();
        Pump();
    }
}

// The red square of layout.bmp covers columns 4 to 11 of 16; the blue one of alpha.bmp is opaque, its field clear.
TEST(BtnBmpTest, LAdjustStretchesTheBitmapOverTheButtonAndTheAlphaLevelBlendsIt) {
    const auto parent = ShownParent();
    const auto make = [&](const std::string& file, bool lAdjust) {
        auto b = TBtnBmp::New({.nTop = 40, .nLeft = 40, .nWidth = 40, .nHeight = 40, .cBmpFile1 = file,
                               .oWnd = parent, .lAdjust = lAdjust, .lBorder = false, .l2007 = true, .lRound = false});
        UpdateWindow(b->hWnd);
        return b;
    };
    const std::string opaque = WriteBitmap("layout.bmp", false, RGB(255, 0, 0));
    for (const bool lAdjust : {false, true}) {
        const auto b = make(opaque, lAdjust);
        EXPECT_EQ(WindowPixel(b->hWnd, 12, 12) == RGB(255, 0, 0), lAdjust) << "lAdjust " << lAdjust;
        EXPECT_EQ(Rgb(WindowPixel(b->hWnd, 20, 20)), Rgb(RGB(255, 0, 0))) << "lAdjust " << lAdjust;
        b->End();
        Pump();
    }
    const auto b = make(WriteBitmap("alpha.bmp", true, RGB(0, 0, 255)), false);
    const COLORREF field = WindowPixel(b->hWnd, 2, 17);
    b->bAlphaLevel = [](TBtnBmp&) { return 128; };
    b->Refresh(false);
    UpdateWindow(b->hWnd);
    const COLORREF half = WindowPixel(b->hWnd, 17, 17);
    EXPECT_EQ(b->hAlphaLevel, 128);
    EXPECT_NEAR(GetRValue(half), GetRValue(field) / 2, 2) << Rgb(half);
    EXPECT_NEAR(GetBValue(half), (GetBValue(field) + 255) / 2, 2) << Rgb(half);
}

}  // namespace
}  // namespace corvix
