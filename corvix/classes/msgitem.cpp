#include "corvix/classes/msgitem.h"

#include "corvix/classes/colorstring.h"
#include "corvix/classes/font.h"
#include "corvix/classes/msgbar.h"
#include "corvix/classes/reference.h"
#include "corvix/native/bitmaps.h"
#include "corvix/native/drawmasked.h"
#include "corvix/native/ansitext.h"
#include "corvix/native/msgpaint.h"

namespace corvix {

namespace {

bool FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// From the file when there is one, else from the program's resources; an
// item whose bitmap cannot be loaded goes without it, quietly: the bar never
// interrupts the program with a message.
HBITMAP LoadItemBitmap(const std::string& cName) {
    if (cName.empty()) return nullptr;
    return FileExists(cName) ? READBITMAP(nullptr, cName) : LOADBITMAP(GETRESOURCES(), cName);
}

int BitmapWidth(HBITMAP hBitmap) {
    BITMAP info{};
    return GetObjectA(hBitmap, sizeof info, &info) ? info.bmWidth : 0;
}

std::string Trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

int TextWidth(HDC hDC, const std::string& text, HFONT hFont) {
    const HGDIOBJ previous = hFont ? SelectObject(hDC, hFont) : nullptr;
    const SIZE size = TextExtent(hDC, text);
    if (previous) SelectObject(hDC, previous);
    return size.cx;
}

void DeleteBitmap(HBITMAP& hBitmap) {
    if (hBitmap) DeleteObject(hBitmap);
    hBitmap = nullptr;
}

}  // namespace

std::shared_ptr<TMsgItem> TMsgItem::New(const NewArgs& a) {
    auto item = std::make_shared<TMsgItem>();
    const auto& bar = a.oMsgBar;
    item->oMsgBar = bar;
    item->cMsg = a.cMsg;
    item->nClrText = a.nClrFore ? a.nClrFore : (bar ? bar->nClrText : std::nullopt);
    item->nClrPane = a.nClrBack ? a.nClrBack : (bar ? bar->nClrPane : std::nullopt);
    if (const auto colours = a.cColors.empty() ? std::nullopt : ParseColorString(a.cColors)) {
        item->nClrText = colours->nFore;
        item->nClrPane = colours->nBack;
    }
    HoldReference(item->oFont, a.oFont ? a.oFont : (bar ? bar->oFont : nullptr));
    item->bAction = a.bAction;
    item->lActive = item->lWasActive = true;
    item->cToolTip = a.cToolTip;
    std::optional<int> width = a.nWidth;
    for (auto [name, bitmap] : {std::pair{&a.cBmp1, &item->hBitmap1}, std::pair{&a.cBmp2, &item->hBitmap2}}) {
        *bitmap = LoadItemBitmap(*name);
        if (*bitmap && !a.nWidth) width = BitmapWidth(*bitmap) + 7;
    }
    item->nWidth = width.value_or(40);
    if (a.lAdd && bar) bar->AddItem(item);
    return item;
}

void TMsgItem::Refresh() {
    if (!bMsg) return;
    std::string text = bMsg();
    if (text == cMsg && lActive == lWasActive) return;
    cMsg = std::move(text);
    Paint();
    lWasActive = lActive;
}

void TMsgItem::Paint() {
    const auto bar = oMsgBar.lock();
    if (!bar) return;
    const HDC dc = bar->GetDC();
    if (!dc) return;
    const int left = nLeft();
    if (bar->l2007) bar->PaintBar(left, nWidth);
    int bitmapWidth = 0;
    if (const HBITMAP bitmap = ShownBitmap()) {
        DRAWMASKED(dc, bitmap, 2, left + 1);
        bitmapWidth = BitmapWidth(bitmap);
    }
    PaintText(*bar, dc, bitmapWidth);
    bar->ReleaseDC();
}

void TMsgItem::PaintText(TMsgBar& bar, HDC hDC, int nBitmapWidth) const {
    const int left = nLeft();
    const HFONT font = oFont ? oFont->hFont : nullptr;
    const std::optional<COLORREF> colour = lActive ? nClrText : nClrDisabled;
    if (bar.l2007) {
        const std::string text = Trimmed(cMsg);
        const int col = (left - 1) + nWidth / 2 - TextWidth(hDC, text, font) / 2;
        bar.SayTransparent(hDC, bar.nHeight / 4 - 2, col, text, colour.value_or(RGB(0, 0, 0)), font);
        WNDBOXIN(hDC, 2, left - 4, bar.nHeight - 2, left - 3);
        return;
    }
    DRAWMSGITEM(hDC, cMsg, {5, left + nBitmapWidth, bar.nHeight - 6, left + nWidth - 4}, colour, nClrPane, font);
    WNDBOXIN(hDC, 0, left - 4, bar.nHeight - 1, left - 3);
    if (bar.lInset) WNDBOXIN(hDC, 3, left + 1, bar.nHeight - 5, left + nWidth - 4);
}

HBITMAP TMsgItem::ShownBitmap() const {
    if (!lActive && hBitmap2) return hBitmap2;
    return hBitmap1;
}

void TMsgItem::SetFont(std::shared_ptr<TFont> oNewFont) { HoldReference(oFont, std::move(oNewFont)); }

void TMsgItem::SetText(const std::string& cText) {
    cMsg = cText;
    Paint();
}

void TMsgItem::Click(int nRow, int nCol) const {
    if (bAction) bAction(nRow, nCol);
}

bool TMsgItem::IsOver(int nRow, int nCol) const {
    const int left = nLeft();
    return nCol >= left - 1 && nCol <= left + nWidth - 7 && nRow > 5;
}

int TMsgItem::nLeft() const {
    const auto bar = oMsgBar.lock();
    if (!bar) return 0;
    int left = bar->nItemsRight();
    for (auto it = bar->aItem.rbegin(); it != bar->aItem.rend() && it->get() != this; ++it)
        left -= (*it)->nWidth + 4;
    return left - (nWidth - 2);
}

std::string TMsgItem::ToolTipText() const {
    if (const auto* text = std::get_if<std::string>(&cToolTip)) return *text;
    const auto& callback = std::get<std::function<std::string()>>(cToolTip);
    return callback ? callback() : "";
}

void TMsgItem::End() {
    DropReference(oFont);
    DeleteBitmap(hBitmap1);
    DeleteBitmap(hBitmap2);
}

}  // namespace corvix
