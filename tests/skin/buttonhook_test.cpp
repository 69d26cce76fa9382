#include "corvix/skin/buttonhook.h"

#include <commdlg.h>
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "corvix/runtime/args.h"
#include "corvix/runtime/registry.h"
#include "corvix/skin/skinproc.h"
#include "tests/support/dialogprobe.h"
#include "tests/support/skinsupport.h"
#include "tests/support/testwindow.h"

namespace corvix::skin {
namespace {

using corvix_test::HostWindow;
using corvix_test::Pump;
using corvix_test::Rgb;
using corvix_test::WindowPixel;

using corvix_test::IsSkinCorner;
using corvix_test::kNormalCorner;
using corvix_test::PaintedCorner;

// Replaces a handler for the length of a test, records every call, and puts
// the one before back.
class RecordingHandler {
public:
    explicit RecordingHandler(const char* name) : name_(name) {
        auto& registry = corvix::FunctionRegistry::Instance();
        if (const corvix::NativeFunction* before = registry.Find(name_)) previous_ = *before;
        registry.Register(name_, [this](Args a) {
            calls_.emplace_back();
            for (size_t i = 0; i < a.Count(); ++i) calls_.back().push_back(a[i].AsInteger());
            return Value();
        });
    }
    ~RecordingHandler() {
        auto& registry = corvix::FunctionRegistry::Instance();
        if (previous_)
            registry.Register(name_, previous_);
        else
            registry.Unregister(name_);
    }
    const std::vector<std::vector<int64_t>>& Calls() const { return calls_; }

private:
    const char* name_;
    corvix::NativeFunction previous_;
    std::vector<std::vector<int64_t>> calls_;
};

int64_t H(HWND h) { return reinterpret_cast<intptr_t>(h); }

TEST(ButtonHookTest, OnlyButtonsCreatedAfterTheInstallAreSkinned) {
    HostWindow host;
    HWND before = host.AddButton("Before", 1, 10, 10, 81, 25);
    corvix_test::InstallSkin(host);
    HWND after = host.AddButton("After", 2, 10, 50, 81, 25);
    EXPECT_FALSE(IsSkinCorner(PaintedCorner(before))) << Rgb(PaintedCorner(before));
    EXPECT_EQ(Rgb(PaintedCorner(after)), Rgb(kNormalCorner));
    EXPECT_EQ(GetClassLongPtrA(after, GCLP_WNDPROC), reinterpret_cast<LONG_PTR>(&SkinButtonProc));
}

TEST(ButtonHookTest, ASecondInstallChangesNothing) {
    HostWindow host;
    corvix_test::InstallSkin(host);
    const WNDPROC first = OldButtonProc;
    ASSERT_NE(first, nullptr);
    HWND skinned = host.AddButton("x", 1, 10, 10, 81, 25);
    BUTTONS2007(skinned);
    BUTTONS2007(host.Get());
    EXPECT_EQ(OldButtonProc, first);
    EXPECT_EQ(GetClassLongPtrA(skinned, GCLP_WNDPROC), reinterpret_cast<LONG_PTR>(&SkinButtonProc));
    EXPECT_EQ(Rgb(PaintedCorner(host.AddButton("y", 2, 10, 50, 81, 25))), Rgb(kNormalCorner));
}

// Push buttons are skinned; every other style, as the style is now, stays the system's.
TEST(ButtonHookTest, OnlyPushButtonsAreSkinned) {
    HostWindow host;
    corvix_test::InstallSkin(host);
    const struct {
        DWORD style;
        bool skinned;
    } cases[] = {{BS_PUSHBUTTON, true},      {BS_DEFPUSHBUTTON, true}, {BS_AUTOCHECKBOX, false},
                 {BS_AUTORADIOBUTTON, false}, {BS_GROUPBOX, false},     {BS_AUTO3STATE, false},
                 {BS_OWNERDRAW, false}};
    for (const auto& c : cases) {
        HWND b = host.AddButton("Style", 1, 10, 10, 81, 25, c.style);
        EXPECT_EQ(IsSkinCorner(PaintedCorner(b)), c.skinned) << c.style;
        const DWORD other = c.skinned ? BS_AUTOCHECKBOX : BS_PUSHBUTTON;
        SendMessageA(b, BM_SETSTYLE, other, TRUE);
        EXPECT_EQ(IsSkinCorner(PaintedCorner(b)), !c.skinned) << c.style << " made " << other;
        DestroyWindow(b);
    }
}

TEST(ButtonHookTest, UnroutedMessagesReachTheSystemButtonCode) {
    HostWindow host;
    corvix_test::InstallSkin(host);
    HWND b = host.AddButton("Old", 1, 10, 10, 81, 25);
    SendMessageA(b, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("New"));
    char text[16] = {};
    GetWindowTextA(b, text, sizeof text);
    EXPECT_STREQ(text, "New");
    EXPECT_EQ(SendMessageA(b, WM_GETDLGCODE, 0, 0) & DLGC_UNDEFPUSHBUTTON, DLGC_UNDEFPUSHBUTTON);
    EnableWindow(b, FALSE);
    EXPECT_FALSE(IsWindowEnabled(b));
}

TEST(ButtonHookTest, UpdateUiStateAnswersZeroAndDrawsNothing) {
    HostWindow host;
    corvix_test::InstallSkin(host);
    HWND b = host.AddButton("x", 1, 10, 10, 81, 25);
    UpdateWindow(b);
    RecordingHandler paint("BTNPAINT");
    EXPECT_EQ(SendMessageA(b, WM_UPDATEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEFOCUS), 0), 0);
    Pump();
    EXPECT_TRUE(paint.Calls().empty());
    EXPECT_FALSE(GetUpdateRect(b, nullptr, FALSE));
}

TEST(ButtonHookTest, HandlersReceiveArgumentsAsFormedFromTheMessage) {
    HostWindow host;
    corvix_test::InstallSkin(host);
    HWND b = host.AddButton("x", 1, 10, 10, 81, 25);
    RecordingHandler down("BTNLBUTTONDOWN"), up("BTNLBUTTONUP"), keyDown("KEYDOWN"), keyUp("KEYUP"),
        move("MOUSEMOVE"), leave("MOUSELEAVE"), focused("FOCUSED");

    EXPECT_EQ(SendMessageA(b, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 5)), 0);
    EXPECT_EQ(SendMessageA(b, WM_LBUTTONUP, 0, MAKELPARAM(0xFFFF, 70)), 0);
    EXPECT_EQ(SendMessageA(b, WM_KEYDOWN, VK_SPACE, 1), 0);
    SendMessageA(b, WM_KEYDOWN, VK_OEM_1, 0x00390001);  // 186, above 127
    SendMessageA(b, WM_KEYUP, VK_SPACE, 0xC0390081);    // repeat byte 0x81
    SendMessageA(b, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    SendMessageA(b, WM_MOUSELEAVE, 0, 0);
    SendMessageA(b, WM_SETFOCUS, 0, 0);
    SendMessageA(b, WM_KILLFOCUS, 0, 0);

    using Calls = std::vector<std::vector<int64_t>>;
    EXPECT_EQ(down.Calls(), (Calls{{H(b), 5, 10}}));
    EXPECT_EQ(up.Calls(), (Calls{{H(b), 70, 65535}}));
    EXPECT_EQ(keyDown.Calls(), (Calls{{H(b), 32, 1}, {H(b), 186 - 256, 1}}));
    EXPECT_EQ(keyUp.Calls(), (Calls{{H(b), 32, 0x81 - 256}}));
    EXPECT_EQ(move.Calls(), (Calls{{H(b)}}));
    EXPECT_EQ(leave.Calls(), (Calls{{H(b)}}));
    EXPECT_EQ(focused.Calls(), (Calls{{H(b)}, {H(b)}}));
}

TEST(ButtonHookTest, UnregisteredHandlersMakeTheirMessagesDoNothing) {
    HostWindow host;
    corvix_test::InstallSkin(host);
    HWND b = host.AddButton("x", 1, 10, 10, 81, 25);
    corvix::FunctionRegistry::Instance().Unregister("BTNLBUTTONUP");
    EXPECT_EQ(SendMessageA(b, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5)), 0);
    EXPECT_EQ(SendMessageA(b, WM_LBUTTONUP, 0, MAKELPARAM(5, 5)), 0);
    Pump();
    EXPECT_EQ(host.Commands(), 0);
}

