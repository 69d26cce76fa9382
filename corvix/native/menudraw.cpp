#include "corvix/native/menudraw.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "corvix/native/ansitext.h"
#include "corvix/native/drawmasked.h"
#include "corvix/native/gradient.h"
#include "corvix/native/wndbox.h"

namespace corvix {

namespace {

constexpr COLORREF kBarTopFrom = RGB(254, 254, 255), kBarTopTo = RGB(229, 234, 245);
constexpr COLORREF kBarFrom = RGB(212, 219, 237), kBarTo = RGB(225, 230, 246);
constexpr COLORREF kBarLine = RGB(182, 188, 204);
constexpr COLORREF kSelTopFrom = RGB(255, 255, 251), kSelTopTo = RGB(255, 235, 180);
constexpr COLORREF kSelFrom = RGB(255, 215, 84), kSelTo = RGB(255, 233, 162);
constexpr COLORREF kSelFrame = RGB(221, 207, 155);
constexpr COLORREF kStrip = RGB(233, 238, 238), kStripEdge = RGB(197, 197, 197), kTextArea = RGB(250, 250, 250);
constexpr COLORREF kGreyText = RGB(192, 192, 192);
constexpr int kStripWidth = 24;
constexpr int kShortcutIndent = 21;
constexpr UINT_PTR kSystemCheckMark = 32760;  // OBM_CHECK, declared only with OEMRESOURCE

// The check mark: '#' ink, '+' its soft edge, '.' left out (the top-left colour).
constexpr std::array<const char*, 13> kCheckPicture = {
    ".............", ".............", "..........+#.", ".........+##.", "........+##+.",
    ".+#+...+##+..", ".+##+.+##+...", "..+##+##+....", "...+###+.....", "....+#+......",
    ".....+.......", ".............", ".............",
};

struct PainterState {
    HBITMAP hCheck = nullptr;         // ours, for the 2007 look
    HBITMAP hClassicCheck = nullptr;  // the system's
    bool lVista = false;
};

// In the screen's format, whatever the first device context holds.
HBITMAP MakeCheckBitmap() {
    const int size = static_cast<int>(kCheckPicture.size());
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, size, size);
    HDC memory = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    const HGDIOBJ previous = SelectObject(memory, bitmap);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const char c = kCheckPicture[static_cast<size_t>(y)][x];
            SetPixelV(memory, x, y, c == '#' ? RGB(38, 62, 110) : c == '+' ? RGB(140, 160, 200) : RGB(255, 0, 255));
        }
    SelectObject(memory, previous);
    DeleteDC(memory);
    return bitmap;
}

// Made on the first draw and kept for the life of the process.
const PainterState& State() {
    static const PainterState state = [] {
        OSVERSIONINFOA version{.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA)};
        GetVersionExA(&version);
        return PainterState{MakeCheckBitmap(), LoadBitmapA(nullptr, reinterpret_cast<LPCSTR>(kSystemCheckMark)),
                            VistaLook(version.dwMajorVersion)};
    }();
    return state;
}

