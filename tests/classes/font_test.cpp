#include "corvix/classes/font.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "tests/support/dialogprobe.h"

namespace corvix {
namespace {

LOGFONTA Logical(HFONT f) {
    LOGFONTA lf{};
    GetObjectA(f, sizeof lf, &lf);
    return lf;
}

bool Alive(HGDIOBJ h) { return GetObjectType(h) != 0; }

std::shared_ptr<TFont> Verdana(const char* face = "Verdana") {
    return TFont::New({.cFaceName = face, .nWidth = 0, .nHeight = -12});
}

TEST(FontCacheTest, EqualRequestsShareOneFontUntilTheLastEnd) {
    auto first = Verdana();
    EXPECT_TRUE(first->lNew);
    auto second = Verdana();
    EXPECT_EQ(first, second);
    EXPECT_EQ(first->nCount, 2);
    EXPECT_FALSE(second->lNew);
    const HFONT h = first->hFont;
    first->End();
    EXPECT_TRUE(Alive(h));
    EXPECT_EQ(TFont::Cache().size(), 1u);
    second->End();
    EXPECT_FALSE(Alive(h));
    EXPECT_EQ(first->hFont, nullptr);
    EXPECT_EQ(first->nCount, 0);
    EXPECT_TRUE(TFont::Cache().empty());
}

// LOGFONT holds 31 bytes of a face: sixteen two-byte letters lose the last
// whole one, never half of it.
TEST(FontDescriptionTest, AFaceTooLongIsCutBetweenTwoCharacters) {
    std::string face;
    for (int i = 0; i < 16; ++i) face += "\xD0\x96";
    FontDescription font;
    font.cFaceName = face;
    EXPECT_EQ(std::string(font.ToLogFont().lfFaceName), face.substr(0, 30));
}

TEST(FontCacheTest, FaceNamesCompareCaseSensitively) {
    auto lower = Verdana("verdana");
    auto upper = Verdana("Verdana");
    EXPECT_NE(lower, upper);
    EXPECT_NE(lower->hFont, upper->hFont);
    lower->End();
    upper->End();
}

TEST(FontStockTest, NoArgumentsGiveTheStockSystemFontNeverDeleted) {
    auto f = TFont::New();
    EXPECT_EQ(f->hFont, GetStockObject(SYSTEM_FONT));
    EXPECT_FALSE(f->lDestroy);
    EXPECT_GT(f->nInpHeight, 0);
    EXPECT_GT(f->nInpWidth, 0);
    auto g = TFont::New();
    EXPECT_NE(f, g) << "stock fonts stay out of the cache";
    for (int i = 0; i < 3; ++i) f->End();  // more Ends than News
    EXPECT_TRUE(Alive(GetStockObject(SYSTEM_FONT)));
    EXPECT_EQ(f->hFont, GetStockObject(SYSTEM_FONT));
    EXPECT_TRUE(TFont::Cache().empty());
}

TEST(FontNewTest, SystaHomaBecomesTahomaWithAtLeastTwelvePixels) {
    struct Case {
        const char* face;
        double height, expected;
    } cases[] = {{"SYSTAHOMA", -8, -12}, {"systahoma", -8, -12}, {"SysTahoma", 8, 8}, {"SYSTAHOMA", -14, -14}};
    for (const Case& c : cases) {
        auto f = TFont::New({.cFaceName = c.face, .nHeight = c.height});
        EXPECT_EQ(f->cFaceName, "TAHOMA");
        EXPECT_EQ(f->nInpHeight, c.expected) << c.face << " " << c.height;
        EXPECT_EQ(Logical(f->hFont).lfHeight, static_cast<LONG>(c.expected));
        f->End();
    }
}

TEST(FontNewTest, BoldOrsSevenHundredIntoTheWeight) {
    auto f = TFont::New({.cFaceName = "Verdana", .nHeight = -12, .lBold = true, .nWeight = 400});
    EXPECT_EQ(f->nWeight, 956);
    EXPECT_EQ(Logical(f->hFont).lfWeight, 956);
    f->End();
}

TEST(FontNewTest, ADeviceScalesTheHeightToItsPoints) {
    auto printer = std::make_shared<FontDevice>(FontDevice{600});
    auto f = TFont::New({.cFaceName = "Verdana", .nHeight = -12, .oDevice = printer});
    EXPECT_DOUBLE_EQ(f->nInpHeight, -100);
    f->End();
}

TEST(FontNewTest, AFaceLongerThanTheSystemTakesIsCutNotOverrun) {
    const std::string longFace(200, 'A');
    auto f = TFont::New({.cFaceName = longFace, .nHeight = -12});
    EXPECT_EQ(f->cFaceName, longFace);
    EXPECT_EQ(std::string(Logical(f->hFont).lfFaceName), std::string(LF_FACESIZE - 1, 'A'));
    f->End();
}

TEST(FontModifyTest, BoldOnAWidthZeroFontMakesACellHeightAndFortyFourHundredthsWidth) {
    auto base = Verdana();
    auto bold = base->Bold();
    EXPECT_NE(bold, base);
    EXPECT_EQ(bold->nInpHeight, 12);
    EXPECT_DOUBLE_EQ(bold->nInpWidth, 12 * 0.44);
    EXPECT_EQ(Logical(bold->hFont).lfHeight, 12);
    EXPECT_EQ(Logical(bold->hFont).lfWidth, 5);
    EXPECT_EQ(bold->nWeight, 700);
    auto stillBold = bold->Bold(false);
    EXPECT_EQ(stillBold->nWeight, 700) << "the weight is taken from the font";
    EXPECT_FALSE(base->lBold) << "the original is not changed";
    for (auto f : {stillBold, bold, base}) f->End();
}

TEST(FontModifyTest, EscapementAndRotateWrapAroundTheCircle) {
    auto base = Verdana();
    auto tilted = base->Escapement(4500);
    EXPECT_EQ(tilted->nEscapement, 900);
    auto r1 = base->Rotate(-900);
    EXPECT_EQ(r1->nEscapement, 2700);
    auto r2 = base->Rotate();
    EXPECT_EQ(r2->nEscapement, 0);
    for (auto f : {tilted, r1, r2, base}) f->End();
}

TEST(FontSizeTest, PointSizesRoundToQuarterPoints) {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    ASSERT_EQ(dpi, 96);
    for (auto [height, points] : {std::pair{-12.0, 9.0}, {-13.0, 10.0}, {-11.0, 8.0}, {-10.0, 7.75}}) {
        TFont f;
        f.nInpHeight = height;
        EXPECT_DOUBLE_EQ(f.nSize(), points) << height;
    }
}

TEST(FontSizeTest, WidthAndHeightReadAndSetTheInputs) {
    TFont f;
    f.nInpHeight = -12;
    EXPECT_EQ(f.nHeight(), 12);
    EXPECT_DOUBLE_EQ(f.nWidth(), 12 * 0.44);
    f.nWidth(7);
    f.nHeight(-20);
    EXPECT_EQ(f.nWidth(), 7);
    EXPECT_EQ(f.nInpHeight, -20);
}

TEST(FontEndTest, AFailedDeleteIsLoggedAndTheHandleKept) {
    DeleteFileA("resources.txt");
    auto f = Verdana();
    const HFONT h = f->hFont;
    DeleteObject(h);  // behind the font's back
    f->End();
    EXPECT_EQ(f->hFont, h);
    EXPECT_EQ(TFont::Cache().size(), 1u);
    std::ifstream in("resources.txt", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_NE(text.str().find(": DeleteObject( ::hFont ) failed from TFont:End()\t" +
                              std::to_string(reinterpret_cast<intptr_t>(h)) + "\t0\t.T.\t\r\n"),
              std::string::npos)
        << text.str();
    in.close();
    DeleteFileA("resources.txt");
    TFont::Cache().clear();
}

TEST(FontPersistenceTest, SaveThenLoadRoundTripsTheProperties) {
    auto f = TFont::New({.cFaceName = "Verdana", .nHeight = -12, .lItalic = true, .nCharSet = 2});
    const std::string record = f->Save();
    ASSERT_EQ(record[0], 'O');
    const size_t nameLength = static_cast<unsigned char>(record[3]);
    TFont loaded;
    loaded.Load(record.substr(5 + nameLength));
    EXPECT_EQ(loaded.cFaceName, "Verdana");
    EXPECT_TRUE(loaded.lItalic);
    EXPECT_EQ(loaded.nCharSet, 2);
    EXPECT_EQ(loaded.lBold, f->lBold);
    f->End();
}

TEST(FontPersistenceTest, TheRecordIsLaidOutToTheByte) {
    TFont f;
    f.cFaceName = "SYSTEM_FONT";
    auto def = TFont::New();
    f.lBold = def->lBold;
    f.lItalic = true;
    def->End();
    const std::string expected = std::string("O\x18\x00", 3) + std::string("\x05\x00TFONT", 7) +
                                 std::string("\x01\x00", 2) + std::string("\x07\x00lItalicL\x03\x00.T.", 15);
    EXPECT_EQ(f.Save(), expected);
}

TEST(FontPersistenceTest, SaveToTextAndGenPrgProduceTheirTexts) {
    auto f = TFont::New({.cFaceName = "Verdana", .nWidth = 0, .nHeight = -12, .lBold = true});
    auto def = TFont::New();
    const std::string boldLine = def->lBold ? "" : "   ::lBold = .T.\r\n";
    const std::string weightLine = "   ::nWeight = 700\r\n";
    def->End();
    EXPECT_EQ(f->SaveToText(),
              "OBJECT oFont AS TFONT\r\n\r\n   ::cFaceName = \"Verdana\"\r\n" + boldLine + weightLine + "\r\nENDOBJECT");
    EXPECT_EQ(f->SaveToText(2).substr(0, 31), "  OBJECT ::oFont AS TFont\r\n\r\n  ");
    EXPECT_EQ(f->cGenPrg(), "DEFINE FONT oFont NAME 'Verdana' 0,-12 BOLD");
    EXPECT_EQ(f->cGenPrg("oBig"), "DEFINE FONT oBig NAME 'Verdana' 0,-12 BOLD");
    auto odd = TFont::New({.cFaceName = "Arial", .nHeight = -10, .nWeight = 400, .lStrikeOut = true});
    EXPECT_EQ(odd->cGenPrg(), "oFont := TFont():New( 'Arial', 4.4, 10, .f., .f., 0, 0, 400, .f., .f., .t., 0,0, 0, 0,, 0 )");
    odd->End();
    f->End();
}

}  // namespace
}  // namespace corvix

namespace corvix {
namespace {

void Press(HWND dialog, int id) { PostMessageA(dialog, WM_COMMAND, id, reinterpret_cast<LPARAM>(GetDlgItem(dialog, id))); }

TEST(FontChooseTest, CancelKeepsTheFontAndOkGivesTheChosenOne) {
    auto tahoma = TFont::New({.cFaceName = "Tahoma", .nHeight = -13});
    {
        corvix_test::DialogProbe cancel([](HWND d) { Press(d, IDCANCEL); });
        EXPECT_EQ(tahoma->Choose(), tahoma);
        EXPECT_TRUE(cancel.Ran());
    }
    EXPECT_EQ(tahoma->nCount, 1);
    const HFONT before = tahoma->hFont;
    COLORREF colour = RGB(1, 2, 3);
    std::shared_ptr<TFont> chosen;
    {
        corvix_test::DialogProbe ok([](HWND d) { Press(d, IDOK); });
        chosen = tahoma->Choose(&colour);
        EXPECT_TRUE(ok.Ran());
    }
    EXPECT_NE(chosen, tahoma);
    EXPECT_EQ(chosen->cFaceName, "Tahoma") << "the dialog was preset with this font";
    EXPECT_EQ(tahoma->hFont, nullptr) << "the old font was ended";
    EXPECT_EQ(GetObjectType(before), 0u);
    EXPECT_EQ(colour, RGB(1, 2, 3)) << "the dialog started from the caller's colour";
    chosen->End();
}

TEST(FontChooseTest, EqualityComparesAttributesNotHandles) {
    TFont a, b;
    a.cFaceName = b.cFaceName = "Arial";
    a.nInpHeight = b.nInpHeight = -12;
    EXPECT_TRUE(a == b);
    b.lItalic = true;
    EXPECT_FALSE(a == b);
}

}  // namespace
}  // namespace corvix
