#pragma once
// The skin's hook on the system push-button class: one call, and every
// "BUTTON" window the process creates afterwards is painted and driven by
// the skin's handlers, found by name at each message.

#include <windows.h>

namespace skindemo {

// The class procedure in force before the install; null until the first
// successful install, then never changed.
extern WNDPROC OldButtonProc;

// Installs SkinButtonProc as the class procedure of hWnd's class, once;
// later calls do nothing. A failed replacement leaves OldButtonProc null.
void BUTTONS2007(HWND hWnd);

// Routes paint, focus, key and mouse messages to the handlers BTNPAINT,
// FOCUSED, KEYDOWN, KEYUP, MOUSEMOVE, BTNLBUTTONDOWN (double-clicks too),
// BTNLBUTTONUP and MOUSELEAVE, and BM_CLICK to BTNCLICK; swallows
// WM_UPDATEUISTATE; passes the rest to OldButtonProc.
LRESULT CALLBACK SkinButtonProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);

// Whether button hWnd has the keyboard focus. Asking the system is a round
// trip to the window server under Wine, so the system is asked only when
// the focus messages the button has had, as the system's own button keeps
// them, do not already say no.
bool HasButtonFocus(HWND hWnd);

}  // namespace skindemo
