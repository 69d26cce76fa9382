#pragma once
// TSay: a label on the system class "STATIC" whose text is a value from a
// callback, formatted with a picture mask (PictureText) or converted plainly.
// It lets clicks through to its parent unless asked for them.

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "corvix/classes/control.h"

namespace corvix {

class TFont;

class TSay : public TControl {
public:
    using Getter = std::function<Value()>;

    // The 21 arguments of New, in their order. Rows are 15 pixels (plus 2)
    // and columns 6 unless lPixels.
    struct NewArgs {
        int nRow = 0;
        int nCol = 0;
        Getter bText;                   // default: ""
        std::shared_ptr<TWindow> oWnd;  // default: the default window
        std::string cPicture;
        std::shared_ptr<TFont> oFont;
        bool lCenter = false;
        bool lRight = false;
        bool lBorder = false;
        bool lPixels = false;
        std::optional<COLORREF> nClrText;  // default: the parent's
        std::optional<COLORREF> nClrBack;  // default: a TWindow parent's pane, else the button face
        std::optional<int> nWidth;         // default: the caption's width in the font
        std::optional<int> nHeight;        // default: the font's height, else 15
        bool lDesign = false;
        bool lUpdate = false;
        bool lBlackRect = false;
        bool lGrayRect = false;
        bool lWhiteRect = false;
        bool lAdjust = false;
        bool lTransparent = false;
    };
    // The arguments of ReDefine, in their order.
    struct ReDefineArgs {
        int nId = 0;
        Getter bText;
        std::shared_ptr<TWindow> oWnd;  // default: the default window
        std::string cPicture;
        std::optional<COLORREF> nClrText;  // default: the parent's
        std::optional<COLORREF> nClrBack;  // default: the button face
        bool lUpdate = false;
        std::shared_ptr<TFont> oFont;
        bool lTransparent = false;
        bool lAdjust = false;
    };

    bool l3D = false;  // one of the rectangle styles
    std::string cPicture;
    Getter bGet;
    bool lWantClick = false;
    bool lAdjust = false;

    static std::shared_ptr<TSay> New(const NewArgs& args, std::source_location where = std::source_location::current());
    static std::shared_ptr<TSay> ReDefine(const ReDefineArgs& args);

    std::string ClassName() const override { return "TSAY"; }

    // The value as the label shows it: through the picture, or plainly.
    std::string Formatted(const Value& xValue) const;
    // Shows the value; a left-aligned label with lAdjust widens to fit, never narrows.
    void SetText(const Value& xValue);
    // Shows bGet's value again.
    void Refresh();
    // From now on bGet gives this value, whatever it gave before: the shown text stays.
    void VarPut(const Value& xValue);
    void Initiate(HWND hDlg) override;
    std::string cToChar(std::string = "") override { return TControl::cToChar("STATIC"); }
    Answer EraseBkGnd(HDC hDCCtl) override;
    Answer HandleEvent(UINT nMsg, WPARAM wParam, LPARAM lParam) override;

private:
    void SetGetter(Getter bNewGet);
    // The text's width in pixels in the label's font, else the parent's.
    int TextWidth(const std::string& cText) const;
    bool ParentBrushHasBitmap() const;
};

}  // namespace corvix
