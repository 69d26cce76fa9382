#include "corvix/classes/menuitem.h"

#include <algorithm>
#include <filesystem>
#include <utility>

#include "corvix/classes/menu.h"
#include "corvix/classes/window.h"
#include "corvix/function/cxerror.h"

namespace corvix {

const std::vector<std::string> TMenuItem::aProperties = {"cCaption", "cMsg",   "cVarName", "lActive",
                                                         "lBreak",   "lChecked", "bAction", "nId"};

// Never destroyed: items held by other statics are ended after it would be, at exit.
std::set<int>& TMenuItem::aLiveIds() {
    static auto* const ids = new std::set<int>;
    return *ids;
}

// WM_COMMAND carries 16 bits of identifier.
int TMenuItem::FreeId() {
    for (int id = kFirstId; id <= 0xFFFF; ++id)
        if (!aLiveIds().contains(id) && !IsMenu(reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)))) return id;
    return 0;
}

std::shared_ptr<TMenuItem> TMenuItem::New(const NewArgs& a) {
    auto item = std::make_shared<TMenuItem>();
    item->cPrompt = a.cPrompt;
    item->cMsg = a.cMsg;
    item->lChecked = a.lChecked;
    item->lActive = a.lActive;
    item->bAction = a.bAction;
    item->lHelp = a.lHelp;
    item->nHelpId = a.nHelpId;
    item->bWhen = a.bWhen;
    item->lBreak = a.lBreak;
    item->HoldId();
    item->LoadBitmaps(a.cBmpFile, a.cResName);
    if (a.nVirtKey) {
        item->nVKState = a.nVKState;
        item->nVirtKey = a.nVirtKey;
    }
    return item;
}

TMenuItem::~TMenuItem() { Release(); }

void TMenuItem::HoldId(int nWanted) {
    if (lIdHeld) aLiveIds().erase(nId);
    nId = nWanted ? nWanted : FreeId();
    lIdHeld = nId && aLiveIds().insert(nId).second;
    if (!nId) RaiseError(LibraryError("No free menu item identifier", "TMenuItem:New: " + cPrompt));
    cVarName = "oMItem" + std::to_string(nId);
}

std::shared_ptr<TMenuItem> TMenuItem::ReDefine(const ReDefineArgs& a) {
    const auto menu = a.oMenu ? a.oMenu : oMenu.lock();
    const auto item = menu ? menu->GetMenuItem(static_cast<UINT_PTR>(a.nId)) : nullptr;
    if (!item) return nullptr;
    if (a.cMsg) item->cMsg = *a.cMsg;
    if (a.bBlock || a.bAction) item->bAction = a.bBlock ? a.bBlock : a.bAction;
    if (!a.nHelpId.IsNil()) item->nHelpId = a.nHelpId;
    if (a.bWhen) item->bWhen = a.bWhen;
    if (a.lChecked) item->SetCheck(*a.lChecked);
    if (a.lActive) *a.lActive ? item->Enable() : item->Disable();
    if (!a.cBmpFile.empty() || !a.cResName.empty()) {
        const HBITMAP old = std::exchange(item->hBitmap, nullptr);
        item->LoadBitmaps(a.cBmpFile, a.cResName);
        if (!a.cPrompt) item->RewriteEntry();  // a bitmap-only entry shows the new one
        if (old) DeleteObject(old);
    }
    if (a.cPrompt) item->SetPrompt(*a.cPrompt);
    if (a.nVirtKey) {
        item->nVKState = a.nVKState;
        item->nVirtKey = a.nVirtKey;
        menu->SetShortcut(item->nId, a.nVirtKey, a.nVKState);
    }
    return item;
}

