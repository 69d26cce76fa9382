#pragma once
// TIcon, as far as windows need it now: an icon from a file or from the
// program's resources. A loaded icon is destroyed by End or, at the latest,
// when the last holder of the object lets it go.

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
    TIcon() = default;
    TIcon(const TIcon&) = delete;
    TIcon& operator=(const TIcon&) = delete;
    ~TIcon() override { End(); }
    void End();
};

}  // namespace corvix
