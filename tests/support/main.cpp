// Test entry: the skin's functions are registered as the demo does at start-up.

#include <gtest/gtest.h>

#include "demo/skin/skinfuncs.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    skindemo::RegisterSkinFunctions();
    return RUN_ALL_TESTS();
}
