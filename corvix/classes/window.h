#pragma once
// TWindow: the object that owns a window. Its slot in the window table is
// the index the window carries, so each message finds it in O(1); the
// message is decoded once, in HandleEvent, and sent to a virtual message
// method that subclasses override.

#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "corvix/native/dispbuffer.h"
#include "corvix/native/geometry.h"
#include "corvix/native/messagetarget.h"
#include "corvix/runtime/args.h"
#include "corvix/runtime/calllevel.h"

namespace corvix {

class TBrush;
class TCursor;
class TFont;
class TIcon;
class TMenu;
class TMenuItem;
class TScrollBar;

class TWindow : public Object, public MessageTarget, public std::enable_shared_from_this<TWindow> {
public:
    // Callbacks that answer: the left-button, move and wheel callbacks answer
    // the message (NIL lets the previous procedure run, a number goes back as
    // it is); the paint callback answers Paint; the right- and middle-button
    // callbacks' answers are not used.
    using MouseCallback = std::function<Answer(int nRow, int nCol, WPARAM nKeyFlags, TWindow&)>;
    using PaintCallback = std::function<Answer(HDC, const PAINTSTRUCT&, TWindow&)>;
    using KeyCallback = std::function<Answer(int nKey, LPARAM nFlags)>;

    // The 21 arguments of New, in their order. Coordinates are text rows and
    // columns (16 x 8 pixels) unless lPixel.
    struct NewArgs {
        double nTop = 2;
        double nLeft = 2;
        double nBottom = 20;
        double nRight = 70;
        std::string cTitle;
        DWORD nStyle = 0;  // 0: built from the border, box and scroll-bar arguments
        std::shared_ptr<TMenu> oMenu;
        std::shared_ptr<TBrush> oBrush;
        std::shared_ptr<TIcon> oIcon;
        std::string cIcon;  // an icon file or resource name, when no icon object is given
        std::shared_ptr<TWindow> oWnd;  // the parent
        bool lVScroll = false;
        bool lHScroll = false;
        std::optional<COLORREF> nClrFore;  // the window text colour
        std::optional<COLORREF> nClrBack;  // the window colour
        std::string cColors;               // classic "W+/B" notation; overrides both colours
        std::shared_ptr<TCursor> oCursor;
        std::string cBorder = "SINGLE";
        bool lSysMenu = true;
        bool lCaption = true;
        bool lMin = true;
        bool lMax = true;
        bool lPixel = false;
    };

    // The 19 arguments of Activate that TWindow uses.
    struct ActivateArgs {
        std::string cShow = "NORMAL";  // "HIDDEN", "NORMAL", "ICONIZED", "MAXIMIZED"
        MouseCallback bLClicked;
        MouseCallback bRClicked;
        PaintCallback bPainted;
        std::function<void()> bUp, bDown, bPgUp, bPgDn, bLeft, bRight, bPgLeft, bPgRight;
        std::function<bool()> bValid;
        std::function<void(int nRow, int nCol, const std::vector<std::string>& aFiles)> bDropFiles;
    };

    TWindow() = default;
    ~TWindow() override = default;

    // ---- data ----
    HWND hWnd = nullptr;
    // The procedure installed before the library's; empty when not subclassed.
    std::optional<WNDPROC> nOldProc;

