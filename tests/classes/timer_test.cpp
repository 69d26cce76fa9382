#include "corvix/classes/timer.h"

#include <gtest/gtest.h>

#include "corvix/classes/window.h"
#include "tests/support/testwindow.h"

namespace corvix {
namespace {

// Waits long enough for several ticks, dispatching them.
void RunFor(DWORD ms) {
    const DWORD until = GetTickCount() + ms;
    while (GetTickCount() < until) {
        corvix_test::Pump();
        Sleep(5);
    }
}

TEST(TimerTest, DefaultsAndTheFirstIdentifier) {
    corvix_test::HostWindow host;
    SetActiveWindow(host.Get());
    auto t = TTimer::New();
    EXPECT_EQ(t->nInterval, 18u);
    EXPECT_GE(t->nId, 2u) << "identifiers start at 2";
    EXPECT_EQ(t->hWndOwner, GetActiveWindow());
    EXPECT_FALSE(t->lActive);
    ASSERT_TRUE(t->bAction);
    t->bAction();  // does nothing
    EXPECT_EQ(TTimer::New()->nId, t->nId + 1);
}

TEST(TimerTest, ATimerMadeWithNoActiveWindowTicks) {
    ASSERT_EQ(GetActiveWindow(), nullptr);
    int ticks = 0;
    auto t = TTimer::New(10, [&ticks] { ++ticks; });
    ASSERT_NE(t->hWndOwner, nullptr);
    t->Activate();
    RunFor(80);
    EXPECT_GT(ticks, 0);
    t->End();
}

TEST(TimerTest, TicksRunTheActionOnlyWhileActive) {
    auto w = TWindow::New();
    int ticks = 0;
    auto t = TTimer::New(10, [&ticks] { ++ticks; }, w.get());
    RunFor(60);
    EXPECT_EQ(ticks, 0) << "never activated";
    t->Activate();
    RunFor(80);
    EXPECT_GT(ticks, 0);
    // A tick already queued when the timer stops does nothing.
    PostMessageA(w->hWnd, WM_TIMER, t->nId, 0);
    t->DeActivate();
    const int stopped = ticks;
    RunFor(60);
    EXPECT_EQ(ticks, stopped);
    t->Activate();
    RunFor(80);
    EXPECT_GT(ticks, stopped);
    t->End();
    DestroyWindow(w->hWnd);
}

TEST(TimerTest, OnlyTheFirstTimerWithAnIdentifierRuns) {
    int first = 0, second = 0;
    auto a = TTimer::New(1000, [&first] { ++first; });
    auto b = TTimer::New(1000, [&second] { ++second; });
    a->lActive = b->lActive = true;
    b->nId = a->nId;
    EXPECT_EQ(TIMEREVENT(a->nId), 0);
    EXPECT_EQ(first, 1);
    EXPECT_EQ(second, 0);
    EXPECT_EQ(TIMEREVENT(9999), 0);
}

TEST(TimerTest, EndTakesOneTimerOutAndKeepsTheOthersInOrder) {
    TTimer::Timers().clear();
    auto a = TTimer::New(), b = TTimer::New(), c = TTimer::New();
    b->End();
    ASSERT_EQ(TTimer::Timers().size(), 2u);
    EXPECT_EQ(TTimer::Timers()[0], a);
    EXPECT_EQ(TTimer::Timers()[1], c);
    b->End();  // again: nothing left to take out
    EXPECT_EQ(TTimer::Timers().size(), 2u);
}

TEST(TimerTest, AnActionMayEndItsOwnTimer) {
    TTimer* self = nullptr;
    auto t = TTimer::New(10, [&self] { self->End(); });
    self = t.get();
    t->lActive = true;
    const UINT_PTR id = t->nId;
    t.reset();  // only the list holds it now
    EXPECT_EQ(TIMEREVENT(id), 0);
    for (const auto& listed : TTimer::Timers()) EXPECT_NE(listed->nId, id);
}

}  // namespace
}  // namespace corvix
