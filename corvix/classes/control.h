#pragma once
// TControl: what every child control shares. Identifiers from one counter
// for the whole process; a window made at once on a parent that has one, or
// attached later to the item a dialog made (Initiate); focus bookkeeping in
// the parent with the When/Valid protocol, validation deferred by a posted
// LM_VALIDATE; keyboard navigation; the colours answered to the parent; and
// docking in the parent (nAlign).

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "corvix/classes/window.h"

namespace corvix {

class TControl : public TWindow {
public:
    // Reads the edited value when called with nothing, writes it with a value.
    std::function<Value(const std::optional<Value>&)> bSetGet;
    std::function<void()> bChange;
    std::function<void(int nRow, int nCol, WPARAM nKeyFlags, TControl&)> bDragBegin;
    std::function<void(int nKey, LPARAM nFlags, TControl&)> bSysKeyDown;
    bool lCaptured = false;
    bool lDrag = false;  // design mode
    bool lMouseDown = false;
    bool lUpdate = false;
    bool l3DLook = false;
    bool l97Look = false;
    bool lTransparent = false;
    int nLastRow = 0, nLastCol = 0;
    int nMResize = 0;
    int nClientBevel = 0;
    std::optional<LRESULT> nDlgCode;  // the answer to WM_GETDLGCODE; empty lets the class decide
    std::weak_ptr<TWindow> oJump;     // takes the focus after the next good validation

    // The last identifier handed out, one counter for every control class.
    static int nInitID;
    // Design mode: the rubber band's current corner (x column, y row), and the
    // eight resize handles, one set for the whole process.
    static std::optional<POINT> nPoint;
    static std::vector<std::shared_ptr<TWindow>>& aDots();
    static const std::vector<std::string> aProperties;
    // 101, 102, ... 30000, then 100, 101, ...
    static int GetNewId();

    // Parent's last navigation key after a mouse press.
    static constexpr int kMouseKey = 1002;

    Value VarGet() const { return bSetGet ? bSetGet(std::nullopt) : Value(); }
    void VarPut(const Value& xValue) const {
        if (bSetGet) bSetGet(xValue);
    }

    // A control a dialog resource already defines: the parent lists it.
    void Redefine(int nNewId, std::shared_ptr<TWindow> oParent);
    // Attaches the object to the item with its identifier in hDlg; an item
    // the dialog lacks is "Non defined Id" (code 1).
    virtual void Initiate(HWND hDlg);
    void Default();
    // This control as one item of an in-memory dialog template; the rectangle
    // goes into dialog units, and empty members get their defaults first
    // (class: ClassName(), identifier: GetNewId(), style: visible tab stop).
    virtual std::string cToChar(std::string cClsName = "");
    // Leaves the parent's controls and closes the window when lValid.
    bool End() override;

    Answer HandleEvent(UINT nMsg, WPARAM wParam, LPARAM lParam) override;

    // ---- focus and validation ----
    Answer GotFocus(HWND hWndLost) override;
    virtual Answer KillFocus(HWND hWndGetFocus);
    Answer LostFocus(HWND hWndGetFocus) override;
    // Runs after the focus change has completed (LM_VALIDATE).
    void CXLostFocus(HWND hWndGetFocus);
    void ForWhen();
    // Passes the focus on when bWhen fails.
    void SetFocus() override;
    Answer GetDlgCode(WPARAM nKey) override;

    // ---- keyboard ----
    Answer KeyChar(int nKey, LPARAM nFlags) override;
    Answer KeyDown(int nKey, LPARAM nFlags) override;
    virtual Answer KeyUp(int, LPARAM) { return Answer::Nil(); }
    virtual Answer SysChar(int nKey, LPARAM nFlags);
    // Alt+letter goes to the default processing (the dialog manager's
    // mnemonics); the folder pages' own mnemonics are not built yet.
    Answer SysCommand(WPARAM, LPARAM) override { return Answer::Nil(); }
    virtual Answer SysKeyDown(int nKey, LPARAM nFlags);

    // ---- what subclasses extend ----
    virtual void Click();
    virtual Answer Change() { return Answer::Nil(); }
    // The window class paints a control unless a subclass displays it itself.
    virtual Answer Display() { return Answer::Nil(); }
    // Keeps the stored rectangle with the window, right and bottom inclusive as
    // Create reads them. On a dialog it stays the template's, whose units are
    // not the window's pixels.
    void CoorsUpdate() override;
    // In design mode the focused control's handles follow it.
    void Move(int nNewTop, int nNewLeft, int nNewWidth = 0, int nNewHeight = 0, bool lRepaint = true) override;
    using TWindow::nHeight;
    using TWindow::nWidth;
    void nWidth(int nNewWidth) override;
    void nHeight(int nNewHeight) override;
    // The values an inspector offers for a property; "nAlign" has its six names.
    std::vector<std::string> Inspect(const std::string& cName) const;
    void ChangeFocus() const;

    // ---- colours: one brush for the life of the control ----
    virtual Answer Colors(HDC hDCCtl);
    Answer EraseBkGnd(HDC hDCCtl) override;
    bool l3D() const { return l3DLook; }
    void l3D(bool lOnOff) { Set3DLook(lOnOff); }
    void Set3DLook(bool lOnOff);

    // Without nHelpId, NIL: the control has no help of its own.
    Answer HelpTopic() override;

    // ---- docking: 0 no parent, 1 none, 2 top, 3 left, 4 bottom, 5 right, 6 client ----
    int nAlign() const;
    void nAlign(int nNewAlign);
    // Dock the window now, between the parent's bar (or top control) and its
    // message bar (or bottom control); the client one also between left and right.
    void AdjTop();
    void AdjBottom();
    void AdjLeft();
    void AdjRight();
    void AdjClient();

    // ---- mouse: drag and drop, and design mode ----
    Answer LButtonDown(int nRow, int nCol, WPARAM nKeyFlags) override;
    Answer LButtonUp(int nRow, int nCol, WPARAM nKeyFlags) override;
    Answer MouseMove(int nRow, int nCol, WPARAM nKeyFlags) override;
    Answer LDblClick(int nRow, int nCol, WPARAM nKeyFlags) override;
    void DragBegin(int nRow, int nCol, WPARAM nKeyFlags);

    // ---- design mode: moved and resized with the mouse, on the grid ----
    // Moves the control onto the grid; makes the handles once per process.
    void CheckDots();
    // The handles around this control, taken over from another parent if need be.
    void ShowDots();
    static void HideDots();
    // Starts a resize by handle nHandle (1..8, clockwise from the top-left) from its window.
    void MResize(int nHandle, HWND hDot);

protected:
    // Moves and sizes the window and keeps the rectangle with it.
    void Place(int nNewTop, int nNewLeft, int nNewWidth, int nNewHeight);
    // Creates the window on a parent that has one, or leaves the control to
    // the parent's DefControl; a control with no parent at all is an error.
    void CreateOrDefine(const std::string& cClsName);

private:
    // Docks with one of the WNDADJ natives between the parent's top and bottom neighbours.
    void DockBetween(void (*dock)(HWND, HWND, HWND));
    // A drag in progress ends when another window takes the mouse.
    void CaptureChanged(HWND hWndNew);
    // In design mode the focused control's handles follow it.
    void FollowDots();
    void DrawBand(POINT at) const;
    Answer DesignRelease();
};

// The row or column of a mouse message as the signed 16-bit value it is:
// 65535 is -1, one pixel left of or above the control.
constexpr int SignedCoordinate(WORD n) { return static_cast<short>(n); }

}  // namespace corvix
