#pragma once
// The button bar's natives: docking it to an edge of its parent, its 3-D
// frame, the classic bitmap-button face, rounded frames and focus marks.

#include <windows.h>

#include <optional>
#include <string>

namespace corvix {

// The columns a bitmap button keeps at its right for the drop-down arrow.
constexpr int kDropArrowWidth = 13;

// Docks the bar to its parent's edge by mode: 1 top, 2 left, 3 right, 4
// bottom (above a message bar of nMsgBarHeight when lMsgBar); its outer
// border lies just outside the client area. 5 (floating) and others: nothing.
void BARADJUST(HWND hWnd, int nMode, bool lMsgBar = false, int nMsgBarHeight = 0);

// The raised 3-D frame of a classic bar around its client area.
void BARPAINT(HWND hWnd, HDC hDC);

// What the classic bitmap-button painter is given.
struct PalBtnPaintArgs {
    HWND hWnd = nullptr;
    HBITMAP hBitmap = nullptr;
    HPALETTE hPalette = nullptr;
    bool lPressed = false;
    bool lAdjust = false;   // the bitmap stretched over the whole button
    bool lBorder = true;    // a raised frame; without it a frame shows only while pressed
    bool lPopup = false;    // the bitmap leaves room for the arrow
    std::optional<COLORREF> nClrPane;  // default: COLOR_BTNFACE
    std::string cCaption;   // drawn here only when it is "..."
    int nLayout = 1;
    HFONT hFont = nullptr;
    COLORREF nClrText = 0;
    HDC hDC = nullptr;
    bool lNotOnBar = false;
};
// Face, bitmap (transparent by its top-left pixel, 1 pixel right and down
// when pressed) and frame of a classic bitmap button.
void PALBTNPAINT(const PalBtnPaintArgs& a);

// A one-pixel line in the system colour nSysColour from (nFromX, nFromY) up
// to, not including, (nToX, nToY).
void SYSLINE(HDC hDC, int nFromX, int nFromY, int nToX, int nToY, int nSysColour);

// An unfilled rounded rectangle in a solid pen of nColor, nPenWidth wide;
// columns nLeft..nRight, rows nTop..nBottom as RoundRect takes them.
void ROUNDBOX(HDC hDC, int nLeft, int nTop, int nRight, int nBottom, int nWidth, int nHeight, COLORREF nColor,
              int nPenWidth = 1);

// An unfilled rectangle over rows nTop..nBottom and columns nLeft..nRight,
// both ends included, in hPen (the DC's pen when 0).
void RECTANGLE(HDC hDC, int nTop, int nLeft, int nBottom, int nRight, HPEN hPen = nullptr);

// The dotted focus rectangle over rows nTop..nBottom and columns nLeft..nRight.
void DRAWFOCUSRECT(HDC hDC, int nTop, int nLeft, int nBottom, int nRight);

}  // namespace corvix
