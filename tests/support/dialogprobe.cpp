#include "tests/support/dialogprobe.h"

#include <string>

namespace corvix_test {

namespace {

BOOL CALLBACK FindDialog(HWND w, LPARAM found) {
    char cls[16] = {};
    GetClassNameA(w, cls, sizeof cls);
    if (std::string(cls) == "#32770" && IsWindowVisible(w)) {
        *reinterpret_cast<HWND*>(found) = w;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

DialogProbe::DialogProbe(std::function<void(HWND)> inspect, int nTimes, UINT nIntervalMs)
    : inspect_(std::move(inspect)), times_(nTimes) {
    current_ = this;
    timer_ = SetTimer(nullptr, 0, nIntervalMs, &DialogProbe::Tick);
}

DialogProbe::~DialogProbe() {
    KillTimer(nullptr, timer_);
    current_ = nullptr;
}

void CALLBACK DialogProbe::Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (!current_ || current_->count_ == current_->times_) return;
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), &FindDialog, reinterpret_cast<LPARAM>(&dialog));
    if (!dialog || dialog == current_->last_) return;  // the one just handled may still be closing
    current_->last_ = dialog;
    ++current_->count_;
    current_->inspect_(dialog);
}

}  // namespace corvix_test
