// TWindow: the window table, construction, colours, fonts and geometry.

#include "corvix/classes/window.h"

#include <algorithm>
#include <utility>

#include "corvix/classes/brush.h"
#include "corvix/classes/colorstring.h"
#include "corvix/classes/font.h"
#include "corvix/classes/icon.h"
#include "corvix/classes/reference.h"
#include "corvix/classes/scrollbar.h"
#include "corvix/function/cxerror.h"
#include "corvix/native/ansitext.h"
#include "corvix/native/eventloop.h"
#include "corvix/native/wndpos.h"
#include "corvix/native/wndproc.h"
#include "corvix/native/wrappers.h"
#include "corvix/runtime/args.h"
#include "corvix/runtime/registry.h"

namespace corvix {

int TWindow::nToolTip = 900;
const std::vector<std::string> TWindow::aProperties = {"cTitle", "cVarName", "nClrText", "nClrPane",
                                                       "bClrGrad", "nTop", "nLeft", "nWidth",
                                                       "nHeight", "Cargo", "oMenu", "oFont"};
const std::vector<std::vector<std::string>> TWindow::aEvents = {
    {"OnClick", "nRow", "nCol", "nKeyFlags"}, {"OnMouseMove", "nRow", "nCol", "nKeyFlags"},
    {"OnKeyDown", "nKey", "nFlags"}, {"OnMove"}, {"OnPaint"}, {"OnResize"}};

namespace {

std::weak_ptr<TWindow> defaultWindow;
// Every slot of the window table below this one is taken: Link looks from here.
size_t firstFreeSlot = 0;
bool balloonTips = false;
bool alphaBlending = true;
Value dropInfo;

void RegisterDispatchOnce() {
    static const bool registered = [] {
        SetSlotDispatch(&CXH, &DispatchToSlot, &SlotPreviousProcOf);
        return true;
    }();
    (void)registered;
}

DWORD StyleFrom(const TWindow::NewArgs& a) {
    DWORD style = WS_CLIPCHILDREN;
    if (a.cBorder == "NONE") style |= WS_POPUP;
    if (a.cBorder == "SINGLE") style |= WS_THICKFRAME;
    if (a.lCaption) {
        style |= WS_CAPTION;
        if (a.lSysMenu) style |= WS_SYSMENU;
        if (a.lMin) style |= WS_MINIMIZEBOX;
        if (a.lMax) style |= WS_MAXIMIZEBOX;
    }
    if (a.lVScroll) style |= WS_VSCROLL;
    if (a.lHScroll) style |= WS_HSCROLL;
    return style;
}

std::string LastErrorText() {
    char text[512] = {};
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, GetLastError(), 0, text,
                   sizeof text, nullptr);
    return text;
}

}  // namespace

// ---- window table ----

std::set<std::string>& TWindow::aRegistered() {
    static std::set<std::string> names;
    return names;
}

std::vector<std::shared_ptr<TWindow>>& TWindow::aWindows() {
    static std::vector<std::shared_ptr<TWindow>> table;
    return table;
}

void TWindow::Link(bool lSubclass) {
    if (!hWnd) return;
    auto self = weak_from_this().lock();  // the table shares the object
    if (!self) {
        RaiseError(LibraryError("Window object not held by a std::shared_ptr", "Link: " + cCaption));
        return;
    }
    RegisterDispatchOnce();
    auto& table = aWindows();
    size_t slot = std::min(firstFreeSlot, table.size());
    while (slot < table.size() && table[slot]) ++slot;
    if (slot == table.size()) table.emplace_back();
    table[slot] = std::move(self);
    firstFreeSlot = slot + 1;
    nSlot_ = slot + 1;
    // Subclassed only now, so the first message already finds the object.
    if (lSubclass) nOldProc = XCHANGEPROC(hWnd, static_cast<LONG_PTR>(slot + 1));
}

