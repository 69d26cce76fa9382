#include "corvix/classes/menu.h"

#include <algorithm>
#include <utility>

#include "corvix/classes/menuitem.h"
#include "corvix/classes/tacctbl.h"
#include "corvix/classes/window.h"
#include "corvix/function/cxerror.h"
#include "corvix/native/callbackguard.h"
#include "corvix/native/eventloop.h"

namespace corvix {

const std::vector<std::string> TMenu::aProperties = {"aItems", "cVarName"};

namespace {

std::weak_ptr<TMenuItem> lastItem;

UINT Low32(HMENU h) { return static_cast<UINT>(reinterpret_cast<UINT_PTR>(h)); }

// Check, grey, help and column-break flags shared by the entry kinds.
UINT StateFlags(const TMenuItem& item) {
    return (item.lChecked ? MF_CHECKED : 0) | (item.lHelp ? MF_HELP : 0) | (item.lBreak ? MF_MENUBARBREAK : 0);
}

}  // namespace

std::vector<std::weak_ptr<TMenu>>& TMenu::aPopups() {
    static std::vector<std::weak_ptr<TMenu>> popups;
    return popups;
}

std::shared_ptr<TMenu> TMenu::GetPopup(HMENU hSub) {
    for (const auto& weak : aPopups())
        if (const auto menu = weak.lock(); menu && menu->hMenu == hSub) return menu;
    return nullptr;
}

void TMenu::JoinPopups() {
    auto& popups = aPopups();
    std::erase_if(popups, [](const auto& weak) { return weak.expired(); });
    const auto self = shared_from_this();
    if (!GetPopup(hMenu)) popups.push_back(self);
}

HMENU TMenu::MakeHandle() const { return lPopup ? CreatePopupMenu() : CreateMenu(); }

std::shared_ptr<TMenu> TMenu::New(bool lPopup, std::shared_ptr<TWindow> oWnd, bool l2007) {
    auto menu = std::make_shared<TMenu>();
    menu->lPopup = lPopup;
    menu->l2007 = l2007;
    menu->hMenu = menu->MakeHandle();
    if (lPopup) menu->JoinPopups();
    if (oWnd) oWnd->SetMenu(menu);
    return menu;
}

std::shared_ptr<TMenu> TMenu::NewSys(std::shared_ptr<TWindow> oWnd) {
    auto menu = std::make_shared<TMenu>();
    menu->lSysMenu = true;
    if (oWnd) {
        menu->oWnd = oWnd;
        menu->hMenu = GetSystemMenu(oWnd->hWnd, FALSE);
    }
    return menu;
}

namespace {

// The entry's text as the system keeps it, in wide characters, whole.
std::wstring WideEntryText(HMENU hMenu, UINT nPos) {
    MENUITEMINFOW info{.cbSize = sizeof info, .fMask = MIIM_STRING};
    if (!GetMenuItemInfoW(hMenu, nPos, TRUE, &info) || info.cch == 0) return {};
    std::wstring text(info.cch + 1, L'\0');
    info.dwTypeData = text.data();
    info.cch = static_cast<UINT>(text.size());
    if (!GetMenuItemInfoW(hMenu, nPos, TRUE, &info)) return {};
    text.resize(info.cch);
    return text;
}

// Takes the entries of hFrom into hTo (sub-menus with them) and destroys hFrom.
HMENU MoveEntries(HMENU hFrom, HMENU hTo) {
    for (int left = GetMenuItemCount(hFrom); left > 0; --left) {
        std::wstring text = WideEntryText(hFrom, 0);
        MENUITEMINFOW info{.cbSize = sizeof info,
                           .fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_BITMAP};
        GetMenuItemInfoW(hFrom, 0, TRUE, &info);
        info.fMask |= MIIM_STRING;
        info.dwTypeData = text.data();
        InsertMenuItemW(hTo, static_cast<UINT>(GetMenuItemCount(hTo)), TRUE, &info);
        RemoveMenu(hFrom, 0, MF_BYPOSITION);
    }
    DestroyMenu(hFrom);
    return hTo;
}

}  // namespace

std::shared_ptr<TMenu> TMenu::ReDefine(const std::string& cResName, bool lPopup) {
    const HMENU loaded = LoadMenuA(GetModuleHandleA(nullptr), cResName.c_str());
    if (!loaded) {
        RaiseError(LibraryError("No menu resource \"" + cResName + "\"", "TMenu:ReDefine"));
        return nullptr;
    }
    auto menu = std::make_shared<TMenu>();
    menu->lPopup = lPopup;
    menu->hMenu = lPopup ? MoveEntries(loaded, CreatePopupMenu()) : loaded;
    if (lPopup) menu->JoinPopups();
    menu->TakeEntries();
    return menu;
}

// Commands keep the resource's identifiers; a separator's entry takes its item's.
void TMenu::TakeEntries() {
    const int count = GetMenuItemCount(hMenu);
    for (int pos = 0; pos < count; ++pos) {
        MENUITEMINFOA info{.cbSize = sizeof info, .fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU};
        if (!GetMenuItemInfoA(hMenu, static_cast<UINT>(pos), TRUE, &info)) continue;
        const bool separator = info.fType & MFT_SEPARATOR;
        const auto item = TMenuItem::New({.cPrompt = separator ? "" : MenuTextAt(hMenu, static_cast<UINT>(pos)),
                                          .lChecked = (info.fState & MFS_CHECKED) != 0,
                                          .lActive = !(info.fState & MFS_GRAYED),
                                          .lHelp = (info.fType & MFT_RIGHTJUSTIFY) != 0,
                                          .lBreak = (info.fType & MFT_MENUBARBREAK) != 0});
        if (info.hSubMenu) {
            item->oSubMenu = std::make_shared<TMenu>();
            item->oSubMenu->lPopup = true;
            item->oSubMenu->hMenu = info.hSubMenu;
            item->oSubMenu->TakeEntries();
        } else if (separator) {
            const MENUITEMINFOA id{.cbSize = sizeof id, .fMask = MIIM_ID, .wID = static_cast<UINT>(item->nId)};
            SetMenuItemInfoA(hMenu, static_cast<UINT>(pos), TRUE, &id);
        } else {
            item->HoldId(static_cast<int>(info.wID));
        }
        Adopt(item, aMenuItems.size());
    }
}

void TMenu::aItems(const std::vector<std::shared_ptr<TMenuItem>>& aNew) {
    for (const auto& item : aNew) Add(item);
}

void TMenu::PutEntry(const TMenuItem& oItem, UINT nFlags, int nBefore) {
    UINT_PTR key = oItem.nId;
    LPCSTR content = oItem.cPrompt.c_str();
    if (oItem.oSubMenu) key = reinterpret_cast<UINT_PTR>(oItem.oSubMenu->hMenu);
    if (nFlags & MF_BITMAP) content = reinterpret_cast<LPCSTR>(oItem.hBitmap);
    const UINT plain = nFlags & ~MF_OWNERDRAW;  // the text stays in the menu; marked below
    const bool appended = nBefore < 0;
    if (appended)
        AppendMenuA(hMenu, plain, key, content);
    else
        InsertMenuA(hMenu, static_cast<UINT>(nBefore), plain | MF_BYPOSITION, key, content);
    const int count = GetMenuItemCount(hMenu);
    if ((nFlags & MF_OWNERDRAW) && count > 0)
        MarkOwnerDrawn(hMenu, static_cast<UINT>(appended ? count - 1 : nBefore));
}

// Entries of pop-ups and sub-menus are drawn by us (as on the NT family);
// those of a menu bar or system menu only in the 2007 look or with a bitmap.
UINT TMenu::EntryFlags(const TMenuItem& oItem, bool lRoot) const {
    const bool prompted = !oItem.cPrompt.empty();
    const UINT ownerDraw = (l2007 || oItem.hBitmap || (!lRoot && !lSysMenu)) ? MF_OWNERDRAW : 0;
    const UINT state = StateFlags(oItem);
    if (oItem.oSubMenu) return MF_POPUP | state | (oItem.lActive ? 0 : MF_GRAYED) | (prompted ? ownerDraw : MF_BITMAP);
    if (prompted) return oItem.lActive ? ownerDraw | state : MF_DISABLED | MF_GRAYED | MF_OWNERDRAW | state;
    if (oItem.hBitmap) return MF_BITMAP | (oItem.lBreak ? MF_MENUBARBREAK : 0);
    return MF_SEPARATOR | (l2007 ? MF_OWNERDRAW : 0);
}

bool TMenu::Usable(const std::string& cOperation) const {
    if (hMenu) return true;
    RaiseError(LibraryError("The menu has no handle: it has ended or has no window", cOperation));
    return false;
}

void TMenu::Adopt(const std::shared_ptr<TMenuItem>& oItem, size_t nIndex) {
    if (!oItem->nId) oItem->HoldId();  // an ended item added again
    aMenuItems.insert(aMenuItems.begin() + static_cast<std::ptrdiff_t>(nIndex), oItem);
    oItem->oMenu = weak_from_this();
    if (!oItem->oSubMenu) return;
    oItem->oSubMenu->oParent = weak_from_this();
    oItem->oSubMenu->JoinPopups();
}

void TMenu::Add(std::shared_ptr<TMenuItem> oItem, std::optional<bool> lRoot) {
    if (!oItem || !Usable("TMenu:Add")) return;
    Adopt(oItem, aMenuItems.size());
    PutEntry(*oItem, EntryFlags(*oItem, lRoot.value_or(IsRoot())));
}

void TMenu::Insert(std::shared_ptr<TMenuItem> oItem, int nPos) {
    if (!oItem || !Usable("TMenu:Insert")) return;
    if (nPos < 1 || static_cast<size_t>(nPos) > aMenuItems.size()) {
        Add(oItem);
        return;
    }
    const int before = MenuEntryPos(hMenu, aMenuItems[static_cast<size_t>(nPos - 1)]->EntryKey());
    Adopt(oItem, static_cast<size_t>(nPos - 1));
    PutEntry(*oItem, EntryFlags(*oItem, IsRoot()), before);
}

void TMenu::Initiate() {
    if (l2007) MITEMS2007(hMenu);
    for (size_t i = 0; i < aMenuItems.size(); ++i) {  // by index: a condition may change the menu
        const auto item = aMenuItems[i];
        if (!item->bWhen) continue;
        if (const auto when = item->bWhen(*item)) *when ? item->Enable() : item->Disable();
    }
}

void TMenu::Command(int nId) {
    const auto item = GetMenuItem(static_cast<UINT_PTR>(nId));
    if (!item || (!item->bAction && !item->OnClick)) return;
    if (item->bWhen && item->bWhen(*item) == std::optional<bool>(false)) return;
    lastItem = item;
    if (lPopup)
        oMenuItemPopup = item;
    else
        Run(*item, oWnd.lock());
}

void TMenu::Run(TMenuItem& oItem, const std::shared_ptr<TWindow>& oWindow) {
    if (oItem.bAction) {
        oItem.bAction(oItem);
    } else if (oWindow && oItem.OnClick) {
        oItem.OnClick(*oWindow, oItem);
    }
}

std::shared_ptr<TMenu> TMenu::Root() {
    auto menu = shared_from_this();
    while (auto up = menu->oParent.lock()) menu = std::move(up);
    return menu;
}

void TMenu::SetShortcut(int nId, WORD nVirtKey, BYTE nVKState) {
    const auto root = Root();
    if (!root->oAccTable && !nVirtKey) return;
    const bool fresh = !root->oAccTable;
    if (fresh) root->oAccTable = TAccTable::New();
    TAccTable& table = *root->oAccTable;
    const bool current = table.nHandle && CurrentAccelerators() == table.nHandle;
    const bool removed = table.DelCommand(static_cast<WORD>(nId));
    if (nVirtKey) table.Add(nVirtKey, nVKState, static_cast<WORD>(nId));
    if (!removed && !nVirtKey) return;
    // A window makes its menu's table current when it takes the menu; a table
    // emptied since has no handle, yet it is still the shown menu's.
    const auto window = root->oWnd.lock();
    const bool shown = window && window->oMenu == root;
    if (current || (shown && (fresh || !table.nHandle))) table.Activate();
}

void TMenu::Activate(int nRow, int nCol, std::shared_ptr<TWindow> oWndOwner, bool lEnd) {
    if (!oWndOwner || !oWndOwner->hWnd || !hMenu) return;
    const auto self = shared_from_this();  // the window lets go of it at the end
    POINT at{nCol, nRow};
    ClientToScreen(oWndOwner->hWnd, &at);
    if (lEnd && oWndOwner->oPopup && oWndOwner->oPopup != self) oWndOwner->oPopup->End();
    oWndOwner->oPopup = self;
    Initiate();
    CallSystem([&] { return TrackPopupMenu(hMenu, TPM_RIGHTBUTTON, at.x, at.y, 0, oWndOwner->hWnd, nullptr); });
    SYSREFRESH();  // the chosen command is still queued
    if (const auto chosen = std::exchange(oMenuItemPopup, nullptr)) Run(*chosen, oWndOwner);
    if (lEnd) {
        End();
        if (oWndOwner->oPopup == self) oWndOwner->oPopup = nullptr;
    }
}

// A system menu is put back as the system made it; a menu bar leaves its window.
void TMenu::DetachFromWindow() {
    const auto window = oWnd.lock();
    if (!window || !window->hWnd) return;
    if (lSysMenu)
        GetSystemMenu(window->hWnd, TRUE);
    else if (hMenu && GetMenu(window->hWnd) == hMenu)
        SetMenu(window->hWnd, nullptr);
}

void TMenu::End() {
    DelItems();  // first: reverting a system menu destroys its entries and sub-menus
    DetachFromWindow();
    if (hMenu && !lSysMenu) DestroyMenu(hMenu);  // the reverted system menu is gone already
    hMenu = nullptr;
    std::erase_if(aPopups(), [this](const auto& weak) { return weak.expired() || weak.lock().get() == this; });
    if (oAccTable) oAccTable->End();
}

TMenu::~TMenu() {
    if (!hMenu) return;
    if (lSysMenu) {  // the window keeps its system menu: our entries leave it with their items
        for (const auto& item : aMenuItems)
            if (const int pos = MenuEntryPos(hMenu, item->EntryKey()); pos >= 0)
                RemoveMenu(hMenu, static_cast<UINT>(pos), MF_BYPOSITION);
        return;
    }
    if (const auto window = oWnd.lock(); window && window->hWnd && GetMenu(window->hWnd) == hMenu) return;
    ForgetSubMenus();
    DestroyMenu(hMenu);
}

void TMenu::ForgetSubMenus() {
    for (const auto& item : aMenuItems) {
        if (!item->oSubMenu) continue;
        item->oSubMenu->ForgetSubMenus();
        item->oSubMenu->hMenu = nullptr;
    }
}

void TMenu::DelItems() {
    while (!aMenuItems.empty()) {
        const auto item = aMenuItems.back();
        item->Destroy();
        if (!aMenuItems.empty() && aMenuItems.back() == item) aMenuItems.pop_back();
    }
}

void TMenu::Reset() {
    DelItems();
    const auto window = oWnd.lock();
    if (lSysMenu) {
        if (window && window->hWnd) {
            GetSystemMenu(window->hWnd, TRUE);
            hMenu = GetSystemMenu(window->hWnd, FALSE);
        }
        return;
    }
    if (!hMenu) {
        hMenu = MakeHandle();
        return;
    }
    for (int pos = GetMenuItemCount(hMenu) - 1; pos >= 0; --pos)  // entries of no item
        DeleteMenu(hMenu, static_cast<UINT>(pos), MF_BYPOSITION);
    if (window && window->hWnd && GetMenu(window->hWnd) == hMenu) DrawMenuBar(window->hWnd);
}

void TMenu::Refresh() {
    if (const auto window = oWnd.lock()) window->SetMenu(shared_from_this());
}

void TMenu::Hilite(int nPos) {
    if (const auto window = oWnd.lock())
        HiliteMenuItem(window->hWnd, hMenu, static_cast<UINT>(nPos - 1), MF_BYPOSITION | MF_HILITE);
}

void TMenu::UnHilite(int nPos) {
    if (const auto window = oWnd.lock())
        HiliteMenuItem(window->hWnd, hMenu, static_cast<UINT>(nPos - 1), MF_BYPOSITION | MF_UNHILITE);
}

void TMenu::Enable() {
    for (const auto& item : aMenuItems) item->Enable();
}

void TMenu::Disable() {
    for (const auto& item : aMenuItems) item->Disable();
}

std::shared_ptr<TMenuItem> TMenu::GetMenuItem(UINT_PTR nId) const {
    const UINT wanted = static_cast<UINT>(nId);
    for (const auto& item : aMenuItems) {
        if (static_cast<UINT>(item->nId) == wanted) return item;
        if (!item->oSubMenu) continue;
        if (Low32(item->oSubMenu->hMenu) == wanted) return item;
        if (auto found = item->oSubMenu->GetMenuItem(nId)) return found;
    }
    return nullptr;
}

std::shared_ptr<TMenu> TMenu::GetSubMenu(HMENU hSub) {
    for (const auto& item : aMenuItems) {
        if (!item->oSubMenu) continue;
        if (item->oSubMenu->hMenu == hSub) return item->oSubMenu;
        if (auto found = item->oSubMenu->GetSubMenu(hSub)) return found;
    }
    return nullptr;
}

std::shared_ptr<TMenuItem> TMenu::LastItem() { return lastItem.lock(); }

void MarkOwnerDrawn(HMENU hMenu, UINT nPos) {
    MENUITEMINFOA info{.cbSize = sizeof info, .fMask = MIIM_FTYPE};
    if (!GetMenuItemInfoA(hMenu, nPos, TRUE, &info)) return;
    info.fMask = MIIM_FTYPE | MIIM_DATA;
    info.fType |= MFT_OWNERDRAW;
    info.dwItemData = reinterpret_cast<ULONG_PTR>(hMenu);
    SetMenuItemInfoA(hMenu, nPos, TRUE, &info);
}

void MITEMS2007(HMENU hMenu) {
    const int count = GetMenuItemCount(hMenu);
    for (int pos = 0; pos < count; ++pos) {
        MENUITEMINFOA info{.cbSize = sizeof info, .fMask = MIIM_FTYPE};
        if (GetMenuItemInfoA(hMenu, static_cast<UINT>(pos), TRUE, &info) && !(info.fType & MFT_OWNERDRAW))
            MarkOwnerDrawn(hMenu, static_cast<UINT>(pos));
    }
}

int MenuEntryPos(HMENU hMenu, UINT_PTR nIdOrSub) {
    const UINT wanted = static_cast<UINT>(nIdOrSub);
    const int count = GetMenuItemCount(hMenu);
    for (int pos = 0; pos < count; ++pos) {
        MENUITEMINFOA info{.cbSize = sizeof info, .fMask = MIIM_ID | MIIM_SUBMENU};
        if (!GetMenuItemInfoA(hMenu, static_cast<UINT>(pos), TRUE, &info)) continue;
        if (info.hSubMenu ? Low32(info.hSubMenu) == wanted : info.wID == wanted) return pos;
    }
    return -1;
}

std::string MenuTextAt(HMENU hMenu, UINT nPos) {
    const std::wstring wide = WideEntryText(hMenu, nPos);
    const int units = static_cast<int>(wide.size());
    const int bytes = WideCharToMultiByte(CP_ACP, 0, wide.data(), units, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), units, text.data(), bytes, nullptr, nullptr);
    return text;
}

std::string MenuEntryText(HMENU hMenu, UINT nId) {
    const int pos = MenuEntryPos(hMenu, nId);
    return pos < 0 ? "" : MenuTextAt(hMenu, static_cast<UINT>(pos));
}

}  // namespace corvix
