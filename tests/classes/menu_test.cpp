#include "corvix/classes/menu.h"

#include <gtest/gtest.h>

#include <set>

#include "corvix/classes/dialog.h"
#include "corvix/classes/menuitem.h"
#include "corvix/classes/pdmenu.h"
#include "corvix/classes/tacctbl.h"
#include "corvix/classes/window.h"
#include "corvix/function/cxerror.h"
#include "corvix/native/eventloop.h"
#include "tests/support/gdiprobe.h"
#include "tests/support/testwindow.h"

namespace corvix {
namespace {

using corvix_test::Pump;

std::string BesideTheTests(const std::string& name) {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string dir = path;
    return dir.substr(0, dir.find_last_of("\\/") + 1) + name;
}

UINT EntryType(HMENU hMenu, UINT nPos) {
    MENUITEMINFOA info{.cbSize = sizeof info, .fMask = MIIM_FTYPE};
    GetMenuItemInfoA(hMenu, nPos, TRUE, &info);
    return info.fType;
}

// A menu bar with one "&File" sub-menu holding the given items.
struct FileMenu {
    std::shared_ptr<TMenu> bar, file;
    std::vector<std::shared_ptr<TMenuItem>> items;
};

FileMenu BuildFileMenu(const std::vector<MenuAddItemArgs>& aItems, bool l2007 = true) {
    FileMenu built;
    built.bar = MENUBEGIN(false, false, nullptr, l2007);
    MENUADDITEM({.cPrompt = "&File"});
    built.file = MENUBEGIN();
    for (const auto& args : aItems) built.items.push_back(MENUADDITEM(args));
    MENUEND();
    MENUEND();
    return built;
}

std::shared_ptr<TWindow> WindowWith(const std::shared_ptr<TMenu>& menu) {
    auto window = TWindow::New({.cTitle = "Menus", .oMenu = menu});
    ShowWindow(window->hWnd, SW_SHOWNORMAL);
    Pump();
    return window;
}

// A key pressed in the window, through the main loop's accelerator translation.
void KeyThroughTheMainLoop(HWND hWnd, WORD nKey) {
    PostMessageA(hWnd, WM_KEYDOWN, nKey, 0x00400001);
    PostQuitMessage(0);  // taken only once the key has gone through
    WINRUN(hWnd);
}

// Items an earlier test still holds keep their identifiers: 20001 and 20002 when none is live.
TEST(MenuItemTest, IdentifiersStartAt20001AndNoLiveOneIsHandedOutTwice) {
    const std::set<int> held = TMenuItem::aLiveIds();
    const auto freeFrom = [&held](int id) {
        while (held.contains(id)) ++id;
        return id;
    };
    const auto a = TMenuItem::New({.cPrompt = "a"}), b = TMenuItem::New({.cPrompt = "b"});
    EXPECT_EQ(a->nId, freeFrom(20001));
    EXPECT_EQ(b->nId, freeFrom(a->nId + 1));
    EXPECT_EQ(a->cVarName, "oMItem" + std::to_string(a->nId));
    const int ended = b->nId;
    b->End();
    const auto c = TMenuItem::New({.cPrompt = "c"}), d = TMenuItem::New({.cPrompt = "d"});
    const std::set<int> live{a->nId, c->nId, d->nId};
    EXPECT_EQ(live.size(), 3u);
    EXPECT_EQ(c->nId, ended);  // the lowest free one
}

TEST(MenuBuildTest, NestingHangsTheInnerMenuUnderTheLastItemAndSeparatorsFollowTheLook) {
    const auto built = BuildFileMenu({{.cPrompt = "&Open"}, {}});
    EXPECT_EQ(GetSubMenu(built.bar->hMenu, 0), built.file->hMenu);
    EXPECT_EQ(built.bar->aMenuItems[0]->oSubMenu, built.file);
    EXPECT_EQ(built.bar->GetMenuItem(reinterpret_cast<UINT_PTR>(built.file->hMenu)), built.bar->aMenuItems[0]);
    EXPECT_EQ(built.bar->GetMenuItem(built.items[0]->nId), built.items[0]);
    for (const bool l2007 : {true, false}) {
        const auto menu = MENUBEGIN(false, false, nullptr, l2007);
        MENUADDITEM({});
        MENUEND();
        EXPECT_TRUE(EntryType(menu->hMenu, 0) & MFT_SEPARATOR);
        EXPECT_EQ((EntryType(menu->hMenu, 0) & MFT_OWNERDRAW) != 0, l2007) << "2007: " << l2007;
        menu->End();
    }
}

TEST(MenuBuildTest, EndWithNothingOpenOrNoLastItemIsHarmlessAndADroppedMenuTakesItsHandle) {
    EXPECT_EQ(MENUEND(), nullptr);
    const auto outer = MENUBEGIN();
    auto inner = MENUBEGIN();
    EXPECT_EQ(MENUEND(), inner);
    EXPECT_EQ(LASTMENU(), outer);
    EXPECT_EQ(LASTITEMPOS(), 0);
    EXPECT_EQ(MENUEND(), outer);
    EXPECT_EQ(GetMenuItemCount(outer->hMenu), 0);
    EXPECT_EQ(LASTMENU(), nullptr);
    EXPECT_EQ(MENUADDITEM({.cPrompt = "stray"}), nullptr);
    // Never ended: the orphan, a pop-up, a bar with its sub-menu.
    auto popup = TMenu::New(true);
    auto built = BuildFileMenu({{.cPrompt = "&Open"}});
    const HMENU handles[] = {inner->hMenu, popup->hMenu, built.bar->hMenu, built.file->hMenu};
    inner.reset();
    popup.reset();
    built = {};
    for (const HMENU h : handles) EXPECT_FALSE(IsMenu(h));
}

TEST(MenuBuildTest, ASystemMenuWithoutAWindowAndAddingToAnEndedMenuRaiseErrors) {
    std::vector<std::string> seen;
    SetErrorHandler([&seen](const ErrorRecord& e) {
        seen.push_back(e.Operation);
        return Value(false);
    });
    EXPECT_EQ(MENUBEGIN(false, true), nullptr);
    EXPECT_EQ(LASTMENU(), nullptr);
    const auto menu = TMenu::New();
    menu->End();
    menu->Add(TMenuItem::New({.cPrompt = "late"}));
    EXPECT_TRUE(menu->aMenuItems.empty());
    EXPECT_EQ(seen, (std::vector<std::string>{"MENUBEGIN", "TMenu:Add"}));
}

TEST(MenuCommandTest, OnlyAKnownIdentifierWhoseConditionHoldsRunsItsActionWithTheItem) {
    std::vector<TMenuItem*> ran;
    bool allowed = false;
    const auto record = [&](TMenuItem& item) { ran.push_back(&item); };
    const auto built = BuildFileMenu({{.cPrompt = "&Run", .bAction = record},
                                      {.cPrompt = "&Guarded", .bAction = record, .bWhen = [&](TMenuItem&) {
                                           return allowed;
                                       }}});
    const auto window = WindowWith(built.bar);
    const auto send = [&](int id) { SendMessageA(window->hWnd, WM_COMMAND, static_cast<WPARAM>(id), 0); };
    send(built.items[0]->nId);
    send(built.items[1]->nId);  // its condition fails
    send(40000);
    ASSERT_EQ(ran.size(), 1u);
    EXPECT_EQ(ran[0], built.items[0].get());
    EXPECT_EQ(TMenu::LastItem(), built.items[0]);
    allowed = true;
    send(built.items[1]->nId);
    EXPECT_EQ(ran.size(), 2u);
    // A pop-up kept after its tracking leaves the bar's commands to the bar.
    window->oPopup = TMenu::New(true);
    send(built.items[0]->nId);
    EXPECT_EQ(ran.size(), 3u);
}

// With a pop-up kept and no Cancel button, Escape's IDCANCEL still ends the dialog.
TEST(MenuCommandTest, ADialogRunsAcceleratorsAndKeepsItsOwnCommandsBesideAKeptPopup) {
    int runs = 0;
    const auto built = BuildFileMenu({{.cPrompt = "&Run", .bAction = [&runs](TMenuItem&) { ++runs; }}});
    const auto d = TDialog::New({.cTitle = "Menus"});
    d->Activate({.bInit = [&](TWindow& self) {
        d->SetMenu(built.bar);
        d->oPopup = TMenu::New(true);
        SendMessageA(self.hWnd, WM_COMMAND, MAKEWPARAM(built.items[0]->nId, 1), 0);  // an accelerator
        SendMessageA(self.hWnd, WM_COMMAND, IDCANCEL, 0);
        if (d->hWnd) d->End(7);  // still open: the command was lost
        return Answer::Nil();
    }});
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(d->nResult.AsInteger(), IDCANCEL);
}

// Records the end of the system's menu loop.
// Records the end of the system's menu loop and the first menu it opened.
class MenuLoopWindow : public TWindow {
public:
    bool lLoopEnded = false;
    HMENU hOpened = nullptr;
    Answer HandleEvent(UINT nMsg, WPARAM wParam, LPARAM lParam) override {
        if (nMsg == WM_EXITMENULOOP) lLoopEnded = true;
        if (nMsg == WM_INITMENUPOPUP && !hOpened) hOpened = reinterpret_cast<HMENU>(wParam);
        return TWindow::HandleEvent(nMsg, wParam, lParam);
    }
};

WORD chosenId = 0;
HWND popupOwner = nullptr;

// Inside the menu loop: choose the item the way a click does, then close the menu.
void CALLBACK ChooseAndClose(HWND, UINT, UINT_PTR nTimer, DWORD) {
    KillTimer(nullptr, nTimer);
    PostMessageA(popupOwner, WM_COMMAND, chosenId, 0);
    EndMenu();
}

TEST(MenuPopupTest, ActivateRunsTheChosenItemOnceAfterTheMenuLoop) {
    auto window = std::make_shared<MenuLoopWindow>();
    window->Init({.cTitle = "Pop-up"});
    ShowWindow(window->hWnd, SW_SHOWNORMAL);
    Pump();
    for (const bool onClick : {false, true}) {  // the action, or OnClick with the window
        int runs = 0;
        bool afterLoop = false;
        TMenuItem* ranWith = nullptr;
        const TMenuItem::Action run = [&](TMenuItem& chosen) {
            ++runs;
            afterLoop = window->lLoopEnded;
            ranWith = &chosen;
        };
        window->lLoopEnded = false;
        const auto popup = MENUBEGIN(true, false, nullptr, true);
        const auto item = MENUADDITEM({.cPrompt = "&Choose", .bAction = onClick ? nullptr : run});
        MENUEND();
        TWindow* clickedIn = nullptr;
        if (onClick) item->OnClick = [&](TWindow& w, TMenuItem& chosen) {
            clickedIn = &w;
            run(chosen);
        };
        chosenId = static_cast<WORD>(item->nId);
        popupOwner = window->hWnd;
        SetTimer(nullptr, 0, 1, &ChooseAndClose);
        popup->Activate(10, 10, window);
        EXPECT_EQ(runs, 1) << "OnClick " << onClick;
        EXPECT_TRUE(afterLoop);
        EXPECT_EQ(ranWith, item.get());
        if (onClick) {
            EXPECT_EQ(clickedIn, window.get());
        }
        EXPECT_EQ(window->oPopup, nullptr);
        EXPECT_EQ(popup->hMenu, nullptr);  // ended
        popup->Activate(10, 10, nullptr);  // no window: nothing
    }
}

TEST(MenuAcceleratorTest, F5ThroughTheMainLoopRunsTheAction) {
    int runs = 0;
    const auto built = BuildFileMenu({{.cPrompt = "&Refresh\tF5", .bAction = [&](TMenuItem&) { ++runs; },
                                       .nVirtKey = VK_F5}});
    ASSERT_TRUE(built.bar->oAccTable);
    const auto window = WindowWith(built.bar);
    EXPECT_NE(CurrentAccelerators(), nullptr);
    PostMessageA(window->hWnd, WM_KEYDOWN, VK_F5, 0x003F0001);
    PostQuitMessage(0);  // taken only once the key has gone through
    WINRUN(window->hWnd);
    EXPECT_EQ(runs, 1);
    TAccTable::New()->Activate();  // an empty table ends the current one
    EXPECT_EQ(CurrentAccelerators(), nullptr);
}

TEST(MenuWhenTest, OpeningAMenuGreysItemsWhoseConditionFailsAndKeepsThoseWithoutAnswer) {
    const auto built = BuildFileMenu({{.cPrompt = "&No", .bWhen = [](TMenuItem&) { return false; }},
                                      {.cPrompt = "&Unsure", .bWhen = [](TMenuItem&) { return std::nullopt; }}});
    const auto window = WindowWith(built.bar);
    window->oPopup = TMenu::New(true);  // kept after its tracking: the bar's menus stay the bar's
    SendMessageA(window->hWnd, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(built.file->hMenu), 0);
    const auto grey = [&](UINT i) { return GetMenuState(built.file->hMenu, i, MF_BYPOSITION) & MF_GRAYED; };
    EXPECT_TRUE(grey(0));
    EXPECT_FALSE(grey(1));
    EXPECT_FALSE(built.items[0]->lActive);
    SendMessageA(window->hWnd, WM_MENUSELECT, MAKEWPARAM(built.items[1]->nId, MF_STRING),
                 reinterpret_cast<LPARAM>(built.file->hMenu));
    EXPECT_EQ(window->oMItemSelect.lock(), built.items[1]);
    // An entry that opens a sub-menu passes Enable on to it.
    built.bar->aMenuItems[0]->Enable();
    EXPECT_FALSE(grey(0));
}

TEST(MenuSysTest, EndingTheSystemMenuObjectLeavesTheMenuBarAndNothingLeaks) {
    const std::string bmp = BesideTheTests("menu16.bmp");
    const auto built = BuildFileMenu({{.cPrompt = "&Open\tCtrl+O", .cBmpFile = bmp, .cResName = "MENUBMP"},
                                      {},
                                      {.cPrompt = "&Close", .lChecked = true}});
    const auto window = WindowWith(built.bar);
    const int systemEntries = GetMenuItemCount(GetSystemMenu(window->hWnd, FALSE));
    int extraRuns = 0;
    const auto sys = MENUBEGIN(false, true, window);
    const auto extra = MENUADDITEM({.cPrompt = "&Extra", .bAction = [&](TMenuItem&) { ++extraRuns; }});
    MENUEND();
    EXPECT_EQ(window->oSysMenu, sys);
    SendMessageA(window->hWnd, WM_SYSCOMMAND, static_cast<WPARAM>(extra->nId), 0);
    EXPECT_EQ(extraRuns, 1);
    EXPECT_EQ(GetMenuItemCount(GetSystemMenu(window->hWnd, FALSE)), systemEntries + 1);
    sys->End();
    EXPECT_EQ(GetMenu(window->hWnd), built.bar->hMenu);
    EXPECT_TRUE(IsMenu(built.bar->hMenu));
    EXPECT_EQ(GetMenuItemCount(GetSystemMenu(window->hWnd, FALSE)), systemEntries);

    const int baseline = corvix_test::CountLiveGdiObjects();
    for (int i = 0; i < 3; ++i) {
        const auto item = TMenuItem::New({.cPrompt = "both", .cBmpFile = bmp, .cResName = "MENUBMP"});
        EXPECT_NE(item->hBitmap, nullptr);
        item->End();
    }
    const auto again = BuildFileMenu({{.cPrompt = "&Open", .cBmpFile = bmp}});
    again.bar->End();
    EXPECT_EQ(corvix_test::CountLiveGdiObjects(), baseline);
}

TEST(MenuResetTest, ResetEndsTheItemsAndKeepsTheKind) {
    const auto built = BuildFileMenu({{.cPrompt = "&Open"}});
    const auto window = WindowWith(built.bar);
    const int fileId = built.items[0]->nId;
    built.bar->Reset();
    EXPECT_EQ(built.bar->aMenuItems.size(), 0u);
    EXPECT_FALSE(TMenuItem::aLiveIds().contains(fileId));
    EXPECT_EQ(GetMenu(window->hWnd), built.bar->hMenu);
    const auto popup = TMenu::New(true);
    popup->Add(TMenuItem::New({.cPrompt = "x"}));
    popup->Reset();
    EXPECT_TRUE(popup->lPopup);
    EXPECT_EQ(TMenu::GetPopup(popup->hMenu), popup);
    const auto sys = TMenu::NewSys(window);
    sys->Reset();
    EXPECT_TRUE(sys->lSysMenu);
    EXPECT_EQ(sys->hMenu, GetSystemMenu(window->hWnd, FALSE));
    EXPECT_EQ(GetMenu(window->hWnd), built.bar->hMenu);
}

TEST(MenuItemTest, SetPromptKeepsTheOwnerDrawnLook) {
    const auto built = BuildFileMenu({{.cPrompt = "&Open"}});
    built.items[0]->SetPrompt("&Reopen");
    EXPECT_TRUE(EntryType(built.file->hMenu, 0) & MFT_OWNERDRAW);
    EXPECT_EQ(MenuEntryText(built.file->hMenu, static_cast<UINT>(built.items[0]->nId)), "&Reopen");
}

// An entry longer than 255 bytes, or with a character across byte 255, comes back whole.
TEST(MenuItemTest, AnEntrysTextComesBackWholeHoweverLong) {
    const std::string across = std::string(254, 'a') + "Жук ωμέγα";  // "Ж" takes bytes 254 and 255
    for (const std::string& prompt : {std::string(300, 'x'), across}) {
        const auto built = BuildFileMenu({{.cPrompt = prompt}});
        EXPECT_EQ(MenuEntryText(built.file->hMenu, static_cast<UINT>(built.items[0]->nId)), prompt) << prompt.size();
    }
    const std::string resource = across + std::string(40, 'b');
    EXPECT_EQ(TMenu::ReDefine("LONGMENU")->GetMenuItem(611)->cPrompt, resource);
    const auto popup = TMenu::ReDefine("LONGMENU", true);
    EXPECT_EQ(popup->GetMenuItem(611)->cPrompt, resource) << "taken from the resource's entries moved into a pop-up";
    EXPECT_EQ(MenuEntryText(popup->hMenu, 611), resource);
}

TEST(MenuItemTest, ReDefineChangesTheExistingItemItsEntryAndItsShortcut) {
    int runs = 0;
    const auto built = BuildFileMenu({{.cPrompt = "&Old"}, {.cPrompt = "&Refresh\tF5", .nVirtKey = VK_F5}});
    const auto window = WindowWith(built.bar);
    const auto& item = built.items[0];
    const auto changed = item->ReDefine({.cPrompt = "&New", .lActive = false, .bAction = [&](TMenuItem&) { ++runs; },
                                         .nId = item->nId, .nVirtKey = VK_F6});
    EXPECT_EQ(changed, item);
    EXPECT_EQ(MenuEntryText(built.file->hMenu, static_cast<UINT>(item->nId)), "&New");
    EXPECT_EQ(GetMenuState(built.file->hMenu, 0, MF_BYPOSITION) & (MF_DISABLED | MF_GRAYED), MF_DISABLED | MF_GRAYED);
    item->Enable();
    // The key joined the bar's table, which is current again.
    PostMessageA(window->hWnd, WM_KEYDOWN, VK_F6, 0x00400001);
    PostQuitMessage(0);
    WINRUN(window->hWnd);
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(item->ReDefine({.nId = 1}), nullptr);
}

// For an owner-drawn entry the system asks the owner what a typed letter means; the answer
// must run the entry, not only select it.
TEST(MenuOwnerDrawTest, ALetterTypedInAnOwnerDrawnMenuRunsItsEntry) {
    const auto built = BuildFileMenu({{.cPrompt = "&Open"}, {.cPrompt = "&Close"}});
    const auto window = WindowWith(built.bar);
    ASSERT_TRUE(EntryType(built.file->hMenu, 1) & MFT_OWNERDRAW);
    const struct {
        WORD nChar;
        WORD nPos;
    } cases[] = {{'c', 1}, {'O', 0}};
    for (const auto& c : cases)
        EXPECT_EQ(SendMessageA(window->hWnd, WM_MENUCHAR, MAKEWPARAM(c.nChar, MF_POPUP),
                               reinterpret_cast<LPARAM>(built.file->hMenu)),
                  MAKELRESULT(c.nPos, MNC_EXECUTE))
            << char(c.nChar);
}

TEST(MenuOwnerDrawTest, TheWindowMeasuresItsEntriesAndDrawsAForeignOneWithTheMenusText) {
    const auto built = BuildFileMenu({{.cPrompt = "&Open\tCtrl+O"}, {}});
    const auto window = WindowWith(built.bar);
    MEASUREITEMSTRUCT measure{.CtlType = ODT_MENU, .itemID = static_cast<UINT>(built.items[0]->nId)};
    EXPECT_EQ(SendMessageA(window->hWnd, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure)), 0);
    HDC screen = GetDC(nullptr);
    SIZE text{};
    GetTextExtentPoint32A(screen, "Open\tCtrl+O", 11, &text);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(measure.itemWidth, static_cast<UINT>(0.9 * text.cx) + 100);
    measure.itemID = static_cast<UINT>(built.items[1]->nId);
    SendMessageA(window->hWnd, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure));
    EXPECT_EQ(measure.itemHeight, 10u);

