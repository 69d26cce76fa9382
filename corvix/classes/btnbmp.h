#pragma once
// TBtnBmp: the bitmap button, on a button bar or standing alone. It shows
// one of four bitmaps (normal, pressed, disabled, mouse-over) with an
// optional caption in one of four layouts, a hover frame, an optional
// drop-down arrow for a popup menu, and in the 2007 look a gradient face;
// a stand-alone 2007 button is rounded and turns gold under the mouse.

#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "corvix/classes/control.h"
#include "corvix/native/barpaint.h"
#include "corvix/native/gradient.h"

namespace corvix {

class TBar;
class TFont;
class TMenu;

class TBtnBmp : public TControl {
public:
    using Action = std::function<void(TBtnBmp&)>;
    using GradientCallback = std::function<std::vector<GradientStep>(bool lMOver)>;

    // The 25 arguments of NewBar, in their order.
    struct NewBarArgs {
        std::string cResName1, cResName2, cBmpFile1, cBmpFile2;
        std::string cMsg;
        Action bAction;
        bool lGroup = false;
        std::shared_ptr<TBar> oBar;
        bool lAdjust = false;
        std::function<bool()> bWhen;
        std::string cToolTip;
        bool lPressed = false;
        std::function<void(const Value& xDropInfo, int nRow, int nCol, LPARAM nPacked)> bDrop;
        std::string cAction;
        std::optional<int> nPos;  // default: after the last button
        std::string cPrompt;
        std::shared_ptr<TFont> oFont;
        std::string cResName3, cBmpFile3;
        bool lBorder = true;
        std::shared_ptr<TMenu> oPopup;
        std::string cLayout = "TOP";
        std::string cResName4, cBmpFile4;
        bool lTransparent = false;
    };
    // A stand-alone button on a window; pixels.
    struct NewArgs {
        int nTop = 0;
        int nLeft = 0;
        int nWidth = 80;
        int nHeight = 26;
        std::string cResName1, cResName2, cBmpFile1, cBmpFile2;
        std::string cMsg;
        Action bAction;
        std::shared_ptr<TWindow> oWnd;  // default: the default window
        bool lAdjust = false;
        std::function<bool()> bWhen;
        std::string cToolTip;
        bool lPressed = false;
        std::string cPrompt;
        std::shared_ptr<TFont> oFont;
        std::string cResName3, cBmpFile3;
        bool lBorder = true;
        std::string cLayout = "TOP";
        bool l2007 = false;
        std::string cResName4, cBmpFile4;
        bool lTransparent = false;
        std::shared_ptr<TMenu> oPopup;
        bool lRound = true;
        GradientCallback bClrGrad;
    };

    // A button a dialog template or resource defines, by its identifier.
    struct ReDefineArgs {
        int nId = 0;
        std::string cResName1, cResName2, cBmpFile1, cBmpFile2;
        std::string cMsg;
        Action bAction;
        std::shared_ptr<TWindow> oWnd;  // default: the default window
        bool lAdjust = false;
        std::function<bool()> bWhen;
        std::string cToolTip;
        bool lPressed = false;
        std::string cPrompt;
        std::shared_ptr<TFont> oFont;
        std::string cResName3, cBmpFile3;
        bool lBorder = true;
        std::string cLayout = "TOP";
        bool l2007 = false;
        std::string cResName4, cBmpFile4;
        bool lTransparent = false;
        std::shared_ptr<TMenu> oPopup;
        bool lRound = true;
        GradientCallback bClrGrad;
    };

    Action bAction;
    std::string cAction;
    bool lPressed = false;
    bool lAdjust = false;
    bool lGroup = false;
    bool lWorking = false, lBtnUp = false, lBtnDown = false;
    bool lBoxSelect = false;
    std::array<HBITMAP, 4> hBitmap{};    // normal, pressed, disabled, mouse-over
    std::array<HPALETTE, 4> hPalette{};
    HRGN hRgn = nullptr;  // the rounded window region, owned by the window once set
    std::array<std::string, 4> cResName, cBmpFile;
    bool lProcessing = false;
    bool lBorder = true;
    bool lRound = true;
    // The drop-down arrow's menu. It hides TWindow's oPopup, the menu a window
    // is tracking; ShowPopup goes through the owner's TWindow for that one.
    std::shared_ptr<TMenu> oPopup;
    int nLayout = 1;  // 1 "TOP", 2 "LEFT", 3 "BOTTOM", 4 "RIGHT", 0 another name
    bool lMOver = false;
    GradientCallback bClrGrad;
    bool l2007 = false;
    bool lBarBtn = false;
    std::array<bool, 4> aAlpha{};
    std::function<int(TBtnBmp&)> bAlphaLevel;
    int hAlphaLevel = 255;
    // The key (Enter or Space) whose release completes a keyboard press; 0 none.
    int nKeyPressed = 0;

