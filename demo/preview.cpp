// A preview of the skin: buttons created after the install show the normal,
// focused, pressed and disabled looks side by side; clicking "Info" (mouse or
// space bar) opens an information box whose OK button is skinned too.

#include <windows.h>

#include "corvix/classes/font.h"
#include "corvix/classes/window.h"
#include "corvix/native/msgbox.h"
#include "demo/skin/btnpaint.h"
#include "demo/skin/buttonhook.h"
#include "demo/skin/skinfuncs.h"

namespace {

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

// The main window answers the Info button's click with the information box.
class PreviewWindow : public corvix::TWindow {
public:
    corvix::Answer Command(WPARAM wParam, LPARAM lParam) override {
        if (LOWORD(wParam) == kInfo && HIWORD(wParam) == BN_CLICKED)
            corvix::MSGINFO(kInfoText);
        return TWindow::Command(wParam, lParam);
    }
};

}  // namespace

void MAIN() {
    skindemo::RegisterSkinFunctions();
    const auto font = corvix::TFont::New({.cFaceName = "Verdana", .nWidth = 0, .nHeight = -12});
    const auto main = std::make_shared<PreviewWindow>();
    main->Init({.cTitle = kTitle, .lSysMenu = true, .lCaption = true, .lMin = true, .lMax = true, .lPixel = false});
    main->SetFont(font);
    CreateButtons(main->hWnd);
    main->Activate();  // runs the loop until the window is closed
}
