#include "corvix/native/valueconv.h"

namespace corvix {

namespace {

const Value& Element(const Array& a, size_t i) {
    static const Value nil;
    return i < a.size() ? a[i] : nil;
}

}  // namespace

Value RectValue(const RectArray& r) { return Array{r.nTop, r.nLeft, r.nBottom, r.nRight}; }

RectArray RectFromValue(const Value& v) {
    const Array& a = v.AsArray();
    auto at = [&a](size_t i) { return static_cast<int>(Element(a, i).AsInteger()); };
    return {at(0), at(1), at(2), at(3)};
}

Value BufferValue(const DisplayBuffer& b) {
    return Array{Value::Handle(b.hWnd), Value::Handle(b.hDC), Value::Handle(b.hMemDC),
                 Value::Handle(b.hBitmap), Value::Handle(b.hOldBitmap)};
}

DisplayBuffer BufferFromValue(const Value& v) {
    const Array& a = v.AsArray();
    return {Element(a, 0).AsHandle<HWND>(), Element(a, 1).AsHandle<HDC>(),
            Element(a, 2).AsHandle<HDC>(), Element(a, 3).AsHandle<HBITMAP>(),
            Element(a, 4).AsHandle<HGDIOBJ>()};
}

}  // namespace corvix
