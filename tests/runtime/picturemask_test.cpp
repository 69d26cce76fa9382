#include "corvix/runtime/picturemask.h"

#include <gtest/gtest.h>

#include <limits>

namespace corvix {
namespace {

TEST(PictureMaskTest, MasksFormatValues) {
    constexpr double inf = std::numeric_limits<double>::infinity();
    constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        Value value;
        const char* picture;
        const char* text;
    } cases[] = {
        {Value(1234567), "9,999,999", "1,234,567"},
        {Value(512448), "9,999,999", "  512,448"},
        {Value(1234.567), "99,999.99", " 1,234.57"},
        {Value(1234.5), "@E 99,999.99", " 1.234,50"},
        {Value(-42), "9999", " -42"},
        {Value(-1234.5), "@( 99,999.99", "(1,234.50)"},
        {Value(-5), "@X 999", "  5 DB"},
        {Value(5), "@C 999", "  5 CR"},
        {Value(0), "@Z 9,999", "     "},
        {Value(42), "@B 9999", "42  "},
        {Value(0.5), "9.99", "0.50"},
        {Value(123456), "9,999", "*****"},
        {Value(-999), "999", "***"},
        {Value(12345.6), "999.9", "***.*"},
        {Value(-12.5), "", "-12.5"},
        {Value("hello world"), "@!", "HELLO WORLD"},
        {Value("abc"), "!XX", "Abc"},
        {Value("5551234"), "@R 999-9999", "555-1234"},
        {Value("5551234"), "999-9999", "555-234 "},
        {Value("toolong"), "XXX", "too"},
        {Value("ab"), "XXXX", "ab  "},
        {Value(true), "L", "T"},
        {Value(false), "Y", "N"},
        {Value("plain"), "", "plain"},
        {Value(7), "@", "7"},
        {Value(7), "@Q", "7"},
        {Value(7), "ABC", "7"},
        {Value(), "999", ""},
        // Halves round away from zero, as the number is written.
        {Value(2.5), "9", "3"},
        {Value(-2.5), "99", "-3"},
        {Value(0.125), "9.99", "0.13"},
        {Value(1.005), "9.99", "1.01"},
        {Value(9.995), "99.99", "10.00"},
        // A flags-only mask shows the decimals the number has, no noise.
        {Value(987654.32), "@E", "987654,32"},
        {Value(123456789.01), "@B", "123456789.01"},
        {Value(inf), "", "inf"},
        {Value(-inf), "@E", "-inf"},
        {Value(nan), "@Z", "nan"},
        {Value(inf), "999.99", "***.**"},
        {Value(-inf), "@E 9,999", "*****"},
        {Value(nan), "9.9", "*.*"},
        // Parentheses stand for the sign; they need no digit place.
        {Value(-123), "@( 999", "(123)"},
        {Value(-12.5), "@( 99.9", "(12.5)"},
        {Value(-1234), "@( 999", "***"},
        // The program's code page is UTF-8: characters, not bytes, fill the places.
        {Value("\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82"), "XXX", "\xD0\x9F\xD1\x80\xD0\xB8"},
        {Value("\xCF\x89mega"), "@!", "\xCF\x89MEGA"},
        {Value("\xCF\x89m"), "!!!", "\xCF\x89M "},
        {Value("1234"), "\xE2\x84\x96" "999", "\xE2\x84\x96" "234"},
        {Value("123"), "@R \xE2\x84\x96" "999", "\xE2\x84\x96" "123"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PictureText(c.value, c.picture), c.text) << "mask \"" << c.picture << "\"";
}

TEST(PictureMaskTest, LongTextsAndBigNumbersKeepEveryCharacter) {
    EXPECT_EQ(PictureText(Value(std::string(100000, 'x')), "@!").size(), 100000u);
    EXPECT_EQ(PictureText(Value(int64_t{9007199254740993}), "9999999999999999"), "9007199254740993");
    EXPECT_EQ(PictureText(Value(1e20), ""), "100000000000000000000") << "no exponent form";
    EXPECT_EQ(PictureText(Value(1e-7), "@E"), "0,0000001");
    const std::string manyDecimals = "9." + std::string(400, '9');
    EXPECT_EQ(PictureText(Value(1.5), manyDecimals), "1.5" + std::string(399, '0'));
    EXPECT_EQ(PictureText(Value(1e300), "9." + std::string(100, '9')).size(), 102u) << "asterisks, not a crash";
}

}  // namespace
}  // namespace corvix
