#pragma once
// An independent model of the banded ramp: which colour a row (or column)
// of a ramp from `start` to `end` (end included) should have.

#include <windows.h>

namespace corvix_test {

// The colour at position pos (start <= pos <= end) of a ramp over start..end.
COLORREF RampColourAt(int start, int end, COLORREF from, COLORREF to, int pos);

}  // namespace corvix_test