void Fill(HDC hDC, int nTop, int nLeft, int nBottom, int nRight, COLORREF nColor) {
    if (nRight <= nLeft || nBottom <= nTop) return;
    const RECT r{nLeft, nTop, nRight, nBottom};
    const COLORREF before = SetBkColor(hDC, nColor);
    ExtTextOutA(hDC, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
    SetBkColor(hDC, before);
}

bool IsBarColour(COLORREF c) {
    static constexpr COLORREF kDrawn[] = {RGB(254, 254, 255), RGB(255, 255, 255), RGB(255, 248, 255),
                                          RGB(239, 240, 240), RGB(245, 254, 255)};
    for (const COLORREF drawn : kDrawn)
        if (c == drawn) return true;
    return false;
}

// The bar behind the entry, and beyond it to the window's edge unless the
// bar is drawn there already.
void DrawBar(HDC hDC, const RECT& r, HWND hWnd, bool lVista) {
    int right = r.right;
    RECT client{};
    if (!IsBarColour(GetPixel(hDC, r.right + 2, r.top)) && hWnd && GetClientRect(hWnd, &client))
        right = std::max<int>(r.right, client.right + 3 + (lVista ? 5 : 0));
    GRADIENT(hDC, {r.top, r.left, r.top + 8, right}, kBarTopFrom, kBarTopTo, true);
    GRADIENT(hDC, {r.top + 9, r.left, r.bottom, right}, kBarFrom, kBarTo, true);
    Fill(hDC, r.bottom - 1, r.left, r.bottom, right, kBarLine);
    Fill(hDC, r.bottom, r.left, r.bottom + 1, right, lVista ? RGB(240, 240, 240) : RGB(255, 255, 255));
}

void DrawSelection(HDC hDC, const RECT& r) {
    const int middle = (r.top + r.bottom) / 2;
    GRADIENT(hDC, {r.top, r.left, middle, r.right}, kSelTopFrom, kSelTopTo, true);
    GRADIENT(hDC, {middle + 1, r.left, r.bottom - 1, r.right}, kSelFrom, kSelTo, true);
    WNDBOX2007(hDC, r.top, r.left, r.bottom - 1, r.right - 1, kSelFrame);
}

void DrawPopupBackground(HDC hDC, const RECT& r) {
    Fill(hDC, r.top, r.left, r.bottom, r.left + kStripWidth, kStrip);
    Fill(hDC, r.top, r.left + kStripWidth, r.bottom, r.left + kStripWidth + 1, kStripEdge);
    Fill(hDC, r.top, r.left + kStripWidth + 1, r.bottom, r.right, kTextArea);
}

// The caption, and after a TAB the shortcut right-aligned 21 pixels in.
void DrawPrompt(HDC hDC, RECT r, std::string_view cPrompt, UINT nAlign) {
    const size_t tab = cPrompt.find('\t');
    if (tab == std::string_view::npos) {
        DrawTextAnsi(hDC, cPrompt, r, nAlign | DT_SINGLELINE | DT_TOP);
        return;
    }
    r.right -= kShortcutIndent;
    DrawTextAnsi(hDC, cPrompt.substr(0, tab), r, DT_LEFT | DT_SINGLELINE | DT_TOP);
    DrawTextAnsi(hDC, cPrompt.substr(tab + 1), r, DT_RIGHT | DT_SINGLELINE | DT_TOP);
}

void DrawEntryBitmap(HDC hDC, const RECT& r, HBITMAP hBitmap, bool lChecked, bool lSelected) {
    if (!lChecked)
        DRAWMASKED(hDC, hBitmap, r.top + 2, r.left + 4);
    else if (lSelected)
        DRAWMASKED(hDC, hBitmap, r.top + 1, r.left + 1);
    else
        DRAWMASKEDCHECKED(hDC, hBitmap, r.top + 1, r.left + 1);
}

// Which requests draw: the whole entry or a selection change.
std::optional<bool> Skipped(const DRAWITEMSTRUCT* p) {
    if (!p || !p->hDC) return std::nullopt;
    if (p->itemAction == ODA_FOCUS) return false;
    if (p->itemAction != ODA_DRAWENTIRE && p->itemAction != ODA_SELECT) return std::nullopt;
    return true;
}

// One monochrome device context and bitmap for every emboss, grown when an
// entry is larger than any before; given back at exit.
class MonoScratch {
public:
    MonoScratch() = default;
    ~MonoScratch() { Release(); }
    MonoScratch(const MonoScratch&) = delete;
    MonoScratch& operator=(const MonoScratch&) = delete;

    HDC Get(int nWidth, int nHeight) {
        if (hDC_ && nWidth <= width_ && nHeight <= height_) return hDC_;
        Release();
        width_ = std::max(width_, nWidth);
        height_ = std::max(height_, nHeight);
        hDC_ = CreateCompatibleDC(nullptr);
        hBitmap_ = CreateBitmap(width_, height_, 1, 1, nullptr);
        previous_ = SelectObject(hDC_, hBitmap_);
        return hDC_;
    }

private:
    void Release() {
        if (!hDC_) return;
        SelectObject(hDC_, previous_);
        DeleteObject(hBitmap_);
        DeleteDC(hDC_);
        hDC_ = nullptr;
        hBitmap_ = nullptr;
    }
    HDC hDC_ = nullptr;
    HBITMAP hBitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    int width_ = 0, height_ = 0;
};

// Pixels of the fill colour stay; the rest is drawn in the highlight colour
// one pixel down and right, then in the shadow colour in place.
void Emboss(HDC hDC, const RECT& r, COLORREF nFill) {
    static MonoScratch scratch;
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0) return;
    const HDC mono = scratch.Get(w, h);
    const COLORREF bk = SetBkColor(hDC, nFill);
    BitBlt(mono, 0, 0, w, h, hDC, r.left, r.top, SRCCOPY);
    SetBkColor(hDC, RGB(0, 0, 0));
    const COLORREF text = SetTextColor(hDC, RGB(255, 255, 255));
    constexpr DWORD kPatternWhereSource = 0x00E20746;
    const HGDIOBJ previousBrush = SelectObject(hDC, GetSysColorBrush(COLOR_BTNHIGHLIGHT));
    BitBlt(hDC, r.left + 1, r.top + 1, w, h, mono, 0, 0, kPatternWhereSource);
    SelectObject(hDC, GetSysColorBrush(COLOR_BTNSHADOW));
    BitBlt(hDC, r.left, r.top, w, h, mono, 0, 0, kPatternWhereSource);
    SelectObject(hDC, previousBrush);
    SetTextColor(hDC, text);
    SetBkColor(hDC, bk);
}

}  // namespace

