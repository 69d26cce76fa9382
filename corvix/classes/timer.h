#pragma once
// TTimer: periodic callbacks driven by WM_TIMER messages of a window. The
// window's Timer method hands the identifier to TIMEREVENT, which runs the
// first listed timer that bears it.

#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

#include "corvix/runtime/value.h"

namespace corvix {

class TWindow;

class TTimer : public Object {
public:
    std::function<void()> bAction;
    bool lActive = false;
    UINT_PTR nId = 0;
    UINT nInterval = 0;
    HWND hWndOwner = nullptr;
    Value Cargo;

    // Listed but not started; identifiers count up from 2. Without a window
    // the timer belongs to the window active now, or, when none is, to a
    // message-only window of the library's.
    static std::shared_ptr<TTimer> New(UINT nInterval = 18, std::function<void()> bAction = {},
                                       const TWindow* oWnd = nullptr);
    // Every timer made and not yet ended, in creation order.
    static std::vector<std::shared_ptr<TTimer>>& Timers();

    void Activate();
    bool DeActivate();
    // Stops the timer and takes it off the list.
    void End();
};

// Runs the first listed timer with this identifier when it is active; always 0.
LRESULT TIMEREVENT(UINT_PTR nId);
UINT_PTR SETTIMER(HWND hWnd, UINT_PTR nId, UINT nElapse, TIMERPROC nTimerFunc = nullptr);
bool KILLTIMER(HWND hWnd, UINT_PTR nId);

}  // namespace corvix
