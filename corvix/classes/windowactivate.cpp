// TWindow: activation, display and closing.

#include <array>
#include <utility>

#include "corvix/classes/brush.h"
#include "corvix/classes/font.h"
#include "corvix/classes/icon.h"
#include "corvix/classes/menu.h"
#include "corvix/classes/reference.h"
#include "corvix/classes/scrollbar.h"
#include "corvix/classes/window.h"
#include "corvix/native/eventloop.h"
#include "corvix/native/help.h"
#include "corvix/native/ondemand.h"

namespace corvix {

int TWindow::ShowCommand(const std::string& cShow) {
    static constexpr std::array<const char*, 4> kStates = {"HIDDEN", "NORMAL", "ICONIZED", "MAXIMIZED"};
    for (size_t i = 0; i < kStates.size(); ++i)
        if (cShow == kStates[i]) return static_cast<int>(i == 2 ? SW_SHOWMINIMIZED : i);
    return -1;
}

void TWindow::Activate(const ActivateArgs& a, std::source_location where) {
    if (!hWnd) return;  // never created, or gone: no loop without a window
    RunAtLevel(CallLevel::At(where), [&] {
        const auto self = weak_from_this().lock();  // the loop below outlives the window
        nResult = Value();
        lValidating = false;
        if (a.bValid) bValid = a.bValid;
        if (a.bDropFiles) {
            bDropFiles = a.bDropFiles;
            ondemand::DragAcceptFiles(hWnd, TRUE);
        }
        if (a.bPainted) bPainted = a.bPainted;
        if (a.bLClicked) bLClicked = a.bLClicked;
        if (a.bRClicked) bRClicked = a.bRClicked;
        if (oVScroll) {
            if (a.bUp) oVScroll->bGoUp = a.bUp;
            if (a.bDown) oVScroll->bGoDown = a.bDown;
            if (a.bPgUp) oVScroll->bPageUp = a.bPgUp;
            if (a.bPgDn) oVScroll->bPageDown = a.bPgDn;
        }
        if (oHScroll) {
            if (a.bLeft) oHScroll->bGoUp = a.bLeft;
            if (a.bRight) oHScroll->bGoDown = a.bRight;
            if (a.bPgLeft) oHScroll->bPageUp = a.bPgLeft;
            if (a.bPgRight) oHScroll->bPageDown = a.bPgRight;
        }
        AEvalWhen();
        ShowWindow(hWnd, ShowCommand(a.cShow));
        UpdateWindow(hWnd);
        lVisible = true;
        if (!LWRUNNING()) SETWNDAPP(hWnd);
        if (bInit) bInit(*this);
        ReSize();
        if (!Parent() && !LWRUNNING()) WINRUN(hWnd);
        lVisible = false;
    });
}

void TWindow::AEvalWhen() {
    for (const auto& control : aControls)
        if (control->bWhen) control->bWhen() ? control->Enable() : control->Disable();
}

void TWindow::Enable() {
    lActive = true;
    if (hWnd) EnableWindow(hWnd, TRUE);
}

void TWindow::Disable() {
    lActive = false;
    if (hWnd) EnableWindow(hWnd, FALSE);
}

void TWindow::SetFocus() {
    if (lWhen()) ::SetFocus(hWnd);
}

Answer TWindow::HelpTopic() {
    if (nHelpId.IsString())
        HELPTOPIC(nHelpId.AsString());
    else if (nHelpId.IsNumber())
        HELPPOPUP(static_cast<int>(nHelpId.AsInteger()), hWnd);
    else
        HELPTOPIC("");
    return Answer::Number(0);
}

bool TWindow::End() {
    const bool valid = lValid();
    if (valid) PostMessageA(hWnd, WM_CLOSE, 0, 0);
    return valid;
}

Answer TWindow::QueryEndSession() { return Answer::Number(End() ? 1 : 0); }

// WM_DESTROY: give back what this window holds, leave the table, and end the
// program's loop when this was the application window.
Answer TWindow::Destroy() {
    if (!hWnd) return Answer::Nil();
    DestroyToolTip();
    DropReference(oBrush);
    DropReference(oFont);
    oIcon.reset();  // an icon this window made goes with its last holder
    oCursor.reset();
    if (const auto menu = std::exchange(oMenu, nullptr)) menu->End();
    if (const auto sys = std::exchange(oSysMenu, nullptr)) sys->End();
    oPopup.reset();
    oMItemSelect.reset();
    oVScroll.reset();
    oHScroll.reset();
    const auto keepAlive = weak_from_this().lock();
    UnLink();
    if (hWnd == GETWNDAPP()) PostQuitMessage(0);
    if (GETWNDDEFAULT().get() == this) SETWNDDEFAULT(nullptr);
    hWnd = nullptr;
    return Answer::Nil();
}

}  // namespace corvix
