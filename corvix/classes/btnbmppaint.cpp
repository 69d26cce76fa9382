// TBtnBmp: painting. The bitmap for the state, the caption in its layout
// around it, the 2007 background (the bar's gradient under bar buttons, a
// rounded gradient face for stand-alone ones), the hover frame, the
// drop-down arrow and the focus mark.

#include <algorithm>
#include <string_view>

#include "corvix/classes/bar.h"
#include "corvix/classes/btnbmp.h"
#include "corvix/classes/dialog.h"
#include "corvix/classes/font.h"
#include "corvix/classes/reference.h"
#include "corvix/native/ansitext.h"
#include "corvix/native/barpaint.h"
#include "corvix/native/palbmp.h"
#include "corvix/native/wndbox.h"
#include "corvix/native/wndpos.h"
#include "corvix/native/wrappers.h"
#include "corvix/runtime/characters.h"

namespace corvix {

namespace {

constexpr COLORREF kHoverFrame = RGB(221, 207, 155);
constexpr COLORREF kRoundInner = RGB(237, 242, 248);
constexpr COLORREF kRoundOuter = RGB(141, 178, 227);
constexpr COLORREF kDisabledText = RGB(192, 192, 192);
constexpr int kCorner = 6;
constexpr size_t kLineLength = 79;

// Lines of a caption and the width of its longest, in the DC's font.
struct CaptionSize {
    int nLines = 0;
    int nWidth = 0;
};

// Lines break at CR LF, and a line longer than 79 characters every 79.
CaptionSize MeasureCaption(HDC hDC, const std::string& cCaption) {
    if (cCaption.empty()) return {};
    if (cCaption.find("\r\n") == std::string::npos) return {1, static_cast<int>(TextExtent(hDC, cCaption).cx)};
    const std::string_view caption = cCaption;
    CaptionSize size;
    for (size_t start = 0; start <= caption.size();) {
        const size_t end = std::min(caption.find("\r\n", start), caption.size());
        size_t at = start;
        do {
            const std::string_view line = FirstCharacters(caption.substr(at, end - at), kLineLength);
            ++size.nLines;
            size.nWidth = std::max<int>(size.nWidth, TextExtent(hDC, line).cx);
            at += line.size();
        } while (at < end);
        start = end + 2;
    }
    return size;
}

}  // namespace

Answer TBtnBmp::Display() {
    BeginPaint();
    Paint();
    EndPaint();
    return Answer::Number(0);
}

// The bar's font is "Tahoma": a bar without one gets it, and its buttons share it.
void TBtnBmp::TakeFont() {
    if (const auto bar = lBarBtn ? Bar() : nullptr) {
        lRound = false;
        l2007 = bar->l2007;
        if (!bar->oFont || bar->oFont->cFaceName != "Tahoma")
            AdoptReference(bar->oFont, TFont::New({.cFaceName = "Tahoma", .nWidth = 0, .nHeight = -11}));
        if (oFont != bar->oFont) HoldReference(oFont, bar->oFont);
        return;
    }
    if (oFont) return;
    const auto parent = Parent();
    const auto grandParent = parent ? parent->Parent() : nullptr;
    if (parent && parent->oFont)
        HoldReference(oFont, parent->oFont);
    else if (grandParent && grandParent->oFont)
        HoldReference(oFont, grandParent->oFont);
}

int TBtnBmp::ChosenBitmap() const {
    const auto present = [this](int i) { return hBitmap[static_cast<size_t>(i)] != nullptr; };
    int index = 0;
    if (lPressed && present(1))
        index = 1;
    else if (!lPressed && !IsWindowEnabled(hWnd) && present(2))
        index = 2;
    else if (lMOver && present(3))
        index = 3;
    return present(index) ? index : -1;
}

// An alpha bitmap stretched over the button is stretched once, to the button's size.
void TBtnBmp::StretchToButton(int nIndex, int w, int h) {
    HBITMAP& stretched = hBitmap[static_cast<size_t>(nIndex)];
    if (const SIZE size = BMPSIZE(stretched); size.cx == w && size.cy == h) return;
    if (const HBITMAP resized = RESIZEBMP(stretched, w, h)) {
        DeleteObject(stretched);
        stretched = resized;
    }
}

// Where the bitmap and the caption go for the layout, in the DC's font.
TBtnBmp::FaceLayout TBtnBmp::LayOut(HDC hDCFont, int w, int h, HBITMAP hFaceBitmap) const {
    TEXTMETRICA metrics{};
    GetTextMetricsA(hDCFont, &metrics);
    const int ch = metrics.tmHeight;
    const CaptionSize caption = MeasureCaption(hDCFont, cCaption);
    const int lines = caption.nLines;
    const SIZE bmp = BMPSIZE(hFaceBitmap);
    FaceLayout f{{(w - bmp.cx) / 2, (h - bmp.cy) / 2}, {6, 0, w - 6 - (oPopup ? 12 : 0), h - 4}, 0, lines};
    POINT& at = f.at;
    if (hFaceBitmap && lines > 0) {
        switch (nLayout == 0 ? 1 : nLayout) {
            case 1: at.y = h / 2 - (bmp.cy + lines * ch) / 2 - 4; break;
            case 2: at.x = w / 2 - (bmp.cx + caption.nWidth) / 2 + 4; break;
            case 3: at.y = h / 2 - bmp.cy / 2 + lines * ch / 2 + 4; break;
            default: at.x = w / 2 - bmp.cx / 2 + caption.nWidth / 2 - 4; break;
        }
    }
    const bool unstretched = hFaceBitmap && !lAdjust;
    RECT& box = f.box;
    UINT& flags = f.nFlags;
    flags = DT_WORDBREAK | (nLayout % 2 == 0 ? DT_VCENTER : 0);
    switch (nLayout) {
        case 1:
            box.top = hFaceBitmap ? at.y + bmp.cy + 4 : h - lines * ch - 4;
            flags |= DT_CENTER;
            break;
        case 2:
            box.top = h / 2 - ch * lines / 2 - 4;
            box.left = unstretched ? at.x + bmp.cx + 4 : 4;
            flags |= unstretched ? DT_VCENTER : DT_RIGHT;
            break;
        case 3:
            box.top = hFaceBitmap ? at.y - lines * ch - 4 : 4;
            flags |= DT_CENTER | DT_RIGHT;
            break;
        case 4:
            box.top = h / 2 - ch * lines / 2 - 4;
            box.right = lAdjust ? w - 4 : hFaceBitmap ? at.x - 4 : w;
            flags |= unstretched ? DT_RIGHT : DT_VCENTER;
            break;
        default:
            box.top = h / 2 - ch * lines / 2 + 2;
            flags |= DT_CENTER;
            break;
    }
    if (oPopup && nLayout != 2) at.x -= 6;
    return f;
}

Answer TBtnBmp::Paint() {
    const DisplayBuffer buffer = DispBegin();
    // Copied and released however painting ends.
    struct EndDisplay {
        TBtnBmp& button;
        const DisplayBuffer& buffer;
        ~EndDisplay() { button.DispEnd(buffer); }
    } const end{*this, buffer};
    TakeFont();
    const RectArray client = GetCliRect();
    const int w = client.nRight, h = client.nBottom;
    const int index = ChosenBitmap();
    if (index >= 0 && lAdjust && aAlpha[static_cast<size_t>(index)]) StretchToButton(index, w, h);
    const HBITMAP bitmap = index >= 0 ? hBitmap[static_cast<size_t>(index)] : nullptr;
    const HGDIOBJ previousFont = oFont && oFont->hFont ? SelectObject(hDC, oFont->hFont) : nullptr;
    const FaceLayout face = LayOut(hDC, w, h, bitmap);
    const int shift = lPressed ? 1 : 0;
    // Without a caption the classic face draws the bitmap itself, and "..." is its own caption.
    const bool faceDrawsAll = !l2007 && (face.nLines == 0 || cCaption == "...");
    PaintBackground(hDC, w, h, faceDrawsAll ? index : -1);
    if (bitmap && !faceDrawsAll) PaintBitmap(hDC, index, face.at, shift);
    if (face.nLines > 0 && !faceDrawsAll) PaintCaption(hDC, face.box, face.nFlags, shift);
    if (lMOver && lBoxSelect) {
        if (lRound)
            ROUNDBOX(hDC, 2, 2, w - 3, h - 3, kCorner, kCorner, kHoverFrame);
        else
            WNDBOX2007(hDC, 0, 0, h - 1, w - 1, kHoverFrame);
    }
    if (oPopup) PaintArrow(hDC, w, h, shift);
    PaintFocus(hDC, w, h);
    if (previousFont) SelectObject(hDC, previousFont);
    return Answer::Number(0);
}

// 2007 bar buttons show the bar's gradient where they stand (the hovered or
// pressed one the gold gradient); stand-alone 2007 buttons a rounded gradient face;
// classic ones the native face, with bitmap nFaceBitmap (-1: none) when it draws it.
void TBtnBmp::PaintBackground(HDC hDCTarget, int w, int h, int nFaceBitmap) {
    const auto bar = lBarBtn ? Bar() : nullptr;
    if (!l2007) {
        const size_t i = static_cast<size_t>(std::max(nFaceBitmap, 0));
        PALBTNPAINT({.hWnd = hWnd, .hBitmap = nFaceBitmap >= 0 ? hBitmap[i] : nullptr,
                     .hPalette = nFaceBitmap >= 0 ? hPalette[i] : nullptr, .lPressed = lPressed,
                     .lAdjust = lAdjust, .lBorder = lBorder || (lMOver && l97Look), .lPopup = oPopup != nullptr,
                     .nClrPane = nClrPane, .cCaption = cCaption == "..." ? cCaption : std::string(),
                     .nLayout = nLayout, .hFont = oFont ? oFont->hFont : nullptr,
                     .nClrText = nClrText.value_or(GetSysColor(COLOR_BTNTEXT)), .hDC = hDCTarget,
                     .lNotOnBar = !bar});
        return;
    }
    if (bar) {
        const RectArray place = GETCOORS(hWnd);
        const RectArray barArea = bar->GetCliRect();
        POINT origin{};
        SetViewportOrgEx(hDCTarget, -place.nLeft, -place.nTop, &origin);
        TBar::FillGradient(hDCTarget, 0, 0, barArea.nBottom, barArea.nRight, bar->bClrGrad, false);
        SetViewportOrgEx(hDCTarget, origin.x, origin.y, nullptr);
        if (lMOver || lPressed) FillGradient(hDCTarget, 0, 0, h - 1, w, true);
        return;
    }
    if (lRound && !hRgn) {
        hRgn = CreateRoundRectRgn(0, 0, w, h, kCorner, kCorner);
        // The window owns it from here; the parent repaints the corners.
        if (hRgn && !SetWindowRgn(hWnd, hRgn, TRUE)) {
            DeleteObject(hRgn);
            hRgn = nullptr;
        }
    }
    FillGradient(hDCTarget, 0, 0, h - 1, w, lMOver);
    if (!lBorder) return;
    if (lRound) {
        ROUNDBOX(hDCTarget, 1, 1, w, h, kCorner, kCorner, kRoundInner);
        ROUNDBOX(hDCTarget, 0, 0, w - 1, h - 1, kCorner, kCorner, kRoundOuter, 1);
        return;
    }
    const HPEN pen = CreatePen(PS_SOLID, 1, kRoundOuter);
    RECTANGLE(hDCTarget, 0, 0, h - 1, w - 1, pen);
    DeleteObject(pen);
    FillGradient(hDCTarget, 1, 1, h - 2, w - 1, lMOver);
}

void TBtnBmp::PaintBitmap(HDC hDCTarget, int nIndex, POINT at, int nShift) {
    const HBITMAP bitmap = hBitmap[static_cast<size_t>(nIndex)];
    const SIZE size = BMPSIZE(bitmap);
    if (aAlpha[static_cast<size_t>(nIndex)]) {
        if (lAdjust)
            ABPAINT(hDCTarget, nShift, nShift, bitmap, nAlphaLevel());
        else
            ABPAINT(hDCTarget, at.x + nShift, at.y + nShift, bitmap, nAlphaLevel());
        return;
    }
    const COLORREF previousBack = SetBkColor(hDCTarget, RGB(255, 255, 255));
    const COLORREF transparent = BMPCORNER(bitmap);
    if (lAdjust) {
        const RectArray client = GetCliRect();
        TRANSBMP(bitmap, size.cx, size.cy, transparent, hDCTarget, nShift, nShift, client.nRight, client.nBottom);
    } else {
        TRANSBMP(bitmap, size.cx, size.cy, transparent, hDCTarget, at.x + nShift, at.y + nShift, size.cx, size.cy);
    }
    SetBkColor(hDCTarget, previousBack);
}

void TBtnBmp::PaintCaption(HDC hDCTarget, RECT box, UINT nFlags, int nShift) {
    const int previousMode = SetBkMode(hDCTarget, TRANSPARENT);
    const COLORREF colour =
        IsWindowEnabled(hWnd) ? nClrText.value_or(GetSysColor(COLOR_BTNTEXT)) : kDisabledText;
    const COLORREF previousColour = SetTextColor(hDCTarget, colour);
    DRAWTEXT(hDCTarget, cCaption,
             {static_cast<int>(box.top) + nShift, static_cast<int>(box.left) + nShift,
              static_cast<int>(box.bottom), static_cast<int>(box.right) + nShift},
             nFlags);
    SetTextColor(hDCTarget, previousColour);
    SetBkMode(hDCTarget, previousMode);
}

void TBtnBmp::PaintArrow(HDC hDCTarget, int w, int h, int nShift) const {
    const POINT corners[] = {{w - 9 + nShift, h / 2 - 1 + nShift},
                             {w - 7 + nShift, h / 2 + 1 + nShift},
                             {w - 5 + nShift, h / 2 - 1 + nShift}};
    const HGDIOBJ previousPen = SelectObject(hDCTarget, GetStockObject(BLACK_PEN));
    const HGDIOBJ previousBrush = SelectObject(hDCTarget, GetStockObject(BLACK_BRUSH));
    Polygon(hDCTarget, corners, 3);
    SelectObject(hDCTarget, previousBrush);
    SelectObject(hDCTarget, previousPen);
    if (!lBorder || !(lPressed || lMOver)) return;
    SYSLINE(hDCTarget, w - 12 + nShift, 1, w - 12 + nShift, h - 1, COLOR_BTNHIGHLIGHT);
    SYSLINE(hDCTarget, w - 13 + nShift, 1, w - 13 + nShift, h - 1, COLOR_BTNSHADOW);
}

void TBtnBmp::PaintFocus(HDC hDCTarget, int w, int h) const {
    if (!(GetWindowLongPtrA(hWnd, GWL_STYLE) & WS_TABSTOP) || GetFocus() != hWnd || lBarBtn || w <= 25) return;
    if (std::dynamic_pointer_cast<TDialog>(Parent()))
        DRAWFOCUSRECT(hDCTarget, 2, 2, h - 2, w - 2);
    else
        DRAWFOCUSRECT(hDCTarget, 4, 4, h - 4, w - 4);
}

}  // namespace corvix