    // A dialog's answers Logical(false) when it has placed the focus itself.
    std::function<Answer(TWindow&)> bInit;
    std::function<Answer(int nRow, int nCol)> bMoved;
    MouseCallback bLClicked, bLButtonUp, bRClicked, bRButtonUp, bMButtonDown, bMButtonUp, bLDblClick;
    KeyCallback bKeyDown, bKeyChar;
    PaintCallback bPainted;
    std::function<void(HDC)> bEraseBkGnd;
    std::function<Answer(int nKeys, int nDelta, int nX, int nY)> bMouseWheel;
    std::function<Answer(int nRow, int nCol, WPARAM nKeyFlags)> bMMoved;
    std::function<void(WPARAM nSizeType, int nWidth, int nHeight)> bResized;
    std::function<bool()> bWhen, bValid;
    std::function<Answer(TWindow&, HWND hWndLost)> bGotFocus;
    std::function<Answer(TWindow&, HWND hWndNew)> bLostFocus;
    std::function<void(int nRow, int nCol, const std::vector<std::string>& aFiles)> bDropFiles;
    std::function<void(const Value& xDropInfo, int nRow, int nCol, LPARAM nPacked)> bDropOver;
    std::function<Answer(WPARAM, LPARAM)> bCommNotify, bTaskBar;
    std::function<void(WPARAM, LPARAM)> bSocket;
    // The selected item (null when none of ours) and the message's other two arguments.
    std::function<void(const std::shared_ptr<TMenuItem>& oItem, int nFlags, LPARAM lParam)> bMenuSelect;
    std::function<void(HWND hWndClient, const std::string& cCommand)> bDdeExecute;
    // Edit-command hooks, run by the methods of the same names.
    std::function<Value(TWindow&)> bCopy, bDelete, bFind, bFindNext, bPaste, bProperties, bReDo, bReplace,
        bSelectAll, bUnDo;
    std::function<Value()> bCut;
    std::function<Value(const Value&)> bZip, bUnZip;

    CallLevel oDefined;  // where the program made this object: the call level of its messages
    std::string cCaption;
    std::string cToolTip;
    HWND hToolTip = nullptr;  // the tooltip window while one is shown
    std::string cVarName;
    std::string cMsg;
    Value Cargo;
    HDC hDC = nullptr;
    PAINTSTRUCT cPS{};
    int nPaintCount = 0;
    int nId = 0;
    bool lActive = true;
    bool lCancel = false;  // a Cancel button: focus moving to it skips validation
    bool lFocused = false;
    bool lVisible = false;
    bool lValidating = false;
    int nTop = 0, nLeft = 0, nBottom = 0, nRight = 0;  // pixels, bottom and right included
    DWORD nStyle = 0;
    DWORD nExStyle = 0;
    int nChrHeight = 0, nChrWidth = 0;
    int nLastKey = 0;
    std::optional<COLORREF> nClrText, nClrPane;
    Value nResult;
    HWND hCtlFocus = nullptr;
    std::weak_ptr<TWindow> oCtlFocus;  // the control that last had the focus
    Value nHelpId;                     // a help topic name or number
    std::vector<std::shared_ptr<TWindow>> aControls;
    std::optional<MINMAXINFO> aMinMaxInfo;
    std::shared_ptr<TBrush> oBrush;
    std::shared_ptr<TFont> oFont;
    std::shared_ptr<TIcon> oIcon;
    std::shared_ptr<TCursor> oCursor;
    std::shared_ptr<TMenu> oMenu;     // the menu bar
    std::shared_ptr<TMenu> oSysMenu;  // the system menu, once the program changes it
    std::shared_ptr<TMenu> oPopup;    // the pop-up menu being tracked
    std::weak_ptr<TMenuItem> oMItemSelect;  // the menu item under the cursor
    std::shared_ptr<TScrollBar> oVScroll, oHScroll;  // the frame bars, with WS_VSCROLL and WS_HSCROLL
    std::shared_ptr<TCursor> oDragCursor;  // shown while a control of this window is dragged
    std::shared_ptr<TWindow> oMsgBar, oTop, oLeft, oBottom, oRight, oClient, oBar;
    // The parent. It does not keep the parent alive: a child object may
    // outlive its parent, and then finds it gone.
    std::weak_ptr<TWindow> oWnd;

    // ---- class-level ----
    // The window-class names registered so far, one entry per class name.
    static std::set<std::string>& aRegistered();
    static int nToolTip;
    static const std::vector<std::string> aProperties;
    static const std::vector<std::vector<std::string>> aEvents;
    static std::vector<std::shared_ptr<TWindow>>& aWindows();

