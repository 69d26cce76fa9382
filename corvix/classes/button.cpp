#include "corvix/classes/button.h"

#include <algorithm>

#include "corvix/classes/font.h"
#include "corvix/native/lmessages.h"
#include "corvix/native/wrappers.h"
#include "corvix/runtime/characters.h"

namespace corvix {

const std::vector<std::vector<std::string>> TButton::aEvents = {{"OnClick", "Sender"}};

std::shared_ptr<TButton> TButton::New(const NewArgs& a, std::source_location where) {
    auto b = std::make_shared<TButton>();
    b->oDefined = CallLevel::At(where);
    const auto parent = a.oWnd ? a.oWnd : GETWNDDEFAULT();
    const int width = a.nWidth.value_or(std::max(6 * static_cast<int>(CharacterCount(a.cCaption)), 30));
    b->cCaption = a.cCaption;
    b->nTop = static_cast<int>(a.nRow * (a.lPixel ? 1 : 18));
    b->nLeft = static_cast<int>(a.nCol * (a.lPixel ? 1 : 6));
    b->nBottom = b->nTop + a.nHeight;
    b->nRight = b->nLeft + width;
    b->StoreCommon(a, parent);
    b->oFont = a.oFont ? a.oFont : (parent ? parent->oFont : nullptr);
    b->nStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | (a.lDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) |
                (a.lDesign ? WS_CLIPSIBLINGS : 0);
    b->nId = GetNewId();
    b->lDrag = a.lDesign;
    b->lDefault = a.lDefault;
    b->CreateOrDefine("BUTTON");
    if (a.lDesign) b->CheckDots();
    return b;
}

std::shared_ptr<TButton> TButton::ReDefine(const ReDefineArgs& a) {
    auto b = std::make_shared<TButton>();
    const auto parent = a.oWnd ? a.oWnd : GETWNDDEFAULT();
    b->nId = a.nId;
    b->StoreCommon(a, parent);
    b->cCaption = a.cPrompt;
    if (parent) parent->DefControl(b);
    return b;
}

template <typename A>
void TButton::StoreCommon(const A& a, const std::shared_ptr<TWindow>& parent) {
    nHelpId = a.nHelpId;
    bAction = a.bAction;
    oWnd = parent;
    cMsg = a.cMsg;
    lUpdate = a.lUpdate;
    bWhen = a.bWhen;
    bValid = a.bValid;
    lCancel = a.lCancel;
}

void TButton::SetLook(bool lDefaultLook) const {
    PostMessageA(hWnd, BM_SETSTYLE, lDefaultLook ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void TButton::Click() {
    if (lProcessing) return;  // a click delivered from inside the action's own loops
    lProcessing = true;
    // Cleared however the click ends: an action that throws must not lock the button.
    struct Processing {
        bool& flag;
        ~Processing() { flag = false; }
    } const processing{lProcessing};
    if (!lWhen()) return;
    const auto parent = Parent();
    if (GetFocus() != hWnd) {
        // Taking the focus for the click must not validate the control that had it.
        if (parent) parent->lValidating = true;
        ::SetFocus(hWnd);
        if (parent) parent->lValidating = false;
    }
    const auto keepAlive = shared_from_this();  // the action may end this button
    if (bAction) bAction();
    if (!lCancel && parent && parent->hWnd) TControl::Click();
    if (GetFocus() == hWnd)
        SetLook(true);
    else if (!lDefault)
        SetLook(false);
}

Answer TButton::GotFocus(HWND hWndLost) {
    SetLook(true);
    return TControl::GotFocus(hWndLost);
}

Answer TButton::LostFocus(HWND hWndGetFocus) {
    if (!lDefault) SetLook(false);
    return TControl::LostFocus(hWndGetFocus);
}

Answer TButton::KeyDown(int nKey, LPARAM nFlags) {
    const auto parent = Parent();
    if (parent) parent->nLastKey = nKey;
    switch (nKey) {
        case VK_UP:
        case VK_LEFT:
        case VK_DOWN:
        case VK_RIGHT:
        case VK_RETURN:
            if (bKeyDown)
                bKeyDown(nKey, nFlags);
            else if (nKey == VK_RETURN)
                PostMessageA(hWnd, LM_CLICK, 0, 0);
            else if (parent)
                nKey == VK_UP || nKey == VK_LEFT ? parent->GoPrevCtrl(hWnd) : parent->GoNextCtrl(hWnd);
            return Answer::Number(0);
        default: return TControl::KeyDown(nKey, nFlags);
    }
}

Answer TButton::LButtonUp(int nRow, int nCol, WPARAM nKeyFlags) {
    if (OnClick) OnClick(*this);
    const Answer inherited = TControl::LButtonUp(nRow, nCol, nKeyFlags);
    return lDrag ? inherited : Answer::Nil();  // the class procedure makes the click from the release
}

Answer TButton::MouseMove(int nRow, int nCol, WPARAM nKeyFlags) {
    TControl::MouseMove(nRow, nCol, nKeyFlags);
    return Answer::Nil();
}

void TButton::Initiate(HWND hDlg) {
    TControl::Initiate(hDlg);
    if (!hWnd) return;
    lDefault = (GetWindowLongPtrA(hWnd, GWL_STYLE) & BS_DEFPUSHBUTTON) != 0;
    lProcessing = false;
    // An in-memory template made the item with this text: setting it again would only redraw it.
    if (!cCaption.empty() && !HoldsWindowText(hWnd, cCaption)) SetText(cCaption);
}

}  // namespace corvix
