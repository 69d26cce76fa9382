#pragma once
// TCursor: a mouse cursor. The system's standard cursors and the library's
// built-in ones are shared and never destroyed; a cursor from the program's
// resources or made from a bitmap belongs to its object.

#include <windows.h>

#include <memory>
#include <string>

#include "corvix/runtime/value.h"

namespace corvix {

class TCursor : public Object {
public:
    HCURSOR hCursor = nullptr;
    bool lPredef = false;  // a system or built-in cursor: never destroyed

    // cPredef, in any letter case, names a standard cursor: "ARROW", "IBEAM",
    // "WAIT", "CROSS", "UPARROW", "SIZE", "ICON", "SIZENWSE", "SIZENESW",
    // "SIZEWE" or "SIZENS", or a built-in one: "HAND", "STOP" or "DRAG";
    // another name shows "Wrong predefined cursor type!" and gives no handle.
    // Without cPredef the cursor is the resource cResName.
    static std::shared_ptr<TCursor> New(const std::string& cResName, const std::string& cPredef = "");

    TCursor() = default;
    TCursor(const TCursor&) = delete;
    TCursor& operator=(const TCursor&) = delete;
    ~TCursor() override { End(); }

    // A cursor of the bitmap's picture, opaque, with the hot spot given; the
    // cursor held before is ended first. False, keeping the old one, when no
    // cursor can be made of it.
    bool NewBmp(HBITMAP hBitmap, POINT hotSpot = {0, 0});
    // Shows the cursor now; without a handle, the arrow, so the pointer never vanishes.
    void Activate() const;
    void End();
};

}  // namespace corvix
