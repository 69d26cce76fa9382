#pragma once
// The Office 2007 push-button painter.

#include <windows.h>

#include "corvix/native/geometry.h"

namespace skindemo {

// Paints button hWnd into hDC: the pressed look when lPressed, else the
// focused look when the button has the keyboard focus, else the normal look;
// then its caption. Everything goes through one off-screen buffer.
void BTNPAINT(HWND hWnd, HDC hDC, bool lPressed = false);

// The painter's two layers, also measured on their own.
enum class ButtonLook { Normal, Focused, Pressed };
void PaintButtonFace(HDC dc, int w, int h, ButtonLook look);
// The caption centred in area, in the parent's font; greyed when disabled.
void PaintButtonCaption(HWND hWnd, HDC dc, const corvix::RectArray& area);

}  // namespace skindemo
