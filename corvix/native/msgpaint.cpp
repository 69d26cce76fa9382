#include "corvix/native/msgpaint.h"

#include <array>

#include "corvix/native/ansitext.h"
#include "corvix/native/themes.h"

namespace corvix {

namespace {

// A one-pixel box in the DC pen, so no pen is made per box.
void Frame(HDC hDC, int nTop, int nLeft, int nBottom, int nRight, COLORREF nTopLeft, COLORREF nBottomRight) {
    const HGDIOBJ previousPen = SelectObject(hDC, GetStockObject(DC_PEN));
    const COLORREF previousColour = SetDCPenColor(hDC, nTopLeft);
    MoveToEx(hDC, nLeft, nBottom, nullptr);
    LineTo(hDC, nLeft, nTop);
    LineTo(hDC, nRight, nTop);
    SetDCPenColor(hDC, nBottomRight);
    MoveToEx(hDC, nLeft, nBottom, nullptr);
    LineTo(hDC, nRight, nBottom);
    LineTo(hDC, nRight, nTop - 1);  // LineTo leaves out its end point
    SetDCPenColor(hDC, previousColour);
    SelectObject(hDC, previousPen);
}

void Line(HDC hDC, int nX1, int nY1, int nX2, int nY2, COLORREF nColor) {
    const HGDIOBJ previousPen = SelectObject(hDC, GetStockObject(DC_PEN));
    const COLORREF previousColour = SetDCPenColor(hDC, nColor);
    MoveToEx(hDC, nX1, nY1, nullptr);
    LineTo(hDC, nX2, nY2);
    SetDCPenColor(hDC, previousColour);
    SelectObject(hDC, previousPen);
}

// Fills with a colour through ExtTextOut, which needs no brush.
void FillSolid(HDC hDC, const RECT& aRect, COLORREF nColor) {
    const COLORREF previous = SetBkColor(hDC, nColor);
    ExtTextOutA(hDC, 0, 0, ETO_OPAQUE, &aRect, "", 0, nullptr);
    SetBkColor(hDC, previous);
}

bool ParentMaximised(HWND hWnd) {
    const HWND parent = GetParent(hWnd);
    return parent && IsZoomed(parent);
}

void ClassicGrip(HDC hDC, const RECT& client, COLORREF nPane) {
    const int x = client.right - 2, y = client.bottom - 1;
    FillSolid(hDC, {x - 11, y - 12, client.right, client.bottom}, nPane);
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW), highlight = GetSysColor(COLOR_BTNHIGHLIGHT);
    for (const int k : {0, 4, 8}) {
        Line(hDC, x, y - k - 3, x - k - 3, y, shadow);
        Line(hDC, x, y - k - 2, x - k - 2, y, shadow);
    }
    for (const int k : {0, 4, 8}) Line(hDC, x, y - k - 4, x - k - 4, y, highlight);
}

// The stored image: 26 x 23 pixels, 24 bits, bottom-up, one colour per row.
constexpr int kImageWidth = 26;
constexpr int kImageHeight = 23;
constexpr int kImageStride = (kImageWidth * 3 + 3) / 4 * 4;
constexpr std::array<std::array<BYTE, 3>, kImageHeight> kRowColours = {{
    {255, 255, 255}, {227, 239, 255}, {223, 236, 255}, {219, 234, 255}, {215, 232, 255}, {212, 230, 255},
    {208, 228, 255}, {204, 226, 255}, {201, 224, 255}, {197, 222, 255}, {173, 209, 255}, {174, 209, 255},
    {176, 210, 255}, {177, 211, 255}, {179, 212, 255}, {180, 212, 255}, {182, 213, 255}, {183, 214, 255},
    {185, 215, 255}, {186, 216, 255}, {188, 216, 255}, {189, 217, 255}, {191, 218, 255},
}};

constexpr std::array<BYTE, kImageStride * kImageHeight> StoredImageBits() {
    std::array<BYTE, kImageStride * kImageHeight> bits{};
    for (int row = 0; row < kImageHeight; ++row) {
        const auto& [red, green, blue] = kRowColours[static_cast<size_t>(row)];
        const int stored = (kImageHeight - 1 - row) * kImageStride;
        for (int col = 0; col < kImageWidth; ++col) {
            bits[static_cast<size_t>(stored + col * 3)] = blue;
            bits[static_cast<size_t>(stored + col * 3 + 1)] = green;
            bits[static_cast<size_t>(stored + col * 3 + 2)] = red;
        }
    }
    return bits;
}

constexpr auto kStoredImage = StoredImageBits();

}  // namespace

