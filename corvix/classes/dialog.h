#pragma once
// TDialog: a window the system's dialog manager makes, from a dialog
// resource or from a template built here out of the controls defined in
// code; modal (Activate returns when it ends, with nResult) or modeless (the
// main loop gives it keyboard navigation). On WM_INITDIALOG it attaches its
// controls; it turns the dialog manager's commands into control clicks and
// validates before it lets the dialog end.

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "corvix/classes/window.h"

namespace corvix {

class TBrush;
class TFont;
class TIcon;

class TDialog : public TWindow {
public:
    // The 20 arguments of New, in their order. Coordinates are rows of 15.1
    // and columns of 7.9 pixels unless lPixels; a width or height makes them
    // pixels, with nRight := nWidth and nBottom := nHeight.
    struct NewArgs {
        double nTop = 0;
        double nLeft = 0;
        double nBottom = 10;
        double nRight = 40;
        std::optional<std::string> cTitle;  // empty: a resource dialog keeps its own caption
        Value cResName;                     // a resource name or number; NIL for a template built here
        HINSTANCE hResources = nullptr;     // default: the program's resources
        bool lVbx = false;
        DWORD nStyle = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
        std::optional<COLORREF> nClrText;  // default: the button-text colour
        std::optional<COLORREF> nClrBack;  // default: the button-face colour
        std::shared_ptr<TBrush> oBrush;
        std::shared_ptr<TWindow> oWnd;  // the owner
        bool lPixels = false;
        std::shared_ptr<TIcon> oIcon;
        std::string cIcon;  // an icon file, else an icon resource, when no icon object is given
        std::shared_ptr<TFont> oFont;
        Value nHelpId;
        int nWidth = 0;
        int nHeight = 0;
        bool lTransparent = false;
    };

    // The 10 arguments of Activate, in their order. Each replaces the member
    // of its name, so a caller keeps a callback by passing it back in.
    struct ActivateArgs {
        MouseCallback bLClicked;
        std::function<Answer(int nRow, int nCol)> bMoved;
        PaintCallback bPainted;
        bool lCentered = false;
        std::function<bool()> bValid;
        bool lModal = true;
        // Answers Logical(false) when it has placed the focus itself.
        std::function<Answer(TWindow&)> bInit;
        MouseCallback bRClicked;
        std::function<bool()> bWhen;
        bool lResize16 = false;
    };

    Value cResName;
    std::string cResData;  // a ready template for a modal dialog, used instead of building one
    HINSTANCE hResources = nullptr;
    bool lCentered = false;
    bool lModal = false;
    bool lModify = false;
    std::function<void()> bStart;  // runs once, after the first paint
    // Context help: empty or true puts the help button on the title bar; true
    // while the user is choosing a control to get help for.
    std::optional<bool> lHelpIcon;
    bool lResize16 = false;
    bool lTransparent = false;
    bool lVbx = false;
    std::function<void(bool lActive, TDialog&)> bNcActivate;

    TDialog() = default;
    ~TDialog() override;

    static std::shared_ptr<TDialog> New(const NewArgs& args,
                                        std::source_location where = std::source_location::current());
    static std::shared_ptr<TDialog> New(std::source_location where = std::source_location::current()) {
        return New(NewArgs{}, where);
    }
    // A light constructor: no class registration, no controls, not the default window.
    void Define(int nTop, int nLeft, int nBottom, int nRight, const std::string& cCaption, DWORD nStyle,
                bool lVbx = false, std::optional<COLORREF> nClrText = std::nullopt,
                std::optional<COLORREF> nClrBack = std::nullopt, std::shared_ptr<TBrush> oBrush = nullptr);
    std::string ClassName() const override { return "TDIALOG"; }

    void Activate(const ActivateArgs& args, std::source_location where = std::source_location::current());
    void Activate(std::source_location where = std::source_location::current()) { Activate(ActivateArgs{}, where); }
    // Ends the dialog with nResult once bValid lets it; false when refused
    // or when there is no window to end.
    bool End(int nResult);
    bool End() override { return End(IDCANCEL); }
    // Lists a control defined before the window exists; an identifier already
    // listed is "Duplicated Id" (code 2) and the control is not listed.
    void DefControl(std::shared_ptr<TWindow> oCtrl) override;
    // The in-memory template: a header for the dialog, one item per control.
    std::string cToChar(HWND hWndParent);
    // WM_INITDIALOG: attaches the controls and applies font, position,
    // caption and icon; answers whether the dialog manager sets the focus.
    Answer Initiate(HWND hWndFocus, HWND hDlg);
    // Sets the font on the dialog and on each of its child windows.
    void SetFont(std::shared_ptr<TFont> oNewFont);
    // An in-memory dialog's rectangle is its template's, in dialog units, and
    // stays so: each run is built from it. Others follow their window.
    void CoorsUpdate() override;

    Answer HandleEvent(UINT nMsg, WPARAM wParam, LPARAM lParam) override;
    Answer Display();
    Answer Paint() override;
    Answer EraseBkGnd(HDC hDCBack) override;
    Answer Command(WPARAM wParam, LPARAM lParam) override;
    Answer Close(WPARAM nResult) override;
    // The dialog manager keeps the focus on its controls: nothing is moved here.
    Answer GotFocus(HWND hWndLost) override;
    Answer LostFocus(HWND hWndNew) override;
    Answer KeyDown(int nKey, LPARAM nFlags) override;
    Answer KeyChar(int nKey, LPARAM nFlags) override;
    Answer MouseMove(int nRow, int nCol, WPARAM nKeyFlags) override;
    Answer SysCommand(WPARAM nCmd, LPARAM nLParam) override;
    Answer Help(WPARAM wParam, LPARAM pHelpInfo) override;
    Answer NcActivate(bool lActivating) override;
    Answer QueryEndSession() override;
    Answer Destroy() override;
    // The title-bar help button, unless lHelpIcon is false.
    void Help95() const;
    // The first enabled direct child, not hWndExclude, whose text has "&" and
    // nChar; past a label, the next window that is not one. 0 when none.
    HWND GetHotPos(int nChar, HWND hWndExclude = nullptr) const;
    HWND GetItem(int nItemId) const { return GetDlgItem(hWnd, nItemId); }
    void SetControl(std::shared_ptr<TWindow> oCtrl);
    void ChangeFocus() const;
    void AdjTop() const;

private:
    bool lCaptionGiven_ = false;
    bool lFontTaken_ = false;  // this run's font came from the window or the owner
    bool lInitiated_ = false;
    bool lRunningModal_ = false;  // its modal loop runs, even after End has let the window go
    bool InMemory() const { return cResName.IsNil() && cResData.empty(); }
    // The owner's window; else the active window inside another dialog or a
    // running program; else the application window.
    HWND ParentForActivation() const;
    void RunModal(HWND hWndParent);
    void RunModeless(HWND hWndParent);
    void CreationError() const;
    void StoreActivateArgs(const ActivateArgs& a);
    // A click on another control is dropped while the focused one is invalid.
    bool ClickDropped(int nId, HWND hWndCtl) const;
    bool HasControl(int nId) const;
    bool EscapeEnds() const;
    void Widen16();
    void MakeControlsTransparent();
    // Each control finds its item and takes it over, in the order they were defined.
    void AttachControls();
};

// The switch that lets Escape end a dialog; returns the value before and
// changes it only when given one.
bool SETDIALOGESC(std::optional<bool> lOnOff = std::nullopt);
// Activations of dialogs in progress.
int DialogActivations();

}  // namespace corvix
