#include "corvix/native/fontdialog.h"

#include <commdlg.h>

#include "corvix/native/callbackguard.h"
#include "corvix/native/ondemand.h"

namespace corvix {

namespace {

// The dialog does all its own processing.
UINT_PTR CALLBACK PassiveHook(HWND, UINT, WPARAM, LPARAM) { return 0; }

DWORD FlagsFor(const ChooseFontRequest& r) {
    if (r.nFlags) return r.nFlags;
    DWORD flags = CF_SCREENFONTS | CF_ENABLEHOOK;
    if (r.pColor) flags |= CF_EFFECTS;
    if (r.aFont) flags |= CF_INITTOLOGFONTSTRUCT;
    if (r.hPrinterDC) flags |= CF_PRINTERFONTS;
    return flags;
}

}  // namespace

std::optional<FontDescription> CHOOSEFONT(const ChooseFontRequest& request) {
    LOGFONTA lf = request.aFont ? request.aFont->ToLogFont() : LOGFONTA{};
    CHOOSEFONTA cf{};
    cf.lStructSize = sizeof cf;
    cf.hwndOwner = GetActiveWindow();
    cf.hDC = request.hPrinterDC;
    cf.lpLogFont = &lf;
    cf.Flags = FlagsFor(request);
    cf.rgbColors = request.pColor ? *request.pColor : 0;
    cf.lpfnHook = &PassiveHook;
    cf.nFontType = SCREEN_FONTTYPE;
    if (!CallSystem([&] { return ondemand::ChooseFontA(&cf); })) return std::nullopt;
    if (request.pColor) *request.pColor = cf.rgbColors;
    return FontDescription::FromLogFont(lf);
}

}  // namespace corvix