void TWindow::UnLink() {
    auto& table = aWindows();
    // Its own slot at once; a slot found by its window only when the table changed meanwhile.
    const bool own = nSlot_ > 0 && nSlot_ <= table.size() && table[nSlot_ - 1].get() == this;
    const auto found = own ? table.begin() + static_cast<std::ptrdiff_t>(nSlot_ - 1)
                           : std::find_if(table.begin(), table.end(),
                                          [this](const auto& w) { return w && w->hWnd == hWnd; });
    WNDPROC replaced = nullptr;
    if (nOldProc && hWnd) {
        replaced = RESTPROC(hWnd, *nOldProc);
        nOldProc.reset();
    }
    // Reset last: it may drop the final reference to this object.
    const auto keepAlive = weak_from_this().lock();
    if (found != table.end()) {
        firstFreeSlot = std::min(firstFreeSlot, static_cast<size_t>(found - table.begin()));
        found->reset();
    }
    nSlot_ = 0;
    XFREEPROC(replaced);
}

int TWindow::SlotIndex() const {
    const auto& table = aWindows();
    for (size_t i = 0; i < table.size(); ++i)
        if (table[i].get() == this) return static_cast<int>(i + 1);
    return 0;
}

TWindow* LinkedObject(HWND hWnd) {
    if (reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hWnd, GWLP_WNDPROC)) != &ObjectWndProc) return nullptr;
    const LONG_PTR nIndex = GetWindowLongPtrA(hWnd, GWLP_USERDATA);
    const auto& table = TWindow::aWindows();
    if (nIndex <= 0 || static_cast<size_t>(nIndex) > table.size()) return nullptr;
    TWindow* object = table[static_cast<size_t>(nIndex - 1)].get();
    return object && object->hWnd == hWnd ? object : nullptr;
}

std::shared_ptr<TWindow> OWNDFROMHWND(HWND hWnd) {
    for (const auto& w : TWindow::aWindows())
        if (w && w->hWnd == hWnd) return w;
    return nullptr;
}

std::shared_ptr<TWindow> WNDMAIN() {
    const HWND app = GETWNDAPP();
    return app ? OWNDFROMHWND(app) : nullptr;
}

int NWINDOWS() { return static_cast<int>(TWindow::aWindows().size()); }

std::vector<std::shared_ptr<TWindow>>& GETALLWIN() { return TWindow::aWindows(); }

void SETWNDDEFAULT(std::shared_ptr<TWindow> oWnd) { defaultWindow = oWnd; }

bool SETBALLOON(bool lOnOff) { return std::exchange(balloonTips, lOnOff); }
bool SETALPHA(bool lOnOff) { return std::exchange(alphaBlending, lOnOff); }
void SETDROPINFO(Value xInfo) { dropInfo = std::move(xInfo); }
Value GETDROPINFO() { return std::exchange(dropInfo, Value()); }

std::shared_ptr<TWindow> GETWNDDEFAULT() { return defaultWindow.lock(); }

namespace {

// The object in a slot (numbered from 1), or null.
const std::shared_ptr<TWindow>& ObjectInSlot(LONG_PTR nIndex) {
    static const std::shared_ptr<TWindow> none;
    const auto& table = TWindow::aWindows();
    if (nIndex <= 0 || static_cast<size_t>(nIndex) > table.size()) return none;
    return table[static_cast<size_t>(nIndex - 1)];
}

}  // namespace

const DispatchResult* DispatchToSlot(UINT nMsg, WPARAM wParam, LPARAM lParam, LONG_PTR nIndex) {
    // A strong reference for the length of HandleEvent: WM_DESTROY unlinks from inside it.
    const std::shared_ptr<TWindow> object = ObjectInSlot(nIndex);
    if (!object) return nullptr;
    DispatchResult& pair = DispatchResult::Get();
    pair.answer = RunAtLevel(object->oDefined, [&] { return object->HandleEvent(nMsg, wParam, lParam); });
    pair.nOldProc = object->nOldProc.value_or(nullptr);
    return &pair;
}

WNDPROC SlotPreviousProcOf(LONG_PTR nIndex, HWND hWnd) {
    const auto& object = ObjectInSlot(nIndex);
    return object && object->hWnd == hWnd ? object->nOldProc.value_or(nullptr) : nullptr;
}

