// A program with the library's manifest runs in UTF-8: captions written in a
// UTF-8 source reach the system whole, whatever the system's own locale.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "corvix/classes/btnbmp.h"
#include "corvix/classes/button.h"
#include "corvix/classes/checkbox.h"
#include "corvix/classes/font.h"
#include "corvix/classes/menu.h"
#include "corvix/classes/menuitem.h"
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

// The pixels of a device context's top-left corner, row after row.
std::vector<COLORREF> PixelsOf(HDC hDC, int nWidth, int nHeight) {
    const corvix_test::Canvas copy(nWidth, nHeight);
    BitBlt(copy.Get(), 0, 0, nWidth, nHeight, hDC, 0, 0, SRCCOPY);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < nHeight; ++y)
        for (int x = 0; x < nWidth; ++x) pixels.push_back(copy.Pixel(x, y));
    return pixels;
}

// The client area's pixels as the screen shows them.
std::vector<COLORREF> Shown(HWND hWnd) {
    RECT r;
    GetClientRect(hWnd, &r);
    const HDC dc = GetDC(hWnd);
    std::vector<COLORREF> pixels = PixelsOf(dc, r.right, r.bottom);
    ReleaseDC(hWnd, dc);
    return pixels;
}

// The client area's pixels as the window painted them.
std::vector<COLORREF> Painted(HWND hWnd) {
    RedrawWindow(hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    Pump();
    return Shown(hWnd);
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
        greek_ = TFont::New({.cFaceName = "MS Sans Serif", .nHeight = -16, .nCharSet = GREEK_CHARSET});
        main_ = TWindow::New({.cTitle = kCaption});
        main_->SetFont(font_);
        ShowWindow(main_->hWnd, SW_SHOWNORMAL);
        SetForegroundWindow(main_->hWnd);
        Pump();
    }
    void TearDown() override {
        font_->End();
        greek_->End();
    }
    std::shared_ptr<TFont> font_;
    // Wine's Tahoma has Cyrillic but no Greek; its one Greek face is a
    // Greek-script font, which only the wide calls read in UTF-8.
    std::shared_ptr<TFont> greek_;
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

TEST_F(Utf8Test, CyrillicAndGreekDrawTheirGlyphsOnALabelAndTheMessageBar) {
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
    say->SetFont(greek_);
    EXPECT_TRUE(DrawsGlyphs(say->hWnd, label, "ωμέγα", 5));
}

// The smallest box around the pixels of the area, of a picture nWidth wide, that pass.
RECT Bounds(const std::vector<COLORREF>& aPixels, int nWidth, const RECT& area,
            const std::function<bool(COLORREF)>& passes) {
    RECT box{area.right, area.bottom, -1, -1};
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (passes(aPixels[static_cast<size_t>(y * nWidth + x)]))
                box = {std::min<LONG>(box.left, x), std::min<LONG>(box.top, y), std::max<LONG>(box.right, x + 1),
                       std::max<LONG>(box.bottom, y + 1)};
    return box;
}

// What was drawn on the paper within the area, wherever it stands there.
struct Ink {
    int nWidth = 0;
    std::vector<COLORREF> aPixels;  // of the box around it, row after row
    bool operator==(const Ink&) const = default;
};

Ink InkOf(const std::vector<COLORREF>& aPixels, int nWidth, const RECT& area, COLORREF paper) {
    const RECT box = Bounds(aPixels, nWidth, area, [paper](COLORREF c) { return c != paper; });
    Ink ink{std::max<int>(box.right - box.left, 0), {}};
    for (int y = box.top; y < box.bottom; ++y)
        for (int x = box.left; x < box.right; ++x) ink.aPixels.push_back(aPixels[static_cast<size_t>(y * nWidth + x)]);
    return ink;
}

// The word as the wide call draws it in the font and colour on the paper.
Ink WideInk(const std::wstring& word, HFONT hFont, COLORREF nText, COLORREF paper) {
    constexpr int kWidth = 240, kHeight = 30;
    const corvix_test::Canvas canvas(kWidth, kHeight, paper);
    const HGDIOBJ previous = SelectObject(canvas.Get(), hFont);
    SetBkMode(canvas.Get(), TRANSPARENT);
    SetTextColor(canvas.Get(), nText);
    RECT r{4, 4, kWidth, kHeight};
    DrawTextW(canvas.Get(), word.c_str(), -1, &r, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(canvas.Get(), previous);
    return InkOf(PixelsOf(canvas.Get(), kWidth, kHeight), kWidth, {0, 0, kWidth, kHeight}, paper);
}

struct Word {
    std::string cText;
    std::wstring wide;
};
const Word kCyrillic{"Жук", L"Жук"}, kGreek{"ωμέγα", L"ωμέγα"};

// Owner-drawn entries are drawn by the window's painter, here on its client
// area, and measured on the screen's device context as the wide calls do.
TEST_F(Utf8Test, OwnerDrawnMenuEntriesDrawAndMeasureCyrillicAndGreekAsTheWideCalls) {
    constexpr COLORREF kTextArea = RGB(250, 250, 250);
    constexpr RECT kEntry{0, 0, 240, 24}, kRightOfTheIconStrip{26, 0, 240, 24};
    const auto screenFont = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
    for (const auto& [word, hFont] : {std::pair{kCyrillic, font_->hFont}, std::pair{kGreek, greek_->hFont}}) {
        const auto bar = MENUBEGIN(false, false, nullptr, true);
        MENUADDITEM({.cPrompt = "&File"});
        const auto file = MENUBEGIN();
        const auto item = MENUADDITEM({.cPrompt = word.cText});
        MENUEND();
        MENUEND();
        main_->SetMenu(bar);
        MEASUREITEMSTRUCT measure{.CtlType = ODT_MENU, .itemID = static_cast<UINT>(item->nId)};
        SendMessageA(main_->hWnd, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure));
        EXPECT_EQ(measure.itemWidth, static_cast<UINT>(0.9 * WideWidth(word.wide, screenFont)) + 100) << word.cText;
        const HDC dc = GetDC(main_->hWnd);
        const HGDIOBJ previous = SelectObject(dc, hFont);
        const DRAWITEMSTRUCT draw{.CtlType = ODT_MENU, .itemID = static_cast<UINT>(item->nId),
                                  .itemAction = ODA_DRAWENTIRE, .hwndItem = reinterpret_cast<HWND>(file->hMenu),
                                  .hDC = dc, .rcItem = kEntry};
        SendMessageA(main_->hWnd, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw));
        SelectObject(dc, previous);
        ReleaseDC(main_->hWnd, dc);
        const Ink drawn = InkOf(Shown(main_->hWnd), main_->GetCliRect().nRight, kRightOfTheIconStrip, kTextArea);
        const Ink wide = WideInk(word.wide, hFont, GetSysColor(COLOR_MENUTEXT), kTextArea);
        EXPECT_TRUE(drawn == wide) << word.cText << ": " << drawn.nWidth << " pixels wide, the wide call's "
                                   << wide.nWidth;
        main_->SetMenu(nullptr);
    }
}

