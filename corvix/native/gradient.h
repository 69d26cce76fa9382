#pragma once
// Banded gradient fills, the base of every 2007-style painter.

#include <windows.h>

#include <span>

#include "corvix/native/geometry.h"

namespace corvix {

// One step of a gradient description: the share of the fill's extent it
// covers (0 to 1) and the colours at its start and end.
struct GradientStep {
    double nShare = 1.0;
    COLORREF nFrom = 0;
    COLORREF nTo = 0;
};

// Fills rows nTop..nBottom and columns nLeft..nRight (both included) with the
// steps in order; vertical fills change colour from top to bottom. The last
// step always reaches the far edge. An empty description draws nothing.
void GRADIENTFILL(HDC hDC, int nTop, int nLeft, int nBottom, int nRight,
                  std::span<const GradientStep> aGrad, bool lVertical = true);

// One colour ramp over aRect in at most 100 bands. A vertical ramp covers
// rows top..bottom (bottom included) and columns left..right-1; a horizontal
// one the other way round. An empty, inverted or negative rectangle draws nothing.
void GRADIENT(HDC hDC, const RectArray& aRect, COLORREF nColorFrom, COLORREF nColorTo,
              bool lVertical = false);

}  // namespace corvix
