#include "corvix/classes/scrollbar.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "corvix/function/cxerror.h"
#include "tests/support/testwindow.h"

namespace corvix {
namespace {

using corvix_test::Pump;

class ScrollBarTest : public testing::Test {
protected:
    void SetUp() override {
        main_ = TWindow::New({.cTitle = "bars", .lVScroll = true, .lHScroll = true});
        ShowWindow(main_->hWnd, SW_SHOWNORMAL);
        Pump();
    }
    std::shared_ptr<TWindow> main_;
    std::vector<std::string> log_;
    // An action that logs its name and the bar's position when it runs.
    TScrollBar::Action Logged(const std::string& name, const std::shared_ptr<TScrollBar>* bar) {
        return [this, name, bar] { log_.push_back(name + " at " + std::to_string((*bar)->GetPos())); };
    }
};

TEST_F(ScrollBarTest, AWindowMadeWithScrollBarsHasFrameBarsFromOneToTwoAtOne) {
    for (const auto& bar : {main_->oVScroll, main_->oHScroll}) {
        ASSERT_TRUE(bar);
        EXPECT_TRUE(bar->lIsChild);
        EXPECT_FALSE(bar->hWnd);
        EXPECT_EQ(bar->GetRange(), std::make_pair(1, 2));
        EXPECT_EQ(bar->GetPos(), 1);
    }
    EXPECT_EQ(main_->oVScroll->BarCode(), SB_VERT);
    EXPECT_EQ(main_->oHScroll->BarCode(), SB_HORZ);
}

TEST_F(ScrollBarTest, LineStepsMoveFirstAndStopAtTheEndsPageStepsCallFirstAndAreNotClamped) {
    std::shared_ptr<TScrollBar> bar;
    bar = TScrollBar::New({.nMin = 0, .nMax = 20, .nPgStep = 10, .oWnd = main_,
                           .bUpAction = Logged("up", &bar), .bDownAction = Logged("down", &bar),
                           .bPgUp = Logged("page up", &bar), .bPgDown = Logged("page down", &bar)});
    bar->GoUp();
    bar->SetPos(5);
    bar->PageDown();
    bar->GoDown();
    bar->SetPos(20);
    bar->GoDown();
    bar->PageUp();
    EXPECT_EQ(log_, (std::vector<std::string>{"up at 0", "page down at 5", "down at 16", "down at 20",
                                              "page up at 20"}));
    EXPECT_EQ(bar->GetPos(), 10);
}

TEST_F(ScrollBarTest, RealScrollMessagesReachTheFrameBarAndAControlsBar) {
    std::vector<int> thumbs;
    const auto control = TScrollBar::New({.nMin = 0, .nMax = 100000, .nPgStep = 10, .oWnd = main_,
                                          .bPos = [&thumbs](int n) { thumbs.push_back(n); }});
    main_->oVScroll->SetRange(0, 100);
    main_->oVScroll->SetPos(0);
    main_->oVScroll->nPgStep = 10;
    SendMessageA(main_->hWnd, WM_VSCROLL, SB_LINEDOWN, 0);
    SendMessageA(main_->hWnd, WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_EQ(main_->oVScroll->GetPos(), 11);
    const LPARAM own = reinterpret_cast<LPARAM>(control->hWnd);
    SendMessageA(main_->hWnd, WM_VSCROLL, SB_LINEDOWN, own);
    SendMessageA(main_->hWnd, WM_VSCROLL, SB_PAGEDOWN, own);
    EXPECT_EQ(control->GetPos(), 11);
    control->SetPos(70000);  // above 65535: the message's 16 bits would wrap it
    SendMessageA(main_->hWnd, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 70000 & 0xFFFF), own);
    EXPECT_EQ(thumbs, std::vector<int>{70000});
    EXPECT_EQ(control->GetPos(), 70000) << "the thumb's release leaves the position to bPos";
}

TEST_F(ScrollBarTest, ActivateGivesTheFrameBarsTheirActions) {
    int up = 0, right = 0;
    main_->bInit = [](TWindow& w) {
        SendMessageA(w.hWnd, WM_VSCROLL, SB_LINEUP, 0);
        SendMessageA(w.hWnd, WM_HSCROLL, SB_LINEDOWN, 0);
        DestroyWindow(w.hWnd);  // ends the loop Activate runs
        return Answer::Nil();
    };
    main_->Activate({.bUp = [&up] { ++up; }, .bRight = [&right] { ++right; }});
    EXPECT_EQ(up, 1);
    EXPECT_EQ(right, 1);
}

TEST_F(ScrollBarTest, ControlsTakeTheirDefaultSizesInPixels) {
    const auto across = TScrollBar::New({.nRow = 1, .nCol = 2, .lVertical = false, .oWnd = main_});
    const auto down = TScrollBar::New({.oWnd = main_});
    EXPECT_EQ(across->nWidth(), 100);
    EXPECT_EQ(across->nHeight(), 17);
    EXPECT_EQ(across->nOrientation(), 2);
    EXPECT_EQ(std::make_pair(across->nTop, across->nLeft), std::make_pair(14, 16));
    EXPECT_EQ(down->nWidth(), 16);
    EXPECT_EQ(down->nHeight(), 100);
    EXPECT_EQ(GetWindowLongPtrA(down->hWnd, GWL_STYLE) & SBS_VERT, SBS_VERT);
}

TEST_F(ScrollBarTest, ARangeWithItsMinimumAboveItsMaximumIsReportedAndNotSet) {
    std::vector<std::string> reported;
    SetErrorHandler([&reported](const ErrorRecord& e) {
        reported.push_back(e.Description.value_or(""));
        return Value(false);
    });
    const auto bar = TScrollBar::New({.nMin = 0, .nMax = 10, .oWnd = main_});
    bar->SetRange(9, 2);
    EXPECT_EQ(reported, std::vector<std::string>{"Scroll range with its minimum above its maximum"});
    EXPECT_EQ(bar->GetRange(), std::make_pair(0, 10));
    const auto made = TScrollBar::New({.nMin = 9, .nMax = 2, .oWnd = main_});
    EXPECT_EQ(reported.size(), 2u);
    EXPECT_EQ(std::make_pair(made->nMin, made->nMax), std::make_pair(0, 0)) << "the members agree with the bar";
}

}  // namespace
}  // namespace corvix
