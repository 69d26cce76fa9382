#pragma once
// TIcon, as far as windows need it now: an icon from a file or from the
// program's resources, destroyed with its last user.

#include <windows.h>

#include <memory>
#include <string>

#include "corvix/runtime/value.h"

namespace corvix {

class TIcon : public Object {
public:
    HICON hIcon = nullptr;
    std::string cName;
    bool lOwned = false;  // loaded from a file: destroyed by End

    // From the file when one of that name exists, else the resource of that name.
    static std::shared_ptr<TIcon> New(const std::string& cName);
    void End();
};

}  // namespace corvix
