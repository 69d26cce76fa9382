#include "corvix/program/errordialog.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <memory>

#include "corvix/classes/button.h"
#include "corvix/classes/dialog.h"
#include "corvix/native/ansitext.h"
#include "corvix/native/wndpos.h"
#include "corvix/native/wrappers.h"
#include "corvix/program/errorpicture.h"

namespace corvix {

namespace {

// Positions are in the units the template doubles into pixels.
constexpr int kButtonWidth = 30, kButtonHeight = 11;
constexpr int kListTop = 33, kListLeft = 3, kListWidth = 220;
constexpr int kPictureAt = 6, kPictureSize = 32;  // pixels
constexpr int kMargin = 6;                         // pixels round the controls

// A control of a system class that the dialog's template makes and that
// needs nothing of its own from the library.
class SystemItem : public TControl {
public:
    explicit SystemItem(std::string cClass) : class_(std::move(cClass)) {}
    std::string cToChar(std::string) override { return TControl::cToChar(class_); }
    // The dialog's own colours.
    Answer Colors(HDC) override { return Answer::Number(0); }

private:
    std::string class_;
};

void AddItem(const std::shared_ptr<TDialog>& d, const char* cClass, const std::string& cText, DWORD nStyle,
             int top, int left, int width, int height) {
    auto item = std::make_shared<SystemItem>(cClass);
    item->nTop = top;
    item->nLeft = left;
    item->nBottom = top + height;
    item->nRight = left + width;
    item->cCaption = cText;
    item->nStyle = WS_CHILD | WS_VISIBLE | nStyle;
    item->oWnd = d;
    d->DefControl(item);
}

// The columns of Retry, Quit and Default (0: not shown) for the buttons the error allows.
std::array<int, 3> ButtonColumns(bool lRetry, bool lDefault) {
    if (lRetry && lDefault) return {43, 96, 148};
    if (lRetry) return {132, 65, 0};
    if (lDefault) return {0, 65, 128};
    return {0, 96, 0};
}

// The text's width in pixels in the dialog's font, the system font.
int LabelWidth(const std::string& cText) {
    HDC screen = GetDC(nullptr);
    const HGDIOBJ previous = SelectObject(screen, GetStockObject(SYSTEM_FONT));
    const SIZE size = TextExtent(screen, cText);
    SelectObject(screen, previous);
    ReleaseDC(nullptr, screen);
    return size.cx;
}

// Grows the dialog so that every child lies inside its client area.
void FitChildren(HWND hDlg) {
    RECT client{}, needed{};
    GetClientRect(hDlg, &client);
    for (HWND child = GetWindow(hDlg, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT r{};
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, hDlg, reinterpret_cast<POINT*>(&r), 2);
        needed.right = std::max(needed.right, r.right + kMargin);
        needed.bottom = std::max(needed.bottom, r.bottom + kMargin);
    }
    const int wider = std::max(0L, needed.right - client.right), taller = std::max(0L, needed.bottom - client.bottom);
    if (!wider && !taller) return;
    RECT frame{};
    GetWindowRect(hDlg, &frame);
    SetWindowPos(hDlg, nullptr, 0, 0, frame.right - frame.left + wider, frame.bottom - frame.top + taller,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    WNDCENTER(hDlg);
}

void FillCallList(HWND hList, const std::vector<std::string>& aCalls) {
    for (const auto& call : aCalls) SendMessageA(hList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(call.c_str()));
    SendMessageA(hList, LB_SETCURSEL, 0, 0);
}

}  // namespace

ErrorChoice ShowErrorDialog(const ErrorRecord& oError, const std::vector<std::string>& aCalls) {
    const auto programsDefault = GETWNDDEFAULT();  // the dialog takes it over while it is made
    const bool nt = ISWINNT();
    const int buttonRow = nt ? 161 : 137;
    auto dialog = TDialog::New({.cTitle = "Corvix for Tollan", .nWidth = 450, .nHeight = nt ? 350 : 300});
    AddItem(dialog, "STATIC", "   Error description: " + ERRORMESSAGE(oError), SS_CENTER | SS_NOPREFIX, 3, 52, 116,
            20);
    const std::string listTitle = "&Stack List";
    AddItem(dialog, "STATIC", listTitle, 0, 24, 6, LabelWidth(listTitle), 8);
    AddItem(dialog, "LISTBOX", "", WS_BORDER | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP, kListTop, kListLeft,
            kListWidth, buttonRow - kListTop - 2);
    const int listId = dialog->aControls.back()->nId;
    const std::string seeLog = "See Error.log file";
    TButton::New({.nRow = 21, .nCol = 175, .cCaption = seeLog, .oWnd = dialog,
                  .bAction = [] { WinExec("Notepad.exe error.log", SW_SHOWNORMAL); },
                  .nWidth = std::max(46, LabelWidth(seeLog) / 2 + 4), .nHeight = 10, .lPixel = true});
    ErrorChoice choice = ErrorChoice::None;
    const auto [retryAt, quitAt, defaultAt] = ButtonColumns(oError.CanRetry, oError.CanDefault);
    const auto button = [&](int column, const char* caption, ErrorChoice chosen, bool lDefault) {
        if (!column) return;
        TButton::New({.nRow = static_cast<double>(buttonRow), .nCol = static_cast<double>(column),
                      .cCaption = caption, .oWnd = dialog,
                      .bAction = [&choice, chosen, d = dialog.get()] {
                          choice = chosen;
                          d->End(IDOK);
                      },
                      .nWidth = kButtonWidth, .nHeight = kButtonHeight, .lDefault = lDefault, .lPixel = true});
    };
    button(retryAt, "&Retry", ErrorChoice::Retry, false);
    button(quitAt, "&Quit", ErrorChoice::None, quitAt == 96);
    button(defaultAt, "&Default", ErrorChoice::Default, false);
    const HBITMAP picture = CXBITMAP();
    dialog->Activate({.bPainted = [picture](HDC hDC, const PAINTSTRUCT&, TWindow&) {
                          DrawPicture(hDC, picture, kPictureAt, kPictureAt, kPictureSize);
                          return Answer::Nil();
                      },
                      .lCentered = true,
                      .bInit = [&aCalls, listId](TWindow& self) {
                          FitChildren(self.hWnd);
                          FillCallList(GetDlgItem(self.hWnd, listId), aCalls);
                          return Answer::Nil();
                      }});
    DeleteObject(picture);
    SETWNDDEFAULT(programsDefault);
    return choice;
}

}  // namespace corvix
