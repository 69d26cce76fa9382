#pragma once
// In-memory dialog templates in the system's format: one header, then one
// item per control, every part a multiple of 4 bytes long.

#include <windows.h>

#include <optional>
#include <string>

namespace corvix {

// The system's dialog base units: horizontal in the low word, vertical in the high.
LONG GETDLGBASEUNITS();

// A font for the dialog: its point size and face name. The caller puts
// DS_SETFONT into the style; the header does not add it.
struct DialogFont {
    int nPointSize = 0;
    std::string cFaceName;
};

// The header (DLGTEMPLATE) as bytes, padded to a multiple of 4: the style (a
// style of exactly 2 becomes WS_POPUP | 2 with WS_EX_TRANSPARENT, one of
// exactly WS_VISIBLE becomes 0xC0000000), the item count, x nLeft,
// y nTop, cx nRight - nLeft + 1, cy nBottom - nTop + 1, no menu, the system's
// dialog class, the title (OEM code page) and, with a font, its point size
// and face name. Titles of any length fit. In a process whose code page is
// UTF-8 every text here is read as UTF-8.
std::string CDLG2CHR(int nItems, int nTop, int nLeft, int nBottom, int nRight, const std::string& cTitle,
                     DWORD nStyle, const std::optional<DialogFont>& aFont = std::nullopt);

// One item (DLGITEMTEMPLATE) as bytes, padded to a multiple of 4: style, no
// extended style, x nLeft, y nTop, cx nRight - nLeft + 1, cy nBottom - nTop + 1,
// the identifier's low 16 bits, the class (OEM code page) and the caption
// (ANSI code page) as 0-terminated UTF-16, and no creation data.
std::string CCTRL2CHR(int nTop, int nLeft, int nBottom, int nRight, int nId, DWORD nStyle,
                      const std::string& cClass, const std::string& cCaption);

// True when the bytes hold every part their header promises: the header with
// its strings and font, then each item, on its 4-byte boundary, with its
// class, caption and creation data. Both the plain and the extended format.
bool IsWholeTemplate(const std::string& cTemplate);

}  // namespace corvix
