#include "tests/support/gradientmodel.h"

#include <algorithm>
#include <cmath>

namespace corvix_test {

namespace {

// Band i starts at start + i * advance and owns its rows up to and including
// the next band's start, which the next band repaints; the last band runs on to the end.
int BandOf(int start, int end, int pos) {
    const int extent = end - start;
    const int bands = std::min(100, extent);
    const int advance = extent / std::max(bands, 1);
    if (advance == 0) return 0;
    const int band = (pos - start) / advance;
    return std::min(band, bands - 1);
}

int Channel(int from, int to, int bands, int band) {
    const int step = static_cast<int>(std::trunc((to - from) * 256.0 / std::max(bands, 1)));
    return (from * 256 + band * step) / 256;
}

}  // namespace

COLORREF RampColourAt(int start, int end, COLORREF from, COLORREF to, int pos) {
    const int bands = std::min(100, end - start);
    const int band = BandOf(start, end, pos);
    return RGB(Channel(GetRValue(from), GetRValue(to), bands, band),
               Channel(GetGValue(from), GetGValue(to), bands, band),
               Channel(GetBValue(from), GetBValue(to), bands, band));
}

}  // namespace corvix_test
