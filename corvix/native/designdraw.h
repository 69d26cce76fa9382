#pragma once
// Drawing for design mode: the rubber band that shows where a control is
// being moved or resized, and the eight resize handles around a control.

#include <windows.h>

#include <array>
#include <utility>

namespace corvix {

// The control's rectangle in its parent's client area, drawn inverted (a
// second identical call erases it). nResize 0 moves it by nDRow, nDCol; a
// handle 1..8 (clockwise from the top-left corner) moves that handle's edges
// to the point nRow, nCol of the control's client area.
void CTRLDRAWFOCUS(HWND hWnd, int nDRow = 0, int nDCol = 0, int nRow = 0, int nCol = 0, int nResize = 0);

// The design grid, 8 x 8 until changed; GETGRIDSIZE answers {width, height}.
void SETGRIDSIZE(int nWidth, int nHeight);
std::pair<int, int> GETGRIDSIZE();

// The cross-hair a design drag shows, and the "no drop" cursor of drag and drop.
void CURSORCATCH();
void CURSORNO();

// Places the eight handle windows around the control, clockwise from the
// top-left corner, each centred on its corner or side.
void DOTSADJUST(HWND hWnd, const std::array<HWND, 8>& aDots);

}  // namespace corvix