    HMENU foreign = CreatePopupMenu();
    AppendMenuA(foreign, MF_STRING, 77, "Plain");
    MITEMS2007(foreign);
    const corvix_test::Canvas canvas(200, 20);
    DRAWITEMSTRUCT draw{.CtlType = ODT_MENU, .itemID = 77, .itemAction = ODA_DRAWENTIRE,
                        .hwndItem = reinterpret_cast<HWND>(foreign), .hDC = canvas.Get(), .rcItem = {0, 0, 200, 20}};
    SendMessageA(window->hWnd, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw));
    bool ink = false;
    for (int x = 33; x < 80; ++x)
        for (int y = 2; y < 18; ++y) ink = ink || canvas.Pixel(x, y) == RGB(0, 0, 0);
    EXPECT_TRUE(ink) << "the entry's text, read from the menu";
    DestroyMenu(foreign);
}

TEST(MenuShortcutTest, AGoneItemsKeyDoesNothingAndItsIdentifiersNextHolderAnswersOnlyToItsOwn) {
    const struct {
        const char* how;
        void (*remove)(FileMenu&);
    } cases[] = {{"Destroy", [](FileMenu& m) { m.items[0]->Destroy(); }},
                 {"End", [](FileMenu& m) { m.items[0]->End(); }},
                 {"Reset", [](FileMenu& m) { m.file->Reset(); }}};
    for (const auto& c : cases) {
        std::vector<std::string> ran;
        auto built = BuildFileMenu({{.cPrompt = "&Open\tF5", .bAction = [&ran](TMenuItem&) { ran.push_back("Open"); },
                                     .nVirtKey = VK_F5}});
        const auto window = WindowWith(built.bar);
        const int freed = built.items[0]->nId;
        c.remove(built);
        const auto close = TMenuItem::New({.cPrompt = "&Close", .bAction = [&ran](TMenuItem&) { ran.push_back("Close"); }});
        built.file->Insert(close, 1);
        ASSERT_EQ(close->nId, freed) << c.how;
        close->ReDefine({.nId = close->nId, .nVirtKey = VK_F6});
        built.items[0]->SetCheck(true);  // held, it acts on no entry
        EXPECT_FALSE(GetMenuState(built.file->hMenu, static_cast<UINT>(freed), MF_BYCOMMAND) & MF_CHECKED) << c.how;
        KeyThroughTheMainLoop(window->hWnd, VK_F5);
        KeyThroughTheMainLoop(window->hWnd, VK_F6);
        EXPECT_EQ(ran, std::vector<std::string>{"Close"}) << c.how;
    }
}

