#pragma once
// Thin wrappers of single system calls, with the library's defaults and its
// answers for handles that are no window.

#include <windows.h>

#include <string>
#include <string_view>
#include <utility>

#include "corvix/native/geometry.h"

namespace corvix {

constexpr UINT kDrawTextDefaultFlags = DT_SINGLELINE | DT_NOCLIP;  // 288
constexpr RectArray kDrawTextDefaultRect{0, 0, 14, 0};

// Draws cText in aRect (read only) and returns the height of the text drawn.
int DRAWTEXT(HDC hDC, std::string_view cText, const RectArray& aRect = kDrawTextDefaultRect,
             UINT nFlags = kDrawTextDefaultFlags);

HDC GETDC(HWND hWnd);
bool RELEASEDC(HWND hWnd, HDC hDC);
HGDIOBJ SELECTOBJECT(HDC hDC, HGDIOBJ hObject);
int SETBKMODE(HDC hDC, int nMode);
COLORREF SETTEXTCOLOR(HDC hDC, COLORREF nColor);

// The window text; empty when the handle is no window.
std::string GETWINDOWTEXT(HWND hWnd);
// True when the window already holds cText as SetWindowTextA would store it;
// read without a message, from the text the system keeps for the window: the
// one of buttons and labels, not of controls that keep their own (edits).
bool HoldsWindowText(HWND hWnd, const std::string& cText);
bool ISWINDOWENABLED(HWND hWnd);
// True on the NT family of systems.
bool ISWINNT();
HWND GETPARENT(HWND hWnd);
LONG_PTR GETWINDOWLONG(HWND hWnd, int nIndex);

// 0 without sending when hWnd is no window; the handle -1 is passed on.
LRESULT SENDMESSAGE(HWND hWnd, UINT nMsg, WPARAM nWParam = 0, LPARAM nLParam = 0);
// lParam is the address of the string's characters.
LRESULT SENDMESSAGE(HWND hWnd, UINT nMsg, WPARAM nWParam, const std::string& cLParam);
// False without posting when hWnd is no window.
bool POSTMESSAGE(HWND hWnd, UINT nMsg, WPARAM nWParam = 0, LPARAM nLParam = 0);
// The receiver reads the text after this returns, so a copy is kept for the
// life of the process (one per distinct text).
bool POSTMESSAGE(HWND hWnd, UINT nMsg, WPARAM nWParam, const std::string& cLParam);

// The cursor position in screen coordinates, y first.
PointArray GETCURSORPOS();
// Asks for mouse tracking; false when the system lacks the function.
bool TRACKMOUSEEVENT(HWND hWnd, DWORD nFlags);
// Does nothing when the handle is no window.
void SETFOCUS(HWND hWnd);
HWND GETFOCUS();
HWND GETACTIVEWINDOW();

// The width in pixels of cText in hFont (the DC's own font when null).
int GETTEXTWIDTH(HDC hDC, const std::string& cText, HFONT hFont = nullptr);

// Scroll bars: nBar is SB_HORZ or SB_VERT of a window's frame, or SB_CTL
// of a scroll-bar control. SETSCROLLPOS answers the previous position.
int GETSCROLLPOS(HWND hWnd, int nBar);
int SETSCROLLPOS(HWND hWnd, int nBar, int nPos, bool lRedraw = true);
std::pair<int, int> GETSCROLLRANGE(HWND hWnd, int nBar);
bool SETSCROLLRANGE(HWND hWnd, int nBar, int nMin, int nMax, bool lRedraw = true);
// The thumb's position in full 32 bits: where it is dragged while a drag
// lasts, else where it stands (a scroll message carries only 16 bits).
int GETSCROLLTRACKPOS(HWND hWnd, int nBar);

// Icons and cursors. A numeric identifier is taken to 16 bits. Icons and
// cursors from a module are the module's shared ones.
HICON LOADICON(HINSTANCE hModule, const std::string& cName);
HICON LOADICON(HINSTANCE hModule, int nId);
// The icon with that index in a file, or null: the system's 1 for a file
// that holds no icon is no handle.
HICON EXTRACTICON(const std::string& cFile, int nIndex = 0);
void DRAWICON(HDC hDC, int nRow, int nCol, HICON hIcon);
bool DESTROYICON(HICON hIcon);
HCURSOR LOADCURSOR(HINSTANCE hModule, const std::string& cName);
HCURSOR LOADCURSOR(HINSTANCE hModule, int nId);
bool DESTROYCURSOR(HCURSOR hCursor);
HCURSOR WSETCURSOR(HCURSOR hCursor);

}  // namespace corvix
