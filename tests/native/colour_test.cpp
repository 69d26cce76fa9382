#include "corvix/native/colour.h"

#include <gtest/gtest.h>

#include "corvix/runtime/registry.h"

namespace corvix {
namespace {

TEST(ColourTest, NrgbPacksRedLowAndCutsEachChannelToEightBits) {
    EXPECT_EQ(NRGB(255, 0, 0), 255u);
    EXPECT_EQ(NRGB(0, 0, 255), 16711680u);
    EXPECT_EQ(NRGB(256, 0, 0), 0u);
    EXPECT_EQ(NRGB(60, 127, 177), RGB(60, 127, 177));
    EXPECT_EQ(CallByName("NRGB", {0, 256 + 1})->AsInteger(), 256);
    EXPECT_EQ(CallByName("NRGB")->AsInteger(), 0);
}

TEST(ColourTest, NorOrsAnyNumberOfArguments) {
    static_assert(NOR(32, 4, 1) == 37);
    static_assert(NOR() == 0);
    EXPECT_EQ(CallByName("NOR", {32, 4, 1})->AsInteger(), 37);
    EXPECT_EQ(CallByName("NOR")->AsInteger(), 0);
    EXPECT_EQ(CallByName("NOR", {-1, 0})->AsInteger(), -1);
}

}  // namespace
}  // namespace corvix
