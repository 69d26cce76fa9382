#include "corvix/classes/checkbox.h"

#include "corvix/classes/font.h"
#include "corvix/native/themes.h"
#include "corvix/native/wrappers.h"

namespace corvix {

const std::vector<std::string> TCheckBox::aProperties = {"lChecked", "cVarName", "nClrText", "nClrPane", "nTop",
                                                         "nLeft",    "nWidth",   "nHeight",  "nAlign",   "Cargo"};

namespace {

constexpr int kBoxWidth = 16;     // the box and the gap after it
constexpr int kCaptionMargin = 4;  // the focus frame around the caption

TCheckBox::SetGet PrivateLogical() {
    return [value = std::make_shared<bool>(false)](const std::optional<Value>& x) {
        if (x) *value = x->AsLogical();
        return Value(*value);
    };
}

// The caption as drawn: "&" marks the mnemonic, "&&" shows one "&".
std::string ShownCaption(const std::string& cCaption) {
    std::string shown;
    for (size_t i = 0; i < cCaption.size(); ++i) {
        if (cCaption[i] == '&' && ++i == cCaption.size()) break;
        shown += cCaption[i];
    }
    return shown;
}

// Room for the box and the whole caption, measured in the font the window
// will have; without one the system font, the widest it may get.
int DefaultWidth(const std::string& cCaption, const std::shared_ptr<TFont>& oFont) {
    const HFONT font = oFont && oFont->hFont ? oFont->hFont : static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
    const HDC dc = ::GetDC(nullptr);
    const int text = GETTEXTWIDTH(dc, ShownCaption(cCaption), font);
    ::ReleaseDC(nullptr, dc);
    return kBoxWidth + text + kCaptionMargin;
}

}  // namespace

std::shared_ptr<TCheckBox> TCheckBox::New(const NewArgs& a, std::source_location where) {
    auto box = std::make_shared<TCheckBox>();
    box->oDefined = CallLevel::At(where);
    const auto parent = a.oWnd ? a.oWnd : GETWNDDEFAULT();
    box->bSetGet = a.bSetGet ? a.bSetGet : PrivateLogical();
    box->MakeLogical();
    const auto font = a.oFont ? a.oFont : (parent ? parent->oFont : nullptr);
    box->nTop = a.nRow * (a.lPixel ? 1 : 13);
    box->nLeft = a.nCol * (a.lPixel ? 1 : 7);
    box->nBottom = box->nTop + a.nHeight;
    // Seven pixels a character less 24 would cut the box of most captions.
    box->nRight = !a.nWidth  ? box->nLeft + DefaultWidth(a.cCaption, font)
                  : a.lPixel ? box->nLeft + *a.nWidth
                             : box->nLeft + *a.nWidth - 24;
    box->cCaption = a.cCaption;
    box->nStyle = WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX | WS_TABSTOP | (a.lDesign ? WS_CLIPSIBLINGS : 0);
    box->nId = GetNewId();
    box->StoreCommon(a, parent);
    box->oFont = font;
    box->lDrag = a.lDesign;
    box->CreateOrDefine("BUTTON");
    box->Refresh();
    if (a.lDesign) box->CheckDots();
    return box;
}

template <typename A>
void TCheckBox::StoreCommon(const A& a, const std::shared_ptr<TWindow>& parent) {
    nHelpId = a.nHelpId;
    bChange = a.bChange;
    oWnd = parent;
    bValid = a.bValid;
    cMsg = a.cMsg;
    lUpdate = a.lUpdate;
    bWhen = a.bWhen;
    SetColor(a.nClrText ? a.nClrText : parent ? parent->nClrText : std::nullopt,
             a.nClrBack ? a.nClrBack : parent ? parent->nClrPane : std::nullopt);
}

std::shared_ptr<TCheckBox> TCheckBox::ReDefine(const ReDefineArgs& a) {
    auto box = std::make_shared<TCheckBox>();
    const auto parent = a.oWnd ? a.oWnd : GETWNDDEFAULT();
    box->bSetGet = a.bSetGet ? a.bSetGet : PrivateLogical();
    box->MakeLogical();
    box->nId = a.nId;
    box->StoreCommon(a, parent);
    if (parent) parent->DefControl(box);
    return box;
}

void TCheckBox::MakeLogical() const {
    if (!VarGet().IsLogical()) bSetGet(Value(false));
}

bool TCheckBox::lChecked() const { return VarGet().AsLogical(); }

void TCheckBox::Click() {
    const auto keepAlive = shared_from_this();  // bChange may end this check box
    if (bSetGet) bSetGet(Value(!lChecked()));
    Refresh();  // the window toggled itself; it shows the value
    if (bChange) bChange(lChecked(), *this);
    TControl::Click();
}

void TCheckBox::Check() {
    VarPut(Value(true));
    Refresh();
}

void TCheckBox::UnCheck() {
    VarPut(Value(false));
    Refresh();
}

void TCheckBox::SetCheck(bool lOnOff) { lOnOff ? Check() : UnCheck(); }

void TCheckBox::Refresh() const { SENDMESSAGE(hWnd, BM_SETCHECK, lChecked() ? BST_CHECKED : BST_UNCHECKED); }

void TCheckBox::Reset() { UnCheck(); }

void TCheckBox::SetText(const std::string& cText) {
    if (hWnd && ISAPPTHEMED() && !lTransparent) {
        const HDC dc = ::GetDC(hWnd);
        DRAWPBACK(hWnd, dc);
        ::ReleaseDC(hWnd, dc);
    }
    cCaption = cText;
    if (hWnd) SetWindowTextA(hWnd, cCaption.c_str());
}

void TCheckBox::Initiate(HWND hDlg) {
    TControl::Initiate(hDlg);
    if (!hWnd) return;
    cCaption = GETWINDOWTEXT(hWnd);
    Refresh();
}

Answer TCheckBox::EraseBkGnd(HDC hDCCtl) {
    if (ISAPPTHEMED() && !lTransparent) return Answer::Number(1);
    return TControl::EraseBkGnd(hDCCtl);
}

Answer TCheckBox::MouseMove(int nRow, int nCol, WPARAM nKeyFlags) {
    const Answer inherited = TControl::MouseMove(nRow, nCol, nKeyFlags);
    return lDrag ? inherited : Answer::Nil();  // the class still sees the move
}

}  // namespace corvix
