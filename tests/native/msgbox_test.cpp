#include "corvix/native/msgbox.h"

#include <commdlg.h>
#include <gtest/gtest.h>

#include <functional>

#include "corvix/runtime/args.h"
#include "corvix/runtime/registry.h"
#include "tests/support/dialogprobe.h"
#include "tests/support/skinsupport.h"
#include "tests/support/testwindow.h"

namespace corvix {
namespace {

using corvix_test::DialogProbe;
using corvix_test::HostWindow;

constexpr int kBoxTextId = 0xFFFF;  // the message's static in the system's box

// What one box showed: its title, its message and its owner.
struct Shown {
    std::string title, text;
    HWND owner = nullptr;
};

std::string TextOf(HWND w) {
    char text[256] = {};
    GetWindowTextA(w, text, sizeof text);
    return text;
}

// Opens a box through show, reads it and closes it with OK.
Shown Read(const std::function<void()>& show) {
    Shown seen;
    DialogProbe probe([&seen](HWND box) {
        seen = {TextOf(box), TextOf(GetDlgItem(box, kBoxTextId)), GetWindow(box, GW_OWNER)};
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    });
    show();
    EXPECT_TRUE(probe.Ran());
    return seen;
}

TEST(MessageBoxTest, EachKindOfValueShowsItsText) {
    HostWindow host;
    const struct {
        Value message;
        const char* text;
    } cases[] = {{Value("Hello"), "Hello"}, {Value(42), "42"},        {Value(true), ".T."},
                 {Value(0.5), "0.500000"},  {Value(), "nil"},          {Value(Array{1, 2}), "Array"},
                 {Value(Callback([](Args) { return Value(); })), "ValtoChar not suported type yet"}};
    for (const auto& c : cases) {
        const Shown seen = Read([&c] { MSGINFO(c.message); });
        EXPECT_EQ(seen.text, c.text);
        EXPECT_EQ(seen.title, "Information");
        EXPECT_EQ(seen.owner, host.Get()) << "owned by the active window";
    }
    EXPECT_EQ(Read([] { MSGINFO(); }).text, "");
}

TEST(MessageBoxTest, ByNameTheTitleCountsOnlyWithExactlyTwoArguments) {
    HostWindow host;
    const struct {
        const char* name;
        Array args;
        const char* title;
    } cases[] = {{"MSGINFO", {"m", "Mine"}, "Mine"},       {"MSGINFO", {"m", "Mine", 3}, "Information"},
                 {"MSGALERT", {"m"}, "Alert"},              {"MSGSTOP", {"m", 7}, "7"},
                 {"MSGSTOP", {}, "Stop"}};
    for (const auto& c : cases) {
        const Shown seen = Read([&c] { CallByName(c.name, Args(c.args)); });
        EXPECT_EQ(seen.title, c.title) << c.name;
    }
}

// Chosen by key, with the skin on the box's buttons.
TEST(MessageBoxTest, YesNoAnswersTrueForYesAndFalseForNo) {
    HostWindow host;
    corvix_test::InstallSkin(host);
    for (const auto& [key, answer] : {std::pair{'Y', true}, std::pair{'N', false}}) {
        COLORREF corner = CLR_INVALID;
        DialogProbe probe([&corner, key = key](HWND box) {
            EXPECT_EQ(TextOf(box), "Select an option");
            corner = corvix_test::WindowPixel(GetDlgItem(box, IDYES), 0, 0);
            HWND focus = GetFocus();
            PostMessageA(focus, WM_CHAR, key + ('a' - 'A'), 1);
        });
        EXPECT_EQ(MSGYESNO("Do you like it ?"), answer) << key;
        EXPECT_TRUE(corner == corvix_test::kNormalCorner || corner == corvix_test::kFocusedCorner)
            << corvix_test::Rgb(corner);
    }
}

TEST(MessageBoxTest, TheAboutBoxShowsTheMessageInItsTitle) {
    HostWindow host;
    std::string title;
    DialogProbe probe([&title](HWND box) {
        title = TextOf(box);
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    });
    MSGABOUT("Skin demo", "by us");
    ASSERT_TRUE(probe.Ran());
    EXPECT_NE(title.find("Skin demo"), std::string::npos) << title;
}

TEST(MessageBoxTest, AHundredThousandCharactersShowAndClose) {
    HostWindow host;
    const std::string longText(100000, 'x');
    const Shown seen = Read([&longText] { MSGINFO(longText, longText); });
    EXPECT_EQ(seen.title.substr(0, 10), "xxxxxxxxxx");
    EXPECT_EQ(seen.text.substr(0, 10), "xxxxxxxxxx");
}

// In UTF-8 the limit counts characters as the system does, and the cut falls
// between two of them: a two-byte letter a character, an emoji two.
TEST(MessageBoxTest, TheSystemsLimitCountsCharactersAndNeverCutsOneInHalf) {
    HostWindow host;
    const std::string zhe = "\xD0\x96", emoji = "\xF0\x9F\x98\x80";
    std::string letters;
    for (int i = 0; i < 40000; ++i) letters += zhe;
    const struct {
        std::string message;
        std::wstring shown;
    } cases[] = {{letters, std::wstring(32766, L'\x0416')},
                 {std::string(32765, 'x') + emoji + "tail", std::wstring(32765, L'x')}};
    for (const auto& c : cases) {
        std::wstring shown, title;
        DialogProbe probe([&](HWND box) {
            const HWND text = GetDlgItem(box, kBoxTextId);
            shown.resize(static_cast<size_t>(GetWindowTextLengthW(text)) + 1);
            shown.resize(static_cast<size_t>(GetWindowTextW(text, shown.data(), static_cast<int>(shown.size()))));
            title.resize(static_cast<size_t>(GetWindowTextLengthW(box)) + 1);
            title.resize(static_cast<size_t>(GetWindowTextW(box, title.data(), static_cast<int>(title.size()))));
            PostMessageA(box, WM_COMMAND, IDOK, 0);
        });
        MSGINFO(c.message, c.message);
        ASSERT_TRUE(probe.Ran());
        EXPECT_EQ(shown.size(), c.shown.size());
        EXPECT_TRUE(shown == c.shown) << "a cut character shows as another";
        EXPECT_TRUE(title == c.shown);
    }
}

// The colour dialog's red, green and blue fields and its custom colour area.
constexpr int kRedField = 706, kGreenField = 707, kBlueField = 708, kCustomColours = 721;

struct ColourDialogSeen {
    std::string red, green, blue;
    int width = 0;
    COLORREF firstCustom = CLR_INVALID, secondCustom = CLR_INVALID;
};

// Opens the colour dialog through choose, reads it, then answers with
// finish(dialog) and returns what choose returned.
COLORREF ChooseAndRead(const std::function<COLORREF()>& choose, ColourDialogSeen& seen,
                       const std::function<void(HWND)>& finish) {
    DialogProbe probe([&](HWND dialog) {
        UpdateWindow(dialog);
        seen.red = TextOf(GetDlgItem(dialog, kRedField));
        seen.green = TextOf(GetDlgItem(dialog, kGreenField));
        seen.blue = TextOf(GetDlgItem(dialog, kBlueField));
        RECT r;
        GetWindowRect(dialog, &r);
        seen.width = r.right - r.left;
        HWND custom = GetDlgItem(dialog, kCustomColours);
        RECT area;
        GetClientRect(custom, &area);
        const int boxWidth = area.right / 8, boxHeight = area.bottom / 2;
        seen.firstCustom = corvix_test::WindowPixel(custom, boxWidth / 2, boxHeight / 2);
        seen.secondCustom = corvix_test::WindowPixel(custom, boxWidth + boxWidth / 2, boxHeight / 2);
        finish(dialog);
    });
    const COLORREF chosen = choose();
    EXPECT_TRUE(probe.Ran());
    return chosen;
}

void Cancel(HWND dialog) { PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0); }

TEST(ColourDialogTest, OpensFullWithBlackAndTheGreyRampAndCancelGivesTheStart) {
    HostWindow host;
    ColourDialogSeen full, plain;
    EXPECT_EQ(ChooseAndRead([] { return CHOOSECOLOR(); }, full, &Cancel), 0u);
    EXPECT_EQ(full.red + "," + full.green + "," + full.blue, "0,0,0");
    EXPECT_EQ(corvix_test::Rgb(full.firstCustom), corvix_test::Rgb(RGB(255, 255, 255)));
    EXPECT_EQ(corvix_test::Rgb(full.secondCustom), corvix_test::Rgb(RGB(239, 239, 239)));
    ChooseAndRead([] { return CHOOSECOLOR(0, CC_RGBINIT); }, plain, &Cancel);
    EXPECT_GT(full.width, plain.width) << "the custom colour area is open";
    ColourDialogSeen red;
    EXPECT_EQ(ChooseAndRead([] { return CHOOSECOLOR(255); }, red, &Cancel), 255u);
    EXPECT_EQ(red.red, "255");
    ColourDialogSeen odd;
    EXPECT_EQ(ChooseAndRead([] { return CHOOSECOLOR("red"); }, odd, &Cancel), 0u);
    EXPECT_EQ(odd.red + "," + odd.green + "," + odd.blue, "0,0,0") << "no number: black";
}

TEST(ColourDialogTest, OkGivesTheColourChosen) {
    HostWindow host;
    ColourDialogSeen seen;
    const COLORREF chosen = ChooseAndRead([] { return CHOOSECOLOR(255); }, seen, [](HWND dialog) {
        SetDlgItemTextA(dialog, kGreenField, "34");
        SetDlgItemTextA(dialog, kBlueField, "56");
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(corvix_test::Rgb(chosen), corvix_test::Rgb(RGB(255, 34, 56)));
    const auto byName = [] { return static_cast<COLORREF>(CallByName("CHOOSECOLOR", {7})->AsInteger()); };
    EXPECT_EQ(ChooseAndRead(byName, seen, &Cancel), 7u);
}

}  // namespace
}  // namespace corvix
