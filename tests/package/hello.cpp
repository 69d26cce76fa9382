// A window with one skinned button, built against the installed package.
#include "corvix/classes/button.h"
#include "corvix/classes/window.h"
#include "demo/skin/buttonhook.h"

void MAIN() {
    const auto window = corvix::TWindow::New({.cTitle = "Hello from Corvix"});
    const auto lender = corvix::TButton::New({.nRow = -2, .nCol = -2, .oWnd = window});  // never shown
    skindemo::BUTTONS2007(lender->hWnd);
    lender->End();
    corvix::TButton::New({.nRow = 2, .nCol = 5, .cCaption = "Hello", .oWnd = window, .nWidth = 80, .nHeight = 24});
    window->Activate();
}
