// TDialog: construction, the in-memory template, activation, WM_INITDIALOG
// and ending. The message methods are in dialogevents.cpp.

#include "corvix/classes/dialog.h"

#include <algorithm>
#include <cstdio>
#include <string_view>
#include <utility>

#include "corvix/classes/brush.h"
#include "corvix/classes/control.h"
#include "corvix/classes/font.h"
#include "corvix/classes/icon.h"
#include "corvix/classes/reference.h"
#include "corvix/classes/scrollbar.h"
#include "corvix/function/cxerror.h"
#include "corvix/native/bitmaps.h"
#include "corvix/native/dlgitems.h"
#include "corvix/native/dlgproc.h"
#include "corvix/native/dlgtemplate.h"
#include "corvix/native/eventloop.h"
#include "corvix/native/msgbox.h"
#include "corvix/native/wndpos.h"

namespace corvix {

namespace {

constexpr double kRowPixels = 15.1;
constexpr double kColumnPixels = 7.9;
constexpr double kWiden16 = 1.16668;
constexpr int kCreationFailed = 65535;
constexpr const char* kTableFull = "Not possible to create more non-modal Dialogs";
constexpr const char* kVbxLibrary = "BIVBX10.DLL";

int activations = 0;

// Counts an activation for as long as it runs, however it ends.
class ActivationScope {
public:
    ActivationScope() { ++activations; }
    ~ActivationScope() { --activations; }
    ActivationScope(const ActivationScope&) = delete;
    ActivationScope& operator=(const ActivationScope&) = delete;
};

// The support library for the old custom controls; absent on current systems.
HMODULE LoadVbxLibrary() {
    const HMODULE library = LoadLibraryA(kVbxLibrary);
    if (!library) MSGALERT("Error code: " + std::to_string(GetLastError()) + " loading " + kVbxLibrary);
    return library;
}

void StartVbx() {
    using VbxInit = BOOL(WINAPI*)(HINSTANCE, LPCSTR);
    const HMODULE library = LoadVbxLibrary();
    const auto init = library ? reinterpret_cast<VbxInit>(reinterpret_cast<void*>(GetProcAddress(library, "VbxInit"))) : nullptr;
    if (!init || !init(GetModuleHandleA(nullptr), "")) MSGALERT("VBX support not available");
}

bool StartVbxDialog(HWND hDlg, HINSTANCE hResources, const Value& cResName) {
    using VbxInitDialog = BOOL(WINAPI*)(HWND, HINSTANCE, LPCSTR);
    const HMODULE library = GetModuleHandleA(kVbxLibrary);
    const auto init = library ? reinterpret_cast<VbxInitDialog>(reinterpret_cast<void*>(GetProcAddress(library, "VbxInitDialog"))) : nullptr;
    const std::string name = cResName.IsString() ? cResName.AsString() : "";
    return init && init(hDlg, hResources, name.c_str());
}

// Controls that paint their own background stay opaque.
bool KeepsItsBackground(const std::string& cClassName) {
    static constexpr std::string_view kOpaque[] = {"TGET",     "TMULTIGET", "TBTNBMP",  "TCOMBOBOX",
                                                   "TWBROWSE", "TCBROWSE",  "TXBROWSE", "TLISTBOX"};
    return std::find(std::begin(kOpaque), std::end(kOpaque), cClassName) != std::end(kOpaque);
}

std::string RightAligned(int64_t n, int width) {
    char text[32];
    std::snprintf(text, sizeof text, "%*lld", width, static_cast<long long>(n));
    return text;
}

}  // namespace

bool SETDIALOGESC(std::optional<bool> lOnOff) {
    static bool escapeEnds = true;
    const bool previous = escapeEnds;
    if (lOnOff) escapeEnds = *lOnOff;
    return previous;
}

int DialogActivations() { return activations; }

// ---- construction ----

std::shared_ptr<TDialog> TDialog::New(const NewArgs& a, std::source_location where) {
    auto d = std::make_shared<TDialog>();
    d->oDefined = CallLevel::At(where);
    double top = a.nTop, left = a.nLeft, bottom = a.nBottom, right = a.nRight;
    bool pixels = a.lPixels;
    if (a.nWidth || a.nHeight) {
        pixels = true;
        bottom = a.nHeight;
        right = a.nWidth;
    }
    d->cResName = a.cResName;
    d->cCaption = a.cTitle.value_or("");
    d->lCaptionGiven_ = a.cTitle.has_value();
    d->hResources = a.hResources ? a.hResources : GETRESOURCES();
    d->lModify = true;
    d->lVbx = a.lVbx;
    d->lVisible = false;
    d->nResult = Value(0);
    d->nStyle = a.nStyle;
    d->oWnd = a.oWnd;
    d->oIcon = a.oIcon ? a.oIcon : (a.cIcon.empty() ? nullptr : TIcon::FromName(a.cIcon));
    HoldReference(d->oFont, a.oFont);
    d->nLastKey = 0;
    d->nHelpId = a.nHelpId;
    d->lTransparent = a.lTransparent;
    d->SetColor(a.nClrText.value_or(GetSysColor(COLOR_BTNTEXT)), a.nClrBack.value_or(GetSysColor(COLOR_BTNFACE)),
                a.oBrush);
    const double rows = pixels ? 1 : kRowPixels, cols = pixels ? 1 : kColumnPixels;
    d->nTop = static_cast<int>(top * rows);
    d->nLeft = static_cast<int>(left * cols);
    d->nBottom = static_cast<int>(bottom * rows);
    d->nRight = static_cast<int>(right * cols);
    if (d->lVbx) StartVbx();
    d->Register(CS_VREDRAW | CS_HREDRAW);
    SETWNDDEFAULT(d);  // controls made next without a parent come to this dialog
    return d;
}

TDialog::~TDialog() {
    // A modal dialog keeps them between runs.
    DropReference(oBrush);
    DropReference(oFont);
}

void TDialog::Define(int nNewTop, int nNewLeft, int nNewBottom, int nNewRight, const std::string& cNewCaption,
                     DWORD nNewStyle, bool lNewVbx, std::optional<COLORREF> nClrFore,
                     std::optional<COLORREF> nClrBack, std::shared_ptr<TBrush> oNewBrush) {
    hWnd = nullptr;
    nTop = nNewTop;
    nLeft = nNewLeft;
    nBottom = nNewBottom;
    nRight = nNewRight;
    cCaption = cNewCaption;
    lCaptionGiven_ = true;
    nStyle = nNewStyle;
    lVbx = lNewVbx;
    nLastKey = 0;
    SetColor(nClrFore.value_or(GetSysColor(COLOR_BTNTEXT)), nClrBack.value_or(GetSysColor(COLOR_BTNFACE)),
             std::move(oNewBrush));
}

bool TDialog::HasControl(int nControlId) const {
    return std::any_of(aControls.begin(), aControls.end(), [nControlId](const auto& c) { return c->nId == nControlId; });
}

void TDialog::DefControl(std::shared_ptr<TWindow> oCtrl) {
    if (!oCtrl) return;
    if (!oCtrl->nId) oCtrl->nId = TControl::GetNewId();
    if (HasControl(oCtrl->nId)) {
        RaiseError(*CXGENERROR(2, "No: " + RightAligned(oCtrl->nId, 6)));
        return;
    }
    oCtrl->hWnd = nullptr;
    aControls.push_back(std::move(oCtrl));
}

// The header's rectangle is in dialog units from the parent window's
// corner; each control converts its own rectangle.
std::string TDialog::cToChar(HWND hWndParent) {
    const LONG base = GETDLGBASEUNITS();
    const int across = LOWORD(base), down = HIWORD(base);
    const RectArray parent = GETWNDRECT(hWndParent);
    std::string items;
    int count = 0;
    for (const auto& window : aControls) {
        const auto control = std::dynamic_pointer_cast<TControl>(window);
        if (!control) continue;
        const std::string item = control->cToChar();
        if (item.empty()) continue;
        items += item;
        ++count;
    }
    return CDLG2CHR(count, 8 * (nTop - parent.nTop) / down, 4 * (nLeft - parent.nLeft) / across,
                    8 * (nBottom - parent.nTop) / down, 4 * (nRight - parent.nLeft) / across, cCaption, nStyle) +
           items;
}

// ---- activation ----

void TDialog::Activate(const ActivateArgs& a, std::source_location where) {
    const auto self = shared_from_this();  // the dialog outlives its own callbacks
    RunAtLevel(CallLevel::At(where), [&] {
        if (lRunningModal_ || (hWnd && IsWindow(hWnd))) {
            // One window per object: a second would share its state and its table entry.
            RaiseError(LibraryError("Dialog already active", "Title: " + cCaption));
            return;
        }
        nLastKey = 0;
        const ActivationScope counted;
        const HWND parent = ParentForActivation();
        StoreActivateArgs(a);
        nResult = Value();
        lValidating = false;
        lVisible = true;
        if (bWhen && !bWhen()) {
            nResult = Value(IDCANCEL);
            lVisible = false;
            return;
        }
        if (lModal) {
            RunModal(parent);
            lVisible = false;
        } else {
            RunModeless(parent);
        }
    });
}

HWND TDialog::ParentForActivation() const {
    if (const auto owner = Parent()) return owner->hWnd;
    if (activations > 1 || LWRUNNING()) return GetActiveWindow();
    return GETWNDAPP();
}

void TDialog::StoreActivateArgs(const ActivateArgs& a) {
    lCentered = a.lCentered;
    lModal = a.lModal;
    bLClicked = a.bLClicked;
    bRClicked = a.bRClicked;
    bWhen = a.bWhen;
    bValid = a.bValid;
    bInit = a.bInit;
    bPainted = a.bPainted;
    bMoved = a.bMoved;
    lResize16 = a.lResize16;
}

void TDialog::RunModal(HWND hWndParent) {
    lRunningModal_ = true;
    const struct Ran {
        bool& running;
        ~Ran() { running = false; }
    } ran{lRunningModal_};
    const int result = !cResName.IsNil()
                           ? DIALOGBOX(hResources, cResName, hWndParent, this)
                           : DIALOGBOXINDIRECT(GetModuleHandleA(nullptr),
                                               cResData.empty() ? cToChar(hWndParent) : cResData, hWndParent, this);
    hWnd = nullptr;
    nResult = Value(result);
    if (result == kCreationFailed) CreationError();
}

void TDialog::RunModeless(HWND hWndParent) {
    const bool listed = !aControls.empty();  // only dialogs with controls need the keyboard
    if (listed && !CANREGDIALOG()) {
        MSGALERT(kTableFull);
        return;
    }
    lInitiated_ = false;
    const HWND created = !cResName.IsNil()
                             ? CREATEDLG(hResources, cResName, hWndParent, this)
                             : CREATEDLGINDIRECT(GetModuleHandleA(nullptr), cToChar(hWndParent), hWndParent, this);
    if (!created || !IsWindow(created)) {
        hWnd = nullptr;
        if (!lInitiated_) CreationError();  // else it ended itself from bInit
        return;
    }
    hWnd = created;
    if (listed && !REGDIALOG(hWnd)) {
        SendMessageA(hWnd, WM_CLOSE, 0, 0);
        MSGALERT(kTableFull);
        return;
    }
    ShowWindow(hWnd, SW_SHOWNORMAL);
}

void TDialog::CreationError() const {
    std::string source;
    if (cResName.IsNil())
        source = "Title: " + cCaption;
    else if (cResName.IsNumber())
        source = "Resource: " + RightAligned(cResName.AsInteger(), 10);
    else
        source = "Resource: " + cResName.AsString();
    RaiseError(*CXGENERROR(3, "\r\n" + std::string(22, ' ') + source));
}

// ---- WM_INITDIALOG ----

void TDialog::AttachControls() {
    const auto controls = aControls;  // an Initiate that fails may report, and the handler may change the list
    const DialogItems items(hWnd);
    for (const auto& window : controls)
        if (const auto control = std::dynamic_pointer_cast<TControl>(window)) control->Initiate(hWnd);
}

Answer TDialog::Initiate(HWND, HWND hDlg) {
    bool letManagerFocus = true;
    lInitiated_ = true;
    if (hDlg) hWnd = hDlg;
    if (!lModal) Link();
    if (lVbx && !StartVbxDialog(hWnd, hResources, cResName)) MSGALERT("Error on VBX's initialization");
    lFontTaken_ = !oFont;
    if (oFont)
        SetFont(oFont);
    else
        GetFont();
    if (lTransparent) MakeControlsTransparent();
    AttachControls();
    if (lResize16 && !cResName.IsNil()) Widen16();
    if (lCentered)
        WNDCENTER(hWnd);
    else if (InMemory())  // not Move: the stored rectangle is the template's, not the frame's
        SetWindowPos(hWnd, nullptr, nLeft, nTop, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (lCaptionGiven_) SetText(cCaption);
    if (!cResName.IsNil()) nStyle = static_cast<DWORD>(GetWindowLongPtrA(hWnd, GWL_STYLE));
    MakeFrameBars();
    if (oIcon && oIcon->hIcon) SendMessageA(hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(oIcon->hIcon));
    if (bInit && bInit(*this) == Answer::Logical(false)) letManagerFocus = false;
    Help95();
    AEvalWhen();
    return Answer::Logical(letManagerFocus);
}

void TDialog::SetFont(std::shared_ptr<TFont> oNewFont) {
    lFontTaken_ = false;  // the program's own font from now on: kept for the next run
    TWindow::SetFont(std::move(oNewFont));
    if (!oFont || !hWnd) return;
    // The font now set, not the one before: that one may be gone already.
    for (HWND child = GetWindow(hWnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(oFont->hFont), TRUE);
}

void TDialog::CoorsUpdate() {
    if (!InMemory()) TWindow::CoorsUpdate();
}

void TDialog::MakeControlsTransparent() {
    for (const auto& window : aControls)
        if (const auto control = std::dynamic_pointer_cast<TControl>(window);
            control && !KeepsItsBackground(control->ClassName()))
            control->lTransparent = true;
}

void TDialog::Widen16() {
    const auto widened = [](int n) { return static_cast<int>(n * kWiden16); };
    RECT frame{};
    GetWindowRect(hWnd, &frame);
    SetWindowPos(hWnd, nullptr, 0, 0, widened(frame.right - frame.left), frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    for (HWND child = GetWindow(hWnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT r{};
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, hWnd, reinterpret_cast<POINT*>(&r), 2);
        SetWindowPos(child, nullptr, widened(r.left), r.top, widened(r.right - r.left), r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE);
    }
}

void TDialog::Help95() const {
    if (lHelpIcon == false || !hWnd) return;
    SetWindowLongPtrA(hWnd, GWL_EXSTYLE, GetWindowLongPtrA(hWnd, GWL_EXSTYLE) | WS_EX_CONTEXTHELP);
    // The frame is drawn again only when told that it changed.
    SetWindowPos(hWnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

// ---- ending ----

bool TDialog::End(int nNewResult) {
    if (!hWnd) return false;
    if (!lModal) {
        PostMessageA(hWnd, WM_CLOSE, static_cast<WPARAM>(nNewResult), 0);
    } else {
        if (bValid && !bValid()) return false;
        nResult = Value(nNewResult);
        ENDDIALOG(hWnd, nNewResult);
        hWnd = nullptr;
    }
    SYSREFRESH();
    return true;
}

Answer TDialog::Close(WPARAM nNewResult) {
    if (lModal) return Answer::Nil();  // the dialog manager makes it IDCANCEL
    if (bValid && !bValid()) return Answer::Logical(false);
    nResult = Value(static_cast<int64_t>(nNewResult));
    lVisible = false;
    DestroyWindow(hWnd);
    return Answer::Logical(true);
}

Answer TDialog::Destroy() {
    // A font found on the window may be the dialog manager's, deleted with it.
    if (std::exchange(lFontTaken_, false)) DropReference(oFont);
    if (lModal) {
        hWnd = nullptr;  // the object may run again and keeps what it holds
        if (GETWNDDEFAULT().get() == this) SETWNDDEFAULT(nullptr);
        return Answer::Nil();
    }
    if (hWnd) DEREGDIALOG(hWnd);
    TWindow::Destroy();
    return Answer::Logical(true);
}

}  // namespace corvix
