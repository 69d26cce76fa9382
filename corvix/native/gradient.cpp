#include "corvix/native/gradient.h"

#include <algorithm>

namespace corvix {

namespace {

constexpr int kMaxBands = 100;
constexpr int kMaxCoordinate = 0xFFFF;  // top and left are carried as 16-bit values

// A colour channel in fixed point with 8 fraction bits.
struct ChannelRamp {
    int value;
    int step;
    ChannelRamp(int from, int to, int divisor) : value(from * 256), step((to - from) * 256 / divisor) {}
    int Current() const { return value / 256; }
    void Advance() { value += step; }
};

// The DC's own brush: a band costs no handle of its own.
void FillBand(HDC hDC, const RECT& band, COLORREF colour) {
    SetDCBrushColor(hDC, colour);
    FillRect(hDC, &band, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

}  // namespace

void GRADIENT(HDC hDC, const RectArray& aRect, COLORREF nColorFrom, COLORREF nColorTo,
              bool lVertical) {
    const auto [top, left, bottom, right] = aRect;
    if (top < 0 || left < 0 || top > kMaxCoordinate || left > kMaxCoordinate) return;
    const int start = lVertical ? top : left;
    const int end = lVertical ? bottom : right;
    const int extent = end - start;
    if (extent <= 0) return;

    const int bands = std::min(kMaxBands, extent);
    const int divisor = bands > 1 ? bands : 1;
    const int advance = extent / divisor;
    ChannelRamp red(GetRValue(nColorFrom), GetRValue(nColorTo), divisor);
    ChannelRamp green(GetGValue(nColorFrom), GetGValue(nColorTo), divisor);
    ChannelRamp blue(GetBValue(nColorFrom), GetBValue(nColorTo), divisor);

    const COLORREF callersBrushColour = GetDCBrushColor(hDC);
    int position = start;
    for (int i = 0; i < bands; ++i) {
        const int next = position + advance;
        // Neighbouring bands share a row (or column); the last runs to the far edge, included.
        const int bandEnd = (i == bands - 1 ? end : next) + 1;
        const RECT band = lVertical ? RECT{left, position, right, bandEnd}
                                    : RECT{position, top, bandEnd, bottom};
        FillBand(hDC, band, RGB(red.Current(), green.Current(), blue.Current()));
        position = next;
        red.Advance();
        green.Advance();
        blue.Advance();
    }
    SetDCBrushColor(hDC, callersBrushColour);
}

void GRADIENTFILL(HDC hDC, int nTop, int nLeft, int nBottom, int nRight,
                  std::span<const GradientStep> aGrad, bool lVertical) {
    const double first = lVertical ? nTop : nLeft;
    const double last = lVertical ? nBottom : nRight;
    const double extent = last - first + 1;
    double current = first;
    for (size_t k = 0; k < aGrad.size(); ++k) {
        const GradientStep& step = aGrad[k];
        // Step ends may be fractional; they carry into the next step's start.
        const double stepEnd = k + 1 == aGrad.size()
                                   ? last
                                   : std::min(last, current + extent * step.nShare - 1);
        const RectArray area = lVertical
                                   ? RectArray{static_cast<int>(current), nLeft,
                                               static_cast<int>(stepEnd), nRight}
                                   : RectArray{nTop, static_cast<int>(current), nBottom,
                                               static_cast<int>(stepEnd)};
        GRADIENT(hDC, area, step.nFrom, step.nTo, lVertical);
        current = stepEnd + 1;
        if (current > last) break;
    }
}

}  // namespace corvix
