#include "corvix/classes/icon.h"

namespace corvix {

std::shared_ptr<TIcon> TIcon::New(const std::string& cName) {
    auto icon = std::make_shared<TIcon>();
    icon->cName = cName;
    const DWORD attributes = GetFileAttributesA(cName.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        icon->hIcon = static_cast<HICON>(LoadImageA(nullptr, cName.c_str(), IMAGE_ICON, 0, 0, LR_LOADFROMFILE));
        icon->lOwned = icon->hIcon != nullptr;
    } else {
        icon->hIcon = LoadIconA(GetModuleHandleA(nullptr), cName.c_str());
    }
    return icon;
}

void TIcon::End() {
    if (hIcon && lOwned) DestroyIcon(hIcon);
    hIcon = nullptr;
}

}  // namespace corvix
