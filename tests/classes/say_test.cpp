#include "corvix/classes/say.h"

#include <gtest/gtest.h>

#include "corvix/classes/checkbox.h"
#include "corvix/classes/dialog.h"
#include "corvix/classes/scrollbar.h"
#include "corvix/native/wrappers.h"
#include "tests/support/dialogprobe.h"
#include "tests/support/gdiprobe.h"
#include "tests/support/testwindow.h"

namespace corvix {
namespace {

using corvix_test::Pump;

constexpr int kAttachedDialog = 400;  // in iconcursor_test.rc, with its items 401..403

RECT InParent(HWND h) {
    RECT r;
    GetWindowRect(h, &r);
    MapWindowPoints(nullptr, GetParent(h), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

std::string TextOf(HWND h) { return GETWINDOWTEXT(h); }

// The text's width as the label's own window measures it.
int MeasuredWidth(HWND hLabel, const std::string& text) {
    const HDC dc = GetDC(hLabel);
    const int width = GETTEXTWIDTH(dc, text, reinterpret_cast<HFONT>(SendMessageA(hLabel, WM_GETFONT, 0, 0)));
    ReleaseDC(hLabel, dc);
    return width;
}

class SayTest : public testing::Test {
protected:
    void SetUp() override {
        main_ = TWindow::New({.cTitle = "labels"});
        ShowWindow(main_->hWnd, SW_SHOWNORMAL);
        SetForegroundWindow(main_->hWnd);
        Pump();
    }
    std::shared_ptr<TWindow> main_;
};

TEST_F(SayTest, RowOneColumnOneStandsAtSeventeenAndSixAsWideAsItsText) {
    const auto say = TSay::New({.nRow = 1, .nCol = 1, .bText = [] { return Value("Name:"); }, .oWnd = main_});
    const RECT r = InParent(say->hWnd);
    EXPECT_EQ(r.top, 17);
    EXPECT_EQ(r.left, 6);
    EXPECT_EQ(r.bottom - r.top, 15);
    EXPECT_EQ(r.right - r.left, MeasuredWidth(say->hWnd, "Name:"));
    EXPECT_EQ(TextOf(say->hWnd), "Name:");
}

TEST_F(SayTest, AdjustWidensALeftLabelToItsTextAndNeverNarrowsNorMovesACentredOne) {
    const auto left = TSay::New({.bText = [] { return Value("ab"); }, .oWnd = main_, .lAdjust = true});
    const auto centred = TSay::New({.nRow = 2, .bText = [] { return Value("ab"); }, .oWnd = main_,
                                    .lCenter = true, .lAdjust = true});
    const std::string longer = "a much longer text than before";
    left->SetText(Value(longer));
    centred->SetText(Value(longer));
    const int widened = MeasuredWidth(left->hWnd, longer) + 20;
    EXPECT_EQ(left->nWidth(), widened);
    EXPECT_EQ(centred->nWidth(), MeasuredWidth(centred->hWnd, "ab"));
    left->SetText(Value("x"));
    EXPECT_EQ(left->nWidth(), widened);
    EXPECT_EQ(TextOf(left->hWnd), "x");
}

TEST_F(SayTest, ThePictureFormatsTheShownValueAndVarPutFreezesIt) {
    double amount = -1234.5;
    const auto say = TSay::New({.bText = [&amount] { return Value(amount); }, .oWnd = main_,
                                .cPicture = "@E 99,999.99"});
    EXPECT_EQ(TextOf(say->hWnd), "-1.234,50");
    amount = 2;
    say->Refresh();
    EXPECT_EQ(TextOf(say->hWnd), "     2,00");
    say->VarPut(Value(7));
    amount = 99;
    say->Refresh();
    EXPECT_EQ(TextOf(say->hWnd), "     7,00");
}

TEST_F(SayTest, ARectangleStyleIsOneTypeWithoutAlignment) {
    const struct {
        TSay::NewArgs args;
        DWORD type;
    } cases[] = {
        {{.lCenter = true, .lBlackRect = true}, SS_BLACKRECT},
        {{.lGrayRect = true, .lWhiteRect = true}, SS_GRAYRECT},
        {{.lRight = true, .lWhiteRect = true}, SS_WHITERECT},
        {{.lRight = true}, SS_RIGHT},
    };
    for (auto c : cases) {
        c.args.oWnd = main_;
        const auto say = TSay::New(c.args);
        EXPECT_EQ(GetWindowLongPtrA(say->hWnd, GWL_STYLE) & SS_TYPEMASK, static_cast<LONG_PTR>(c.type));
        EXPECT_EQ(say->l3D, c.type != SS_RIGHT);
    }
}

// Wine keeps no window text that long; the label's own text stays whole and nothing leaks.
TEST_F(SayTest, AHundredThousandCharacterLabelKeepsItsTextAndLeaksNothing) {
    const std::string huge(100000, 'w');
    const int before = corvix_test::CountLiveGdiObjects();
    const auto say = TSay::New({.bText = [&huge] { return Value(huge); }, .oWnd = main_, .nWidth = 200});
    say->SetText(Value(huge + "!"));
    EXPECT_EQ(say->cCaption.size(), 100001u);
    EXPECT_EQ(corvix_test::CountLiveGdiObjects(), before) << "the label shares its parent's brush";
}

class CheckBoxTest : public SayTest {};

TEST_F(CheckBoxTest, ARealClickSetsTheValueAndCallsChangeOnceWithIt) {
    Value value(false);
    std::vector<std::pair<bool, TCheckBox*>> changes;
    const auto box = TCheckBox::New(
        {.nRow = 1, .nCol = 2, .cCaption = "&Enabled",
         .bSetGet = [&value](const std::optional<Value>& x) { return x ? value = *x : value; },
         .oWnd = main_, .bChange = [&changes](bool l, TCheckBox& b) { changes.emplace_back(l, &b); }});
    RECT r;
    GetWindowRect(box->hWnd, &r);
    ASSERT_TRUE(corvix_test::MoveCursorTo(r.left + 6, (r.top + r.bottom) / 2));
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    for (int i = 0; i < 50 && changes.empty(); ++i) {
        Sleep(20);
        Pump();
    }
    EXPECT_EQ(value, Value(true));
    EXPECT_EQ(SendMessageA(box->hWnd, BM_GETCHECK, 0, 0), BST_CHECKED);
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0], std::make_pair(true, box.get()));
}

TEST_F(CheckBoxTest, APressReleasedOutsideTheBoxChangesNothing) {
    int changes = 0;
    const auto box = TCheckBox::New({.cCaption = "&Outside", .oWnd = main_, .nWidth = 80,
                                     .bChange = [&changes](bool, TCheckBox&) { ++changes; }, .lPixel = true});
    for (const POINT at : {POINT{-1, 5}, POINT{90, 5}, POINT{10, -1}, POINT{10, 30}}) {
        SendMessageA(box->hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 5));
        SendMessageA(box->hWnd, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
        Pump();
        EXPECT_EQ(SendMessageA(box->hWnd, BM_GETCHECK, 0, 0), BST_UNCHECKED) << at.x << ", " << at.y;
    }
    EXPECT_EQ(changes, 0);
}

TEST_F(CheckBoxTest, ANonLogicalValueBecomesFalseAndResetKeepsItLogical) {
    Value value("yes");
    const auto box = TCheckBox::New(
        {.bSetGet = [&value](const std::optional<Value>& x) { return x ? value = *x : value; }, .oWnd = main_});
    EXPECT_EQ(value, Value(false));
    box->Click();
    EXPECT_EQ(value, Value(true));
    box->Reset();
    EXPECT_EQ(value, Value(false));
    EXPECT_EQ(SendMessageA(box->hWnd, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    box->Click();
    EXPECT_EQ(value, Value(true));
}

// The system draws the caption after the box and a gap of four pixels.
TEST_F(CheckBoxTest, TheDefaultWidthHoldsTheWholeBoxAndCaptionAndAGivenWidthIsTheCallers) {
    const int box = GetSystemMetrics(SM_CXMENUCHECK) + 4;
    for (const std::string caption : {"", "A", "No", "&On", "Bold", "&Yes!", "Italic", "Regular", "Settings", "&CheckBox"}) {
        const auto c = TCheckBox::New({.nCol = 2, .cCaption = caption, .oWnd = main_});
        std::string shown = caption;
        std::erase(shown, '&');
        RECT client{};
        GetClientRect(c->hWnd, &client);
        EXPECT_EQ(c->nLeft, 14) << caption;
        EXPECT_GE(client.right, box + MeasuredWidth(c->hWnd, shown)) << caption;
        EXPECT_TRUE(IsWindowVisible(c->hWnd));
    }
    const auto given = TCheckBox::New({.nCol = 2, .cCaption = "&CheckBox", .oWnd = main_, .nWidth = 63});
    EXPECT_EQ(given->nRight, 14 + 63 - 24);
}

TEST_F(CheckBoxTest, WithoutAValueCallbackClickAndCheckChangeNothing) {
    const auto box = TCheckBox::New({.oWnd = main_});
    box->bSetGet = nullptr;
    box->Click();
    box->Check();
    box->UnCheck();
    box->Reset();
    box->SetCheck(true);
    EXPECT_FALSE(box->lChecked());
    EXPECT_EQ(SendMessageA(box->hWnd, BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

TEST(AttachTest, LabelCheckBoxAndScrollBarAttachInADialogThroughReDefine) {
    const auto d = TDialog::New({.cResName = Value(kAttachedDialog)});
    Value checked(true);
    const auto say = TSay::ReDefine({.nId = 401, .bText = [] { return Value(42); }, .oWnd = d, .cPicture = "999"});
    const auto box = TCheckBox::ReDefine(
        {.nId = 402, .bSetGet = [&checked](const std::optional<Value>& x) { return x ? checked = *x : checked; },
         .oWnd = d});
    const auto bar = TScrollBar::ReDefine({.nId = 403, .nMin = 3, .nMax = 30, .oWnd = d});
    corvix_test::DialogProbe probe([&](HWND hDlg) {
        EXPECT_EQ(TextOf(GetDlgItem(hDlg, 401)), " 42");
        EXPECT_EQ(SendMessageA(GetDlgItem(hDlg, 402), BM_GETCHECK, 0, 0), BST_CHECKED);
        EXPECT_EQ(box->cCaption, "Box");
        EXPECT_TRUE(bar->lVertical) << "the orientation comes from the item's style";
        EXPECT_EQ(bar->GetRange(), std::make_pair(3, 30));
        EXPECT_EQ(bar->GetPos(), 3);
        ASSERT_TRUE(d->oVScroll);
        EXPECT_EQ(d->oVScroll->GetRange(), std::make_pair(1, 2));
        EndDialog(hDlg, 1);
    });
    d->Activate();
    EXPECT_TRUE(probe.Ran());
}

}  // namespace
}  // namespace corvix
