#include "corvix/native/wndbox.h"

#include <gtest/gtest.h>

#include "tests/support/gdiprobe.h"
#include "tests/support/testwindow.h"

namespace corvix {
namespace {

using corvix_test::Canvas;
using corvix_test::Rgb;

TEST(WndBoxTest, ColoursExactlyTheOutlineWithAllFourCorners) {
    const COLORREF background = RGB(1, 2, 3), frame = RGB(60, 127, 177);
    Canvas c(90, 30, background);
    WNDBOX2007(c.Get(), 0, 0, 23, 79, frame);
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 90; ++x) {
            const bool inside = x <= 79 && y <= 23;
            const bool onEdge = inside && (x == 0 || y == 0 || x == 79 || y == 23);
            ASSERT_EQ(Rgb(c.Pixel(x, y)), Rgb(onEdge ? frame : background)) << x << "," << y;
        }
    }
}

TEST(WndBoxTest, LeavesTheDcPenAndNoGdiObjectBehind) {
    Canvas c(20, 20);
    HGDIOBJ pen = GetCurrentObject(c.Get(), OBJ_PEN);
    WNDBOX2007(c.Get(), 1, 1, 5, 5, RGB(9, 9, 9));  // warm up lazily made objects
    const int before = corvix_test::CountLiveGdiObjects();
    for (int i = 0; i < 20; ++i) WNDBOX2007(c.Get(), 1, 1, 5, 5, RGB(i, 9, 9));
    EXPECT_EQ(corvix_test::CountLiveGdiObjects(), before);
    EXPECT_EQ(GetCurrentObject(c.Get(), OBJ_PEN), pen);
}

}  // namespace
}  // namespace corvix
