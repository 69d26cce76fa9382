// A window with one skinned button, built against the installed package.
#include "corvix/classes/button.h"
#include "corvix/classes/window.h"
#include "corvix/skin/buttonhook.h"

void MAIN() {
    const auto window = corvix::TWindow::New({.cTitle = "Hello from Corvix"});
    corvix::skin::BUTTONS2007();  // every push button made from here on is skinned
    corvix::TButton::New({.nRow = 2, .nCol = 5, .cCaption = "Hello", .oWnd = window, .nWidth = 80, .nHeight = 24});
    window->Activate();
}
