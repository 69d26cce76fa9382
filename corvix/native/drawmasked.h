#pragma once
// Transparent bitmap drawing: pixels of the bitmap's top-left colour leave
// the target unchanged.

#include <windows.h>

namespace corvix {

// Draws hBitmap with its top-left corner at (nRow, nCol).
void DRAWMASKED(HDC hDC, HBITMAP hBitmap, int nRow, int nCol);

// The checked tool-button look: an 8 x 8 checkerboard of the button highlight
// and face colours under the bitmap's rectangle, then the bitmap transparently.
void DRAWMASKEDCHECKED(HDC hDC, HBITMAP hBitmap, int nRow, int nCol);

}  // namespace corvix