    // ---- construction (creation, colours, fonts) ----
    // Each keeps where the program made the window (oDefined).
    static std::shared_ptr<TWindow> New(const NewArgs& args,
                                        std::source_location where = std::source_location::current());
    static std::shared_ptr<TWindow> New(std::source_location where = std::source_location::current()) {
        return New(NewArgs{}, where);
    }
    // New's work on an object made by the caller, so subclasses construct the
    // same way: auto w = std::make_shared<MyWindow>(); w->Init({...});
    void Init(const NewArgs& args);
    std::string ClassName() const override { return "TWINDOW"; }
    // Registers the window class named ClassName() once per name; the class
    // keeps its background brush and icon for the life of the process.
    virtual void Register(UINT nClsStyle = CS_VREDRAW | CS_HREDRAW);
    bool lRegistered() const { return aRegistered().contains(ClassName()); }
    void Create(std::string cClsName = "");
    // Scroll-bar objects for the frame bars nStyle asks for (WS_VSCROLL, WS_HSCROLL).
    void MakeFrameBars();
    void SetColor(std::optional<COLORREF> nClrFore, std::optional<COLORREF> nClrBack,
                  std::shared_ptr<TBrush> oNewBrush = nullptr);
    // "W+/B": letters N B G BG R RB GR W, "+" bright; foreground "/" background.
    void SetColor(const std::string& cColors, std::shared_ptr<TBrush> oNewBrush = nullptr);
    virtual void SetFont(std::shared_ptr<TFont> oNewFont);
    std::shared_ptr<TFont> GetFont();
    void AddControl(std::shared_ptr<TWindow> oCtrl);
    // A control for a window that does not exist yet: listed now, attached
    // when the window comes (dialogs attach them as their window is made).
    virtual void DefControl(std::shared_ptr<TWindow> oCtrl);

    // ---- window table ----
    // Takes a slot in the window table and subclasses the window; an object
    // not held by a std::shared_ptr cannot be shared by the table and is
    // reported to the error handler (code 6) instead.
    void Link(bool lSubclass = true);
    void UnLink();
    int SlotIndex() const;

    // ---- geometry ----
    virtual void CoorsUpdate();
    int nWidth() const;
    virtual void nWidth(int nNewWidth);
    int nHeight() const;
    virtual void nHeight(int nNewHeight);
    std::string cTitle() const;
    void cTitle(const std::string& cNewTitle);
    virtual void Move(int nTop, int nLeft, int nWidth = 0, int nHeight = 0, bool lRepaint = true);
    void SetSize(int nWidth, int nHeight, bool lRepaint = true);
    void SetCoors(const RectArray& oRect);
    void SetBounds(int nTop, int nLeft, int nBottom, int nRight);
    RectArray GetCliRect() const;
    RectArray GetRect() const;
    // The window's device context, counted; null when there is no window.
    HDC GetDC();
    void ReleaseDC();

