#include "corvix/skin/handlerfuncs.h"

#include "corvix/native/valueconv.h"
#include "corvix/runtime/args.h"
#include "corvix/runtime/registry.h"
#include "corvix/skin/btnpaint.h"
#include "corvix/skin/dbuffer.h"
#include "corvix/skin/handlers.h"
#include "corvix/skin/region.h"

namespace corvix::skin {

namespace {

std::optional<int> OptionalInt(Args a, size_t i) {
    return a.Has(i) ? std::optional<int>(a.Int(i)) : std::nullopt;
}

void RegisterHandlers(corvix::FunctionRegistry& r) {
    r.Register("ISOVER", [](Args a) {
        return Value(ISOVER(a.Handle<HWND>(0), OptionalInt(a, 1), OptionalInt(a, 2)));
    });
    r.Register("BTNLBUTTONDOWN", [](Args a) {
        BTNLBUTTONDOWN(a.Handle<HWND>(0), a.Int(1), a.Int(2));
        return Value();
    });
    r.Register("BTNLBUTTONUP", [](Args a) {
        BTNLBUTTONUP(a.Handle<HWND>(0), a.Int(1), a.Int(2));
        return Value();
    });
    r.Register("BTNCLICK", [](Args a) {
        BTNCLICK(a.Handle<HWND>(0));
        return Value();
    });
    r.Register("MOUSEMOVE", [](Args a) {
        MOUSEMOVE(a.Handle<HWND>(0));
        return Value();
    });
    r.Register("MOUSELEAVE", [](Args a) {
        MOUSELEAVE(a.Handle<HWND>(0));
        return Value();
    });
    r.Register("KEYDOWN", [](Args a) {
        KEYDOWN(a.Handle<HWND>(0), a.Int(1), a.Int(2));
        return Value();
    });
    r.Register("KEYUP", [](Args a) {
        KEYUP(a.Handle<HWND>(0), a.Int(1), a.Int(2));
        return Value();
    });
    r.Register("FOCUSED", [](Args a) {
        FOCUSED(a.Handle<HWND>(0));
        return Value();
    });
    r.Register("CREATEROUND", [](Args a) {
        CREATEROUND(a[0]);
        return Value();
    });
    r.Register("LOGMSG", [](Args a) {
        LOGMSG(a[0]);
        return Value();
    });
}

}  // namespace

void RegisterSkinHandlers() {
    auto& r = corvix::FunctionRegistry::Instance();
    RegisterHandlers(r);
    r.Register("BTNPAINT", [](Args a) {
        BTNPAINT(a.Handle<HWND>(0), a.Handle<HDC>(1), a.Logical(2));
        return Value();
    });
    r.Register("DBUFFERSTART", [](Args a) {
        return corvix::BufferValue(DBUFFERSTART(a.Handle<HWND>(0), a.Handle<HDC>(1)));
    });
    r.Register("DBUFFEREND", [](Args a) {
        corvix::DisplayBuffer buffer = corvix::BufferFromValue(a[1]);
        DBUFFEREND(a.Handle<HDC>(0), buffer);
        return Value();
    });
    r.Register("SETWINDOWRGN", [](Args a) {
        return Value(SETWINDOWRGN(a.Handle<HWND>(0), a.Handle<HRGN>(1)));
    });
    r.Register("CREATEROUNDRECTRGN", [](Args a) {
        return Value::Handle(
            CREATEROUNDRECTRGN(a.Int(0), a.Int(1), a.Int(2), a.Int(3), a.Int(4), a.Int(5)));
    });
}

}  // namespace corvix::skin
