#pragma once
// The system font dialog.

#include <windows.h>

#include <optional>

#include "corvix/native/gdiobjects.h"

namespace corvix {

struct ChooseFontRequest {
    std::optional<FontDescription> aFont;    // preset; CF_INITTOLOGFONTSTRUCT when given
    COLORREF* pColor = nullptr;       // CF_EFFECTS with this initial colour; the choice is stored back
    HDC hPrinterDC = nullptr;         // CF_PRINTERFONTS with this device
    DWORD nFlags = 0;                 // non-zero replaces all flags
};

// The chosen font, or nothing when the dialog was cancelled.
std::optional<FontDescription> CHOOSEFONT(const ChooseFontRequest& request);

}  // namespace corvix
