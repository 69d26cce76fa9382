#include "corvix/classes/msgbar.h"

#include <psapi.h>

#include <algorithm>

#include "corvix/classes/brush.h"
#include "corvix/classes/font.h"
#include "corvix/classes/reference.h"
#include "corvix/classes/timer.h"
#include "corvix/function/cxerror.h"
#include "corvix/native/ansitext.h"
#include "corvix/native/msgpaint.h"
#include "corvix/native/themes.h"
#include "corvix/runtime/characters.h"
#include "corvix/runtime/datetime.h"

namespace corvix {

namespace {

constexpr UINT kTimerInterval = 400;

// Kept for the life of the process: every 2007 bar stretches the same image.
HBITMAP Background2007(HDC hDC) {
    static const HBITMAP background = MSGBAR2007(hDC);
    return background;
}

// The text height of a fresh device context of the window, in its default font.
int FreshTextHeight(HWND hWnd) {
    const HDC dc = ::GetDC(hWnd);
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    ::ReleaseDC(hWnd, dc);
    return metrics.tmHeight;
}

void StartDateTimeSettings() { WinExec("control timedate.cpl", SW_SHOWNORMAL); }

void ToggleKey(BYTE nKey) {
    INPUT presses[2] = {};
    for (INPUT& press : presses) {
        press.type = INPUT_KEYBOARD;
        press.ki.wVk = nKey;
    }
    presses[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, presses, sizeof(INPUT));
}

// "1,234,567": the picture 999,999,999,999, trimmed.
std::string WithThousands(SIZE_T nValue) {
    std::string digits = std::to_string(nValue);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3) digits.insert(static_cast<size_t>(at), ",");
    return digits;
}

// Lines of the tooltip as it wraps them: at most 254 characters each.
int ToolTipLines(const std::string& text) {
    int lines = 0;
    size_t start = 0;
    for (;;) {
        const size_t end = text.find('\n', start);
        const size_t length = CharacterCount(std::string_view(text).substr(start, end - start));
        lines += std::max<int>(1, static_cast<int>((length + 253) / 254));
        if (end == std::string::npos) return lines;
        start = end + 1;
    }
}

}  // namespace

std::shared_ptr<TMsgBar> TMsgBar::New(const NewArgs& a, std::source_location where) {
    auto bar = std::make_shared<TMsgBar>();
    bar->oDefined = CallLevel::At(where);
    bar->cMsg = bar->cMsgDef = a.cPrompt;
    const auto& parent = a.oWnd;
    if (!parent || !IsWindow(parent->hWnd)) {
        RaiseError(LibraryError("A message bar needs a parent window", "TMsgBar:New"));
        return bar;
    }
    bar->nClrPane = a.nClrBack.value_or(GetSysColor(COLOR_BTNFACE));
    bar->nClrText = a.nClrFore;
    bar->oWnd = parent;
    bar->nStyle = WS_CHILD | WS_VISIBLE | WS_BORDER;
    bar->nHeight = FreshTextHeight(parent->hWnd) + 8;
    const RectArray docked = bar->DockedRect();
    bar->nTop = docked.nTop;
    bar->nLeft = docked.nLeft;
    bar->nBottom = docked.nBottom;
    bar->nRight = docked.nRight;
    bar->lCentered = a.lCentered;
    bar->lInset = a.lInset;
    bar->lValidating = false;
    HoldReference(bar->oFont, a.oFont);
    bar->lInfoRes = true;
    bar->l2007 = a.l2007;
    bar->lPaint3L = true;
    bar->Register();
    bar->Create();
    if (!bar->hWnd) {  // Create has reported it
        DropReference(bar->oFont);
        return bar;
    }
    bar->Default();
    if (a.lKbd) bar->KeybOn();
    if (a.lDate) bar->DateOn();
    if (a.lClock) bar->ClockOn();
    return bar;
}

// Left and right borders outside the parent's client area, the bottom on its last row.
RectArray TMsgBar::DockedRect() const {
    const auto parent = Parent();
    const RectArray client = parent ? parent->GetCliRect() : RectArray{};
    return {client.nBottom - nHeight, -1, client.nBottom, client.nRight + 1};
}

