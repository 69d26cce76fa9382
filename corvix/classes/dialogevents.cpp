// TDialog: the message methods, commands, Escape, context help and mnemonics.

#include <algorithm>
#include <cctype>
#include <utility>

#include "corvix/classes/brush.h"
#include "corvix/classes/dialog.h"
#include "corvix/classes/menu.h"
#include "corvix/native/lmessages.h"
#include "corvix/native/wnddock.h"

namespace corvix {

namespace {

bool servingHelp = false;

std::string WindowClassOf(HWND hWnd) {
    char name[64] = {};
    GetClassNameA(hWnd, name, sizeof name);
    return name;
}

bool IsLabel(HWND hWnd) { return _stricmp(WindowClassOf(hWnd).c_str(), "STATIC") == 0; }

std::string LowerText(HWND hWnd) {
    std::string text(static_cast<size_t>(GetWindowTextLengthA(hWnd)) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(hWnd, text.data(), static_cast<int>(text.size()))));
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

// Serves one help request at a time.
class HelpScope {
public:
    HelpScope() { servingHelp = true; }
    ~HelpScope() { servingHelp = false; }
    HelpScope(const HelpScope&) = delete;
    HelpScope& operator=(const HelpScope&) = delete;
};

}  // namespace

Answer TDialog::HandleEvent(UINT nMsg, WPARAM wParam, LPARAM lParam) {
    const auto handle = [&] {
        switch (nMsg) {
            case WM_INITDIALOG: return Initiate(reinterpret_cast<HWND>(wParam), reinterpret_cast<HWND>(lParam));
            case WM_PAINT: return hWnd ? Display() : Answer::Nil();  // ended: the dialog manager validates
            case WM_PRINTCLIENT:
                PrintClient(reinterpret_cast<HDC>(wParam));
                return Answer::Number(1);
            case WM_LBUTTONDOWN:
                if (lHelpIcon == true) {
                    Help(0, 0);
                    return Answer::Nil();
                }
                return TWindow::HandleEvent(nMsg, wParam, lParam);
            default: return TWindow::HandleEvent(nMsg, wParam, lParam);
        }
    };
    // A modal dialog's messages come through its dialog procedure, not the dispatch.
    return lModal ? RunAtLevel(oDefined, handle) : handle();
}

// ---- painting ----

Answer TDialog::Display() {
    BeginPaint();
    struct EndOnExit {
        TDialog& dialog;
        ~EndOnExit() { dialog.EndPaint(); }
    };
    {
        const EndOnExit end{*this};
        Paint();
    }
    if (bStart) std::exchange(bStart, nullptr)();
    return Answer::Logical(false);
}

Answer TDialog::Paint() { return bPainted ? bPainted(hDC, cPS, *this) : Answer::Nil(); }

Answer TDialog::EraseBkGnd(HDC hDCBack) {
    if (bEraseBkGnd) {
        bEraseBkGnd(hDCBack);
        return Answer::Number(1);
    }
    if (!oBrush || !oBrush->hBrush) return Answer::Nil();
    RECT client{};
    GetClientRect(hWnd, &client);
    FillRect(hDCBack, &client, oBrush->hBrush);
    return Answer::Number(1);
}

// ---- commands ----

Answer TDialog::Command(WPARAM wParam, LPARAM lParam) {
    const WORD code = HIWORD(wParam), id = LOWORD(wParam);
    const auto hWndCtl = reinterpret_cast<HWND>(lParam);
    if (hWndCtl && WindowClassOf(hWndCtl) == "ToolbarWindow32") return TWindow::Command(wParam, lParam);
    if (id == 0) return Answer::Nil();
    if (MenuCommand(wParam, lParam)) return Answer::Nil();
    switch (code) {
        case BN_CLICKED:
            if (hWndCtl && id != IDCANCEL) {
                if (ClickDropped(id, hWndCtl)) break;
                if (HasControl(id))
                    SendMessageA(hWndCtl, LM_CLICK, 0, 0);
                else if (id == IDOK)
                    End(IDOK);
            } else if (id == IDOK) {
                GoNextCtrl(GetFocus());  // Enter with no default button
            } else if (hWndCtl && HasControl(id)) {
                SendMessageA(hWndCtl, LM_CLICK, 0, 0);  // a Cancel button of ours is clicked like any other
            } else {
                End(IDCANCEL);  // Escape, or the close box
            }
            break;
        case 1: SendMessageA(hWndCtl, LM_CHANGE, 0, 0); break;
        case 8: SendMessageA(hWndCtl, LM_CLOSEUP, 0, 0); break;
        default: break;
    }
    return Answer::Nil();
}

// nResult holds the control that has the focus while the dialog runs.
bool TDialog::ClickDropped(int nClickedId, HWND hWndCtl) const {
    const auto focused = std::dynamic_pointer_cast<TWindow>(nResult.AsObject());
    if (!focused || focused->nId == nClickedId) return false;
    if (const auto clicked = OWNDFROMHWND(hWndCtl); clicked && clicked->lCancel) return false;
    return !focused->lValid();
}

// ---- focus and keyboard ----

Answer TDialog::GotFocus(HWND hWndLost) {
    lFocused = true;
    if (bGotFocus) bGotFocus(*this, hWndLost);
    return Answer::Nil();
}

Answer TDialog::LostFocus(HWND hWndNew) {
    lFocused = false;
    if (bLostFocus) bLostFocus(*this, hWndNew);
    return Answer::Nil();
}

// Escape may end a dialog with no owner, or one owned from inside another dialog.
bool TDialog::EscapeEnds() const {
    const auto owner = Parent();
    if (!owner) return true;
    for (auto w = owner; w; w = w->Parent())
        if (dynamic_cast<const TDialog*>(w.get())) return true;
    return false;
}

Answer TDialog::KeyDown(int nKey, LPARAM nFlags) {
    if (nKey != VK_ESCAPE || !EscapeEnds()) return TWindow::KeyDown(nKey, nFlags);
    if (SETDIALOGESC()) End();
    return Answer::Nil();
}

Answer TDialog::KeyChar(int nKey, LPARAM nFlags) {
    if (nKey != VK_ESCAPE) return TWindow::KeyChar(nKey, nFlags);
    if (!Parent()) return Answer::Nil();  // its KeyDown has dealt with it
    if (!EscapeEnds()) return TWindow::KeyChar(nKey, nFlags);
    if (SETDIALOGESC()) End();
    return Answer::Nil();
}

HWND TDialog::GetHotPos(int nChar, HWND hWndExclude) const {
    const std::string mnemonic{'&', static_cast<char>(std::tolower(nChar))};
    for (HWND child = GetWindow(hWnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (child == hWndExclude || GetParent(child) != hWnd || !IsWindowEnabled(child)) continue;
        if (LowerText(child).find(mnemonic) == std::string::npos) continue;
        while (child && IsLabel(child)) child = GetWindow(child, GW_HWNDNEXT);  // a label names what follows it
        return child;
    }
    return nullptr;
}

void TDialog::ChangeFocus() const { PostMessageA(hWnd, LM_CHANGEFOCUS, 0, 0); }

// ---- mouse, system commands and help ----

Answer TDialog::MouseMove(int nRow, int nCol, WPARAM nKeyFlags) {
    if (lHelpIcon == false) ShowCursor();  // while choosing a control for help the system's cursor stays
    SetMsg(cMsg);
    CheckToolTip();
    return bMMoved ? bMMoved(nRow, nCol, nKeyFlags) : Answer::Logical(false);
}

Answer TDialog::SysCommand(WPARAM nCmd, LPARAM nLParam) {
    switch (nCmd & 0xFFF0) {
        case SC_CLOSE:
            if (!lModal) break;
            if (GetCapture()) ReleaseCapture();
            return Answer::Logical(false);
        case SC_CONTEXTHELP: lHelpIcon = true; return Answer::Nil();  // the system enters help mode
        default: break;
    }
    return TWindow::SysCommand(nCmd, nLParam);
}

Answer TDialog::Help(WPARAM, LPARAM pHelpInfo) {
    const auto* info = reinterpret_cast<const HELPINFO*>(pHelpInfo);
    const auto hCtl = info ? static_cast<HWND>(info->hItemHandle) : nullptr;
    lHelpIcon = false;
    if (servingHelp) return Answer::Nil();
    const HelpScope serving;
    const auto control = std::find_if(aControls.begin(), aControls.end(),
                                      [hCtl](const auto& c) { return hCtl && c->hWnd == hCtl && !c->nHelpId.IsNil(); });
    if (control != aControls.end())
        (*control)->HelpTopic();
    else
        HelpTopic();
    return Answer::Number(1);
}

// The session may end once the dialog has closed. A modal dialog answers
// through its dialog procedure, where false asks for the system's default.
Answer TDialog::QueryEndSession() {
    // A modeless dialog's End only asks it to close: its bValid is asked here.
    if (!lModal && !lValid()) return Answer::Number(FALSE);
    const bool ended = End();
    if (lModal) return Answer::Logical(!ended);
    return Answer::Number(ended ? TRUE : FALSE);
}

Answer TDialog::NcActivate(bool lActivating) {
    if (bNcActivate) bNcActivate(lActivating, *this);
    return Answer::Nil();
}

void TDialog::SetControl(std::shared_ptr<TWindow> oCtrl) {
    oClient = std::move(oCtrl);
    ReSize();
}

void TDialog::AdjTop() const { WNDADJTOP(hWnd); }

}  // namespace corvix
