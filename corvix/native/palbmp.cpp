#include "corvix/native/palbmp.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace corvix {

namespace {

// The DIB section's own bits, or null for a device bitmap.
DIBSECTION SectionOf(HBITMAP hBitmap) {
    DIBSECTION section{};
    if (!hBitmap || GetObjectA(hBitmap, sizeof section, &section) != sizeof section) section = {};
    return section;
}

// A palette from the colour table of an 8-bit or smaller DIB section; 0 otherwise.
HPALETTE PaletteOf(HBITMAP hBitmap) {
    const DIBSECTION section = SectionOf(hBitmap);
    if (!section.dsBm.bmBits || section.dsBmih.biBitCount > 8) return nullptr;
    RGBQUAD colours[256];
    const HDC dc = CreateCompatibleDC(nullptr);
    const HGDIOBJ previous = SelectObject(dc, hBitmap);
    const UINT count = GetDIBColorTable(dc, 0, 256, colours);
    SelectObject(dc, previous);
    DeleteDC(dc);
    if (count == 0) return nullptr;
    std::vector<BYTE> memory(sizeof(LOGPALETTE) + count * sizeof(PALETTEENTRY));
    auto* palette = reinterpret_cast<LOGPALETTE*>(memory.data());
    palette->palVersion = 0x300;
    palette->palNumEntries = static_cast<WORD>(count);
    for (UINT i = 0; i < count; ++i)
        palette->palPalEntry[i] = {colours[i].rgbRed, colours[i].rgbGreen, colours[i].rgbBlue, 0};
    return CreatePalette(palette);
}

// AlphaBlend wants colours already multiplied by their alpha.
void Premultiply(HBITMAP hBitmap) {
    const DIBSECTION section = SectionOf(hBitmap);
    auto* pixel = static_cast<uint8_t*>(section.dsBm.bmBits);
    const size_t count = static_cast<size_t>(section.dsBm.bmWidth) * static_cast<size_t>(std::abs(section.dsBm.bmHeight));
    for (size_t i = 0; i < count; ++i, pixel += 4)
        for (int c = 0; c < 3; ++c) pixel[c] = static_cast<uint8_t>(pixel[c] * pixel[3] / 255);
}

PalBitmap Prepared(HBITMAP hBitmap) {
    const bool alpha = HASALPHA(hBitmap);
    if (alpha) Premultiply(hBitmap);
    return {hBitmap, PaletteOf(hBitmap), alpha};
}

}  // namespace

SIZE BMPSIZE(HBITMAP hBitmap) {
    BITMAP info{};
    if (!hBitmap || !GetObjectA(hBitmap, sizeof info, &info)) return {0, 0};
    return {info.bmWidth, std::abs(info.bmHeight)};
}

COLORREF BMPCORNER(HBITMAP hBitmap) {
    const HDC probe = CreateCompatibleDC(nullptr);
    const HGDIOBJ previous = SelectObject(probe, hBitmap);
    const COLORREF corner = GetPixel(probe, 0, 0);
    SelectObject(probe, previous);
    DeleteDC(probe);
    return corner;
}

PalBitmap PALBMPLOAD(const std::string& cResName) {
    if (cResName.empty()) return {};
    return Prepared(static_cast<HBITMAP>(
        LoadImageA(GetModuleHandleA(nullptr), cResName.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}

PalBitmap PALBMPREAD(const std::string& cBmpFile) {
    if (cBmpFile.empty() || GetFileAttributesA(cBmpFile.c_str()) == INVALID_FILE_ATTRIBUTES) return {};
    return Prepared(static_cast<HBITMAP>(
        LoadImageA(nullptr, cBmpFile.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
}

void PALBMPNEW(HWND hWnd, HBITMAP hBitmap, HPALETTE hPalette) {
    if (!hBitmap || !hPalette || !IsWindow(hWnd)) return;
    const HDC dc = GetDC(hWnd);
    const HPALETTE previous = SelectPalette(dc, hPalette, FALSE);
    RealizePalette(dc);
    SelectPalette(dc, previous, FALSE);
    ReleaseDC(hWnd, dc);
}

void PALBMPFREE(HBITMAP hBitmap, HPALETTE hPalette) {
    if (hBitmap) DeleteObject(hBitmap);
    if (hPalette) DeleteObject(hPalette);
}

bool HASALPHA(HBITMAP hBitmap) {
    const DIBSECTION section = SectionOf(hBitmap);
    if (!section.dsBm.bmBits || section.dsBmih.biBitCount != 32) return false;
    const auto* pixel = static_cast<const uint8_t*>(section.dsBm.bmBits);
    const size_t count = static_cast<size_t>(section.dsBm.bmWidth) * static_cast<size_t>(std::abs(section.dsBm.bmHeight));
    for (size_t i = 0; i < count; ++i)
        if (pixel[i * 4 + 3] != 0) return true;
    return false;
}

void ABPAINT(HDC hDC, int nCol, int nRow, HBITMAP hBitmap, int nAlphaLevel) {
    const SIZE size = BMPSIZE(hBitmap);
    if (!hDC || size.cx <= 0 || size.cy <= 0) return;
    const HDC source = CreateCompatibleDC(hDC);
    const HGDIOBJ previous = SelectObject(source, hBitmap);
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, static_cast<BYTE>(std::clamp(nAlphaLevel, 0, 255)), AC_SRC_ALPHA};
    GdiAlphaBlend(hDC, nCol, nRow, size.cx, size.cy, source, 0, 0, size.cx, size.cy, blend);
    SelectObject(source, previous);
    DeleteDC(source);
}

void TRANSBMP(HBITMAP hBitmap, int nBmpWidth, int nBmpHeight, COLORREF nClrTransparent, HDC hDC, int nCol, int nRow,
              int nWidth, int nHeight) {
    if (!hDC || !hBitmap || nBmpWidth <= 0 || nBmpHeight <= 0 || nWidth <= 0 || nHeight <= 0) return;
    const HDC source = CreateCompatibleDC(hDC);
    const HGDIOBJ previous = SelectObject(source, hBitmap);
    GdiTransparentBlt(hDC, nCol, nRow, nWidth, nHeight, source, 0, 0, nBmpWidth, nBmpHeight, nClrTransparent);
    SelectObject(source, previous);
    DeleteDC(source);
}

HBITMAP RESIZEBMP(HBITMAP hBitmap, int nWidth, int nHeight) {
    const SIZE size = BMPSIZE(hBitmap);
    if (size.cx <= 0 || size.cy <= 0 || nWidth <= 0 || nHeight <= 0) return nullptr;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), nWidth, -nHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    const HBITMAP resized = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!resized) return nullptr;
    const HDC source = CreateCompatibleDC(nullptr);
    const HDC target = CreateCompatibleDC(nullptr);
    const HGDIOBJ previousSource = SelectObject(source, hBitmap);
    const HGDIOBJ previousTarget = SelectObject(target, resized);
    SetStretchBltMode(target, COLORONCOLOR);
    StretchBlt(target, 0, 0, nWidth, nHeight, source, 0, 0, size.cx, size.cy, SRCCOPY);
    SelectObject(target, previousTarget);
    SelectObject(source, previousSource);
    DeleteDC(target);
    DeleteDC(source);
    return resized;
}

}  // namespace corvix