Value CXH(Args args) {
    const DispatchResult* pair =
        DispatchToSlot(static_cast<UINT>(args.Integer(1)), static_cast<WPARAM>(args.Integer(2)),
                       static_cast<LPARAM>(args.Integer(3)), static_cast<LONG_PTR>(args.Integer(4)));
    return pair ? Value(DispatchResult::Shared()) : Value();
}

// ---- construction ----

std::shared_ptr<TWindow> TWindow::New(const NewArgs& a, std::source_location where) {
    auto w = std::make_shared<TWindow>();
    w->oDefined = CallLevel::At(where);
    w->Init(a);
    return w;
}

void TWindow::Init(const NewArgs& a) {
    nStyle = a.nStyle ? a.nStyle : StyleFrom(a);
    const double rows = a.lPixel ? 1 : 16, cols = a.lPixel ? 1 : 8;
    nTop = static_cast<int>(a.nTop * rows);
    nLeft = static_cast<int>(a.nLeft * cols);
    nBottom = static_cast<int>(a.nBottom * rows);
    nRight = static_cast<int>(a.nRight * cols);
    cCaption = a.cTitle;
    oCursor = a.oCursor;
    oWnd = a.oWnd;
    oIcon = a.oIcon ? a.oIcon : (a.cIcon.empty() ? nullptr : TIcon::FromName(a.cIcon));
    lVisible = true;
    nLastKey = 0;
    lValidating = false;
    Register();
    Create();
    if (a.oMenu) SetMenu(a.oMenu);
    MakeFrameBars();
    SetColor(a.nClrFore.value_or(GetSysColor(COLOR_WINDOWTEXT)), a.nClrBack.value_or(GetSysColor(COLOR_WINDOW)),
             a.oBrush);
    if (!a.cColors.empty()) SetColor(a.cColors, a.oBrush);  // an unreadable string keeps the colours above
    GetFont();
    SETWNDDEFAULT(weak_from_this().lock());
}

void TWindow::Register(UINT nClsStyle) {
    if (lRegistered()) return;
    if (!nClrPane) nClrPane = GetSysColor(COLOR_WINDOW);
    if (!oBrush) oBrush = TBrush::New({.nRGBColor = *nClrPane});
    nClsStyle |= CS_GLOBALCLASS | CS_DBLCLKS;
    WNDCLASSA existing{};
    if (GetClassInfoA(GetModuleHandleA(nullptr), ClassName().c_str(), &existing)) {
        aRegistered().insert(ClassName());
        return;
    }
    if (!REGISTERCLASS(ClassName(), nClsStyle, 0, 0, nullptr, nullptr, oBrush->hBrush, "", nullptr,
                       oIcon ? oIcon->hIcon : nullptr))
        return;
    aRegistered().insert(ClassName());
    // The class paints with this brush and shows this icon as long as the process lives.
    static std::vector<std::shared_ptr<TBrush>> classBrushes;
    static std::vector<std::shared_ptr<TIcon>> classIcons;
    classBrushes.emplace_back();
    HoldReference(classBrushes.back(), oBrush);
    if (oIcon) classIcons.push_back(oIcon);
}

void TWindow::Create(std::string cClsName) {
    if (cClsName.empty()) cClsName = ClassName();
    if (!nStyle) nStyle = WS_OVERLAPPEDWINDOW;
    const auto parent = Parent();
    if (parent) nStyle |= WS_CHILD;
    const bool useDefault = nBottom == static_cast<int>(CW_USEDEFAULT);
    hWnd = CREATEWINDOW(cClsName, cCaption, nStyle, nLeft, nTop, useDefault ? nRight : nRight - nLeft + 1,
                        useDefault ? nBottom : nBottom - nTop + 1, parent ? parent->hWnd : nullptr,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(nId)));
    if (!hWnd) {
        WNDCREATEERROR(*this, cClsName);
        return;
    }
    Link();
}

void TWindow::MakeFrameBars() {
    const auto self = weak_from_this().lock();
    if (nStyle & WS_VSCROLL) oVScroll = TScrollBar::WinNew({.lVertical = true, .oWnd = self});
    if (nStyle & WS_HSCROLL) oHScroll = TScrollBar::WinNew({.lVertical = false, .oWnd = self});
}

