#pragma once
// TCursor, as far as windows and controls need it now: one of the system's
// standard cursors, shared and never destroyed, or a cursor from the
// program's resources, destroyed with its object.

#include <windows.h>

#include <memory>
#include <string>

#include "corvix/runtime/value.h"

namespace corvix {

class TCursor : public Object {
public:
    HCURSOR hCursor = nullptr;
    bool lPredef = false;  // a system cursor: never destroyed

    // cPredef, in any letter case, names a standard cursor: "ARROW", "IBEAM",
    // "WAIT", "CROSS", "UPARROW", "SIZE", "ICON", "SIZENWSE", "SIZENESW",
    // "SIZEWE" or "SIZENS"; another name shows "Wrong predefined cursor type!"
    // and gives no handle. Without cPredef the cursor is the resource cResName.
    static std::shared_ptr<TCursor> New(const std::string& cResName, const std::string& cPredef = "");

    TCursor() = default;
    TCursor(const TCursor&) = delete;
    TCursor& operator=(const TCursor&) = delete;
    ~TCursor() override { End(); }

    // Shows the cursor now.
    void Activate() const;
    void End();
};

}  // namespace corvix
