#include "corvix/function/errsysw.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <stdexcept>
#include <sstream>
#include <string>
#include <vector>

#include "corvix/classes/button.h"
#include "corvix/classes/timer.h"
#include "corvix/function/errordialog.h"
#include "corvix/function/errorreport.h"
#include "corvix/native/eventloop.h"
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

TEST_F(ErrorSystemTest, AnUnwritableLogStillShowsTheDialog) {
    CreateDirectoryA("Error.log", nullptr);
    EXPECT_EQ(AnswerBy(*CXGENERROR(4), "&Default"), Value(false));
    EXPECT_EQ(GetFileAttributesA("Error.log") & FILE_ATTRIBUTE_DIRECTORY, static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
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

}  // namespace
}  // namespace corvix
