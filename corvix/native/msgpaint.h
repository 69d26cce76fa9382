#pragma once
// The message bar's drawing: the classic message area, size grip, item
// panels and sunken boxes, and the 2007 background image.

#include <windows.h>

#include <optional>
#include <string>

#include "corvix/native/geometry.h"

namespace corvix {

// The arguments of MSGPAINT, in their order.
struct MsgPaintArgs {
    HWND hWnd = nullptr;
    std::string cMsg;
    std::string cMsgDef;  // shown when cMsg is empty
    bool lFrame = false;
    bool lCentered = false;
    int nItemLeft = 0;  // the first item's left edge; 0 without items
    std::optional<COLORREF> nClrText;
    std::optional<COLORREF> nClrPane;
    HFONT hFont = nullptr;
    bool lInset = false;
    HDC hDC = nullptr;
};

// The classic message area: the text on its background, with the raised
// frame and the sunken box around the text when asked.
void MSGPAINT(const MsgPaintArgs& args);

// The size grip at the bottom-right corner, themed when the application is;
// none on a maximised parent.
void MSGPAINT3L(HWND hWnd, std::optional<COLORREF> nClrPane, HDC hDC);

// An item's text centred on its background over aRect.
void DRAWMSGITEM(HDC hDC, const std::string& cText, const RectArray& aRect,
                 std::optional<COLORREF> nClrText = std::nullopt, std::optional<COLORREF> nClrPane = std::nullopt,
                 HFONT hFont = nullptr);

// A sunken one-pixel box: shadow left and top, highlight bottom and right.
void WNDBOXIN(HDC hDC, int nTop, int nLeft, int nBottom, int nRight);

// A new device bitmap of the stored 26 x 23 background of the 2007 look.
HBITMAP MSGBAR2007(HDC hDC);

}  // namespace corvix