bool IsWhite(COLORREF c) { return c == RGB(255, 255, 255); }

// The bitmap (a white square 4 pixels into a transparent field of 16) stands
// left of the caption, both centred together by the caption's measured width.
TEST_F(Utf8Test, BitmapButtonCaptionsDrawAndMeasureCyrillicAndGreekAsTheWideCalls) {
    constexpr int kWidth = 160, kHeight = 40;
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    for (const auto& [word, oFont] : {std::pair{kCyrillic, font_}, std::pair{kGreek, greek_}}) {
        const auto button = TBtnBmp::New({.nTop = 40, .nLeft = 40, .nWidth = kWidth, .nHeight = kHeight,
                                          .cResName1 = "BARBITMAP", .oWnd = main_, .cPrompt = word.cText,
                                          .oFont = oFont, .lBorder = false, .cLayout = "LEFT"});
        const std::vector<COLORREF> pixels = Painted(button->hWnd);
        const RECT square = Bounds(pixels, kWidth, {0, 0, kWidth, kHeight}, IsWhite);
        EXPECT_EQ(square.left - 4, kWidth / 2 - (16 + WideWidth(word.wide, oFont->hFont)) / 2 + 4) << word.cText;
        const Ink drawn = InkOf(pixels, kWidth, {square.right + 5, 0, kWidth, kHeight}, face);
        const Ink wide = WideInk(word.wide, oFont->hFont, GetSysColor(COLOR_BTNTEXT), face);
        EXPECT_TRUE(drawn == wide) << word.cText << ": " << drawn.nWidth << " pixels wide, the wide call's "
                                   << wide.nWidth;
        button->End();
    }
}

// A caption's line longer than 79 characters is measured as lines of 79, never
// cut inside a character: its three lines put the bitmap above them where any
// three lines put it.
TEST_F(Utf8Test, BitmapButtonCaptionLinesBreakAfter79CharactersNotBytes) {
    std::string longLine;
    for (int i = 0; i < 100; ++i) longLine += "ж";
    const auto squareTop = [this](const std::string& cCaption) {
        const auto button = TBtnBmp::New({.nTop = 40, .nLeft = 40, .nWidth = 100, .nHeight = 120,
                                          .cResName1 = "BARBITMAP", .oWnd = main_, .cPrompt = cCaption,
                                          .oFont = font_, .lBorder = false, .cLayout = "TOP"});
        const LONG top = Bounds(Painted(button->hWnd), 100, {0, 0, 100, 120}, IsWhite).top;
        button->End();
        return top;
    };
    EXPECT_EQ(squareTop("A\r\n" + longLine), squareTop("A\r\nB\r\nC"));
}

}  // namespace
}  // namespace corvix
