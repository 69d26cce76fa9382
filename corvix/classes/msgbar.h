#pragma once
// TMsgBar: the message bar docked along the bottom of its parent. It shows
// the message on the left (or centred) and its items on the right, in the
// classic 3-D look or the 2007 look.

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "corvix/classes/msgitem.h"
#include "corvix/classes/window.h"

namespace corvix {

class TTimer;

class TMsgBar : public TWindow {
public:
    // The 11 arguments of New, in their order.
    struct NewArgs {
        std::shared_ptr<TWindow> oWnd;
        std::string cPrompt;
        bool lCentered = false;
        bool lClock = false;
        bool lDate = false;
        bool lKbd = false;
        COLORREF nClrFore = RGB(0, 0, 0);
        std::optional<COLORREF> nClrBack;  // default: COLOR_BTNFACE
        std::shared_ptr<TFont> oFont;      // default: see Default
        bool lInset = true;
        bool l2007 = false;
    };

    std::string cMsgDef;
    bool lCentered = false;
    bool lInset = false;
    std::shared_ptr<TTimer> oTimer;
    std::vector<std::shared_ptr<TMsgItem>> aItem;
    int nItem = 0;  // the hovered item, from 1; 0 none
    std::shared_ptr<TMsgItem> oKeyNum, oKeyCaps, oKeyIns, oClock, oDate;
    int nHeight = 0;  // pixels; hides the window's measured nHeight()
    bool lCheckRes = false;
    bool lInfoRes = false;
    bool l2007 = false;
    bool lPainting = false;
    bool lPaint3L = false;

    // A bar on a parent that has no window gets no window either; the error
    // handler is told.
    static std::shared_ptr<TMsgBar> New(const NewArgs& args,
                                        std::source_location where = std::source_location::current());
    std::string ClassName() const override { return "TMSGBAR"; }

    void AddItem(std::shared_ptr<TMsgItem> oItem);
    void DelItem(const std::shared_ptr<TMsgItem>& oItem);
    // nAt counts from 1; no position, or one below 1, does nothing.
    void InsItem(std::shared_ptr<TMsgItem> oItem, std::optional<int> nAt = std::nullopt);
    // Docks the bar along the bottom of the parent's client area again.
    void Adjust();
    void CheckTimer();
    void ClockOn();
    void ClockOff();
    void DateOn();
    void DateOff();
    void KeybOn();
    void KeybOff();
    void Default();
    Answer Destroy() override;
    int Display();
    int GetItem() const { return static_cast<int>(aItem.size()); }
    int Height() const { return nHeight; }
    Answer LDblClick(int nRow, int nCol, WPARAM nKeyFlags) override;
    Answer MouseMove(int nRow, int nCol, WPARAM nKeyFlags) override;
    Answer LButtonDown(int nRow, int nCol, WPARAM nKeyFlags) override;
    Answer Paint() override;
    // 2007 look: the background over nWidth columns from nLeft (default: the whole bar).
    void PaintBar(int nLeft = 0, std::optional<int> nWidth = std::nullopt);
    void SetMsg(const std::string& cText, bool lDefault = false) override;
    virtual void ShowMsgBar() {}
    using TWindow::ShowToolTip;
    void ShowToolTip() override;
    void TimerEval();

    // Text in the bar's device context with no background, in pixels.
    void SayTransparent(HDC hDC, int nRow, int nCol, const std::string& cText, COLORREF nColor, HFONT hFont) const;
    // The right end items are packed from.
    int nItemsRight() const;

private:
    RectArray DockedRect() const;
    int FirstItemLeft() const;
    std::string ShownMessage() const { return cMsg.empty() ? cMsgDef : cMsg; }
    void Paint2007();
    void PaintClassic();
    void RepaintMessage();
    std::shared_ptr<TMsgItem> StatusItem(const std::string& cText, std::function<std::string()> bMsg,
                                         TMsgItem::ClickAction bAction);
    std::shared_ptr<TMsgItem> KeyItem(const std::string& cName, BYTE nKey);
    void DropItem(std::shared_ptr<TMsgItem>& oItem);
    std::string ResourceCaption() const;
};

}  // namespace corvix