void TMsgBar::Default() {
    // Every system this runs on is of the NT family, whose face this is.
    if (!oFont) AdoptReference(oFont, TFont::New({.cFaceName = "Ms Sans Serif", .nWidth = 0, .nHeight = -8}));
    SetFont(oFont);
    SetColor(nClrText, nClrPane);
}

// ---- items ----

void TMsgBar::AddItem(std::shared_ptr<TMsgItem> oItem) {
    aItem.push_back(std::move(oItem));
    Refresh();
}

void TMsgBar::DelItem(const std::shared_ptr<TMsgItem>& oItem) {
    const auto found = std::find(aItem.begin(), aItem.end(), oItem);
    if (found == aItem.end()) return;
    aItem.erase(found);
    Refresh();
}

void TMsgBar::InsItem(std::shared_ptr<TMsgItem> oItem, std::optional<int> nAt) {
    if (!nAt || *nAt < 1) return;
    const size_t at = std::min(static_cast<size_t>(*nAt - 1), aItem.size());
    aItem.insert(aItem.begin() + static_cast<std::ptrdiff_t>(at), std::move(oItem));
    Refresh();
}

int TMsgBar::nItemsRight() const {
    const auto parent = Parent();
    const bool noGrip = parent && IsZoomed(parent->hWnd) && !ISWINDOWTHEMED(hWnd, L"Status");
    return GetCliRect().nRight - (noGrip ? 3 : 13);
}

int TMsgBar::FirstItemLeft() const { return aItem.empty() ? 0 : aItem.front()->nLeft(); }

std::shared_ptr<TMsgItem> TMsgBar::StatusItem(const std::string& cText, std::function<std::string()> bMsg,
                                              TMsgItem::ClickAction bAction) {
    const auto self = std::static_pointer_cast<TMsgBar>(shared_from_this());
    auto item = TMsgItem::New({.oMsgBar = self, .cMsg = cText, .nWidth = GetWidth(cText) + 12, .oFont = oFont,
                               .nClrFore = nClrText, .nClrBack = nClrPane, .lAdd = true, .bAction = std::move(bAction)});
    item->bMsg = std::move(bMsg);
    item->lTimer = true;
    return item;
}

std::shared_ptr<TMsgItem> TMsgBar::KeyItem(const std::string& cName, BYTE nKey) {
    auto item = StatusItem(cName, nullptr, nullptr);
    TMsgItem* raw = item.get();  // the item owns these callbacks: it outlives them
    item->bMsg = [raw, cName, nKey] {
        raw->lActive = (GetKeyState(nKey) & 1) != 0;
        return cName;
    };
    item->bAction = [raw, nKey](int, int) {
        ToggleKey(nKey);
        raw->Refresh();
    };
    item->nClrDisabled = GetSysColor(COLOR_BTNSHADOW);
    item->lActive = (GetKeyState(nKey) & 1) != 0;
    return item;
}

void TMsgBar::ClockOn() {
    if (!oClock) oClock = StatusItem(TimeOfDay(), [] { return TimeOfDay(); }, [](int, int) { StartDateTimeSettings(); });
    CheckTimer();
}

void TMsgBar::DateOn() {
    if (!oDate)
        oDate = StatusItem(DateToText(Today()), [] { return DateToText(Today()); },
                           [](int, int) { StartDateTimeSettings(); });
    CheckTimer();
}

void TMsgBar::KeybOn() {
    if (!oKeyNum) {
        oKeyNum = KeyItem("Num", VK_NUMLOCK);
        oKeyCaps = KeyItem("Caps", VK_CAPITAL);
        oKeyIns = KeyItem("Ins", VK_INSERT);
    }
    CheckTimer();
}

// The bar made the item, so the bar gives back what it holds.
void TMsgBar::DropItem(std::shared_ptr<TMsgItem>& oItem) {
    if (!oItem) return;
    DelItem(oItem);
    oItem->End();
    oItem.reset();
}

