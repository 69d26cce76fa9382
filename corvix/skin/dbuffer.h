#pragma once
// The skin's off-screen buffer: like the library's, but it starts as a copy
// of what the target shows, so whatever the painter leaves uncovered stays.

#include <windows.h>

#include "corvix/native/dispbuffer.h"

namespace corvix::skin {

// A buffer over hWnd's client area whose bitmap already holds hDC's content.
corvix::DisplayBuffer DBUFFERSTART(HWND hWnd, HDC hDC);

// Records hDC as the buffer's drawing DC, then copies and frees the buffer.
void DBUFFEREND(HDC hDC, corvix::DisplayBuffer& aBuf);

}  // namespace corvix::skin
