#pragma once
// TMenu: a window's menu bar, a pop-up menu, a sub-menu or a window's system
// menu, with the item objects of its entries.

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "corvix/runtime/value.h"

namespace corvix {

class TAccTable;
class TMenuItem;
class TWindow;

class TMenu : public Object, public std::enable_shared_from_this<TMenu> {
public:
    HMENU hMenu = nullptr;
    std::vector<std::shared_ptr<TMenuItem>> aMenuItems;
    std::weak_ptr<TWindow> oWnd;  // the window that shows it; the window holds the menu
    std::weak_ptr<TMenu> oParent; // the menu with the entry that opens this one
    bool lSysMenu = false, lPopup = false;
    bool l2007 = false;
    Value nHelpId;
    std::string cVarName;
    Value Cargo;
    std::shared_ptr<TAccTable> oAccTable;
    // Chosen while the pop-up was tracked; run once tracking has ended.
    std::shared_ptr<TMenuItem> oMenuItemPopup;
    std::function<void(TMenu&)> OnInit;

    static const std::vector<std::string> aProperties;

    static std::shared_ptr<TMenu> New(bool lPopup = false, std::shared_ptr<TWindow> oWnd = nullptr,
                                      bool l2007 = false);
    // The window's system menu, as the system has it.
    static std::shared_ptr<TMenu> NewSys(std::shared_ptr<TWindow> oWnd);
    // A menu of the program's resources, its entries made items with their
    // identifiers; a pop-up takes the entries into a pop-up menu of its own.
    // Null, after raising an error, when there is no such resource.
    static std::shared_ptr<TMenu> ReDefine(const std::string& cResName, bool lPopup = false);
    // A menu dropped without End takes its handle along, unless a window shows it.
    ~TMenu() override;
    std::string ClassName() const override { return "TMENU"; }

    const std::vector<std::shared_ptr<TMenuItem>>& aItems() const { return aMenuItems; }
    void aItems(const std::vector<std::shared_ptr<TMenuItem>>& aNew);
    // lRoot: the entry belongs to a menu bar itself (not to one of its pop-ups);
    // by default, when this menu is a menu bar that no entry opens.
    void Add(std::shared_ptr<TMenuItem> oItem, std::optional<bool> lRoot = std::nullopt);
    // Before the item at nPos (1-based); appended when there is none.
    void Insert(std::shared_ptr<TMenuItem> oItem, int nPos);
    // Marks the 2007 entries owner-drawn and applies each item's bWhen.
    void Initiate();
    // The outermost menu above this one (itself when none).
    std::shared_ptr<TMenu> Root();
    // Item nId's key in the outermost menu's table (0: no key), which is made
    // current again when it was.
    void SetShortcut(int nId, WORD nVirtKey, BYTE nVKState);
    // Runs the item with identifier nId (a pop-up only remembers it).
    void Command(int nId);
    // Tracks the menu at the client point (nRow, nCol) of oWnd and runs the
    // chosen item after the menu loop has ended. lEnd: end the menu after.
    void Activate(int nRow, int nCol, std::shared_ptr<TWindow> oWnd, bool lEnd = true);
    void End();
    void DelItems();
    // Empties the menu, keeping its handle: an entry or a window may open it.
    void Reset();
    void Refresh();
    void Hilite(int nPos);
    void UnHilite(int nPos);
    void Enable();
    void Disable();
    // By identifier or by the handle of the sub-menu an item opens; depth-first.
    std::shared_ptr<TMenuItem> GetMenuItem(UINT_PTR nId) const;
    std::shared_ptr<TMenu> GetSubMenu(HMENU hSub);
    static std::shared_ptr<TMenuItem> LastItem();
    // A live pop-up or sub-menu by handle.
    static std::shared_ptr<TMenu> GetPopup(HMENU hSub);
    static std::vector<std::weak_ptr<TMenu>>& aPopups();

private:
    void JoinPopups();
    bool IsRoot() const { return !lPopup && oParent.expired(); }
    // Makes items of the entries the menu has, sub-menus included.
    void TakeEntries();
    // bAction with the item, else OnClick with oWindow and the item.
    static void Run(TMenuItem& oItem, const std::shared_ptr<TWindow>& oWindow);
    // False, after raising an error, when the menu has no handle (ended).
    bool Usable(const std::string& cOperation) const;
    // Takes the item into the list at nIndex and makes it ours.
    void Adopt(const std::shared_ptr<TMenuItem>& oItem, size_t nIndex);
    UINT EntryFlags(const TMenuItem& oItem, bool lRoot) const;
    // Appends or inserts (before nBefore) the item's entry with its flags.
    void PutEntry(const TMenuItem& oItem, UINT nFlags, int nBefore = -1);
    // The handles of the sub-menus went with ours.
    void ForgetSubMenus();
    void DetachFromWindow();
    HMENU MakeHandle() const;
};

// The entry at nPos becomes owner-drawn, carrying hMenu as its item data;
// its text stays in the menu.
void MarkOwnerDrawn(HMENU hMenu, UINT nPos);
// Marks every entry of hMenu that is not owner-drawn yet.
void MITEMS2007(HMENU hMenu);
// The position of the entry with this identifier or sub-menu handle; -1 when none.
int MenuEntryPos(HMENU hMenu, UINT_PTR nIdOrSub);
// The text of the entry at nPos as the menu keeps it, whole, in the process's code page.
std::string MenuTextAt(HMENU hMenu, UINT nPos);
// The text of the entry with this identifier or sub-menu handle, likewise.
std::string MenuEntryText(HMENU hMenu, UINT nId);

}  // namespace corvix