void TMsgBar::ClockOff() { DropItem(oClock); }
void TMsgBar::DateOff() { DropItem(oDate); }

void TMsgBar::KeybOff() {
    DropItem(oKeyNum);
    DropItem(oKeyCaps);
    DropItem(oKeyIns);
}

// ---- timer ----

void TMsgBar::CheckTimer() {
    if (oTimer || !hWnd) return;
    const std::weak_ptr<TWindow> self = weak_from_this();
    oTimer = TTimer::New(
        kTimerInterval,
        [self] {
            if (const auto bar = std::static_pointer_cast<TMsgBar>(self.lock())) bar->TimerEval();
        },
        this);
    oTimer->Activate();
}

void TMsgBar::TimerEval() {
    // By index: a text callback may add or remove items.
    for (size_t i = 0; i < aItem.size(); ++i)
        if (const auto item = aItem[i]; item->lTimer) item->Refresh();
    const auto parent = Parent();
    if (!parent) return;
    if (lCheckRes) {
        parent->cTitle(ResourceCaption());
    } else if (Cargo.IsString()) {
        parent->cTitle(Cargo.AsString());
        Cargo = Value();
    }
}

std::string TMsgBar::ResourceCaption() const {
    PROCESS_MEMORY_COUNTERS memory{};
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
    const char* bits = sizeof(void*) == 8 ? "(64 bits) " : "(32 bits) ";
    return std::string(bits) + "MemUsed: " + WithThousands(memory.WorkingSetSize) +
           " MemMax: " + WithThousands(memory.PeakWorkingSetSize) + " Resources: 90%" +
           " Running time: " + TIMEFROMSTART();
}

// ---- messages ----

void TMsgBar::Adjust() {
    if (!hWnd) return;
    const RectArray docked = DockedRect();
    Move(docked.nTop, docked.nLeft, docked.nRight - docked.nLeft + 1, docked.nBottom - docked.nTop + 1);
}

Answer TMsgBar::Destroy() {
    for (const auto& item : aItem) item->End();
    if (oTimer) oTimer->End();
    oTimer.reset();
    return TWindow::Destroy();
}

int TMsgBar::Display() {
    BeginPaint();
    Paint();
    EndPaint();
    return 0;
}

Answer TMsgBar::LDblClick(int nRow, int nCol, WPARAM nKeyFlags) {
    if (lInfoRes || lCheckRes) {
        const auto parent = Parent();
        if (!lCheckRes && parent) Cargo = parent->cTitle();
        lCheckRes = !lCheckRes;
    }
    return TWindow::LDblClick(nRow, nCol, nKeyFlags);
}

Answer TMsgBar::MouseMove(int nRow, int nCol, WPARAM nKeyFlags) {
    for (size_t i = 0; i < aItem.size(); ++i) {
        if (!aItem[i]->IsOver(nRow, nCol) || !aItem[i]->bAction) continue;
        SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_HAND)));
        if (nItem != static_cast<int>(i + 1)) {
            nItem = static_cast<int>(i + 1);
            DestroyToolTip();
        }
        CheckToolTip();
        return Answer::Number(0);
    }
    DestroyToolTip();
    nItem = 0;
    return TWindow::MouseMove(nRow, nCol, nKeyFlags);
}

Answer TMsgBar::LButtonDown(int nRow, int nCol, WPARAM) {
    const auto keepAlive = shared_from_this();  // an action may end the bar
    const auto over = std::find_if(aItem.begin(), aItem.end(), [&](const auto& i) { return i->IsOver(nRow, nCol); });
    if (over != aItem.end()) {
        const auto item = *over;  // the action may remove it
        item->Click(nRow, nCol);
    }
    return Answer::Nil();
}

void TMsgBar::ShowToolTip() {
    if (nItem < 1 || nItem > GetItem()) return;
    const auto& item = aItem[static_cast<size_t>(nItem - 1)];
    cToolTip = item->ToolTipText();
    if (cToolTip.empty()) return;
    TWindow::ShowToolTip(-ToolTipLines(cToolTip) * 14 - 2, item->nLeft());
}

// ---- painting ----