TEST(MenuSysTest, BuildingTheSystemMenuAgainReplacesTheEntriesOfTheLastBuild) {
    const auto window = WindowWith(nullptr);
    const int systemEntries = GetMenuItemCount(GetSystemMenu(window->hWnd, FALSE));
    int runs[2] = {};
    for (int build = 0; build < 2; ++build) {
        MENUBEGIN(false, true, window);
        MENUADDITEM({.cPrompt = "&Extra", .bAction = [&runs, build](TMenuItem&) { ++runs[build]; }});
        MENUEND();
    }
    EXPECT_EQ(GetMenuItemCount(GetSystemMenu(window->hWnd, FALSE)), systemEntries + 1);
    SendMessageA(window->hWnd, WM_SYSCOMMAND, static_cast<WPARAM>(window->oSysMenu->aMenuItems[0]->nId), 0);
    EXPECT_EQ(runs[1], 1);
}

// The old bars are destroyed with their sub-menus; a key of theirs runs
// nothing, not even the item of the new bar that took its identifier.
TEST(MenuBarTest, ReplacingTheMenuBarTenTimesDestroysEveryOldOneAndStopsItsKeys) {
    int runs = 0;
    const auto window = WindowWith(nullptr);
    const auto make = [&runs](const char* cPrompt, WORD nKey) {
        return BuildFileMenu({{.cPrompt = cPrompt, .bAction = [&runs](TMenuItem&) { ++runs; }, .cResName = "MENUBMP",
                               .nVirtKey = nKey}});
    };
    window->SetMenu(make("&Open", VK_F5).bar);  // the first bitmap's and the bar painter's caches
    UpdateWindow(window->hWnd);
    window->SetMenu(nullptr);
    const int gdiBefore = corvix_test::CountLiveGdiObjects();
    std::vector<HMENU> old;
    for (int i = 0; i < 10; ++i) {
        const auto built = make("&Open", VK_F5);
        old.insert(old.end(), {built.bar->hMenu, built.file->hMenu});
        window->SetMenu(built.bar);
    }
    window->SetMenu(make("&Other", 0).bar);
    old.push_back(window->oMenu->hMenu);
    KeyThroughTheMainLoop(window->hWnd, VK_F5);
    EXPECT_EQ(runs, 0);
    window->SetMenu(nullptr);
    for (const HMENU h : old) EXPECT_FALSE(IsMenu(h));
    EXPECT_EQ(corvix_test::CountLiveGdiObjects(), gdiBefore);
}


