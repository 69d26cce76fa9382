#pragma once
// One-pixel frames in the 2007 look.

#include <windows.h>

namespace corvix {

// A closed one-pixel frame over columns nLeft..nRight and rows nTop..nBottom,
// all four corners included.
void WNDBOX2007(HDC hDC, int nTop, int nLeft, int nBottom, int nRight, COLORREF nColor);

}  // namespace corvix
