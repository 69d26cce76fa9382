#pragma once
// What controls need of visual styles and of their parent's background;
// everything answers safely where the system has no themes.

#include <windows.h>

namespace corvix {

// True when the application draws with visual styles (UXTHEME's IsAppThemed).
bool ISAPPTHEMED();
// True when the theme draws hWnd's parts of cClassList: themes are on and
// the window has not been excluded from them.
bool ISWINDOWTHEMED(HWND hWnd, const wchar_t* cClassList);
// Draws a part of the current theme's class into aRect; false when there is
// no theme to draw with.
bool DRAWTHEMEPART(HWND hWnd, HDC hDC, const wchar_t* cClassList, int nPart, int nState, const RECT& aRect);
// Draws the parent's client image that lies under the control into hDC.
void PARENTIMAGE(HWND hWnd, HDC hDC);
// The themed parent background under the control; the parent's image without themes.
void DRAWPBACK(HWND hWnd, HDC hDC);
// The 3-D look of old systems: nothing to do on this one.
void CTL3DLOOK(HWND hWnd, bool lOnOff);

}  // namespace corvix
