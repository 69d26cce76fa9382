#include "corvix/classes/dialog.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "corvix/classes/button.h"
#include "corvix/classes/font.h"
#include "corvix/function/cxerror.h"
#include "corvix/native/dlgproc.h"
#include "corvix/native/dlgtemplate.h"
#include "corvix/native/eventloop.h"
#include "tests/support/dialogprobe.h"
#include "tests/support/gdiprobe.h"
#include "tests/support/testwindow.h"

namespace corvix {
namespace {

using corvix_test::DialogProbe;
using corvix_test::Pump;

constexpr int kDialogResource = 300;  // in dialog_test.rc
constexpr int kResourceButton = 310;
constexpr int kFontDialogResource = 301;  // with a FONT line
constexpr int kFontDialogButton = 312;

// The item's rectangle in pixels, as the system converts the template's dialog units.
RECT ItemPixels(HWND hDlg, const TWindow& c) {
    const LONG base = GETDLGBASEUNITS();
    const int across = LOWORD(base), down = HIWORD(base);
    RECT r{8 * c.nLeft / across, 16 * c.nTop / down, 8 * c.nRight / across + 1, 16 * c.nBottom / down + 1};
    MapDialogRect(hDlg, &r);
    return r;
}

std::string TextOf(HWND h) {
    char text[256] = {};
    GetWindowTextA(h, text, sizeof text);
    return text;
}

std::string FaceOf(HFONT font) {
    LOGFONTA lf{};
    return GetObjectA(font, sizeof lf, &lf) ? lf.lfFaceName : "";
}

class DialogTest : public testing::Test {
protected:
    // A dialog like the demo's: three buttons in a row, each counting its clicks.
    std::shared_ptr<TDialog> ThreeButtons(TDialog::NewArgs a = {}) {
        auto d = TDialog::New(a);
        for (int i = 0; i < 3; ++i)
            buttons_.push_back(TButton::New({.nRow = 1, .nCol = 2.0 + 10 * i, .cCaption = std::to_string(i + 1),
                                             .oWnd = d, .bAction = [this, i] { ++clicks_[i]; },
                                             .nWidth = 50, .nHeight = 13}));
        return d;
    }
    // Runs the dialog modally; what runs inside is the probe's, which must end it.
    static void RunWith(const std::shared_ptr<TDialog>& d, std::function<void(HWND)> inside,
                        TDialog::ActivateArgs a = {}) {
        DialogProbe probe(std::move(inside));
        d->Activate(a);
        EXPECT_TRUE(probe.Ran());
    }
    std::vector<std::shared_ptr<TButton>> buttons_;
    int clicks_[3] = {};
};

TEST_F(DialogTest, NewMeasuresInRowsAndColumnsUnlessGivenPixels) {
    const auto d = TDialog::New();
    EXPECT_EQ(RectArray({d->nTop, d->nLeft, d->nBottom, d->nRight}), RectArray({0, 0, 151, 316}));
    EXPECT_EQ(d->nStyle, 0x80C80080u);
    EXPECT_EQ(GETWNDDEFAULT(), d);
    ASSERT_EQ(GETDLGBASEUNITS(), MAKELONG(8, 16));
    EXPECT_EQ(d->cToChar(nullptr), CDLG2CHR(0, 0, 0, 75, 158, "", 0x80C80080));
    EXPECT_EQ(d->cToChar(nullptr).size(), 24u) << "an empty title";
    const auto sized = TDialog::New({.nTop = 2, .nLeft = 3, .nWidth = 300, .nHeight = 200});
    EXPECT_EQ(RectArray({sized->nTop, sized->nLeft, sized->nBottom, sized->nRight}), RectArray({2, 3, 200, 300}));
}

// Where the template puts each button, in the system's own conversion of dialog units.
TEST_F(DialogTest, TheButtonsStandWhereTheTemplatePutsThemAndEndGivesTheResult) {
    const auto d = ThreeButtons({.cTitle = "Round trip"});
    RunWith(d, [&](HWND hDlg) {
        EXPECT_EQ(TextOf(hDlg), "Round trip");
        for (const auto& b : buttons_) {
            ASSERT_EQ(b->hWnd, GetDlgItem(hDlg, b->nId));
            const RECT expected = ItemPixels(hDlg, *b);
            RECT actual{};
            GetWindowRect(b->hWnd, &actual);
            MapWindowPoints(nullptr, hDlg, reinterpret_cast<POINT*>(&actual), 2);
            EXPECT_EQ(actual.left, expected.left);
            EXPECT_EQ(actual.top, expected.top);
            EXPECT_EQ(actual.right, expected.right);
            EXPECT_EQ(actual.bottom, expected.bottom);
        }
        d->End();
    });
    EXPECT_EQ(d->nResult.AsInteger(), IDCANCEL);
    EXPECT_EQ(d->hWnd, nullptr);
    buttons_[1]->bAction = [&d] { d->End(1); };
    RunWith(d, [&](HWND) { SendMessageA(buttons_[1]->hWnd, BM_CLICK, 0, 0); });
    EXPECT_EQ(d->nResult.AsInteger(), IDOK);
}

// Each way out, with bValid missing, agreeing and refusing: the caller gets the way's result,
// or, when refused, the dialog stays until it is ended again.
TEST_F(DialogTest, EveryWayOutGivesItsResultUnlessValidRefuses) {
    const auto key = [](HWND hDlg, HWND target, WPARAM vk) {
        MSG m{target, WM_KEYDOWN, vk, 1, 0, {}};
        IsDialogMessageA(hDlg, &m);  // as the modal loop hands it over
    };
    const struct {
        const char* way;
        std::function<void(TDialog&, HWND hDlg, HWND ok)> take;
        int result;
    } ways[] = {
        {"End", [](TDialog& d, HWND, HWND) { d.End(5); }, 5},
        {"OK without an action", [](TDialog&, HWND, HWND ok) { SendMessageA(ok, BM_CLICK, 0, 0); }, IDOK},
        {"Enter", [&](TDialog&, HWND hDlg, HWND ok) { key(hDlg, ok, VK_RETURN); }, IDOK},
        {"Cancel", [](TDialog&, HWND hDlg, HWND) { SendMessageA(hDlg, WM_COMMAND, IDCANCEL, 0); }, IDCANCEL},
        {"Escape", [&](TDialog&, HWND hDlg, HWND ok) { key(hDlg, ok, VK_ESCAPE); }, IDCANCEL},
        {"close box", [](TDialog&, HWND hDlg, HWND) { SendMessageA(hDlg, WM_SYSCOMMAND, SC_CLOSE, 0); }, IDCANCEL},
    };
    const auto d = TDialog::New({.cTitle = "Ways out"});
    for (const auto& w : ways) {
        for (const std::optional<bool> valid : {std::optional<bool>(), std::optional(true), std::optional(false)}) {
            std::function<bool()> bValid;
            if (valid) bValid = [v = *valid] { return v; };
            bool stayed = false;
            const auto inside = [&](HWND hDlg) {
                const HWND ok = CreateWindowA("BUTTON", "OK", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 10, 10, 60, 20, hDlg,
                                              reinterpret_cast<HMENU>(IDOK), nullptr, nullptr);
                w.take(*d, hDlg, ok);
                Pump();
                stayed = d->hWnd == hDlg;
                if (!stayed) return;
                d->bValid = nullptr;
                d->End(9);
            };
            RunWith(d, inside, {.bValid = bValid});
            const std::string row = std::string(w.way) + ", bValid " + (valid ? (*valid ? "yes" : "no") : "missing");
            EXPECT_EQ(stayed, valid == false) << row;
            EXPECT_EQ(d->nResult.AsInteger(), valid == false ? 9 : w.result) << row;
        }
    }
}

TEST_F(DialogTest, EnterWithoutADefaultButtonMovesTheFocusOn) {
    const auto d = ThreeButtons();
    RunWith(d, [&](HWND hDlg) {
        SetFocus(buttons_[0]->hWnd);
        SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);  // what the dialog manager sends
        EXPECT_EQ(GetFocus(), buttons_[1]->hWnd);
        EXPECT_TRUE(IsWindow(hDlg));
        d->End();
    });
    EXPECT_EQ(clicks_[0] + clicks_[1] + clicks_[2], 0);
}

TEST_F(DialogTest, EscapeEndsAnOwnerlessDialogUnlessSwitchedOff) {
    const auto d = ThreeButtons();
    RunWith(d, [](HWND hDlg) {
        SetForegroundWindow(hDlg);
        INPUT keys[2] = {};
        keys[0].type = keys[1].type = INPUT_KEYBOARD;
        keys[0].ki.wVk = keys[1].ki.wVk = VK_ESCAPE;
        keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
        SendInput(2, keys, sizeof(INPUT));
    });
    EXPECT_EQ(d->nResult.AsInteger(), IDCANCEL);
    EXPECT_TRUE(SETDIALOGESC(false));
    bool stayed = false;
    RunWith(d, [&](HWND hDlg) {
        SendMessageA(hDlg, WM_KEYDOWN, VK_ESCAPE, 0);
        stayed = IsWindow(hDlg) && d->hWnd == hDlg;
        EXPECT_FALSE(SETDIALOGESC(true));
        SendMessageA(hDlg, WM_KEYDOWN, VK_ESCAPE, 0);
    });
    EXPECT_TRUE(stayed);
    EXPECT_EQ(d->nResult.AsInteger(), IDCANCEL);
}

TEST_F(DialogTest, AClickIsDroppedWhileTheFocusedControlIsInvalid) {
    const auto d = ThreeButtons();
    RunWith(d, [&](HWND) {
        buttons_[0]->bValid = [] { return false; };
        buttons_[2]->lCancel = true;
        SetFocus(buttons_[0]->hWnd);
        for (const auto& b : buttons_)
            SendMessageA(d->hWnd, WM_COMMAND, MAKEWPARAM(b->nId, BN_CLICKED), reinterpret_cast<LPARAM>(b->hWnd));
        d->End();
    });
    EXPECT_EQ(clicks_[0], 1) << "the focused control itself";
    EXPECT_EQ(clicks_[1], 0) << "dropped";
    EXPECT_EQ(clicks_[2], 1) << "a Cancel button";
}

TEST_F(DialogTest, AWhenThatFailsEndsTheActivationAtOnce) {
    const auto d = ThreeButtons();
    bool initiated = false;
    d->Activate({.bInit = [&initiated](TWindow&) {
                     initiated = true;
                     return Answer::Nil();
                 },
                 .bWhen = [] { return false; }});
    EXPECT_FALSE(initiated);
    EXPECT_EQ(d->nResult.AsInteger(), IDCANCEL);
    EXPECT_EQ(DialogActivations(), 0);
    EXPECT_FALSE(d->lVisible);
}

TEST_F(DialogTest, ACentredDialogStandsInTheMiddleOfTheScreenWhereverItsOwnerIs) {
    const auto owner = TWindow::New({.nTop = 0, .nLeft = 0, .nBottom = 100, .nRight = 100, .lPixel = true});
    const auto d = ThreeButtons({.oWnd = owner});
    RECT screen{}, at{};
    GetWindowRect(GetDesktopWindow(), &screen);
    RunWith(
        d,
        [&](HWND hDlg) {
            EXPECT_EQ(GetWindow(hDlg, GW_OWNER), owner->hWnd);
            GetWindowRect(hDlg, &at);
            d->End();
        },
        {.lCentered = true});
    EXPECT_EQ(at.left, screen.right / 2 - (at.right - at.left) / 2);
    EXPECT_EQ(at.top, screen.bottom / 2 - (at.bottom - at.top) / 2);
}

TEST_F(DialogTest, ANestedModalDialogTakesTheActiveWindowAsItsParent) {
    const auto outer = ThreeButtons({.cTitle = "outer"});
    const auto inner = TDialog::New({.cTitle = "inner"});
    HWND innerOwner = nullptr, outerWindow = nullptr;
    outer->bStart = [&] {
        outerWindow = outer->hWnd;
        SetActiveWindow(outerWindow);
        inner->Activate({.bInit = [&](TWindow& self) {
            innerOwner = GetWindow(self.hWnd, GW_OWNER);
            PostMessageA(self.hWnd, WM_COMMAND, IDCANCEL, 0);
            return Answer::Nil();
        }});
        outer->End(7);
    };
    outer->Activate();
    EXPECT_EQ(innerOwner, outerWindow);
    EXPECT_EQ(inner->nResult.AsInteger(), IDCANCEL);
    EXPECT_EQ(outer->nResult.AsInteger(), 7);
}

// The main loop's part of the modeless test, run from a timer inside it.
struct ModelessRun {
    static inline std::shared_ptr<TWindow> main;
    static inline std::shared_ptr<TDialog> dialog;
    static inline HWND focusAfterTab = nullptr, second = nullptr, window = nullptr, accepting = nullptr;
    static inline bool listedWhileOpen = false, listedAfterClose = true;

