#include "corvix/native/dlgitem.h"

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
void PutText(std::string& out, const std::string& text, UINT nCodePage) {
    const int units =
        text.empty() ? 0 : MultiByteToWideChar(nCodePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(units), L'\0');
    if (units) MultiByteToWideChar(nCodePage, 0, text.data(), static_cast<int>(text.size()), wide.data(), units);
    for (wchar_t unit : wide) PutWord(out, unit);
    PutWord(out, 0);
}

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
    item.resize((item.size() + 3) / 4 * 4, '\0');
    return item;
}

}  // namespace corvix
