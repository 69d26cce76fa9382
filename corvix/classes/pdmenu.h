#pragma once
// Building menus by nesting: MENUBEGIN opens a menu, MENUADDITEM adds to the
// innermost open one, MENUEND closes it and hangs it under the last item of
// the menu around it. The shortcut keys of all the items become the
// outermost menu's accelerator table.

#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "corvix/classes/menuitem.h"

namespace corvix {

class TMenu;
class TWindow;

// The 15 positions of MENUADDITEM (the eighth is not used).
struct MenuAddItemArgs {
    std::string cPrompt;
    std::string cMsg;
    bool lChecked = false;
    bool lActive = true;
    TMenuItem::Action bAction;
    std::string cBmpFile;
    std::string cResName;
    TMenuItem::Action bBlock;  // given, it is the action instead of bAction
    BYTE nVKState = 0;
    WORD nVirtKey = 0;
    bool lHelp = false;
    Value nHelpId;
    TMenuItem::When bWhen;
    bool lBreak = false;
};

// lSystem: the window's system menu, which also becomes its oSysMenu; without
// a window that is an error, and nothing is opened.
std::shared_ptr<TMenu> MENUBEGIN(bool lPopup = false, bool lSystem = false, std::shared_ptr<TWindow> oWnd = nullptr,
                                 bool l2007 = false);
// Null when no menu is open.
std::shared_ptr<TMenuItem> MENUADDITEM(const MenuAddItemArgs& args);
// Null, changing nothing, when no menu is open.
std::shared_ptr<TMenu> MENUEND();
std::shared_ptr<TMenu> LASTMENU();
std::optional<int> LASTITEMPOS();
// Forgets a build left open.
void ResetMenuBuild();

}  // namespace corvix
