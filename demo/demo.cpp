// The Office 2007 buttons skin demo. Nothing here that makes a button knows
// about the skin: one call installs it on the push-button class, and every
// push button made after it, the system boxes' and the colour dialog's
// included, is painted in the 2007 look.

#include "corvix/classes/button.h"
#include "corvix/classes/font.h"
#include "corvix/classes/msgbar.h"
#include "corvix/classes/window.h"
#include "corvix/native/msgbox.h"
#include "corvix/skin/buttonhook.h"
#include "demo/demodialog.h"

using namespace corvix;

void MAIN() {
    const auto oFont = TFont::New({.cFaceName = "Verdana", .nWidth = 0, .nHeight = -12});
    const auto oWnd = TWindow::New({.cTitle = "Office 2007 buttons skin demo - a Corvix sample",
                                    .lSysMenu = true, .lCaption = true, .lMin = true, .lMax = true,
                                    .lPixel = false});
    oWnd->SetFont(oFont);

    // Lends the skin a window of the push-button class; made before the
    // install, it is never skinned, and it lies outside the client area.
    // A program of its own needs only corvix::skin::BUTTONS2007(), which makes
    // and ends such a window itself.
    const auto oBtn = TButton::New({.nRow = -2, .nCol = -2, .cCaption = "ok"});
    corvix::skin::BUTTONS2007(oBtn->hWnd);
    oBtn->End();

    TButton::New({.nRow = 2, .nCol = 5, .cCaption = "Info",
                  .bAction = [] {
                      MSGINFO("Office 2007 buttons skin\r\n\r\nSIN NECESIDAD DE CAMBIAR CODIGO FUENTE NI DE "
                              "MODIFICAR LOS FICHEROS RC DE RECURSOS!");
                  },
                  .nWidth = 80, .nHeight = 24});
    TButton::New({.nRow = 5, .nCol = 5, .cCaption = "Yes / No", .bAction = [] { MSGYESNO("Do you like it ?"); },
                  .nWidth = 80, .nHeight = 24});
    TButton::New({.nRow = 8, .nCol = 5, .cCaption = "Colors", .bAction = [] { CHOOSECOLOR(); }, .nWidth = 80,
                  .nHeight = 24});
    TButton::New({.nRow = 11, .nCol = 5, .cCaption = "Dialog", .bAction = [] { DIALOG(); }, .nWidth = 80,
                  .nHeight = 24});

    oWnd->oMsgBar = TMsgBar::New({.oWnd = oWnd, .cPrompt = "Office 2007 skins", .l2007 = true});

    oWnd->Activate({.bLClicked = oWnd->bLClicked, .bRClicked = oWnd->bRClicked, .bPainted = oWnd->bPainted,
                    .bValid = oWnd->bValid});
}
