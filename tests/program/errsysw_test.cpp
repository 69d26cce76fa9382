#include "corvix/program/errsysw.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <functional>
#include <stdexcept>
#include <sstream>
#include <string>
#include <vector>

#include "corvix/classes/button.h"
#include "corvix/classes/timer.h"
#include "corvix/native/callbackguard.h"
#include "corvix/native/eventloop.h"
#include "corvix/program/errordialog.h"
#include "corvix/program/errorreport.h"
#include "corvix/runtime/args.h"
#include "corvix/runtime/calllevel.h"
#include "corvix/runtime/registry.h"
#include "tests/support/dialogprobe.h"
#include "tests/support/gdiprobe.h"
#include "tests/support/testwindow.h"

namespace corvix {
namespace {

using corvix_test::DialogProbe;

std::string TextOf(HWND h) {
    char text[512] = {};
    GetWindowTextA(h, text, sizeof text);
    return text;
}

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// The button of the error dialog with this caption, or null.
HWND ButtonOf(HWND hDlg, const std::string& caption) {
    for (HWND child = GetWindow(hDlg, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (TextOf(child) == caption) return child;
    return nullptr;
}

// The column a control was given, read back through the base units the template used.
int ColumnOf(HWND control) {
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    return r.left * 4 / LOWORD(GetDialogBaseUnits());
}

ErrorRecord RetryOrDefault() {
    ErrorRecord e = CppError("disk full", "write");
    e.CanRetry = e.CanDefault = true;
    return e;
}

// Each test works in a folder of its own, where "Error.log" is written.
class ErrorSystemTest : public testing::Test {
protected:
    void SetUp() override {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        GetCurrentDirectoryA(MAX_PATH, previous_);
        folder_ = std::string(temp) + "corvix_errors_" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(folder_.c_str(), nullptr);
        SetCurrentDirectoryA(folder_.c_str());
        DeleteFileA("Error.log");  // left by an earlier run that ended early
    }
    void TearDown() override {
        DeleteFileA("Error.log");
        RemoveDirectoryA("Error.log");
        SetCurrentDirectoryA(previous_);
        RemoveDirectoryA(folder_.c_str());
        NETERR(false);
    }
    // Raises the error through the dialog; the probe presses the button with this caption.
    static Value AnswerBy(const ErrorRecord& e, const std::string& caption, std::string* shownText = nullptr) {
        DialogProbe probe([&](HWND hDlg) {
            if (shownText) *shownText = TextOf(GetWindow(hDlg, GW_CHILD));
            SendMessageA(ButtonOf(hDlg, caption), BM_CLICK, 0, 0);
        });
        const Value answer = ERRORDIALOG(e);
        EXPECT_TRUE(probe.Ran());
        return answer;
    }
    char previous_[MAX_PATH] = {};
    std::string folder_;
};

TEST_F(ErrorSystemTest, SomeErrorsAreSettledWithoutALogOrADialog) {
    ErrorRecord division, open, append;
    division.GenCode = 5;
    open.GenCode = 21;
    open.OsCode = 5;
    open.CanDefault = true;
    append.GenCode = 40;
    append.CanDefault = true;
    EXPECT_EQ(ERRORDIALOG(division), Value(0));
    EXPECT_FALSE(NETERR());
    for (const auto& e : {open, append}) {
        NETERR(false);
        EXPECT_EQ(ERRORDIALOG(e), Value(false));
        EXPECT_TRUE(NETERR());
    }
    EXPECT_EQ(GetFileAttributesA("Error.log"), INVALID_FILE_ATTRIBUTES);
}

TEST_F(ErrorSystemTest, TheDialogOffersWhatTheErrorAllowsWhereItsColumnsSay) {
    const struct {
        ErrorRecord error;
        std::vector<std::pair<std::string, int>> buttons;
        std::string text;
    } cases[] = {
        {*CXGENERROR(1, "No:     78"), {{"&Quit", 96}}, "   Error description: Error Corvix/1  Non defined Id: No:     78"},
        {*CXGENERROR(4), {{"&Quit", 65}, {"&Default", 128}}, "   Error description: Warning BASE/5300  Memory Low"},
        {RetryOrDefault(), {{"&Retry", 43}, {"&Quit", 96}, {"&Default", 148}}, ""},
    };
    for (const auto& c : cases) {
        std::vector<std::pair<std::string, int>> shown;
        std::string text, firstCall;
        bool quitIsDefault = false, fits = true;
        COLORREF picture = 0;
        DialogProbe probe([&](HWND hDlg) {
            text = TextOf(GetWindow(hDlg, GW_CHILD));
            picture = corvix_test::WindowPixel(hDlg, 6 + 6, 6 + 16);  // inside the red disc
            for (const char* caption : {"&Retry", "&Quit", "&Default"})
                if (HWND b = ButtonOf(hDlg, caption)) shown.emplace_back(caption, ColumnOf(b));
            quitIsDefault = GetWindowLongPtrA(ButtonOf(hDlg, "&Quit"), GWL_STYLE) & BS_DEFPUSHBUTTON;
            RECT client{};
            GetClientRect(hDlg, &client);
            std::vector<RECT> placed;
            for (HWND child = GetWindow(hDlg, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
                RECT r{}, overlap{};
                GetWindowRect(child, &r);
                MapWindowPoints(nullptr, hDlg, reinterpret_cast<POINT*>(&r), 2);
                fits = fits && r.left >= 0 && r.top >= 0 && r.right <= client.right && r.bottom <= client.bottom;
                for (const RECT& other : placed) fits = fits && !IntersectRect(&overlap, &r, &other);
                placed.push_back(r);
                char cls[16] = {};
                GetClassNameA(child, cls, sizeof cls);
                if (std::string(cls) == "ListBox") {
                    char line[256] = {};
                    const LRESULT selected = SendMessageA(child, LB_GETCURSEL, 0, 0);
                    SendMessageA(child, LB_GETTEXT, static_cast<WPARAM>(selected), reinterpret_cast<LPARAM>(line));
                    firstCall = selected == 0 ? line : "";
                }
            }
            SendMessageA(ButtonOf(hDlg, "&Quit"), BM_CLICK, 0, 0);
        });
        EXPECT_EQ(ShowErrorDialog(c.error, {"   Called from: here.cpp => Here(1)"}), ErrorChoice::None);
        EXPECT_EQ(shown, c.buttons);
        EXPECT_EQ(quitIsDefault, c.buttons.size() != 2);
        EXPECT_TRUE(fits) << "every control inside the client area, none over another";
        EXPECT_EQ(corvix_test::Rgb(picture), corvix_test::Rgb(RGB(224, 0, 0)));
        EXPECT_EQ(firstCall, "   Called from: here.cpp => Here(1)") << "the first line, selected";
        if (!c.text.empty()) {
            EXPECT_EQ(text, c.text);
        }
    }
}

TEST_F(ErrorSystemTest, RetryAnswersTrueAndDefaultFalse) {
    SetRunningFlag(true);
    EXPECT_EQ(AnswerBy(RetryOrDefault(), "&Retry"), Value(true));
    EXPECT_EQ(AnswerBy(RetryOrDefault(), "&Default"), Value(false));
    SetRunningFlag(false);
}

TEST_F(ErrorSystemTest, TheLogHasEverySectionAndIsReplacedByTheNextError) {
    AnswerBy(*CXGENERROR(4, "first"), "&Default");
    AnswerBy(*CXGENERROR(4, "second"), "&Default");
    const std::string log = ReadAll("Error.log");
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back(), '\x1A');
    size_t at = 0;
    for (const char* heading : {"Application\r\n===========\r\n", "   Path and name: ", "   Size: ",
                                "   Time from start: ", "   Error occurred at: ",
                                "   Error description: Warning BASE/5300  Memory Low: second\r\n",
                                "\r\n\r\nStack Calls\r\n===========\r\n", "\r\nSystem\r\n======\r\n",
                                "   CPU type: ", "   Hardware memory: ", "   Free System resources: 90 %\r\n",
                                "   Compiler version: ", "   Windows version: ",
                                "   Windows total applications running: ", "\r\nVariables in use\r\n",
                                "\r\nLinked RDDs\r\n", "\r\nDataBases in use\r\n", "\r\nClasses in use:\r\n",
                                "\r\nMemory Analysis\r\n", "      Highest Value: "}) {
        const size_t found = log.find(heading, at);
        ASSERT_NE(found, std::string::npos) << heading;
        at = found;
    }
    EXPECT_EQ(log.find("first"), std::string::npos) << "replaced, not appended";
    EXPECT_NE(log.find(sizeof(void*) == 8 ? ".exe (64 bits)\r\n" : ".exe (32 bits)\r\n"), std::string::npos);
    const std::string body = log.substr(0, log.size() - 1);
    EXPECT_EQ(body.substr(body.size() - 2), "\r\n");
    for (size_t i = 0; i < body.size(); ++i)
        if (body[i] == '\n') {
            ASSERT_EQ(body[i - 1], '\r') << "at " << i;
        }
}

TEST(ErrorReportTest, SizesAndValuesAsTheReportWritesThem) {
    EXPECT_EQ(SizeText(1512448), "1,512,448 bytes");
    EXPECT_EQ(SizeText(512448), "  512,448 bytes");
    EXPECT_EQ(SizeText(12345678), "12,345,678 bytes");
    EXPECT_EQ(CGETINFO(Value("abc")), "\"abc\"");
    EXPECT_EQ(CGETINFO(Value(Array{Value(1), Value(2)})), "Len:    2");
    EXPECT_EQ(CGETINFO(Value(std::static_pointer_cast<Object>(TWindow::New()))), "Class: TWINDOW");
    EXPECT_EQ(CGETINFO(Value(12)), "12");
    EXPECT_EQ(CGETINFO(Value()), "");
}

// Levels 2 to 73 above the handler: the innermost first, 72 at most.
TEST(ErrorReportTest, TheCallListStartsAtTheInnermostLevelAndHoldsAtMost72) {
    std::vector<std::string> calls;
    std::function<void(int)> nest = [&](int depth) {
        RunAtLevel(depth == 0 ? CallLevel{"inner.cpp", "void Innermost()", 1} : CallLevel{"outer.cpp", "void Outer()", 2},
                   [&] { depth == 0 ? void(calls = CallLines()) : nest(depth - 1); });
    };
    nest(100);
    ASSERT_EQ(calls.size(), 72u);
    EXPECT_EQ(calls.front(), "   Called from: inner.cpp => Innermost(1)");
    EXPECT_EQ(calls.back(), "   Called from: outer.cpp => Outer(2)");
}

// Top-level titles in z-order; a window whose title begins one listed above it is the same
// application, listed once.
TEST(ErrorReportTest, TheRunningApplicationsLeaveOutATitleThatBeginsOneListedAbove) {
    const struct {
        const char *above, *below;
        bool belowListed;
    } pairs[] = {{"Ledger 7 - notes.txt", "Ledger 7", false}, {"Abacus 9", "Abacus 9 - sums.txt", true}};
    std::vector<HWND> made;
    for (const auto& p : pairs) {
        const HWND above = CreateWindowA("STATIC", p.above, WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        const HWND below = CreateWindowA("STATIC", p.below, WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        SetWindowPos(below, above, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        made.insert(made.end(), {above, below});
    }
    const std::string report = ErrorReport(CppError("listed", "report"), {});
    const auto listed = [&report](const std::string& title) {
        return report.find(" " + title + "\r\n") != std::string::npos;
    };
    for (const auto& p : pairs) {
        EXPECT_TRUE(listed(p.above)) << p.above;
        EXPECT_EQ(listed(p.below), p.belowListed) << p.below;
    }
    for (const HWND w : made) DestroyWindow(w);
}

// The program runs in UTF-8: its texts reach the log as the program gave
// them, and a long title is listed whole, never cut inside a character.
TEST_F(ErrorSystemTest, TheLogKeepsUTF8TextsByteForByte) {
    std::string title = "Ledger ";
    for (int i = 0; i < 200; ++i) title += "\xD0\x96";
    const HWND window = CreateWindowA("STATIC", title.c_str(), WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    const std::string description = "\xD0\x94\xD0\xB8\xD1\x81\xD0\xBA \xCF\x89 \xE6\xBB\xA1";  // Cyrillic, Greek, Chinese
    ErrorRecord e = CppError(description, "write");
    e.CanDefault = true;
    AnswerBy(e, "&Default");
    const std::string log = ReadAll("Error.log");
    EXPECT_NE(log.find(description), std::string::npos);
    EXPECT_NE(log.find(" " + title + "\r\n"), std::string::npos);
    DestroyWindow(window);
}

TEST_F(ErrorSystemTest, AnUnwritableLogStillShowsTheDialog) {
    CreateDirectoryA("Error.log", nullptr);
    EXPECT_EQ(AnswerBy(*CXGENERROR(4), "&Default"), Value(false));
    EXPECT_EQ(GetFileAttributesA("Error.log") & FILE_ATTRIBUTE_DIRECTORY, static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
}

// Each showing draws the picture in the corner from a bitmap of its own: none may stay behind.
TEST_F(ErrorSystemTest, ShowingTheDialogAgainAndAgainLeaksNothing) {
    const auto show = [] {
        DialogProbe probe([](HWND hDlg) {
            RedrawWindow(hDlg, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
            SendMessageA(ButtonOf(hDlg, "&Quit"), BM_CLICK, 0, 0);
        });
        ShowErrorDialog(*CXGENERROR(1, "No:     78"), {"   Called from: here.cpp => Here(1)"});
        EXPECT_TRUE(probe.Ran());
    };
    show();  // the system's first-use caches
    const int before = corvix_test::CountLiveGdiObjects();
    ASSERT_GT(before, 0);
    for (int i = 0; i < 4; ++i) show();
    EXPECT_EQ(corvix_test::CountLiveGdiObjects(), before);
}

// Each way out that ends the program, in a child process of its own.
TEST_F(ErrorSystemTest, QuitTheCloseBoxRetryWithoutALoopAndAnErrorInsideEndTheProgram) {
    // A second dialog would end the child with code 3 instead.
    const auto endsWithOne = [](std::function<void(HWND)> inside, ErrorRecord e) {
        EXPECT_EXIT(
            {
                ERRORSYS();
                int shown = 0;
                DialogProbe probe(
                    [&](HWND hDlg) {
                        if (++shown == 2) ExitProcess(3);
                        inside(hDlg);
                    },
                    2);
                RaiseError(e);
            },
            testing::ExitedWithCode(1), "");
    };
    endsWithOne([](HWND hDlg) { SendMessageA(ButtonOf(hDlg, "&Quit"), BM_CLICK, 0, 0); }, *CXGENERROR(1));
    endsWithOne([](HWND hDlg) { PostMessageA(hDlg, WM_SYSCOMMAND, SC_CLOSE, 0); }, *CXGENERROR(4));
    endsWithOne([](HWND hDlg) { SendMessageA(ButtonOf(hDlg, "&Retry"), BM_CLICK, 0, 0); }, RetryOrDefault());
    endsWithOne([](HWND) { RaiseError(*CXGENERROR(6, "inside")); }, *CXGENERROR(4));
}

constexpr DWORD kPassingException = 0xE0C0FFEE;

LONG CALLBACK ContinueAfterPassingException(EXCEPTION_POINTERS* pointers) {
    return pointers->ExceptionRecord->ExceptionCode == kPassingException ? EXCEPTION_CONTINUE_EXECUTION
                                                                          : EXCEPTION_CONTINUE_SEARCH;
}

// Every exception passes the fault translator, a C++ throw too on 64-bit: it
// must leave the error the program's last system call set.
TEST_F(ErrorSystemTest, AnExceptionPassingTheFaultTranslatorLeavesTheLastError) {
    ERRORSYS();
    const PVOID after = AddVectoredExceptionHandler(0, &ContinueAfterPassingException);
    SetLastError(ERROR_FILE_NOT_FOUND);
    RaiseException(kPassingException, 0, 0, nullptr);
    const DWORD lastError = GetLastError();
    RemoveVectoredExceptionHandler(after);
    EXPECT_EQ(lastError, static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

// A throwing and a crashing button action each come to the dialog; after
// Default the program goes on and its windows answer.
TEST_F(ErrorSystemTest, ACallbackThatThrowsOrCrashesIsReportedAndTheProgramGoesOn) {
    ERRORSYS();
    const auto main = TWindow::New({.cTitle = "goes on"});
    const struct {
        std::function<void()> action;
        std::string text;
    } cases[] = {
        {[] { throw std::runtime_error("boom"); }, "   Error description: Error C++/1  boom: window procedure"},
        {[] {
             volatile int* nowhere = nullptr;
             *nowhere = 1;
         },
         "   Error description: Error Corvix/5  GPF occurred: window procedure: fault 0xC0000005"},
        {[] {
             volatile int zero = 0;
             volatile int quotient = 7 / zero;
             (void)quotient;
         },
         "   Error description: Error Corvix/5  GPF occurred: window procedure: fault 0xC0000094"},
    };
    for (const auto& c : cases) {
        const int madeAt = __LINE__ + 1;
        const auto button = TButton::New({.cCaption = "Go", .oWnd = main, .bAction = c.action});
        std::string text, call;
        DialogProbe probe([&](HWND hDlg) {
            text = TextOf(GetWindow(hDlg, GW_CHILD));
            for (HWND child = GetWindow(hDlg, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
                char line[256] = {};
                if (SendMessageA(child, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(line)) > 0) call = line;
            }
            SendMessageA(ButtonOf(hDlg, "&Default"), BM_CLICK, 0, 0);
        });
        SendMessageA(button->hWnd, BM_CLICK, 0, 0);
        EXPECT_TRUE(probe.Ran());
        EXPECT_EQ(text.substr(0, c.text.size()), c.text);
        // The first level is where the failing button was made.
        EXPECT_NE(call.find("errsysw_test.cpp => "), std::string::npos) << call;
        EXPECT_NE(call.find("(" + std::to_string(madeAt) + ")"), std::string::npos) << call;
        EXPECT_TRUE(IsWindow(button->hWnd));
        EXPECT_EQ(SendMessageA(main->hWnd, WM_GETTEXTLENGTH, 0, 0), 7) << "the window answers";
    }
}

// Under load: a throwing action, a paint callback that dereferences null and
// a timer action that throws on every one of 1 000 ticks each reach the
// handler; the program goes on and nothing leaks.
TEST_F(ErrorSystemTest, FaultsInCallbacksUnderLoadReachTheHandlerAndLeakNothing) {
    ERRORSYS();
    int reported = 0;
    SetErrorHandler([&reported](const ErrorRecord&) {
        ++reported;
        return Value(false);
    });
    const auto main = TWindow::New({.cTitle = "faults"});
    ShowWindow(main->hWnd, SW_SHOWNORMAL);
    const auto button = TButton::New({.oWnd = main, .bAction = [] { throw std::runtime_error("action"); }});
    main->bPainted = [](HDC, const PAINTSTRUCT&, TWindow&) {
        volatile int* nowhere = nullptr;
        return Answer::Number(*nowhere);
    };
    const auto timer = TTimer::New(60000, [] { throw std::runtime_error("tick"); }, main.get());
    timer->Activate();
    const auto round = [&](int ticks) {
        SendMessageA(button->hWnd, BM_CLICK, 0, 0);
        RedrawWindow(main->hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        for (int i = 0; i < ticks; ++i) SendMessageA(main->hWnd, WM_TIMER, timer->nId, 0);
    };
    round(1);  // the system's first-use caches
    const int before = corvix_test::CountLiveGdiObjects();
    reported = 0;
    round(1000);
    EXPECT_EQ(reported, 1 + 1 + 1000);
    EXPECT_EQ(corvix_test::CountLiveGdiObjects(), before);
    EXPECT_EQ(SendMessageA(main->hWnd, WM_GETTEXTLENGTH, 0, 0), 6) << "the window answers";
    timer->End();
}

int* volatile nowhere = nullptr;  // the optimiser cannot see it is null
void (*volatile noFunction)() = nullptr;

// Optimised, with no frame of its own: on 64-bit the fault leaves the stack
// 8 past a 16-byte boundary.
__attribute__((noinline, noipa, optimize("O2"))) void WriteThrough(int* p) { *p = 1; }

struct SetOnExit {
    bool& done;
    ~SetOnExit() { done = true; }
};

// A frame with a clean-up: the unwinder must find it as the fault's caller.
__attribute__((noinline, noipa)) void WriteThroughAfterSetUp(int* p, bool& cleaned) {
    const SetOnExit cleanUp{cleaned};
    *p = 1;
}

// The offset in the program of the first raw frame of a call list.
uintptr_t FirstRawFrame(const std::vector<std::string>& calls) {
    for (const auto& line : calls)
        if (const size_t at = line.find(".exe+0x"); at != std::string::npos)
            return std::stoull(line.substr(at + 7), nullptr, 16);
    return 0;
}

// A fault in a frameless leaf from an action, a paint callback and a timer
// action (the timer's message through the loop), one in a function with a
// clean-up, and a call through a null function pointer: each reaches the
// handler, the faulting function first among the raw frames; after Default
// the program goes on, and nothing leaks.
TEST_F(ErrorSystemTest, AFaultInALeafOrAFramedFunctionReachesTheHandlerFromEveryCallback) {
    ERRORSYS();
    int reported = 0;
    std::vector<std::string> calls;
    SetErrorHandler([&](const ErrorRecord&) {
        ++reported;
        calls = CallLines();
        return Value(false);
    });
    const auto main = TWindow::New({.cTitle = "leaves"});
    ShowWindow(main->hWnd, SW_SHOWNORMAL);
    bool cleaned = false;
    const auto leaf = TButton::New({.oWnd = main, .bAction = [] { WriteThrough(nowhere); }});
    const auto framed = TButton::New({.oWnd = main, .bAction = [&] { WriteThroughAfterSetUp(nowhere, cleaned); }});
    const auto called = TButton::New({.oWnd = main, .bAction = [] { noFunction(); }});
    main->bPainted = [](HDC, const PAINTSTRUCT&, TWindow&) {
        WriteThrough(nowhere);
        return Answer::Number(0);
    };
    const auto timer = TTimer::New(60000, [] { WriteThrough(nowhere); }, main.get());
    timer->Activate();
    const auto base = reinterpret_cast<uintptr_t>(GetModuleHandleA(nullptr));
    const auto leafAt = reinterpret_cast<uintptr_t>(&WriteThrough) - base;
    const auto round = [&] {
        reported = 0;
        SendMessageA(leaf->hWnd, BM_CLICK, 0, 0);
        EXPECT_LT(FirstRawFrame(calls) - leafAt, 16u) << "the action's report starts in the faulting function";
        SendMessageA(framed->hWnd, BM_CLICK, 0, 0);
        SendMessageA(called->hWnd, BM_CLICK, 0, 0);
        RedrawWindow(main->hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        PostMessageA(main->hWnd, WM_TIMER, timer->nId, 0);
        SYSREFRESH();
        EXPECT_EQ(reported, 5);
    };
    round();  // the system's first-use caches
    EXPECT_TRUE(cleaned) << "the framed function's clean-up ran";
    const int before = corvix_test::CountLiveGdiObjects();
    for (int i = 0; i < 20; ++i) round();
    EXPECT_EQ(corvix_test::CountLiveGdiObjects(), before);
    EXPECT_EQ(SendMessageA(main->hWnd, WM_GETTEXTLENGTH, 0, 0), 6) << "the window answers";
    timer->End();
}

__attribute__((noinline, noipa)) void RaiseHere() { RaiseError(*CXGENERROR(4)); }

// A raised error's raw frames start in the function that raised it.
TEST(ErrorReportTest, ARaisedErrorsRawFramesStartAtTheRaiser) {
    std::vector<std::string> calls;
    SetErrorHandler([&](const ErrorRecord&) {
        calls = CallLines();
        return Value(false);
    });
    RaiseHere();
    const auto raiser = reinterpret_cast<uintptr_t>(&RaiseHere) - reinterpret_cast<uintptr_t>(GetModuleHandleA(nullptr));
    EXPECT_LT(FirstRawFrame(calls) - raiser, 256u);
}

// The program's own last-chance handler: it opens a locked page when code
// writes there, so the writer goes on, and counts the faults it saw.
class PageOpener {
public:
    PageOpener() : page_(static_cast<int*>(VirtualAlloc(nullptr, 4096, MEM_COMMIT | MEM_RESERVE, PAGE_NOACCESS))) {
        current_ = this;
        handler_ = AddVectoredExceptionHandler(0, &Open);
    }
    ~PageOpener() {
        RemoveVectoredExceptionHandler(handler_);
        VirtualFree(page_, 0, MEM_RELEASE);
    }
    int* Locked() {
        DWORD old = 0;
        VirtualProtect(page_, 4096, PAGE_NOACCESS, &old);
        return page_;
    }
    int Seen() const { return seen_; }

private:
    static LONG CALLBACK Open(EXCEPTION_POINTERS* pointers) {
        const EXCEPTION_RECORD& record = *pointers->ExceptionRecord;
        if (record.ExceptionCode != EXCEPTION_ACCESS_VIOLATION ||
            record.ExceptionInformation[1] != reinterpret_cast<ULONG_PTR>(current_->page_))
            return EXCEPTION_CONTINUE_SEARCH;
        ++current_->seen_;
        DWORD old = 0;
        VirtualProtect(current_->page_, 4096, PAGE_READWRITE, &old);
        return EXCEPTION_CONTINUE_EXECUTION;
    }
    static inline PageOpener* current_ = nullptr;
    int* page_;
    PVOID handler_ = nullptr;
    std::atomic<int> seen_{0};
};

int* volatile lockedPage = nullptr;

void CALLBACK WriteOnTimer(HWND, UINT, UINT_PTR, DWORD) { *lockedPage = 1; }

BOOL CALLBACK WriteOnEnum(HWND, LPARAM) {
    *lockedPage = 1;
    return FALSE;
}

DWORD WINAPI WriteOnThread(LPVOID) {
    *lockedPage = 1;
    return 0;
}

// Faults in code the system calls (a raw timer procedure, an EnumWindows
// callback) or in another thread are not the library's, though MAIN's guard
// is active: the program's own handler sees each, and no report is made.
TEST_F(ErrorSystemTest, FaultsOutsideTheLibrarysGuardsAreLeftToTheProgram) {
    ERRORSYS();
    int reported = 0;
    SetErrorHandler([&](const ErrorRecord&) {
        ++reported;
        return Value(false);
    });
    const auto main = TWindow::New({.cTitle = "raw"});
    PageOpener opener;
    const std::function<void()> writers[] = {
        [&] {
            SETTIMER(main->hWnd, 7, 1, &WriteOnTimer);
            for (int i = 0; i < 200 && opener.Seen() == 0; ++i) {
                SYSREFRESH();
                Sleep(5);
            }
            KillTimer(main->hWnd, 7);
        },
        [] { EnumWindows(&WriteOnEnum, 0); },
        [] {
            const HANDLE thread = CreateThread(nullptr, 0, &WriteOnThread, nullptr, 0, nullptr);
            WaitForSingleObject(thread, 5000);
            CloseHandle(thread);
        },
    };
    int expected = 0;
    for (const auto& write : writers) {
        lockedPage = opener.Locked();
        GuardCallback("MAIN", 0, [&] {
            write();
            return 0;
        });
        EXPECT_EQ(opener.Seen(), ++expected);
        EXPECT_EQ(*lockedPage, 1) << "the write went through";
    }
    EXPECT_EQ(reported, 0);
}

// An error escaping MAIN and answered with Default, and an error inside the
// handler's own work, each end the program with exit code 1.
TEST_F(ErrorSystemTest, AnErrorEscapingMainOrFailingTheHandlerEndsWithOne) {
    EXPECT_EXIT(
        {
            DialogProbe probe([](HWND hDlg) { SendMessageA(ButtonOf(hDlg, "&Default"), BM_CLICK, 0, 0); });
            ExitProcess(static_cast<UINT>(RunMain([] { throw std::runtime_error("escaped"); })));
        },
        testing::ExitedWithCode(1), "");
    EXPECT_EXIT(
        {
            ERRORSYS();
            SetErrorHandler([](const ErrorRecord&) -> Value { throw std::runtime_error("handler broke"); });
            const auto main = TWindow::New({.cTitle = "x"});
            const auto button = TButton::New({.oWnd = main, .bAction = [] { throw std::runtime_error("first"); }});
            SendMessageA(button->hWnd, BM_CLICK, 0, 0);
            ExitProcess(0);
        },
        testing::ExitedWithCode(1), "handler broke.*window procedure: first");
    EXPECT_EXIT(
        {
            ERRORSYS();
            SetErrorHandler([](const ErrorRecord&) -> Value {
                WriteThrough(nowhere);
                return Value(false);
            });
            const auto main = TWindow::New({.cTitle = "x"});
            const auto button = TButton::New({.oWnd = main, .bAction = [] { throw std::runtime_error("first"); }});
            SendMessageA(button->hWnd, BM_CLICK, 0, 0);
            ExitProcess(0);
        },
        testing::ExitedWithCode(1), "fault 0xC0000005.*window procedure: first");
}

int paintsSeen = 0;
WNDPROC classButtonProc = nullptr;

LRESULT CALLBACK CountPaints(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
    if (nMsg == WM_PAINT) ++paintsSeen;
    return CallWindowProcA(classButtonProc, hWnd, nMsg, wParam, lParam);
}

Value FailPaints(Args args) {
    if (args.Integer(1) == WM_PAINT) throw std::runtime_error("paint");
    return CXH(args);
}

// A dispatch that fails on WM_PAINT still hands the message to the button's
// own procedure, as NIL would, so the button is painted and validated.
TEST_F(ErrorSystemTest, AFailedPaintStillRunsTheButtonsOwnProcedure) {
    ERRORSYS();
    int reported = 0;
    SetErrorHandler([&](const ErrorRecord&) {
        ++reported;
        return Value(false);
    });
    const auto main = TWindow::New({.cTitle = "paint"});
    const HWND lender = CreateWindowA("BUTTON", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    classButtonProc = reinterpret_cast<WNDPROC>(
        SetClassLongPtrA(lender, GCLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CountPaints)));
    const auto button = TButton::New({.cCaption = "Go", .oWnd = main});
    SetClassLongPtrA(lender, GCLP_WNDPROC, reinterpret_cast<LONG_PTR>(classButtonProc));
    DestroyWindow(lender);
    FunctionRegistry::Instance().Register("_CXH", &FailPaints);
    paintsSeen = 0;
    InvalidateRect(button->hWnd, nullptr, FALSE);
    SendMessageA(button->hWnd, WM_PAINT, 0, 0);
    FunctionRegistry::Instance().Register("_CXH", &CXH);
    EXPECT_EQ(reported, 1);
    EXPECT_EQ(paintsSeen, 1);
    EXPECT_FALSE(GetUpdateRect(button->hWnd, nullptr, FALSE)) << "painted and validated";
}

}  // namespace
}  // namespace corvix
