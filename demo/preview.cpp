// A preview of the skin: buttons created after the install show the normal,
// focused, pressed and disabled looks side by side; "Info", "Focused" and
// "Pressed" open the information box, the yes/no box and the colour dialog,
// whose push buttons are skinned too.

#include <windows.h>

#include "corvix/classes/button.h"
#include "corvix/classes/font.h"
#include "corvix/classes/msgbar.h"
#include "corvix/classes/window.h"
#include "corvix/native/msgbox.h"
#include "demo/skin/btnpaint.h"
#include "demo/skin/buttonhook.h"
#include "demo/skin/skinfuncs.h"

namespace {

using corvix::TButton;

constexpr char kTitle[] = "Office 2007 buttons skin demo - Corvix preview";
constexpr char kInfoText[] =
    "Office 2007 buttons skin\r\n\r\n"
    "SIN NECESIDAD DE CAMBIAR CODIGO FUENTE NI DE MODIFICAR LOS FICHEROS RC DE RECURSOS!";

WNDPROC previousProc = nullptr;

// Keeps one button in the pressed look so the preview shows all three.
LRESULT CALLBACK AlwaysPressedProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
    if (nMsg == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hWnd, &ps);
        skindemo::BTNPAINT(hWnd, dc, true);
        EndPaint(hWnd, &ps);
        return 0;
    }
    return CallWindowProcA(previousProc, hWnd, nMsg, wParam, lParam);
}

std::shared_ptr<TButton> AddButton(const std::shared_ptr<corvix::TWindow>& main, const char* caption, int row,
                                   std::function<void()> action = {}) {
    return TButton::New({.nRow = static_cast<double>(row), .nCol = 5, .cCaption = caption, .oWnd = main,
                         .bAction = std::move(action), .nWidth = 80, .nHeight = 24});
}

void CreateButtons(const std::shared_ptr<corvix::TWindow>& main) {
    // Made before the install, so never skinned: it only lends the class.
    const auto throwaway = TButton::New({.nRow = -2, .nCol = -2, .oWnd = main});
    skindemo::BUTTONS2007(throwaway->hWnd);
    throwaway->End();

    AddButton(main, "Info", 2, [] { corvix::MSGINFO(kInfoText); });
    const auto focused = AddButton(main, "Focused", 5, [] { corvix::MSGYESNO("Do you like it ?"); });
    const auto pressed = AddButton(main, "Pressed", 8, [] { corvix::CHOOSECOLOR(); });
    AddButton(main, "Disabled", 11)->Disable();
    previousProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(pressed->hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AlwaysPressedProc)));
    ::SetFocus(focused->hWnd);
}

}  // namespace

void MAIN() {
    skindemo::RegisterSkinFunctions();
    const auto font = corvix::TFont::New({.cFaceName = "Verdana", .nWidth = 0, .nHeight = -12});
    const auto main = corvix::TWindow::New(
        {.cTitle = kTitle, .lSysMenu = true, .lCaption = true, .lMin = true, .lMax = true, .lPixel = false});
    main->SetFont(font);
    CreateButtons(main);
    main->oMsgBar = corvix::TMsgBar::New({.oWnd = main, .cPrompt = "Office 2007 skins", .l2007 = true});
    main->Activate();  // runs the loop until the window is closed
}