bool VistaLook(DWORD nMajorVersion) { return nMajorVersion >= 6; }

void MENUMEASUREITEM(MEASUREITEMSTRUCT* pMeasureItem, int nWidth, bool lSeparator) {
    if (!pMeasureItem) return;
    pMeasureItem->itemWidth = static_cast<UINT>(std::max(nWidth, 0));
    pMeasureItem->itemHeight = lSeparator ? 10 : static_cast<UINT>(GetSystemMetrics(SM_CYMENU));
}

std::optional<bool> MENUDRAW2007(const DRAWITEMSTRUCT* p, const std::string& cPrompt, HMENU hMenuBar,
                                 HBITMAP hBitmap, HWND hWnd) {
    if (const auto draws = Skipped(p); draws != true) return draws;
    const HDC hDC = p->hDC;
    const PainterState& state = State();
    const RECT r = p->rcItem;
    const bool grayed = p->itemState & ODS_GRAYED, checked = p->itemState & ODS_CHECKED;
    const bool selected = (p->itemState & ODS_SELECTED) && !grayed;  // a greyed entry never looks selected
    const bool onBar = hMenuBar && reinterpret_cast<HMENU>(p->hwndItem) == hMenuBar;
    const int saved = SaveDC(hDC);
    if (selected)
        DrawSelection(hDC, r);
    else if (onBar)
        DrawBar(hDC, r, hWnd, state.lVista);
    else
        DrawPopupBackground(hDC, r);
    if (checked) DRAWMASKED(hDC, state.hCheck, r.top, r.left + 1);
    if (hBitmap) DrawEntryBitmap(hDC, r, hBitmap, checked, selected);
    if (!cPrompt.empty()) {
        SetBkMode(hDC, TRANSPARENT);
        // Dark on the amber too: the system sets the highlight text colour for selected entries.
        SetTextColor(hDC, grayed ? kGreyText : GetSysColor(COLOR_MENUTEXT));
        const RECT text{onBar ? r.left : r.left + 33, r.top + 2, r.right, r.bottom};
        DrawPrompt(hDC, text, cPrompt, onBar ? DT_CENTER : DT_LEFT);
    } else if (!hBitmap && !onBar) {
        Fill(hDC, r.top + 5, r.left, r.top + 6, r.right, kStripEdge);
    }
    RestoreDC(hDC, saved);
    return true;
}

std::optional<bool> MENUDRAWITEM(const DRAWITEMSTRUCT* p, const std::string& cPrompt, HMENU,
                                 HBITMAP hBitmap, HWND) {
    if (const auto draws = Skipped(p); draws != true) return draws;
    const HDC hDC = p->hDC;
    const RECT r = p->rcItem;
    const bool grayed = p->itemState & ODS_GRAYED, checked = p->itemState & ODS_CHECKED;
    const bool selected = (p->itemState & ODS_SELECTED) && !grayed;
    const COLORREF fill = GetSysColor(COLOR_MENU);
    const int saved = SaveDC(hDC);
    FillRect(hDC, &r, GetSysColorBrush(COLOR_MENU));
    SetBkMode(hDC, TRANSPARENT);
    if (selected) {
        const RECT highlight{r.left + 19, r.top, r.right, r.bottom};
        FillRect(hDC, &highlight, GetSysColorBrush(COLOR_HIGHLIGHT));
        SetBkColor(hDC, GetSysColor(COLOR_HIGHLIGHT));
        SetTextColor(hDC, GetSysColor(COLOR_HIGHLIGHTTEXT));
        if (!checked) {
            RECT image{r.left, r.top, r.left + 17, r.bottom - 1};
            if (hBitmap) {
                DrawEdge(hDC, &image, BDR_RAISEDINNER, BF_RECT);
            } else {
                image = {r.left, r.top, r.left + 19, r.bottom};
                FillRect(hDC, &image, GetSysColorBrush(COLOR_HIGHLIGHT));
            }
        }
    } else {
        SetTextColor(hDC, GetSysColor(COLOR_MENUTEXT));
    }
    if (checked) {
        const HBITMAP mark = State().hClassicCheck;
        selected ? DRAWMASKED(hDC, mark, r.top + 1, r.left + 1) : DRAWMASKEDCHECKED(hDC, mark, r.top + 1, r.left + 1);
    }
    if (hBitmap) {
        (!checked || selected) ? DRAWMASKED(hDC, hBitmap, r.top + 1, r.left + 1)
                               : DRAWMASKEDCHECKED(hDC, hBitmap, r.top + 1, r.left + 1);
    }
    DrawPrompt(hDC, {r.left + 21, r.top + 2, r.right, r.bottom}, cPrompt, DT_LEFT);
    RestoreDC(hDC, saved);
    if (grayed) Emboss(hDC, r, fill);
    return true;
}

}  // namespace corvix