// A resource overrides the file; the file's bitmap is not kept then.
void TMenuItem::LoadBitmaps(const std::string& cBmpFile, const std::string& cResName) {
    std::error_code error;
    if (!cBmpFile.empty() && std::filesystem::is_regular_file(cBmpFile, error))
        hBitmap = static_cast<HBITMAP>(LoadImageA(nullptr, cBmpFile.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    if (cResName.empty()) return;
    if (const HBITMAP fromResource = LoadBitmapA(GetModuleHandleA(nullptr), cResName.c_str())) {
        if (hBitmap) DeleteObject(hBitmap);
        hBitmap = fromResource;
    }
}

HMENU TMenuItem::MenuHandle() const {
    const auto menu = oMenu.lock();
    return menu ? menu->hMenu : nullptr;
}

UINT_PTR TMenuItem::EntryKey() const {
    return oSubMenu ? reinterpret_cast<UINT_PTR>(oSubMenu->hMenu) : static_cast<UINT_PTR>(nId);
}

namespace {

void RedrawBar(const TMenuItem& item) {
    const auto menu = item.oMenu.lock();
    const auto window = menu ? menu->oWnd.lock() : nullptr;
    if (window && window->hWnd) DrawMenuBar(window->hWnd);
}

}  // namespace

void TMenuItem::SetPrompt(const std::string& cNew) {
    cPrompt = cNew;
    RewriteEntry();
}

void TMenuItem::RewriteEntry() {
    const HMENU menu = MenuHandle();
    const int pos = menu ? MenuEntryPos(menu, EntryKey()) : -1;
    if (pos < 0) return;
    MENUITEMINFOA before{.cbSize = sizeof before, .fMask = MIIM_FTYPE};
    GetMenuItemInfoA(menu, static_cast<UINT>(pos), TRUE, &before);
    const bool bitmapOnly = cPrompt.empty() && hBitmap;
    UINT flags = MF_BYPOSITION | (bitmapOnly ? MF_BITMAP : MF_STRING);
    if (oSubMenu) {
        flags |= MF_POPUP;
    } else {
        if (!lActive) flags |= MF_DISABLED | MF_GRAYED;
        if (lChecked) flags |= MF_CHECKED;
    }
    if (lHelp) flags |= MF_HELP;
    if (lBreak) flags |= MF_MENUBARBREAK;
    const LPCSTR content = bitmapOnly ? reinterpret_cast<LPCSTR>(hBitmap) : cPrompt.c_str();
    ModifyMenuA(menu, static_cast<UINT>(pos), flags, EntryKey(), content);
    if (before.fType & MFT_OWNERDRAW) MarkOwnerDrawn(menu, static_cast<UINT>(pos));
    RedrawBar(*this);
}

void TMenuItem::SetCheck(bool lOnOff) {
    lChecked = lOnOff;
    if (const HMENU menu = MenuHandle())
        CheckMenuItem(menu, static_cast<UINT>(nId), MF_BYCOMMAND | (lOnOff ? MF_CHECKED : MF_UNCHECKED));
}

void TMenuItem::SetActive(bool lOnOff) {
    lActive = lOnOff;
    const HMENU menu = MenuHandle();
    const int pos = menu ? MenuEntryPos(menu, EntryKey()) : -1;
    const UINT state = lOnOff ? MF_ENABLED : MF_DISABLED | MF_GRAYED;
    if (pos >= 0) EnableMenuItem(menu, static_cast<UINT>(pos), MF_BYPOSITION | state);
}

void TMenuItem::Enable() {
    SetActive(true);
    if (oSubMenu) oSubMenu->Enable();
}

void TMenuItem::Disable() {
    SetActive(false);
    if (oSubMenu) oSubMenu->Disable();
}

void TMenuItem::End() {
    if (oMenu.lock()) {
        Destroy();
        return;
    }
    Release();
}

void TMenuItem::Release() {
    if (hBitmap) DeleteObject(hBitmap);
    hBitmap = nullptr;
    if (lIdHeld) aLiveIds().erase(nId);
    lIdHeld = false;
    nId = 0;
}

bool TMenuItem::Destroy() {
    const auto self = shared_from_this();  // the menu's list may hold the last reference
    const auto owner = oMenu.lock();
    const HMENU menu = owner ? owner->hMenu : nullptr;
    const int pos = menu ? MenuEntryPos(menu, EntryKey()) : -1;
    const bool removed = pos >= 0 && RemoveMenu(menu, static_cast<UINT>(pos), MF_BYPOSITION);
    if (oSubMenu) oSubMenu->End();
    if (owner) {
        if (lIdHeld) owner->SetShortcut(nId, 0, 0);  // the identifier is handed out again
        std::erase_if(owner->aMenuItems, [this](const auto& item) { return item.get() == this; });
    }
    oMenu.reset();
    Release();
    return removed;
}

}  // namespace corvix