std::shared_ptr<MenuLoopWindow> openedIn;

// Closes the menu once it has opened a pop-up, or after about a second.
void CALLBACK CloseOnceOpened(HWND, UINT, UINT_PTR nTimer, DWORD) {
    static int ticks = 0;
    if (!openedIn->hOpened && ++ticks < 50) return;
    ticks = 0;
    KillTimer(nullptr, nTimer);
    EndMenu();
}

// The usual rebuild of a recent-files menu: its entry on the bar still opens it.
TEST(MenuResetTest, AResetSubMenuShowsItsNewItemsWhenOpenedFromTheBar) {
    const auto built = BuildFileMenu({{.cPrompt = "&Old"}}, false);
    openedIn = std::make_shared<MenuLoopWindow>();
    openedIn->Init({.cTitle = "Recent", .oMenu = built.bar});
    ShowWindow(openedIn->hWnd, SW_SHOWNORMAL);
    SetForegroundWindow(openedIn->hWnd);
    Pump();
    built.file->Reset();
    const auto recent = TMenuItem::New({.cPrompt = "&Recent"});
    built.file->Add(recent);
    SetTimer(nullptr, 0, 20, &CloseOnceOpened);
    PostMessageA(openedIn->hWnd, WM_SYSCOMMAND, SC_KEYMENU, 'f');
    for (int i = 0; i < 300 && !openedIn->lLoopEnded; ++i) {
        Pump();
        Sleep(10);
    }
    EXPECT_EQ(openedIn->hOpened, built.file->hMenu);
    EXPECT_EQ(GetMenuItemCount(built.file->hMenu), 1);
    EXPECT_EQ(MenuEntryText(built.file->hMenu, static_cast<UINT>(recent->nId)), "&Recent");
    openedIn.reset();
}