void WNDCREATEERROR(const TWindow& oWnd, const std::string& cClsName) {
    const std::string text = "\r\nClass: " + cClsName + "\r\nCaption: " + oWnd.cCaption + "\r\nSystem Error: " +
                             LastErrorText();
    RaiseError(*CXGENERROR(6, text));
}

// ---- colours and fonts ----

void TWindow::SetColor(std::optional<COLORREF> nClrFore, std::optional<COLORREF> nClrBack,
                       std::shared_ptr<TBrush> oNewBrush) {
    nClrText = nClrFore;
    nClrPane = nClrBack;
    if (oNewBrush)
        HoldReference(oBrush, std::move(oNewBrush));
    else
        AdoptReference(oBrush, TBrush::New({.nRGBColor = nClrBack}));
}

void TWindow::SetColor(const std::string& cColors, std::shared_ptr<TBrush> oNewBrush) {
    const auto colours = ParseColorString(cColors);
    if (!colours) return;  // unreadable: the colours stay as they are
    SetColor(colours->nFore, colours->nBack, std::move(oNewBrush));
}

void TWindow::SetFont(std::shared_ptr<TFont> oNewFont) {
    if (!oNewFont) return;
    HoldReference(oFont, std::move(oNewFont));
    SENDMESSAGE(hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(oFont->hFont), 0);
}

std::shared_ptr<TFont> TWindow::GetFont() {
    if (oFont) return oFont;
    if (const auto parent = Parent(); parent && parent->oFont) {
        HoldReference(oFont, parent->oFont);
        SENDMESSAGE(hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(oFont->hFont), 0);
        return oFont;
    }
    if (const auto handle = reinterpret_cast<HFONT>(SENDMESSAGE(hWnd, WM_GETFONT))) {
        // Someone else's handle: wrapped, never deleted here.
        auto wrapped = std::make_shared<TFont>();
        const FontInfo info = GETFONTINFO(handle);
        wrapped->hFont = handle;
        wrapped->cFaceName = info.cFaceName;
        wrapped->nInpHeight = info.nHeight;
        wrapped->lBold = info.lBold;
        wrapped->nWeight = info.lBold ? 700 : 400;
        wrapped->lDestroy = false;
        wrapped->nCount = 1;
        nChrHeight = info.nHeight;
        nChrWidth = info.nWidth;
        oFont = wrapped;
        return oFont;
    }
    // This window is a holder like any other: the reference New gave it stays,
    // so a second window sharing the font keeps it alive when this one goes.
    oFont = TFont::New({.cFaceName = GETFONTINFO(static_cast<HFONT>(GetStockObject(SYSTEM_FONT))).cFaceName,
                        .nHeight = -12});
    return oFont;
}

void TWindow::AddControl(std::shared_ptr<TWindow> oCtrl) {
    aControls.push_back(std::move(oCtrl));
    lValidating = false;
}

void TWindow::DefControl(std::shared_ptr<TWindow> oCtrl) { AddControl(std::move(oCtrl)); }

// ---- geometry ----

void TWindow::CoorsUpdate() {
    const RectArray r = GETCOORS(hWnd);
    nTop = r.nTop;
    nLeft = r.nLeft;
    nBottom = r.nBottom;
    nRight = r.nRight;
}

int TWindow::nWidth() const { return hWnd ? WNDWIDTH(hWnd) : nRight - nLeft + 1; }
void TWindow::nWidth(int nNewWidth) { WNDWIDTH(hWnd, nNewWidth); }
int TWindow::nHeight() const { return hWnd ? WNDHEIGHT(hWnd) : nBottom - nTop + 1; }
void TWindow::nHeight(int nNewHeight) { WNDHEIGHT(hWnd, nNewHeight); }

std::string TWindow::cTitle() const { return GETWINDOWTEXT(hWnd); }

void TWindow::cTitle(const std::string& cNewTitle) {
    SetWindowTextA(hWnd, cNewTitle.c_str());
    cCaption = cNewTitle;
}

