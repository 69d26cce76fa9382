// A Corvix sample beyond the skin demo: a window with a button bar in the
// 2007 look, its buttons in groups, above a 2007 message bar. Each button
// shows its text on the message bar under the mouse; "New" has a drop-down
// arrow with a pop-up menu; "Bold" stays down when clicked, until clicked again.

#include "corvix/classes/bar.h"
#include "corvix/classes/btnbmp.h"
#include "corvix/classes/menuitem.h"
#include "corvix/classes/msgbar.h"
#include "corvix/classes/pdmenu.h"
#include "corvix/classes/window.h"
#include "corvix/native/msgbox.h"

using namespace corvix;

namespace {

struct Tool {
    const char* cResName;
    const char* cMsg;
    bool lGroup;
};

constexpr Tool kTools[] = {
    {"NEW", "A new document", false},   {"OPEN", "Open a document", false}, {"SAVE", "Save the document", false},
    {"CUT", "Cut the selection", true}, {"COPY", "Copy the selection", false}, {"PASTE", "Paste", false},
    {"BOLD", "Bold: stays down until clicked again", true}, {"ABOUT", "About this sample", true},
};

}  // namespace

void MAIN() {
    const auto oWnd = TWindow::New({.nTop = 4, .nLeft = 8, .nBottom = 20, .nRight = 62,
                                    .cTitle = "Corvix toolbar sample"});
    const auto oBar = TBar::New({.oWnd = oWnd, .nBtnWidth = 28, .nBtnHeight = 28, .l2007 = true});
    // "New" has a drop-down arrow with the kinds of document.
    const auto oKinds = MENUBEGIN(true, false, nullptr, true);
    MENUADDITEM({.cPrompt = "&Document", .bAction = [](TMenuItem&) { MSGINFO("A new document", "New"); }});
    MENUADDITEM({.cPrompt = "&Template", .bAction = [](TMenuItem&) { MSGINFO("A new template", "New"); }});
    MENUEND();
    for (const Tool& tool : kTools) {
        const std::string name = tool.cResName;
        TBtnBmp::Action action = [name](TBtnBmp& b) {
            if (name == "BOLD") b.Toggle();
            if (name == "ABOUT") MSGINFO("A 2007 button bar, built with Corvix", "Toolbar sample");
        };
        TBtnBmp::NewBar({.cResName1 = name, .cMsg = tool.cMsg, .bAction = action, .lGroup = tool.lGroup,
                         .oBar = oBar, .cToolTip = tool.cMsg, .oPopup = name == "NEW" ? oKinds : nullptr});
    }
    oWnd->oMsgBar = TMsgBar::New({.oWnd = oWnd, .cPrompt = "Corvix 2007 button bar", .l2007 = true});
    oWnd->Activate();
}
