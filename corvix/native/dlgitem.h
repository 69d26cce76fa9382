#pragma once
// Dialog items of in-memory dialog templates, in the system's format.

#include <windows.h>

#include <string>

namespace corvix {

// The system's dialog base units: horizontal in the low word, vertical in the high.
LONG GETDLGBASEUNITS();

// One item (DLGITEMTEMPLATE) as bytes, padded to a multiple of 4: style, no
// extended style, x nLeft, y nTop, cx nRight - nLeft + 1, cy nBottom - nTop + 1,
// the identifier's low 16 bits, the class (OEM code page) and the caption
// (ANSI code page) as 0-terminated UTF-16, and no creation data.
std::string CCTRL2CHR(int nTop, int nLeft, int nBottom, int nRight, int nId, DWORD nStyle,
                      const std::string& cClass, const std::string& cCaption);

}  // namespace corvix
