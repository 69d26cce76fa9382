#include "corvix/skin/btnpaint.h"
#include "corvix/skin/fontkey.h"

#include <gtest/gtest.h>

#include "corvix/native/colour.h"
#include "tests/support/gdiprobe.h"
#include "tests/support/gradientmodel.h"
#include "tests/support/skinsupport.h"
#include "tests/support/testwindow.h"

namespace corvix::skin {
namespace {

using corvix_test::Canvas;
using corvix_test::HostWindow;
using corvix_test::RampColourAt;
using corvix_test::Rgb;

constexpr COLORREF kNormalOuter = corvix_test::kNormalCorner;
constexpr COLORREF kNormalMiddle = NRGB(48, 212, 255);
constexpr COLORREF kNormalInner = NRGB(152, 231, 253);
constexpr COLORREF kPressedFrame = NRGB(253, 173, 17);

// Paints the button into a canvas of its size, never on screen.
class PaintTest : public testing::Test {
protected:
    HWND Button(int width, int height, const std::string& caption = "") {
        return host_.AddButton(caption, 101, 20, 20, width, height);
    }
    HostWindow host_;
};

// The first step of a two-halves fill over rows top..bottom ends here.
int HalfEnd(int top, int bottom) { return static_cast<int>(top + (bottom - top + 1) * 0.5 - 1); }

struct Size {
    int w, h;
};

class NormalLookTest : public PaintTest, public testing::WithParamInterface<Size> {};

TEST_P(NormalLookTest, ThreeFramesOverATwoHalvesFill) {
    const auto [w, h] = GetParam();
    HWND b = Button(w, h);
    Canvas c(w, h);
    BTNPAINT(b, c.Get());
    EXPECT_EQ(Rgb(c.Pixel(0, 0)), Rgb(kNormalOuter));
    EXPECT_EQ(Rgb(c.Pixel(w - 1, h - 1)), Rgb(kNormalOuter));
    EXPECT_EQ(Rgb(c.Pixel(w - 1, 0)), Rgb(kNormalOuter));
    EXPECT_EQ(Rgb(c.Pixel(1, 1)), Rgb(kNormalMiddle));
    EXPECT_EQ(Rgb(c.Pixel(w - 2, h - 2)), Rgb(kNormalMiddle));
    EXPECT_EQ(Rgb(c.Pixel(2, 2)), Rgb(kNormalInner));
    EXPECT_EQ(Rgb(c.Pixel(w - 3, h - 3)), Rgb(kNormalInner));
    // Every side of each frame, at mid-length: a frame drawn one pixel short
    // on the right or at the bottom still shows the right corners.
    const struct {
        int x, y;
        COLORREF colour;
    } sides[] = {{w - 1, h / 2, kNormalOuter}, {w / 2, h - 1, kNormalOuter}, {w - 2, h / 2, kNormalMiddle},
                 {w / 2, h - 2, kNormalMiddle}, {1, h / 2, kNormalMiddle},     {w / 2, 1, kNormalMiddle},
                 {w - 3, h / 2, kNormalInner},  {w / 2, h - 3, kNormalInner},  {2, h / 2, kNormalInner},
                 {w / 2, 2, kNormalInner}};
    for (const auto& p : sides) EXPECT_EQ(Rgb(c.Pixel(p.x, p.y)), Rgb(p.colour)) << p.x << "," << p.y;
    // The fill inside the frames, away from the (empty) caption.
    const int split = HalfEnd(0, h);
    for (int y = 3; y <= h - 4; ++y) {
        const COLORREF expected = y <= split
            ? RampColourAt(0, split, NRGB(235, 246, 252), NRGB(223, 243, 251), y)
            : RampColourAt(split + 1, h, NRGB(203, 232, 248), NRGB(118, 214, 245), y);
        ASSERT_EQ(Rgb(c.Pixel(5, y)), Rgb(expected)) << "row " << y;
    }
}

// The skin's own example, and the demo's buttons (80 x 24 asked, 81 x 25 made).
INSTANTIATE_TEST_SUITE_P(Sizes, NormalLookTest, testing::Values(Size{80, 24}, Size{81, 25}),
                         [](const testing::TestParamInfo<Size>& info) {
                             return std::to_string(info.param.w) + "x" + std::to_string(info.param.h);
                         });

TEST_F(PaintTest, FocusedLookShowsTwoRimsAroundAYellowFill) {
    const int w = 81, h = 25;
    HWND b = Button(w, h);
    SetFocus(b);
    ASSERT_EQ(GetFocus(), b);
    Canvas c(w, h);
    BTNPAINT(b, c.Get());
    EXPECT_EQ(Rgb(c.Pixel(0, 0)), Rgb(NRGB(221, 207, 155)));
    EXPECT_EQ(Rgb(c.Pixel(w - 1, 0)), Rgb(NRGB(221, 207, 155)));
    EXPECT_EQ(Rgb(c.Pixel(1, 1)), Rgb(NRGB(255, 255, 255)));
    EXPECT_EQ(Rgb(c.Pixel(w - 2, 1)), Rgb(NRGB(255, 255, 255)));
    EXPECT_EQ(Rgb(c.Pixel(2, 2)), Rgb(NRGB(255, 253, 219)));
    // Outer rim down the right edge: one ramp over rows 0..h.
    for (int y : {5, 12, 20})
        EXPECT_EQ(Rgb(c.Pixel(w - 1, y)),
                  Rgb(RampColourAt(0, h, NRGB(221, 207, 155), NRGB(211, 207, 188), y)));
    // Inner fill over rows 2..h-3 in two halves.
    const int split = HalfEnd(2, h - 3);
    EXPECT_EQ(Rgb(c.Pixel(4, split)),
              Rgb(RampColourAt(2, split, NRGB(255, 253, 219), NRGB(255, 231, 144), split)));
    EXPECT_EQ(Rgb(c.Pixel(4, split + 1)), Rgb(NRGB(255, 215, 76)));
}

TEST_F(PaintTest, PressedLookWinsOverFocus) {
    const int w = 81, h = 25;
    HWND b = Button(w, h);
    SetFocus(b);
    Canvas c(w, h);
    BTNPAINT(b, c.Get(), true);
    // Dark top and left edges from the shadow fill (two thirds, then a third).
    EXPECT_EQ(Rgb(c.Pixel(0, 0)), Rgb(NRGB(139, 118, 84)));
    EXPECT_EQ(Rgb(c.Pixel(40, 0)), Rgb(NRGB(139, 118, 84)));
    const int twoThirds = static_cast<int>(0 + (h + 1) * (2.0 / 3.0) - 1);
    for (int y : {6, 12, twoThirds})
        EXPECT_EQ(Rgb(c.Pixel(0, y)),
                  Rgb(RampColourAt(0, twoThirds, NRGB(139, 118, 84), NRGB(153, 134, 104), y)));
    EXPECT_EQ(Rgb(c.Pixel(0, twoThirds + 1)), Rgb(NRGB(153, 134, 104)));
    // Frame on the left, bottom and right; its top line is under the five-row shadow.
    EXPECT_EQ(Rgb(c.Pixel(1, 10)), Rgb(kPressedFrame));
    EXPECT_EQ(Rgb(c.Pixel(40, h - 1)), Rgb(kPressedFrame));
    EXPECT_EQ(Rgb(c.Pixel(w - 2, 10)), Rgb(kPressedFrame));
    for (int y = 1; y <= 5; ++y)
        EXPECT_EQ(Rgb(c.Pixel(40, y)),
                  Rgb(RampColourAt(1, 5, NRGB(177, 144, 93), NRGB(249, 188, 107), y)));
    // Inner fill below the shadow, first half of rows 1..h.
    const int split = HalfEnd(1, h);
    EXPECT_EQ(Rgb(c.Pixel(10, 8)),
              Rgb(RampColourAt(1, split, NRGB(249, 188, 107), NRGB(253, 163, 97), 8)));
    EXPECT_EQ(Rgb(c.Pixel(10, split + 1)), Rgb(NRGB(251, 142, 61)));
}

// Counts pixels of one colour inside the button's caption area (inside the frames).
int CountColour(const Canvas& c, int w, int h, COLORREF colour) {
    int n = 0;
    for (int y = 3; y < h - 3; ++y)
        for (int x = 3; x < w - 3; ++x) n += c.Pixel(x, y) == colour;
    return n;
}

TEST_F(PaintTest, EnabledCaptionIsBlackEvenWhenTheParentHasNoFont) {
    host_.SetFont(nullptr);
    HWND b = Button(81, 25, "Info");
    Canvas c(81, 25);
    BTNPAINT(b, c.Get());
    EXPECT_GT(CountColour(c, 81, 25, RGB(0, 0, 0)), 10);
}

// From one font of the parent's to another: the picture kept for the first must not serve.
TEST_F(PaintTest, CaptionUsesTheParentsFont) {
    HWND b = Button(120, 40, "Info");
    Canvas small(120, 40), large(120, 40);
    HFONT little = CreateFontA(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Tahoma");
    HFONT big = CreateFontA(-30, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Tahoma");
    host_.SetFont(little);
    BTNPAINT(b, small.Get());
    host_.SetFont(big);
    BTNPAINT(b, large.Get());
    host_.SetFont(nullptr);
    DeleteObject(big);
    DeleteObject(little);
    EXPECT_GT(CountColour(large, 120, 40, RGB(0, 0, 0)), 2 * CountColour(small, 120, 40, RGB(0, 0, 0)));
}

TEST_F(PaintTest, DisabledCaptionIsWhiteOverAGreyCopyOnePixelDownAndRight) {
    HWND b = Button(81, 25, "Info");
    EnableWindow(b, FALSE);
    Canvas c(81, 25);
    BTNPAINT(b, c.Get());
    const COLORREF white = RGB(255, 255, 255), grey = RGB(128, 128, 128);
    int whites = 0, greys = 0;
    for (int y = 3; y < 22; ++y) {
        for (int x = 3; x < 78; ++x) {
            if (c.Pixel(x, y) == white) ++whites;
            if (c.Pixel(x, y) == grey) {
                ++greys;
                ASSERT_EQ(c.Pixel(x - 1, y - 1), white) << "grey at " << x << "," << y;
            }
        }
    }
    EXPECT_GT(whites, 10);
    EXPECT_GT(greys, 3);
    EXPECT_EQ(CountColour(c, 81, 25, RGB(0, 0, 0)), 0);
}

// The third paint comes from the kept picture and the shared buffer, which a
// greyed paint in between must neither have been given nor have changed.
TEST_F(PaintTest, ARepaintAfterAGreyedOneGivesTheFirstPaintsPixels) {
    HWND b = Button(81, 25, "Info");
    Canvas first(81, 25), greyed(81, 25), again(81, 25);
    BTNPAINT(b, first.Get());
    EnableWindow(b, FALSE);
    BTNPAINT(b, greyed.Get());
    EnableWindow(b, TRUE);
    BTNPAINT(b, again.Get());
    EXPECT_EQ(CountColour(greyed, 81, 25, RGB(0, 0, 0)), 0) << "a greyed caption has no black";
    for (int y = 0; y < 25; ++y)
        for (int x = 0; x < 81; ++x) ASSERT_EQ(again.Pixel(x, y), first.Pixel(x, y)) << x << "," << y;
}

// A greyed paint sets its own text colours: the next caption drawn, not yet kept, is black again.
TEST_F(PaintTest, ACaptionDrawnAfterAGreyedOneIsBlack) {
    HWND b = Button(81, 25, "Greyed first");  // a caption no other test keeps a picture of
    EnableWindow(b, FALSE);
    Canvas greyed(81, 25), fresh(81, 25);
    BTNPAINT(b, greyed.Get());
    EnableWindow(b, TRUE);
    SetWindowTextA(b, "Fresh");
    BTNPAINT(b, fresh.Get());
    EXPECT_GT(CountColour(fresh, 81, 25, RGB(0, 0, 0)), 10);
}

// Repaints are copies of kept pictures: a new caption must not get the old one's.
TEST_F(PaintTest, ACaptionChangedBetweenPaintsIsDrawnAnew) {
    HWND b = Button(81, 25, "Info");
    Canvas info(81, 25), help(81, 25), again(81, 25);
    BTNPAINT(b, info.Get());
    SetWindowTextA(b, "Help");
    BTNPAINT(b, help.Get());
    SetWindowTextA(b, "Info");
    BTNPAINT(b, again.Get());
    int differing = 0;
    for (int y = 0; y < 25; ++y) {
        for (int x = 0; x < 81; ++x) {
            differing += help.Pixel(x, y) != info.Pixel(x, y);
            ASSERT_EQ(again.Pixel(x, y), info.Pixel(x, y)) << x << "," << y;
        }
    }
    EXPECT_GT(differing, 10);
}

// A caption is read whole on either side of the length kept in place.
TEST_F(PaintTest, CaptionsAreReadWholeWhateverTheirLength) {
    HWND b = Button(81, 25, "");
    for (const size_t length : {0u, 1u, 255u, 256u, 300u}) {
        const std::string caption(length, 'x');
        SetWindowTextA(b, caption.c_str());
        EXPECT_EQ(ReadButtonCaption(b).text, caption) << length << " bytes";
    }
}

TEST_F(PaintTest, ReleasesEveryDcBitmapAndBrushItMakes) {
    HWND b = Button(81, 25, "Info");
    HDC dc = GetDC(b);
    // All three looks at a size not painted before, so that every face is drawn
    // anew; the first round lets the system make its lazily created objects.
    int width = 60;
    auto paintAllLooks = [&] {
        SetWindowPos(b, nullptr, 0, 0, ++width, 25, SWP_NOMOVE | SWP_NOZORDER | SWP_NOREDRAW);
        SetFocus(host_.Get());
        BTNPAINT(b, dc);
        SetFocus(b);
        BTNPAINT(b, dc);
        BTNPAINT(b, dc, true);
        corvix_test::Pump();
    };
    paintAllLooks();
    const int before = corvix_test::CountLiveGdiObjects();
    ASSERT_GT(before, 0);
    for (int i = 0; i < 5; ++i) paintAllLooks();
    EXPECT_EQ(corvix_test::CountLiveGdiObjects(), before);
    ReleaseDC(b, dc);
}

// Whatever the caption asks of the parent may paint another button meanwhile.
TEST_F(PaintTest, APaintInsideAnotherLeavesTheOuterOnesPixels) {
    static HWND inner;
    static WNDPROC hostProc;
    HWND outer = Button(81, 25, "Outer");
    inner = Button(40, 30, "Inner");
    Canvas alone(81, 25), nested(81, 25);
    BTNPAINT(outer, alone.Get());
    hostProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
        host_.Get(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(+[](HWND w, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
            if (m == WM_GETFONT) {
                Canvas innerCanvas(40, 30);
                BTNPAINT(inner, innerCanvas.Get());
            }
            return CallWindowProcA(hostProc, w, m, wp, lp);
        })));
    BTNPAINT(outer, nested.Get());
    SetWindowLongPtrA(host_.Get(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(hostProc));
    for (int y = 0; y < 25; ++y)
        for (int x = 0; x < 81; ++x) ASSERT_EQ(nested.Pixel(x, y), alone.Pixel(x, y)) << x << "," << y;
}

// The painter's buffer starts with undefined content: from 8 x 8 on, every look must cover it all.
TEST(ButtonFaceTest, EveryLookCoversTheWholeButtonFromEightByEight) {
    constexpr COLORREF kUnpainted = RGB(1, 2, 3);
    for (const Size size : {Size{8, 8}, Size{9, 8}, Size{8, 9}, Size{13, 10}, Size{81, 25}}) {
        for (const ButtonLook look : {ButtonLook::Normal, ButtonLook::Focused, ButtonLook::Pressed}) {
            Canvas c(size.w, size.h);
            const RECT all{0, 0, size.w, size.h};
            HBRUSH fill = CreateSolidBrush(kUnpainted);
            FillRect(c.Get(), &all, fill);
            DeleteObject(fill);
            PaintButtonFace(c.Get(), size.w, size.h, look);
            for (int y = 0; y < size.h; ++y)
                for (int x = 0; x < size.w; ++x)
                    ASSERT_NE(Rgb(c.Pixel(x, y)), Rgb(kUnpainted))
                        << size.w << "x" << size.h << " look " << static_cast<int>(look) << " at " << x << "," << y;
        }
    }
}

// Faces whose ANSI forms are one: a single-byte code page spells neither,
// and a double-byte one or UTF-8 cuts both at 31 bytes.
TEST(FontKeyTest, FacesAreKeyedByTheirWideNames) {
    const std::wstring common(15, L'\x5B57');
    HFONT a = CreateFontW(-12, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, (common + L"\x4F53").c_str());
    HFONT b = CreateFontW(-12, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, (common + L"\x7247").c_str());
    HFONT a2 = CreateFontW(-12, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, (common + L"\x4F53").c_str());
    EXPECT_FALSE(FontKey(a) == FontKey(b));
    EXPECT_TRUE(FontKey(a) == FontKey(a2));
    for (HFONT f : {a, b, a2}) DeleteObject(f);
}

TEST_F(PaintTest, ReachesTheWindowInOneCopy) {
    HWND b = Button(81, 25, "Info");
    HDC dc = GetDC(b);
    BTNPAINT(b, dc);
    ReleaseDC(b, dc);
    EXPECT_EQ(Rgb(corvix_test::WindowPixel(b, 0, 0)), Rgb(kNormalOuter));
    EXPECT_EQ(Rgb(corvix_test::WindowPixel(b, 2, 2)), Rgb(kNormalInner));
}

}  // namespace
}  // namespace corvix::skin
