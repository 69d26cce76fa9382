#pragma once
// Rectangles and points as the library passes them: row before column.

#include <windows.h>

namespace corvix {

// Top, left, bottom, right; the system's RECT orders them left, top, right, bottom.
struct RectArray {
    int nTop = 0;
    int nLeft = 0;
    int nBottom = 0;
    int nRight = 0;

    static RectArray FromRECT(const RECT& r) { return {r.top, r.left, r.bottom, r.right}; }
    RECT ToRECT() const { return {nLeft, nTop, nRight, nBottom}; }
    friend bool operator==(const RectArray&, const RectArray&) = default;
};

// A screen point, y first.
struct PointArray {
    int nRow = 0;
    int nCol = 0;
    friend bool operator==(const PointArray&, const PointArray&) = default;
};

}  // namespace corvix