TEST(ButtonHookTest, AThrowingHandlerDoesNotUnwindThroughTheProcedure) {
    HostWindow host;
    corvix_test::InstallSkin(host);
    HWND b = host.AddButton("x", 1, 10, 10, 81, 25);
    corvix::FunctionRegistry::Instance().Register("MOUSEMOVE", [](Args) -> Value {
        throw std::runtime_error("handler failed");
    });
    EXPECT_EQ(SendMessageA(b, WM_MOUSEMOVE, 0, 0), 0);
    corvix::FunctionRegistry::Instance().Unregister("MOUSEMOVE");
}

TEST(ButtonHookTest, MessageBoxButtonsAreSkinned) {
    HostWindow host;
    corvix_test::InstallSkin(host);
    COLORREF corner = CLR_INVALID;
    corvix_test::DialogProbe probe([&corner](HWND box) {
        HWND ok = GetDlgItem(box, IDOK);
        corner = PaintedCorner(ok);
        PostMessageA(box, WM_COMMAND, IDOK, reinterpret_cast<LPARAM>(ok));
    });
    EXPECT_EQ(MessageBoxA(host.Get(), "Skinned?", "Information", MB_ICONINFORMATION), IDOK);
    ASSERT_TRUE(probe.Ran());
    EXPECT_TRUE(IsSkinCorner(corner)) << Rgb(corner);
}

