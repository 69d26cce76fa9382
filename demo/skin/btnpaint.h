#pragma once
// The Office 2007 push-button painter.

#include <windows.h>

namespace skindemo {

// Paints button hWnd into hDC: the pressed look when lPressed, else the
// focused look when the button has the keyboard focus, else the normal look;
// then its caption. Everything goes through one off-screen buffer.
void BTNPAINT(HWND hWnd, HDC hDC, bool lPressed = false);

}  // namespace skindemo