TEST(MenuBuildTest, AddOnAClassicBarKeepsPlainEntriesAndOnAPopupDrawsThem) {
    for (const bool lPopup : {false, true}) {
        const auto menu = TMenu::New(lPopup);
        menu->Add(TMenuItem::New({.cPrompt = "&File"}));
        EXPECT_EQ((EntryType(menu->hMenu, 0) & MFT_OWNERDRAW) != 0, lPopup) << "pop-up " << lPopup;
    }
}

TEST(MenuItemTest, ReDefineShowsTheNewBitmapOfABitmapOnlyEntryAndDropsTheOldKey) {
    int runs = 0;
    const auto built = BuildFileMenu(
        {{.bAction = [&runs](TMenuItem&) { ++runs; }, .cBmpFile = BesideTheTests("menu16.bmp"), .nVirtKey = VK_F5}},
        false);
    const auto window = WindowWith(built.bar);
    const auto& item = built.items[0];
    const HBITMAP old = item->hBitmap;
    ASSERT_NE(old, nullptr);
    item->ReDefine({.cResName = "MENUBMP", .nId = item->nId, .nVirtKey = VK_F6});
    MENUITEMINFOA info{.cbSize = sizeof info, .fMask = MIIM_BITMAP};
    GetMenuItemInfoA(built.file->hMenu, 0, TRUE, &info);
    EXPECT_EQ(info.hbmpItem, item->hBitmap);
    EXPECT_EQ(GetObjectType(old), 0u) << "deleted";
    KeyThroughTheMainLoop(window->hWnd, VK_F5);
    KeyThroughTheMainLoop(window->hWnd, VK_F6);
    EXPECT_EQ(runs, 1);
}

