#include "corvix/native/dispbuffer.h"

namespace corvix {

DisplayBuffer CXDISPBEGIN(HWND hWnd, HDC hDC) {
    RECT client{};
    GetClientRect(hWnd, &client);
    DisplayBuffer buffer;
    buffer.hWnd = hWnd;
    buffer.hDC = hDC;
    buffer.hMemDC = CreateCompatibleDC(hDC);
    buffer.hBitmap = CreateCompatibleBitmap(hDC, client.right - client.left, client.bottom - client.top);
    buffer.hOldBitmap = SelectObject(buffer.hMemDC, buffer.hBitmap);
    return buffer;
}

HDC CXDISPEND(const DisplayBuffer& aBuf) {
    RECT client{};
    GetClientRect(aBuf.hWnd, &client);
    BitBlt(aBuf.hDC, 0, 0, client.right - client.left, client.bottom - client.top, aBuf.hMemDC, 0,
           0, SRCCOPY);
    SelectObject(aBuf.hMemDC, aBuf.hOldBitmap);
    DeleteObject(aBuf.hBitmap);
    DeleteDC(aBuf.hMemDC);
    return aBuf.hDC;
}

}  // namespace corvix