    // ---- drawing and messages (nothing is drawn when there is no window) ----
    void Say(int nRow, int nCol, const std::string& cText, std::optional<COLORREF> nClrFore = std::nullopt,
             std::optional<COLORREF> nClrBack = std::nullopt, bool lPixel = false);
    void SayRect(const RectArray& aRect, const std::string& cText, UINT nFlags = DT_LEFT | DT_TOP);
    void Box(int nTop, int nLeft, int nBottom, int nRight);
    void Line(int nTop, int nLeft, int nBottom, int nRight);
    void SetPixel(int nX, int nY, COLORREF nColor);
    void Circle(int nRow, int nCol, int nWidth, int nHeight = 0);
    void FloodFill(int nRow, int nCol, COLORREF nBorderColor, HBRUSH hBrush = nullptr);
    std::string GetText() const { return cTitle(); }
    void SetText(const std::string& cText) { cTitle(cText); }
    void SetBrush(std::shared_ptr<TBrush> oNewBrush);
    void SetIcon(std::shared_ptr<TIcon> oNewIcon);
    void Update() const { UpdateWindow(hWnd); }
    void Capture() const { SetCapture(hWnd); }
    // Centres on oWnd, or on the desktop.
    void Center(const TWindow* oOver = nullptr);
    void KillFocus(HWND hWndNew) const { PostMessageA(hWnd, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hWndNew), 0); }
    void ClientEdge() const;
    void ToolWindow() const;
    // The parent object, or null when there is none or it is gone.
    std::shared_ptr<TWindow> Parent() const { return oWnd.lock(); }
    int ChildLevel() const;
    int nGetChrHeight();
    int GetWidth(const std::string& cText);
    int nVertRes() const { return Caps(VERTRES); }
    int nHorzRes() const { return Caps(HORZRES); }
    // Edit commands: the hook of the same name, or NIL without one.
    Value Copy() { return bCopy ? bCopy(*this) : Value(); }
    Value Cut() { return bCut ? bCut() : Value(); }
    Value Delete() { return bDelete ? bDelete(*this) : Value(); }
    Value Find() { return bFind ? bFind(*this) : Value(); }
    Value FindNext() { return bFindNext ? bFindNext(*this) : Value(); }
    Value Paste() { return bPaste ? bPaste(*this) : Value(); }
    Value Properties() { return bProperties ? bProperties(*this) : Value(); }
    Value ReDo() { return bReDo ? bReDo(*this) : Value(); }
    Value Replace() { return bReplace ? bReplace(*this) : Value(); }
    Value SelectAll() { return bSelectAll ? bSelectAll(*this) : Value(); }
    Value UnDo() { return bUnDo ? bUnDo(*this) : Value(); }
    Value Zip(const Value& x) { return bZip ? bZip(x) : Value(); }
    Value UnZip(const Value& x) { return bUnZip ? bUnZip(x) : Value(); }
    LRESULT SendMsg(UINT nMsg, WPARAM wParam = 0, LPARAM lParam = 0) const;
    bool PostMsg(UINT nMsg, WPARAM wParam = 0, LPARAM lParam = 0) const;

    // ---- message decoding and the message methods ----
    Answer HandleEvent(UINT nMsg, WPARAM wParam, LPARAM lParam) override;

