#pragma once
// TBar: the button bar. A child window docked to an edge of its parent (or
// floating) that holds a row or column of TBtnBmp buttons in groups, in the
// classic, 3-D or 2007 look; the 2007 bar is a two-band blue gradient.

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "corvix/classes/control.h"
#include "corvix/native/gradient.h"

namespace corvix {

class TBtnBmp;
class TCursor;

class TBar : public TControl {
public:
    // The gradient description for the not hovered (false) or hovered (true) look.
    using GradientCallback = std::function<std::vector<GradientStep>(bool lMOver)>;

    // The 7 arguments of New, in their order.
    struct NewArgs {
        std::shared_ptr<TWindow> oWnd;  // default: the default window
        int nBtnWidth = 28;
        int nBtnHeight = 28;
        bool l3D = false;
        std::string cMode = "TOP";  // "TOP", "LEFT", "RIGHT", "BOTTOM", "FLOAT"
        std::shared_ptr<TCursor> oCursor;
        bool l2007 = false;
    };
    // The 10 arguments of NewAt, in their order; pixels.
    struct NewAtArgs {
        int nRow = 0;
        int nCol = 0;
        int nWidth = 0;
        int nHeight = 28;
        int nBtnWidth = 28;
        int nBtnHeight = 28;
        std::shared_ptr<TWindow> oWnd;
        bool l3D = false;
        std::string cMode = "TOP";
        std::shared_ptr<TCursor> oCursor;
    };

    int nGroups = 0;
    int nMode = 1;  // 1 top, 2 left, 3 right, 4 bottom, 5 floating
    int nBtnWidth = 28;
    int nBtnHeight = 28;
    bool l3D = false;  // the classic 3-D look (hides TControl's l3D accessors)
    bool l2007 = false;
    GradientCallback bClrGrad;

    // A bar on a parent that has no window is reported and gets none.
    static std::shared_ptr<TBar> New(const NewArgs& args,
                                     std::source_location where = std::source_location::current());
    static std::shared_ptr<TBar> NewAt(const NewAtArgs& args,
                                       std::source_location where = std::source_location::current());
    std::string ClassName() const override { return "TBAR"; }

    // The 2007 bar's colours: two bands, blue, or gold when hovered; every
    // bar's bClrGrad to begin with.
    static const std::vector<GradientStep>& Gradient2007(bool lMOver);
    // Fills rows nTop..nBottom, columns nLeft..nRight with bGrad's steps for
    // the state; an empty bGrad or the default one paints Gradient2007's own
    // steps, so painting copies nothing.
    static void FillGradient(HDC hDC, int nTop, int nLeft, int nBottom, int nRight, const GradientCallback& bGrad,
                             bool lMOver);

    bool IsVertical() const { return nMode == 2 || nMode == 3; }
    bool IsFloating() const { return nMode == 5; }
    // True for a 3-D bar that is not a 2007 one.
    bool Is3D() const { return l3D && !l2007; }
    // The bar's bitmap buttons; other controls on the bar are not counted.
    int nButtons() const;
    // Button nPos (from 1), or null.
    std::shared_ptr<TBtnBmp> Button(int nPos) const;
    // True for a place a new button can take: 1 to one after the last.
    bool IsNewPos(int nPos) const { return nPos >= 1 && nPos <= nButtons() + 1; }

    // Positions count from 1; a position outside the bar does nothing.
    // Add with no position appends; a button already on the bar, or made for
    // another window, is refused.
    void Add(std::shared_ptr<TBtnBmp> oBtn, std::optional<int> nPos = std::nullopt);
    void AddGroup(int nPos);
    void DelGroup(int nPos);
    void Del(int nPos);
    void BtnAdjust();
    // Both raise nGroups for a group start (each in its own direction).
    int GetBtnTop(bool lGroup);
    // With a position, the buttons from there on move right to make room
    // (13 pixels more for a button with a drop-down arrow).
    int GetBtnLeft(bool lGroup, std::optional<int> nPos = std::nullopt, bool lPopup = false);
    // Undoes what GetBtnTop and GetBtnLeft reserved for a button whose window
    // could not be made.
    void Unreserve(bool lGroup, std::optional<int> nPos, bool lPopup = false);
    // A side bar as wide as its widest button, a floating one as large as its
    // rows: every button whole.
    void Fit();
    // Docks the bar to its edge of the parent again.
    void Adjust();
    // Adjust (a side bar between what is docked above and below it), then
    // takes the bar's rows or columns from the parent's free client area.
    void DockIn(RECT& rFree);

    // Re-docking: to an edge of the parent, or floating (two buttons a row)
    // where the bar stands; FloatClick docks a floating bar at the top again.
    // GoTop docks; it hides TWindow's GoTop, which brings a window to the front.
    void GoTop() { Dock(1); }
    void GoLeft() { Dock(2); }
    void GoRight() { Dock(3); }
    void GoDown() { Dock(4); }
    void Float() { Dock(5); }
    void FloatClick() {
        if (IsFloating()) GoTop();
    }
    // The right button offers the edges and floating in a context menu.
    Answer RButtonDown(int nRow, int nCol, WPARAM nKeyFlags) override;

    Answer Paint() override;
    Answer Display() override;
    Answer EraseBkGnd(HDC) override { return Answer::Number(1); }
    Answer MouseMove(int nRow, int nCol, WPARAM nKeyFlags) override;

private:
    void Init(int nTop, int nLeft, int nBottom, int nRight, const std::shared_ptr<TWindow>& parent,
              const std::shared_ptr<TCursor>& cursor);
    void Link2Parent(TWindow& parent);
    void Dock(int nNewMode);
    // Calls f(button, position) for each bitmap button in order, until f answers false.
    template <typename F>
    void ForEachButton(F f) const;
    // The place where GetBtnLeft inserts and moves later buttons; none for appending.
    std::optional<int> InsertPos(std::optional<int> nPos) const;
    // Moves buttons nPos onwards by nBy pixels along the bar.
    void ShiftFrom(int nPos, int nBy);
    void SetGroup(int nPos, bool lGroup);
    // The width of a side bar: a button, 13 more when one has a drop-down arrow.
    int Across() const;
    void PaintSeparators(bool lVertical) const;
};

}  // namespace corvix