Answer TMsgBar::Paint() {
    const DisplayBuffer buffer = DispBegin();
    // Copied and released however painting ends.
    struct EndDisplay {
        TMsgBar& bar;
        const DisplayBuffer& buffer;
        ~EndDisplay() { bar.DispEnd(buffer); }
    } const end{*this, buffer};
    if (l2007)
        Paint2007();
    else
        PaintClassic();
    return Answer::Number(0);
}

void TMsgBar::Paint2007() {
    PaintBar();
    const std::string text = ShownMessage();
    const HFONT font = oFont ? oFont->hFont : nullptr;
    int col = 4;
    if (const auto parent = Parent(); lCentered && parent) col = nWidth() / 2 - parent->GetWidth(text) / 2;
    SayTransparent(hDC, nHeight / 4 - 2, col, text, nClrText.value_or(RGB(0, 0, 0)), font);
    lPainting = true;
    for (const auto& item : aItem) item->Paint();
    lPainting = false;
    if (bPainted) bPainted(hDC, cPS, *this);
}

void TMsgBar::PaintClassic() {
    RECT client{};
    GetClientRect(hWnd, &client);
    if (oBrush && oBrush->hBrush) FillRect(hDC, &client, oBrush->hBrush);
    MSGPAINT({.hWnd = hWnd, .cMsg = cMsg, .cMsgDef = cMsgDef, .lFrame = true, .lCentered = lCentered,
              .nItemLeft = FirstItemLeft(), .nClrText = nClrText, .nClrPane = nClrPane,
              .hFont = oFont ? oFont->hFont : nullptr, .lInset = lInset, .hDC = hDC});
    for (const auto& item : aItem) item->Paint();
    if (lPaint3L) MSGPAINT3L(hWnd, nClrPane, hDC);
}

void TMsgBar::PaintBar(int nFromLeft, std::optional<int> nBarWidth) {
    if (lPainting) return;
    const HDC dc = GetDC();
    if (!dc) return;
    const HDC imageDC = CreateCompatibleDC(dc);
    const HGDIOBJ previous = SelectObject(imageDC, Background2007(dc));
    const int previousMode = SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, nFromLeft, 0, nBarWidth.value_or(nWidth()), GetCliRect().nBottom, imageDC, 0, 0, 26, 23, SRCCOPY);
    SetStretchBltMode(dc, previousMode);
    SelectObject(imageDC, previous);
    DeleteDC(imageDC);
    ReleaseDC();
}

void TMsgBar::SayTransparent(HDC hDCTarget, int nRow, int nCol, const std::string& cText, COLORREF nColor,
                             HFONT hFont) const {
    const HGDIOBJ previousFont = hFont ? SelectObject(hDCTarget, hFont) : nullptr;
    const int previousMode = SetBkMode(hDCTarget, TRANSPARENT);
    const COLORREF previousColour = SetTextColor(hDCTarget, nColor);
    TextOutAnsi(hDCTarget, nCol, nRow, cText);
    SetTextColor(hDCTarget, previousColour);
    SetBkMode(hDCTarget, previousMode);
    if (previousFont) SelectObject(hDCTarget, previousFont);
}

// The 2007 look repaints through the buffer, and only for a new text; the
// classic look paints the message area at once.
void TMsgBar::SetMsg(const std::string& cText, bool) {
    if (cText == cMsg) return;
    cMsg = cText;
    if (l2007)
        Refresh();
    else
        RepaintMessage();
}

void TMsgBar::RepaintMessage() {
    const HDC dc = GetDC();
    if (!dc) return;
    MSGPAINT({.hWnd = hWnd, .cMsg = cMsg, .cMsgDef = cMsgDef, .lCentered = lCentered, .nItemLeft = FirstItemLeft(),
              .nClrText = nClrText, .nClrPane = nClrPane, .hFont = oFont ? oFont->hFont : nullptr,
              .lInset = lInset, .hDC = dc});
    if (lPaint3L) MSGPAINT3L(hWnd, nClrPane, dc);
    ReleaseDC();
}

}  // namespace corvix
