#pragma once
// The classic colour-string notation: "W+/B" is bright white on blue.
// Letters N B G BG R RB GR W; "+" makes a colour bright; foreground "/" background.

#include <windows.h>

#include <optional>
#include <string>

namespace corvix {

struct ColorPair {
    COLORREF nFore = 0;
    COLORREF nBack = 0;
};

// Nothing when the text does not read as a colour pair.
std::optional<ColorPair> ParseColorString(const std::string& cColors);

}  // namespace corvix
