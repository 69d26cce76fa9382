#pragma once
// Drives modal system boxes from inside a test: a thread timer, which keeps
// firing inside the box's own modal loop, hands the first visible dialog
// this thread shows (and then each new one, up to nTimes) to a callback,
// which inspects it and must close it.

#include <windows.h>

#include <functional>

namespace corvix_test {

class DialogProbe {
public:
    explicit DialogProbe(std::function<void(HWND)> inspect, int nTimes = 1, UINT nIntervalMs = 50);
    ~DialogProbe();
    DialogProbe(const DialogProbe&) = delete;
    DialogProbe& operator=(const DialogProbe&) = delete;
    bool Ran() const { return count_ > 0; }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    static inline DialogProbe* current_ = nullptr;
    std::function<void(HWND)> inspect_;
    UINT_PTR timer_ = 0;
    int times_;
    int count_ = 0;
    HWND last_ = nullptr;
};

}  // namespace corvix_test
