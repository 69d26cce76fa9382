#pragma once
// The library's text drawn and measured as the process's code page has it.
// The system reads an ANSI call's text in the code page of the selected
// font's character set, never in UTF-8: a process in UTF-8 draws and measures
// through the wide calls instead. Any other process makes the ANSI calls.

#include <windows.h>

#include <string_view>

namespace corvix {

SIZE TextExtent(HDC hDC, std::string_view cText);
BOOL TextOutAnsi(HDC hDC, int nX, int nY, std::string_view cText);
int DrawTextAnsi(HDC hDC, std::string_view cText, RECT& aRect, UINT nFormat);

}  // namespace corvix
