#pragma once
// The push-button class procedure the skin installs, and what its painter and
// handlers ask of it: the skin's thread and the keyboard focus.

#include <windows.h>

namespace corvix::skin {

// The class procedure in force before the install; null until the first
// successful install, then never changed.
extern WNDPROC OldButtonProc;

// For push buttons (BS_PUSHBUTTON, BS_DEFPUSHBUTTON, judged by the style
// they have at each message): routes paint, focus, key and mouse messages
// to the handlers BTNPAINT, FOCUSED, KEYDOWN, KEYUP, MOUSEMOVE,
// BTNLBUTTONDOWN (double-clicks too), BTNLBUTTONUP and MOUSELEAVE,
// WM_PRINTCLIENT to BTNPAINT and BM_CLICK to BTNCLICK; swallows
// WM_UPDATEUISTATE; passes the rest to OldButtonProc and repaints the skin
// after the messages on which the system's code draws the button itself.
// Other styles go to OldButtonProc. The handlers are looked up by name on
// every thread that shows skinned buttons: replace them while no other
// thread does.
LRESULT CALLBACK SkinButtonProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);

// Whether button hWnd has the keyboard focus. Asking the system is a round
// trip to the window server under Wine, so the system is asked only when
// the focus messages this thread's buttons have had do not already say no.
bool HasButtonFocus(HWND hWnd);

// Makes the calling thread the skin's, unless one already is.
void ClaimSkinThread();

// Whether the calling thread is the skin's own: the one that installed it
// (before any install, the first that asked). The skin's kept state (the
// paint buffer, the pictures, the library's objects) serves that thread
// alone; the others paint without it.
bool OnSkinThread();

}  // namespace corvix::skin
