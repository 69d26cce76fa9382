#pragma once
// TIcon: an icon holder (a window's oIcon) and a control that shows a
// 32 x 32 icon. Every handle it keeps is its own copy, from a file or from
// the program's resources, destroyed with the control's window, by End, or
// at the latest when the last holder lets the object go.

#include <windows.h>

#include <memory>
#include <string>

#include "corvix/classes/control.h"

namespace corvix {

class TIcon : public TControl {
public:
    // The 11 arguments of New, in their order. Rows are 14 pixels and columns 8.
    struct NewArgs {
        int nRow = 0;
        int nCol = 0;
        std::string cResName;
        std::string cIcoFile;
        bool lBorder = false;
        MouseCallback bClick;
        std::shared_ptr<TWindow> oWnd;  // none: only a holder, no window
        bool lUpdate = false;
        std::function<bool()> bWhen;
        std::optional<COLORREF> nClrFore;  // default: the parent's
        std::optional<COLORREF> nClrBack;
    };
    // The arguments of ReDefine, in their order.
    struct ReDefineArgs {
        int nId = 0;
        std::string cResName;
        std::string cIcoFile;
        MouseCallback bClick;
        bool lUpdate = false;
        std::shared_ptr<TWindow> oWnd;  // default: the default window
        std::function<bool()> bWhen;
    };

    std::string cIcoFile;
    std::string cResName;
    HICON hIcon = nullptr;

    // The file's icon, then the resource's, which wins when both load.
    static std::shared_ptr<TIcon> New(const NewArgs& args, std::source_location where = std::source_location::current());
    // A holder of the icon in the file cName when such a file exists, else of the resource cName.
    static std::shared_ptr<TIcon> FromName(const std::string& cName);
    // An icon control a dialog template or resource defines; Initiate loads the icon.
    static std::shared_ptr<TIcon> ReDefine(const ReDefineArgs& args);

    TIcon() = default;
    TIcon(const TIcon&) = delete;  // two holders would destroy the one icon twice
    TIcon& operator=(const TIcon&) = delete;
    ~TIcon() override { DropIcon(); }
    std::string ClassName() const override { return "TICON"; }

    void Initiate(HWND hDlg) override;
    Answer Display() override;
    Answer Paint() override;
    Answer HandleEvent(UINT nMsg, WPARAM wParam, LPARAM lParam) override;
    // The resource's icon replaces the shown one when it loads.
    void SetName(const std::string& cNewResName);
    // The file's icon replaces the shown one when the file exists and holds one.
    void SetFile(const std::string& cNewIcoFile);
    Answer Destroy() override;
    // A holder gives back its icon; a control ends as any control.
    bool End() override;

private:
    void LoadIcons();
    // Keeps hNew in place of the icon held, which goes; nothing changes without hNew.
    bool Replace(HICON hNew);
    void DropIcon();
};

}  // namespace corvix
