#include "corvix/native/wndproc.h"

#include <gtest/gtest.h>

#include <functional>

#include "corvix/classes/window.h"
#include "corvix/native/wrappers.h"
#include "corvix/runtime/args.h"
#include "corvix/runtime/registry.h"
#include "tests/support/testwindow.h"

namespace corvix {
namespace {

// A window object whose answers the test chooses; it unlinks on WM_DESTROY
// as the library's windows do.
class ScriptedWindow : public TWindow {
public:
    std::function<Answer(UINT, WPARAM, LPARAM)> answer = [](UINT, WPARAM, LPARAM) { return Answer::Nil(); };
    int destroyCalls = 0;
    std::optional<WNDPROC> oldProcSeenAtDestroy;

    Answer HandleEvent(UINT nMsg, WPARAM wParam, LPARAM lParam) override {
        if (nMsg == WM_DESTROY) {
            ++destroyCalls;
            UnLink();
            oldProcSeenAtDestroy = nOldProc;
            return Answer::Nil();
        }
        return answer(nMsg, wParam, lParam);
    }

    static std::shared_ptr<ScriptedWindow> Over(HWND hWnd) {
        auto w = std::make_shared<ScriptedWindow>();
        w->hWnd = hWnd;
        w->Link();
        return w;
    }
};

HWND PlainWindow() {
    REGISTERCLASS("CorvixDispatchTest");
    return CREATEWINDOW("CorvixDispatchTest", "t", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100);
}

TEST(DispatchTest, LinkStoresTheSlotIndexInTheWindowAndSubclassesIt) {
    HWND h = PlainWindow();
    auto w = ScriptedWindow::Over(h);
    EXPECT_EQ(GetWindowLongPtrA(h, GWLP_USERDATA), w->SlotIndex());
    EXPECT_EQ(GetWindowLongPtrA(h, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&ObjectWndProc));
    EXPECT_EQ(OWNDFROMHWND(h), w);
    EXPECT_EQ(LinkedObject(h), w.get());
    w->UnLink();
    EXPECT_EQ(LinkedObject(h), nullptr);
    DestroyWindow(h);
}

TEST(DispatchTest, AFreedSlotIsReusedWithItsIndex) {
    auto first = ScriptedWindow::Over(PlainWindow());
    auto second = ScriptedWindow::Over(PlainWindow());
    const int freed = first->SlotIndex();
    DestroyWindow(first->hWnd);
    EXPECT_EQ(first->SlotIndex(), 0);
    HWND h = PlainWindow();
    auto third = ScriptedWindow::Over(h);
    EXPECT_EQ(third->SlotIndex(), freed);
    EXPECT_EQ(GetWindowLongPtrA(h, GWLP_USERDATA), freed);
    DestroyWindow(second->hWnd);
    DestroyWindow(h);
}

TEST(DispatchTest, NWindowsCountsFreeSlotsToo) {
    const int start = NWINDOWS();
    auto a = ScriptedWindow::Over(PlainWindow());
    auto b = ScriptedWindow::Over(PlainWindow());
    auto c = ScriptedWindow::Over(PlainWindow());
    const int slotOfB = b->SlotIndex();
    DestroyWindow(b->hWnd);
    EXPECT_EQ(NWINDOWS(), start + 3);
    EXPECT_EQ(GETALLWIN()[static_cast<size_t>(slotOfB - 1)], nullptr);
}

TEST(DispatchTest, AnswersDecideWhetherTheControlsOwnProcedureRuns) {
    corvix_test::HostWindow host;
    HWND edit = CreateWindowA("EDIT", "start", WS_CHILD | WS_VISIBLE, 0, 0, 80, 20, host.Get(), nullptr,
                              nullptr, nullptr);
    auto w = ScriptedWindow::Over(edit);
    auto setText = [&](const char* t) { return SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(t)); };
    auto text = [&] {
        char buf[32] = {};
        CallWindowProcA(*w->nOldProc, edit, WM_GETTEXT, sizeof buf, reinterpret_cast<LPARAM>(buf));
        return std::string(buf);
    };

    EXPECT_EQ(setText("nil"), TRUE) << "NIL: the edit control's own answer";
    EXPECT_EQ(text(), "nil");

