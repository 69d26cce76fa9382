#include "corvix/classes/control.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "corvix/classes/brush.h"
#include "corvix/classes/button.h"
#include "corvix/classes/cursor.h"
#include "corvix/function/cxerror.h"
#include "corvix/native/designdraw.h"
#include "corvix/native/lmessages.h"
#include "corvix/native/themes.h"
#include "corvix/native/wndpos.h"
#include "tests/support/gdiprobe.h"
#include "tests/support/testwindow.h"

namespace corvix {
namespace {

using corvix_test::Pump;

// A control over a STATIC window, as the label classes will make it.
class TestLabel : public TControl {
public:
    static std::shared_ptr<TestLabel> On(std::shared_ptr<TWindow> parent, int top, DWORD extraStyle = 0) {
        auto l = std::make_shared<TestLabel>();
        l->oWnd = parent;
        l->nTop = top;
        l->nLeft = 10;
        l->nBottom = top + 20;
        l->nRight = 100;
        l->nStyle = WS_CHILD | WS_VISIBLE | extraStyle;
        l->nId = GetNewId();
        l->CreateOrDefine("STATIC");
        return l;
    }
};

// A shown main window with three buttons, A, B and C, one under the other.
class ControlTest : public testing::Test {
protected:
    void SetUp() override {
        main_ = TWindow::New({.cTitle = "controls"});
        ShowWindow(main_->hWnd, SW_SHOWNORMAL);
        SetForegroundWindow(main_->hWnd);
        for (int i = 0; i < 3; ++i)
            buttons_.push_back(TButton::New({.nRow = 1.0 + 2 * i, .nCol = 2, .cCaption = std::string(1, 'A' + i),
                                             .oWnd = main_}));
        Pump();
    }
    HWND H(int i) const { return buttons_[static_cast<size_t>(i)]->hWnd; }
    // Moves the focus as the dialog manager would after the given key.
    void Leave(int from, int to, int key) {
        ::SetFocus(H(from));
        Pump();
        main_->nLastKey = key;
        ::SetFocus(H(to));
        Pump();
    }
    std::shared_ptr<TWindow> main_;
    std::vector<std::shared_ptr<TButton>> buttons_;
};

TEST_F(ControlTest, EveryControlClassDrawsFromTheOneCounter) {
    TControl::nInitID = 500;
    auto label = TestLabel::On(main_, 100);
    auto button = TButton::New({.oWnd = main_});
    EXPECT_EQ(label->nId, 501);
    EXPECT_EQ(button->nId, 502);
    EXPECT_EQ(GetDlgCtrlID(button->hWnd), 502);
}

TEST(ControlIdTest, OneCounterRunsFrom101To30000ThenFrom100) {
    TControl::nInitID = 100;
    EXPECT_EQ(TControl::GetNewId(), 101);
    TControl::nInitID = 29999;
    EXPECT_EQ(TControl::GetNewId(), 30000);
    EXPECT_EQ(TControl::GetNewId(), 100);
    EXPECT_EQ(TControl::GetNewId(), 101);
}

TEST_F(ControlTest, TabAndShiftTabMoveThroughTheControlsAndAreConsumed) {
    ::SetFocus(H(1));
    EXPECT_EQ(SendMessageA(H(1), WM_CHAR, VK_TAB, 0), 0);
    EXPECT_EQ(GetFocus(), H(2));
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_SHIFT] = 0x80;
    SetKeyboardState(keys);
    EXPECT_EQ(SendMessageA(H(2), WM_CHAR, VK_TAB, 0), 0);
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(GetFocus(), H(1));
}

TEST_F(ControlTest, AFailingValidationTakesTheFocusBackButNotFromACancelButton) {
    buttons_[0]->bValid = [] { return false; };
    Leave(0, 1, VK_TAB);
    EXPECT_EQ(GetFocus(), H(0)) << "back after the posted validation";
    buttons_[2]->lCancel = true;
    Leave(0, 2, TControl::kMouseKey);
    EXPECT_EQ(GetFocus(), H(2)) << "a Cancel button takes the focus unvalidated";
}

TEST_F(ControlTest, ASiblingsWhenThatThrowsLeavesValidationWorking) {
    SetErrorHandler([](const ErrorRecord&) { return Value(false); });
    buttons_[0]->bValid = [] { return false; };
    buttons_[1]->bWhen = []() -> bool { throw std::runtime_error("no answer"); };
    buttons_[2]->lCancel = true;
    Leave(0, 2, TControl::kMouseKey);  // the Cancel shortcut asks every bWhen
    EXPECT_FALSE(main_->lValidating);
    buttons_[1]->bWhen = nullptr;
    Leave(0, 1, VK_TAB);
    EXPECT_EQ(GetFocus(), H(0)) << "validated again";
}

TEST_F(ControlTest, AfterAGoodValidationTheMouseKeepsItsPlaceAndUpGoesBack) {
    Leave(1, 2, TControl::kMouseKey);
    EXPECT_EQ(GetFocus(), H(2));
    Leave(1, 2, VK_UP);
    EXPECT_EQ(GetFocus(), H(0));
}

TEST_F(ControlTest, AControlThatMayNotHaveTheFocusPassesItOn) {
    buttons_[1]->bWhen = [] { return false; };
    buttons_[1]->SetFocus();
    EXPECT_EQ(GetFocus(), H(2));
    buttons_[2]->bWhen = [] { return false; };
    buttons_[2]->SetFocus();
    EXPECT_EQ(GetFocus(), H(0)) << "the last one passes to the parent's first child";
}

TEST_F(ControlTest, DockingPutsTheWindowWhereReSizeLaysItOut) {
    auto lone = std::make_shared<TestLabel>();
    EXPECT_EQ(lone->nAlign(), 0) << "no parent";
    auto& label = *TestLabel::On(main_, 100);
    EXPECT_EQ(label.nAlign(), 1);
    RECT client;
    GetClientRect(main_->hWnd, &client);
    const struct {
        int align;
        bool atTop, atLeft, fullWidth, fullHeight;
    } cases[] = {{2, true, true, true, false}, {3, true, true, false, true}, {4, false, true, true, false},
                 {5, true, false, false, true}, {6, true, true, true, true}};
    for (const auto& c : cases) {
        MoveWindow(label.hWnd, 10, 100, 90, 20, TRUE);  // docking keeps the size across the docked side
        label.nAlign(c.align);
        EXPECT_EQ(label.nAlign(), c.align);
        RECT r;
        GetWindowRect(label.hWnd, &r);
        MapWindowPoints(nullptr, main_->hWnd, reinterpret_cast<POINT*>(&r), 2);
        EXPECT_EQ(r.top == 0, c.atTop) << c.align;
        EXPECT_EQ(r.left == 0, c.atLeft) << c.align;
        EXPECT_EQ(r.right - r.left == client.right, c.fullWidth) << c.align;
        EXPECT_EQ(r.bottom - r.top == client.bottom, c.fullHeight) << c.align;
    }
    label.nAlign(1);
    EXPECT_EQ(main_->oClient, nullptr);
}

// The stored rectangle is the window's, right and bottom being its last pixels.
TEST_F(ControlTest, TheStoredRectangleFollowsEveryMoveTheLibraryMakes) {
    auto label = TestLabel::On(main_, 100);
    const std::pair<const char*, std::function<void()>> moves[] = {
        {"Move", [&] { label->Move(30, 40, 50, 20); }},
        {"nWidth", [&] { label->nWidth(70); }},
        {"nHeight", [&] { label->nHeight(25); }},
        {"docked at the top", [&] { label->nAlign(2); }},
        {"docked at the left", [&] { label->nAlign(3); }},
        {"AdjBottom", [&] { label->AdjBottom(); }},
    };
    for (const auto& [what, move] : moves) {
        move();
        const RectArray r = GETCOORS(label->hWnd);
        EXPECT_EQ(RectArray({label->nTop, label->nLeft, label->nBottom, label->nRight}),
                  RectArray({r.nTop, r.nLeft, r.nBottom - 1, r.nRight - 1}))
            << what;
    }
}

TEST_F(ControlTest, TheAdjustersDockBetweenTheNeighbours) {
    auto top = TestLabel::On(main_, 0), bottom = TestLabel::On(main_, 0), left = TestLabel::On(main_, 0);
    auto label = TestLabel::On(main_, 100);
    RECT client;
    GetClientRect(main_->hWnd, &client);
    MoveWindow(top->hWnd, 0, 0, client.right, 20, TRUE);
    MoveWindow(bottom->hWnd, 0, client.bottom - 30, client.right, 30, TRUE);
    MoveWindow(left->hWnd, 0, 20, 40, client.bottom - 50, TRUE);
    main_->oBar = top;
    main_->oBottom = bottom;
    main_->oLeft = left;
    label->nClientBevel = 2;
    const struct {
        void (TControl::*adjust)();
        RECT expected;  // in the parent's client area
    } cases[] = {
        {&TControl::AdjTop, {0, 20, client.right, 40}},
        {&TControl::AdjBottom, {0, client.bottom - 50, client.right, client.bottom - 30}},
        {&TControl::AdjLeft, {0, 20, 90, client.bottom - 30}},
        {&TControl::AdjRight, {client.right - 90, 20, client.right, client.bottom - 30}},
        {&TControl::AdjClient, {42, 22, client.right - 2, client.bottom - 32}},
    };
    for (const auto& c : cases) {
        MoveWindow(label->hWnd, 10, 100, 90, 20, TRUE);
        ((*label).*c.adjust)();
        const RectArray r = GETCOORS(label->hWnd);
        EXPECT_EQ(std::vector({r.nLeft, r.nTop, r.nRight, r.nBottom}),
                  std::vector<int>({c.expected.left, c.expected.top, c.expected.right, c.expected.bottom}));
    }
}

// What a transparent control draws under itself: its parent's own image.
TEST_F(ControlTest, TheParentsImageUnderAControlIsTheParentsBackground) {
    main_->SetColor(RGB(0, 0, 0), RGB(10, 120, 200));
    auto label = TestLabel::On(main_, 100);
    corvix_test::Canvas c(40, 10, RGB(255, 0, 255));
    PARENTIMAGE(label->hWnd, c.Get());
    EXPECT_EQ(corvix_test::Rgb(c.Pixel(5, 5)), corvix_test::Rgb(RGB(10, 120, 200)));
}

TEST_F(ControlTest, HelpIsAnsweredOnlyForAControlWithATopic) {
    EXPECT_TRUE(buttons_[0]->HandleEvent(WM_HELP, 0, 0).IsNil());
    for (const Value& topic : {Value("Buttons"), Value(12)}) {
        buttons_[0]->nHelpId = topic;
        EXPECT_EQ(buttons_[0]->HandleEvent(WM_HELP, 0, 0), Answer::Number(0));  // no help file: nothing opens
    }
}

TEST_F(ControlTest, ColoursMakeOneBrushForTheLifeOfTheControl) {
    auto label = TestLabel::On(main_, 100);
    HDC dc = GetDC(label->hWnd);
    const LRESULT first = SendMessageA(main_->hWnd, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                       reinterpret_cast<LPARAM>(label->hWnd));
    const int objects = corvix_test::CountLiveGdiObjects();
    for (int i = 0; i < 50; ++i)
        EXPECT_EQ(SendMessageA(main_->hWnd, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                               reinterpret_cast<LPARAM>(label->hWnd)),
                  first);
    EXPECT_EQ(corvix_test::CountLiveGdiObjects(), objects);
    ReleaseDC(label->hWnd, dc);
}

TEST_F(ControlTest, EndLeavesTheParentsControlsAndTheWindowGoesWithTheLoop) {
    const HWND b = H(1);
    EXPECT_TRUE(buttons_[1]->End());
    ASSERT_EQ(main_->aControls.size(), 2u);
    EXPECT_EQ(main_->aControls[1], buttons_[2]);
    EXPECT_TRUE(IsWindow(b));
    Pump();
    EXPECT_FALSE(IsWindow(b));
}

TEST_F(ControlTest, EndRefusedByValidKeepsTheControlAndADockedOneGivesBackItsSpace) {
    buttons_[0]->bValid = [] { return false; };
    EXPECT_FALSE(buttons_[0]->End());
    EXPECT_EQ(main_->aControls.size(), 3u);
    EXPECT_EQ(main_->aControls[0], buttons_[0]);
    auto top = TestLabel::On(main_, 0), rest = TestLabel::On(main_, 100);
    top->nAlign(2);
    rest->nAlign(6);
    ASSERT_GT(GETCOORS(rest->hWnd).nTop, 0);
    EXPECT_TRUE(top->End());
    EXPECT_EQ(main_->oTop, nullptr);
    EXPECT_EQ(GETCOORS(rest->hWnd).nTop, 0) << "the client control fills the space";
}

// 65535 is one pixel left of (or above) the control, not 0.
TEST_F(ControlTest, MouseCoordinatesOutsideTheControlAreNegative) {
    auto label = TestLabel::On(main_, 100);
    int row = 0, col = 0;
    label->bMMoved = [&](int r, int c, WPARAM) {
        row = r;
        col = c;
        return Answer::Number(0);
    };
    SendMessageA(label->hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(65535, 32768));
    EXPECT_EQ(col, -1);
    EXPECT_EQ(row, -32768);
}

// ---- design mode ----

class DesignTest : public ControlTest {
protected:
    void SetUp() override {
        ControlTest::SetUp();
        for (auto& b : buttons_) b->End();
        Pump();
        label_ = TestLabel::On(main_, 48, WS_CLIPSIBLINGS);  // as design mode makes controls
        label_->lDrag = true;
        Reset();
    }
    void TearDown() override { SETGRIDSIZE(8, 8); }
    // 40 x 32 at (48, 48), on the grid, focused.
    void Reset() {
        label_->nTop = label_->nLeft = 48;
        label_->nBottom = 79;
        label_->nRight = 87;
        label_->CheckDots();
        ::SetFocus(label_->hWnd);
        Pump();
    }
    void Send(UINT message, int row, int col) {
        SendMessageA(label_->hWnd, message, 0, MAKELPARAM(static_cast<WORD>(col), static_cast<WORD>(row)));
    }
    RectArray Coors() const { return GETCOORS(label_->hWnd); }
    std::shared_ptr<TestLabel> label_;
};

// Rows go by the grid height and columns by its width.
TEST_F(DesignTest, ADragMovesByWholeGridSteps) {
    SETGRIDSIZE(4, 16);
    EXPECT_EQ(GETGRIDSIZE(), std::make_pair(4, 16));
    Send(WM_LBUTTONDOWN, 1, 5);  // anchored at row 0, column 4
    Send(WM_MOUSEMOVE, 1, 10);   // six columns: a step of four
    Send(WM_LBUTTONUP, 1, 10);
    EXPECT_EQ(Coors().nTop, 48);
    EXPECT_EQ(Coors().nLeft, 52);
    Send(WM_LBUTTONDOWN, 5, 5);
    Send(WM_MOUSEMOVE, 13, 5);   // eight rows: less than a step
    Send(WM_MOUSEMOVE, 25, 14);  // snapped to row 16, column 12
    Send(WM_LBUTTONUP, 30, 30);  // the band's point counts, not the release's
    EXPECT_EQ(Coors().nTop, 64);
    EXPECT_EQ(Coors().nLeft, 60);
    EXPECT_EQ(GetFocus(), label_->hWnd);
}

TEST_F(DesignTest, EachHandleResizesAsItsRowOfTheTableSays) {
    const struct {
        int row, col;                     // where the handle is dragged, in the parent
        int top, left, width, height;     // the control afterwards
    } cases[] = {{24, 24, 24, 24, 64, 56},  {24, 64, 24, 48, 40, 56},  {24, 104, 24, 48, 56, 56},
                 {64, 104, 48, 48, 56, 32}, {96, 104, 48, 48, 56, 48}, {96, 64, 48, 48, 40, 48},
                 {96, 24, 48, 24, 64, 48},  {64, 24, 48, 24, 64, 32}};
    ASSERT_EQ(TControl::aDots().size(), 8u);
    for (int k = 1; k <= 8; ++k) {
        Reset();
        const auto& c = cases[k - 1];
        ASSERT_TRUE(IsWindowVisible(TControl::aDots()[static_cast<size_t>(k - 1)]->hWnd)) << k;
        SendMessageA(TControl::aDots()[static_cast<size_t>(k - 1)]->hWnd, WM_LBUTTONDOWN, MK_LBUTTON, 0);
        Send(WM_MOUSEMOVE, c.row - 48, c.col - 48);
        Send(WM_LBUTTONUP, c.row - 48, c.col - 48);
        const RectArray r = Coors();
        EXPECT_EQ(std::vector({r.nTop, r.nLeft, r.nRight - r.nLeft, r.nBottom - r.nTop}),
                  std::vector({c.top, c.left, c.width, c.height}))
            << "handle " << k;
    }
}

TEST_F(DesignTest, APressWithNoButtonHeldTakesNoMouseAndNoDragGivesNoSize) {
    PostMessageA(label_->hWnd, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));  // already queued
    Send(WM_LBUTTONDOWN, 5, 5);
    EXPECT_NE(GetCapture(), label_->hWnd) << "released while the press waited";
    EXPECT_FALSE(label_->lCaptured);
    const auto& dragged = buttons_.emplace_back(TButton::New({.nRow = 8, .nCol = 2, .cCaption = "D", .oWnd = main_}));
    dragged->oDragCursor = TCursor::New("", "cross");
    int begun = 0;
    dragged->bDragBegin = [&begun](int, int, WPARAM, TControl&) { ++begun; };
    dragged->lMouseDown = true;  // its release went to another window
    SendMessageA(dragged->hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(40, 5));
    EXPECT_EQ(begun, 0) << "a drag with no button held";
    ReleaseCapture();
    Reset();
    SendMessageA(TControl::aDots()[3]->hWnd, WM_LBUTTONDOWN, MK_LBUTTON, 0);  // the right edge's handle
    Send(WM_MOUSEMOVE, 10, -30);  // dragged past the left edge
    Send(WM_LBUTTONUP, 10, -30);
    EXPECT_GT(label_->nRight - label_->nLeft, 0);
    EXPECT_GT(Coors().nRight - Coors().nLeft, 0);
}

