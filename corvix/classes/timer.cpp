#include "corvix/classes/timer.h"

#include <algorithm>

#include "corvix/classes/window.h"
#include "corvix/native/callbackguard.h"
#include "corvix/native/wrappers.h"

namespace corvix {

namespace {

UINT_PTR lastIdentifier = 1;

LRESULT CALLBACK TimerWindowProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
    if (nMsg == WM_TIMER) return GuardCallback("timer", LRESULT{0}, [wParam] { return TIMEREVENT(wParam); });
    return DefWindowProcA(hWnd, nMsg, wParam, lParam);
}

// A message-only window of the library's: a timer with no window to tick on
// ticks here, so its identifier stays ours and TIMEREVENT finds it.
HWND TimerWindow() {
    static constexpr char kClass[] = "CorvixTimerWindow";
    static HWND window = nullptr;
    if (IsWindow(window)) return window;
    WNDCLASSA wc{};
    wc.lpfnWndProc = &TimerWindowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kClass;
    RegisterClassA(&wc);  // fails harmlessly when already registered
    window = CreateWindowExA(0, kClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    return window;
}

}  // namespace

std::vector<std::shared_ptr<TTimer>>& TTimer::Timers() {
    static std::vector<std::shared_ptr<TTimer>> timers;
    return timers;
}

std::shared_ptr<TTimer> TTimer::New(UINT nInterval, std::function<void()> bAction, const TWindow* oWnd) {
    auto timer = std::make_shared<TTimer>();
    timer->nId = ++lastIdentifier;
    timer->nInterval = nInterval;
    timer->bAction = bAction ? std::move(bAction) : [] {};
    timer->hWndOwner = oWnd ? oWnd->hWnd : GETACTIVEWINDOW();
    if (!timer->hWndOwner) timer->hWndOwner = TimerWindow();
    Timers().push_back(timer);
    return timer;
}

void TTimer::Activate() {
    nId = SETTIMER(hWndOwner, nId, nInterval);
    lActive = true;
}

bool TTimer::DeActivate() {
    lActive = false;
    return KILLTIMER(hWndOwner, nId);
}

void TTimer::End() {
    DeActivate();
    auto& timers = Timers();
    const auto it = std::find_if(timers.begin(), timers.end(), [this](const auto& t) { return t.get() == this; });
    if (it != timers.end()) timers.erase(it);
}

LRESULT TIMEREVENT(UINT_PTR nId) {
    const auto& timers = TTimer::Timers();
    const auto it = std::find_if(timers.begin(), timers.end(), [nId](const auto& t) { return t->nId == nId; });
    if (it == timers.end() || !(*it)->lActive) return 0;
    // The action may end its own timer: keep it alive until it returns.
    const std::shared_ptr<TTimer> timer = *it;
    timer->bAction();
    return 0;
}

UINT_PTR SETTIMER(HWND hWnd, UINT_PTR nId, UINT nElapse, TIMERPROC nTimerFunc) {
    return SetTimer(hWnd, nId, nElapse, nTimerFunc);
}

bool KILLTIMER(HWND hWnd, UINT_PTR nId) { return KillTimer(hWnd, nId) != 0; }

}  // namespace corvix
