#pragma once
// What makes a skinned button behave: the pressed look while the mouse
// button or the space bar is held, and the click, posted to the parent as
// WM_COMMAND. The hook calls these by name; all skinned buttons of the
// skin's thread share the two variables below. Mouse and keys come to each
// thread on its own, so another thread's buttons (a worker's message box)
// keep a pair of their own. A handle that names no window paints and
// clicks nothing.

#include <windows.h>

#include <optional>

#include "corvix/runtime/value.h"

namespace corvix::skin {

// The button on which the left mouse button last went down; 0 for none.
extern HWND hPressedButton;
// True while a mouse move or a space key-down painted the pressed look and
// no leave or key-up took it back.
extern bool lPressedLook;

// True when the screen point lies inside the button's hit area (the top row,
// left column, last row and last two columns left out) and the button is
// hPressedButton. The point defaults to the cursor.
bool ISOVER(HWND hWnd, std::optional<int> nRow = std::nullopt, std::optional<int> nCol = std::nullopt);

void BTNLBUTTONDOWN(HWND hWnd, int nRow = 0, int nCol = 0);
void BTNLBUTTONUP(HWND hWnd, int nRow = 0, int nCol = 0);
// A keyboard click (BM_CLICK): focus and one click, whatever the cursor.
void BTNCLICK(HWND hWnd);
void MOUSEMOVE(HWND hWnd);
void MOUSELEAVE(HWND hWnd);
void KEYDOWN(HWND hWnd, int nKey, int nFlags = 0);
void KEYUP(HWND hWnd, int nKey, int nFlags = 0);
void FOCUSED(HWND hWnd);

// Diagnostics to "msgs.txt": rounds the active window's corners and logs
// {nValue, region, error code, window}; logs one value.
void CREATEROUND(const corvix::Value& nValue);
void LOGMSG(const corvix::Value& xValue);

}  // namespace corvix::skin
