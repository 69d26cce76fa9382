#include "corvix/native/drawmasked.h"

#include <cstdint>

namespace corvix {

namespace {

SIZE BitmapSize(HBITMAP hBitmap) {
    BITMAP info{};
    if (!GetObjectA(hBitmap, sizeof info, &info)) return {0, 0};
    return {info.bmWidth, info.bmHeight};
}

// A memory DC with its own bitmap selected; everything is released on scope exit.
class ScratchDC {
public:
    ScratchDC(HDC like, HBITMAP bitmap) : dc_(CreateCompatibleDC(like)), bitmap_(bitmap) {
        previous_ = SelectObject(dc_, bitmap_);
    }
    ~ScratchDC() {
        SelectObject(dc_, previous_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    ScratchDC(const ScratchDC&) = delete;
    ScratchDC& operator=(const ScratchDC&) = delete;
    HDC Get() const { return dc_; }

private:
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ previous_;
};

}  // namespace

void DRAWMASKED(HDC hDC, HBITMAP hBitmap, int nRow, int nCol) {
    const SIZE size = BitmapSize(hBitmap);
    if (size.cx <= 0 || size.cy <= 0) return;

    HDC source = CreateCompatibleDC(hDC);
    HGDIOBJ sourcePrevious = SelectObject(source, hBitmap);
    ScratchDC copy(hDC, CreateCompatibleBitmap(hDC, size.cx, size.cy));
    ScratchDC mask(hDC, CreateBitmap(size.cx, size.cy, 1, 1, nullptr));
    BitBlt(copy.Get(), 0, 0, size.cx, size.cy, source, 0, 0, SRCCOPY);
    SelectObject(source, sourcePrevious);
    DeleteDC(source);

    // Mask: 1 where the copy has the top-left pixel's colour.
    SetBkColor(copy.Get(), GetPixel(copy.Get(), 0, 0));
    BitBlt(mask.Get(), 0, 0, size.cx, size.cy, copy.Get(), 0, 0, SRCCOPY);
    // Masked pixels of the copy become black, so the OR below leaves the target there.
    SetBkColor(copy.Get(), RGB(0, 0, 0));
    SetTextColor(copy.Get(), RGB(255, 255, 255));
    BitBlt(copy.Get(), 0, 0, size.cx, size.cy, mask.Get(), 0, 0, SRCAND);

    const COLORREF oldBk = SetBkColor(hDC, RGB(255, 255, 255));
    const COLORREF oldText = SetTextColor(hDC, RGB(0, 0, 0));
    BitBlt(hDC, nCol, nRow, size.cx, size.cy, mask.Get(), 0, 0, SRCAND);
    BitBlt(hDC, nCol, nRow, size.cx, size.cy, copy.Get(), 0, 0, SRCPAINT);
    SetBkColor(hDC, oldBk);
    SetTextColor(hDC, oldText);
}

void DRAWMASKEDCHECKED(HDC hDC, HBITMAP hBitmap, int nRow, int nCol) {
    const SIZE size = BitmapSize(hBitmap);
    if (size.cx <= 0 || size.cy <= 0) return;

    // Monochrome rows are word-aligned: one pattern byte and one padding byte each.
    static const uint16_t rows[8] = {0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55};
    HBITMAP pattern = CreateBitmap(8, 8, 1, 1, rows);
    HBRUSH brush = CreatePatternBrush(pattern);
    // A monochrome pattern takes the background colour for set bits, the text colour for clear ones.
    const COLORREF oldBk = SetBkColor(hDC, GetSysColor(COLOR_BTNHIGHLIGHT));
    const COLORREF oldText = SetTextColor(hDC, GetSysColor(COLOR_BTNFACE));
    const RECT area{nCol, nRow, nCol + size.cx, nRow + size.cy};
    FillRect(hDC, &area, brush);
    SetBkColor(hDC, oldBk);
    SetTextColor(hDC, oldText);
    DeleteObject(brush);
    DeleteObject(pattern);

    DRAWMASKED(hDC, hBitmap, nRow, nCol);
}

}  // namespace corvix
