// The button bar's natives as the registry offers them to by-name callers.

#include "corvix/native/barpaint.h"
#include "corvix/native/palbmp.h"
#include "corvix/runtime/args.h"
#include "corvix/runtime/registry.h"

namespace corvix {

namespace {

std::string Text(Args a, size_t i) { return a[i].IsString() ? a.String(i) : std::string(); }

Value PairValue(const PalBitmap& p) { return Value(Array{Value::Handle(p.hBitmap), Value::Handle(p.hPalette)}); }

void RegisterBitmaps(FunctionRegistry& r) {
    r.Register("PALBMPLOAD", [](Args a) { return PairValue(PALBMPLOAD(Text(a, 0))); });
    r.Register("PALBMPREAD", [](Args a) { return PairValue(PALBMPREAD(Text(a, 0))); });
    r.Register("PALBMPNEW", [](Args a) {
        PALBMPNEW(a.Handle<HWND>(0), a.Handle<HBITMAP>(1), a.Handle<HPALETTE>(2));
        return Value();
    });
    r.Register("PALBMPFREE", [](Args a) {
        PALBMPFREE(a.Handle<HBITMAP>(0), a.Handle<HPALETTE>(1));
        return Value();
    });
    r.Register("HASALPHA", [](Args a) { return Value(HASALPHA(a.Handle<HBITMAP>(0))); });
    r.Register("ABPAINT", [](Args a) {
        ABPAINT(a.Handle<HDC>(0), a.Int(1), a.Int(2), a.Handle<HBITMAP>(3), a.Int(4, 255));
        return Value();
    });
    r.Register("TRANSBMP", [](Args a) {
        TRANSBMP(a.Handle<HBITMAP>(0), a.Int(1), a.Int(2), static_cast<COLORREF>(a.Integer(3)), a.Handle<HDC>(4),
                 a.Int(5), a.Int(6), a.Int(7), a.Int(8));
        return Value();
    });
    r.Register("RESIZEBMP", [](Args a) {
        return Value::Handle(RESIZEBMP(a.Handle<HBITMAP>(0), a.Int(1), a.Int(2)));
    });
}

void RegisterBarPainting(FunctionRegistry& r) {
    r.Register("BARADJUST", [](Args a) {
        BARADJUST(a.Handle<HWND>(0), a.Int(1), a.Logical(2), a.Int(3));
        return Value();
    });
    r.Register("BARPAINT", [](Args a) {
        BARPAINT(a.Handle<HWND>(0), a.Handle<HDC>(1));
        return Value();
    });
    r.Register("PALBTNPAINT", [](Args a) {
        PALBTNPAINT({.hWnd = a.Handle<HWND>(0), .hBitmap = a.Handle<HBITMAP>(1), .hPalette = a.Handle<HPALETTE>(2),
                     .lPressed = a.Logical(3), .lAdjust = a.Logical(4), .lBorder = a.Logical(5, true),
                     .lPopup = a.Logical(6),
                     .nClrPane = a.Has(7) ? std::optional(static_cast<COLORREF>(a.Integer(7))) : std::nullopt,
                     .cCaption = Text(a, 8), .nLayout = a.Int(9, 1), .hFont = a.Handle<HFONT>(10),
                     .nClrText = static_cast<COLORREF>(a.Integer(11)), .hDC = a.Handle<HDC>(12),
                     .lNotOnBar = a.Logical(13)});
        return Value();
    });
    r.Register("ROUNDBOX", [](Args a) {
        ROUNDBOX(a.Handle<HDC>(0), a.Int(1), a.Int(2), a.Int(3), a.Int(4), a.Int(5), a.Int(6),
                 static_cast<COLORREF>(a.Integer(7)), a.Int(8, 1));
        return Value();
    });
    r.Register("RECTANGLE", [](Args a) {
        RECTANGLE(a.Handle<HDC>(0), a.Int(1), a.Int(2), a.Int(3), a.Int(4), a.Handle<HPEN>(5));
        return Value();
    });
    r.Register("DRAWFOCUSRECT", [](Args a) {
        DRAWFOCUSRECT(a.Handle<HDC>(0), a.Int(1), a.Int(2), a.Int(3), a.Int(4));
        return Value();
    });
}

}  // namespace

void RegisterToolbarNatives(FunctionRegistry& registry) {
    RegisterBitmaps(registry);
    RegisterBarPainting(registry);
}

}  // namespace corvix
