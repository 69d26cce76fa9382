// What the end-to-end test cannot see in screenshots: the demo's windows,
// read from outside its process, and the colours the painter's model expects.
//
//   demospy windows TITLE     the top-level window with that title, its client
//                             area's origin ("client|x y", screen) and each of
//                             its children: class|text|left top right bottom
//                             (screen)|enabled|style|id, one per line
//   demospy ramp W H          the normal look's fill rows of a W x H button:
//                             y #rrggbb, one per line
//
// Exit code 1 when the window is not there.

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "corvix/native/colour.h"
#include "tests/support/gradientmodel.h"

namespace {

std::string TextOf(HWND h) {
    char text[1024] = {};
    GetWindowTextA(h, text, sizeof text);
    std::string s(text);
    for (char& c : s)
        if (c == '\r' || c == '\n') c = ' ';
    return s;
}

std::string ClassOf(HWND h) {
    char name[64] = {};
    GetClassNameA(h, name, sizeof name);
    return name;
}

void Describe(HWND h) {
    RECT r{};
    GetWindowRect(h, &r);
    std::printf("%s|%s|%ld %ld %ld %ld|%d|%08lX|%d\n", ClassOf(h).c_str(), TextOf(h).c_str(), r.left, r.top,
                r.right, r.bottom, IsWindowEnabled(h) ? 1 : 0, static_cast<unsigned long>(GetWindowLongA(h, GWL_STYLE)),
                GetDlgCtrlID(h));
}

BOOL CALLBACK DescribeChild(HWND h, LPARAM) {
    Describe(h);
    return TRUE;
}

int Windows(const char* title) {
    const HWND top = FindWindowA(nullptr, title);
    if (!top || !IsWindowVisible(top)) return 1;
    Describe(top);
    POINT origin{0, 0};
    ClientToScreen(top, &origin);
    std::printf("client|%ld %ld\n", origin.x, origin.y);
    EnumChildWindows(top, &DescribeChild, 0);
    return 0;
}

// The two halves of the normal look's fill, as the painter's model has them.
int Ramp(int w, int h) {
    (void)w;
    const int split = static_cast<int>((h + 1) * 0.5 - 1);
    for (int y = 3; y <= h - 4; ++y) {
        const COLORREF c = y <= split
            ? corvix_test::RampColourAt(0, split, corvix::NRGB(235, 246, 252), corvix::NRGB(223, 243, 251), y)
            : corvix_test::RampColourAt(split + 1, h, corvix::NRGB(203, 232, 248), corvix::NRGB(118, 214, 245), y);
        std::printf("%d #%02X%02X%02X\n", y, GetRValue(c), GetGValue(c), GetBValue(c));
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "windows" && argc > 2) return Windows(argv[2]);
    if (command == "ramp" && argc > 3) return Ramp(std::atoi(argv[2]), std::atoi(argv[3]));
    std::fprintf(stderr, "usage: demospy windows TITLE | ramp W H\n");
    return 2;
}
