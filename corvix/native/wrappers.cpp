#include "corvix/native/wrappers.h"

#include <cstring>
#include <set>

#include <shellapi.h>

#include "corvix/native/ansitext.h"
#include "corvix/native/ondemand.h"

namespace corvix {

namespace {

const HWND kPassOnHandle = reinterpret_cast<HWND>(static_cast<intptr_t>(-1));

// Texts handed to posted messages; kept until the process ends.
const char* KeepForPosting(const std::string& text) {
    static std::set<std::string> kept;
    return kept.insert(text).first->c_str();
}

}  // namespace

int DRAWTEXT(HDC hDC, std::string_view cText, const RectArray& aRect, UINT nFlags) {
    RECT r = aRect.ToRECT();
    // The text is the caller's and read only: the system may not shorten it in place.
    return DrawTextAnsi(hDC, cText, r, nFlags & ~DT_MODIFYSTRING);
}

HDC GETDC(HWND hWnd) { return GetDC(hWnd); }
bool RELEASEDC(HWND hWnd, HDC hDC) { return ReleaseDC(hWnd, hDC) != 0; }
HGDIOBJ SELECTOBJECT(HDC hDC, HGDIOBJ hObject) { return SelectObject(hDC, hObject); }
int SETBKMODE(HDC hDC, int nMode) { return SetBkMode(hDC, nMode); }
COLORREF SETTEXTCOLOR(HDC hDC, COLORREF nColor) { return SetTextColor(hDC, nColor); }

std::string GETWINDOWTEXT(HWND hWnd) {
    if (!IsWindow(hWnd)) return {};
    const int length = GetWindowTextLengthA(hWnd);
    if (length <= 0) return {};
    std::string text(static_cast<size_t>(length) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(hWnd, text.data(), length + 1)));
    return text;
}

bool HoldsWindowText(HWND hWnd, const std::string& cText) {
    const int size = static_cast<int>(std::strlen(cText.c_str()));  // the system's text ends at the first NUL
    const int units = MultiByteToWideChar(CP_ACP, 0, cText.data(), size, nullptr, 0);
    std::wstring stored(static_cast<size_t>(units), L'\0');
    MultiByteToWideChar(CP_ACP, 0, cText.data(), size, stored.data(), units);
    std::wstring held(stored.size() + 2, L'\0');  // room to tell a longer text
    held.resize(static_cast<size_t>(InternalGetWindowText(hWnd, held.data(), static_cast<int>(held.size()))));
    return held == stored;
}

bool ISWINDOWENABLED(HWND hWnd) { return IsWindowEnabled(hWnd) != 0; }
HWND GETPARENT(HWND hWnd) { return GetParent(hWnd); }
LONG_PTR GETWINDOWLONG(HWND hWnd, int nIndex) { return GetWindowLongPtrA(hWnd, nIndex); }

LRESULT SENDMESSAGE(HWND hWnd, UINT nMsg, WPARAM nWParam, LPARAM nLParam) {
    if (hWnd != kPassOnHandle && !IsWindow(hWnd)) return 0;
    return SendMessageA(hWnd, nMsg, nWParam, nLParam);
}

LRESULT SENDMESSAGE(HWND hWnd, UINT nMsg, WPARAM nWParam, const std::string& cLParam) {
    return SENDMESSAGE(hWnd, nMsg, nWParam, reinterpret_cast<LPARAM>(cLParam.c_str()));
}

bool POSTMESSAGE(HWND hWnd, UINT nMsg, WPARAM nWParam, LPARAM nLParam) {
    if (!IsWindow(hWnd)) return false;
    return PostMessageA(hWnd, nMsg, nWParam, nLParam) != 0;
}

bool POSTMESSAGE(HWND hWnd, UINT nMsg, WPARAM nWParam, const std::string& cLParam) {
    if (!IsWindow(hWnd)) return false;
    return POSTMESSAGE(hWnd, nMsg, nWParam, reinterpret_cast<LPARAM>(KeepForPosting(cLParam)));
}

