#pragma once
// Real windows and real pixels for the tests.

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace corvix_test {

// A visible top-level window whose procedure answers WM_GETFONT with the
// font given (0 by default), records the last WM_COMMAND it received, and
// copies the text whose address a WM_APP message carries.
class HostWindow {
public:
    explicit HostWindow(int width = 400, int height = 300, HFONT font = nullptr);
    ~HostWindow();
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;

    HWND Get() const { return hWnd_; }
    void SetFont(HFONT font) { font_ = font; }
    int Commands() const { return commands_; }
    WPARAM LastCommandWParam() const { return lastWParam_; }
    LPARAM LastCommandLParam() const { return lastLParam_; }
    const std::string& LastAppText() const { return appText_; }

    // A child push button at the given client position.
    HWND AddButton(const std::string& caption, int id, int left, int top, int width, int height,
                   DWORD extraStyle = 0) const;

private:
    static LRESULT CALLBACK Proc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
    HWND hWnd_ = nullptr;
    HFONT font_ = nullptr;
    int commands_ = 0;
    WPARAM lastWParam_ = 0;
    LPARAM lastLParam_ = 0;
    std::string appText_;
};

// A screen-compatible memory bitmap to paint into and read back.
class Canvas {
public:
    Canvas(int width, int height, COLORREF background = RGB(255, 0, 255));
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC Get() const { return dc_; }
    COLORREF Pixel(int x, int y) const { return GetPixel(dc_, x, y); }

private:
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ previous_;
};

// Processes every pending message of this thread.
void Pump();

// Puts the cursor at a screen point and waits until the system steadily
// reports it there (under Wine the move reaches the X server asynchronously).
// False when it never got there.
bool MoveCursorTo(int x, int y);

// Reads a pixel of a window from its own device context.
COLORREF WindowPixel(HWND hWnd, int x, int y);

// The pixels of an area of a window (of the screen for window 0) as the
// screen shows them, row after row, as 0xRRGGBB, in one copy.
std::vector<uint32_t> CopyPixels(HWND hWnd, const RECT& area);

// Formats a colour as (r, g, b) for assertion messages.
std::string Rgb(COLORREF c);

}  // namespace corvix_test
