#include "corvix/native/ansitext.h"

#include <string>

namespace corvix {

namespace {

bool InUtf8() { return GetACP() == CP_UTF8; }

std::wstring Wide(std::string_view cText) {
    const int size = static_cast<int>(cText.size());
    std::wstring wide(static_cast<size_t>(MultiByteToWideChar(CP_UTF8, 0, cText.data(), size, nullptr, 0)), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, cText.data(), size, wide.data(), static_cast<int>(wide.size()));
    return wide;
}

}  // namespace

SIZE TextExtent(HDC hDC, std::string_view cText) {
    SIZE size{};
    if (!InUtf8()) {
        GetTextExtentPoint32A(hDC, cText.data(), static_cast<int>(cText.size()), &size);
    } else {
        const std::wstring wide = Wide(cText);
        GetTextExtentPoint32W(hDC, wide.data(), static_cast<int>(wide.size()), &size);
    }
    return size;
}

BOOL TextOutAnsi(HDC hDC, int nX, int nY, std::string_view cText) {
    if (!InUtf8()) return TextOutA(hDC, nX, nY, cText.data(), static_cast<int>(cText.size()));
    const std::wstring wide = Wide(cText);
    return TextOutW(hDC, nX, nY, wide.data(), static_cast<int>(wide.size()));
}

int DrawTextAnsi(HDC hDC, std::string_view cText, RECT& aRect, UINT nFormat) {
    if (!InUtf8()) return DrawTextA(hDC, cText.data(), static_cast<int>(cText.size()), &aRect, nFormat);
    std::wstring wide = Wide(cText);
    return DrawTextW(hDC, wide.data(), static_cast<int>(wide.size()), &aRect, nFormat);
}

}  // namespace corvix
