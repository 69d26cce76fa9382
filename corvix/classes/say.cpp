#include "corvix/classes/say.h"

#include <cstdlib>

#include "corvix/classes/brush.h"
#include "corvix/classes/font.h"
#include "corvix/function/valblank.h"
#include "corvix/native/themes.h"
#include "corvix/native/wrappers.h"
#include "corvix/runtime/picturemask.h"

namespace corvix {

namespace {

// One rectangle type: they are values of one field of the style, not flags,
// and a rectangle shows no text to align.
DWORD TypeStyle(const TSay::NewArgs& a) {
    if (a.lBlackRect) return SS_BLACKRECT;
    if (a.lGrayRect) return SS_GRAYRECT;
    if (a.lWhiteRect) return SS_WHITERECT;
    return a.lCenter ? SS_CENTER : a.lRight ? SS_RIGHT : SS_LEFT;
}

}  // namespace

std::shared_ptr<TSay> TSay::New(const NewArgs& a, std::source_location where) {
    auto say = std::make_shared<TSay>();
    say->oDefined = CallLevel::At(where);
    const auto parent = a.oWnd ? a.oWnd : GETWNDDEFAULT();
    say->oWnd = parent;
    const auto text = a.nClrText ? a.nClrText : parent ? parent->nClrText : std::nullopt;
    const auto back = a.nClrBack                                  ? a.nClrBack
                      : parent && parent->ClassName() == "TWINDOW" ? parent->nClrPane
                                                                   : GetSysColor(COLOR_BTNFACE);
    const int height = a.nHeight.value_or(a.oFont ? static_cast<int>(std::abs(a.oFont->nHeight())) : 15);
    say->l3D = a.lBlackRect || a.lGrayRect || a.lWhiteRect;
    say->oFont = a.oFont ? a.oFont : (parent ? parent->oFont : nullptr);
    say->cPicture = a.cPicture;
    say->SetGetter(a.bText ? a.bText : [] { return Value(""); });
    say->cCaption = say->Formatted(say->bGet());
    const int width = a.nWidth.value_or(say->TextWidth(say->cCaption));
    say->nTop = a.lPixels ? a.nRow : a.nRow * 15 + 2;
    say->nLeft = a.lPixels ? a.nCol : a.nCol * 6;
    say->nBottom = say->nTop + height - 1;
    say->nRight = say->nLeft + width - 1;
    say->nId = GetNewId();
    say->nStyle = WS_CHILD | WS_VISIBLE | (a.lDesign ? WS_CLIPSIBLINGS | WS_TABSTOP : 0) |
                  (a.lBorder ? WS_BORDER : 0) | TypeStyle(a);
    say->lDrag = a.lDesign;
    say->lUpdate = a.lUpdate;
    say->lAdjust = a.lAdjust;
    say->lTransparent = a.lTransparent;
    say->SetColor(text, back);
    if (!ISAPPTHEMED() && say->lTransparent && parent && parent->oBrush) say->SetBrush(parent->oBrush);
    say->CreateOrDefine("STATIC");
    if (say->hWnd && say->l3D) say->Set3DLook(true);
    if (a.lDesign) say->CheckDots();
    return say;
}

std::shared_ptr<TSay> TSay::ReDefine(const ReDefineArgs& a) {
    auto say = std::make_shared<TSay>();
    const auto parent = a.oWnd ? a.oWnd : GETWNDDEFAULT();
    say->oWnd = parent;
    say->nId = a.nId;
    say->cPicture = a.cPicture;
    say->oFont = a.oFont;
    say->lTransparent = a.lTransparent;
    say->lAdjust = a.lAdjust;
    say->lUpdate = a.lUpdate;
    if (a.bText) {
        say->SetGetter(a.bText);
        say->cCaption = say->Formatted(say->bGet());
    }
    say->SetColor(a.nClrText ? a.nClrText : parent ? parent->nClrText : std::nullopt,
                  a.nClrBack.value_or(GetSysColor(COLOR_BTNFACE)));
    if (parent) parent->DefControl(say);
    return say;
}

void TSay::SetGetter(Getter bNewGet) {
    bGet = std::move(bNewGet);
    bSetGet = [get = bGet](const std::optional<Value>&) { return get(); };
}

std::string TSay::Formatted(const Value& xValue) const {
    return cPicture.empty() ? CVALTOCHAR(xValue) : PictureText(xValue, cPicture);
}

int TSay::TextWidth(const std::string& cText) const {
    const auto parent = Parent();
    const HWND where = hWnd ? hWnd : parent ? parent->hWnd : nullptr;
    HFONT font = oFont ? oFont->hFont : nullptr;
    if (!font && where) font = reinterpret_cast<HFONT>(SendMessageA(where, WM_GETFONT, 0, 0));
    const HDC dc = ::GetDC(where);
    const int width = GETTEXTWIDTH(dc, cText, font);
    ::ReleaseDC(where, dc);
    return width;
}

bool TSay::ParentBrushHasBitmap() const {
    const auto parent = Parent();
    return parent && parent->oBrush && parent->oBrush->hBitmap;
}

void TSay::SetText(const Value& xValue) {
    cCaption = Formatted(xValue);
    if (!hWnd) return;
    const auto parent = Parent();
    if (parent && parent->oBrush && !ParentBrushHasBitmap() && (ISAPPTHEMED() || lTransparent)) {
        const HDC dc = ::GetDC(hWnd);
        DRAWPBACK(hWnd, dc);
        ::ReleaseDC(hWnd, dc);
    }
    const bool leftAligned = (GetWindowLongPtrA(hWnd, GWL_STYLE) & SS_TYPEMASK) == SS_LEFT;
    if (leftAligned && lAdjust) {
        const int wanted = TextWidth(cCaption) + 20;
        if (wanted > nWidth()) nWidth(wanted);
    }
    SetWindowTextA(hWnd, cCaption.c_str());
}

void TSay::Refresh() {
    if (bGet) SetText(bGet());
}

void TSay::VarPut(const Value& xValue) {
    SetGetter([xValue] { return xValue; });
}

void TSay::Initiate(HWND hDlg) {
    TControl::Initiate(hDlg);
    if (!hWnd) return;
    if (const auto parent = Parent(); !ISAPPTHEMED() && lTransparent && ParentBrushHasBitmap() && oBrush)
        SetBrush(parent->oBrush);
    if (cCaption.empty())
        cCaption = GETWINDOWTEXT(hWnd);
    else if (!HoldsWindowText(hWnd, cCaption))  // as an in-memory template made it: setting it again only redraws
        SetWindowTextA(hWnd, cCaption.c_str());
}

Answer TSay::EraseBkGnd(HDC hDCCtl) {
    if (ISAPPTHEMED() || lTransparent) return Answer::Number(1);
    return TControl::EraseBkGnd(hDCCtl);
}

Answer TSay::HandleEvent(UINT nMsg, WPARAM wParam, LPARAM lParam) {
    if (nMsg == WM_NCHITTEST && (lDrag || lWantClick))
        return Answer::Number(DefWindowProcA(hWnd, nMsg, wParam, lParam));
    return TControl::HandleEvent(nMsg, wParam, lParam);
}

}  // namespace corvix
