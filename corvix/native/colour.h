#pragma once
// Colours packed as red + green * 256 + blue * 65536, and flag arithmetic.

#include <windows.h>

#include <cstdint>

namespace corvix {

// Each channel is cut to its low 8 bits, so 256 gives 0.
constexpr COLORREF NRGB(int nRed = 0, int nGreen = 0, int nBlue = 0) {
    return static_cast<COLORREF>((nRed & 0xFF) | ((nGreen & 0xFF) << 8) | ((nBlue & 0xFF) << 16));
}

// Bitwise OR of all arguments taken as 32-bit integers; none gives 0.
template <typename... N>
constexpr int32_t NOR(N... n) {
    return (int32_t{0} | ... | static_cast<int32_t>(n));
}

}  // namespace corvix
