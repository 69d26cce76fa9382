#pragma once
// The error dialog's picture: a 32 x 32, 256-colour image stored in the program.

#include <windows.h>

namespace corvix {

// A new device bitmap of the picture; the caller deletes it.
HBITMAP CXBITMAP();
// Copies the picture to hDC with its top-left corner at (nX, nY).
void DrawPicture(HDC hDC, HBITMAP hBitmap, int nX, int nY, int nSize);

}  // namespace corvix
