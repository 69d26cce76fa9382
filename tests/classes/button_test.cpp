#include "corvix/classes/button.h"

#include <gtest/gtest.h>

#include "corvix/function/cxerror.h"
#include "corvix/native/dlgtemplate.h"
#include "corvix/native/lmessages.h"
#include "corvix/native/msgbox.h"
#include "tests/support/dialogprobe.h"
#include "tests/support/skinsupport.h"
#include "tests/support/testwindow.h"

namespace corvix {
namespace {

using corvix_test::Pump;
using corvix_test::Rgb;

class ButtonTest : public testing::Test {
protected:
    void SetUp() override {
        main_ = TWindow::New({.cTitle = "buttons"});
        ShowWindow(main_->hWnd, SW_SHOWNORMAL);
        SetForegroundWindow(main_->hWnd);
        Pump();
    }
    std::shared_ptr<TButton> Make(TButton::NewArgs a) {
        a.oWnd = main_;
        if (!a.bAction) a.bAction = [this] { ++actions_; };
        auto b = TButton::New(a);
        Pump();
        return b;
    }
    static RECT InParent(HWND b) {
        RECT r;
        GetWindowRect(b, &r);
        MapWindowPoints(nullptr, GetParent(b), reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
    static bool DefaultLook(HWND b) {
        Pump();
        return (GetWindowLongPtrA(b, GWL_STYLE) & BS_DEFPUSHBUTTON) != 0;
    }
    std::shared_ptr<TWindow> main_;
    int actions_ = 0;
};

TEST_F(ButtonTest, NewTakesRowsOfEighteenAndColumnsOfSixAndSizesFromTheCaption) {
    const struct {
        TButton::NewArgs args;
        RECT window;
    } cases[] = {
        {{}, {0, 0, 43, 14}},                                                  // "&Button": 42 x 13
        {{.cCaption = "X"}, {0, 0, 31, 14}},                                   // the minimum width, 30
        {{.cCaption = "Alpha \xCE\xB1\xCE\xB2"}, {0, 0, 49, 14}},              // 8 characters in UTF-8, 10 bytes
        {{.nRow = 2, .nCol = 5, .cCaption = "Info", .nWidth = 80, .nHeight = 24}, {30, 36, 111, 61}},
    };
    for (const auto& c : cases) {
        auto b = Make(c.args);
        const RECT r = InParent(b->hWnd);
        EXPECT_EQ(r.left, c.window.left);
        EXPECT_EQ(r.top, c.window.top);
        EXPECT_EQ(r.right, c.window.right);
        EXPECT_EQ(r.bottom, c.window.bottom);
    }
    auto info = Make({.nRow = 2, .nCol = 5, .cCaption = "Info", .nWidth = 80, .nHeight = 24});
    EXPECT_EQ(std::vector({info->nTop, info->nLeft, info->nBottom, info->nRight}), std::vector({36, 30, 60, 110}));
    EXPECT_EQ(Make({})->cTitle(), "&Button");
}

TEST_F(ButtonTest, TheDefaultLookFollowsTheFocusButTheDefaultButtonKeepsIt) {
    auto plain = Make({.cCaption = "Plain"});
    auto def = Make({.nRow = 2, .cCaption = "Default", .lDefault = true});
    auto other = Make({.nRow = 4, .cCaption = "Other"});
    ::SetFocus(plain->hWnd);
    EXPECT_TRUE(DefaultLook(plain->hWnd));
    ::SetFocus(other->hWnd);
    EXPECT_FALSE(DefaultLook(plain->hWnd));
    EXPECT_TRUE(DefaultLook(other->hWnd));
    EXPECT_TRUE(DefaultLook(def->hWnd)) << "kept while another has the focus";
    ::SetFocus(plain->hWnd);
    EXPECT_FALSE(DefaultLook(other->hWnd)) << "and back";
}

// An action that moves the focus elsewhere (opens a field, say): only the default button keeps its look.
TEST_F(ButtonTest, AfterAClickWhoseActionMovesTheFocusOnlyTheDefaultButtonLooksDefault) {
    auto elsewhere = Make({.nRow = 4, .cCaption = "Elsewhere"});
    for (const bool lDefault : {false, true}) {
        auto b = Make({.cCaption = lDefault ? "Default" : "Plain",
                       .bAction = [&elsewhere] { ::SetFocus(elsewhere->hWnd); }, .lDefault = lDefault});
        SendMessageA(b->hWnd, LM_CLICK, 0, 0);
        ASSERT_EQ(GetFocus(), elsewhere->hWnd);
        EXPECT_EQ(DefaultLook(b->hWnd), lDefault) << "lDefault " << lDefault;
    }
}

// The skin installed as the demo does: Enter, Space and a click each run the action once.
TEST_F(ButtonTest, EnterSpaceAndAClickOnASkinnedButtonEachRunTheActionOnce) {
    corvix_test::HostWindow lender;
    corvix_test::InstallSkin(lender);
    SetForegroundWindow(main_->hWnd);
    auto b = Make({.nRow = 2, .nCol = 5, .cCaption = "Info", .nWidth = 80, .nHeight = 24});
    ::SetFocus(b->hWnd);
    SendMessageA(b->hWnd, WM_KEYDOWN, VK_RETURN, 1);
    Pump();
    EXPECT_EQ(actions_, 1) << "Enter";
    SendMessageA(b->hWnd, WM_KEYDOWN, VK_SPACE, 1);
    EXPECT_EQ(Rgb(corvix_test::WindowPixel(b->hWnd, 0, 0)), Rgb(corvix_test::kPressedCorner));
    SendMessageA(b->hWnd, WM_KEYUP, VK_SPACE, 0xC0000001);
    Pump();
    EXPECT_EQ(actions_, 2) << "Space";
    RECT r;
    GetWindowRect(b->hWnd, &r);
    ASSERT_TRUE(corvix_test::MoveCursorTo(r.left + 40, r.top + 12));
    SendMessageA(b->hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(40, 12));
    EXPECT_EQ(Rgb(corvix_test::WindowPixel(b->hWnd, 0, 0)), Rgb(corvix_test::kPressedCorner));
    SendMessageA(b->hWnd, WM_LBUTTONUP, 0, MAKELPARAM(40, 12));
    Pump();
    EXPECT_EQ(actions_, 3) << "mouse";
    EXPECT_EQ(Rgb(corvix_test::WindowPixel(b->hWnd, 0, 0)), Rgb(corvix_test::kFocusedCorner));
}

// An answer to WM_SETFOCUS keeps the message from the skin: its paint must
// still show who has the focus.
TEST_F(ButtonTest, ASkinnedButtonWhoseFocusMessageIsAnsweredStillPaintsFocused) {
    corvix_test::HostWindow lender;
    corvix_test::InstallSkin(lender);
    SetForegroundWindow(main_->hWnd);
    auto b = Make({.cCaption = "Info", .nWidth = 80, .nHeight = 24});
    b->bGotFocus = [](TWindow&, HWND) { return Answer::Number(0); };
    ::SetFocus(b->hWnd);
    InvalidateRect(b->hWnd, nullptr, TRUE);
    UpdateWindow(b->hWnd);
    EXPECT_EQ(Rgb(corvix_test::WindowPixel(b->hWnd, 0, 0)), Rgb(corvix_test::kFocusedCorner));
}

TEST_F(ButtonTest, APressReleasedOutsideTheButtonRunsNothing) {
    auto b = Make({.cCaption = "Press", .nWidth = 60, .nHeight = 20, .lPixel = true});
    for (const POINT at : {POINT{-1, 5}, POINT{70, 5}, POINT{10, -1}, POINT{10, 30}}) {
        SendMessageA(b->hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 5));
        SendMessageA(b->hWnd, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
        Pump();
        EXPECT_EQ(actions_, 0) << "released at " << at.x << ", " << at.y;
    }
    SendMessageA(b->hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 5));
    SendMessageA(b->hWnd, WM_LBUTTONUP, 0, MAKELPARAM(50, 15));
    Pump();
    EXPECT_EQ(actions_, 1) << "released inside";
}

// The box's own loop delivers the second click while the first action runs.
TEST_F(ButtonTest, AClickDuringTheActionIsIgnored) {
    auto b = Make({.bAction = [this] {
        ++actions_;
        corvix_test::DialogProbe probe([](HWND box) { PostMessageA(box, WM_COMMAND, IDOK, 0); });
        MSGINFO("running");
    }});
    PostMessageA(b->hWnd, LM_CLICK, 0, 0);
    PostMessageA(b->hWnd, LM_CLICK, 0, 0);
    Pump();
    EXPECT_EQ(actions_, 1);
}

TEST_F(ButtonTest, AnActionThatThrowsLeavesTheButtonClickable) {
    bool fail = true;
    auto b = Make({.bAction = [&] {
        ++actions_;
        if (fail) throw std::runtime_error("action");
    }});
    SendMessageA(b->hWnd, LM_CLICK, 0, 0);  // the dispatch reports the exception
    fail = false;
    SendMessageA(b->hWnd, LM_CLICK, 0, 0);
    EXPECT_EQ(actions_, 2);
}

TEST_F(ButtonTest, AClickThatMayNotRunDoesNothingAndLeavesTheFocus) {
    auto first = Make({.cCaption = "First"});
    auto refused = Make({.nRow = 2, .cCaption = "Refused", .bWhen = [] { return false; }});
    ::SetFocus(first->hWnd);
    SendMessageA(refused->hWnd, LM_CLICK, 0, 0);
    EXPECT_EQ(actions_, 0);
    EXPECT_EQ(GetFocus(), first->hWnd);
}

TEST_F(ButtonTest, ACancelButtonsClickLeavesTheSiblingsAsTheyAre) {
    bool allowed = true;
    auto sibling = Make({.cCaption = "Sibling", .bWhen = [&allowed] { return allowed; }});
    auto cancel = Make({.nRow = 2, .cCaption = "Cancel", .lCancel = true});
    auto ok = Make({.nRow = 4, .cCaption = "OK"});
    allowed = false;
    SendMessageA(cancel->hWnd, LM_CLICK, 0, 0);
    EXPECT_TRUE(IsWindowEnabled(sibling->hWnd)) << "not re-evaluated";
    SendMessageA(ok->hWnd, LM_CLICK, 0, 0);
    EXPECT_FALSE(IsWindowEnabled(sibling->hWnd));
    EXPECT_EQ(actions_, 2);
}

// What a dialog does with a button its template made: ReDefine, then Initiate.
TEST_F(ButtonTest, ARedefinedButtonIsAttachedToTheItemWithItsIdentifier) {
    CreateWindowA("BUTTON", "x", WS_CHILD | WS_VISIBLE | BS_DEFPUSHBUTTON, 0, 0, 60, 20, main_->hWnd,
                  reinterpret_cast<HMENU>(77), nullptr, nullptr);
    auto b = TButton::ReDefine({.nId = 77, .bAction = [this] { ++actions_; }, .oWnd = main_, .cPrompt = "Go"});
    ASSERT_EQ(main_->aControls.back(), b);
    b->Initiate(main_->hWnd);
    EXPECT_EQ(b->hWnd, GetDlgItem(main_->hWnd, 77));
    EXPECT_EQ(b->cTitle(), "Go");
    EXPECT_TRUE(b->lDefault);
    SendMessageA(main_->hWnd, WM_COMMAND, MAKEWPARAM(77, BN_CLICKED), reinterpret_cast<LPARAM>(b->hWnd));
    EXPECT_EQ(actions_, 1);
    std::optional<ErrorRecord> seen;
    SetErrorHandler([&seen](const ErrorRecord& e) {
        seen = e;
        return Value(false);
    });
    TButton::ReDefine({.nId = 78, .oWnd = main_})->Initiate(main_->hWnd);
    ASSERT_TRUE(seen);
    EXPECT_EQ(ERRORMESSAGE(*seen), "Error Corvix/1  Non defined Id: No:     78");
}

// The demo dialog's "One" (row 1, column 2: pixels 18, 12, 31, 42) with base units 8 x 16.
TEST_F(ButtonTest, TheTemplateItemIsTheSystemsBytes) {
    ASSERT_EQ(GETDLGBASEUNITS(), MAKELONG(8, 16));
    auto one = Make({.nRow = 1, .nCol = 2, .cCaption = "One"});
    one->nId = 0x1234;
    const std::string expected("\x00\x00\x01\x50" "\0\0\0\0" "\x0C\0" "\x12\0" "\x1F\0" "\x0E\0" "\x34\x12"
                               "B\0U\0T\0T\0O\0N\0\0\0" "O\0n\0e\0\0\0" "\0\0" "\0\0",
                               44);
    EXPECT_EQ(one->cToChar(), expected);
}

}  // namespace
}  // namespace corvix