TEST(MenuResourceTest, AResourceMenuRunsItsItemsActionsOnABarAndAsAPopup) {
    std::vector<int> ran;
    const TMenuItem::Action record = [&ran](TMenuItem& item) { ran.push_back(item.nId); };
    const auto bar = TMenu::ReDefine("SAMPLEMENU");
    ASSERT_NE(bar, nullptr);
    ASSERT_NE(bar->GetMenuItem(601), nullptr);
    EXPECT_EQ(bar->GetMenuItem(601)->cPrompt, "&Open");
    EXPECT_FALSE(bar->GetMenuItem(602)->lActive);
    EXPECT_NE(bar->GetMenuItem(601)->ReDefine({.bAction = record, .oMenu = bar, .nId = 601}), nullptr);
    const auto window = WindowWith(bar);
    SendMessageA(window->hWnd, WM_COMMAND, 601, 0);
    const auto popup = TMenu::ReDefine("SAMPLEMENU", true);
    popup->GetMenuItem(602)->bAction = record;
    chosenId = 602;
    popupOwner = window->hWnd;
    SetTimer(nullptr, 0, 1, &ChooseAndClose);
    popup->Activate(10, 10, window);
    EXPECT_EQ(ran, (std::vector<int>{601, 602}));
    std::vector<std::string> errors;
    SetErrorHandler([&errors](const ErrorRecord& e) {
        errors.push_back(e.Description.value_or(""));
        return Value(false);
    });
    EXPECT_EQ(TMenu::ReDefine("NOSUCHMENU"), nullptr);
    EXPECT_EQ(errors, std::vector<std::string>{"No menu resource \"NOSUCHMENU\""});
}

