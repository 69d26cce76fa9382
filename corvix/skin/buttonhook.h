#pragma once
// The skin's hook on the system push-button class: one call, and every push
// button the process creates afterwards is painted and driven by the skin's
// handlers (SkinButtonProc), found by name at each message. Buttons of every
// other style (check boxes, radio buttons, group boxes, owner-drawn) stay the
// system's.

#include <windows.h>

namespace corvix::skin {

// Installs SkinButtonProc as the class procedure of hWnd's class, once;
// later calls do nothing. A failed replacement leaves OldButtonProc null.
void BUTTONS2007(HWND hWnd);
// The same on the push-button class, through a button of its own that it
// ends at once.
void BUTTONS2007();

}  // namespace corvix::skin
