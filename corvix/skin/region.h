#pragma once
// Window regions, for rounded windows.

#include <windows.h>

namespace corvix::skin {

// Sets hWnd's region and redraws; no region gives the full rectangle back.
// The region belongs to the system afterwards. Returns the error code the
// call left (0 on success).
DWORD SETWINDOWRGN(HWND hWnd, HRGN hRgn = nullptr);

// A rounded rectangle; note x before y, unlike the rest of the library.
HRGN CREATEROUNDRECTRGN(int nLeft, int nTop, int nRight, int nBottom, int nWidthEllipse,
                        int nHeightEllipse);

}  // namespace corvix::skin
