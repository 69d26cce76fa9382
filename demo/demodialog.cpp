#include "demo/demodialog.h"

#include "corvix/classes/button.h"
#include "corvix/classes/dialog.h"

using namespace corvix;

void DIALOG() {
    const auto oDlg = TDialog::New({.cTitle = "Office 20007 buttons", .lVbx = false, .lPixels = false,
                                    .lTransparent = false});
    TButton::New({.nRow = 1, .nCol = 2, .cCaption = "One"});
    TButton::New({.nRow = 2, .nCol = 2, .cCaption = "Two"});
    TButton::New({.nRow = 3, .nCol = 2, .cCaption = "Three"});
    oDlg->Activate({.bLClicked = oDlg->bLClicked, .bMoved = oDlg->bMoved, .bPainted = oDlg->bPainted,
                    .lCentered = true, .bRClicked = oDlg->bRClicked});
}
