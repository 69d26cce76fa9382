#include "corvix/native/gdiobjects.h"

#include <algorithm>

#include "corvix/runtime/characters.h"

namespace corvix {

LOGFONTA FontDescription::ToLogFont() const {
    LOGFONTA lf{};
    lf.lfHeight = nHeight;
    lf.lfWidth = nWidth;
    lf.lfEscapement = nEscapement;
    lf.lfOrientation = nOrientation;
    lf.lfWeight = nWeight;
    lf.lfItalic = lItalic;
    lf.lfUnderline = lUnderline;
    lf.lfStrikeOut = lStrikeOut;
    lf.lfCharSet = static_cast<BYTE>(nCharSet);
    lf.lfOutPrecision = static_cast<BYTE>(nOutPrecision);
    lf.lfClipPrecision = static_cast<BYTE>(nClipPrecision);
    lf.lfQuality = static_cast<BYTE>(nQuality);
    lf.lfPitchAndFamily = static_cast<BYTE>(nPitchFamily);
    const std::string_view face = CutToBytes(cFaceName, LF_FACESIZE - 1);
    std::copy(face.begin(), face.end(), lf.lfFaceName);
    return lf;
}

FontDescription FontDescription::FromLogFont(const LOGFONTA& lf) {
    return {lf.lfHeight,     lf.lfWidth,          lf.lfEscapement,   lf.lfOrientation, lf.lfWeight,
            lf.lfItalic != 0, lf.lfUnderline != 0, lf.lfStrikeOut != 0, lf.lfCharSet,  lf.lfOutPrecision,
            lf.lfClipPrecision, lf.lfQuality,     lf.lfPitchAndFamily, lf.lfFaceName};
}

HFONT CREATEFONT(const FontDescription& aFont) {
    const LOGFONTA lf = aFont.ToLogFont();
    return CreateFontIndirectA(&lf);
}

FontInfo GETFONTINFO(HFONT hFont) {
    const HWND window = GetActiveWindow();
    HDC dc = GetDC(window);
    HGDIOBJ previous = SelectObject(dc, hFont);
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    char face[81] = {};
    GetTextFaceA(dc, sizeof face, face);
    SelectObject(dc, previous);
    ReleaseDC(window, dc);
    return {metrics.tmHeight, metrics.tmAveCharWidth, metrics.tmWeight == FW_BOLD, face};
}

HGDIOBJ GETSTOCKOBJECT(int nObject) { return GetStockObject(nObject); }
HBRUSH CREATESOLIDBRUSH(COLORREF nColor) { return CreateSolidBrush(nColor); }
HBRUSH CREATEHATCHBRUSH(int nStyle, COLORREF nColor) { return CreateHatchBrush(nStyle, nColor); }
HBRUSH CREATEPATTERNBRUSH(HBITMAP hBitmap) { return CreatePatternBrush(hBitmap); }

bool DELETEOBJECT(HGDIOBJ hObject) {
    if (!hObject || GetObjectType(hObject) == 0) return false;
    return DeleteObject(hObject) != 0;
}

}  // namespace corvix