void TWindow::Move(int nNewTop, int nNewLeft, int nNewWidth, int nNewHeight, bool lRepaint) {
    MoveWindow(hWnd, nNewLeft, nNewTop, nNewWidth ? nNewWidth : nWidth(), nNewHeight ? nNewHeight : nHeight(),
               lRepaint);
    CoorsUpdate();
}

void TWindow::SetSize(int nNewWidth, int nNewHeight, bool lRepaint) {
    SetWindowPos(hWnd, nullptr, 0, 0, nNewWidth, nNewHeight,
                 SWP_NOMOVE | SWP_NOZORDER | (lRepaint ? 0 : SWP_NOREDRAW));
    CoorsUpdate();
}

void TWindow::SetCoors(const RectArray& oRect) {
    SetBounds(oRect.nTop, oRect.nLeft, oRect.nBottom, oRect.nRight);
    nTop = oRect.nTop;
    nLeft = oRect.nLeft;
    nBottom = oRect.nBottom;
    nRight = oRect.nRight;
}

void TWindow::SetBounds(int nNewTop, int nNewLeft, int nNewBottom, int nNewRight) {
    SetWindowPos(hWnd, nullptr, nNewLeft, nNewTop, nNewRight - nNewLeft, nNewBottom - nNewTop, SWP_NOZORDER);
}

RectArray TWindow::GetCliRect() const { return GETCLIENTRECT(hWnd); }
RectArray TWindow::GetRect() const { return GETWNDRECT(hWnd); }

HDC TWindow::GetDC() {
    if (!hWnd) return nullptr;  // ::GetDC(0) would be the whole screen
    if (!hDC) hDC = ::GetDC(hWnd);
    ++nPaintCount;
    return hDC;
}

void TWindow::ReleaseDC() {
    if (!hWnd && !hDC) return;
    if (--nPaintCount > 0) return;
    nPaintCount = 0;
    if (hDC) ::ReleaseDC(hWnd, hDC);
    hDC = nullptr;
}

// ---- drawing and messages ----

void TWindow::Say(int nRow, int nCol, const std::string& cText, std::optional<COLORREF> nClrFore,
                  std::optional<COLORREF> nClrBack, bool lPixel) {
    if (!hWnd) return;  // GetDC(0) would be the whole screen
    HDC dc = GetDC();
    const int y = lPixel ? nRow : nRow * std::max(nChrHeight, 16);
    const int x = lPixel ? nCol : nCol * std::max(nChrWidth, 8);
    HGDIOBJ previousFont = oFont && oFont->hFont ? SelectObject(dc, oFont->hFont) : nullptr;
    SetTextColor(dc, nClrFore.value_or(nClrText.value_or(GetSysColor(COLOR_WINDOWTEXT))));
    SetBkColor(dc, nClrBack.value_or(nClrPane.value_or(GetSysColor(COLOR_WINDOW))));
    TextOutAnsi(dc, x, y, cText);
    if (previousFont) SelectObject(dc, previousFont);
    ReleaseDC();
}

void TWindow::SayRect(const RectArray& aRect, const std::string& cText, UINT nFlags) {
    if (!hWnd) return;
    DRAWTEXT(GetDC(), cText, aRect, nFlags);
    ReleaseDC();
}

void TWindow::Box(int nBoxTop, int nBoxLeft, int nBoxBottom, int nBoxRight) {
    if (!hWnd) return;
    HDC dc = GetDC();
    HGDIOBJ previous = SelectObject(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, nBoxLeft, nBoxTop, nBoxRight + 1, nBoxBottom + 1);
    SelectObject(dc, previous);
    ReleaseDC();
}

void TWindow::Line(int nFromTop, int nFromLeft, int nToBottom, int nToRight) {
    if (!hWnd) return;
    HDC dc = GetDC();
    MoveToEx(dc, nFromLeft, nFromTop, nullptr);
    LineTo(dc, nToRight, nToBottom);
    ReleaseDC();
}

void TWindow::SetPixel(int nX, int nY, COLORREF nColor) {
    if (!hWnd) return;
    ::SetPixel(GetDC(), nX, nY, nColor);
    ReleaseDC();
}

