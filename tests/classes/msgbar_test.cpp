#include "corvix/classes/msgbar.h"

#include <gtest/gtest.h>

#include <vector>

#include "corvix/classes/font.h"
#include "corvix/classes/timer.h"
#include "corvix/function/cxerror.h"
#include "corvix/native/themes.h"
#include "corvix/runtime/datetime.h"
#include "tests/support/gdiprobe.h"
#include "tests/support/testwindow.h"

namespace corvix {
namespace {

using corvix_test::Pump;
using corvix_test::Rgb;
using corvix_test::WindowPixel;

std::shared_ptr<TWindow> ShownParent() {
    auto parent = TWindow::New({.cTitle = "Host"});
    ShowWindow(parent->hWnd, SW_SHOWNORMAL);
    Pump();
    return parent;
}

std::shared_ptr<TMsgBar> BarOn(const std::shared_ptr<TWindow>& parent, TMsgBar::NewArgs args) {
    args.oWnd = parent;
    auto bar = TMsgBar::New(args);
    parent->oMsgBar = bar;
    UpdateWindow(parent->hWnd);
    Pump();
    return bar;
}

int FreshTextHeight(HWND hWnd) {
    HDC dc = GetDC(hWnd);
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    ReleaseDC(hWnd, dc);
    return metrics.tmHeight;
}

// The leftmost column in rows top..bottom whose colour is not the row's colour at column 0.
int LeftmostInk(HDC hDC, int top, int bottom, int width) {
    for (int x = 0; x < width; ++x)
        for (int y = top; y <= bottom; ++y)
            if (GetPixel(hDC, x, y) != GetPixel(hDC, 0, y)) return x;
    return -1;
}

int BarLeftmostInk(const TMsgBar& bar) {
    HDC dc = GetDC(bar.hWnd);
    const int column = LeftmostInk(dc, 0, bar.GetCliRect().nBottom - 1, bar.GetCliRect().nRight / 2);
    ReleaseDC(bar.hWnd, dc);
    return column;
}

// Where the first ink of the text lies when drawn from column 0 in the font.
int InkOffset(const std::string& text, HFONT font) {
    corvix_test::Canvas canvas(200, 40, RGB(255, 255, 255));
    SelectObject(canvas.Get(), font);
    SetBkMode(canvas.Get(), TRANSPARENT);
    TextOutA(canvas.Get(), 0, 4, text.c_str(), static_cast<int>(text.size()));
    return LeftmostInk(canvas.Get(), 0, 39, 200);
}

std::vector<COLORREF> TextBand(const TMsgBar& bar) {
    std::vector<COLORREF> pixels;
    for (int y = 0; y < bar.GetCliRect().nBottom; ++y)
        for (int x = 0; x < 150; ++x) pixels.push_back(WindowPixel(bar.hWnd, x, y));
    return pixels;
}

void SendClick(const TMsgBar& bar, UINT message, int row, int col) {
    SendMessageA(bar.hWnd, message, 0, MAKELPARAM(col, row));
}

// Excludes the bar from visual styles, as a system without them would show it.
void WithoutTheme(const TMsgBar& bar) {
    using SetWindowThemeFn = HRESULT(WINAPI*)(HWND, const wchar_t*, const wchar_t*);
    const HMODULE uxtheme = LoadLibraryA("uxtheme.dll");
    const auto setWindowTheme = uxtheme ? reinterpret_cast<SetWindowThemeFn>(reinterpret_cast<void*>(
                                              GetProcAddress(uxtheme, "SetWindowTheme")))
                                        : nullptr;
    if (setWindowTheme) setWindowTheme(bar.hWnd, L" ", L" ");
    ASSERT_FALSE(ISWINDOWTHEMED(bar.hWnd, L"Status"));
    InvalidateRect(bar.hWnd, nullptr, FALSE);
    UpdateWindow(bar.hWnd);
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

TEST(MsgBarTest, TheDemoBarShowsTheStoredBandAndItsPromptAtColumnFour) {
    const auto parent = ShownParent();
    const auto bar = BarOn(parent, {.cPrompt = "Office 2007 skins", .l2007 = true});
    EXPECT_EQ(bar->nHeight, FreshTextHeight(parent->hWnd) + 8);
    EXPECT_EQ(bar->oTimer, nullptr);
    const RectArray client = bar->GetCliRect();
    ASSERT_EQ(client.nBottom, 23) << "one image row per bar row";
    // Column client.nRight - 3 lies where a grip would be drawn.
    const struct {
        int row;
        COLORREF colour;
    } rows[] = {{0, RGB(255, 255, 255)}, {1, RGB(227, 239, 255)}, {9, RGB(197, 222, 255)},
                {10, RGB(173, 209, 255)}, {22, RGB(191, 218, 255)}};
    for (const auto& r : rows)
        for (const int col : {0, client.nRight / 2, client.nRight - 3, client.nRight - 2})
            EXPECT_EQ(WindowPixel(bar->hWnd, col, r.row), r.colour) << "row " << r.row << " col " << col << " "
                                                                    << Rgb(WindowPixel(bar->hWnd, col, r.row));
    EXPECT_EQ(BarLeftmostInk(*bar), 4 + InkOffset("Office 2007 skins", bar->oFont->hFont));
}

// Lines of up to 254 characters: 200 two-byte letters make one line, as 200
// ASCII letters do, and the tip stands as high.
TEST(MsgBarTest, AnItemsTipStandsItsLinesOfCharactersAboveTheBar) {
    const auto parent = ShownParent();
    const auto bar = BarOn(parent, {.cPrompt = "tips"});
    std::string letters;
    for (int i = 0; i < 200; ++i) letters += "\xD0\x96";
    std::vector<LONG> tops;
    for (const std::string& tip : {std::string(200, 'x'), letters}) {
        TMsgItem::New({.oMsgBar = bar, .cMsg = "item", .lAdd = true, .cToolTip = tip});
        bar->nItem = bar->GetItem();
        bar->ShowToolTip();
        ASSERT_NE(bar->hToolTip, nullptr);
        RECT tipRect;
        GetWindowRect(bar->hToolTip, &tipRect);
        tops.push_back(tipRect.top);
        bar->DestroyToolTip();
    }
    EXPECT_EQ(tops[0], tops[1]);
}

TEST(MsgBarTest, AnEmptyMessageShowsTheDefaultAgain) {
    const auto parent = ShownParent();
    const auto bar = BarOn(parent, {.cPrompt = "Office 2007 skins", .l2007 = true});
    const auto prompt = TextBand(*bar);
    bar->SetMsg("Another text");
    UpdateWindow(bar->hWnd);
    EXPECT_NE(TextBand(*bar), prompt);
    bar->SetMsg("");
    UpdateWindow(bar->hWnd);
    EXPECT_EQ(TextBand(*bar), prompt);
}

TEST(MsgBarTest, TheClockIsPackedRightmostAndTheDateLeftOfIt) {
    const auto parent = ShownParent();
    const auto bar = BarOn(parent, {.lClock = true, .lDate = true});
    ASSERT_EQ(bar->aItem, (std::vector{bar->oDate, bar->oClock}));
    const int right = bar->GetCliRect().nRight - 13;
    EXPECT_EQ(bar->oClock->nWidth, bar->GetWidth(bar->oClock->cMsg) + 12);
    EXPECT_EQ(bar->oClock->nLeft(), right - (bar->oClock->nWidth - 2));
    EXPECT_EQ(bar->oDate->nLeft(), right - (bar->oClock->nWidth + 4) - (bar->oDate->nWidth - 2));
    ASSERT_NE(bar->oTimer, nullptr);
    EXPECT_EQ(bar->oTimer->nInterval, 400u);
}

TEST(MsgBarTest, AClickRunsTheItemOnlyAwayFromItsLastSixColumnsAndTopSixRows) {
    const auto parent = ShownParent();
    const auto bar = BarOn(parent, {});
    int clicks = 0;
    const auto item = TMsgItem::New({.oMsgBar = bar, .cMsg = "Item", .nWidth = 50, .lAdd = true,
                                     .bAction = [&clicks](int, int) { ++clicks; }});
    const int left = item->nLeft();
    const struct {
        int row, col;
        bool runs;
    } cases[] = {{10, left + 10, true},  {6, left + 10, true},  {5, left + 10, false},
                 {10, left + 43, true},  {10, left + 44, false}, {10, left + 49, false},
                 {10, left - 1, true},   {10, left - 2, false}};
    for (const auto& c : cases) {
        clicks = 0;
        SendClick(*bar, WM_LBUTTONDOWN, c.row, c.col);
        EXPECT_EQ(clicks, c.runs ? 1 : 0) << "row " << c.row << " col " << c.col - left << " from the left edge";
    }
}

TEST(MsgBarTest, TheClassicLookDrawsItsFrameInsetBoxesAndGrip) {
    const auto parent = ShownParent();
    const auto bar = BarOn(parent, {.cPrompt = "Classic"});
    WithoutTheme(*bar);
    const auto item = TMsgItem::New({.oMsgBar = bar, .cMsg = "Item", .nWidth = 50, .lAdd = true});
    UpdateWindow(bar->hWnd);
    const int w = bar->GetCliRect().nRight, h = bar->GetCliRect().nBottom, left = item->nLeft();
    const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT), dark = GetSysColor(COLOR_BTNSHADOW),
                   face = GetSysColor(COLOR_BTNFACE);
    const int x = w - 2, y = h - 1;  // the grip's corner
    const struct {
        const char* what;
        int col, row;
        COLORREF colour;
    } pixels[] = {
        {"frame left", 0, 5, light},           {"frame top", 5, 0, light},
        {"frame bottom", 5, h - 1, dark},      {"message box left", 3, 8, dark},
        {"message box top", 8, 3, dark},       {"message box bottom", 8, h - 4, light},
        {"message box right", left - 9, 8, light}, {"separator dark", left - 4, 8, dark},
        {"separator light", left - 3, 8, light},   {"item box left", left + 1, 8, dark},
        {"item box top", left + 10, 3, dark},  {"item box bottom", left + 10, bar->nHeight - 5, light},
        {"item box right", left + 46, 8, light},   {"grip shadow", x, y - 3, dark},
        {"grip shadow", x, y - 2, dark},       {"grip light", x, y - 4, light},
        {"grip shadow", x, y - 11, dark},      {"grip light", x, y - 12, light},
        {"grip face", x, y - 5, face},         {"grip face", x - 11, y - 12, face},
    };
    for (const auto& p : pixels)
        EXPECT_EQ(WindowPixel(bar->hWnd, p.col, p.row), p.colour)
            << p.what << " at " << p.col << ", " << p.row << ": " << Rgb(WindowPixel(bar->hWnd, p.col, p.row));
}

// The classic bar draws a new message at once, over its own part only.
TEST(MsgBarTest, ANewClassicMessageLeavesTheItemsAsTheyWere) {
    const auto parent = ShownParent();
    const auto bar = BarOn(parent, {.cPrompt = "Classic"});
    const auto item = TMsgItem::New({.oMsgBar = bar, .cMsg = "Key", .nWidth = 50, .lAdd = true});
    UpdateWindow(bar->hWnd);
    const auto items = [&] {
        std::vector<COLORREF> pixels;
        for (int y = 0; y < bar->GetCliRect().nBottom; ++y)
            for (int x = item->nLeft() - 10; x < bar->GetCliRect().nRight; ++x)
                pixels.push_back(WindowPixel(bar->hWnd, x, y));
        return pixels;
    };
    const auto before = items();
    bar->SetMsg(std::string(200, 'W'));
    EXPECT_EQ(items(), before);
}

TEST(MsgBarTest, AMaximisedParentWithoutThemesHasNoGripAndItemsTenPixelsRight) {
    const auto parent = ShownParent();
    const auto bar = BarOn(parent, {.lClock = true});
    WithoutTheme(*bar);
    const int width = bar->oClock->nWidth;
    EXPECT_EQ(bar->oClock->nLeft(), bar->GetCliRect().nRight - 13 - (width - 2));
    parent->Maximize();
    Pump();
    UpdateWindow(bar->hWnd);
    ASSERT_TRUE(IsZoomed(parent->hWnd));
    const int w = bar->GetCliRect().nRight, h = bar->GetCliRect().nBottom;
    EXPECT_EQ(w, parent->GetCliRect().nRight + 1) << "the bar follows the parent";
    EXPECT_EQ(bar->oClock->nLeft(), w - 3 - (width - 2));
    for (const int k : {0, 4, 8})
        EXPECT_EQ(WindowPixel(bar->hWnd, w - 2, h - 1 - k - 3), GetSysColor(COLOR_BTNFACE)) << "grip line " << k;
}

TEST(MsgBarTest, ADoubleClickShowsTheResourceCaptionAndASecondRestoresIt) {
    const auto parent = ShownParent();
    const auto bar = BarOn(parent, {.lClock = true});
    SendClick(*bar, WM_LBUTTONDBLCLK, 10, 10);
    // One timer period, and some room for the tick's delivery under load.
    EXPECT_TRUE(PumpUntil(600, [&] { return parent->cTitle() != "Host"; }));
    const std::string bits = sizeof(void*) == 8 ? "(64 bits) " : "(32 bits) ";
    EXPECT_EQ(parent->cTitle().rfind(bits + "MemUsed: ", 0), 0u) << parent->cTitle();
    EXPECT_NE(parent->cTitle().find(" Resources: 90% Running time: "), std::string::npos) << parent->cTitle();
    SendClick(*bar, WM_LBUTTONDBLCLK, 10, 10);
    EXPECT_TRUE(PumpUntil(600, [&] { return parent->cTitle() == "Host"; })) << parent->cTitle();
    EXPECT_TRUE(bar->Cargo.IsNil());
}

TEST(MsgBarTest, InsItemWithoutAPositiveOrAnyPositionDoesNothing) {
    const auto parent = ShownParent();
    const auto bar = BarOn(parent, {.lClock = true});
    const auto item = TMsgItem::New({.oMsgBar = bar, .cMsg = "New"});
    for (const std::optional<int> at : {std::optional<int>(), std::optional(0), std::optional(-1)}) {
        bar->InsItem(item, at);
        EXPECT_EQ(bar->GetItem(), 1);
    }
    bar->InsItem(item, 1);
    EXPECT_EQ(bar->aItem, (std::vector{item, bar->oClock}));
}

TEST(MsgBarTest, TimeFromStartCountsAcrossMidnightsAndNeverBackwards) {
    const struct {
        ClockReading start, now;
        const char* text;
    } cases[] = {
        {{{2025, 3, 4}, 100}, {{2025, 3, 4}, 100 + 3903}, "1 hours 5 mins 3 secs "},
        {{{2024, 12, 31}, 86390}, {{2025, 1, 1}, 3903}, "1 hours 5 mins 13 secs "},
        {{{2024, 2, 28}, 0}, {{2024, 3, 1}, 0}, "48 hours 0 mins 0 secs "},
        {{{2025, 3, 4}, 100}, {{2025, 3, 3}, 5000}, "0 hours 0 mins 0 secs "},
    };
    for (const auto& c : cases) EXPECT_EQ(TIMEFROMSTART(c.start, c.now), c.text);
}

// Makes the class registrations, the font and the kept 2007 image, which
// live on, so that a count afterwards sees only what a test leaves behind.
void WarmUp() {
    for (const bool l2007 : {false, true}) {
        const auto parent = ShownParent();
        BarOn(parent, {.lClock = true, .l2007 = l2007});
        DestroyWindow(parent->hWnd);
    }
    Pump();
}

// A parent that makes a bar on itself while its window goes.
class DyingWindow : public TWindow {
public:
    std::shared_ptr<TMsgBar> bar;
    Answer Destroy() override {
        bar = TMsgBar::New({.oWnd = std::static_pointer_cast<TWindow>(shared_from_this()), .lClock = true});
        return TWindow::Destroy();
    }
};

TEST(MsgBarTest, BadInputIsReportedAndLeaksNothing) {
    WarmUp();
    std::vector<std::string> errors;
    SetErrorHandler([&errors](const ErrorRecord& e) {
        errors.push_back(e.Description.value_or(""));
        return Value(false);
    });
    const int before = corvix_test::CountLiveGdiObjects();

    const auto orphan = TMsgBar::New({.cPrompt = "none", .lClock = true});
    EXPECT_EQ(orphan->hWnd, nullptr);
    orphan->SetMsg("still nothing");
    orphan->ClockOn();
    orphan->Adjust();

    auto dying = std::make_shared<DyingWindow>();
    dying->Init({.cTitle = "Dying"});
    DestroyWindow(dying->hWnd);
    Pump();
    ASSERT_NE(dying->bar, nullptr);
    EXPECT_FALSE(IsWindow(dying->bar->hWnd));

    const auto parent = ShownParent();
    const auto bar = BarOn(parent, {.l2007 = true});
    const auto item = TMsgItem::New({.oMsgBar = bar, .cMsg = "No image", .lAdd = true, .cBmp1 = "missing.bmp"});
    EXPECT_EQ(item->hBitmap1, nullptr);
    EXPECT_EQ(item->nWidth, 40);
    UpdateWindow(bar->hWnd);
    DestroyWindow(parent->hWnd);
    Pump();

    EXPECT_EQ(corvix_test::CountLiveGdiObjects(), before);
    ASSERT_GE(errors.size(), 1u);
    EXPECT_EQ(errors.front(), "A message bar needs a parent window");
    EXPECT_EQ(errors.back(), "A message bar needs a parent window") << "a missing bitmap is no error";
}

}  // namespace
}  // namespace corvix
