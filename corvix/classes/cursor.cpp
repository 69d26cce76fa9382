#include "corvix/classes/cursor.h"

#include <algorithm>
#include <cctype>

#include "corvix/native/msgbox.h"

namespace corvix {

namespace {

struct StandardCursor {
    const char* name;
    WORD id;  // the system cursor's number
};

constexpr StandardCursor kStandard[] = {{"ARROW", 32512},    {"IBEAM", 32513},    {"WAIT", 32514},
                                        {"CROSS", 32515},    {"UPARROW", 32516},  {"SIZE", 32646},
                                        {"ICON", 32641},     {"SIZENWSE", 32642}, {"SIZENESW", 32643},
                                        {"SIZEWE", 32644},   {"SIZENS", 32645}};

std::string Upper(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return s;
}

}  // namespace

std::shared_ptr<TCursor> TCursor::New(const std::string& cResName, const std::string& cPredef) {
    auto cursor = std::make_shared<TCursor>();
    if (cPredef.empty()) {
        cursor->hCursor = LoadCursorA(GetModuleHandleA(nullptr), cResName.c_str());
        return cursor;
    }
    const std::string name = Upper(cPredef);
    const auto standard = std::find_if(std::begin(kStandard), std::end(kStandard),
                                       [&name](const StandardCursor& c) { return name == c.name; });
    if (standard == std::end(kStandard)) {
        MSGALERT("Wrong predefined cursor type!");
        return cursor;
    }
    cursor->hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(standard->id));
    cursor->lPredef = true;
    return cursor;
}

void TCursor::Activate() const {
    if (hCursor) SetCursor(hCursor);
}

void TCursor::End() {
    if (hCursor && !lPredef) DestroyCursor(hCursor);
    hCursor = nullptr;
}

}  // namespace corvix
