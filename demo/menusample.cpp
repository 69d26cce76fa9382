// Menus in the 2007 look: a menu bar built with nested MENUBEGIN /
// MENUADDITEM / MENUEND, shortcut keys, a checked entry, an entry greyed by
// its condition when its menu opens, and a pop-up on the right mouse button.

#include <memory>

#include "corvix/classes/menu.h"
#include "corvix/classes/menuitem.h"
#include "corvix/classes/msgbar.h"
#include "corvix/classes/pdmenu.h"
#include "corvix/classes/window.h"
#include "corvix/native/msgbox.h"

using namespace corvix;

namespace {

void Say(const std::string& cText) { MSGINFO(cText, "Menus"); }

void Toggle(TMenuItem& oItem) { oItem.SetCheck(!oItem.lChecked); }

std::shared_ptr<TMenu> MenuBar(const std::weak_ptr<TWindow>& oWnd) {
    const auto menu = MENUBEGIN(false, false, nullptr, true);
    MENUADDITEM({.cPrompt = "&File"});
    MENUBEGIN();
    MENUADDITEM({.cPrompt = "&New\tCtrl+N", .cMsg = "Starts a new document",
                 .bAction = [](TMenuItem&) { Say("New"); }, .nVKState = FCONTROL, .nVirtKey = 'N'});
    MENUADDITEM({.cPrompt = "&Open...\tCtrl+O", .cMsg = "Opens a document",
                 .bAction = [](TMenuItem&) { Say("Open"); }, .nVKState = FCONTROL, .nVirtKey = 'O'});
    MENUADDITEM({.cPrompt = "&Save\tCtrl+S", .cMsg = "Nothing to save yet", .bAction = [](TMenuItem&) {},
                 .nVKState = FCONTROL, .nVirtKey = 'S', .bWhen = [](TMenuItem&) { return false; }});
    MENUADDITEM({});
    MENUADDITEM({.cPrompt = "&Word wrap", .cMsg = "Wraps long lines", .lChecked = true, .bAction = &Toggle});
    MENUADDITEM({});
    MENUADDITEM({.cPrompt = "E&xit", .cMsg = "Closes the sample", .bAction = [oWnd](TMenuItem&) {
                     if (const auto w = oWnd.lock()) w->End();
                 }});
    MENUEND();
    MENUADDITEM({.cPrompt = "&Edit"});
    MENUBEGIN();
    MENUADDITEM({.cPrompt = "&Copy\tCtrl+C", .bAction = [](TMenuItem&) { Say("Copy"); },
                 .nVKState = FCONTROL, .nVirtKey = 'C'});
    MENUADDITEM({.cPrompt = "&Paste\tCtrl+V", .bAction = [](TMenuItem&) { Say("Paste"); },
                 .nVKState = FCONTROL, .nVirtKey = 'V'});
    MENUEND();
    MENUADDITEM({.cPrompt = "&Help"});
    MENUBEGIN();
    MENUADDITEM({.cPrompt = "&About\tF1", .bAction = [](TMenuItem&) { Say("Corvix menus sample"); },
                 .nVirtKey = VK_F1});
    MENUEND();
    MENUEND();
    return menu;
}

std::shared_ptr<TMenu> ContextMenu() {
    const auto menu = MENUBEGIN(true, false, nullptr, true);
    MENUADDITEM({.cPrompt = "&Refresh", .bAction = [](TMenuItem&) { Say("Refresh"); }});
    MENUADDITEM({.cPrompt = "&Properties", .bAction = [](TMenuItem&) { Say("Properties"); }});
    MENUEND();
    return menu;
}

}  // namespace

void MAIN() {
    const auto oWnd = TWindow::New({.nBottom = 18, .nRight = 60, .cTitle = "Menus - a Corvix sample"});
    const std::weak_ptr<TWindow> weak = oWnd;
    oWnd->SetMenu(MenuBar(weak));
    oWnd->oMsgBar = TMsgBar::New({.oWnd = oWnd, .cPrompt = "Right-click for a pop-up menu", .l2007 = true});
    const auto popup = ContextMenu();
    oWnd->Activate({.bRClicked = [popup, weak](int nRow, int nCol, WPARAM, TWindow&) {
        if (const auto w = weak.lock()) popup->Activate(nRow, nCol, w, false);
        return Answer::Nil();
    }});
}
