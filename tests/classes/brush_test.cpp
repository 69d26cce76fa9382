#include "corvix/classes/brush.h"

#include <gtest/gtest.h>

#include <map>

#include "corvix/function/cxerror.h"
#include "tests/support/testwindow.h"

namespace corvix {
namespace {

using corvix_test::Canvas;
using corvix_test::Rgb;

bool Alive(HGDIOBJ h) { return GetObjectType(h) != 0; }

// Fills an 8 x 8 canvas with the brush.
void Paint(const Canvas& c, HBRUSH brush) {
    RECT all{0, 0, 8, 8};
    FillRect(c.Get(), &all, brush);
}

class BrushTest : public testing::Test {
protected:
    void TearDown() override { TBrush::aBrushes().clear(); }
};

TEST_F(BrushTest, StockColoursGiveStockBrushesThatEndNeverDeletes) {
    auto grey = TBrush::New({.nRGBColor = RGB(192, 192, 192)});
    EXPECT_EQ(grey->hBrush, GetStockObject(LTGRAY_BRUSH));
    EXPECT_TRUE(grey->lSystem);
    grey->End();
    grey->End();  // one End too many
    EXPECT_TRUE(Alive(GetStockObject(LTGRAY_BRUSH)));
    auto white = TBrush::New({.nRGBColor = RGB(255, 255, 255)});
    EXPECT_EQ(white->hBrush, GetStockObject(WHITE_BRUSH));
    auto none = TBrush::New({.cStyle = "NULL"});
    EXPECT_EQ(none->hBrush, GetStockObject(NULL_BRUSH));
}

TEST_F(BrushTest, EqualRequestsShareOneBrushUntilTheLastEnd) {
    auto a = TBrush::New({.nRGBColor = RGB(10, 20, 30)});
    auto b = TBrush::New({.nRGBColor = RGB(10, 20, 30)});
    EXPECT_EQ(a, b);
    EXPECT_EQ(a->nCount, 2);
    const HBRUSH h = a->hBrush;
    a->End();
    EXPECT_TRUE(Alive(h));
    b->End();
    EXPECT_FALSE(Alive(h));
    EXPECT_TRUE(TBrush::aBrushes().empty());
}

// A fresh brush per request, and the earlier holder keeps painting with its own.
TEST_F(BrushTest, BuiltInPatternsAreMadeAfreshWithoutTakingTheEarlierOneAway) {
    auto first = TBrush::New({.cStyle = "BRICKS"});
    const HBRUSH firstBrush = first->hBrush;
    const HBITMAP firstBitmap = first->hBitmap;
    ASSERT_NE(firstBitmap, nullptr);
    auto second = TBrush::New({.cStyle = "BRICKS"});
    EXPECT_NE(first, second);
    EXPECT_EQ(first->hBrush, firstBrush);
    EXPECT_TRUE(Alive(firstBrush));
    EXPECT_TRUE(Alive(firstBitmap));
    EXPECT_TRUE(Alive(second->hBrush));
    first->End();
    EXPECT_FALSE(Alive(firstBrush));
    EXPECT_TRUE(Alive(second->hBrush));
    second->End();
    EXPECT_TRUE(TBrush::aBrushes().empty());
}

TEST_F(BrushTest, ARecordTooLongToSaveIsRefusedWithAnError) {
    std::optional<ErrorRecord> seen;
    SetErrorHandler([&seen](const ErrorRecord& e) {
        seen = e;
        return Value(false);
    });
    auto brush = TBrush::New({.cBmpFile = std::string(70000, 'x')});
    EXPECT_EQ(brush->Save(), "");
    ASSERT_TRUE(seen);
    EXPECT_EQ(seen->Description, "Value too long to save");
    EXPECT_NE(seen->Operation.find("cBmpFile"), std::string::npos);
}

TEST_F(BrushTest, EachBuiltInPatternPaintsItsTable) {
    const std::map<std::string, std::array<const char*, 8>> tables = {
        {"BORLAND", {"GGGGGGGG", "GWGWGWGW", "GGGGGGGG", "GWGWGWGW", "GGGGGGGG", "GWGWGWGW", "GGGGGGGG", "GWGWGWGW"}},
        {"BRICKS", {"GDDDGDDD", "WWWWWWWG", "WGGGGGGD", "WGGGGGGD", "GDDDDDDD", "WWWGWWWW", "GGGDWGGG", "GGGDWGGG"}},
        {"TILED", {"WWWWWWWG", "WGGGGGGD", "WGGGGGGD", "WGGGGGGD", "WGGGGGGD", "WGGGGGGD", "WGGGGGGD", "GDDDDDDD"}},
        {"TABS", {"WGWGWGWG", "GWGWGWGW", "WGWGWGWG", "GWGWGWGW", "WGWGWGWG", "GWGWGWGW", "WGWGWGWG", "GWGWGWGW"}},
    };
    const std::map<char, COLORREF> colours = {
        {'G', RGB(192, 192, 192)}, {'W', RGB(255, 255, 255)}, {'D', RGB(128, 128, 128)}};
    for (const auto& [name, rows] : tables) {
        Canvas c(8, 8);
        auto brush = TBrush::New({.cStyle = name});
        Paint(c, brush->hBrush);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                ASSERT_EQ(Rgb(c.Pixel(x, y)), Rgb(colours.at(rows[y][x]))) << name << " " << x << "," << y;
        brush->End();
    }
}

TEST_F(BrushTest, DiagCrossInRedPaintsBothDiagonals) {
    Canvas c(8, 8, RGB(255, 255, 255));
    auto brush = TBrush::New({.cStyle = "DIAGCROSS", .nRGBColor = RGB(255, 0, 0)});
    SetBkColor(c.Get(), RGB(255, 255, 255));
    Paint(c, brush->hBrush);
    int red = 0;
    for (int y = 0; y < 8; ++y) {
        int inRow = 0;
        for (int x = 0; x < 8; ++x) {
            const COLORREF p = c.Pixel(x, y);
            ASSERT_TRUE(p == RGB(255, 0, 0) || p == RGB(255, 255, 255)) << Rgb(p);
            if (p == RGB(255, 0, 0)) {
                ++inRow;
                // On a diagonal, so a neighbour one row down is on it too.
                const bool down = c.Pixel((x + 1) % 8, (y + 1) % 8) == RGB(255, 0, 0) ||
                                  c.Pixel((x + 7) % 8, (y + 1) % 8) == RGB(255, 0, 0);
                EXPECT_TRUE(down) << x << "," << y;
            }
        }
        EXPECT_EQ(inRow, 2) << "row " << y;
        red += inRow;
    }
    EXPECT_EQ(red, 16);
}

TEST_F(BrushTest, AMissingBitmapFileGivesNoBrushButIsCachedAndEndsCleanly) {
    auto a = TBrush::New({.cBmpFile = "no-such-file.bmp"});
    auto b = TBrush::New({.cBmpFile = "another-missing.bmp"});
    EXPECT_EQ(a->hBrush, nullptr);
    EXPECT_EQ(TBrush::aBrushes().size(), 2u);
    b->End();
    ASSERT_EQ(TBrush::aBrushes().size(), 1u);
    EXPECT_EQ(TBrush::aBrushes()[0], a) << "ending b must not drop a's entry";
}

TEST_F(BrushTest, UnknownStylesAndBadBitmapsGiveNoBrushWithoutCrashing) {
    auto odd = TBrush::New({.cStyle = "ZIGZAG"});
    EXPECT_EQ(odd->hBrush, nullptr);
    char path[MAX_PATH];
    GetTempPathA(MAX_PATH, path);
    const std::string corrupt = std::string(path) + "corvix_corrupt.bmp";
    HANDLE f = CreateFileA(corrupt.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written;
    WriteFile(f, "BMnot really", 12, &written, nullptr);
    CloseHandle(f);
    auto bad = TBrush::New({.cBmpFile = corrupt});
    EXPECT_EQ(bad->hBrush, nullptr);
    auto res = TBrush::New({.cBmpRes = "NOSUCHRESOURCE"});
    EXPECT_EQ(res->hBrush, nullptr);
    DeleteFileA(corrupt.c_str());
}

TEST_F(BrushTest, ABitmapFileMakesAPatternBrush) {
    char path[MAX_PATH];
    GetTempPathA(MAX_PATH, path);
    const std::string file = std::string(path) + "corvix_pattern.bmp";
    // A 1 x 1 24-bit bitmap, blue.
    const unsigned char bmp[] = {'B', 'M', 58, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0,
                                 1, 0, 24, 0, 0, 0, 0, 0, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                 0, 0, 255, 0, 0, 0};
    HANDLE f = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written;
    WriteFile(f, bmp, sizeof bmp, &written, nullptr);
    CloseHandle(f);
    auto brush = TBrush::New({.cBmpFile = file});
    ASSERT_NE(brush->hBrush, nullptr);
    Canvas c(8, 8);
    Paint(c, brush->hBrush);
    EXPECT_EQ(Rgb(c.Pixel(3, 3)), Rgb(RGB(0, 0, 255)));
    brush->End();
    DeleteFileA(file.c_str());
}

TEST_F(BrushTest, SaveLoadAndTheTextForms) {
    auto brush = TBrush::New({.cStyle = "DIAGCROSS", .nRGBColor = 255});
    const std::string record = brush->Save();
    const std::string body = std::string("\x06\x00TBRUSH", 8) + std::string("\x02\x00", 2) +
                             std::string("\x06\x00" "cStyleC\x09\x00" "DIAGCROSS", 20) +
                             std::string("\x09\x00" "nRGBColorN\x03\x00" "255", 17);
    EXPECT_EQ(record, "O" + std::string(1, static_cast<char>(body.size())) + std::string(1, '\0') + body);
    TBrush loaded;
    loaded.Load(record.substr(11));
    EXPECT_EQ(loaded.cStyle, "DIAGCROSS");
    EXPECT_EQ(loaded.nRGBColor, 255u);
    EXPECT_EQ(brush->SaveToText(),
              "OBJECT oBrush AS TBRUSH\r\n\r\n   ::cStyle = \"DIAGCROSS\"\r\n   ::nRGBColor = 255\r\n\r\nENDOBJECT");
    EXPECT_EQ(brush->SaveToText(3),
              "   OBJECT ::oBrush AS TBrush\r\n\r\n      ::cStyle = \"DIAGCROSS\"\r\n      ::nRGBColor = 255\r\n"
              "\r\n   ENDOBJECT\r\n");
    EXPECT_EQ(brush->cGenPRG(), "DEFINE BRUSH oBrush STYLE 'DIAGCROSS' COLOR 255");
    auto file = TBrush::New({.cBmpFile = "a.bmp", .cBmpRes = "R"});
    EXPECT_EQ(file->cGenPRG("oBack"), "DEFINE BRUSH oBack FILE 'a.bmp'");
    auto res = TBrush::New({.cBmpRes = "R"});
    EXPECT_EQ(res->cGenPRG(), "DEFINE BRUSH oBrush RESOURCE 'R'");
}

}  // namespace
}  // namespace corvix
