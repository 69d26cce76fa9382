#include "corvix/native/wndbox.h"

namespace corvix {

void WNDBOX2007(HDC hDC, int nTop, int nLeft, int nBottom, int nRight, COLORREF nColor) {
    HPEN pen = CreatePen(PS_SOLID, 1, nColor);
    HGDIOBJ previous = SelectObject(hDC, pen);
    MoveToEx(hDC, nLeft, nBottom, nullptr);
    LineTo(hDC, nLeft, nTop);
    LineTo(hDC, nRight, nTop);
    // LineTo leaves out its end point, hence nTop - 1 to close the top-right corner.
    MoveToEx(hDC, nLeft, nBottom, nullptr);
    LineTo(hDC, nRight, nBottom);
    LineTo(hDC, nRight, nTop - 1);
    SelectObject(hDC, previous);
    DeleteObject(pen);
}

}  // namespace corvix
