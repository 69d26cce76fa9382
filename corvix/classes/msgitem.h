#pragma once
// TMsgItem: a panel on a message bar (clock, date, a keyboard lock or one of
// the application's). Not a window: it paints into the bar's device context
// at a place packed from the bar's right end.

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <variant>

#include "corvix/runtime/value.h"

namespace corvix {

class TFont;
class TMsgBar;

class TMsgItem : public Object {
public:
    using ClickAction = std::function<void(int nRow, int nCol)>;
    // A fixed text, or a callback asked each time the tooltip shows.
    using ToolTip = std::variant<std::string, std::function<std::string()>>;

    // The 11 arguments of New, in their order.
    struct NewArgs {
        std::shared_ptr<TMsgBar> oMsgBar;
        std::string cMsg;
        std::optional<int> nWidth;  // default: the first bitmap's width + 7, else 40
        std::shared_ptr<TFont> oFont;  // default: the bar's
        std::optional<COLORREF> nClrFore;  // default: the bar's text colour
        std::optional<COLORREF> nClrBack;  // default: the bar's background
        std::string cColors;  // "W+/B": overrides both colours
        bool lAdd = false;
        ClickAction bAction;
        std::string cBmp1;  // a .bmp file, else a resource name
        std::string cBmp2;  // shown while inactive
        ToolTip cToolTip;
    };

    // The bar, which owns its items: only a weak link back.
    std::weak_ptr<TMsgBar> oMsgBar;
    std::string cMsg;
    int nWidth = 0;
    std::optional<COLORREF> nClrText, nClrPane, nClrDisabled;
    std::function<std::string()> bMsg;
    ClickAction bAction;
    std::shared_ptr<TFont> oFont;
    bool lActive = false;
    bool lTimer = false;
    bool lWasActive = false;
    HBITMAP hBitmap1 = nullptr, hBitmap2 = nullptr;
    HPALETTE hPalette1 = nullptr, hPalette2 = nullptr;
    ToolTip cToolTip;

    static std::shared_ptr<TMsgItem> New(const NewArgs& args);

    // Repaints when bMsg's text or the active state changed.
    void Refresh();
    void Paint();
    void SetFont(std::shared_ptr<TFont> oNewFont);
    void SetText(const std::string& cText);
    void Click(int nRow, int nCol) const;
    // Over the item, leaving out its last 6 columns and the top 6 rows.
    bool IsOver(int nRow, int nCol) const;
    // The left edge in bar coordinates.
    int nLeft() const;
    // The tooltip's text now; empty when there is none.
    std::string ToolTipText() const;
    // Gives back the font and deletes the bitmaps; the bar does it as it
    // goes, and an item dropped any other way does it as it dies.
    void End();
    ~TMsgItem() override { End(); }

private:
    // The bitmap shown now and its width; null when there is none.
    HBITMAP ShownBitmap() const;
    void PaintText(TMsgBar& bar, HDC hDC, int nBitmapWidth) const;
};

}  // namespace corvix
