#include "corvix/program/errorpicture.h"

#include <array>
#include <string>

namespace corvix {

namespace {

// One letter per pixel, top row first: '.' the dialog face, 'k' the rim,
// 'd' the disc's edge, 'r' the disc, 'w' the mark.
constexpr std::array<const char*, 32> kRows = {
    "................................",
    "................................",
    "............kkkkkkkk............",
    "..........kkddddddddkk..........",
    "........kkdddrrrrrrdddkk........",
    ".......kddrrrrrrrrrrrrddk.......",
    "......kddrrrrrwwwwrrrrrddk......",
    ".....kddrrrrrrwwwwrrrrrrddk.....",
    "....kddrrrrrrrwwwwrrrrrrrddk....",
    "....kdrrrrrrrrwwwwrrrrrrrrdk....",
    "...kdrrrrrrrrrwwwwrrrrrrrrrdk...",
    "...kdrrrrrrrrrwwwwrrrrrrrrrdk...",
    "..kddrrrrrrrrrwwwwrrrrrrrrrddk..",
    "..kdrrrrrrrrrrwwwwrrrrrrrrrrdk..",
    "..kdrrrrrrrrrrwwwwrrrrrrrrrrdk..",
    "..kdrrrrrrrrrrwwwwrrrrrrrrrrdk..",
    "..kdrrrrrrrrrrwwwwrrrrrrrrrrdk..",
    "..kdrrrrrrrrrrwwwwrrrrrrrrrrdk..",
    "..kdrrrrrrrrrrwwwwrrrrrrrrrrdk..",
    "..kddrrrrrrrrrwwwwrrrrrrrrrddk..",
    "...kdrrrrrrrrrrrrrrrrrrrrrrdk...",
    "...kdrrrrrrrrrrrrrrrrrrrrrrdk...",
    "....kdrrrrrrrrrrrrrrrrrrrrdk....",
    "....kddrrrrrrrwwwwrrrrrrrddk....",
    ".....kddrrrrrrwwwwrrrrrrddk.....",
    "......kddrrrrrwwwwrrrrrddk......",
    ".......kddrrrrrrrrrrrrddk.......",
    "........kkdddrrrrrrdddkk........",
    "..........kkddddddddkk..........",
    "............kkkkkkkk............",
    "................................",
    "................................",
};

constexpr char kLetters[] = ".kdrw";
constexpr RGBQUAD kPalette[] = {{192, 192, 192, 0}, {32, 32, 32, 0}, {0, 0, 160, 0}, {0, 0, 224, 0}, {255, 255, 255, 0}};

struct PictureInfo {
    BITMAPINFOHEADER header;
    RGBQUAD colours[256];
};

}  // namespace

HBITMAP CXBITMAP() {
    constexpr int kSide = 32;
    PictureInfo info{};
    info.header = {sizeof(BITMAPINFOHEADER), kSide, -kSide, 1, 8, BI_RGB, 0, 0, 0, 256, 0};
    for (size_t i = 0; i < std::size(kPalette); ++i) info.colours[i] = kPalette[i];
    BYTE pixels[kSide * kSide];
    for (int y = 0; y < kSide; ++y)
        for (int x = 0; x < kSide; ++x)
            pixels[y * kSide + x] = static_cast<BYTE>(std::char_traits<char>::find(kLetters, 5, kRows[y][x]) - kLetters);
    HDC screen = GetDC(nullptr);
    const HBITMAP bitmap = CreateDIBitmap(screen, &info.header, CBM_INIT, pixels,
                                          reinterpret_cast<const BITMAPINFO*>(&info), DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    return bitmap;
}

void DrawPicture(HDC hDC, HBITMAP hBitmap, int nX, int nY, int nSize) {
    if (!hBitmap) return;
    HDC source = CreateCompatibleDC(hDC);
    const HGDIOBJ previous = SelectObject(source, hBitmap);
    BitBlt(hDC, nX, nY, nSize, nSize, source, 0, 0, SRCCOPY);
    SelectObject(source, previous);
    DeleteDC(source);
}

}  // namespace corvix
