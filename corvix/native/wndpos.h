#pragma once
// Window position and size, read or changed, in the library's row-first order.

#include <windows.h>

#include <optional>

#include "corvix/native/geometry.h"

namespace corvix {

// Size of the window rectangle as a 16-bit value; 0 for a handle that is no window.
int WNDWIDTH(HWND hWnd);
int WNDHEIGHT(HWND hWnd);
// Resize keeping the top-left corner (in the parent's client coordinates).
void WNDWIDTH(HWND hWnd, int nWidth);
void WNDHEIGHT(HWND hWnd, int nHeight);

// Top or left edge in the parent's client coordinates (screen coordinates
// without a parent); nothing for handle 0.
std::optional<int> WNDTOP(HWND hWnd);
std::optional<int> WNDLEFT(HWND hWnd);
// Move that edge to the new value, keeping the size.
void WNDTOP(HWND hWnd, int nNewTop);
void WNDLEFT(HWND hWnd, int nNewLeft);

// The window rectangle in the parent's client coordinates; zeros for handle 0.
RectArray GETCOORS(HWND hWnd);
// {0, 0, client height, client width}; zeros for handle 0 or no window.
RectArray GETCLIENTRECT(HWND hWnd);
// The window rectangle in screen coordinates; zeros for handle 0 or no window.
RectArray GETWNDRECT(HWND hWnd);

// Centres the window over hWndOver when that is a window, else over the
// screen, keeping its size, and repaints it.
void WNDCENTER(HWND hWnd, HWND hWndOver = nullptr);

}  // namespace corvix
