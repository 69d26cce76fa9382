#include "corvix/classes/pdmenu.h"

#include <utility>
#include <vector>

#include "corvix/classes/menu.h"
#include "corvix/classes/tacctbl.h"
#include "corvix/classes/window.h"
#include "corvix/function/cxerror.h"

namespace corvix {

namespace {

struct OpenMenu {
    std::shared_ptr<TMenu> oMenu;
    std::vector<std::shared_ptr<TMenuItem>> aItems;
};

struct Build {
    std::vector<OpenMenu> aStack;
    std::shared_ptr<TAccTable> oAccTable;
    bool l2007 = false;
};

Build& Current() {
    static Build build;
    return build;
}

}  // namespace

std::shared_ptr<TMenu> MENUBEGIN(bool lPopup, bool lSystem, std::shared_ptr<TWindow> oWnd, bool l2007) {
    if (lSystem && !oWnd) {
        RaiseError(LibraryError("A system menu needs its window", "MENUBEGIN"));
        return nullptr;
    }
    Build& build = Current();
    if (build.aStack.empty()) build.l2007 = l2007;
    std::shared_ptr<TMenu> menu;
    if (lSystem) {
        // Built again: the entries of the last build go, as the system made the menu.
        if (const auto previous = std::exchange(oWnd->oSysMenu, nullptr)) previous->End();
        menu = TMenu::NewSys(oWnd);
        oWnd->oSysMenu = menu;
    } else {
        menu = TMenu::New(lPopup, nullptr, build.l2007);
    }
    build.aStack.push_back({menu, {}});
    return menu;
}

std::shared_ptr<TMenuItem> MENUADDITEM(const MenuAddItemArgs& a) {
    Build& build = Current();
    if (build.aStack.empty()) return nullptr;
    auto item = TMenuItem::New({.cPrompt = a.cPrompt,
                                .cMsg = a.cMsg,
                                .lChecked = a.lChecked,
                                .lActive = a.lActive,
                                .bAction = a.bBlock ? a.bBlock : a.bAction,
                                .cBmpFile = a.cBmpFile,
                                .cResName = a.cResName,
                                .nVKState = a.nVKState,
                                .nVirtKey = a.nVirtKey,
                                .lHelp = a.lHelp,
                                .nHelpId = a.nHelpId,
                                .bWhen = a.bWhen,
                                .lBreak = a.lBreak});
    build.aStack.back().aItems.push_back(item);
    if (a.nVirtKey) {
        if (!build.oAccTable) build.oAccTable = TAccTable::New();
        build.oAccTable->Add(a.nVirtKey, a.nVKState, static_cast<WORD>(item->nId));
    }
    return item;
}

std::shared_ptr<TMenu> MENUEND() {
    Build& build = Current();
    if (build.aStack.empty()) return nullptr;
    OpenMenu finished = std::move(build.aStack.back());
    build.aStack.pop_back();
    const bool outermost = build.aStack.empty();
    const bool root = outermost && !finished.oMenu->lPopup;
    for (const auto& item : finished.aItems) finished.oMenu->Add(item, root);
    if (!outermost) {
        // A nested menu opens from the last item of the menu around it, if there is one.
        if (auto& around = build.aStack.back().aItems; !around.empty()) {
            around.back()->bAction = nullptr;
            around.back()->oSubMenu = finished.oMenu;
        }
        return finished.oMenu;
    }
    finished.oMenu->oAccTable = std::exchange(build.oAccTable, nullptr);
    build = Build{};
    finished.oMenu->Initiate();
    return finished.oMenu;
}

std::shared_ptr<TMenu> LASTMENU() {
    const Build& build = Current();
    return build.aStack.empty() ? nullptr : build.aStack.back().oMenu;
}

std::optional<int> LASTITEMPOS() {
    const Build& build = Current();
    if (build.aStack.empty()) return std::nullopt;
    return static_cast<int>(build.aStack.back().aItems.size());
}

void ResetMenuBuild() { Current() = Build{}; }

}  // namespace corvix