    static void CALLBACK AfterTab(HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(nullptr, id);
        focusAfterTab = GetFocus();
        second = dialog->aControls[1]->hWnd;
        accepting = LastAcceptingDialog();
        listedWhileOpen = DEREGDIALOG(window) && REGDIALOG(window);
        dialog->End();
        SYSREFRESH();
        listedAfterClose = DEREGDIALOG(window);
        main->End();
    }
};

TEST_F(DialogTest, AModelessDialogIsNavigatedByTheMainLoopAndListedWhileItLives) {
    ModelessRun::main = TWindow::New({.cTitle = "main"});
    ModelessRun::dialog = ThreeButtons({.cTitle = "modeless"});
    ModelessRun::main->bInit = [](TWindow&) {
        ModelessRun::dialog->Activate({.lModal = false});
        ModelessRun::window = ModelessRun::dialog->hWnd;
        SetFocus(ModelessRun::dialog->aControls[0]->hWnd);
        PostMessageA(GetFocus(), WM_KEYDOWN, VK_TAB, 1);
        SetTimer(nullptr, 0, 50, &ModelessRun::AfterTab);
        return Answer::Nil();
    };
    ModelessRun::main->Activate();
    EXPECT_EQ(ModelessRun::focusAfterTab, ModelessRun::second);
    EXPECT_EQ(ModelessRun::accepting, ModelessRun::window) << "the loop offered the key to the dialog";
    EXPECT_TRUE(ModelessRun::listedWhileOpen);
    EXPECT_FALSE(ModelessRun::listedAfterClose);
    EXPECT_FALSE(IsWindow(ModelessRun::window));
    EXPECT_EQ(ModelessRun::dialog->nResult.AsInteger(), IDCANCEL);
    ModelessRun::main.reset();
    ModelessRun::dialog.reset();
}

TEST_F(DialogTest, ADuplicateIdentifierIsReportedAndNotListed) {
    const auto d = TDialog::New();
    std::vector<std::string> seen;
    SetErrorHandler([&seen](const ErrorRecord& e) {
        seen.push_back(ERRORMESSAGE(e));
        return Value(false);
    });
    TButton::ReDefine({.nId = 5, .oWnd = d});
    TButton::ReDefine({.nId = 5, .oWnd = d});
    EXPECT_EQ(d->aControls.size(), 1u);
    EXPECT_EQ(seen, std::vector<std::string>{"Error Corvix/2  Duplicated Id: No:      5"});
}

TEST_F(DialogTest, ADialogThatCannotBeMadeIsReportedWithWhatItWasMadeFrom) {
    const std::string indent = "\r\n" + std::string(22, ' ');
    const struct {
        Value cResName;
        std::string cResData, operation;
    } cases[] = {
        {Value("NODIALOG"), "", indent + "Resource: NODIALOG"},
        {Value(77), "", indent + "Resource:         77"},
        {Value(), CDLG2CHR(1, 0, 0, 50, 50, "", WS_POPUP) + CCTRL2CHR(0, 0, 10, 10, 1, WS_CHILD, "NoSuchClass", ""),
         indent + "Title: broken"},
    };
    for (const auto& c : cases) {
        const auto d = TDialog::New({.cTitle = "broken", .cResName = c.cResName});
        d->cResData = c.cResData;
        std::optional<ErrorRecord> seen;
        SetErrorHandler([&seen](const ErrorRecord& e) {
            seen = e;
            return Value(false);
        });
        d->Activate();
        ASSERT_TRUE(seen) << c.operation;
        EXPECT_EQ(seen->SubCode, 3);
        EXPECT_EQ(seen->Operation, c.operation);
        EXPECT_EQ(d->nResult.AsInteger(), 65535);
    }
}

TEST_F(DialogTest, AFullModelessTableMakesNoDialog) {
    for (int i = 0; i < kModelessDialogSlots; ++i) REGDIALOG(reinterpret_cast<HWND>(static_cast<INT_PTR>(0x10000 + i)));
    const auto d = ThreeButtons();
    std::string shown;
    {
        DialogProbe probe([&shown](HWND box) {
            shown = TextOf(GetDlgItem(box, 0xFFFF));
            PostMessageA(box, WM_COMMAND, IDOK, 0);
        });
        d->Activate({.lModal = false});
    }
    EXPECT_EQ(shown, "Not possible to create more non-modal Dialogs");
    EXPECT_EQ(d->hWnd, nullptr);
}

TEST_F(DialogTest, ALongTitleAndTwoHundredControlsAllArrive) {
    const std::string title(1000, 'T');
    const auto d = TDialog::New({.cTitle = title, .nWidth = 900, .nHeight = 700});
    for (int i = 0; i < 200; ++i)
        TButton::New({.nRow = 1.0 + i / 10, .nCol = 2.0 + 12 * (i % 10), .cCaption = "b", .oWnd = d, .nWidth = 60});
    int attached = 0;
    int titleLength = 0;
    RunWith(d, [&](HWND hDlg) {
        titleLength = GetWindowTextLengthA(hDlg);
        for (const auto& c : d->aControls) attached += c->hWnd && c->hWnd == GetDlgItem(hDlg, c->nId);
        d->End();
    });
    EXPECT_EQ(titleLength, 1000);
    EXPECT_EQ(attached, 200);
}

TEST_F(DialogTest, SetFontOnARunningDialogGivesTheChildrenTheNewFont) {
    const auto d = ThreeButtons();
    HFONT childFont = nullptr, newFont = nullptr;
    RunWith(d, [&](HWND hDlg) {
        d->SetFont(TFont::New({.cFaceName = "Tahoma", .nHeight = -20}));
        newFont = d->oFont->hFont;
        childFont = reinterpret_cast<HFONT>(SendMessageA(GetDlgItem(hDlg, buttons_[2]->nId), WM_GETFONT, 0, 0));
        d->End();
    });
    EXPECT_NE(newFont, nullptr);
    EXPECT_EQ(childFont, newFont);
}

// A dialog of the program's resources, its buttons redefined by identifier.
TEST_F(DialogTest, AResourceDialogAttachesItsRedefinedControlsAndIsWidenedOnRequest) {
    const auto d = TDialog::New({.cResName = Value(kDialogResource)});
    int clicks = 0;
    const auto go = TButton::ReDefine({.nId = kResourceButton, .bAction = [&] { d->End(4); }, .oWnd = d});
    RECT plain{}, widened{};
    for (const bool lResize16 : {false, true}) {
        RunWith(
            d,
            [&](HWND hDlg) {
                GetWindowRect(hDlg, lResize16 ? &widened : &plain);
                EXPECT_EQ(go->hWnd, GetDlgItem(hDlg, kResourceButton));
                ++clicks;
                SendMessageA(go->hWnd, BM_CLICK, 0, 0);
            },
            {.lResize16 = lResize16});
        EXPECT_EQ(d->nResult.AsInteger(), 4);
    }
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(d->nStyle & WS_CAPTION, static_cast<DWORD>(WS_CAPTION)) << "read from the window";
    EXPECT_EQ(widened.right - widened.left, static_cast<int>((plain.right - plain.left) * 1.16668));
}

TEST_F(DialogTest, AMnemonicFindsItsControlOrTheOneAfterItsLabel) {
    const auto d = ThreeButtons();
    buttons_[0]->cCaption = "&One";
    buttons_[1]->cCaption = "T&wo";
    buttons_[2]->cCaption = "&Way";
    RunWith(d, [&](HWND hDlg) {
        HWND label = CreateWindowA("STATIC", "&Name", WS_CHILD, 0, 0, 40, 10, hDlg, nullptr, nullptr, nullptr);
        SetWindowPos(label, buttons_[1]->hWnd, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);  // just before "&Way"
        const struct {
            int nChar;
            HWND exclude, found;
        } cases[] = {{'O', nullptr, buttons_[0]->hWnd}, {'w', nullptr, buttons_[1]->hWnd},
                     {'W', buttons_[1]->hWnd, buttons_[2]->hWnd}, {'n', nullptr, buttons_[2]->hWnd},
                     {'z', nullptr, nullptr}};
        for (const auto& c : cases) EXPECT_EQ(d->GetHotPos(c.nChar, c.exclude), c.found) << char(c.nChar);
        EnableWindow(buttons_[0]->hWnd, FALSE);
        EXPECT_EQ(d->GetHotPos('o'), nullptr) << "disabled";
        d->End();
    });
}

TEST_F(DialogTest, ContextHelpShowsTheButtonAndLeavesChoosingModeOnHelp) {
    const auto d = ThreeButtons();
    LONG_PTR exStyle = 0;
    std::optional<bool> choosing, afterHelp;
    RunWith(d, [&](HWND hDlg) {
        exStyle = GetWindowLongPtrA(hDlg, GWL_EXSTYLE);
        SendMessageA(hDlg, WM_SYSCOMMAND, SC_CONTEXTHELP, 0);
        choosing = d->lHelpIcon;
        HELPINFO info{sizeof info, HELPINFO_WINDOW, buttons_[0]->nId, buttons_[0]->hWnd, 0, {}};
        SendMessageA(hDlg, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
        afterHelp = d->lHelpIcon;
        d->End();
    });
    EXPECT_TRUE(exStyle & WS_EX_CONTEXTHELP);
    EXPECT_EQ(choosing, true);
    EXPECT_EQ(afterHelp, false);
    d->lHelpIcon = false;
    RunWith(d, [&](HWND hDlg) {
        exStyle = GetWindowLongPtrA(hDlg, GWL_EXSTYLE);
        d->End();
    });
    EXPECT_FALSE(exStyle & WS_EX_CONTEXTHELP) << "switched off";
}

TEST_F(DialogTest, TheBackgroundIsTheDialogsBrushAndStartRunsOnceAfterTheFirstPaint) {
    const auto d = ThreeButtons({.nClrBack = RGB(10, 120, 200)});
    int starts = 0;
    COLORREF background = 0, painted = 0;
    d->bStart = [&starts] { ++starts; };
    RunWith(
        d,
        [&](HWND hDlg) {
            RedrawWindow(hDlg, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
            background = corvix_test::WindowPixel(hDlg, 2, 2);
            painted = corvix_test::WindowPixel(hDlg, 100, 100);
            d->End();
        },
        {.bPainted = [](HDC hDC, const PAINTSTRUCT&, TWindow&) {
            ::SetPixel(hDC, 100, 100, RGB(255, 0, 0));
            return Answer::Nil();
        }});
    EXPECT_EQ(corvix_test::Rgb(background), corvix_test::Rgb(RGB(10, 120, 200)));
    EXPECT_EQ(corvix_test::Rgb(painted), corvix_test::Rgb(RGB(255, 0, 0)));
    EXPECT_EQ(starts, 1);
}

TEST_F(DialogTest, BadInputAnswersWithoutACrashOrALeak) {
    EXPECT_EQ(DIALOGBOXINDIRECT(GetModuleHandleA(nullptr), std::string(), nullptr, nullptr), 0);
    EXPECT_EQ(CREATEDLGINDIRECT(GetModuleHandleA(nullptr), std::string(), nullptr, nullptr), nullptr);
    const auto empty = TDialog::New({.cTitle = "no controls"});
    EXPECT_FALSE(empty->End()) << "no window to end";
    RunWith(empty, [&](HWND) { empty->End(3); });
    EXPECT_EQ(empty->nResult.AsInteger(), 3);
    int before = 0;
    for (int i = 0; i < 6; ++i) {
        if (i == 1) before = corvix_test::CountLiveGdiObjects();  // after the system's first-use caches
        const auto d = ThreeButtons({.nClrBack = RGB(10, 20, 30 + i)});
        RunWith(d, [&](HWND) { d->End(); });
        const auto modeless = ThreeButtons();
        modeless->Activate({.lModal = false});
        modeless->End();
        Pump();
    }
    buttons_.clear();
    EXPECT_EQ(corvix_test::CountLiveGdiObjects(), before);
}

// Each run builds its window from what the runs before it left behind.
TEST_F(DialogTest, ADialogRunThreeTimesKeepsItsPlaceSizeAndFont) {
    const struct {
        std::shared_ptr<TDialog> dialog;
        std::string face;
    } cases[] = {{ThreeButtons({.nTop = 3, .nLeft = 5, .cTitle = "in memory"}), ""},
                 {TDialog::New({.cResName = Value(kFontDialogResource)}), "Tahoma"}};
    const auto go = TButton::ReDefine({.nId = kFontDialogButton, .oWnd = cases[1].dialog});
    for (const auto& c : cases) {
        std::vector<RECT> places;
        std::vector<std::string> faces;
        for (int run = 0; run < 3; ++run) {
            RunWith(c.dialog, [&](HWND hDlg) {
                RECT r{};
                GetWindowRect(hDlg, &r);
                places.push_back(r);
                const auto font = reinterpret_cast<HFONT>(SendMessageA(GetWindow(hDlg, GW_CHILD), WM_GETFONT, 0, 0));
                faces.push_back(FaceOf(font));
                SendMessageA(hDlg, WM_SIZE, SIZE_RESTORED, MAKELPARAM(r.right - r.left, r.bottom - r.top));
                c.dialog->End();
            });
            for (const auto& kept : {c.dialog->oFont, go->oFont})
                EXPECT_TRUE(!kept || GetObjectType(kept->hFont) == OBJ_FONT) << "a dead font kept after run " << run + 1;
        }
        ASSERT_EQ(places.size(), 3u);
        if (!c.face.empty()) {
            EXPECT_EQ(faces[0], c.face);
        }
        for (int run = 1; run < 3; ++run) {
            EXPECT_TRUE(EqualRect(&places[run], &places[0])) << c.dialog->cCaption << ", run " << run + 1;
            EXPECT_EQ(faces[run], faces[0]) << c.dialog->cCaption << ", run " << run + 1;
        }
    }
}

TEST_F(DialogTest, ASecondActivateWhileRunningIsRefusedAndChangesNothing) {
    std::vector<std::string> seen;
    SetErrorHandler([&seen](const ErrorRecord& e) {
        seen.push_back(ERRORMESSAGE(e));
        return Value(false);
    });
    const auto modal = ThreeButtons({.cTitle = "modal"});
    HWND running = nullptr;
    RunWith(modal, [&](HWND hDlg) {
        running = hDlg;
        modal->Activate({.lCentered = true, .bInit = [](TWindow& self) {
                             PostMessageA(self.hWnd, WM_COMMAND, IDCANCEL, 0);
                             return Answer::Nil();
                         }});
        EXPECT_EQ(modal->hWnd, hDlg);
        EXPECT_FALSE(modal->lCentered);
        EXPECT_FALSE(modal->bInit);
        modal->End();  // the window goes, but its modal loop is still running
        modal->Activate({.lCentered = true});
        EndDialog(hDlg, 5);
    });
    EXPECT_EQ(seen.size(), 2u);
    const auto modeless = ThreeButtons({.cTitle = "modeless"});
    modeless->Activate({.lModal = false});
    const HWND first = modeless->hWnd;
    modeless->Activate({.lModal = false});
    EXPECT_EQ(modeless->hWnd, first);
    EXPECT_EQ(seen.size(), 3u);
    ASSERT_FALSE(seen.empty());
    EXPECT_NE(seen[0].find("Dialog already active"), std::string::npos) << seen[0];
    for (HWND w = FindWindowA(nullptr, "modeless"); w; w = FindWindowA(nullptr, "modeless")) DestroyWindow(w);
    Pump();
}

TEST_F(DialogTest, AModelessDialogEndedFromItsInitLeavesNoWindowListed) {
    const auto d = ThreeButtons({.cTitle = "ends at once"});
    HWND made = nullptr;
    std::optional<ErrorRecord> seen;
    SetErrorHandler([&seen](const ErrorRecord& e) {
        seen = e;
        return Value(false);
    });
    d->Activate({.lModal = false, .bInit = [&made, &d](TWindow& self) {
                     made = self.hWnd;
                     d->End();
                     return Answer::Nil();
                 }});
    Pump();
    ASSERT_NE(made, nullptr);
    EXPECT_FALSE(IsWindow(made));
    EXPECT_EQ(d->hWnd, nullptr);
    EXPECT_FALSE(DEREGDIALOG(made)) << "left in the modeless table";
    EXPECT_FALSE(seen) << (seen ? ERRORMESSAGE(*seen) : "");
}

TEST_F(DialogTest, AModelessDialogLetsTheSessionEndAndTheSystemServeHelp) {
    const auto d = ThreeButtons();
    d->Activate({.lModal = false});
    const HWND hDlg = d->hWnd;
    EXPECT_TRUE(d->SysCommand(SC_CONTEXTHELP, 0).IsNil()) << "the system's processing enters help mode";
    EXPECT_EQ(d->lHelpIcon, true);
    EXPECT_NE(SendMessageA(hDlg, WM_QUERYENDSESSION, 0, 0), 0) << "it closes, so it does not hold the session";
    Pump();
    EXPECT_FALSE(IsWindow(hDlg));
}

TEST_F(DialogTest, ATemplateCutShortIsRefused) {
    const std::string header = CDLG2CHR(2, 0, 0, 50, 80, "cut", WS_POPUP | WS_CAPTION);
    const std::string one = CCTRL2CHR(2, 2, 12, 40, 101, WS_CHILD | WS_VISIBLE, "BUTTON", "One");
    const std::string both = header + one + CCTRL2CHR(14, 2, 24, 40, 102, WS_CHILD | WS_VISIBLE, "BUTTON", "Two");
    const struct {
        std::string bytes;
        const char* what;
    } cases[] = {
        {header + one, "one of the two items promised"},
        {both.substr(0, both.size() - 8), "the last caption cut"},
        {header.substr(0, 26), "the title cut"},
        {header + one.substr(0, 10), "an item cut in its rectangle"},
    };
    for (const auto& c : cases) {
        const auto d = TDialog::New({.cTitle = "cut"});
        d->cResData = c.bytes;
        std::optional<ErrorRecord> seen;
        SetErrorHandler([&seen](const ErrorRecord& e) {
            seen = e;
            return Value(false);
        });
        DialogProbe probe([](HWND hDlg) { EndDialog(hDlg, 0); });
        d->Activate();
        ASSERT_TRUE(seen) << c.what;
        EXPECT_EQ(seen->SubCode, 3) << c.what;
        EXPECT_EQ(d->nResult.AsInteger(), 65535) << c.what;
    }
    const auto whole = TDialog::New({.cTitle = "whole"});
    whole->cResData = both;
    RunWith(whole, [&](HWND) { whole->End(6); });
    EXPECT_EQ(whole->nResult.AsInteger(), 6);
}

TEST_F(DialogTest, AControlDesignedBeforeTheDialogOpensStaysInDesignMode) {
    const auto d = TDialog::New({.cTitle = "designing"});
    int clicks = 0;
    const auto b = TButton::New({.nRow = 1, .nCol = 2, .cCaption = "Move me", .oWnd = d,
                                 .bAction = [&clicks] { ++clicks; }, .nWidth = 60, .nHeight = 16, .lDesign = true});
    bool designing = false;
    RunWith(d, [&](HWND) {
        designing = b->lDrag;
        SendMessageA(b->hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        SendMessageA(b->hWnd, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
        d->End();
    });
    EXPECT_TRUE(designing);
    EXPECT_EQ(clicks, 0) << "its action does not run in design mode";
}

TEST_F(DialogTest, TheMissingVbxLibraryIsSaid) {
    std::vector<std::string> shown;
    DialogProbe probe(
        [&shown](HWND box) {
            shown.push_back(TextOf(GetDlgItem(box, 0xFFFF)));
            PostMessageA(box, WM_COMMAND, IDOK, 0);
        },
        2);
    TDialog::New({.lVbx = true});
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0], "Error code: 126 loading BIVBX10.DLL");
    EXPECT_EQ(shown[1], "VBX support not available");
}

}  // namespace
}  // namespace corvix
