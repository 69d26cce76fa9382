#pragma once
// Installing the skin the way the demo does, and its looks' corner colours.

#include <windows.h>

#include <vector>

#include "tests/support/testwindow.h"

namespace corvix_test {

constexpr COLORREF kNormalCorner = RGB(60, 127, 177);
constexpr COLORREF kFocusedCorner = RGB(221, 207, 155);
constexpr COLORREF kPressedCorner = RGB(139, 118, 84);

// Installs the hook through a button made only for that, off the client area.
void InstallSkin(const HostWindow& host);

// The normal or the focused look's corner.
bool IsSkinCorner(COLORREF c);

// The corner pixel on the screen after the window painted itself anew.
COLORREF PaintedCorner(HWND hWnd);

// The top-left pixel of each push button of a dialog, freshly painted: only
// visible ones wide enough to show their own pixels (the colour dialog keeps
// a 6-pixel shortcut button under its colour box).
std::vector<COLORREF> PushButtonCorners(HWND hDialog);

}  // namespace corvix_test
