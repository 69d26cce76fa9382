#include "corvix/native/barpaint.h"

#include "corvix/native/palbmp.h"

namespace corvix {

namespace {

RECT ClientOf(HWND hWnd) {
    RECT client{};
    GetClientRect(hWnd, &client);
    return client;
}

}  // namespace

void BARADJUST(HWND hWnd, int nMode, bool lMsgBar, int nMsgBarHeight) {
    const HWND parent = IsWindow(hWnd) ? GetParent(hWnd) : nullptr;
    if (!parent) return;
    const RECT area = ClientOf(parent);
    RECT own{};
    GetWindowRect(hWnd, &own);
    const int width = own.right - own.left, height = own.bottom - own.top;
    const int bottom = area.bottom - (lMsgBar ? nMsgBarHeight : 0);
    switch (nMode) {
        case 1: MoveWindow(hWnd, -1, -1, area.right + 2, height, TRUE); break;
        case 2: MoveWindow(hWnd, -1, -1, width, bottom + 2, TRUE); break;
        case 3: MoveWindow(hWnd, area.right - width + 1, -1, width, bottom + 2, TRUE); break;
        case 4: MoveWindow(hWnd, -1, bottom - height + 1, area.right + 2, height, TRUE); break;
        default: break;
    }
}

void BARPAINT(HWND hWnd, HDC hDC) {
    if (!IsWindow(hWnd) || !hDC) return;
    RECT client = ClientOf(hWnd);
    DrawEdge(hDC, &client, BDR_RAISEDINNER, BF_RECT);
}

void PALBTNPAINT(const PalBtnPaintArgs& a) {
    if (!IsWindow(a.hWnd) || !a.hDC) return;
    RECT client = ClientOf(a.hWnd);
    const HBRUSH face = CreateSolidBrush(a.nClrPane.value_or(GetSysColor(COLOR_BTNFACE)));
    FillRect(a.hDC, &client, face);
    DeleteObject(face);
    const HPALETTE previousPalette = a.hPalette ? SelectPalette(a.hDC, a.hPalette, FALSE) : nullptr;
    if (a.hPalette) RealizePalette(a.hDC);
    const int shift = a.lPressed ? 1 : 0;
    const SIZE size = BMPSIZE(a.hBitmap);
    const int room = a.lPopup && a.nLayout != 2 ? kDropArrowWidth : 0;
    if (size.cx > 0 && size.cy > 0) {
        const COLORREF transparent = BMPCORNER(a.hBitmap);
        if (a.lAdjust)
            TRANSBMP(a.hBitmap, size.cx, size.cy, transparent, a.hDC, shift, shift, client.right - room, client.bottom);
        else
            TRANSBMP(a.hBitmap, size.cx, size.cy, transparent, a.hDC, (client.right - room - size.cx) / 2 + shift,
                     (client.bottom - size.cy) / 2 + shift, size.cx, size.cy);
    }
    if (previousPalette) SelectPalette(a.hDC, previousPalette, FALSE);
    if (a.cCaption == "...") {
        const HGDIOBJ previousFont = a.hFont ? SelectObject(a.hDC, a.hFont) : nullptr;
        const int previousMode = SetBkMode(a.hDC, TRANSPARENT);
        const COLORREF previousColour = SetTextColor(a.hDC, a.nClrText);
        RECT text{client.left + shift, client.top + shift, client.right + shift, client.bottom + shift};
        DrawTextA(a.hDC, "...", 3, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        SetTextColor(a.hDC, previousColour);
        SetBkMode(a.hDC, previousMode);
        if (previousFont) SelectObject(a.hDC, previousFont);
    }
    if (a.lPressed)
        DrawEdge(a.hDC, &client, BDR_SUNKENOUTER, BF_RECT);
    else if (a.lBorder && a.lNotOnBar)
        DrawEdge(a.hDC, &client, EDGE_RAISED, BF_RECT);
}

void SYSLINE(HDC hDC, int nFromX, int nFromY, int nToX, int nToY, int nSysColour) {
    if (!hDC) return;
    const HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(nSysColour));
    const HGDIOBJ previous = SelectObject(hDC, pen);
    MoveToEx(hDC, nFromX, nFromY, nullptr);
    LineTo(hDC, nToX, nToY);
    SelectObject(hDC, previous);
    DeleteObject(pen);
}

void ROUNDBOX(HDC hDC, int nLeft, int nTop, int nRight, int nBottom, int nWidth, int nHeight, COLORREF nColor,
              int nPenWidth) {
    if (!hDC) return;
    const HPEN pen = CreatePen(PS_SOLID, nPenWidth, nColor);
    const HGDIOBJ previousPen = SelectObject(hDC, pen);
    const HGDIOBJ previousBrush = SelectObject(hDC, GetStockObject(NULL_BRUSH));
    RoundRect(hDC, nLeft, nTop, nRight, nBottom, nWidth, nHeight);
    SelectObject(hDC, previousBrush);
    SelectObject(hDC, previousPen);
    DeleteObject(pen);
}

void RECTANGLE(HDC hDC, int nTop, int nLeft, int nBottom, int nRight, HPEN hPen) {
    if (!hDC) return;
    const HGDIOBJ previousPen = hPen ? SelectObject(hDC, hPen) : nullptr;
    const HGDIOBJ previousBrush = SelectObject(hDC, GetStockObject(NULL_BRUSH));
    Rectangle(hDC, nLeft, nTop, nRight + 1, nBottom + 1);
    SelectObject(hDC, previousBrush);
    if (previousPen) SelectObject(hDC, previousPen);
}

void DRAWFOCUSRECT(HDC hDC, int nTop, int nLeft, int nBottom, int nRight) {
    if (!hDC) return;
    const RECT area{nLeft, nTop, nRight, nBottom};
    DrawFocusRect(hDC, &area);
}

}  // namespace corvix
