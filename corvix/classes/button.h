#pragma once
// TButton: the push button. A click, Enter, Space or its mnemonic runs
// bAction once, subject to bWhen; the default look follows the focus. Its
// window is of the system class "BUTTON", so a skin installed on that class
// paints it with no change here.

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "corvix/classes/control.h"

namespace corvix {

class TFont;

class TButton : public TControl {
public:
    // The 17 arguments of New, in their order. Rows are 18 pixels and columns
    // 6 unless lPixel; the width defaults to 6 per caption character, at least 30.
    struct NewArgs {
        double nRow = 0;
        double nCol = 0;
        std::string cCaption = "&Button";
        std::shared_ptr<TWindow> oWnd;  // default: the default window
        std::function<void()> bAction;
        std::optional<int> nWidth;
        int nHeight = 13;
        Value nHelpId;
        std::shared_ptr<TFont> oFont;  // default: the parent's
        bool lDefault = false;
        bool lPixel = false;
        bool lDesign = false;
        std::string cMsg;
        bool lUpdate = false;
        std::function<bool()> bWhen;
        std::function<bool()> bValid;
        bool lCancel = false;
    };

    std::function<void()> bAction;
    std::function<void(TButton& Sender)> OnClick;  // the designer's click event, run on each release
    bool lDefault = false;     // made as the default push button: keeps that look
    bool lProcessing = false;  // a click is running; another one is ignored

    static std::shared_ptr<TButton> New(const NewArgs& args,
                                        std::source_location where = std::source_location::current());
    static std::shared_ptr<TButton> New(std::source_location where = std::source_location::current()) {
        return New(NewArgs{}, where);
    }

    // The arguments of ReDefine, in their order.
    struct ReDefineArgs {
        int nId = 0;
        std::function<void()> bAction;
        std::shared_ptr<TWindow> oWnd;  // default: the default window
        Value nHelpId;
        std::string cMsg;
        bool lUpdate = false;
        std::function<bool()> bWhen;
        std::function<bool()> bValid;
        std::string cPrompt;
        bool lCancel = false;
    };
    // A button a dialog template or resource defines; the parent attaches it.
    static std::shared_ptr<TButton> ReDefine(const ReDefineArgs& args);

    // The designer's events: "OnClick" with the parameter "Sender".
    static const std::vector<std::vector<std::string>> aEvents;

    std::string ClassName() const override { return "TBUTTON"; }

    void Click() override;
    Answer GotFocus(HWND hWndLost) override;
    Answer LostFocus(HWND hWndGetFocus) override;
    Answer KeyDown(int nKey, LPARAM nFlags) override;
    // Both answer NIL, so the class procedure (and a skin) sees every release and move.
    Answer LButtonUp(int nRow, int nCol, WPARAM nKeyFlags) override;
    Answer MouseMove(int nRow, int nCol, WPARAM nKeyFlags) override;
    // The button supplies no brush.
    Answer Colors(HDC) override { return Answer::Number(0); }
    void Initiate(HWND hDlg) override;
    std::string cToChar(std::string = "") override { return TControl::cToChar("BUTTON"); }

private:
    // The members New and ReDefine take alike.
    template <typename A>
    void StoreCommon(const A& args, const std::shared_ptr<TWindow>& parent);
    void SetLook(bool lDefaultLook) const;
};

}  // namespace corvix