    w->answer = [](UINT m, WPARAM, LPARAM) { return m == WM_SETTEXT ? Answer::Number(0) : Answer::Nil(); };
    EXPECT_EQ(setText("zero"), 0);
    EXPECT_EQ(text(), "nil") << "0 suppresses the control";

    w->answer = [](UINT m, WPARAM, LPARAM) { return m == WM_SETTEXT ? Answer::Logical(true) : Answer::Nil(); };
    EXPECT_EQ(setText("true"), 0) << "a logical goes back as 0";
    EXPECT_EQ(text(), "nil");

    w->answer = [](UINT m, WPARAM, LPARAM) { return m == WM_SETTEXT ? Answer::Number(77) : Answer::Nil(); };
    EXPECT_EQ(setText("n"), 77);
    DestroyWindow(edit);
}

TEST(DispatchTest, WmDestroyUnlinksInsideTheHandlerAndEndsAtTheDefaultProcedure) {
    corvix_test::HostWindow host;
    HWND edit = CreateWindowA("EDIT", "x", WS_CHILD, 0, 0, 80, 20, host.Get(), nullptr, nullptr, nullptr);
    auto w = ScriptedWindow::Over(edit);
    const int slot = w->SlotIndex();
    DestroyWindow(edit);
    EXPECT_EQ(w->destroyCalls, 1);
    EXPECT_FALSE(w->oldProcSeenAtDestroy.has_value());
    EXPECT_EQ(GETALLWIN()[static_cast<size_t>(slot - 1)], nullptr);
}

TEST(DispatchTest, UnlinkOfALiveEditGivesItBackExactlyItsOwnProcedure) {
    corvix_test::HostWindow host;
    HWND edit = CreateWindowA("EDIT", "x", WS_CHILD, 0, 0, 80, 20, host.Get(), nullptr, nullptr, nullptr);
    const LONG_PTR editProc = GetWindowLongPtrA(edit, GWLP_WNDPROC);
    auto w = ScriptedWindow::Over(edit);
    w->UnLink();
    EXPECT_EQ(GetWindowLongPtrA(edit, GWLP_WNDPROC), editProc);
    SetWindowTextA(edit, "typed");
    EXPECT_EQ(GETWINDOWTEXT(edit), "typed") << "the edit still works on its own";
}

TEST(DispatchTest, IndexZeroAndFreedSlotsGoToTheDefaultProcedure) {
    HWND h = PlainWindow();
    EXPECT_EQ(DispatchToObject(h, WM_GETTEXTLENGTH, 0, 0, 0), DefWindowProcA(h, WM_GETTEXTLENGTH, 0, 0));
    auto w = ScriptedWindow::Over(PlainWindow());
    const int slot = w->SlotIndex();
    w->answer = [](UINT, WPARAM, LPARAM) { return Answer::Number(5); };
    DestroyWindow(w->hWnd);
    EXPECT_EQ(DispatchToObject(h, WM_GETTEXTLENGTH, 0, 0, slot), 1) << "the caption 't'";
    EXPECT_EQ(DispatchToObject(h, WM_GETTEXTLENGTH, 0, 0, 60000), 1);
    DestroyWindow(h);
}

TEST(DispatchTest, UnlinkOfAnObjectNotInTheTableOnlyRestoresTheProcedure) {
    HWND h = PlainWindow();
    auto w = ScriptedWindow::Over(h);
    const int slots = NWINDOWS();
    auto stranger = std::make_shared<ScriptedWindow>();
    stranger->hWnd = PlainWindow();
    stranger->nOldProc = DefWindowProcA;
    stranger->UnLink();
    EXPECT_EQ(GetWindowLongPtrA(stranger->hWnd, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&DefWindowProcA));
    EXPECT_EQ(NWINDOWS(), slots);
    EXPECT_EQ(OWNDFROMHWND(h), w);
    DestroyWindow(stranger->hWnd);
    DestroyWindow(h);
}

TEST(DispatchTest, ExceptionsFromHandleEventNeverCrossTheWindowProcedure) {
    auto w = ScriptedWindow::Over(PlainWindow());
    w->answer = [](UINT m, WPARAM, LPARAM) -> Answer {
        if (m == WM_APP) throw std::runtime_error("boom");
        return Answer::Nil();
    };
    EXPECT_EQ(SendMessageA(w->hWnd, WM_APP, 0, 0), 0);
    DestroyWindow(w->hWnd);
}

// A caller may read the error a handler's system call left, as after any window procedure.
TEST(DispatchTest, TheLastErrorAHandlerSetsReachesTheSender) {
    auto w = ScriptedWindow::Over(PlainWindow());
    w->answer = [](UINT m, WPARAM, LPARAM) {
        if (m == WM_APP) SetLastError(ERROR_FILE_NOT_FOUND);
        return Answer::Number(1);
    };
    SetLastError(0);
    EXPECT_EQ(SendMessageA(w->hWnd, WM_APP, 0, 0), 1);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    DestroyWindow(w->hWnd);
}

TEST(DispatchTest, ExportedProceduresRouteToSlotOne) {
    HMODULE exe = GetModuleHandleA(nullptr);
    auto exported = reinterpret_cast<WNDPROC>(reinterpret_cast<void*>(GetProcAddress(exe, "__WndProc")));
    auto debug = reinterpret_cast<WNDPROC>(reinterpret_cast<void*>(GetProcAddress(exe, "__DbgWndProc")));
    ASSERT_NE(exported, nullptr);
    ASSERT_NE(debug, nullptr);
    auto w = ScriptedWindow::Over(PlainWindow());
    ASSERT_EQ(w->SlotIndex(), 1);
    UINT seen = 0;
    WPARAM seenW = 0;
    w->answer = [&](UINT m, WPARAM wp, LPARAM) {
        seen = m;
        seenW = wp;
        return Answer::Number(9);
    };
    EXPECT_EQ(exported(w->hWnd, 0x10000 + WM_APP, 0x12345, 0), 9);
    EXPECT_EQ(seen, static_cast<UINT>(WM_APP));
    EXPECT_EQ(seenW, 0x2345u);
    EXPECT_EQ(debug(w->hWnd, WM_APP + 1, 0, 0), 9);
    EXPECT_EQ(seen, static_cast<UINT>(WM_APP + 1));
    DestroyWindow(w->hWnd);
}

TEST(DispatchTest, AWindowLinkedAgainReachesItsNewObject) {
    HWND h = PlainWindow();
    auto first = ScriptedWindow::Over(h);
    SendMessageA(h, WM_APP, 0, 0);  // the window's slot is now known without asking it
    first->UnLink();
    auto filler = ScriptedWindow::Over(PlainWindow());  // takes the freed slot
    filler->answer = [](UINT, WPARAM, LPARAM) { return Answer::Number(3); };
    auto second = ScriptedWindow::Over(h);
    second->answer = [](UINT, WPARAM, LPARAM) { return Answer::Number(2); };
    EXPECT_EQ(SendMessageA(h, WM_APP, 0, 0), 2);
    DestroyWindow(filler->hWnd);
    DestroyWindow(h);
}

// Whatever bears "_CXH" at the moment of the message is called, with its five values.
TEST(DispatchTest, AReplacedOrRemovedDispatchFunctionTakesEffectAtOnce) {
    auto w = ScriptedWindow::Over(PlainWindow());
    w->answer = [](UINT m, WPARAM, LPARAM) { return m == WM_APP ? Answer::Number(5) : Answer::Nil(); };
    FunctionRegistry& registry = FunctionRegistry::Instance();
    std::vector<int64_t> seen;
    registry.Register("_CXH", [&](Args a) {
        seen = {a.Integer(1), a.Integer(2), a.Integer(3), a.Integer(4)};
        return CXH(a);
    });
    EXPECT_EQ(SendMessageA(w->hWnd, WM_APP, 7, 8), 5);
    EXPECT_EQ(seen, (std::vector<int64_t>{WM_APP, 7, 8, w->SlotIndex()}));
    registry.Unregister("_CXH");
    EXPECT_EQ(SendMessageA(w->hWnd, WM_APP, 0, 0), 0) << "the default procedure";
    registry.Register("_CXH", &CXH);
    EXPECT_EQ(SendMessageA(w->hWnd, WM_APP, 0, 0), 5);
    DestroyWindow(w->hWnd);
}

TEST(DispatchTest, DefaultWindowIsTheLastSetAndDoesNotKeepItAlive) {
    auto w = std::make_shared<ScriptedWindow>();
    SETWNDDEFAULT(w);
    EXPECT_EQ(GETWNDDEFAULT(), w);
    w.reset();
    EXPECT_EQ(GETWNDDEFAULT(), nullptr);
}

}  // namespace
}  // namespace corvix
