#include "corvix/native/bitmaps.h"

#include <array>
#include <cstdint>

namespace corvix {

namespace {

// G light grey, W white, D dark grey; rows from the top.
constexpr std::array<std::array<const char*, 8>, 4> kPatterns = {{
    {"GGGGGGGG", "GWGWGWGW", "GGGGGGGG", "GWGWGWGW", "GGGGGGGG", "GWGWGWGW", "GGGGGGGG", "GWGWGWGW"},
    {"GDDDGDDD", "WWWWWWWG", "WGGGGGGD", "WGGGGGGD", "GDDDDDDD", "WWWGWWWW", "GGGDWGGG", "GGGDWGGG"},
    {"WWWWWWWG", "WGGGGGGD", "WGGGGGGD", "WGGGGGGD", "WGGGGGGD", "WGGGGGGD", "WGGGGGGD", "GDDDDDDD"},
    {"WGWGWGWG", "GWGWGWGW", "WGWGWGWG", "GWGWGWGW", "WGWGWGWG", "GWGWGWGW", "WGWGWGWG", "GWGWGWGW"},
}};

// A 16-colour DIB: palette index per letter.
uint8_t PaletteIndex(char letter) {
    switch (letter) {
        case 'W': return 1;
        case 'D': return 2;
        default: return 0;
    }
}

struct SixteenColourInfo {
    BITMAPINFOHEADER header;
    RGBQUAD colours[16];
};

}  // namespace

HBITMAP CXBRUSHES(int nPattern) {
    if (nPattern < 1 || nPattern > static_cast<int>(kPatterns.size())) return nullptr;
    SixteenColourInfo info{};
    info.header = {sizeof(BITMAPINFOHEADER), 8, 8, 1, 4, BI_RGB, 0, 0, 0, 16, 0};
    info.colours[0] = {192, 192, 192, 0};
    info.colours[1] = {255, 255, 255, 0};
    info.colours[2] = {128, 128, 128, 0};
    // Four bits a pixel, rows of four bytes, stored bottom-up.
    uint8_t bits[8][4] = {};
    const auto& rows = kPatterns[static_cast<size_t>(nPattern - 1)];
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; x += 2)
            bits[7 - y][x / 2] = static_cast<uint8_t>(PaletteIndex(rows[y][x]) << 4 | PaletteIndex(rows[y][x + 1]));
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateDIBitmap(screen, &info.header, CBM_INIT, bits,
                                    reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    return bitmap;
}

HBITMAP READBITMAP(HINSTANCE hInstance, const std::string& cFileName) {
    return static_cast<HBITMAP>(LoadImageA(hInstance, cFileName.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
}

HBITMAP LOADBITMAP(HINSTANCE hModule, const std::string& cResName) {
    return LoadBitmapA(hModule, cResName.c_str());
}

HINSTANCE GETRESOURCES() { return GetModuleHandleA(nullptr); }

}  // namespace corvix
