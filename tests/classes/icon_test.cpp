#include "corvix/classes/icon.h"

#include <gtest/gtest.h>

#include "corvix/classes/cursor.h"
#include "corvix/native/cursors.h"
#include "tests/support/dialogprobe.h"
#include "tests/support/gdiprobe.h"
#include "tests/support/testwindow.h"

namespace corvix {
namespace {

using corvix_test::Pump;
using corvix_test::Rgb;

// In iconcursor_test.rc: the icon is red above and blue below; green.ico,
// beside the tests, is all green.
constexpr const char* kResourceIcon = "REDBLUE";
constexpr const char* kResourceCursor = "SQUARE";

std::string BesideTheTests(const std::string& name) {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string dir = path;
    return dir.substr(0, dir.find_last_of("\\/") + 1) + name;
}

bool IsLiveCursor(HCURSOR h) {
    ICONINFO info{};
    if (!GetIconInfo(h, &info)) return false;
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return true;
}

class IconTest : public testing::Test {
protected:
    void SetUp() override {
        main_ = TWindow::New({.cTitle = "icons", .nClrBack = RGB(255, 255, 255)});
        ShowWindow(main_->hWnd, SW_SHOWNORMAL);
        SetForegroundWindow(main_->hWnd);
        Pump();
    }
    std::shared_ptr<TWindow> main_;
};

TEST_F(IconTest, RowTwoColumnThreeStandsAtTheRectangleAndShowsTheResourceIconsPixels) {
    const auto icon = TIcon::New({.nRow = 2, .nCol = 3, .cResName = kResourceIcon, .oWnd = main_});
    EXPECT_EQ(RectArray({icon->nTop, icon->nLeft, icon->nBottom, icon->nRight}), RectArray({28, 24, 60, 56}));
    UpdateWindow(icon->hWnd);
    EXPECT_EQ(Rgb(corvix_test::WindowPixel(icon->hWnd, 16, 4)), Rgb(RGB(255, 0, 0)));
    EXPECT_EQ(Rgb(corvix_test::WindowPixel(icon->hWnd, 16, 28)), Rgb(RGB(0, 0, 255)));
}

TEST_F(IconTest, AFileAndAResourceShowTheResourceIconAndLeakNothing) {
    const std::string file = BesideTheTests("green.ico");
    // Twice: the first round makes what the system keeps for good (the class, cached bitmaps).
    int before = 0;
    for (int round = 0; round < 2; ++round) {
        before = corvix_test::CountLiveGdiObjects();
        const auto both = TIcon::New({.cResName = kResourceIcon, .cIcoFile = file, .oWnd = main_});
        UpdateWindow(both->hWnd);
        EXPECT_EQ(Rgb(corvix_test::WindowPixel(both->hWnd, 16, 4)), Rgb(RGB(255, 0, 0)));
        const auto fileOnly = TIcon::New({.cResName = "NO SUCH ICON", .cIcoFile = file, .oWnd = main_});
        UpdateWindow(fileOnly->hWnd);
        EXPECT_EQ(Rgb(corvix_test::WindowPixel(fileOnly->hWnd, 16, 4)), Rgb(RGB(0, 255, 0)))
            << "a missing resource keeps the file's icon";
        DestroyWindow(both->hWnd);
        DestroyWindow(fileOnly->hWnd);
        Pump();
    }
    EXPECT_EQ(corvix_test::CountLiveGdiObjects(), before);
}

TEST_F(IconTest, MissingFilesAndNamesGiveNoIconAndKeepTheOneShown) {
    const auto icon = TIcon::New({.cResName = kResourceIcon});
    const HICON shown = icon->hIcon;
    ASSERT_TRUE(shown);
    icon->SetFile(BesideTheTests("missing.ico"));
    const std::string text = BesideTheTests("not an icon.txt");  // the system answers 1 for it
    const HANDLE file = CreateFileA(text.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, "text", 4, &written, nullptr);
    CloseHandle(file);
    icon->SetFile(text);
    icon->SetName("NO SUCH ICON");
    EXPECT_EQ(icon->hIcon, shown);
    EXPECT_FALSE(TIcon::New({.cIcoFile = text})->hIcon);
    DeleteFileA(text.c_str());
    icon->SetFile(BesideTheTests("green.ico"));
    EXPECT_NE(icon->hIcon, shown);
    icon->End();
    EXPECT_FALSE(icon->hIcon);
}

TEST(CursorTest, PredefinedCursorsAreTheSystemsOrOursSharedAndNeverDestroyed) {
    const auto wait = TCursor::New("", "wait");
    EXPECT_EQ(wait->hCursor, LoadCursorA(nullptr, IDC_WAIT));
    EXPECT_TRUE(wait->lPredef);
    wait->End();
    EXPECT_TRUE(IsLiveCursor(LoadCursorA(nullptr, IDC_WAIT)));
    const auto hand = TCursor::New("", "HAND"), again = TCursor::New("", "hand");
    EXPECT_EQ(hand->hCursor, again->hCursor);
    EXPECT_EQ(hand->hCursor, GETCURSORHAND());
    for (const char* name : {"STOP", "DRAG"}) {
        const auto builtIn = TCursor::New("", name);
        ASSERT_TRUE(builtIn->hCursor) << name;
        builtIn->End();
        EXPECT_TRUE(IsLiveCursor(TCursor::New("", name)->hCursor)) << name;
    }
}

TEST(CursorTest, BuiltInCursorsHaveTheirHotSpots) {
    const struct {
        HCURSOR cursor;
        DWORD x, y;
    } cases[] = {{GETCURSORSTOP(), 6, 0}, {GETCURSORDRAG(), 6, 0}, {GETCURSORCATCH(), 16, 16}};
    for (const auto& c : cases) {
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(c.cursor, &info));
        EXPECT_EQ(std::make_pair(info.xHotspot, info.yHotspot), std::make_pair(c.x, c.y));
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
    }
}

TEST_F(IconTest, ABogusNameIsReportedAndThePointerStaysVisibleOverTheWindow) {
    std::string shown;
    std::shared_ptr<TCursor> bogus;
    {
        corvix_test::DialogProbe probe([&shown](HWND box) {
            char text[128] = {};
            GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
            shown = text;
            PostMessageA(box, WM_COMMAND, IDOK, 0);
        });
        bogus = TCursor::New("", "bogus");
    }
    EXPECT_EQ(shown, "Wrong predefined cursor type!");
    EXPECT_FALSE(bogus->hCursor);
    main_->oCursor = bogus;
    SetCursor(nullptr);
    main_->ShowCursor();
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_ARROW));
}

TEST(CursorTest, AResourceCursorIsItsObjectsAndEndDestroysIt) {
    const auto cursor = TCursor::New(kResourceCursor);
    ASSERT_TRUE(cursor->hCursor);
    EXPECT_FALSE(cursor->lPredef);
    const HCURSOR handle = cursor->hCursor;
    cursor->End();
    EXPECT_FALSE(IsLiveCursor(handle));
    EXPECT_FALSE(TCursor::New("NO SUCH CURSOR")->hCursor);
}

}  // namespace
}  // namespace corvix
