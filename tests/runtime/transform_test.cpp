#include "corvix/runtime/transform.h"

#include <gtest/gtest.h>

namespace corvix {
namespace {

TEST(TransformTest, MasksFormatValues) {
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
    };
    for (const auto& c : cases)
        EXPECT_EQ(TRANSFORM(c.value, c.picture), c.text) << "mask \"" << c.picture << "\"";
}

TEST(TransformTest, LongTextsAndBigNumbersKeepEveryCharacter) {
    EXPECT_EQ(TRANSFORM(Value(std::string(100000, 'x')), "@!").size(), 100000u);
    EXPECT_EQ(TRANSFORM(Value(int64_t{9007199254740993}), "9999999999999999"), "9007199254740993");
}

}  // namespace
}  // namespace corvix