// The mnemonic reaches the skinned button as BM_CLICK, with the mouse far away.
TEST(ButtonHookTest, AYesNoBoxAnswersItsMnemonicKeys) {
    HostWindow host;
    corvix_test::InstallSkin(host);
    ASSERT_TRUE(corvix_test::MoveCursorTo(5, 1000));
    const struct {
        char key;
        int answer;
    } cases[] = {{'N', IDNO}, {'Y', IDYES}};
    for (const auto& c : cases) {
        corvix_test::DialogProbe probe([&c](HWND) {
            HWND focus = GetFocus();
            PostMessageA(focus, WM_KEYDOWN, c.key, 1);
            PostMessageA(focus, WM_CHAR, c.key + ('a' - 'A'), 1);
            PostMessageA(focus, WM_KEYUP, c.key, 0xC0000001);
        });
        EXPECT_EQ(MessageBoxA(host.Get(), "Go on?", "Question", MB_YESNO), c.answer) << c.key;
        EXPECT_TRUE(probe.Ran());
    }
}

TEST(ButtonHookTest, ColourDialogPushButtonsAreSkinned) {
    HostWindow host;
    corvix_test::InstallSkin(host);
    std::vector<COLORREF> corners;
    corvix_test::DialogProbe probe([&corners](HWND dialog) {
        corners = corvix_test::PushButtonCorners(dialog);
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    COLORREF custom[16] = {};
    CHOOSECOLORA cc{};
    cc.lStructSize = sizeof cc;
    cc.hwndOwner = host.Get();
    cc.lpCustColors = custom;
    cc.Flags = CC_RGBINIT | CC_FULLOPEN;
    EXPECT_FALSE(ChooseColorA(&cc));
    ASSERT_TRUE(probe.Ran());
    ASSERT_GE(corners.size(), 3u) << "OK, Cancel and the custom colour buttons";
    for (COLORREF c : corners) EXPECT_TRUE(IsSkinCorner(c)) << Rgb(c);
}

}  // namespace
}  // namespace corvix::skin
