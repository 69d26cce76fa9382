#pragma once
// Installing the skin the way the demo does, and its looks' corner colours.

#include <windows.h>

#include "tests/support/testwindow.h"

namespace corvix_test {

constexpr COLORREF kNormalCorner = RGB(60, 127, 177);
constexpr COLORREF kFocusedCorner = RGB(221, 207, 155);
constexpr COLORREF kPressedCorner = RGB(139, 118, 84);

// Installs the hook through a button made only for that, off the client area.
void InstallSkin(const HostWindow& host);

}  // namespace corvix_test
