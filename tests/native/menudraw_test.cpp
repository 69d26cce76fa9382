#include "corvix/native/menudraw.h"

#include <gtest/gtest.h>

#include "tests/support/gdiprobe.h"
#include "tests/support/gradientmodel.h"
#include "tests/support/testwindow.h"

namespace corvix {
namespace {

using corvix_test::Canvas;
using corvix_test::RampColourAt;
using corvix_test::Rgb;

constexpr COLORREF kBackground = RGB(255, 0, 255);
constexpr COLORREF kStrip = RGB(233, 238, 238), kEdge = RGB(197, 197, 197), kTextArea = RGB(250, 250, 250);
constexpr COLORREF kFrame = RGB(221, 207, 155);
const auto kPopupMenu = reinterpret_cast<HMENU>(0x4711);
const auto kBarMenu = reinterpret_cast<HMENU>(0x4712);

struct Entry {
    RECT rect{0, 0, 200, 20};
    UINT state = 0;
    std::string prompt;
    HMENU menu = kPopupMenu;
    UINT action = ODA_DRAWENTIRE;
};

std::optional<bool> Draw(const Canvas& c, const Entry& e, bool lClassic = false) {
    const DRAWITEMSTRUCT record{.CtlType = ODT_MENU, .itemID = 1, .itemAction = e.action, .itemState = e.state,
                                .hwndItem = reinterpret_cast<HWND>(e.menu), .hDC = c.Get(), .rcItem = e.rect};
    return (lClassic ? MENUDRAWITEM : MENUDRAW2007)(&record, e.prompt, kBarMenu, nullptr, nullptr);
}

// Columns of the rows from top to bottom (excluded) whose colour is not the given one.
std::pair<int, int> InkColumns(const Canvas& c, int left, int right, int top, int bottom, COLORREF paper) {
    int first = -1, last = -1;
    for (int x = left; x < right; ++x)
        for (int y = top; y < bottom; ++y)
            if (c.Pixel(x, y) != paper) {
                if (first < 0) first = x;
                last = x;
            }
    return {first, last};
}

bool Contains(const Canvas& c, int left, int right, int top, int bottom, COLORREF colour) {
    for (int x = left; x < right; ++x)
        for (int y = top; y < bottom; ++y)
            if (c.Pixel(x, y) == colour) return true;
    return false;
}

TEST(MenuDraw2007Test, SeparatorRowsStripAndCheckMark) {
    Canvas c(220, 60);
    EXPECT_EQ(Draw(c, {.rect = {0, 0, 120, 10}}), true);
    for (const int x : {5, 60, 119}) EXPECT_EQ(Rgb(c.Pixel(x, 5)), Rgb(kEdge)) << "x " << x;
    EXPECT_EQ(Rgb(c.Pixel(5, 4)), Rgb(kStrip));
    EXPECT_EQ(Rgb(c.Pixel(24, 4)), Rgb(kEdge));
    EXPECT_EQ(Rgb(c.Pixel(60, 6)), Rgb(kTextArea));
    EXPECT_EQ(Rgb(c.Pixel(120, 5)), Rgb(kBackground));
    Draw(c, {.rect = {0, 20, 120, 40}, .state = ODS_CHECKED, .prompt = "Checked"});
    EXPECT_EQ(Rgb(c.Pixel(4, 26)), Rgb(RGB(38, 62, 110))) << "the check mark's ink";
    EXPECT_EQ(Rgb(c.Pixel(1, 20)), Rgb(kStrip)) << "its transparent corner";
}

TEST(MenuDraw2007Test, PopupEntryHasTheStripThenTheCaptionAt33AndTheShortcut21In) {
    Canvas c(220, 30);
    EXPECT_EQ(Draw(c, {.prompt = "&Open\tCtrl+O"}), true);
    EXPECT_EQ(Rgb(c.Pixel(10, 1)), Rgb(kStrip));
    EXPECT_EQ(Rgb(c.Pixel(24, 1)), Rgb(kEdge));
    EXPECT_EQ(Rgb(c.Pixel(30, 1)), Rgb(kTextArea));
    const auto [first, last] = InkColumns(c, 25, 200, 2, 20, kTextArea);
    EXPECT_GE(first, 33);
    EXPECT_LE(first, 36);
    EXPECT_LE(last, 200 - 21 - 1);
    EXPECT_GE(last, 200 - 21 - 4);
}

TEST(MenuDraw2007Test, SelectedEntryGetsBothGradientsInsideItsFrame) {
    Canvas c(140, 30);
    EXPECT_EQ(Draw(c, {.rect = {0, 0, 120, 20}, .state = ODS_SELECTED, .prompt = "Sel"}), true);
    for (const auto& [x, y] : {std::pair{0, 0}, {119, 5}, {5, 19}, {0, 12}}) EXPECT_EQ(Rgb(c.Pixel(x, y)), Rgb(kFrame));
    for (int y = 1; y <= 10; ++y)
        EXPECT_EQ(Rgb(c.Pixel(5, y)), Rgb(RampColourAt(0, 10, RGB(255, 255, 251), RGB(255, 235, 180), y))) << y;
    for (int y = 11; y <= 18; ++y)
        EXPECT_EQ(Rgb(c.Pixel(5, y)), Rgb(RampColourAt(11, 19, RGB(255, 215, 84), RGB(255, 233, 162), y))) << y;
    EXPECT_EQ(Rgb(c.Pixel(120, 5)), Rgb(kBackground));
}

TEST(MenuDraw2007Test, SelectedAndGreyedShowsTheUnselectedLookWithGreyText) {
    Canvas c(220, 30);
    EXPECT_EQ(Draw(c, {.state = ODS_SELECTED | ODS_GRAYED, .prompt = "Greyed"}), true);
    EXPECT_EQ(Rgb(c.Pixel(5, 1)), Rgb(kStrip));
    EXPECT_EQ(Rgb(c.Pixel(24, 1)), Rgb(kEdge));
    EXPECT_EQ(Rgb(c.Pixel(199, 19)), Rgb(kTextArea));
    EXPECT_TRUE(Contains(c, 33, 100, 2, 20, RGB(192, 192, 192)));
    EXPECT_FALSE(Contains(c, 33, 100, 2, 20, RGB(0, 0, 0)));
}

TEST(MenuDraw2007Test, MenuBarEntryFirstRowsBottomLineAndTheRowBelow) {
    Canvas c(120, 40);
    EXPECT_EQ(Draw(c, {.rect = {10, 0, 60, 19}, .prompt = "&File", .menu = kBarMenu}), true);
    for (int y = 0; y <= 8; ++y)
        EXPECT_EQ(Rgb(c.Pixel(12, y)), Rgb(RampColourAt(0, 8, RGB(254, 254, 255), RGB(229, 234, 245), y))) << y;
    EXPECT_EQ(Rgb(c.Pixel(12, 9)), Rgb(RampColourAt(9, 19, RGB(212, 219, 237), RGB(225, 230, 246), 9)));
    EXPECT_EQ(Rgb(c.Pixel(12, 18)), Rgb(RGB(182, 188, 204)));
    // The system reports version 6 or later here: the lighter grey row.
    EXPECT_EQ(Rgb(c.Pixel(12, 19)), Rgb(RGB(240, 240, 240)));
    EXPECT_EQ(Rgb(c.Pixel(60, 5)), Rgb(kBackground)) << "no window: the bar stops at the entry";
}

TEST(MenuDrawTest, VersionSixAndLaterGetTheLighterRowBelowTheBar) {
    EXPECT_FALSE(VistaLook(5));
    EXPECT_TRUE(VistaLook(6));
    EXPECT_TRUE(VistaLook(10));
}

TEST(MenuDrawTest, FocusOnlyAndUnknownRequestsChangeNothing) {
    Canvas c(220, 30);
    for (const bool classic : {false, true}) {
        EXPECT_EQ(Draw(c, {.state = ODS_SELECTED, .prompt = "x", .action = ODA_FOCUS}, classic), false);
        EXPECT_EQ(Draw(c, {.prompt = "x", .action = 8}, classic), std::nullopt);
        EXPECT_EQ((classic ? MENUDRAWITEM : MENUDRAW2007)(nullptr, "x", nullptr, nullptr, nullptr), std::nullopt);
    }
    for (const auto& [x, y] : {std::pair{0, 0}, {5, 5}, {40, 10}, {199, 19}})
        EXPECT_EQ(Rgb(c.Pixel(x, y)), Rgb(kBackground));
}

// Sets system colours for one test and puts the old ones back.
class SystemColours {
public:
    SystemColours(std::initializer_list<std::pair<int, COLORREF>> colours) {
        for (const auto& [index, colour] : colours) {
            indices_.push_back(index);
            before_.push_back(GetSysColor(index));
            after_.push_back(colour);
        }
        SetSysColors(static_cast<int>(indices_.size()), indices_.data(), after_.data());
    }
    ~SystemColours() { SetSysColors(static_cast<int>(indices_.size()), indices_.data(), before_.data()); }

private:
    std::vector<int> indices_;
    std::vector<COLORREF> before_, after_;
};

TEST(MenuDrawClassicTest, GreyedEntryIsEmbossedOverTheMenuColour) {
    const SystemColours colours{{COLOR_MENU, RGB(200, 220, 240)}, {COLOR_BTNFACE, RGB(120, 120, 120)}};
    Canvas c(140, 30);
    EXPECT_EQ(Draw(c, {.rect = {0, 0, 120, 20}, .state = ODS_GRAYED, .prompt = "Grey"}, true), true);
    EXPECT_EQ(Rgb(c.Pixel(110, 1)), Rgb(RGB(200, 220, 240))) << "the background stays the menu colour";
    EXPECT_EQ(Rgb(c.Pixel(5, 5)), Rgb(RGB(200, 220, 240)));
    EXPECT_TRUE(Contains(c, 21, 80, 2, 20, GetSysColor(COLOR_BTNSHADOW)));
    EXPECT_TRUE(Contains(c, 22, 81, 3, 20, GetSysColor(COLOR_BTNHIGHLIGHT)));
}

TEST(MenuDrawClassicTest, SelectedEntryIsHighlightedFromColumn19) {
    Canvas c(140, 30);
    Draw(c, {.rect = {0, 0, 120, 20}, .state = ODS_SELECTED, .prompt = "Sel"}, true);
    EXPECT_EQ(Rgb(c.Pixel(100, 1)), Rgb(GetSysColor(COLOR_HIGHLIGHT)));
    EXPECT_EQ(Rgb(c.Pixel(18, 19)), Rgb(GetSysColor(COLOR_HIGHLIGHT))) << "the image area, one larger";
    EXPECT_TRUE(Contains(c, 21, 60, 2, 20, GetSysColor(COLOR_HIGHLIGHTTEXT)));
}

TEST(MenuDrawTest, PaintingKeepsNoObjectsBeyondTheFirstRound) {
    Canvas c(220, 30);
    int before = 0;
    // The first round makes what is kept for good: the check mark, the system's colour brushes.
    for (int round = 0; round < 3; ++round) {
        if (round == 1) before = corvix_test::CountLiveGdiObjects();
        for (const int state : {0, ODS_SELECTED, ODS_CHECKED, ODS_GRAYED, ODS_SELECTED | ODS_CHECKED})
            for (const bool classic : {false, true})
                Draw(c, {.state = static_cast<UINT>(state), .prompt = "a\tb"}, classic);
    }
    EXPECT_EQ(corvix_test::CountLiveGdiObjects(), before);
}

TEST(MenuMeasureTest, SeparatorsAreTenHighOtherEntriesTheMenuHeight) {
    MEASUREITEMSTRUCT record{.CtlType = ODT_MENU};
    MENUMEASUREITEM(&record, 77, true);
    EXPECT_EQ(record.itemWidth, 77u);
    EXPECT_EQ(record.itemHeight, 10u);
    MENUMEASUREITEM(&record, 5, false);
    EXPECT_EQ(record.itemHeight, static_cast<UINT>(GetSystemMetrics(SM_CYMENU)));
    MENUMEASUREITEM(nullptr, 5, false);
}

}  // namespace
}  // namespace corvix
