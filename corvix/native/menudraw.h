#pragma once
// Measuring and drawing owner-drawn menu entries: the 2007 look (pale blue
// bar, grey icon strip, amber selection) and the classic one.

#include <windows.h>

#include <optional>
#include <string>

namespace corvix {

// Systems of major version 6 and later get the lighter row below the menu bar.
bool VistaLook(DWORD nMajorVersion);
// Separators are 10 pixels high, other entries the system's menu height.
void MENUMEASUREITEM(MEASUREITEMSTRUCT* pMeasureItem, int nWidth, bool lSeparator);
// cPrompt may hold a TAB before a shortcut text; hMenuBar (0 when none) tells
// menu-bar entries from pop-up entries. True after drawing, false for a
// focus-only request, nothing for other requests.
std::optional<bool> MENUDRAW2007(const DRAWITEMSTRUCT* pDrawItem, const std::string& cPrompt, HMENU hMenuBar,
                                 HBITMAP hBitmap, HWND hWnd);
std::optional<bool> MENUDRAWITEM(const DRAWITEMSTRUCT* pDrawItem, const std::string& cPrompt, HMENU hMenuBar,
                                 HBITMAP hBitmap, HWND hWnd);

}  // namespace corvix
