#pragma once
// Device bitmaps from files, resources and the library's built-in patterns.

#include <windows.h>

#include <string>

namespace corvix {

// A device bitmap of built-in pattern 1 to 4 ("BORLAND", "BRICKS", "TILED",
// "TABS"); 0 for any other number.
HBITMAP CXBRUSHES(int nPattern);

// From a .bmp file; 0 when it is missing or not a bitmap.
HBITMAP READBITMAP(HINSTANCE hInstance, const std::string& cFileName);
// From the resources of hModule; 0 when there is no such bitmap.
HBITMAP LOADBITMAP(HINSTANCE hModule, const std::string& cResName);
// The module the program's resources come from.
HINSTANCE GETRESOURCES();

}  // namespace corvix
