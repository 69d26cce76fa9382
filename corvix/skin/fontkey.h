#pragma once
// A font as the skin's kept pictures know it: by what it draws, not by its
// handle, since a freed handle may come back as another font.

#include <windows.h>

namespace corvix::skin {

// None, or a handle that is no font, is the DC's own font. The wide form:
// faces the ANSI code page cannot spell, or spells in more than 31 bytes,
// would share one key.
struct FontKey {
    bool given = false;
    LOGFONTW described{};

    explicit FontKey(HFONT font = nullptr);
    friend bool operator==(const FontKey& a, const FontKey& b);
};

}  // namespace corvix::skin
