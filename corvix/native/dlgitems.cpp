#include "corvix/native/dlgitems.h"

namespace corvix {

namespace {

thread_local DialogItems* innermost = nullptr;

// The system's own test: a child of the dialog bearing the identifier, which
// is pointer-sized and compared with the int sign-extended.
bool IsItem(HWND item, HWND hDlg, int nId) {
    return IsWindow(item) && GetAncestor(item, GA_PARENT) == hDlg &&
           GetWindowLongPtrA(item, GWLP_ID) == static_cast<LONG_PTR>(nId);
}

}  // namespace

DialogItems::DialogItems(HWND hDlg) : hDlg_(hDlg), next_(GetWindow(hDlg, GW_CHILD)), outer_(innermost) {
    innermost = this;
}

DialogItems::~DialogItems() { innermost = outer_; }

HWND DialogItems::Find(HWND hDlg, int nId) {
    for (DialogItems* items = innermost; items; items = items->outer_) {
        if (items->hDlg_ != hDlg) continue;
        // A window gone, moved or renumbered since the walk: the system searches again.
        if (const HWND item = items->Walk(nId); item && IsItem(item, hDlg, nId)) return item;
        break;
    }
    return GetDlgItem(hDlg, nId);
}

HWND DialogItems::Walk(int nId) {
    for (const auto& [id, item] : walked_)
        if (id == static_cast<LONG_PTR>(nId)) return item;
    const LONG_PTR wanted = nId;
    while (next_ && GetAncestor(next_, GA_PARENT) == hDlg_) {  // a child moved away ends the walk
        const HWND item = next_;
        next_ = GetWindow(item, GW_HWNDNEXT);
        walked_.emplace_back(GetWindowLongPtrA(item, GWLP_ID), item);
        if (walked_.back().first == wanted) return item;
    }
    next_ = nullptr;
    return nullptr;
}

}  // namespace corvix
