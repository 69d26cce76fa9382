#include "corvix/runtime/registry.h"

#include <gtest/gtest.h>

#include "corvix/runtime/args.h"

namespace corvix {
namespace {

TEST(RegistryTest, NamesAreFoundWhateverTheirCase) {
    auto& r = FunctionRegistry::Instance();
    r.Register("twice", [](Args a) { return Value(a.Integer(0) * 2); });
    ASSERT_NE(r.Find("TWICE"), nullptr);
    ASSERT_NE(r.Find("Twice"), nullptr);
    EXPECT_EQ(CallByName("TWICE", {21}).value(), Value(42));
    r.Unregister("TWICE");
    EXPECT_EQ(r.Find("twice"), nullptr);
}

TEST(RegistryTest, UnknownNamesAnswerNotFoundWithoutCrashing) {
    auto& r = FunctionRegistry::Instance();
    EXPECT_EQ(r.Find("NOSUCHFUNCTION"), nullptr);
    EXPECT_FALSE(CallByName("NOSUCHFUNCTION", {1, 2}).has_value());
    EXPECT_FALSE(CallByName("").has_value());
    EXPECT_FALSE(CallByName(std::string(500, 'X')).has_value());
    r.Unregister("NOSUCHFUNCTION");  // harmless
}

TEST(RegistryTest, ALaterRegistrationReplacesTheEarlierAtTheNextCall) {
    auto& r = FunctionRegistry::Instance();
    r.Register("WHICH", [](Args) { return Value(1); });
    EXPECT_EQ(CallByName("WHICH")->AsInteger(), 1);
    r.Register("which", [](Args) { return Value(2); });
    EXPECT_EQ(CallByName("WHICH")->AsInteger(), 2);
    r.Unregister("WHICH");
}

TEST(RegistryTest, OmittedAndNilArgumentsTakeTheDefault) {
    const Value values[] = {Value(), Value(7)};
    const Args a(values);
    EXPECT_EQ(a.Count(), 2u);
    EXPECT_FALSE(a.Has(0));
    EXPECT_EQ(a.Integer(0, 9), 9);
    EXPECT_EQ(a.Integer(1, 9), 7);
    EXPECT_EQ(a.Integer(5, 9), 9);
    EXPECT_TRUE(a.Logical(3, true));
    EXPECT_EQ(a.String(8), "");
}

TEST(RegistryTest, TheLibraryFunctionsAreRegisteredFromTheStart) {
    EXPECT_EQ(CallByName("NRGB", {255, 0, 0})->AsInteger(), 255);
    EXPECT_NE(FunctionRegistry::Instance().Find("GRADIENTFILL"), nullptr);
    EXPECT_NE(FunctionRegistry::Instance().Find("GETWINDOWTEXT"), nullptr);
}

}  // namespace
}  // namespace corvix