    virtual Answer BeginPaint();
    virtual Answer Paint();
    virtual Answer EndPaint();
    DisplayBuffer DispBegin();
    void DispEnd(const DisplayBuffer& aInfo);
    virtual Answer EraseBkGnd(HDC) { return Answer::Number(1); }
    // WM_PRINTCLIENT: the background and bPainted into the DC given, so that
    // a transparent control can show this window's image under it.
    Answer PrintClient(HDC hDCTarget);
    // oCursor, else the arrow.
    void ShowCursor() const;
    virtual Answer Command(WPARAM wParam, LPARAM lParam);
    virtual Answer CtlColor(HWND hWndCtl, HDC hDCCtl);
    virtual Answer DrawItem(WPARAM nIdCtl, LPARAM pDrawItem);
    virtual Answer MeasureItem(WPARAM nIdCtl, LPARAM pMeasureItem);
    virtual Answer Notify(WPARAM nIdCtl, LPARAM pNmHdr);
    virtual Answer VScroll(WPARAM wParam, LPARAM lParam);
    virtual Answer HScroll(WPARAM wParam, LPARAM lParam);
    virtual Answer GotFocus(HWND hWndLosing);
    virtual Answer LostFocus(HWND hWndNew);
    virtual Answer NcActivate(bool lActivating);
    virtual Answer KeyDown(int nKey, LPARAM nFlags);
    virtual Answer KeyChar(int nKey, LPARAM nFlags);
    void GoNextCtrl(HWND hCtl);
    void GoPrevCtrl(HWND hCtl);
    virtual Answer LButtonDown(int nRow, int nCol, WPARAM nKeyFlags);
    virtual Answer LButtonUp(int nRow, int nCol, WPARAM nKeyFlags);
    virtual Answer LDblClick(int nRow, int nCol, WPARAM nKeyFlags);
    virtual Answer RButtonDown(int nRow, int nCol, WPARAM nKeyFlags);
    virtual Answer RButtonUp(int nRow, int nCol, WPARAM nKeyFlags);
    virtual Answer MButtonDown(int nRow, int nCol, WPARAM nKeyFlags);
    virtual Answer MButtonUp(int nRow, int nCol, WPARAM nKeyFlags);
    virtual Answer MouseMove(int nRow, int nCol, WPARAM nKeyFlags);
    virtual Answer MouseWheel(int nKeys, int nDelta, int nX, int nY);
    // Shows the text on the message bar (or the parent's); a bar overrides it to display.
    virtual void SetMsg(const std::string& cText, bool lDefault = false);
    virtual Answer Moved(int nRow, int nCol);
    virtual Answer ReSize(WPARAM nSizeType = 0, int nWidth = 0, int nHeight = 0);
    virtual Answer GetMinMaxInfo(LPARAM pMinMaxInfo);
    virtual Answer SysCommand(WPARAM nCmd, LPARAM nLParam);
    virtual Answer Timer(WPARAM nTimerId, LPARAM nParam);
    virtual Answer DropFiles(HDROP hDrop);
    virtual Answer QueryDragIcon();
    virtual Answer DropOver(int nRow, int nCol, LPARAM nPacked);
    virtual Answer CommNotify(WPARAM wParam, LPARAM lParam);
    virtual Answer AsyncSelect(WPARAM wParam, LPARAM lParam);
    virtual Answer TaskBar(WPARAM wParam, LPARAM lParam);
    virtual Answer MenuSelect(WORD nItem, int nFlags, LPARAM lParam);
    virtual Answer InitMenuPopup(HMENU hMenu, int nPos, bool lSysMenu);
    // A key pressed in an open menu: the entry whose prompt has that mnemonic.
    virtual Answer MenuChar(WORD nChar, int nFlags, LPARAM hMenu);
    // F1 in an open menu: the selected item's help, else the window's.
    virtual Answer HelpF1();
    // The window shows the menu as its menu bar and makes its shortcut keys current.
    void SetMenu(std::shared_ptr<TMenu> oNewMenu);
    virtual Answer DdeExecute(WPARAM hWndClient, LPARAM hCommands);
    virtual Answer QueryNewPalette() { return IsIconic(hWnd) ? Answer::Number(0) : Answer::Nil(); }
    virtual Answer GetDlgCode(WPARAM) { return Answer::Nil(); }
    virtual Answer NcMouseMove(WPARAM, int, int) { return Answer::Nil(); }
    virtual Answer Help(WPARAM, LPARAM) { return Answer::Nil(); }
    // The help of nHelpId: a topic name opens the help file there, a number
    // its pop-up; without one, the help file's contents.
    virtual Answer HelpTopic();
    virtual Answer Close(WPARAM) { return Answer::Nil(); }
    virtual Answer QueryEndSession();
    virtual Answer Destroy();

    // ---- tooltips ----
    // Shows cToolTip in a tooltip window at nRow, nCol of the client area.
    void ShowToolTip(int nRow, int nCol);
    // Shows cToolTip under the client area; a subclass may choose the text and place.
    virtual void ShowToolTip();
    void DestroyToolTip();
    // Shows the tooltip unless one is up.
    void CheckToolTip();

