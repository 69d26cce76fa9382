// Every function offered by name, called with what a careless caller
// passes: nothing, nil everywhere, handle 0, a window that is gone, and
// values of the wrong type. Each must return, leak nothing and draw nothing
// on the screen.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "corvix/runtime/args.h"
#include "corvix/runtime/registry.h"
#include "tests/support/dialogprobe.h"
#include "tests/support/gdiprobe.h"
#include "tests/support/testwindow.h"

namespace corvix {
namespace {

// Functions that cannot be called carelessly at all, with the reason.
const std::set<std::string> kExcluded = {
    "WINRUN",  // the main loop: runs until WM_QUIT
    "_CXH",    // the dispatch: the window procedure calls it with a slot it knows
};

// The argument lists: none, then nine of one careless value each.
std::vector<std::vector<Value>> CarelessCalls(HWND gone) {
    std::vector<std::vector<Value>> calls = {{}};
    for (const Value& v : {Value(), Value(0), Value::Handle(gone), Value("x"), Value(Array{Value(1)})})
        calls.emplace_back(9, v);
    return calls;
}

// Calls whose growth is inside the system's own dialog (our code around it
// makes no GDI object), with what was seen under Wine.
const std::set<std::string> kSystemGrowth = {
    "CHOOSECOLOR",  // the colour dialog: about 2.5 objects per opening
    "CHOOSEFONT",   // the font dialog: about 0.5 objects per opening
};

bool IsGdiObject(const std::optional<Value>& result) {
    if (!result || !result->IsNumber()) return false;
    switch (GetObjectType(result->AsHandle<HGDIOBJ>())) {
        case OBJ_BRUSH: case OBJ_FONT: case OBJ_BITMAP: case OBJ_REGION: case OBJ_PEN: case OBJ_PAL: return true;
        default: return false;
    }
}

// Calls each function each careless way. An object a call made and handed
// back is the caller's, so it is deleted as a caller would.
void CallEach(const FunctionRegistry& registry, const std::vector<std::vector<Value>>& calls, const std::string& name) {
    for (const auto& args : calls) {
        const int before = corvix_test::CountLiveGdiObjects();
        const auto result = registry.Call(name, Args(args));  // a crash ends the test here
        if (corvix_test::CountLiveGdiObjects() > before && IsGdiObject(result))
            DeleteObject(result->AsHandle<HGDIOBJ>());
    }
}

// The screen's top-left corner: a paint with window 0 takes the screen's
// own DC and lands there.
std::vector<uint32_t> ScreenCorner() { return corvix_test::CopyPixels(nullptr, {0, 0, 128, 32}); }

// A window that showed there and went away has the desktop repaint itself meanwhile.
bool ScreenCornerStays(const std::vector<uint32_t>& before) {
    for (int i = 0; i < 20; ++i) {
        if (ScreenCorner() == before) return true;
        Sleep(25);
    }
    return false;
}

TEST(BadInputTest, EveryFunctionByNameReturnsAndLeaksNothing) {
    HWND gone = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    DestroyWindow(gone);
    const auto& registry = FunctionRegistry::Instance();
    const auto calls = CarelessCalls(gone);
    // Boxes and dialogs the calls open are answered at once, whatever they ask.
    corvix_test::DialogProbe answerer(
        [](HWND box) {
            for (WPARAM answer : {IDCANCEL, IDNO, IDOK}) PostMessageA(box, WM_COMMAND, answer, 0);
        },
        100000);
    for (const auto& name : registry.Names()) {
        if (kExcluded.contains(name)) continue;
        const auto screen = ScreenCorner();
        CallEach(registry, calls, name);  // also fills the first-use caches
        EXPECT_TRUE(ScreenCornerStays(screen)) << name << " drew on the screen";
    }
    ASSERT_GE(corvix_test::CountLiveGdiObjects(), 0);
    for (const auto& name : registry.Names()) {
        if (kExcluded.contains(name) || kSystemGrowth.contains(name)) continue;
        const int at = corvix_test::CountLiveGdiObjects();
        CallEach(registry, calls, name);
        EXPECT_EQ(corvix_test::CountLiveGdiObjects(), at) << name << " leaks";
    }
    std::printf("bad input: %zu functions by name, %zu careless calls each\n",
                registry.Names().size() - kExcluded.size(), calls.size());
}

}  // namespace
}  // namespace corvix