std::shared_ptr<TMenuItem> renamedOnBar;

void CALLBACK RenameTheBarThenChoose(HWND hWnd, UINT nMsg, UINT_PTR nTimer, DWORD nTime) {
    renamedOnBar->SetPrompt("&Files");
    RedrawWindow(popupOwner, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    ChooseAndClose(hWnd, nMsg, nTimer, nTime);
}

// The window's owner-drawn 2007 bar is measured and drawn while the pop-up tracks.
TEST(MenuPopupTest, TheChosenItemRunsThoughTheBarIsRedrawnWhileThePopupTracks) {
    int runs = 0;
    const auto built = BuildFileMenu({{.cPrompt = "&Open"}});
    const auto window = WindowWith(built.bar);
    const auto popup = MENUBEGIN(true, false, nullptr, true);
    const auto item = MENUADDITEM({.cPrompt = "&Choose", .bAction = [&runs](TMenuItem&) { ++runs; }});
    MENUEND();
    renamedOnBar = built.bar->aMenuItems[0];
    chosenId = static_cast<WORD>(item->nId);
    popupOwner = window->hWnd;
    SetTimer(nullptr, 0, 1, &RenameTheBarThenChoose);
    popup->Activate(10, 10, window);
    EXPECT_EQ(runs, 1);
    renamedOnBar.reset();
}

TEST(MenuOwnerDrawTest, ABitmapOnly2007EntryIsMeasuredAsAnEntryWideEnoughForItsBitmap) {
    const auto built = BuildFileMenu({{.cBmpFile = BesideTheTests("menu16.bmp")}});
    const auto window = WindowWith(built.bar);
    MEASUREITEMSTRUCT measure{.CtlType = ODT_MENU, .itemID = static_cast<UINT>(built.items[0]->nId)};
    SendMessageA(window->hWnd, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure));
    EXPECT_EQ(measure.itemHeight, static_cast<UINT>(GetSystemMetrics(SM_CYMENU)));
    EXPECT_GE(measure.itemWidth, 16u + 8u);
}

