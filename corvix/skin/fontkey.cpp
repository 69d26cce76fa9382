#include "corvix/skin/fontkey.h"

#include <algorithm>
#include <cstring>
#include <cwchar>

namespace corvix::skin {

FontKey::FontKey(HFONT font) {
    given = font && GetObjectType(font) == OBJ_FONT && GetObjectW(font, sizeof described, &described) != 0;
    // What follows the face's end is whatever the font's maker left there.
    WCHAR* face = described.lfFaceName;
    std::fill(face + wcsnlen(face, LF_FACESIZE), face + LF_FACESIZE, L'\0');
}

bool operator==(const FontKey& a, const FontKey& b) {
    return a.given == b.given && std::memcmp(&a.described, &b.described, sizeof a.described) == 0;
}

}  // namespace corvix::skin
