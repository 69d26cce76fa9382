// TWindow: its menu bar, system menu and tracked pop-up: commands,
// accelerators, opening, selection and the owner-drawn entries.

#include <algorithm>
#include <cctype>
#include <cstring>
#include <utility>

#include "corvix/classes/menu.h"
#include "corvix/classes/menuitem.h"
#include "corvix/classes/tacctbl.h"
#include "corvix/classes/window.h"
#include "corvix/native/ansitext.h"
#include "corvix/native/eventloop.h"
#include "corvix/native/help.h"
#include "corvix/native/lmessages.h"
#include "corvix/native/menudraw.h"

namespace corvix {

namespace {

// The width of the prompt without its "&" marks, on the screen's device context.
int ScreenTextWidth(const std::string& cPrompt) {
    std::string text = cPrompt;
    std::erase(text, '&');
    HDC screen = GetDC(nullptr);
    const SIZE size = TextExtent(screen, text);
    ReleaseDC(nullptr, screen);
    return size.cx;
}

// A bitmap stands 4 pixels in from the entry's left; as much room on its right.
int BitmapRoom(HBITMAP hBitmap) {
    BITMAP info{};
    return hBitmap && GetObjectA(hBitmap, sizeof info, &info) ? info.bmWidth + 8 : 0;
}

// What the system says of an entry no item object has.
bool IsSeparatorEntry(HMENU hMenu, UINT nId) {
    MENUITEMINFOA info{.cbSize = sizeof info, .fMask = MIIM_FTYPE};
    return IsMenu(hMenu) && GetMenuItemInfoA(hMenu, nId, FALSE, &info) && (info.fType & MFT_SEPARATOR);
}

// The position of the entry whose prompt marks nChar as its mnemonic; -1 when none.
int MnemonicPos(HMENU hMenu, WORD nChar) {
    const int count = IsMenu(hMenu) ? GetMenuItemCount(hMenu) : 0;
    const int wanted = std::toupper(nChar & 0xFF);
    for (int pos = 0; pos < count; ++pos) {
        const std::string text = MenuTextAt(hMenu, static_cast<UINT>(pos));
        const char* mark = std::strchr(text.c_str(), '&');
        while (mark && mark[1] == '&') mark = std::strchr(mark + 2, '&');
        if (mark && mark[1] && std::toupper(static_cast<unsigned char>(mark[1])) == wanted) return pos;
    }
    return -1;
}

}  // namespace

// The old bar leaves the window before it is let go, so that it is destroyed
// with its object unless the program still holds it; its keys stop.
void TWindow::SetMenu(std::shared_ptr<TMenu> oNewMenu) {
    const auto old = std::exchange(oMenu, std::move(oNewMenu));
    if (hWnd) ::SetMenu(hWnd, oMenu ? oMenu->hMenu : nullptr);
    if (old && old != oMenu && old->oAccTable) old->oAccTable->DeActivate();
    if (!oMenu) return;
    oMenu->oWnd = weak_from_this();
    if (oMenu->oAccTable) oMenu->oAccTable->Activate();
}

bool TWindow::MenuCommand(WPARAM wParam, LPARAM lParam) {
    if (lParam) return false;
    const int id = LOWORD(wParam);
    for (const auto* menu : {&oPopup, &oMenu}) {
        if (!*menu || !(*menu)->GetMenuItem(static_cast<UINT_PTR>(id))) continue;
        (*menu)->Command(id);
        return true;
    }
    return false;
}

std::shared_ptr<TMenu> TWindow::MenuOwning(HMENU hMenu) const {
    if (oPopup && (oPopup->hMenu == hMenu || oPopup->GetSubMenu(hMenu))) return oPopup;
    return oMenu;
}

// The bar may be drawn while a pop-up tracks: the pop-up stays the window's,
// so that its chosen command still reaches it.
std::shared_ptr<TMenuItem> TWindow::FindMenuItem(UINT nId) {
    std::shared_ptr<TMenuItem> item = oPopup ? oPopup->GetMenuItem(nId) : nullptr;
    if (!item && oSysMenu) item = oSysMenu->GetMenuItem(nId);
    if (!item && oMenu) item = oMenu->GetMenuItem(nId);
    return item;
}

Answer TWindow::DrawItem(WPARAM nIdCtl, LPARAM pDrawItem) {
    if (nIdCtl != 0) {
        SendMessageA(GetDlgItem(hWnd, static_cast<int>(nIdCtl)), LM_DRAWITEM, nIdCtl, pDrawItem);
        return Answer::Nil();
    }
    const auto* p = reinterpret_cast<const DRAWITEMSTRUCT*>(pDrawItem);
    if (!p || (!oPopup && !oSysMenu && !oMenu)) return Answer::Nil();
    const HMENU bar = oMenu ? oMenu->hMenu : nullptr;
    if (const auto item = FindMenuItem(p->itemID)) {
        const auto menu = item->oMenu.lock();
        const auto painter = menu && menu->l2007 ? &MENUDRAW2007 : &MENUDRAWITEM;
        painter(p, item->cPrompt, bar, item->hBitmap, hWnd);
    } else {
        // The entry's item data is not its text: ask the menu for that.
        MENUDRAW2007(p, MenuEntryText(reinterpret_cast<HMENU>(p->hwndItem), p->itemID), bar, nullptr, hWnd);
    }
    return Answer::Nil();
}

Answer TWindow::MeasureItem(WPARAM nIdCtl, LPARAM pMeasureItem) {
    if (nIdCtl != 0) return Answer::Nil();
    auto* p = reinterpret_cast<MEASUREITEMSTRUCT*>(pMeasureItem);
    if (!p) return Answer::Logical(false);
    if (const auto item = FindMenuItem(p->itemID)) {
        const auto menu = item->oMenu.lock();
        const int extra = menu && menu == oMenu ? 0 : 100;
        const int text = static_cast<int>(0.9 * ScreenTextWidth(item->cPrompt));
        MENUMEASUREITEM(p, std::max(text, BitmapRoom(item->hBitmap)) + extra, item->cPrompt.empty() && !item->hBitmap);
    } else {
        MENUMEASUREITEM(p, 0, IsSeparatorEntry(reinterpret_cast<HMENU>(p->itemData), p->itemID));
    }
    return Answer::Logical(false);
}

Answer TWindow::InitMenuPopup(HMENU hMenu, int, bool lSysMenu) {
    if (lSysMenu) {
        if (const auto sys = oSysMenu) sys->Initiate();
        return Answer::Nil();
    }
    const auto menu = MenuOwning(hMenu);
    if (!menu) return Answer::Nil();
    menu->Initiate();
    if (const auto sub = menu->GetSubMenu(hMenu)) sub->Initiate();
    return Answer::Nil();
}

// A menu handle of 0 ends the selection: the item is forgotten.
Answer TWindow::MenuSelect(WORD nItem, int nFlags, LPARAM lParam) {
    if (hToolTip) {
        DestroyToolTip();
        SYSREFRESH();
    }
    const auto menu = MenuOwning(reinterpret_cast<HMENU>(lParam));
    const auto item = lParam && menu ? menu->GetMenuItem(nItem) : nullptr;
    oMItemSelect = item;
    if (item) SetMsg(item->cMsg);
    if (bMenuSelect) bMenuSelect(item, nFlags, lParam);
    return Answer::Nil();
}

Answer TWindow::HelpF1() {
    const auto item = oMItemSelect.lock();
    if (!item || item->nHelpId.IsNil()) return HelpTopic();
    if (item->nHelpId.IsString())
        HELPTOPIC(item->nHelpId.AsString());
    else if (item->nHelpId.IsNumber())
        HELPPOPUP(static_cast<int>(item->nHelpId.AsInteger()), hWnd);
    return Answer::Number(0);
}

Answer TWindow::MenuChar(WORD nChar, int, LPARAM hMenu) {
    const int pos = MnemonicPos(reinterpret_cast<HMENU>(hMenu), nChar);
    if (pos < 0) return Answer::Nil();
    return Answer::Number(MAKELRESULT(pos, MNC_EXECUTE));
}

}  // namespace corvix
