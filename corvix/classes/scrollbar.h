#pragma once
// TScrollBar: one class for a scroll-bar control (a "SCROLLBAR" child
// window, addressed as SB_CTL) and a window's frame bar (no window of its
// own: its parent's window with SB_VERT or SB_HORZ). Both turn scroll
// requests into position changes and callbacks; a line step moves first and
// calls after, a page step calls first and moves after, a thumb release
// only calls bPos.

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "corvix/classes/control.h"

namespace corvix {

class TScrollBar : public TControl {
public:
    using Action = std::function<void()>;
    using PosAction = std::function<void(int nPos)>;

    // The 22 arguments of New, in their order. Rows are 14 pixels and columns
    // 8 unless lPixel; the size is exact, in pixels.
    struct NewArgs {
        int nRow = 0;
        int nCol = 0;
        int nMin = 0;
        int nMax = 0;
        int nPgStep = 1;
        bool lVertical = true;
        std::shared_ptr<TWindow> oWnd;  // default: the default window
        std::optional<int> nWidth;      // 16 vertical, 100 horizontal
        std::optional<int> nHeight;     // 100 vertical, 17 horizontal
        Action bUpAction, bDownAction, bPgUp, bPgDown;
        PosAction bPos;
        bool lPixel = false;
        std::optional<COLORREF> nClrText;  // default: the system's window colour
        std::optional<COLORREF> nClrBack;  // default: the system's scroll-bar colour
        std::string cMsg;
        bool lUpdate = false;
        std::function<bool()> bWhen;
        std::function<bool()> bValid;
        bool lDesign = false;
    };
    // The 15 arguments of WinNew, in their order; the colours are not used.
    struct WinNewArgs {
        int nMin = 1;
        int nMax = 2;
        int nPgStep = 1;
        bool lVertical = true;
        std::shared_ptr<TWindow> oWnd;
        Action bUpAction, bDownAction, bPgUp, bPgDown;
        PosAction bPos;
        std::optional<COLORREF> nClrText, nClrBack;
        bool lUpdate = false;
        std::function<bool()> bWhen;
        std::function<bool()> bValid;
    };
    // The 16 arguments of ReDefine, in their order.
    struct ReDefineArgs {
        int nId = 0;
        int nMin = 0;
        int nMax = 0;
        int nPgStep = 1;
        std::shared_ptr<TWindow> oWnd;  // default: the default window
        Action bUpAction, bDownAction, bPgUp, bPgDown;
        PosAction bPos;
        std::optional<COLORREF> nClrText, nClrBack;
        std::string cMsg;
        bool lUpdate = false;
        std::function<bool()> bWhen;
        std::function<bool()> bValid;
    };

    bool lVertical = false;
    bool lReDraw = true;
    bool lIsChild = false;  // a frame bar of the parent's window
    int nMin = 0, nMax = 0;
    int nPgStep = 1;
    Action bGoUp, bGoDown, bGoTop, bGoBottom, bPageUp, bPageDown;
    PosAction bPos;    // the thumb was released there
    PosAction bTrack;  // the thumb is being dragged there

    static const std::vector<std::string> aProperties;

    static std::shared_ptr<TScrollBar> New(const NewArgs& args,
                                           std::source_location where = std::source_location::current());
    static std::shared_ptr<TScrollBar> WinNew(const WinNewArgs& args);
    static std::shared_ptr<TScrollBar> ReDefine(const ReDefineArgs& args);

    std::string ClassName() const override { return "TSCROLLBAR"; }

    int GetPos() const;
    // Answers the position before.
    int SetPos(int nPos) const;
    std::pair<int, int> GetRange() const;
    void SetRange(int nNewMin, int nNewMax);
    void GoUp();
    void GoDown();
    void GoTop();
    void GoBottom();
    void PageUp();
    void PageDown();
    void ThumbPos(int nPos);
    void ThumbTrack(int nPos);
    // The bar that system scroll messages name: its own window, or the
    // parent's frame with the bar code; null when there is none.
    HWND Target() const;
    int BarCode() const;
    // 1 vertical, 2 horizontal. Setting 2 makes a vertical control horizontal;
    // any other value leaves the style as it is.
    int nOrientation() const { return lVertical ? 1 : 2; }
    void nOrientation(int n);

    void Initiate(HWND hDlg) override;
    std::string cToChar(std::string = "") override { return TControl::cToChar("SCROLLBAR"); }
    Answer HandleEvent(UINT nMsg, WPARAM wParam, LPARAM lParam) override;
    Answer MouseMove(int nRow, int nCol, WPARAM nKeyFlags) override;

private:
    // The window's range and its position at nMin, in one call.
    void ShowRange();
    template <typename A>
    void StoreActions(const A& args);
};

}  // namespace corvix