std::shared_ptr<TMenuItem> changedInDrain;

void CALLBACK EndTheTableInADrain(HWND, UINT, UINT_PTR nTimer, DWORD) {
    KillTimer(nullptr, nTimer);
    changedInDrain->oMenu.lock()->Root()->oAccTable->End();
}

void CALLBACK AddAKeyInADrain(HWND, UINT, UINT_PTR nTimer, DWORD) {
    KillTimer(nullptr, nTimer);
    changedInDrain->ReDefine({.nId = changedInDrain->nId, .nVirtKey = VK_F6});
}

// A window destroyed, or a command run, inside a queue drain ends or changes the table in force.
TEST(MenuAcceleratorTest, ATableEndedInADrainStaysEndedAndAKeyAddedInADrainWorks) {
    const struct {
        const char* what;
        TIMERPROC change;
        WORD nKey;
        int nRuns;
    } cases[] = {{"ended", &EndTheTableInADrain, VK_F5, 0}, {"key added", &AddAKeyInADrain, VK_F6, 1}};
    for (const auto& c : cases) {
        int runs = 0;
        const auto built =
            BuildFileMenu({{.cPrompt = "&Open\tF5", .bAction = [&runs](TMenuItem&) { ++runs; }, .nVirtKey = VK_F5}});
        const auto window = WindowWith(built.bar);
        changedInDrain = built.items[0];
        SetTimer(nullptr, 0, 1, c.change);
        Sleep(20);
        SYSREFRESH();
        KeyThroughTheMainLoop(window->hWnd, c.nKey);
        EXPECT_EQ(runs, c.nRuns) << c.what;
        changedInDrain.reset();
    }
}

}  // namespace
}  // namespace corvix