// Every band drawn is erased again: a full repaint changes no pixel.
TEST_F(DesignTest, TheRubberBandLeavesNoPixelsBehind) {
    Send(WM_LBUTTONDOWN, 5, 5);
    for (int step = 1; step <= 4; ++step) Send(WM_MOUSEMOVE, 5 + 9 * step, 5 + 9 * step);
    Send(WM_LBUTTONUP, 41, 41);
    Pump();
    auto pixels = [this] {
        std::vector<COLORREF> all;
        HDC dc = GetDCEx(main_->hWnd, nullptr, DCX_CACHE);
        for (int y = 0; y < 200; y += 1)
            for (int x = 0; x < 200; x += 1) all.push_back(GetPixel(dc, x, y));
        ReleaseDC(main_->hWnd, dc);
        return all;
    };
    const auto after = pixels();
    RedrawWindow(main_->hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    EXPECT_EQ(pixels(), after);
}

// Released one pixel left of the control: the drop lands on the parent, not
// at the control's own column 0.
TEST_F(ControlTest, ADropLeftOfTheDraggedControlReachesTheWindowThere) {
    const auto& dragged = buttons_[0];
    dragged->oDragCursor = TCursor::New("", "cross");
    int drops = 0;
    main_->bDropOver = [&drops](const Value&, int, int, LPARAM) { ++drops; };
    // Left of the control, then above it.
    for (const LPARAM release : {MAKELPARAM(65535, 5), MAKELPARAM(5, 65535)}) {
        SendMessageA(dragged->hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        SendMessageA(dragged->hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(30, 5));
        EXPECT_EQ(GetCapture(), dragged->hWnd) << "the drag holds the mouse";
        EXPECT_EQ(GetCursor(), dragged->oDragCursor->hCursor);
        SendMessageA(dragged->hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(5, 40));  // over B, which takes no drops
        EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_NO));
        SendMessageA(dragged->hWnd, WM_LBUTTONUP, 0, release);
        EXPECT_EQ(GetCapture(), nullptr);
    }
    EXPECT_EQ(drops, 2);
}

TEST(ControlParentTest, AControlWithNoParentAndNoDefaultWindowIsReported) {
    std::optional<ErrorRecord> seen;
    SetErrorHandler([&seen](const ErrorRecord& e) {
        seen = e;
        return Value(false);
    });
    auto orphan = TButton::New({.cCaption = "Alone"});
    ASSERT_TRUE(seen);
    EXPECT_EQ(seen->Description, "Control without a parent window");
    EXPECT_EQ(orphan->hWnd, nullptr);
}

}  // namespace
}  // namespace corvix
