// The native layer's functions as the registry offers them to by-name
// callers: untyped positional arguments in, Values out.

#include <array>
#include <vector>

#include "corvix/native/bitmaps.h"
#include "corvix/native/colour.h"
#include "corvix/native/cursors.h"
#include "corvix/native/designdraw.h"
#include "corvix/native/dispbuffer.h"
#include "corvix/native/dlgproc.h"
#include "corvix/native/dlgtemplate.h"
#include "corvix/native/drawmasked.h"
#include "corvix/native/eventloop.h"
#include "corvix/native/fontdialog.h"
#include "corvix/native/gdiobjects.h"
#include "corvix/native/gradient.h"
#include "corvix/native/help.h"
#include "corvix/native/msgbox.h"
#include "corvix/native/msgpaint.h"
#include "corvix/native/themes.h"
#include "corvix/native/valueconv.h"
#include "corvix/native/wndbox.h"
#include "corvix/native/wnddock.h"
#include "corvix/native/wndpos.h"
#include "corvix/native/wndproc.h"
#include "corvix/native/wrappers.h"
#include "corvix/runtime/args.h"
#include "corvix/runtime/registry.h"

namespace corvix {

namespace {

std::vector<GradientStep> GradientArg(const Value& v) {
    std::vector<GradientStep> steps;
    for (const Value& step : v.AsArray()) {
        const Array& s = step.AsArray();
        if (s.size() < 3) continue;
        steps.push_back({s[0].AsDouble(), static_cast<COLORREF>(s[1].AsInteger()),
                         static_cast<COLORREF>(s[2].AsInteger())});
    }
    return steps;
}

std::optional<COLORREF> OptionalColour(Args a, size_t i) {
    return a.Has(i) ? std::optional(static_cast<COLORREF>(a.Integer(i))) : std::nullopt;
}

template <typename T>
Value Optional(const std::optional<T>& v) {
    return v ? Value(*v) : Value();
}

void RegisterDrawing(FunctionRegistry& r) {
    r.Register("GRADIENTFILL", [](Args a) {
        const auto steps = GradientArg(a[5]);
        GRADIENTFILL(a.Handle<HDC>(0), a.Int(1), a.Int(2), a.Int(3), a.Int(4), steps,
                     a.Logical(6, true));
        return Value();
    });
    r.Register("GRADIENT", [](Args a) {
        GRADIENT(a.Handle<HDC>(0), RectFromValue(a[1]), static_cast<COLORREF>(a.Integer(2)),
                 static_cast<COLORREF>(a.Integer(3)), a.Logical(4));
        return Value();
    });
    r.Register("WNDBOX2007", [](Args a) {
        WNDBOX2007(a.Handle<HDC>(0), a.Int(1), a.Int(2), a.Int(3), a.Int(4),
                   static_cast<COLORREF>(a.Integer(5)));
        return Value();
    });
    r.Register("WNDBOXIN", [](Args a) {
        WNDBOXIN(a.Handle<HDC>(0), a.Int(1), a.Int(2), a.Int(3), a.Int(4));
        return Value();
    });
    r.Register("NRGB", [](Args a) { return Value(NRGB(a.Int(0), a.Int(1), a.Int(2))); });
    r.Register("NOR", [](Args a) {
        int32_t bits = 0;
        for (size_t i = 0; i < a.Count(); ++i) bits |= static_cast<int32_t>(a.Integer(i));
        return Value(bits);
    });
    r.Register("DRAWMASKED", [](Args a) {
        DRAWMASKED(a.Handle<HDC>(0), a.Handle<HBITMAP>(1), a.Int(2), a.Int(3));
        return Value();
    });
    r.Register("DRAWMASKEDCHECKED", [](Args a) {
        DRAWMASKEDCHECKED(a.Handle<HDC>(0), a.Handle<HBITMAP>(1), a.Int(2), a.Int(3));
        return Value();
    });
    r.Register("CXDISPBEGIN", [](Args a) {
        return BufferValue(CXDISPBEGIN(a.Handle<HWND>(0), a.Handle<HDC>(1)));
    });
    r.Register("CXDISPEND", [](Args a) { return Value::Handle(CXDISPEND(BufferFromValue(a[0]))); });
}

void RegisterMessageBar(FunctionRegistry& r) {
    r.Register("MSGPAINT", [](Args a) {
        MSGPAINT({.hWnd = a.Handle<HWND>(0), .cMsg = a.String(1), .cMsgDef = a.String(2), .lFrame = a.Logical(3),
                  .lCentered = a.Logical(4), .nItemLeft = a.Int(5), .nClrText = OptionalColour(a, 6),
                  .nClrPane = OptionalColour(a, 7), .hFont = a.Handle<HFONT>(8), .lInset = a.Logical(9),
                  .hDC = a.Handle<HDC>(10)});
        return Value();
    });
    r.Register("MSGPAINT3L", [](Args a) {
        MSGPAINT3L(a.Handle<HWND>(0), OptionalColour(a, 1), a.Handle<HDC>(2));
        return Value();
    });
    r.Register("DRAWMSGITEM", [](Args a) {
        DRAWMSGITEM(a.Handle<HDC>(0), a.String(1), RectFromValue(a[2]), OptionalColour(a, 3), OptionalColour(a, 4),
                    a.Handle<HFONT>(5));
        return Value();
    });
    r.Register("MSGBAR2007", [](Args a) { return Value::Handle(MSGBAR2007(a.Handle<HDC>(0))); });
}

void RegisterPositions(FunctionRegistry& r) {
    r.Register("WNDWIDTH", [](Args a) {
        if (!a.Has(1)) return Value(WNDWIDTH(a.Handle<HWND>(0)));
        WNDWIDTH(a.Handle<HWND>(0), a.Int(1));
        return Value();
    });
    r.Register("WNDHEIGHT", [](Args a) {
        if (!a.Has(1)) return Value(WNDHEIGHT(a.Handle<HWND>(0)));
        WNDHEIGHT(a.Handle<HWND>(0), a.Int(1));
        return Value();
    });
    r.Register("WNDTOP", [](Args a) {
        if (!a.Has(1)) return Optional(WNDTOP(a.Handle<HWND>(0)));
        WNDTOP(a.Handle<HWND>(0), a.Int(1));
        return Value();
    });
    r.Register("WNDLEFT", [](Args a) {
        if (!a.Has(1)) return Optional(WNDLEFT(a.Handle<HWND>(0)));
        WNDLEFT(a.Handle<HWND>(0), a.Int(1));
        return Value();
    });
    r.Register("GETCOORS", [](Args a) { return RectValue(GETCOORS(a.Handle<HWND>(0))); });
    r.Register("GETCLIENTRECT", [](Args a) { return RectValue(GETCLIENTRECT(a.Handle<HWND>(0))); });
    r.Register("GETWNDRECT", [](Args a) { return RectValue(GETWNDRECT(a.Handle<HWND>(0))); });
    r.Register("GETCURSORPOS", [](Args) {
        const PointArray p = GETCURSORPOS();
        return Value(Array{p.nRow, p.nCol});
    });
}

void RegisterDeviceContexts(FunctionRegistry& r) {
    r.Register("DRAWTEXT", [](Args a) {
        if (a.Count() < 2) return Value(0);
        const RectArray rect = a.Has(2) ? RectFromValue(a[2]) : kDrawTextDefaultRect;
        const UINT flags = a.Has(3) ? static_cast<UINT>(a.Integer(3)) : kDrawTextDefaultFlags;
        return Value(DRAWTEXT(a.Handle<HDC>(0), a.String(1), rect, flags));
    });
    r.Register("GETDC", [](Args a) { return Value::Handle(GETDC(a.Handle<HWND>(0))); });
    r.Register("RELEASEDC", [](Args a) {
        return Value(RELEASEDC(a.Handle<HWND>(0), a.Handle<HDC>(1)));
    });
    r.Register("SELECTOBJECT", [](Args a) {
        return Value::Handle(SELECTOBJECT(a.Handle<HDC>(0), a.Handle<HGDIOBJ>(1)));
    });
    r.Register("GETTEXTWIDTH", [](Args a) {
        return Value(GETTEXTWIDTH(a.Handle<HDC>(0), a[1].IsString() ? a.String(1) : "", a.Handle<HFONT>(2)));
    });
    r.Register("SETBKMODE", [](Args a) { return Value(SETBKMODE(a.Handle<HDC>(0), a.Int(1))); });
    r.Register("SETTEXTCOLOR", [](Args a) {
        return Value(SETTEXTCOLOR(a.Handle<HDC>(0), static_cast<COLORREF>(a.Integer(1))));
    });
}

void RegisterWindows(FunctionRegistry& r) {
    r.Register("GETWINDOWTEXT", [](Args a) { return Value(GETWINDOWTEXT(a.Handle<HWND>(0))); });
    r.Register("ISWINDOWENABLED", [](Args a) { return Value(ISWINDOWENABLED(a.Handle<HWND>(0))); });
    r.Register("GETPARENT", [](Args a) { return Value::Handle(GETPARENT(a.Handle<HWND>(0))); });
    r.Register("GETWINDOWLONG", [](Args a) {
        return Value(static_cast<int64_t>(GETWINDOWLONG(a.Handle<HWND>(0), a.Int(1))));
    });
    r.Register("SENDMESSAGE", [](Args a) {
        const HWND hWnd = a.Handle<HWND>(0);
        const UINT msg = static_cast<UINT>(a.Integer(1));
        const WPARAM wParam = static_cast<WPARAM>(a.Integer(2));
        if (a[3].IsString()) return Value(static_cast<int64_t>(SENDMESSAGE(hWnd, msg, wParam, a.String(3))));
        return Value(static_cast<int64_t>(
            SENDMESSAGE(hWnd, msg, wParam, static_cast<LPARAM>(a.Integer(3)))));
    });
    r.Register("POSTMESSAGE", [](Args a) {
        const HWND hWnd = a.Handle<HWND>(0);
        const UINT msg = static_cast<UINT>(a.Integer(1));
        const WPARAM wParam = static_cast<WPARAM>(a.Integer(2));
        if (a[3].IsString()) return Value(POSTMESSAGE(hWnd, msg, wParam, a.String(3)));
        return Value(POSTMESSAGE(hWnd, msg, wParam, static_cast<LPARAM>(a.Integer(3))));
    });
    r.Register("TRACKMOUSEEVENT", [](Args a) {
        return Value(TRACKMOUSEEVENT(a.Handle<HWND>(0), static_cast<DWORD>(a.Integer(1))));
    });
    r.Register("SETFOCUS", [](Args a) {
        SETFOCUS(a.Handle<HWND>(0));
        return Value();
    });
    r.Register("GETFOCUS", [](Args) { return Value::Handle(GETFOCUS()); });
    r.Register("GETACTIVEWINDOW", [](Args) { return Value::Handle(GETACTIVEWINDOW()); });
}

void RegisterEventLoop(FunctionRegistry& r) {
    r.Register("WINRUN", [](Args a) {
        WINRUN(a.Handle<HWND>(0));
        return Value();
    });
    r.Register("SYSREFRESH", [](Args) { return Value(SYSREFRESH()); });
    r.Register("GETWNDAPP", [](Args) { return Value::Handle(GETWNDAPP()); });
    r.Register("SETWNDAPP", [](Args a) {
        SETWNDAPP(a.Handle<HWND>(0));
        return Value();
    });
    r.Register("LWRUNNING", [](Args) { return Value(LWRUNNING()); });
    r.Register("REGDIALOG", [](Args a) { return Value(REGDIALOG(a.Handle<HWND>(0))); });
    r.Register("DEREGDIALOG", [](Args a) { return Value(DEREGDIALOG(a.Handle<HWND>(0))); });
    r.Register("CANREGDIALOG", [](Args) { return Value(CANREGDIALOG()); });
    r.Register("SETACCTABLE", [](Args a) {
        if (!a.Has(0)) {
            SETACCTABLE();
            return Value(0);
        }
        std::vector<AcceleratorItem> items;
        for (const Value& item : a[0].AsArray()) {
            const Array& e = item.AsArray();
            if (e.size() < 3) continue;
            items.push_back({static_cast<WORD>(e[0].AsInteger()), static_cast<BYTE>(e[1].AsInteger()),
                             static_cast<WORD>(e[2].AsInteger())});
        }
        return Value::Handle(SETACCTABLE(items));
    });
}

void RegisterWindowProcedures(FunctionRegistry& r) {
    r.Register("XCHANGEPROC", [](Args a) {
        return Value::Handle(XCHANGEPROC(a.Handle<HWND>(0), static_cast<LONG_PTR>(a.Integer(1))));
    });
    r.Register("RESTPROC", [](Args a) {
        return Value::Handle(RESTPROC(a.Handle<HWND>(0), a.Handle<WNDPROC>(1)));
    });
    r.Register("XFREEPROC", [](Args) { return Value(); });
    r.Register("REGISTERCLASS", [](Args a) {
        return Value(REGISTERCLASS(a.String(0), static_cast<UINT>(a.Integer(1)), a.Int(2), a.Int(3),
                                   a.Handle<HINSTANCE>(4), a.Handle<HCURSOR>(5), a.Handle<HBRUSH>(6),
                                   a.String(7), a.Handle<WNDPROC>(8), a.Handle<HICON>(9)));
    });
    r.Register("CREATEWINDOW", [](Args a) {
        return Value::Handle(CREATEWINDOW(a.String(0), a.String(1), static_cast<DWORD>(a.Integer(2)),
                                          a.Int(3), a.Int(4), a.Int(5), a.Int(6), a.Handle<HWND>(7),
                                          a.Handle<HMENU>(8), a.Handle<LPVOID>(9)));
    });
}

// The fourteen font values as an array: height ... pitch and family, face name.
Value FontValue(const FontDescription& f) {
    return Array{f.nHeight,   f.nWidth,        f.nEscapement,    f.nOrientation, f.nWeight,
                 f.lItalic,   f.lUnderline,    f.lStrikeOut,     f.nCharSet,     f.nOutPrecision,
                 f.nClipPrecision, f.nQuality, f.nPitchFamily,   f.cFaceName};
}

FontDescription FontFromValue(const Value& v) {
    const Array& a = v.AsArray();
    auto n = [&a](size_t i) { return i < a.size() ? static_cast<int>(a[i].AsInteger()) : 0; };
    auto b = [&a](size_t i) { return i < a.size() && a[i].AsLogical(); };
    return {n(0), n(1), n(2), n(3), n(4), b(5), b(6), b(7), n(8), n(9), n(10), n(11), n(12),
            a.size() > 13 ? a[13].AsString() : std::string()};
}

void RegisterGdiObjects(FunctionRegistry& r) {
    r.Register("CREATEFONT", [](Args a) { return Value::Handle(CREATEFONT(FontFromValue(a[0]))); });
    r.Register("GETFONTINFO", [](Args a) {
        const FontInfo info = GETFONTINFO(a.Handle<HFONT>(0));
        return Value(Array{info.nHeight, info.nWidth, info.lBold, info.cFaceName});
    });
    r.Register("CHOOSEFONT", [](Args a) {
        ChooseFontRequest request;
        if (a[0].IsArray()) request.aFont = FontFromValue(a[0]);
        COLORREF colour = static_cast<COLORREF>(a.Integer(1));
        if (a.Count() >= 2) request.pColor = &colour;
        request.hPrinterDC = a.Handle<HDC>(2);
        request.nFlags = static_cast<DWORD>(a.Integer(3));
        const auto chosen = CHOOSEFONT(request);
        return chosen ? FontValue(*chosen) : Value(Array(14));
    });
    r.Register("GETSTOCKOBJECT", [](Args a) { return Value::Handle(GETSTOCKOBJECT(a.Int(0))); });
    r.Register("CREATESOLIDBRUSH", [](Args a) {
        return Value::Handle(CREATESOLIDBRUSH(static_cast<COLORREF>(a.Integer(0))));
    });
    r.Register("CREATEHATCHBRUSH", [](Args a) {
        return Value::Handle(CREATEHATCHBRUSH(a.Int(0), static_cast<COLORREF>(a.Integer(1))));
    });
    r.Register("CREATEPATTERNBRUSH", [](Args a) {
        return Value::Handle(CREATEPATTERNBRUSH(a.Handle<HBITMAP>(0)));
    });
    r.Register("DELETEOBJECT", [](Args a) { return Value(DELETEOBJECT(a.Handle<HGDIOBJ>(0))); });
    r.Register("CXBRUSHES", [](Args a) { return Value::Handle(CXBRUSHES(a.Int(0))); });
    r.Register("READBITMAP", [](Args a) {
        return Value::Handle(READBITMAP(a.Handle<HINSTANCE>(0), a.String(1)));
    });
    r.Register("LOADBITMAP", [](Args a) {
        return Value::Handle(LOADBITMAP(a.Handle<HINSTANCE>(0), a.String(1)));
    });
    r.Register("GETRESOURCES", [](Args) { return Value::Handle(GETRESOURCES()); });
}

// By name the title counts only when exactly two arguments are passed.
std::optional<Value> TitleArg(Args a) { return a.Count() == 2 ? std::optional<Value>(a[1]) : std::nullopt; }

Value MessageArg(Args a) { return a.Count() ? a[0] : Value(""); }

void RegisterBoxes(FunctionRegistry& r) {
    using Box = void (*)(const Value&, const std::optional<Value>&);
    const std::pair<const char*, Box> boxes[] = {
        {"MSGINFO", &MSGINFO}, {"MSGALERT", &MSGALERT}, {"MSGSTOP", &MSGSTOP}, {"MSGABOUT", &MSGABOUT}};
    for (const auto& [name, box] : boxes) {
        r.Register(name, [box](Args a) {
            box(MessageArg(a), TitleArg(a));
            return Value();
        });
    }
    r.Register("MSGYESNO", [](Args a) { return Value(MSGYESNO(MessageArg(a), TitleArg(a))); });
    r.Register("MSGBEEP", [](Args) {
        MSGBEEP();
        return Value();
    });
    r.Register("CHOOSECOLOR", [](Args a) {
        return Value(static_cast<int64_t>(CHOOSECOLOR(a[0], a.Count() >= 2 ? a[1] : Value())));
    });
}

void RegisterControlNatives(FunctionRegistry& r) {
    using Dock = void (*)(HWND, HWND, HWND);
    const std::pair<const char*, Dock> docks[] = {
        {"WNDADJTOP", &WNDADJTOP}, {"WNDADJBOTTOM", &WNDADJBOTTOM}, {"WNDADJLEFT", &WNDADJLEFT}, {"WNDADJRIGHT", &WNDADJRIGHT}};
    for (const auto& [name, dock] : docks) {
        r.Register(name, [dock](Args a) {
            dock(a.Handle<HWND>(0), a.Handle<HWND>(1), a.Handle<HWND>(2));
            return Value();
        });
    }
    r.Register("WNDADJCLIENT", [](Args a) {
        WNDADJCLIENT(a.Handle<HWND>(0), a.Handle<HWND>(1), a.Handle<HWND>(2), a.Handle<HWND>(3), a.Handle<HWND>(4),
                     a.Int(6));
        return Value();
    });
    r.Register("CTRLDRAWFOCUS", [](Args a) {
        CTRLDRAWFOCUS(a.Handle<HWND>(0), a.Int(1), a.Int(2), a.Int(3), a.Int(4), a.Int(5));
        return Value();
    });
    r.Register("DOTSADJUST", [](Args a) {
        std::array<HWND, 8> dots{};
        for (size_t i = 0; i < dots.size(); ++i) dots[i] = a.Handle<HWND>(i + 1);
        DOTSADJUST(a.Handle<HWND>(0), dots);
        return Value();
    });
    r.Register("SETGRIDSIZE", [](Args a) {
        SETGRIDSIZE(a.Int(0), a.Int(1));
        return Value();
    });
    r.Register("GETGRIDSIZE", [](Args) {
        const auto [width, height] = GETGRIDSIZE();
        return Value(Array{width, height});
    });
    r.Register("CURSORCATCH", [](Args) {
        CURSORCATCH();
        return Value();
    });
    r.Register("CURSORNO", [](Args) {
        CURSORNO();
        return Value();
    });
    r.Register("ISAPPTHEMED", [](Args) { return Value(ISAPPTHEMED()); });
    r.Register("PARENTIMAGE", [](Args a) {
        PARENTIMAGE(a.Handle<HWND>(0), a.Handle<HDC>(1));
        return Value();
    });
    r.Register("DRAWPBACK", [](Args a) {
        DRAWPBACK(a.Handle<HWND>(0), a.Handle<HDC>(1));
        return Value();
    });
    r.Register("CTL3DLOOK", [](Args a) {
        CTL3DLOOK(a.Handle<HWND>(0), a.Logical(1));
        return Value();
    });
    r.Register("HELPTOPIC", [](Args a) { return Value(HELPTOPIC(a[0].IsString() ? a.String(0) : "")); });
    r.Register("HELPPOPUP", [](Args a) { return Value(HELPPOPUP(a.Int(0), a.Handle<HWND>(3))); });
    r.Register("GETDLGBASEUNITS", [](Args) { return Value(static_cast<int64_t>(GETDLGBASEUNITS())); });
    r.Register("CDLG2CHR", [](Args a) {
        std::optional<DialogFont> font;
        if (a.Count() > 7) font = DialogFont{a.Int(7), a[8].IsString() ? a.String(8) : ""};
        return Value(CDLG2CHR(a.Int(0), a.Int(1), a.Int(2), a.Int(3), a.Int(4), a[5].IsString() ? a.String(5) : "",
                              static_cast<DWORD>(a.Integer(6)), font));
    });
    r.Register("CCTRL2CHR", [](Args a) {
        return Value(CCTRL2CHR(a.Int(0), a.Int(1), a.Int(2), a.Int(3), a.Int(4), static_cast<DWORD>(a.Integer(5)),
                               a[6].IsString() ? a.String(6) : "", a[7].IsString() ? a.String(7) : ""));
    });
}

// The dialog object of a by-name call, or null when the argument is none.
MessageTarget* DialogTarget(const Value& v) {
    return v.GetType() == Value::Type::Object ? dynamic_cast<MessageTarget*>(v.AsObject().get()) : nullptr;
}

std::string TemplateArg(const Value& v) { return v.IsString() ? v.AsString() : ""; }

void RegisterDialogCalls(FunctionRegistry& r) {
    r.Register("DIALOGBOX", [](Args a) {
        return Value(DIALOGBOX(a.Handle<HINSTANCE>(0), a[1], a.Handle<HWND>(2), DialogTarget(a[3])));
    });
    r.Register("DIALOGBOXINDIRECT", [](Args a) {
        return Value(DIALOGBOXINDIRECT(a.Handle<HINSTANCE>(0), TemplateArg(a[1]), a.Handle<HWND>(2), DialogTarget(a[3])));
    });
    r.Register("CREATEDLG", [](Args a) {
        return Value::Handle(CREATEDLG(a.Handle<HINSTANCE>(0), a[1], a.Handle<HWND>(2), DialogTarget(a[3])));
    });
    r.Register("CREATEDLGINDIRECT", [](Args a) {
        return Value::Handle(
            CREATEDLGINDIRECT(a.Handle<HINSTANCE>(0), TemplateArg(a[1]), a.Handle<HWND>(2), DialogTarget(a[3])));
    });
    r.Register("ENDDIALOG", [](Args a) {
        ENDDIALOG(a.Handle<HWND>(0), a.Int(1));
        return Value();
    });
    r.Register("WNDCENTER", [](Args a) {
        WNDCENTER(a.Handle<HWND>(0), a.Handle<HWND>(1));
        return Value();
    });
}

// An identifier given as a name or a number.
template <typename H>
H LoadByName(Args a, H (*byName)(HINSTANCE, const std::string&), H (*byNumber)(HINSTANCE, int)) {
    return a[1].IsString() ? byName(a.Handle<HINSTANCE>(0), a.String(1)) : byNumber(a.Handle<HINSTANCE>(0), a.Int(1));
}

void RegisterIconsAndCursors(FunctionRegistry& r) {
    r.Register("LOADICON", [](Args a) { return Value::Handle(LoadByName<HICON>(a, &LOADICON, &LOADICON)); });
    r.Register("EXTRACTICON", [](Args a) {
        return Value::Handle(EXTRACTICON(a[0].IsString() ? a.String(0) : "", a.Int(1)));
    });
    r.Register("DRAWICON", [](Args a) {
        DRAWICON(a.Handle<HDC>(0), a.Int(1), a.Int(2), a.Handle<HICON>(3));
        return Value();
    });
    r.Register("DESTROYICON", [](Args a) { return Value(DESTROYICON(a.Handle<HICON>(0))); });
    r.Register("LOADCURSOR", [](Args a) { return Value::Handle(LoadByName<HCURSOR>(a, &LOADCURSOR, &LOADCURSOR)); });
    r.Register("DESTROYCURSOR", [](Args a) { return Value(DESTROYCURSOR(a.Handle<HCURSOR>(0))); });
    r.Register("WSETCURSOR", [](Args a) { return Value::Handle(WSETCURSOR(a.Handle<HCURSOR>(0))); });
    r.Register("GETCURSORHAND", [](Args) { return Value::Handle(GETCURSORHAND()); });
    r.Register("GETCURSORSTOP", [](Args) { return Value::Handle(GETCURSORSTOP()); });
    r.Register("GETCURSORDRAG", [](Args) { return Value::Handle(GETCURSORDRAG()); });
    r.Register("CURSORHAND", [](Args) {
        CURSORHAND();
        return Value();
    });
}

void RegisterScrollBars(FunctionRegistry& r) {
    r.Register("GETSCROLLPOS", [](Args a) { return Value(GETSCROLLPOS(a.Handle<HWND>(0), a.Int(1))); });
    r.Register("SETSCROLLPOS", [](Args a) {
        return Value(SETSCROLLPOS(a.Handle<HWND>(0), a.Int(1), a.Int(2), a.Logical(3, true)));
    });
    r.Register("GETSCROLLRANGE", [](Args a) {
        const auto [nMin, nMax] = GETSCROLLRANGE(a.Handle<HWND>(0), a.Int(1));
        return Value(Array{Value(nMin), Value(nMax)});
    });
    r.Register("SETSCROLLRANGE", [](Args a) {
        return Value(SETSCROLLRANGE(a.Handle<HWND>(0), a.Int(1), a.Int(2), a.Int(3), a.Logical(4, true)));
    });
}

}  // namespace

// The button bar's, in barfuncs.cpp.
void RegisterToolbarNatives(FunctionRegistry& registry);

void RegisterNativeFunctions(FunctionRegistry& registry) {
    RegisterBoxes(registry);
    RegisterControlNatives(registry);
    RegisterGdiObjects(registry);
    RegisterEventLoop(registry);
    RegisterWindowProcedures(registry);
    RegisterDrawing(registry);
    RegisterMessageBar(registry);
    RegisterPositions(registry);
    RegisterDeviceContexts(registry);
    RegisterWindows(registry);
    RegisterDialogCalls(registry);
    RegisterIconsAndCursors(registry);
    RegisterScrollBars(registry);
    RegisterToolbarNatives(registry);
}

}  // namespace corvix
