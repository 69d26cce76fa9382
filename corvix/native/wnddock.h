#pragma once
// Docking a child window in its parent's client area, next to neighbours
// already docked there (0 for none): the free area runs from the bottom of
// the top neighbour to the top of the bottom one, and from the right of the
// left neighbour to the left of the right one.

#include <windows.h>

namespace corvix {

// At the top or bottom of the free area, across its whole width; height kept.
void WNDADJTOP(HWND hWnd, HWND hTop = nullptr, HWND hBottom = nullptr);
void WNDADJBOTTOM(HWND hWnd, HWND hTop = nullptr, HWND hBottom = nullptr);
// At the left or right of the parent, over the free area's height; width kept.
void WNDADJLEFT(HWND hWnd, HWND hTop = nullptr, HWND hBottom = nullptr);
void WNDADJRIGHT(HWND hWnd, HWND hTop = nullptr, HWND hBottom = nullptr);
// The whole free area, inset by nBevel on every side.
void WNDADJCLIENT(HWND hWnd, HWND hTop, HWND hBottom, HWND hLeft, HWND hRight, int nBevel = 0);

}  // namespace corvix
