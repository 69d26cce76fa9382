#pragma once
// A font as the skin's kept pictures know it: by what it draws, not by its
// handle, since a freed handle may come back as another font.

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <cwchar>

namespace skindemo {

// None, or a handle that is no font, is the DC's own font. The wide form:
// faces the ANSI code page cannot spell, or spells in more than 31 bytes,
// would share one key.
struct FontKey {
    bool given = false;
    LOGFONTW described{};

    explicit FontKey(HFONT font = nullptr) {
        given = font && GetObjectType(font) == OBJ_FONT && GetObjectW(font, sizeof described, &described) != 0;
        // What follows the face's end is whatever the creator left there.
        WCHAR* face = described.lfFaceName;
        std::fill(face + wcsnlen(face, LF_FACESIZE), face + LF_FACESIZE, L'\0');
    }
    friend bool operator==(const FontKey& a, const FontKey& b) {
        return a.given == b.given && std::memcmp(&a.described, &b.described, sizeof a.described) == 0;
    }
};

}  // namespace skindemo
