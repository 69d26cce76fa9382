#pragma once
// Fonts and brushes as single system calls.

#include <windows.h>

#include <string>

namespace corvix {

// The fourteen values of a font, in the order font creation takes them.
struct FontDescription {
    int nHeight = 0;
    int nWidth = 0;
    int nEscapement = 0;
    int nOrientation = 0;
    int nWeight = 0;
    bool lItalic = false;
    bool lUnderline = false;
    bool lStrikeOut = false;
    int nCharSet = 0;
    int nOutPrecision = 0;
    int nClipPrecision = 0;
    int nQuality = 0;
    int nPitchFamily = 0;
    std::string cFaceName;

    LOGFONTA ToLogFont() const;
    static FontDescription FromLogFont(const LOGFONTA& lf);
};

// 0 on failure. A face name longer than LOGFONT holds is cut to fit, between
// two characters.
HFONT CREATEFONT(const FontDescription& aFont);

// What a font really is once selected: text-metric height, average width,
// bold (weight 700) and face name.
struct FontInfo {
    int nHeight = 0;
    int nWidth = 0;
    bool lBold = false;
    std::string cFaceName;
};
FontInfo GETFONTINFO(HFONT hFont);

HGDIOBJ GETSTOCKOBJECT(int nObject);
HBRUSH CREATESOLIDBRUSH(COLORREF nColor);
HBRUSH CREATEHATCHBRUSH(int nStyle, COLORREF nColor);
HBRUSH CREATEPATTERNBRUSH(HBITMAP hBitmap);
// False for 0 or a handle the system does not know; else DeleteObject's answer.
bool DELETEOBJECT(HGDIOBJ hObject);

}  // namespace corvix
