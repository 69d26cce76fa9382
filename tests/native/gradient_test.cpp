#include "corvix/native/gradient.h"

#include <gtest/gtest.h>

#include "corvix/native/colour.h"
#include "corvix/runtime/registry.h"
#include "corvix/native/valueconv.h"
#include "tests/support/gradientmodel.h"
#include "tests/support/testwindow.h"

namespace corvix {
namespace {

using corvix_test::Canvas;
using corvix_test::RampColourAt;
using corvix_test::Rgb;

constexpr COLORREF kBackground = RGB(255, 0, 255);
constexpr COLORREF kA1 = RGB(10, 20, 30), kA2 = RGB(110, 220, 130);
constexpr COLORREF kB1 = RGB(200, 100, 0), kB2 = RGB(0, 250, 250);

void ExpectColumnMatches(const Canvas& c, int x, int from, int to, COLORREF c1, COLORREF c2) {
    for (int y = from; y <= to; ++y)
        ASSERT_EQ(Rgb(c.Pixel(x, y)), Rgb(RampColourAt(from, to, c1, c2, y))) << "row " << y;
}

TEST(GradientFillTest, TwoHalvesSplitAtRowElevenOfTwentyFiveRows) {
    Canvas c(100, 40);
    const GradientStep steps[] = {{0.5, kA1, kA2}, {0.5, kB1, kB2}};
    GRADIENTFILL(c.Get(), 0, 0, 24, 80, steps);
    // First step ends at 0 + 25 * 0.5 - 1 = 11.5, truncated to 11.
    ExpectColumnMatches(c, 40, 0, 11, kA1, kA2);
    ExpectColumnMatches(c, 40, 12, 24, kB1, kB2);
    EXPECT_EQ(Rgb(c.Pixel(0, 0)), Rgb(kA1));
    EXPECT_EQ(Rgb(c.Pixel(79, 24)), Rgb(c.Pixel(40, 24)));
    EXPECT_EQ(Rgb(c.Pixel(80, 10)), Rgb(kBackground)) << "columns run to right - 1";
    EXPECT_EQ(Rgb(c.Pixel(40, 25)), Rgb(kBackground)) << "rows stop at the bottom, included";
}

TEST(GradientFillTest, HorizontalFillsRunAcrossColumns) {
    Canvas c(60, 20);
    const GradientStep steps[] = {{0.5, kA1, kA2}, {0.5, kB1, kB2}};
    GRADIENTFILL(c.Get(), 0, 0, 9, 39, steps, false);
    for (int x = 0; x <= 19; ++x) EXPECT_EQ(Rgb(c.Pixel(x, 4)), Rgb(RampColourAt(0, 19, kA1, kA2, x)));
    for (int x = 20; x <= 39; ++x) EXPECT_EQ(Rgb(c.Pixel(x, 4)), Rgb(RampColourAt(20, 39, kB1, kB2, x)));
    EXPECT_EQ(Rgb(c.Pixel(10, 9)), Rgb(kBackground)) << "rows run to bottom - 1";
}

TEST(GradientFillTest, FractionalStepEndsCarryIntoTheNextStep) {
    Canvas c(20, 40);
    // Extent 30: the thirds end at 9, 19 and the bottom.
    const GradientStep steps[] = {{1.0 / 3, kA1, kA1}, {1.0 / 3, kB1, kB1}, {1.0 / 3, kA2, kA2}};
    GRADIENTFILL(c.Get(), 0, 0, 29, 10, steps);
    EXPECT_EQ(Rgb(c.Pixel(5, 9)), Rgb(kA1));
    EXPECT_EQ(Rgb(c.Pixel(5, 10)), Rgb(kB1));
    EXPECT_EQ(Rgb(c.Pixel(5, 19)), Rgb(kB1));
    EXPECT_EQ(Rgb(c.Pixel(5, 20)), Rgb(kA2));
    EXPECT_EQ(Rgb(c.Pixel(5, 29)), Rgb(kA2));
}

TEST(GradientFillTest, EmptyDescriptionsAndBadRectanglesDrawNothing) {
    Canvas c(40, 40);
    GRADIENTFILL(c.Get(), 0, 0, 20, 20, {});
    const GradientStep step[] = {{1, kA1, kA2}};
    GRADIENTFILL(c.Get(), 20, 20, 5, 5, step);    // inverted
    GRADIENT(c.Get(), {-5, 0, 10, 10}, kA1, kA2, true);  // negative top
    GRADIENT(c.Get(), {0, 30, 10, 10}, kA1, kA2, false); // inverted columns
    for (int y = 0; y < 40; y += 3)
        for (int x = 0; x < 40; x += 3) ASSERT_EQ(Rgb(c.Pixel(x, y)), Rgb(kBackground));
    // The by-name form tolerates a malformed description.
    CallByName("GRADIENTFILL", {Value::Handle(c.Get()), 0, 0, 10, 10, Array{Array{0.5}, 3}});
    EXPECT_EQ(Rgb(c.Pixel(5, 5)), Rgb(kBackground));
}

TEST(GradientTest, EqualTopAndBottomDrawNothingOneRowMoreDrawsOneBand) {
    Canvas c(20, 20);
    GRADIENT(c.Get(), {10, 0, 10, 10}, kA1, kA2, true);
    EXPECT_EQ(Rgb(c.Pixel(5, 10)), Rgb(kBackground));
    GRADIENT(c.Get(), {10, 0, 11, 10}, kA1, kA2, true);
    EXPECT_EQ(Rgb(c.Pixel(5, 10)), Rgb(kA1));
    EXPECT_EQ(Rgb(c.Pixel(5, 11)), Rgb(kA1));
    EXPECT_EQ(Rgb(c.Pixel(5, 12)), Rgb(kBackground));
    EXPECT_EQ(Rgb(c.Pixel(9, 10)), Rgb(kA1));
    EXPECT_EQ(Rgb(c.Pixel(10, 10)), Rgb(kBackground));
}

TEST(GradientTest, LongRampUsesOneHundredBandsThreeRowsApart) {
    Canvas c(10, 310);
    const COLORREF from = RGB(0, 0, 0), to = RGB(200, 100, 250);
    GRADIENT(c.Get(), {0, 0, 300, 5}, from, to, true);
    // Band i starts at row 3i with channel i * trunc(delta * 256 / 100) / 256.
    for (int band : {0, 1, 50, 98, 99}) {
        const COLORREF expected = RGB(band * 512 / 256, band * 256 / 256, band * 640 / 256);
        EXPECT_EQ(Rgb(c.Pixel(2, band * 3)), Rgb(expected)) << "band " << band;
    }
    EXPECT_EQ(Rgb(c.Pixel(2, 296)), Rgb(RGB(98 * 2, 98, 98 * 640 / 256)));
    for (int y = 297; y <= 300; ++y) EXPECT_EQ(Rgb(c.Pixel(2, y)), Rgb(RGB(198, 99, 247)));
    EXPECT_EQ(Rgb(c.Pixel(2, 301)), Rgb(kBackground));
}

TEST(GradientTest, ByNameTakesARectangleArrayAndDefaultsToHorizontal) {
    Canvas c(20, 20);
    CallByName("GRADIENT", {Value::Handle(c.Get()), RectValue({0, 0, 5, 10}), static_cast<int>(kA1),
                            static_cast<int>(kA2)});
    EXPECT_EQ(Rgb(c.Pixel(0, 2)), Rgb(kA1));
    EXPECT_EQ(Rgb(c.Pixel(10, 2)), Rgb(RampColourAt(0, 10, kA1, kA2, 10)));
    EXPECT_EQ(Rgb(c.Pixel(3, 5)), Rgb(kBackground));
}

}  // namespace
}  // namespace corvix
