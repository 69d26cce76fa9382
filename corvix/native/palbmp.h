#pragma once
// Bitmaps for bitmap buttons: loaded with their palettes, alpha channels
// detected and premultiplied once, drawn transparently or alpha-blended.

#include <windows.h>

#include <string>

namespace corvix {

// A bitmap and its palette; either may be 0. lAlpha as HASALPHA found it
// when the bitmap was loaded.
struct PalBitmap {
    HBITMAP hBitmap = nullptr;
    HPALETTE hPalette = nullptr;
    bool lAlpha = false;
};

// From the program's resources; {0, 0} when there is no such bitmap.
PalBitmap PALBMPLOAD(const std::string& cResName);
// From a .bmp file; {0, 0} when it is missing or not a bitmap.
PalBitmap PALBMPREAD(const std::string& cBmpFile);
// Realizes the bitmap's palette once in hWnd's device context when the bitmap
// is loaded. Nothing is kept: the palette is selected out again at once, and
// painting selects and realizes it itself; on a true-colour display it does nothing.
void PALBMPNEW(HWND hWnd, HBITMAP hBitmap, HPALETTE hPalette);
// Deletes both; 0 is skipped.
void PALBMPFREE(HBITMAP hBitmap, HPALETTE hPalette);
// True for a 32-bit bitmap whose alpha bytes are not all 0.
bool HASALPHA(HBITMAP hBitmap);
// Alpha-blends a premultiplied 32-bit bitmap at column nCol, row nRow with the
// constant alpha level nAlphaLevel (0 to 255).
void ABPAINT(HDC hDC, int nCol, int nRow, HBITMAP hBitmap, int nAlphaLevel = 255);
// Draws the bitmap stretched to nWidth x nHeight at column nCol, row nRow; pixels of
// nClrTransparent leave the target unchanged.
void TRANSBMP(HBITMAP hBitmap, int nBmpWidth, int nBmpHeight, COLORREF nClrTransparent, HDC hDC, int nCol, int nRow,
              int nWidth, int nHeight);
// A new bitmap of the same kind, stretched to nWidth x nHeight; 0 on failure.
HBITMAP RESIZEBMP(HBITMAP hBitmap, int nWidth, int nHeight);
// The colour of the bitmap's top-left pixel: what TRANSBMP leaves out.
COLORREF BMPCORNER(HBITMAP hBitmap);
// Width and height of a bitmap; {0, 0} for none.
SIZE BMPSIZE(HBITMAP hBitmap);

}  // namespace corvix
