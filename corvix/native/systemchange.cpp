#include "corvix/native/systemchange.h"

#include <atomic>

namespace corvix {

namespace {

std::atomic<unsigned> changes{0};

}  // namespace

bool IsSystemChange(UINT nMsg) {
    switch (nMsg) {
        case WM_SETTINGCHANGE:
        case WM_FONTCHANGE:
        case WM_DISPLAYCHANGE:
        case WM_SYSCOLORCHANGE:
        case WM_THEMECHANGED: return true;
        default: return false;
    }
}

void NoteSystemChange() { changes.fetch_add(1, std::memory_order_relaxed); }

unsigned SystemChanges() { return changes.load(std::memory_order_relaxed); }

}  // namespace corvix
