// A program with the library's manifest runs in UTF-8: captions written in a
// UTF-8 source reach the system whole, whatever the system's own locale.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "corvix/classes/button.h"
#include "corvix/classes/checkbox.h"
#include "corvix/classes/font.h"
#include "corvix/classes/menu.h"
#include "corvix/classes/msgbar.h"
#include "corvix/classes/pdmenu.h"
#include "corvix/classes/say.h"
#include "corvix/native/msgbox.h"
#include "tests/support/dialogprobe.h"
#include "tests/support/testwindow.h"

namespace corvix {
namespace {

using corvix_test::Pump;

const std::string kCaption = "Abc Жук ωμέγα 中文";
const std::wstring kWide = L"Abc Жук ωμέγα 中文";

std::wstring WideText(HWND hWnd) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(hWnd)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(hWnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

// The client area's pixels as the window painted them.
std::vector<COLORREF> Painted(HWND hWnd) {
    RedrawWindow(hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    Pump();
    RECT r;
    GetClientRect(hWnd, &r);
    const corvix_test::Canvas copy(r.right, r.bottom);
    const HDC dc = GetDC(hWnd);
    BitBlt(copy.Get(), 0, 0, r.right, r.bottom, dc, 0, 0, SRCCOPY);
    ReleaseDC(hWnd, dc);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < r.bottom; ++y)
        for (int x = 0; x < r.right; ++x) pixels.push_back(copy.Pixel(x, y));
    return pixels;
}

// Characters no font has: the system draws its default-character box for each.
std::string Boxes(size_t nCount) {
    std::string boxes;
    for (size_t i = 0; i < nCount; ++i) boxes += "\xEE\x80\x80";  // U+E000
    return boxes;
}

class Utf8Test : public testing::Test {
protected:
    void SetUp() override {
        font_ = TFont::New({.cFaceName = "Tahoma", .nHeight = -16});
        main_ = TWindow::New({.cTitle = kCaption});
        main_->SetFont(font_);
        ShowWindow(main_->hWnd, SW_SHOWNORMAL);
        SetForegroundWindow(main_->hWnd);
        Pump();
    }
    void TearDown() override { font_->End(); }
    std::shared_ptr<TFont> font_;
    std::shared_ptr<TWindow> main_;
};

TEST_F(Utf8Test, CaptionsReachTheSystemWhole) {
    EXPECT_EQ(GetACP(), static_cast<UINT>(CP_UTF8));
    EXPECT_EQ(WideText(main_->hWnd), kWide);
    const auto button = TButton::New({.cCaption = kCaption, .oWnd = main_, .nWidth = 200, .nHeight = 24});
    EXPECT_EQ(WideText(button->hWnd), kWide);
    const auto say = TSay::New({.nRow = 3, .bText = [] { return Value(kCaption); }, .oWnd = main_});
    EXPECT_EQ(WideText(say->hWnd), kWide);
    const auto menu = MENUBEGIN(false, false, nullptr, false);
    MENUADDITEM({.cPrompt = kCaption});
    MENUEND();
    wchar_t entry[64] = {};
    GetMenuStringW(menu->hMenu, 0, entry, 64, MF_BYPOSITION);
    EXPECT_EQ(std::wstring(entry), kWide);
    std::wstring boxText, boxTitle;
    corvix_test::DialogProbe probe([&](HWND box) {
        boxText = WideText(GetDlgItem(box, 0xFFFF));
        boxTitle = WideText(box);
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    });
    MSGINFO(kCaption, kCaption);
    ASSERT_TRUE(probe.Ran());
    EXPECT_EQ(boxText, kWide);
    EXPECT_EQ(boxTitle, kWide);
}

// The text as the wide functions measure it in this font, in pixels.
int WideWidth(const std::wstring& text, HFONT hFont) {
    const HDC dc = GetDC(nullptr);
    const HGDIOBJ previous = SelectObject(dc, hFont);
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, previous);
    ReleaseDC(nullptr, dc);
    return size.cx;
}

// Default and adjusted widths count or measure the 16 characters, not the 27 bytes.
TEST_F(Utf8Test, WidthsCountAndMeasureCharacters) {
    const int measured = WideWidth(kWide, font_->hFont);
    EXPECT_EQ(TButton::New({.cCaption = kCaption, .oWnd = main_})->nWidth(), 6 * 16 + 1) << "its right edge included";
    EXPECT_EQ(TSay::New({.bText = [] { return Value(kCaption); }, .oWnd = main_, .oFont = font_})->nWidth(),
              measured);
    const auto adjusted = TSay::New({.bText = [] { return Value("a"); }, .oWnd = main_, .oFont = font_,
                                     .lAdjust = true});
    adjusted->SetText(Value(kCaption));
    EXPECT_EQ(adjusted->nWidth(), measured + 20);
    EXPECT_EQ(TCheckBox::New({.cCaption = kCaption, .oWnd = main_, .oFont = font_})->nWidth(),
              16 + measured + 4 + 1) << "the box, the caption, its focus frame and the right edge";
}

// True when showing the word paints other pixels than as many boxes of the
// default character, which a font without its letters shows.
bool DrawsGlyphs(HWND hWnd, const std::function<void(const std::string&)>& show, const std::string& word,
                 size_t nLetters) {
    show(Boxes(nLetters));
    const std::vector<COLORREF> boxes = Painted(hWnd);
    show(word);
    return Painted(hWnd) != boxes;
}

// Wine's Tahoma has Cyrillic but no Greek; its one Greek face is a
// Greek-script font, which only the wide calls (the label's) read in UTF-8.
TEST_F(Utf8Test, CyrillicAndGreekDrawTheirGlyphsOnALabelAndTheMessageBar) {
    const auto greek = TFont::New({.cFaceName = "MS Sans Serif", .nHeight = -16, .nCharSet = GREEK_CHARSET});
    const auto say = TSay::New({.nRow = 1, .bText = [] { return Value(""); }, .oWnd = main_, .oFont = font_,
                                .nWidth = 200, .nHeight = 20});
    const auto bar = TMsgBar::New({.oWnd = main_, .oFont = font_});
    const auto label = [&say](const std::string& text) { say->SetText(Value(text)); };
    EXPECT_TRUE(DrawsGlyphs(say->hWnd, label, "Жук", 3));
    EXPECT_TRUE(DrawsGlyphs(bar->hWnd, [&bar](const std::string& text) { bar->SetMsg(text); }, "Жук", 3));
    // Read in another code page the word would take other, more glyphs: its ink
    // ends where the word measured through the wide calls ends, 4 pixels in.
    const std::vector<COLORREF> painted = Painted(bar->hWnd);
    const int width = bar->GetCliRect().nRight, rows = static_cast<int>(painted.size()) / width;
    int inkEnd = 0;
    for (int y = 4; y < rows - 4; ++y)
        for (int x = 4; x < width - 20; ++x)
            if (painted[static_cast<size_t>(y * width + x)] != GetSysColor(COLOR_BTNFACE)) inkEnd = std::max(inkEnd, x);
    EXPECT_NEAR(inkEnd, 4 + WideWidth(L"Жук", font_->hFont), 4) << "the last glyph keeps a little room";
    say->SetFont(greek);
    EXPECT_TRUE(DrawsGlyphs(say->hWnd, label, "ωμέγα", 5));
    greek->End();
}

}  // namespace
}  // namespace corvix
