#include "corvix/classes/cursor.h"

#include <algorithm>
#include <cctype>

#include "corvix/native/cursors.h"
#include "corvix/native/msgbox.h"

namespace corvix {

namespace {

struct PredefinedCursor {
    const char* name;
    HCURSOR (*load)();
};

template <WORD id>
HCURSOR System() {
    return LoadCursorA(nullptr, MAKEINTRESOURCEA(id));
}

constexpr PredefinedCursor kPredefined[] = {
    {"ARROW", &System<32512>},    {"IBEAM", &System<32513>},    {"WAIT", &System<32514>},
    {"CROSS", &System<32515>},    {"UPARROW", &System<32516>},  {"SIZE", &System<32646>},
    {"ICON", &System<32641>},     {"SIZENWSE", &System<32642>}, {"SIZENESW", &System<32643>},
    {"SIZEWE", &System<32644>},   {"SIZENS", &System<32645>},   {"HAND", &GETCURSORHAND},
    {"STOP", &GETCURSORSTOP},     {"DRAG", &GETCURSORDRAG}};

std::string Upper(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return s;
}

}  // namespace

std::shared_ptr<TCursor> TCursor::New(const std::string& cResName, const std::string& cPredef) {
    auto cursor = std::make_shared<TCursor>();
    if (cPredef.empty()) {
        // Loaded as our own copy, not the module's shared one, so End may destroy it.
        cursor->hCursor = static_cast<HCURSOR>(
            LoadImageA(GetModuleHandleA(nullptr), cResName.c_str(), IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE));
        return cursor;
    }
    const std::string name = Upper(cPredef);
    const auto predefined = std::find_if(std::begin(kPredefined), std::end(kPredefined),
                                         [&name](const PredefinedCursor& c) { return name == c.name; });
    if (predefined == std::end(kPredefined)) {
        MSGALERT("Wrong predefined cursor type!");
        return cursor;
    }
    cursor->hCursor = predefined->load();
    cursor->lPredef = true;
    return cursor;
}

bool TCursor::NewBmp(HBITMAP hBitmap, POINT hotSpot) {
    BITMAP picture{};
    if (!GetObjectA(hBitmap, sizeof picture, &picture)) return false;
    // An all-zero mask: every pixel of the picture shows.
    const HBITMAP mask = CreateBitmap(picture.bmWidth, picture.bmHeight, 1, 1, nullptr);
    const HDC dc = CreateCompatibleDC(nullptr);
    const HGDIOBJ before = SelectObject(dc, mask);
    PatBlt(dc, 0, 0, picture.bmWidth, picture.bmHeight, BLACKNESS);
    SelectObject(dc, before);
    DeleteDC(dc);
    ICONINFO info{FALSE, static_cast<DWORD>(hotSpot.x), static_cast<DWORD>(hotSpot.y), mask, hBitmap};
    const HCURSOR made = CreateIconIndirect(&info);
    DeleteObject(mask);  // the cursor has its own copies
    if (!made) return false;
    End();
    hCursor = made;
    lPredef = false;
    return true;
}

void TCursor::Activate() const { SetCursor(hCursor ? hCursor : LoadCursorA(nullptr, IDC_ARROW)); }

void TCursor::End() {
    if (hCursor && !lPredef) DestroyCursor(hCursor);
    hCursor = nullptr;
}

}  // namespace corvix
