#pragma once
// TCheckBox: a check box on the system class "BUTTON" (auto check box)
// bound to a logical value through bSetGet, which always holds a logical.

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "corvix/classes/control.h"

namespace corvix {

class TFont;

class TCheckBox : public TControl {
public:
    using SetGet = std::function<Value(const std::optional<Value>&)>;
    using ChangeCallback = std::function<void(bool lValue, TCheckBox&)>;

    // The 18 arguments of New, in their order. Rows are 13 pixels and
    // columns 7 unless lPixel; the width defaults to 7 per caption character.
    struct NewArgs {
        int nRow = 0;
        int nCol = 0;
        std::string cCaption = "&CheckBox";
        SetGet bSetGet;                 // default: a private logical, false at first
        std::shared_ptr<TWindow> oWnd;  // default: the default window
        std::optional<int> nWidth;
        int nHeight = 19;
        Value nHelpId = Value(100);
        ChangeCallback bChange;
        std::shared_ptr<TFont> oFont;
        std::function<bool()> bValid;
        std::optional<COLORREF> nClrText;  // default: the parent's
        std::optional<COLORREF> nClrBack;  // default: the parent's pane
        bool lDesign = false;
        bool lPixel = false;
        std::string cMsg;
        bool lUpdate = false;
        std::function<bool()> bWhen;
    };
    // The arguments of ReDefine, in their order.
    struct ReDefineArgs {
        int nId = 0;
        SetGet bSetGet;
        std::shared_ptr<TWindow> oWnd;  // default: the default window
        Value nHelpId;
        ChangeCallback bChange;
        std::function<bool()> bValid;
        std::optional<COLORREF> nClrText, nClrBack;  // default: the parent's
        std::string cMsg;
        bool lUpdate = false;
        std::function<bool()> bWhen;
    };

    // Called after each click with the new value. It hides TControl's
    // bChange, which carries no value.
    ChangeCallback bChange;

    static const std::vector<std::string> aProperties;

    static std::shared_ptr<TCheckBox> New(const NewArgs& args,
                                          std::source_location where = std::source_location::current());
    static std::shared_ptr<TCheckBox> ReDefine(const ReDefineArgs& args);

    std::string ClassName() const override { return "TCHECKBOX"; }

    // Flips the value, shows it and calls bChange with it.
    void Click() override;
    bool lChecked() const;
    void Check();
    void UnCheck();
    void SetCheck(bool lOnOff);
    // The check mark from the value.
    void Refresh() const;
    // Back to false and unchecked.
    void Reset();
    void SetText(const std::string& cText);
    void Initiate(HWND hDlg) override;
    std::string cToChar(std::string = "") override { return TControl::cToChar("BUTTON"); }
    Answer EraseBkGnd(HDC hDCCtl) override;
    Answer MouseMove(int nRow, int nCol, WPARAM nKeyFlags) override;

private:
    // The members New and ReDefine take alike, the colours the parent's unless given.
    template <typename A>
    void StoreCommon(const A& args, const std::shared_ptr<TWindow>& parent);
    // A value that is not logical becomes false.
    void MakeLogical() const;
};

}  // namespace corvix