void TWindow::Circle(int nRow, int nCol, int nCircleWidth, int nCircleHeight) {
    if (!hWnd) return;
    HDC dc = GetDC();
    Ellipse(dc, nCol, nRow, nCol + nCircleWidth, nRow + (nCircleHeight ? nCircleHeight : nCircleWidth));
    ReleaseDC();
}

void TWindow::FloodFill(int nRow, int nCol, COLORREF nBorderColor, HBRUSH hBrush) {
    if (!hWnd) return;
    HDC dc = GetDC();
    HGDIOBJ previous = hBrush ? SelectObject(dc, hBrush) : nullptr;
    ExtFloodFill(dc, nCol, nRow, nBorderColor, FLOODFILLBORDER);
    if (previous) SelectObject(dc, previous);
    ReleaseDC();
}

void TWindow::SetBrush(std::shared_ptr<TBrush> oNewBrush) {
    HoldReference(oBrush, std::move(oNewBrush));
    Refresh();
}

void TWindow::SetIcon(std::shared_ptr<TIcon> oNewIcon) {
    // The old icon goes on return, once the window no longer shows it.
    const auto previous = std::exchange(oIcon, std::move(oNewIcon));
    if (!hWnd) return;
    const auto icon = reinterpret_cast<LPARAM>(oIcon ? oIcon->hIcon : nullptr);
    if (SendMessageA(hWnd, WM_GETICON, ICON_SMALL, 0)) SendMessageA(hWnd, WM_SETICON, ICON_SMALL, icon);
    SendMessageA(hWnd, WM_SETICON, ICON_BIG, icon);
}

void TWindow::Center(const TWindow* oOver) {
    RECT area{};
    if (oOver && oOver->hWnd)
        GetWindowRect(oOver->hWnd, &area);
    else
        GetWindowRect(GetDesktopWindow(), &area);
    const int w = nWidth(), h = nHeight();
    POINT corner{area.left + (area.right - area.left - w) / 2, area.top + (area.bottom - area.top - h) / 2};
    if (HWND parent = GetParent(hWnd); parent && (nStyle & WS_CHILD)) ScreenToClient(parent, &corner);
    SetWindowPos(hWnd, nullptr, corner.x, corner.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

void TWindow::ClientEdge() const {
    SetWindowLongPtrA(hWnd, GWL_EXSTYLE, GetWindowLongPtrA(hWnd, GWL_EXSTYLE) | WS_EX_CLIENTEDGE);
    SetWindowPos(hWnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
}

void TWindow::ToolWindow() const {
    SetWindowLongPtrA(hWnd, GWL_EXSTYLE, GetWindowLongPtrA(hWnd, GWL_EXSTYLE) | WS_EX_TOOLWINDOW);
    SetWindowPos(hWnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
}

int TWindow::ChildLevel() const {
    int level = 0;
    for (auto w = Parent(); w; w = w->Parent()) ++level;
    return level;
}

int TWindow::nGetChrHeight() {
    HDC dc = GetDC();
    HGDIOBJ previous = oFont && oFont->hFont ? SelectObject(dc, oFont->hFont) : nullptr;
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    if (previous) SelectObject(dc, previous);
    ReleaseDC();
    nChrHeight = metrics.tmHeight;
    return nChrHeight;
}

int TWindow::GetWidth(const std::string& cText) {
    HDC dc = GetDC();
    HGDIOBJ previous = oFont && oFont->hFont ? SelectObject(dc, oFont->hFont) : nullptr;
    const SIZE size = TextExtent(dc, cText);
    if (previous) SelectObject(dc, previous);
    ReleaseDC();
    return size.cx;
}

int TWindow::Caps(int nIndex) const {
    HDC dc = ::GetDC(hWnd);
    const int value = GetDeviceCaps(dc, nIndex);
    ::ReleaseDC(hWnd, dc);
    return value;
}

LRESULT TWindow::SendMsg(UINT nMsg, WPARAM wParam, LPARAM lParam) const {
    return SENDMESSAGE(hWnd, nMsg, wParam, lParam);
}

bool TWindow::PostMsg(UINT nMsg, WPARAM wParam, LPARAM lParam) const {
    return POSTMESSAGE(hWnd, nMsg, wParam, lParam);
}

}  // namespace corvix
