#pragma once
// TMenuItem: one entry of a menu: a command with an action, a separator, or
// the entry that opens a sub-menu.

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>

#include "corvix/runtime/value.h"

namespace corvix {

class TMenu;
class TWindow;

class TMenuItem : public Object, public std::enable_shared_from_this<TMenuItem> {
public:
    using Action = std::function<void(TMenuItem&)>;
    // True enables the item, false disables it; no answer keeps its state.
    using When = std::function<std::optional<bool>(TMenuItem&)>;

    // The 13 arguments of New, in their order.
    struct NewArgs {
        std::string cPrompt;
        std::string cMsg;
        bool lChecked = false;
        bool lActive = true;
        Action bAction;
        std::string cBmpFile;
        std::string cResName;
        BYTE nVKState = 0;  // FSHIFT, FCONTROL, FALT
        WORD nVirtKey = 0;  // 0: no shortcut key
        bool lHelp = false;
        Value nHelpId;
        When bWhen;
        bool lBreak = false;
    };

    // The arguments of ReDefine, in their order; those left empty change nothing.
    struct ReDefineArgs {
        std::optional<std::string> cPrompt;
        std::optional<std::string> cMsg;
        std::optional<bool> lChecked;
        std::optional<bool> lActive;
        Action bAction;
        std::string cBmpFile;
        std::string cResName;
        std::shared_ptr<TMenu> oMenu;
        Action bBlock;  // given, it is the action instead of bAction
        int nId = 0;
        BYTE nVKState = 0;
        WORD nVirtKey = 0;  // 0: the shortcut key stays
        Value nHelpId;
        When bWhen;
    };

    ~TMenuItem() override;

    std::string cPrompt, cMsg;
    int nId = 0;
    Value nHelpId;
    Action bAction;
    // The sub-menu this entry opens; it takes the place of an action.
    std::shared_ptr<TMenu> oSubMenu;
    When bWhen;
    bool lActive = true;
    bool lBreak = false, lChecked = false, lHelp = false;
    std::weak_ptr<TMenu> oMenu;  // the menu holds its items, not the other way round
    HBITMAP hBitmap = nullptr;   // owned
    BYTE nVKState = 0;
    WORD nVirtKey = 0;
    std::string cVarName;
    std::function<void(TMenuItem&)> OnActivate;
    std::function<void(TWindow&, TMenuItem&)> OnClick;
    Value Cargo;

    static const std::vector<std::string> aProperties;
    // Identifiers held by items not yet ended.
    static std::set<int>& aLiveIds();
    static constexpr int kFirstId = 20001;

    static std::shared_ptr<TMenuItem> New(const NewArgs& args);
    // Changes the existing item nId of oMenu (default: this item's menu) and
    // its entry; answers that item, or null when the menu has none.
    std::shared_ptr<TMenuItem> ReDefine(const ReDefineArgs& args);
    std::string ClassName() const override { return "TMENUITEM"; }

    const std::string& cCaption() const { return cPrompt; }
    void cCaption(const std::string& cNew) { SetPrompt(cNew); }
    // Stores the prompt and rewrites the entry with the item's flags.
    void SetPrompt(const std::string& cNew);
    void SetCheck(bool lOnOff);
    // An entry that opens a sub-menu passes the call on to the sub-menu.
    void Enable();
    void Disable();
    // Gives back the bitmap and the identifier (nId becomes 0); an item still
    // in a menu leaves it first, as with Destroy. Harmless when repeated.
    void End();
    // Ends the sub-menu, removes the entry and the shortcut, leaves the menu
    // and ends the item: a held item acts on no entry afterwards.
    bool Destroy();
    // The menu that holds the entry, or 0.
    HMENU MenuHandle() const;
    // The entry's identifier in its menu: the sub-menu's handle or nId.
    UINT_PTR EntryKey() const;
    // Holds nWanted as the identifier (one another live item holds is shared),
    // or with 0 the lowest free one.
    void HoldId(int nWanted = 0);

private:
    void LoadBitmaps(const std::string& cBmpFile, const std::string& cResName);
    // The lowest identifier from kFirstId that no live item holds and no menu
    // has as its handle; 0 when all 16-bit ones are taken.
    static int FreeId();
    void SetActive(bool lOnOff);
    // Rewrites the entry from the prompt, or the bitmap of a bitmap-only entry.
    void RewriteEntry();
    void Release();
    bool lIdHeld = false;
};

}  // namespace corvix
