#include "corvix/native/dlgtemplate.h"

namespace corvix {

namespace {

void PutWord(std::string& out, unsigned n) {
    out += static_cast<char>(n & 0xFF);
    out += static_cast<char>((n >> 8) & 0xFF);
}

void PutDword(std::string& out, DWORD n) {
    PutWord(out, n & 0xFFFF);
    PutWord(out, n >> 16);
}

// 0-terminated UTF-16 from text in the given code page.
void PutText(std::string& out, const std::string& text, UINT nCodePage, DWORD nFlags = 0) {
    const int size = static_cast<int>(text.size());
    const int units = text.empty() ? 0 : MultiByteToWideChar(nCodePage, nFlags, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<size_t>(units), L'\0');
    if (units) MultiByteToWideChar(nCodePage, nFlags, text.data(), size, wide.data(), units);
    for (wchar_t unit : wide) PutWord(out, unit);
    PutWord(out, 0);
}

void PadToFour(std::string& out) { out.resize((out.size() + 3) / 4 * 4, '\0'); }

}  // namespace

LONG GETDLGBASEUNITS() { return GetDialogBaseUnits(); }

std::string CCTRL2CHR(int nTop, int nLeft, int nBottom, int nRight, int nId, DWORD nStyle,
                      const std::string& cClass, const std::string& cCaption) {
    std::string item;
    PutDword(item, nStyle);
    PutDword(item, 0);
    PutWord(item, static_cast<unsigned>(nLeft));
    PutWord(item, static_cast<unsigned>(nTop));
    PutWord(item, static_cast<unsigned>(nRight - nLeft + 1));
    PutWord(item, static_cast<unsigned>(nBottom - nTop + 1));
    PutWord(item, static_cast<unsigned>(nId));
    PutText(item, cClass, CP_OEMCP);
    PutText(item, cCaption, CP_ACP);
    PutWord(item, 0);  // no creation data
    PadToFour(item);
    return item;
}

std::string CDLG2CHR(int nItems, int nTop, int nLeft, int nBottom, int nRight, const std::string& cTitle,
                     DWORD nStyle, const std::optional<DialogFont>& aFont) {
    DWORD style = nStyle, extendedStyle = 0;
    if (nStyle == 2) {
        style = WS_POPUP | 2;
        extendedStyle = WS_EX_TRANSPARENT;
    } else if (nStyle == WS_VISIBLE) {
        style = 0xC0000000;  // the value stored templates have always carried for this style
    }
    std::string header;
    PutDword(header, style);
    PutDword(header, extendedStyle);
    PutWord(header, static_cast<unsigned>(nItems));
    PutWord(header, static_cast<unsigned>(nLeft));
    PutWord(header, static_cast<unsigned>(nTop));
    PutWord(header, static_cast<unsigned>(nRight - nLeft + 1));
    PutWord(header, static_cast<unsigned>(nBottom - nTop + 1));
    PutWord(header, 0);  // no menu
    PutWord(header, 0);  // the system's dialog class
    PutText(header, cTitle, CP_OEMCP, MB_PRECOMPOSED);
    if (aFont) {
        PutWord(header, static_cast<unsigned>(aFont->nPointSize));
        PutText(header, aFont->cFaceName, CP_OEMCP, MB_PRECOMPOSED);
    }
    PadToFour(header);
    return header;
}

}  // namespace corvix
