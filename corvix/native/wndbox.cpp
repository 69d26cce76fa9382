#include "corvix/native/wndbox.h"

namespace corvix {

void WNDBOX2007(HDC hDC, int nTop, int nLeft, int nBottom, int nRight, COLORREF nColor) {
    // The DC's own pen: no handle to make and free on every frame.
    const COLORREF callersPenColour = SetDCPenColor(hDC, nColor);
    HGDIOBJ previous = SelectObject(hDC, GetStockObject(DC_PEN));
    MoveToEx(hDC, nLeft, nBottom, nullptr);
    LineTo(hDC, nLeft, nTop);
    LineTo(hDC, nRight, nTop);
    // LineTo leaves out its end point, hence nTop - 1 to close the top-right corner.
    MoveToEx(hDC, nLeft, nBottom, nullptr);
    LineTo(hDC, nRight, nBottom);
    LineTo(hDC, nRight, nTop - 1);
    SelectObject(hDC, previous);
    SetDCPenColor(hDC, callersPenColour);
}

}  // namespace corvix
