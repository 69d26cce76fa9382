#include "corvix/skin/dbuffer.h"

namespace corvix::skin {

corvix::DisplayBuffer DBUFFERSTART(HWND hWnd, HDC hDC) {
    corvix::DisplayBuffer buffer = corvix::CXDISPBEGIN(hWnd, hDC);
    RECT client{};
    GetClientRect(hWnd, &client);
    BitBlt(buffer.hMemDC, 0, 0, client.right, client.bottom, hDC, 0, 0, SRCCOPY);
    return buffer;
}

void DBUFFEREND(HDC hDC, corvix::DisplayBuffer& aBuf) {
    aBuf.hMemDC = hDC;
    corvix::CXDISPEND(aBuf);
}

}  // namespace corvix::skin
