#include "corvix/native/dlgtemplate.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "corvix/native/dlgproc.h"

namespace corvix {
namespace {

TEST(DialogTemplateTest, TheHeaderIsTheSystemsBytes) {
    const std::string plain("\x00\x00\xC8\x80" "\0\0\0\0" "\x02\0" "\0\0" "\0\0" "\x9F\0" "\x4C\0" "\0\0" "\0\0"
                            "H\0i\0\0\0",
                            28);
    EXPECT_EQ(CDLG2CHR(2, 0, 0, 75, 158, "Hi", 0x80C80000), plain);
    const std::string withFont = CDLG2CHR(2, 0, 0, 75, 158, "Hi", 0x80C80040, DialogFont{8, "MS Sans Serif"});
    ASSERT_EQ(withFont.size(), 60u) << "58 bytes padded to a multiple of 4";
    EXPECT_EQ(withFont.substr(28, 4), std::string("\x08\0M\0", 4));
    const std::string longTitle(1000, 'T');
    EXPECT_EQ(CDLG2CHR(0, 0, 0, 10, 10, longTitle, 0x80C80000).size(), 2024u) << "titles of any length fit";
    EXPECT_EQ(CDLG2CHR(0, 0, 0, 10, 10, "", 0x80C80000).size(), 24u);
}

// The program's code page is UTF-8, which the system's OEM conversion
// flags do not apply to: title, face and caption still arrive whole.
TEST(DialogTemplateTest, UTF8TextsBecomeTheirWideCharacters) {
    const std::string header = CDLG2CHR(1, 0, 0, 75, 158, "\xD0\x96\xCF\x89", 0x80C80040, DialogFont{8, "\xCF\x89"});
    EXPECT_EQ(header.substr(22, 12), std::string("\x16\x04\xC9\x03\0\0" "\x08\0\xC9\x03\0\0", 12));
    const std::string item = CCTRL2CHR(0, 0, 10, 10, 1, 0, "BUTTON", "\xD0\x96");
    EXPECT_EQ(item.substr(18 + 14, 4), std::string("\x16\x04\0\0", 4));
}

TEST(DialogTemplateTest, TwoStylesAreTakenForOthers) {
    const struct {
        DWORD asked, style, extended;
    } cases[] = {{2, 0x80000002, WS_EX_TRANSPARENT}, {WS_VISIBLE, 0xC0000000, 0}, {0x80C80000, 0x80C80000, 0}};
    for (const auto& c : cases) {
        const std::string h = CDLG2CHR(0, 0, 0, 10, 10, "", c.asked);
        DWORD style, extended;
        memcpy(&style, h.data(), 4);
        memcpy(&extended, h.data() + 4, 4);
        EXPECT_EQ(style, c.style);
        EXPECT_EQ(extended, c.extended);
    }
}

// The system builds a working dialog from a header and its items.
class ItemReader : public MessageTarget {
public:
    std::string first, second;
    Answer HandleEvent(UINT nMsg, WPARAM, LPARAM lParam) override {
        if (nMsg != WM_INITDIALOG) return Answer::Nil();
        const auto hDlg = reinterpret_cast<HWND>(lParam);
        char text[32] = {};
        GetDlgItemTextA(hDlg, 101, text, sizeof text);
        first = text;
        GetDlgItemTextA(hDlg, 102, text, sizeof text);
        second = text;
        EndDialog(hDlg, 5);
        return Answer::Logical(true);
    }
};

TEST(DialogTemplateTest, AHeaderAndItsItemsMakeADialog) {
    const DWORD button = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
    const std::string bytes = CDLG2CHR(2, 10, 10, 85, 168, "Built", WS_POPUP | WS_CAPTION | WS_SYSMENU) +
                              CCTRL2CHR(18, 12, 31, 42, 101, button, "BUTTON", "One") +
                              CCTRL2CHR(18, 48, 31, 78, 102, button, "BUTTON", "Two");
    std::vector<DWORD> aligned((bytes.size() + 3) / 4);
    memcpy(aligned.data(), bytes.data(), bytes.size());
    ItemReader reader;
    EXPECT_EQ(DIALOGBOXINDIRECT(reinterpret_cast<const DLGTEMPLATE*>(aligned.data()), nullptr, &reader), 5);
    EXPECT_EQ(reader.first, "One");
    EXPECT_EQ(reader.second, "Two");
}

}  // namespace
}  // namespace corvix