PointArray GETCURSORPOS() {
    POINT p{};
    GetCursorPos(&p);
    return {p.y, p.x};
}

bool TRACKMOUSEEVENT(HWND hWnd, DWORD nFlags) {
    using TrackFn = BOOL(WINAPI*)(LPTRACKMOUSEEVENT);
    HMODULE user32 = LoadLibraryA("user32");
    if (!user32) return false;
    auto track = reinterpret_cast<TrackFn>(
        reinterpret_cast<void*>(GetProcAddress(user32, "TrackMouseEvent")));
    bool result = false;
    if (track) {
        ::TRACKMOUSEEVENT request{sizeof(::TRACKMOUSEEVENT), nFlags, hWnd, 0};
        result = track(&request) != 0;
    }
    FreeLibrary(user32);
    return result;
}

void SETFOCUS(HWND hWnd) {
    if (IsWindow(hWnd)) SetFocus(hWnd);
}

HWND GETFOCUS() { return GetFocus(); }
HWND GETACTIVEWINDOW() { return GetActiveWindow(); }

bool ISWINNT() { return (GetVersion() & 0x80000000) == 0; }

int GETTEXTWIDTH(HDC hDC, const std::string& cText, HFONT hFont) {
    const HGDIOBJ previous = hFont ? SelectObject(hDC, hFont) : nullptr;
    const SIZE size = TextExtent(hDC, cText);
    if (previous) SelectObject(hDC, previous);
    return size.cx;
}

// ---- scroll bars ----

int GETSCROLLPOS(HWND hWnd, int nBar) { return GetScrollPos(hWnd, nBar); }
int SETSCROLLPOS(HWND hWnd, int nBar, int nPos, bool lRedraw) { return SetScrollPos(hWnd, nBar, nPos, lRedraw); }

std::pair<int, int> GETSCROLLRANGE(HWND hWnd, int nBar) {
    int nMin = 0, nMax = 0;
    GetScrollRange(hWnd, nBar, &nMin, &nMax);
    return {nMin, nMax};
}

bool SETSCROLLRANGE(HWND hWnd, int nBar, int nMin, int nMax, bool lRedraw) {
    return SetScrollRange(hWnd, nBar, nMin, nMax, lRedraw) != 0;
}

int GETSCROLLTRACKPOS(HWND hWnd, int nBar) {
    SCROLLINFO info{sizeof info, SIF_TRACKPOS, 0, 0, 0, 0, 0};
    return GetScrollInfo(hWnd, nBar, &info) ? info.nTrackPos : 0;
}

// ---- icons and cursors ----

namespace {

LPCSTR ResourceId(int nId) { return MAKEINTRESOURCEA(static_cast<WORD>(nId)); }

}  // namespace

HICON LOADICON(HINSTANCE hModule, const std::string& cName) { return LoadIconA(hModule, cName.c_str()); }
HICON LOADICON(HINSTANCE hModule, int nId) { return LoadIconA(hModule, ResourceId(nId)); }

HICON EXTRACTICON(const std::string& cFile, int nIndex) {
    const HICON icon = ondemand::ExtractIconA(GetModuleHandleA(nullptr), cFile.c_str(), static_cast<UINT>(nIndex));
    return reinterpret_cast<UINT_PTR>(icon) > 1 ? icon : nullptr;
}

void DRAWICON(HDC hDC, int nRow, int nCol, HICON hIcon) { DrawIcon(hDC, nCol, nRow, hIcon); }
bool DESTROYICON(HICON hIcon) { return DestroyIcon(hIcon) != 0; }
HCURSOR LOADCURSOR(HINSTANCE hModule, const std::string& cName) { return LoadCursorA(hModule, cName.c_str()); }
HCURSOR LOADCURSOR(HINSTANCE hModule, int nId) { return LoadCursorA(hModule, ResourceId(nId)); }
bool DESTROYCURSOR(HCURSOR hCursor) { return DestroyCursor(hCursor) != 0; }
HCURSOR WSETCURSOR(HCURSOR hCursor) { return SetCursor(hCursor); }

}  // namespace corvix
