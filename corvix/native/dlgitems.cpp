#include "corvix/native/dlgitems.h"

namespace corvix {

namespace {

thread_local DialogItems* innermost = nullptr;

}  // namespace

DialogItems::DialogItems(HWND hDlg) : hDlg_(hDlg), next_(GetWindow(hDlg, GW_CHILD)), outer_(innermost) {
    innermost = this;
}

DialogItems::~DialogItems() { innermost = outer_; }

HWND DialogItems::Find(HWND hDlg, int nId) {
    for (DialogItems* items = innermost; items; items = items->outer_) {
        if (items->hDlg_ != hDlg) continue;
        // A window gone since the walk, or the children changed under it: the system searches again.
        if (const HWND item = items->Walk(nId); item && IsWindow(item)) return item;
        break;
    }
    return GetDlgItem(hDlg, nId);
}

HWND DialogItems::Walk(int nId) {
    for (const auto& [id, item] : walked_)
        if (id == nId) return item;
    while (next_) {
        const HWND item = next_;
        next_ = GetWindow(item, GW_HWNDNEXT);
        walked_.emplace_back(GetDlgCtrlID(item), item);
        if (walked_.back().first == nId) return item;
    }
    return nullptr;
}

}  // namespace corvix