    // ---- activation, display and closing ----
    void Activate(const ActivateArgs& args, std::source_location where = std::source_location::current());
    void Activate(std::source_location where = std::source_location::current()) { Activate(ActivateArgs{}, where); }
    void Hide() const { ShowWindow(hWnd, SW_HIDE); }
    void Normal() const { ShowWindow(hWnd, SW_SHOWNORMAL); }
    void Maximize() const { ShowWindow(hWnd, SW_SHOWMAXIMIZED); }
    void Minimize() const { ShowWindow(hWnd, SW_MINIMIZE); }
    void Show() const { ShowWindow(hWnd, SW_SHOWNA); }
    void Restore() const { ShowWindow(hWnd, SW_RESTORE); }
    void Iconize() const { CloseWindow(hWnd); }
    void Enable();
    void Disable();
    // Without a window nothing: InvalidateRect(0) would repaint the whole screen.
    void Refresh(bool lErase = true) const {
        if (hWnd) InvalidateRect(hWnd, nullptr, lErase);
    }
    void GoTop() const { BringWindowToTop(hWnd); }
    virtual void SetFocus();
    bool lValid() const { return !bValid || bValid(); }
    bool lWhen() const { return !bWhen || bWhen(); }
    // Posts WM_CLOSE when the validity test passes; answers the test.
    virtual bool End();
    // Enables each control whose bWhen passes and disables the others.
    void AEvalWhen();

    // The show command of a show state: its position in the list minus one (-1 when not in it).
    static int ShowCommand(const std::string& cShow);

protected:
    // Menus and accelerators send no control window: the command goes to the
    // pop-up or else the menu bar that owns its identifier; true when one did.
    bool MenuCommand(WPARAM wParam, LPARAM lParam);

private:
    size_t nSlot_ = 0;  // the table slot Link gave, counted from 1; 0 when unlinked
    // The background (bEraseBkGnd or the brush), then bPainted, into a DC.
    Answer PaintClient(HDC hDCTarget);
    int Caps(int nIndex) const;
    void LayOutDocked();
    void FocusControl(size_t index);
    // The item of a menu entry, from the tracked pop-up, the system menu or the menu bar.
    std::shared_ptr<TMenuItem> FindMenuItem(UINT nId);
    // The tracked or kept pop-up when it owns hMenu (or a sub-menu of it is
    // hMenu), else the menu bar.
    std::shared_ptr<TMenu> MenuOwning(HMENU hMenu) const;
};

// The first object whose window is hWnd, or null.
std::shared_ptr<TWindow> OWNDFROMHWND(HWND hWnd);
// The object hWnd's messages go to, found through the index the window
// keeps, in constant time; null when the window is not linked.
TWindow* LinkedObject(HWND hWnd);
// The object of the application window, or null.
std::shared_ptr<TWindow> WNDMAIN();
// Slots in the table, free ones included.
int NWINDOWS();
// The table itself.
std::vector<std::shared_ptr<TWindow>>& GETALLWIN();
// The default window: the last window object created.
void SETWNDDEFAULT(std::shared_ptr<TWindow> oWnd);
std::shared_ptr<TWindow> GETWNDDEFAULT();

// The dispatch function the native window procedure finds as "_CXH":
// answers the shared result pair, or NIL for index 0 or a free slot.
Value CXH(Args args);  // registered as "_CXH"
// The same without Values, which the window procedure calls while "_CXH" is CXH.
const DispatchResult* DispatchToSlot(UINT nMsg, WPARAM wParam, LPARAM lParam, LONG_PTR nIndex);
// The previous window procedure of the object in the slot, when it owns hWnd; else null.
WNDPROC SlotPreviousProcOf(LONG_PTR nIndex, HWND hWnd);

// The balloon-tooltip and alpha-blending switches; each returns the value before.
bool SETBALLOON(bool lOnOff);
bool SETALPHA(bool lOnOff);
// What a dragged control carries to the window it is dropped on; reading clears it.
void SETDROPINFO(Value xInfo);
Value GETDROPINFO();

// Reports a window that could not be created to the error handler (code 6).
void WNDCREATEERROR(const TWindow& oWnd, const std::string& cClsName);

}  // namespace corvix
