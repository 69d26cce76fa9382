// Messages through a linked window (ObjectWndProc -> the object's slot ->
// HandleEvent -> NIL -> previous procedure) against the same message to a
// window of the same class that is not linked (plain DefWindowProc),
// measured in turn within every run; the same through "_CXH" called with its
// five Values, as when a program replaces it; and the heap allocations made
// per dispatched message.

#include <windows.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <vector>

#include "bench/benchclock.h"
#include "corvix/classes/window.h"
#include "corvix/native/wndproc.h"
#include "corvix/runtime/args.h"
#include "corvix/runtime/registry.h"

namespace {

std::atomic<long long> allocations{0};

constexpr int kRepetitions = 31;
constexpr int kMessagesPerRepetition = 5000;
constexpr UINT kMessage = WM_APP + 1;

// Median nanoseconds per message to the linked window and to the plain one.
std::vector<double> LinkedAndPlain(HWND linked, HWND plain) {
    const auto send = [](HWND target) {
        return [target](int i) { SendMessageA(target, kMessage, static_cast<WPARAM>(i), 0); };
    };
    std::vector<double> medians =
        corvix_bench::InterleavedMediansPerCall(kRepetitions, kMessagesPerRepetition, {send(linked), send(plain)});
    for (double& m : medians) m *= 1000.0;
    return medians;
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

    const std::vector<double> direct = LinkedAndPlain(object->hWnd, plain);
    // A "_CXH" that is not the library's own function is called with Values.
    corvix::FunctionRegistry::Instance().Register("_CXH", [](corvix::Args a) { return corvix::CXH(a); });
    const std::vector<double> throughValues = LinkedAndPlain(object->hWnd, plain);
    corvix::FunctionRegistry::Instance().Register("_CXH", &corvix::CXH);

    const long long before = allocations.load();
    for (int i = 0; i < kMessagesPerRepetition; ++i) SendMessageA(object->hWnd, kMessage, i, 0);
    const double perMessage =
        static_cast<double>(allocations.load() - before) / kMessagesPerRepetition;

    DestroyWindow(object->hWnd);
    DestroyWindow(plain);
    std::printf("architecture: %s\n", sizeof(void*) == 8 ? "x86_64" : "i686");
    std::printf("dispatch medians (ns per SendMessage, %d runs of %d): linked %.0f, plain %.0f; "
                "through \"_CXH\" with its five values: linked %.0f, plain %.0f\n",
                kRepetitions, kMessagesPerRepetition, direct[0], direct[1], throughValues[0], throughValues[1]);
    std::printf("dispatch ratio linked/plain: %.2f (through \"_CXH\" with its five values: %.2f)\n",
                direct[0] / direct[1], throughValues[0] / throughValues[1]);
    std::printf("alloc per dispatched message: %.3f\n", perMessage);
    return 0;
}
