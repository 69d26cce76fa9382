// A preview of the skin: buttons created after the install show the normal,
// focused, pressed and disabled looks side by side; clicking "Info" (mouse or
// space bar) opens an information box whose OK button is skinned too.

#include <windows.h>

#include "corvix/native/eventloop.h"
#include "demo/skin/btnpaint.h"
#include "demo/skin/buttonhook.h"
#include "demo/skin/skinfuncs.h"

namespace {

constexpr char kClassName[] = "CorvixSkinPreview";
constexpr char kTitle[] = "Office 2007 buttons skin demo - Corvix preview";
constexpr char kInfoText[] =
    "Office 2007 buttons skin\r\n\r\n"
    "SIN NECESIDAD DE CAMBIAR CODIGO FUENTE NI DE MODIFICAR LOS FICHEROS RC DE RECURSOS!";

enum ButtonId { kInfo = 101, kFocused, kPressed, kDisabled };

WNDPROC skinnedProc = nullptr;

// Keeps one button in the pressed look so the preview shows all three.
LRESULT CALLBACK AlwaysPressedProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
    if (nMsg == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hWnd, &ps);
        skindemo::BTNPAINT(hWnd, dc, true);
        EndPaint(hWnd, &ps);
        return 0;
    }
    return CallWindowProcA(skinnedProc, hWnd, nMsg, wParam, lParam);
}

HWND AddButton(HWND parent, const char* caption, int id, int top, int left) {
    return CreateWindowA("BUTTON", caption, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                         left, top, 81, 25, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                         GetModuleHandleA(nullptr), nullptr);
}

void CreateButtons(HWND main) {
    // Made before the install, so never skinned: it only lends the class.
    HWND throwaway = AddButton(main, "ok", 100, -36, -12);
    skindemo::BUTTONS2007(throwaway);
    DestroyWindow(throwaway);

    AddButton(main, "Info", kInfo, 36, 30);
    HWND focused = AddButton(main, "Focused", kFocused, 90, 30);
    HWND pressed = AddButton(main, "Pressed", kPressed, 144, 30);
    HWND disabled = AddButton(main, "Disabled", kDisabled, 198, 30);
    EnableWindow(disabled, FALSE);
    skinnedProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(pressed, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AlwaysPressedProc)));
    SetFocus(focused);
}

LRESULT CALLBACK MainProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
    switch (nMsg) {
        case WM_COMMAND:
            if (LOWORD(wParam) == kInfo) MessageBoxA(hWnd, kInfoText, "Information", MB_ICONINFORMATION);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcA(hWnd, nMsg, wParam, lParam);
    }
}

HWND CreateMainWindow(HINSTANCE instance) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = MainProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClassName;
    RegisterClassA(&wc);
    // Rows 2 to 20, columns 2 to 70 of 16 x 8 pixels.
    return CreateWindowA(kClassName, kTitle, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                         16, 32, 544, 288, nullptr, nullptr, instance, nullptr);
}

}  // namespace

void MAIN() {
    skindemo::RegisterSkinFunctions();
    HWND main = CreateMainWindow(GetModuleHandleA(nullptr));
    CreateButtons(main);
    ShowWindow(main, SW_SHOWNORMAL);
    UpdateWindow(main);
    corvix::SETWNDAPP(main);
    corvix::WINRUN(main);
}
