// Test entry: the skin's functions are registered as the demo does at start-up,
// and every test starts from the library's start state.

#include <gtest/gtest.h>

#include "corvix/skin/skinfuncs.h"
#include "tests/support/isolation.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    corvix::skin::RegisterSkinFunctions();
    corvix_test::IsolateEachTest();
    return RUN_ALL_TESTS();
}
