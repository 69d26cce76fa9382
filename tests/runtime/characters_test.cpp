#include "corvix/runtime/characters.h"

#include <gtest/gtest.h>

#include <string>

namespace corvix {
namespace {

constexpr UINT kUtf8 = CP_UTF8, kWestern = 1252;

// "aЖ😀b": one, two, four and one bytes; the emoji counts two wide characters.
const std::string kMixed = "a\xD0\x96\xF0\x9F\x98\x80" "b";

TEST(CharactersTest, UTF8CutsAndCountsWholeCharactersOtherCodePagesBytes) {
    const struct {
        UINT codePage;
        size_t limit;
        std::string cutToBytes, firstCharacters;
    } cases[] = {
        {kUtf8, 0, "", ""},
        {kUtf8, 2, "a", "a\xD0\x96"},
        {kUtf8, 3, "a\xD0\x96", "a\xD0\x96"},
        {kUtf8, 4, "a\xD0\x96", "a\xD0\x96\xF0\x9F\x98\x80"},
        {kUtf8, 7, "a\xD0\x96\xF0\x9F\x98\x80", kMixed},
        {kWestern, 2, "a\xD0", "a\xD0"},
        {kWestern, 5, "a\xD0\x96\xF0\x9F", "a\xD0\x96\xF0\x9F"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CutToBytes(kMixed, c.limit, c.codePage), c.cutToBytes) << c.codePage << " " << c.limit;
        EXPECT_EQ(FirstCharacters(kMixed, c.limit, c.codePage), c.firstCharacters) << c.codePage << " " << c.limit;
    }
    EXPECT_EQ(CharacterCount(kMixed, kUtf8), 4u);
    EXPECT_EQ(CharacterCount(kMixed, kWestern), 8u);
    EXPECT_EQ(CharacterCount("\x80\x80\xD0", kUtf8), 3u) << "stray and cut-off bytes count one each";
}

}  // namespace
}  // namespace corvix
