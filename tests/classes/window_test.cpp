#include "corvix/classes/window.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <shlobj.h>

#include <cstring>
#include <type_traits>

#include "corvix/classes/brush.h"
#include "corvix/classes/font.h"
#include "corvix/classes/hotkeys.h"
#include "corvix/classes/icon.h"
#include "corvix/function/cxerror.h"
#include "corvix/native/eventloop.h"
#include "corvix/native/lmessages.h"
#include "tests/support/gdiprobe.h"
#include "tests/support/testwindow.h"

namespace corvix {
namespace {

using corvix_test::Pump;

// A window over a system push button that counts the reflected clicks.
class CountingControl : public TWindow {
public:
    int clicks = 0;
    Answer HandleEvent(UINT nMsg, WPARAM wParam, LPARAM lParam) override {
        if (nMsg == LM_CLICK) {
            ++clicks;
            return Answer::Number(0);
        }
        return TWindow::HandleEvent(nMsg, wParam, lParam);
    }
};

std::shared_ptr<CountingControl> ButtonOn(TWindow& parent, int id, int top) {
    auto c = std::make_shared<CountingControl>();
    c->hWnd = CreateWindowA("BUTTON", "b", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 10, top, 60, 20, parent.hWnd,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    c->nId = id;
    c->oWnd = parent.weak_from_this();
    c->nStyle = WS_CHILD;
    c->Link();
    parent.AddControl(c);
    return c;
}

TEST(WindowNewTest, DefaultsGiveTheClassicMainWindow) {
    auto w = TWindow::New();
    EXPECT_EQ(w->nStyle, 0x02CF0000u);
    EXPECT_EQ(w->nTop, 32);
    EXPECT_EQ(w->nLeft, 16);
    EXPECT_EQ(w->nBottom, 320);
    EXPECT_EQ(w->nRight, 560);
    EXPECT_EQ(w->cTitle(), "");
    EXPECT_EQ(w->nClrText, GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_EQ(w->nClrPane, GetSysColor(COLOR_WINDOW));
    EXPECT_FALSE(IsWindowVisible(w->hWnd)) << "created hidden";
    EXPECT_EQ(w->nWidth(), 545);
    EXPECT_EQ(GETWNDDEFAULT(), w);
    EXPECT_EQ(OWNDFROMHWND(w->hWnd), w);
    DestroyWindow(w->hWnd);
}

TEST(WindowNewTest, AnExplicitStyleIsUsedUnchanged) {
    auto w = TWindow::New({.nStyle = WS_OVERLAPPED | WS_CAPTION, .lVScroll = true});
    EXPECT_EQ(w->nStyle, static_cast<DWORD>(WS_OVERLAPPED | WS_CAPTION));
    DestroyWindow(w->hWnd);
}

TEST(WindowNewTest, NoBorderAndNoCaptionGiveABarePopup) {
    auto w = TWindow::New({.cBorder = "NONE", .lCaption = false});
    EXPECT_EQ(w->nStyle, static_cast<DWORD>(WS_CLIPCHILDREN | WS_POPUP));
    const LONG_PTR style = GetWindowLongPtrA(w->hWnd, GWL_STYLE);
    EXPECT_FALSE(style & WS_CAPTION);
    EXPECT_FALSE(style & WS_SYSMENU);
    EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    DestroyWindow(w->hWnd);
}

TEST(WindowNewTest, PixelCoordinatesAreTakenAsTheyAre) {
    auto w = TWindow::New({.nTop = 10, .nLeft = 20, .nBottom = 109, .nRight = 219, .lPixel = true});
    EXPECT_EQ(w->nWidth(), 200);
    EXPECT_EQ(w->nHeight(), 100);
    DestroyWindow(w->hWnd);
}

TEST(WindowNewTest, TheClassIsRegisteredOnceWithTheFirstWindowsBrush) {
    auto first = TWindow::New();
    ASSERT_TRUE(first->lRegistered());
    const LONG_PTR background = GetClassLongPtrA(first->hWnd, GCLP_HBRBACKGROUND);
    auto second = TWindow::New({.nClrBack = RGB(1, 2, 3)});
    EXPECT_EQ(GetClassLongPtrA(second->hWnd, GCLP_HBRBACKGROUND), background);
    EXPECT_NE(reinterpret_cast<LONG_PTR>(second->oBrush->hBrush), background);
    DestroyWindow(first->hWnd);
    DestroyWindow(second->hWnd);
}

// A subclass with a class of its own, the way window.h recommends, after a
// TWindow already registered "TWINDOW"; its pane is no stock colour, so its
// class brush is one that only the class keeps once SetColor lets go of it.
class PaneWindow : public TWindow {
public:
    std::string ClassName() const override { return "TPANEWINDOW"; }
};

TEST(WindowNewTest, ASubclassGetsItsOwnClassWhoseBrushStaysAlive) {
    auto plain = TWindow::New();
    auto pane = std::make_shared<PaneWindow>();
    pane->nClrPane = RGB(1, 2, 3);
    pane->Init({});
    ASSERT_NE(pane->hWnd, nullptr);
    char name[32] = {};
    GetClassNameA(pane->hWnd, name, sizeof name);
    EXPECT_STREQ(name, "TPANEWINDOW");
    const auto background = reinterpret_cast<HGDIOBJ>(GetClassLongPtrA(pane->hWnd, GCLP_HBRBACKGROUND));
    EXPECT_EQ(GetObjectType(background), static_cast<DWORD>(OBJ_BRUSH)) << "the class paints with a live brush";
}

TEST(WindowNewTest, AChildWithoutAFontSharesItsParentsFont) {
    auto parent = TWindow::New();
    auto font = TFont::New({.cFaceName = "Tahoma", .nHeight = -12});
    parent->SetFont(font);
    const int before = *font->nCount;
    auto child = TWindow::New({.nTop = 1, .nLeft = 1, .nBottom = 3, .nRight = 10, .oWnd = parent});
    EXPECT_EQ(child->oFont, font);
    EXPECT_EQ(*font->nCount, before + 1);
    EXPECT_EQ(SendMessageA(child->hWnd, WM_GETFONT, 0, 0), 0) << "a plain window keeps no font of its own";
    DestroyWindow(parent->hWnd);
}

TEST(WindowNewTest, TheFallbackFontOutlivesTheFirstOfTwoWindowsSharingIt) {
    auto first = TWindow::New();
    auto second = TWindow::New();
    ASSERT_EQ(first->oFont, second->oFont);
    const HFONT shared = first->oFont->hFont;
    DestroyWindow(first->hWnd);
    EXPECT_NE(GetObjectType(shared), 0u) << "the second window still uses it";
    DestroyWindow(second->hWnd);
    EXPECT_EQ(GetObjectType(shared), 0u) << "released with its last holder";
}

TEST(WindowNewTest, AFailedCreationReachesTheHandlerWithCodeSixAndTheThreeLines) {
    std::optional<ErrorRecord> seen;
    SetErrorHandler([&seen](const ErrorRecord& e) {
        seen = e;
        return Value(false);
    });
    auto w = std::make_shared<TWindow>();
    w->cCaption = "Lost";
    w->Create("NOSUCHCLASS");
    ASSERT_TRUE(seen);
    EXPECT_EQ(seen->SubCode, 6);
    EXPECT_EQ(seen->Operation.rfind("\r\nClass: NOSUCHCLASS\r\nCaption: Lost\r\nSystem Error: ", 0), 0u)
        << seen->Operation;
    EXPECT_EQ(w->hWnd, nullptr);
    EXPECT_EQ(w->SlotIndex(), 0) << "not linked";
    SetErrorHandler(nullptr);
}

TEST(WindowColorTest, ColourStringsSetBothColoursAndBadOnesChangeNothing) {
    auto w = TWindow::New({.cColors = "W+/B"});
    EXPECT_EQ(w->nClrText, RGB(255, 255, 255));
    EXPECT_EQ(w->nClrPane, RGB(0, 0, 128));
    w->SetColor(std::string("GR+/BG"));
    EXPECT_EQ(w->nClrText, RGB(255, 255, 0));
    EXPECT_EQ(w->nClrPane, RGB(0, 128, 128));
    w->SetColor(std::string("purple/Q"));
    EXPECT_EQ(w->nClrText, RGB(255, 255, 0));
    auto plain = TWindow::New({.cColors = "nonsense"});
    EXPECT_EQ(plain->nClrPane, GetSysColor(COLOR_WINDOW)) << "defaults kept";
    DestroyWindow(w->hWnd);
    DestroyWindow(plain->hWnd);
}

TEST(WindowColorTest, GivingAWindowTheBrushItHoldsKeepsTheBrush) {
    auto w = TWindow::New({.nClrBack = RGB(7, 8, 9)});
    const auto brush = w->oBrush;
    const int count = *brush->nCount;
    w->SetBrush(brush);
    w->SetColor(RGB(0, 0, 0), RGB(7, 8, 9), brush);
    EXPECT_EQ(*brush->nCount, count);
    EXPECT_EQ(GetObjectType(brush->hBrush), static_cast<DWORD>(OBJ_BRUSH));
}

TEST(WindowColorTest, AColourStringKeepsTheBrushTheCallerPassed) {
    auto brush = TBrush::New({.cStyle = "DIAGCROSS", .nRGBColor = RGB(255, 0, 0)});
    auto w = TWindow::New({.oBrush = brush, .cColors = "W+/B"});
    EXPECT_EQ(w->oBrush, brush);
    EXPECT_EQ(w->nClrPane, RGB(0, 0, 128));
}

TEST(WindowFontTest, SettingTheFontTheWindowHasKeepsTheCountBalanced) {
    auto font = TFont::New({.cFaceName = "Tahoma", .nHeight = -11});
    const int count = *font->nCount;
    auto w = TWindow::New();
    w->SetFont(font);
    w->SetFont(font);
    EXPECT_EQ(*font->nCount, count + 1);
    DestroyWindow(w->hWnd);
    EXPECT_EQ(*font->nCount, count);
}

TEST(WindowEventTest, EraseBackgroundAnswersOneAndButtonColoursAreNotDecoded) {
    auto w = TWindow::New();
    EXPECT_EQ(SendMessageA(w->hWnd, WM_ERASEBKGND, 0, 0), 1);
    EXPECT_TRUE(w->HandleEvent(WM_CTLCOLORBTN, 0, 0).IsNil());
    DestroyWindow(w->hWnd);
}

TEST(WindowEventTest, PaintFillsTheBrushAndCallsBPaintedInsideTheBuffer) {
    auto w = TWindow::New({.nClrBack = RGB(10, 200, 30)});
    int painted = 0;
    w->bPainted = [&painted](HDC dc, const PAINTSTRUCT&, TWindow&) {
        ++painted;
        RECT r{5, 5, 15, 15};
        FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        return Answer::Number(0);
    };
    ShowWindow(w->hWnd, SW_SHOWNORMAL);
    UpdateWindow(w->hWnd);
    EXPECT_EQ(painted, 1);
    EXPECT_EQ(corvix_test::WindowPixel(w->hWnd, 50, 50), RGB(10, 200, 30));
    EXPECT_EQ(corvix_test::WindowPixel(w->hWnd, 10, 10), RGB(0, 0, 0));
    EXPECT_EQ(w->nPaintCount, 0);
    DestroyWindow(w->hWnd);
}

// The buffer and the paint end on every path: no DC, bitmap or paint left behind.
TEST(WindowEventTest, APaintCallbackThatThrowsLeavesNothingBehind) {
    auto w = TWindow::New();
    w->bPainted = [](HDC, const PAINTSTRUCT&, TWindow&) -> Answer { throw std::runtime_error("paint"); };
    ShowWindow(w->hWnd, SW_SHOWNORMAL);
    UpdateWindow(w->hWnd);
    const int before = corvix_test::CountLiveGdiObjects();
    for (int i = 0; i < 5; ++i) {
        InvalidateRect(w->hWnd, nullptr, FALSE);
        UpdateWindow(w->hWnd);
    }
    EXPECT_EQ(corvix_test::CountLiveGdiObjects(), before);
    EXPECT_EQ(w->hDC, nullptr);
    EXPECT_EQ(w->nPaintCount, 0);
    w->bPainted = [](HDC, const PAINTSTRUCT&, TWindow&) { return Answer::Number(3); };
    w->BeginPaint();
    EXPECT_EQ(w->Paint(), Answer::Number(3)) << "Paint answers bPainted's answer";
    w->EndPaint();
}

TEST(WindowEventTest, AMinimizedWindowPaintsItsIconAndNeverCallsBPainted) {
    auto w = TWindow::New();
    int painted = 0;
    w->bPainted = [&painted](HDC, const PAINTSTRUCT&, TWindow&) {
        ++painted;
        return Answer::Number(0);
    };
    ShowWindow(w->hWnd, SW_SHOWMINIMIZED);
    ASSERT_TRUE(IsIconic(w->hWnd));
    painted = 0;
    InvalidateRect(w->hWnd, nullptr, TRUE);
    w->BeginPaint();
    EXPECT_EQ(w->Paint(), Answer::Number(0));
    w->EndPaint();
    EXPECT_EQ(painted, 0);
    DestroyWindow(w->hWnd);
}

TEST(WindowEventTest, OneClickNotificationGivesExactlyOneReflectedClick) {
    auto w = TWindow::New();
    auto button = ButtonOn(*w, 301, 10);
    EXPECT_TRUE(w->HandleEvent(WM_COMMAND, MAKEWPARAM(301, BN_CLICKED), reinterpret_cast<LPARAM>(button->hWnd)).IsNil());
    EXPECT_EQ(button->clicks, 1);
    DestroyWindow(w->hWnd);
}

TEST(WindowEventTest, TabInAChildMovesTheFocusThroughTheParentsControlsAndWraps) {
    auto w = TWindow::New();
    ShowWindow(w->hWnd, SW_SHOWNORMAL);
    SetForegroundWindow(w->hWnd);
    auto a = ButtonOn(*w, 1, 10), b = ButtonOn(*w, 2, 40), c = ButtonOn(*w, 3, 70);
    ::SetFocus(a->hWnd);
    SendMessageA(a->hWnd, WM_KEYDOWN, VK_TAB, 0);
    EXPECT_EQ(GetFocus(), b->hWnd);
    SendMessageA(b->hWnd, WM_KEYDOWN, VK_TAB, 0);
    SendMessageA(c->hWnd, WM_KEYDOWN, VK_TAB, 0);
    EXPECT_EQ(GetFocus(), a->hWnd) << "wrapped to the first";
    w->GoPrevCtrl(a->hWnd);
    EXPECT_EQ(GetFocus(), c->hWnd) << "and back to the last";
    DestroyWindow(w->hWnd);
}

// The shell and the common controls are loaded when a window first needs them.
TEST(WindowEventTest, DroppedFilesAndATooltipWorkThroughLibrariesLoadedOnFirstUse) {
    auto w = TWindow::New();
    std::vector<std::string> files;
    int row = -1, col = -1;
    w->bDropFiles = [&](int nRow, int nCol, const std::vector<std::string>& aFiles) {
        row = nRow;
        col = nCol;
        files = aFiles;
    };
    // As the shell hands a drop over: the header, then each name ended, then one more end.
    // In UTF-8 a name of fewer than MAX_PATH characters may take more bytes.
    std::string longName = "C:\\x";
    for (int i = 0; i < 200; ++i) longName += "\xD0\x96";
    const std::string names = std::string("C:\\a.txt\0", 9) + longName + std::string(2, '\0');
    HGLOBAL drop = GlobalAlloc(GHND, sizeof(DROPFILES) + names.size());
    auto* header = static_cast<DROPFILES*>(GlobalLock(drop));
    header->pFiles = sizeof(DROPFILES);
    header->pt = {7, 5};
    std::memcpy(reinterpret_cast<char*>(header) + sizeof(DROPFILES), names.data(), names.size());
    GlobalUnlock(drop);
    SendMessageA(w->hWnd, WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);  // the window frees it
    EXPECT_EQ(files, (std::vector<std::string>{"C:\\a.txt", longName}));
    EXPECT_EQ(row, 5);
    EXPECT_EQ(col, 7);
    w->cToolTip = "tip";
    w->ShowToolTip(10, 10);
    char className[32] = {};
    GetClassNameA(w->hToolTip, className, sizeof className);
    EXPECT_STREQ(className, TOOLTIPS_CLASSA);
    DestroyWindow(w->hWnd);
}

TEST(WindowEventTest, AWheelTurnedTowardsTheUserArrivesNegative) {
    auto w = TWindow::New();
    int delta = 0, x = 0;
    w->bMouseWheel = [&](int, int d, int px, int) {
        delta = d;
        x = px;
        return Answer::Nil();
    };
    SendMessageA(w->hWnd, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), MAKELPARAM(static_cast<WORD>(-5), 7));
    EXPECT_EQ(delta, -120);
    EXPECT_EQ(x, -5);
    DestroyWindow(w->hWnd);
}

TEST(WindowEventTest, AHotKeyIsConsumedBeforeBKeyDown) {
    auto w = TWindow::New();
    int hot = 0, plain = 0;
    w->bKeyDown = [&plain](int, LPARAM) {
        ++plain;
        return Answer::Nil();
    };
    SETKEY(VK_F7, [&hot](TWindow&) { ++hot; });
    EXPECT_EQ(SendMessageA(w->hWnd, WM_KEYDOWN, VK_F7, 0), 0);
    SendMessageA(w->hWnd, WM_KEYDOWN, VK_F8, 0);
    EXPECT_EQ(hot, 1);
    EXPECT_EQ(plain, 1) << "only F8 reached bKeyDown";
    SETKEY(VK_F7, nullptr);
    DestroyWindow(w->hWnd);
}

TEST(WindowEventTest, MouseCallbacksGetRowThenColumnAndTheirAnswerGoesBack) {
    auto w = TWindow::New();
    int row = -1, col = -1;
    w->bLClicked = [&](int r, int c, WPARAM, TWindow&) {
        row = r;
        col = c;
        return Answer::Number(7);
    };
    EXPECT_EQ(SendMessageA(w->hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 12)), 7);
    EXPECT_EQ(row, 12);
    EXPECT_EQ(col, 30);
    // Callbacks that answer their message keep it from the default procedure.
    const struct {
        UINT message;
        std::function<void()> set;
    } cases[] = {
        {WM_MOUSEMOVE, [&] { w->bMMoved = [](int, int, WPARAM) { return Answer::Number(5); }; }},
        {WM_MOUSEWHEEL, [&] { w->bMouseWheel = [](int, int, int, int) { return Answer::Number(5); }; }},
        {WM_LBUTTONUP, [&] { w->bLButtonUp = [](int, int, WPARAM, TWindow&) { return Answer::Number(5); }; }},
        {WM_LBUTTONDBLCLK, [&] { w->bLDblClick = [](int, int, WPARAM, TWindow&) { return Answer::Number(5); }; }},
        {WM_MOVE, [&] { w->bMoved = [](int, int) { return Answer::Number(5); }; }},
        {WM_KILLFOCUS, [&] { w->bLostFocus = [](TWindow&, HWND) { return Answer::Number(5); }; }},
    };
    for (const auto& c : cases) {
        c.set();
        EXPECT_EQ(SendMessageA(w->hWnd, c.message, 0, 0), 5) << c.message;
    }
    DestroyWindow(w->hWnd);
}

TEST(WindowEventTest, ADropOverHandsOnThePendingDropInformationOnce) {
    auto w = TWindow::New();
    Value seen;
    int row = 0, col = 0;
    w->bDropOver = [&](const Value& info, int r, int c, LPARAM) {
        seen = info;
        row = r;
        col = c;
    };
    SETDROPINFO("dragged");
    SendMessageA(w->hWnd, LM_DROPOVER, 0, MAKELPARAM(4, 9));
    EXPECT_EQ(seen, Value("dragged"));
    EXPECT_EQ(row, 4);
    EXPECT_EQ(col, 9);
    EXPECT_TRUE(GETDROPINFO().IsNil()) << "taken and cleared";
    DestroyWindow(w->hWnd);
}

TEST(WindowEventTest, ControlsWithoutAnIdentifierGetNoColourMessage) {
    auto w = TWindow::New();
    for (int id : {-1, 65535}) {
        HWND label = CreateWindowA("STATIC", "x", WS_CHILD, 0, 0, 10, 10, w->hWnd,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
        EXPECT_TRUE(w->HandleEvent(WM_CTLCOLORSTATIC, 0, reinterpret_cast<LPARAM>(label)).IsNil()) << id;
    }
}

// A bar, or a message bar, that answers nothing itself must not send the
// message back where it came from.
TEST(WindowEventTest, ABarWithoutItsOwnMethodsEndsTheChain) {
    auto w = TWindow::New();
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "ToolbarWindow32";  // the common controls are not loaded here
    RegisterClassA(&wc);
    auto bar = std::make_shared<TWindow>();
    bar->hWnd = CreateWindowA("ToolbarWindow32", "", WS_CHILD, 0, 0, 10, 10, w->hWnd, nullptr, nullptr, nullptr);
    bar->Link();
    EXPECT_TRUE(w->HandleEvent(WM_COMMAND, 5, reinterpret_cast<LPARAM>(bar->hWnd)).IsNil());
    w->oMsgBar = TWindow::New({.nTop = 0, .nLeft = 0, .nBottom = 1, .nRight = 10, .oWnd = w});
    w->SetMsg("hello");
    w->oMsgBar->SetMsg("again");
    DestroyWindow(w->hWnd);
    UnregisterClassA("ToolbarWindow32", GetModuleHandleA(nullptr));
}

TEST(WindowMethodsTest, SwitchesReturnTheirPreviousValue) {
    EXPECT_FALSE(SETBALLOON(true));
    EXPECT_TRUE(SETBALLOON(false));
    EXPECT_TRUE(SETALPHA(false));
    EXPECT_FALSE(SETALPHA(true));
}

TEST(WindowMethodsTest, EditCommandsRunTheirHooksOrAnswerNil) {
    auto w = TWindow::New();
    EXPECT_TRUE(w->Copy().IsNil());
    w->bCopy = [](TWindow& self) { return Value(self.cCaption + " copied"); };
    w->cCaption = "text";
    EXPECT_EQ(w->Copy(), Value("text copied"));
    w->bZip = [](const Value& x) { return x; };
    EXPECT_EQ(w->Zip(7), Value(7));
    DestroyWindow(w->hWnd);
}

TEST(WindowMethodsTest, CenterPlacesTheWindowInTheMiddleOfTheDesktop) {
    auto w = TWindow::New({.nTop = 0, .nLeft = 0, .nBottom = 99, .nRight = 199, .lPixel = true});
    w->Center();
    RECT desktop, r;
    GetWindowRect(GetDesktopWindow(), &desktop);
    GetWindowRect(w->hWnd, &r);
    EXPECT_EQ(r.left, (desktop.right - 200) / 2);
    EXPECT_EQ(r.top, (desktop.bottom - 100) / 2);
    auto child = TWindow::New({.nTop = 1, .nLeft = 1, .nBottom = 2, .nRight = 5, .oWnd = w});
    EXPECT_EQ(child->ChildLevel(), 1);
    EXPECT_EQ(w->ChildLevel(), 0);
    DestroyWindow(w->hWnd);
}

// ---- activation and closing ----

void CALLBACK CloseByTheBox(HWND hWnd, UINT, UINT_PTR id, DWORD) {
    KillTimer(hWnd, id);
    SendMessageA(hWnd, WM_SYSCOMMAND, SC_CLOSE, 0);
}

TEST(WindowActivateTest, TheCloseBoxEndsTheLoopThroughWmClose) {
    auto w = TWindow::New({.cTitle = "main"});
    const HWND h = w->hWnd;
    bool initRan = false;
    w->bInit = [&initRan](TWindow& self) {
        initRan = IsWindowVisible(self.hWnd) != 0;
        SetTimer(self.hWnd, 1, 20, &CloseByTheBox);
        return Answer::Nil();
    };
    w->Activate();  // returns when the loop ends
    EXPECT_TRUE(initRan);
    EXPECT_FALSE(IsWindow(h));
    EXPECT_EQ(w->hWnd, nullptr);
    EXPECT_EQ(w->SlotIndex(), 0);
    EXPECT_FALSE(LWRUNNING());
}

TEST(WindowActivateTest, AFailingValidityTestKeepsTheWindowOpen) {
    auto w = TWindow::New();
    w->bValid = [] { return false; };
    EXPECT_FALSE(w->End());
    EXPECT_EQ(SendMessageA(w->hWnd, WM_QUERYENDSESSION, 0, 0), 0);
    SendMessageA(w->hWnd, WM_SYSCOMMAND, SC_CLOSE, 0);
    Pump();
    EXPECT_TRUE(IsWindow(w->hWnd));
    w->bValid = nullptr;
    EXPECT_TRUE(w->End());
    Pump();
    EXPECT_FALSE(IsWindow(w->hWnd));
}

std::shared_ptr<TWindow> mainWindow;
bool secondReturned = false, secondIsNotTheApplication = false, loopStillRunning = false;

// Inside the main loop: a second top-level window comes and goes.
void CALLBACK OpenAndCloseASecondWindow(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    auto second = TWindow::New({.cTitle = "second"});
    second->Activate();  // returns at once: the loop is already running
    secondReturned = true;
    secondIsNotTheApplication = GETWNDAPP() != second->hWnd;
    second->End();
    SYSREFRESH();
    loopStillRunning = IsWindow(mainWindow->hWnd) && LWRUNNING();
    mainWindow->End();
}

TEST(WindowActivateTest, ASecondTopLevelWindowInsideTheLoopNeitherBlocksNorEndsIt) {
    mainWindow = TWindow::New({.cTitle = "main"});
    mainWindow->bInit = [](TWindow&) {
        SetTimer(nullptr, 0, 20, &OpenAndCloseASecondWindow);
        return Answer::Nil();
    };
    mainWindow->Activate();
    EXPECT_TRUE(secondReturned);
    EXPECT_TRUE(secondIsNotTheApplication);
    EXPECT_TRUE(loopStillRunning);
    mainWindow.reset();
}

TEST(WindowActivateTest, MaximizedIsShownBeforeBInitRuns) {
    auto w = TWindow::New();
    bool zoomedAtInit = false;
    w->bInit = [&zoomedAtInit](TWindow& self) {
        zoomedAtInit = IsZoomed(self.hWnd) != 0;
        self.End();
        return Answer::Nil();
    };
    w->Activate({.cShow = "MAXIMIZED"});
    EXPECT_TRUE(zoomedAtInit);
}

TEST(WindowActivateTest, AnObjectWithNoWindowReturnsFromActivateAtOnce) {
    auto never = std::make_shared<TWindow>();
    never->Activate();  // a loop here would never end
    EXPECT_FALSE(LWRUNNING());
    EXPECT_EQ(GETWNDAPP(), nullptr);
}

TEST(WindowActivateTest, ActivatesOwnValidityTestKeepsTheWindowOpen) {
    auto w = TWindow::New();
    int asked = 0;
    const auto refuseOnce = [&asked] { return ++asked > 1; };
    w->bInit = [](TWindow& self) {
        SendMessageA(self.hWnd, WM_SYSCOMMAND, SC_CLOSE, 0);  // refused
        Pump();
        EXPECT_TRUE(IsWindow(self.hWnd));
        SendMessageA(self.hWnd, WM_SYSCOMMAND, SC_CLOSE, 0);  // accepted
        return Answer::Nil();
    };
    w->Activate({.bValid = refuseOnce});
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(w->hWnd, nullptr);
}

TEST(WindowActivateTest, ShowStatesMapToShowCommands) {
    EXPECT_EQ(TWindow::ShowCommand("HIDDEN"), SW_HIDE);
    EXPECT_EQ(TWindow::ShowCommand("NORMAL"), SW_SHOWNORMAL);
    EXPECT_EQ(TWindow::ShowCommand("MAXIMIZED"), SW_SHOWMAXIMIZED);
    EXPECT_EQ(TWindow::ShowCommand("sideways"), -1);
}

TEST(WindowMethodsTest, AnObjectOutsideASharedPointerIsReportedAndNeverLinked) {
    std::optional<ErrorRecord> seen;
    SetErrorHandler([&seen](const ErrorRecord& e) {
        seen = e;
        return Value(false);
    });
    TWindow loose;
    loose.hWnd = CreateWindowA("STATIC", "loose", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    loose.Link();
    ASSERT_TRUE(seen);
    EXPECT_EQ(seen->Description, "Window object not held by a std::shared_ptr");
    EXPECT_TRUE(seen->CanDefault) << "the program can go on without this window's messages";
    EXPECT_EQ(loose.SlotIndex(), 0);
    EXPECT_FALSE(loose.nOldProc.has_value());
    DestroyWindow(loose.hWnd);
    TFont font;
    font.nCount = 1;
    font.End();  // no cache entry, no handle: nothing to do, and no throw
}

// A copy of the screen's top-left corner, where drawing on GetDC(0) would land.
std::vector<COLORREF> ScreenCorner() {
    std::vector<COLORREF> pixels;
    HDC screen = GetDC(nullptr);
    for (int y = 0; y < 120; y += 3)
        for (int x = 0; x < 120; x += 3) pixels.push_back(GetPixel(screen, x, y));
    ReleaseDC(nullptr, screen);
    return pixels;
}

// The corner once the desktop has repainted what earlier windows covered.
std::vector<COLORREF> SettledScreenCorner() {
    auto last = ScreenCorner();
    for (int i = 0; i < 50; ++i) {
        Sleep(20);
        Pump();
        auto now = ScreenCorner();
        if (now == last) return now;
        last = std::move(now);
    }
    return last;
}

TEST(WindowActivateTest, MethodsOnAWindowThatIsGoneDoNoHarm) {
    auto w = TWindow::New();
    DestroyWindow(w->hWnd);
    ASSERT_EQ(w->hWnd, nullptr);
    const auto screen = SettledScreenCorner();
    w->Box(0, 0, 100, 100);
    w->Line(0, 0, 100, 100);
    w->Circle(10, 10, 50);
    w->SetPixel(5, 5, RGB(255, 0, 0));
    w->FloodFill(50, 50, RGB(1, 1, 1), static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    w->SayRect({0, 0, 50, 100}, "drawn on the desktop");
    EXPECT_EQ(ScreenCorner(), screen) << "nothing drawn on the screen";
    w->Refresh();
    w->Enable();
    w->Disable();
    w->Hide();
    w->CoorsUpdate();
    EXPECT_TRUE(w->Destroy().IsNil());
    EXPECT_EQ(w->cTitle(), "");
    w->Say(1, 1, "x");
    EXPECT_EQ(w->nPaintCount, 0);
    EXPECT_EQ(ScreenCorner(), screen);
}

// The child object lives on; its parent object went with its window.
TEST(WindowMethodsTest, AChildOutlivingItsParentFindsItGone) {
    auto parent = TWindow::New();
    auto child = TWindow::New({.nTop = 1, .nLeft = 1, .nBottom = 3, .nRight = 10, .oWnd = parent});
    std::weak_ptr<TWindow> watch = parent;
    DestroyWindow(parent->hWnd);
    parent.reset();
    ASSERT_TRUE(watch.expired());
    EXPECT_EQ(child->Parent(), nullptr);
    EXPECT_EQ(child->ChildLevel(), 0);
    child->SetMsg("nobody listens");
    EXPECT_TRUE(child->KeyDown(VK_TAB, 0).IsNil());
    EXPECT_TRUE(child->KeyChar(VK_ESCAPE, 0).IsNil());
}

TEST(WindowMethodsTest, AnIconSharedByTwoWindowsOutlivesTheFirst) {
    BYTE andMask[128], xorMask[128];
    std::fill(std::begin(andMask), std::end(andMask), 0x00);
    std::fill(std::begin(xorMask), std::end(xorMask), 0xFF);
    auto registers = TWindow::New();  // the class, which keeps its icon for good, gets none of ours
    auto icon = std::make_shared<TIcon>();
    icon->hIcon = CreateIcon(nullptr, 32, 32, 1, 1, andMask, xorMask);
    const HICON handle = icon->hIcon;
    auto first = TWindow::New({.oIcon = icon});
    auto second = TWindow::New({.oIcon = icon});
    icon.reset();
    DestroyWindow(first->hWnd);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(handle, &info)) << "the second window still shows it";
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyWindow(second->hWnd);
    EXPECT_FALSE(GetIconInfo(handle, &info)) << "destroyed with its last holder";
}

TEST(WindowMethodsTest, RefreshWithNoWindowInvalidatesNoOtherWindow) {
    const auto elsewhere = TWindow::New({.cTitle = "elsewhere"});
    ShowWindow(elsewhere->hWnd, SW_SHOWNORMAL);
    Pump();
    ValidateRect(elsewhere->hWnd, nullptr);
    const auto unmade = std::make_shared<TWindow>();
    unmade->Refresh();
    EXPECT_FALSE(GetUpdateRect(elsewhere->hWnd, nullptr, FALSE)) << "told to paint";
}

std::shared_ptr<TIcon> MadeIcon(BYTE pattern) {
    BYTE andMask[128], xorMask[128];
    std::fill(std::begin(andMask), std::end(andMask), 0x00);
    std::fill(std::begin(xorMask), std::end(xorMask), pattern);
    auto icon = std::make_shared<TIcon>();
    icon->hIcon = CreateIcon(nullptr, 32, 32, 1, 1, andMask, xorMask);
    return icon;
}

bool IconAlive(HICON hIcon) {
    ICONINFO info{};
    if (!GetIconInfo(hIcon, &info)) return false;
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return true;
}

// Whether the icon the window shows still lived when WM_SETICON replaced it.
struct IconWatch {
    static inline HICON shown = nullptr;
    static inline std::optional<bool> aliveWhenReplaced;
    static LRESULT CALLBACK Hook(int nCode, WPARAM wParam, LPARAM lParam) {
        const auto* m = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (nCode == HC_ACTION && m->message == WM_SETICON && shown) aliveWhenReplaced = IconAlive(shown);
        return CallNextHookEx(nullptr, nCode, wParam, lParam);
    }
};

// A copy of an icon object would destroy its handle a second time.
TEST(WindowMethodsTest, AnIconIsNotCopiedAndSetIconTellsTheWindowBeforeTheOldOneGoes) {
    EXPECT_FALSE(std::is_copy_constructible_v<TIcon>);
    EXPECT_FALSE(std::is_copy_assignable_v<TIcon>);
    auto registers = TWindow::New();  // the class keeps its icon for good
    auto w = TWindow::New();
    w->SetIcon(MadeIcon(0xFF));
    const HICON first = w->oIcon->hIcon;
    auto second = MadeIcon(0x0F);
    const HICON next = second->hIcon;
    IconWatch::shown = first;
    const HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, &IconWatch::Hook, nullptr, GetCurrentThreadId());
    w->SetIcon(std::move(second));
    UnhookWindowsHookEx(hook);
    IconWatch::shown = nullptr;
    EXPECT_EQ(IconWatch::aliveWhenReplaced, true);
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(w->hWnd, WM_GETICON, ICON_BIG, 0)), next);
    EXPECT_FALSE(IconAlive(first)) << "gone with its last holder";
    w->SetIcon(nullptr);
    EXPECT_EQ(SendMessageA(w->hWnd, WM_GETICON, ICON_BIG, 0), 0) << "the window shows no icon it lost";
    EXPECT_FALSE(IconAlive(next));
}

}  // namespace
}  // namespace corvix
