#include "corvix/skin/region.h"

namespace corvix::skin {

DWORD SETWINDOWRGN(HWND hWnd, HRGN hRgn) {
    // Cleared first so a success does not report a stale code from an earlier call.
    SetLastError(0);
    SetWindowRgn(hWnd, hRgn, TRUE);
    return GetLastError();
}

HRGN CREATEROUNDRECTRGN(int nLeft, int nTop, int nRight, int nBottom, int nWidthEllipse,
                        int nHeightEllipse) {
    return CreateRoundRectRgn(nLeft, nTop, nRight, nBottom, nWidthEllipse, nHeightEllipse);
}

}  // namespace corvix::skin
