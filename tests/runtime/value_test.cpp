#include "corvix/runtime/value.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "corvix/runtime/args.h"

namespace corvix {
namespace {

TEST(ValueTest, NumbersTruncateTowardZeroAndOtherTypesReadAsZero) {
    EXPECT_EQ(Value(11.9).AsInteger(), 11);
    EXPECT_EQ(Value(-11.9).AsInteger(), -11);
    EXPECT_EQ(Value().AsInteger(), 0);
    EXPECT_EQ(Value("12").AsInteger(), 0);
    EXPECT_DOUBLE_EQ(Value(7).AsDouble(), 7.0);
}

TEST(ValueTest, OnlyATrueLogicalIsTrue) {
    EXPECT_TRUE(Value(true).AsLogical());
    EXPECT_FALSE(Value(1).AsLogical());
    EXPECT_FALSE(Value("T").AsLogical());
    EXPECT_FALSE(Value().AsLogical());
}

TEST(ValueTest, WrongTypeAccessorsGiveEmptyValuesNotCrashes) {
    const Value n(5);
    EXPECT_EQ(n.AsString(), "");
    EXPECT_TRUE(n.AsArray().empty());
    EXPECT_TRUE(n.AsDate().IsEmpty());
    EXPECT_EQ(n.AsObject(), nullptr);
    EXPECT_EQ(n.AsCallback(), nullptr);
}

TEST(ValueTest, HandlesRoundTripThroughIntegers) {
    HWND desktop = GetDesktopWindow();
    const Value v = Value::Handle(desktop);
    EXPECT_EQ(v.GetType(), Value::Type::Integer);
    EXPECT_EQ(v.AsHandle<HWND>(), desktop);
    EXPECT_EQ(Value().AsHandle<HWND>(), nullptr);
}

TEST(ValueTest, EqualityComparesTypeAndContentsDeeply) {
    EXPECT_EQ(Value(Array{1, "a", Array{2.5}}), Value(Array{1, "a", Array{2.5}}));
    EXPECT_NE(Value(Array{1, "a"}), Value(Array{1, "b"}));
    EXPECT_NE(Value(1), Value(1.0));  // a whole number and a decimal are different types
    EXPECT_EQ(Value(), Value(nullptr));
    const Value f(Callback([](Args) { return Value(); }));
    const Value g = f;
    EXPECT_EQ(f, f);
    EXPECT_NE(f, g);  // callbacks equal only themselves
}

}  // namespace
}  // namespace corvix