void MSGPAINT(const MsgPaintArgs& a) {
    if (!a.hWnd || !a.hDC) return;
    RECT client{};
    GetClientRect(a.hWnd, &client);
    RECT area{client.left + 4, client.top + 4, client.right - 4, client.bottom - 4};
    if (a.nItemLeft) area.right = a.nItemLeft - 11;
    const std::string& text = a.cMsg.empty() ? a.cMsgDef : a.cMsg;
    const HGDIOBJ previousFont = a.hFont ? SelectObject(a.hDC, a.hFont) : nullptr;
    const COLORREF previousText = SetTextColor(a.hDC, a.nClrText.value_or(RGB(0, 0, 0)));
    const COLORREF previousBack = SetBkColor(a.hDC, a.nClrPane.value_or(GetSysColor(COLOR_BTNFACE)));
    ExtTextOutA(a.hDC, 0, 0, ETO_OPAQUE | ETO_CLIPPED, &area, "", 0, nullptr);
    DrawTextAnsi(a.hDC, text, area, DT_NOPREFIX | (a.lCentered ? DT_CENTER : 0));
    SetBkColor(a.hDC, previousBack);
    SetTextColor(a.hDC, previousText);
    if (previousFont) SelectObject(a.hDC, previousFont);
    if (!a.lFrame) return;
    Frame(a.hDC, 0, 0, client.bottom - 1, client.right - 1, GetSysColor(COLOR_BTNHIGHLIGHT),
          GetSysColor(COLOR_BTNSHADOW));
    if (a.lInset) WNDBOXIN(a.hDC, 3, 3, client.bottom - 4, a.nItemLeft ? a.nItemLeft - 9 : client.right - 4);
}

void MSGPAINT3L(HWND hWnd, std::optional<COLORREF> nClrPane, HDC hDC) {
    if (!hWnd || !hDC || ParentMaximised(hWnd)) return;
    RECT client{};
    GetClientRect(hWnd, &client);
    constexpr int kStatusGripper = 3;
    if (ISAPPTHEMED() &&
        DRAWTHEMEPART(hWnd, hDC, L"Status", kStatusGripper, 0,
                      {client.right - 20, client.top, client.right, client.bottom - 1}))
        return;
    ClassicGrip(hDC, client, nClrPane.value_or(GetSysColor(COLOR_BTNFACE)));
}

void DRAWMSGITEM(HDC hDC, const std::string& cText, const RectArray& aRect, std::optional<COLORREF> nClrText,
                 std::optional<COLORREF> nClrPane, HFONT hFont) {
    if (!hDC) return;
    RECT area = aRect.ToRECT();
    const HGDIOBJ previousFont = hFont ? SelectObject(hDC, hFont) : nullptr;
    const COLORREF previousText = SetTextColor(hDC, nClrText.value_or(RGB(0, 0, 0)));
    const COLORREF previousBack = SetBkColor(hDC, nClrPane.value_or(RGB(192, 192, 192)));
    ExtTextOutA(hDC, 0, 0, ETO_OPAQUE, &area, "", 0, nullptr);
    DrawTextAnsi(hDC, cText, area, DT_CENTER);
    SetBkColor(hDC, previousBack);
    SetTextColor(hDC, previousText);
    if (previousFont) SelectObject(hDC, previousFont);
}

void WNDBOXIN(HDC hDC, int nTop, int nLeft, int nBottom, int nRight) {
    if (!hDC) return;
    Frame(hDC, nTop, nLeft, nBottom, nRight, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
}

HBITMAP MSGBAR2007(HDC hDC) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = kImageWidth;
    info.bmiHeader.biHeight = kImageHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    return CreateDIBitmap(hDC, &info.bmiHeader, CBM_INIT, kStoredImage.data(), &info, DIB_RGB_COLORS);
}

}  // namespace corvix
