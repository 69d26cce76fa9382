#include "corvix/classes/colorstring.h"

#include <algorithm>
#include <cctype>

namespace corvix {

namespace {

struct NamedColour {
    const char* letters;
    COLORREF normal;
    COLORREF bright;
};

constexpr NamedColour kColours[] = {
    {"N", RGB(0, 0, 0), RGB(128, 128, 128)},       {"B", RGB(0, 0, 128), RGB(0, 0, 255)},
    {"G", RGB(0, 128, 0), RGB(0, 255, 0)},         {"BG", RGB(0, 128, 128), RGB(0, 255, 255)},
    {"R", RGB(128, 0, 0), RGB(255, 0, 0)},         {"RB", RGB(128, 0, 128), RGB(255, 0, 255)},
    {"GR", RGB(128, 128, 0), RGB(255, 255, 0)},    {"W", RGB(192, 192, 192), RGB(255, 255, 255)},
};

std::string Normalised(std::string part) {
    std::string kept;
    for (char c : part)
        if (!std::isspace(static_cast<unsigned char>(c))) kept += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return kept;
}

// "GR+", "+GR", "BG" ...; the letters may come in either order ("GB" is "BG").
std::optional<COLORREF> ParseOne(const std::string& raw) {
    std::string part = Normalised(raw);
    const bool bright = part.find('+') != std::string::npos || part.find('*') != std::string::npos;
    part.erase(std::remove_if(part.begin(), part.end(), [](char c) { return c == '+' || c == '*'; }), part.end());
    std::sort(part.begin(), part.end());
    for (const NamedColour& c : kColours) {
        std::string letters = c.letters;
        std::sort(letters.begin(), letters.end());
        if (part == letters) return bright ? c.bright : c.normal;
    }
    return std::nullopt;
}

}  // namespace

std::optional<ColorPair> ParseColorString(const std::string& cColors) {
    const size_t slash = cColors.find('/');
    if (slash == std::string::npos) return std::nullopt;
    const auto fore = ParseOne(cColors.substr(0, slash));
    const auto back = ParseOne(cColors.substr(slash + 1));
    if (!fore || !back) return std::nullopt;
    return ColorPair{*fore, *back};
}

}  // namespace corvix
