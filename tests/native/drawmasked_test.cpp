#include "corvix/native/drawmasked.h"

#include <gtest/gtest.h>

#include "tests/support/gdiprobe.h"
#include "tests/support/testwindow.h"

namespace corvix {
namespace {

using corvix_test::Canvas;
using corvix_test::Rgb;

constexpr COLORREF kKey = RGB(255, 0, 0), kInk = RGB(0, 0, 255), kTarget = RGB(0, 128, 0);

// A 4 x 4 bitmap of the key colour with ink on its diagonal.
HBITMAP MakeSprite() {
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 4, 4);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) SetPixel(dc, x, y, x == y && x > 0 ? kInk : kKey);
    SelectObject(dc, old);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return bitmap;
}

TEST(DrawMaskedTest, KeyColouredPixelsLeaveTheTargetUnchanged) {
    Canvas c(20, 20, kTarget);
    HBITMAP sprite = MakeSprite();
    DRAWMASKED(c.Get(), sprite, 5, 10);  // row 5, column 10
    EXPECT_EQ(Rgb(c.Pixel(10, 5)), Rgb(kTarget));
    EXPECT_EQ(Rgb(c.Pixel(11, 6)), Rgb(kInk));
    EXPECT_EQ(Rgb(c.Pixel(13, 8)), Rgb(kInk));
    EXPECT_EQ(Rgb(c.Pixel(12, 6)), Rgb(kTarget));
    DeleteObject(sprite);
}

TEST(DrawMaskedTest, CheckedVariantPutsACheckerboardUnderTheTransparentPixels) {
    Canvas c(20, 20, kTarget);
    HBITMAP sprite = MakeSprite();
    DRAWMASKEDCHECKED(c.Get(), sprite, 8, 8);
    const COLORREF highlight = GetSysColor(COLOR_BTNHIGHLIGHT), face = GetSysColor(COLOR_BTNFACE);
    // Pattern rows alternate 0xAA and 0x55, aligned to the DC origin.
    EXPECT_EQ(Rgb(c.Pixel(8, 8)), Rgb(highlight));
    EXPECT_EQ(Rgb(c.Pixel(9, 8)), Rgb(face));
    EXPECT_EQ(Rgb(c.Pixel(8, 9)), Rgb(face));
    EXPECT_EQ(Rgb(c.Pixel(9, 9)), Rgb(kInk));
    EXPECT_EQ(Rgb(c.Pixel(12, 8)), Rgb(kTarget)) << "outside the bitmap";
    DeleteObject(sprite);
}

TEST(DrawMaskedTest, ReleasesEveryObjectItMakesAndIgnoresABadBitmap) {
    Canvas c(20, 20, kTarget);
    HBITMAP sprite = MakeSprite();
    DRAWMASKEDCHECKED(c.Get(), sprite, 0, 0);
    const int before = corvix_test::CountLiveGdiObjects();
    for (int i = 0; i < 10; ++i) DRAWMASKEDCHECKED(c.Get(), sprite, 0, 0);
    DRAWMASKED(c.Get(), nullptr, 0, 0);
    DRAWMASKED(c.Get(), reinterpret_cast<HBITMAP>(static_cast<intptr_t>(0x1234)), 0, 0);
    EXPECT_EQ(corvix_test::CountLiveGdiObjects(), before);
    DeleteObject(sprite);
}

}  // namespace
}  // namespace corvix
