#pragma once
// Off-screen drawing: paint into a memory bitmap, then copy it to the
// target in one BitBlt so the window never shows intermediate layers.

#include <windows.h>

namespace corvix {

// The five handles of an off-screen drawing, in the library's order.
struct DisplayBuffer {
    HWND hWnd = nullptr;          // the window whose client area is buffered
    HDC hDC = nullptr;            // the target the buffer is copied to
    HDC hMemDC = nullptr;         // where drawing goes meanwhile
    HBITMAP hBitmap = nullptr;    // selected into hMemDC
    HGDIOBJ hOldBitmap = nullptr; // what hMemDC held before
};

// A buffer the size of hWnd's client area, compatible with hDC; its
// content is undefined until painted.
DisplayBuffer CXDISPBEGIN(HWND hWnd, HDC hDC);

// Copies the buffer onto its target, releases the memory DC and bitmap,
// and returns the target DC.
HDC CXDISPEND(const DisplayBuffer& aBuf);

}  // namespace corvix
