#pragma once
// A dialog's items found in one walk of its children while WM_INITDIALOG
// attaches its controls: GetDlgItem searches the children from the first
// on every call, a cost that grows with the square of the items.

#include <windows.h>

#include <utility>
#include <vector>

namespace corvix {

// While it lives, Find answers for its dialog from the children walked so
// far, walking on only as far as an item asked for; a dialog opened
// meanwhile on the same thread has its own, nested inside.
class DialogItems {
public:
    explicit DialogItems(HWND hDlg);
    ~DialogItems();
    DialogItems(const DialogItems&) = delete;
    DialogItems& operator=(const DialogItems&) = delete;

    // GetDlgItem's answer: the first child of hDlg with the identifier.
    static HWND Find(HWND hDlg, int nId);

private:
    HWND Walk(int nId);

    HWND hDlg_;
    HWND next_;  // the first child not walked yet
    std::vector<std::pair<LONG_PTR, HWND>> walked_;  // identifier and window, in the children's order
    DialogItems* outer_;
};

}  // namespace corvix
