// Messages through a linked window (ObjectWndProc -> _CXH -> HandleEvent ->
// NIL -> previous procedure) against the same message to a window of the
// same class that is not linked (plain DefWindowProc), side by side in one
// run; and the heap allocations made per dispatched message.

#include <windows.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <new>

#include "bench/benchclock.h"
#include "corvix/classes/window.h"
#include "corvix/native/wndproc.h"

namespace {

std::atomic<long long> allocations{0};

constexpr int kRepetitions = 9;
constexpr int kMessagesPerRepetition = 20000;
constexpr UINT kMessage = WM_APP + 1;

double MedianNanosecondsPerMessage(HWND target) {
    return 1000.0 * corvix_bench::MedianMicrosecondsPerCall(
                        kRepetitions, kMessagesPerRepetition,
                        [target](int i) { SendMessageA(target, kMessage, static_cast<WPARAM>(i), 0); });
}

}  // namespace

void* operator new(std::size_t size) {
    ++allocations;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

int main() {
    corvix::REGISTERCLASS("CorvixDispatchBench");
    HWND plain = corvix::CREATEWINDOW("CorvixDispatchBench", "plain", WS_OVERLAPPED, 0, 0, 50, 50);
    auto object = std::make_shared<corvix::TWindow>();
    object->hWnd = corvix::CREATEWINDOW("CorvixDispatchBench", "linked", WS_OVERLAPPED, 0, 0, 50, 50);
    object->Link();
    SendMessageA(object->hWnd, kMessage, 0, 0);  // the first message looks up the dispatcher

    const double linked = MedianNanosecondsPerMessage(object->hWnd);
    const double unlinked = MedianNanosecondsPerMessage(plain);

    // What reading the slot index from the window alone costs, for scale.
    const double indexStart = corvix_bench::NowMicroseconds();
    for (int i = 0; i < kMessagesPerRepetition; ++i) GetWindowLongPtrA(object->hWnd, GWLP_USERDATA);
    const double indexRead = (corvix_bench::NowMicroseconds() - indexStart) * 1000.0 / kMessagesPerRepetition;

    const long long before = allocations.load();
    for (int i = 0; i < kMessagesPerRepetition; ++i) SendMessageA(object->hWnd, kMessage, i, 0);
    const double perMessage =
        static_cast<double>(allocations.load() - before) / kMessagesPerRepetition;

    DestroyWindow(object->hWnd);
    DestroyWindow(plain);
    std::printf("dispatch medians (ns per SendMessage, %d runs of %d): linked %.0f, plain %.0f\n",
                kRepetitions, kMessagesPerRepetition, linked, unlinked);
    std::printf("dispatch ratio linked/plain: %.2f (reading the index from the window: %.0f ns)\n",
                linked / unlinked, indexRead);
    std::printf("alloc per dispatched message: %.3f\n", perMessage);
    return 0;
}
