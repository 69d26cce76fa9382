#pragma once
// The native layer's structured types as by-name callers see them: arrays.

#include "corvix/native/dispbuffer.h"
#include "corvix/native/geometry.h"
#include "corvix/runtime/value.h"

namespace corvix {

// {top, left, bottom, right}
Value RectValue(const RectArray& r);
// Missing elements read as 0; fractions are truncated toward zero.
RectArray RectFromValue(const Value& v);

// {window, target DC, memory DC, bitmap, previous bitmap}
Value BufferValue(const DisplayBuffer& b);
DisplayBuffer BufferFromValue(const Value& v);

}  // namespace corvix