    static constexpr int kArrowWidth = kDropArrowWidth;

    static std::shared_ptr<TBtnBmp> NewBar(const NewBarArgs& args,
                                           std::source_location where = std::source_location::current());
    static std::shared_ptr<TBtnBmp> New(const NewArgs& args,
                                        std::source_location where = std::source_location::current());
    // The parent attaches it when its window comes.
    static std::shared_ptr<TBtnBmp> ReDefine(const ReDefineArgs& args);
    std::string ClassName() const override { return "TBTNBMP"; }
    // Attached to the dialog's item: its bitmaps are loaded then.
    void Initiate(HWND hDlg) override;

    // The layout's number: its place in "TOP", "LEFT", "BOTTOM", "RIGHT"; 0 when not there.
    static int LayoutOf(const std::string& cLayout);

    // The bar the button sits on, or null.
    std::shared_ptr<TBar> Bar() const;
    // The gradient for the current hover state: its own, else its bar's, else the default.
    std::vector<GradientStep> aGrad() const;
    int nAlphaLevel();
    void nAlphaLevel(int nLevel) { hAlphaLevel = nLevel; }

    void Click() override;
    void LoadBitmaps();
    void FreeBitmaps();
    void Toggle();
    void GoUp();
    void GoDown();
    // Opens the popup below the button.
    void ShowPopup();
    // Moves the window and keeps its rectangle; the size stays.
    void MoveTo(int nNewTop, int nNewLeft) { Place(nNewTop, nNewLeft, nWidth(), nHeight()); }

    Answer HandleEvent(UINT nMsg, WPARAM wParam, LPARAM lParam) override;
    Answer Paint() override;
    Answer Display() override;
    Answer EraseBkGnd(HDC) override { return Answer::Number(1); }
    Answer LButtonDown(int nRow, int nCol, WPARAM nKeyFlags) override;
    Answer LButtonUp(int nRow, int nCol, WPARAM nKeyFlags) override;
    Answer MouseMove(int nRow, int nCol, WPARAM nKeyFlags) override;
    void MouseLeave();
    Answer KeyChar(int nKey, LPARAM nFlags) override;
    Answer KeyDown(int nKey, LPARAM nFlags) override;
    Answer GotFocus(HWND hWndLost) override;
    Answer LostFocus(HWND hWndGetFocus) override;
    Answer Destroy() override;

private:
    template <typename A>
    void StoreCommon(const A& args);
    // The members of a stand-alone button New and ReDefine take alike.
    template <typename A>
    void StoreStandAlone(const A& args);
    bool IsOver(int nRow, int nCol) const;
    bool InArrow(int nCol) const { return oPopup && nCol >= nWidth() - kArrowWidth; }
    // Painting steps, in btnbmppaint.cpp.
    void TakeFont();
    int ChosenBitmap() const;
    struct FaceLayout {
        POINT at;      // the bitmap's top-left corner
        RECT box;      // the caption's rectangle
        UINT nFlags;   // DrawText's flags for the caption
        int nLines;    // caption lines, 0 without a caption
    };
    FaceLayout LayOut(HDC hDC, int nWidth, int nHeight, HBITMAP hFaceBitmap) const;
    void StretchToButton(int nIndex, int nWidth, int nHeight);
    void PaintBackground(HDC hDC, int nWidth, int nHeight, int nFaceBitmap);
    void PaintBitmap(HDC hDC, int nIndex, POINT at, int nShift);
    void PaintCaption(HDC hDC, RECT box, UINT nFlags, int nShift);
    // Fills with aGrad's colours for the given hover state, without copying the default.
    void FillGradient(HDC hDC, int nTop, int nLeft, int nBottom, int nRight, bool lHovered) const;
    void PaintArrow(HDC hDC, int nWidth, int nHeight, int nShift) const;
    void PaintFocus(HDC hDC, int nWidth, int nHeight) const;
};

}  // namespace corvix
