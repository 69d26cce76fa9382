#pragma once
// Thin wrappers of single system calls, with the library's defaults and its
// answers for handles that are no window.

#include <windows.h>

#include <string>

#include "corvix/native/geometry.h"

namespace corvix {

constexpr UINT kDrawTextDefaultFlags = DT_SINGLELINE | DT_NOCLIP;  // 288
constexpr RectArray kDrawTextDefaultRect{0, 0, 14, 0};

// Draws cText in aRect (read only) and returns the height of the text drawn.
int DRAWTEXT(HDC hDC, const std::string& cText, const RectArray& aRect = kDrawTextDefaultRect,
             UINT nFlags = kDrawTextDefaultFlags);

HDC GETDC(HWND hWnd);
bool RELEASEDC(HWND hWnd, HDC hDC);
HGDIOBJ SELECTOBJECT(HDC hDC, HGDIOBJ hObject);
int SETBKMODE(HDC hDC, int nMode);
COLORREF SETTEXTCOLOR(HDC hDC, COLORREF nColor);

// The window text; empty when the handle is no window.
std::string GETWINDOWTEXT(HWND hWnd);
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

}  // namespace corvix
