// Dialogs built from code at random, with fixed seeds: titles and captions
// of up to 2 000 characters (bytes above 127 included), up to 200 controls
// of the library's classes. The dialog manager must accept each, every
// control must be attached to a child of its class, and nothing may leak.
// 500 dialogs in five runs of 100, each run a test of its own.

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "corvix/classes/button.h"
#include "corvix/classes/checkbox.h"
#include "corvix/classes/dialog.h"
#include "corvix/classes/say.h"
#include "corvix/classes/scrollbar.h"
#include "tests/support/gdiprobe.h"

namespace corvix {
namespace {

class RandomDialogs {
public:
    explicit RandomDialogs(unsigned seed) : random_(seed) {}

    int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }

    std::string Text() {
        std::string text(static_cast<size_t>(Pick(0, 2000)), ' ');
        for (char& c : text) c = static_cast<char>(Pick(32, 255));
        return text;
    }

    // A dialog with its controls defined, not yet run; `onlyClass` makes
    // every control of that class, else each is of a class drawn at random.
    std::shared_ptr<TDialog> Next(int controls = -1, int onlyClass = -1) {
        const auto d = TDialog::New({.cTitle = Text(), .nWidth = 900, .nHeight = 700});
        if (controls < 0) controls = Pick(0, 200);
        for (int i = 0; i < controls; ++i) {
            const int row = 1 + i / 10, col = 2 + (i % 10) * 12;
            switch (onlyClass >= 0 ? onlyClass : Pick(0, 3)) {
                case 0: TButton::New({.nRow = double(row), .nCol = double(col), .cCaption = Text(), .oWnd = d}); break;
                case 1: TSay::New({.nRow = row, .nCol = col, .bText = [t = Text()] { return Value(t); }, .oWnd = d}); break;
                case 2: TCheckBox::New({.nRow = row, .nCol = col, .cCaption = Text(), .oWnd = d}); break;
                default: TScrollBar::New({.nRow = row, .nCol = col, .nMin = 0, .nMax = 10, .lVertical = false, .oWnd = d});
            }
        }
        return d;
    }

private:
    std::mt19937 random_;
};

const char* SystemClassOf(const TWindow& c) {
    const std::string name = c.ClassName();
    return name == "TSAY" ? "Static" : name == "TSCROLLBAR" ? "ScrollBar" : "Button";
}

// Every control attached to the child with its identifier, of its class; no other child.
bool Attached(HWND hDlg, const TDialog& d) {
    int children = 0;
    for (HWND child = GetWindow(hDlg, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) ++children;
    if (children != static_cast<int>(d.aControls.size())) return false;
    for (const auto& c : d.aControls) {
        char name[32] = {};
        GetClassNameA(c->hWnd, name, sizeof name);
        if (!c->hWnd || c->hWnd != GetDlgItem(hDlg, c->nId) || _stricmp(name, SystemClassOf(*c)) != 0) return false;
    }
    return true;
}

// Runs the dialog modally; it closes itself once its controls have been checked.
bool RunAndCheck(const std::shared_ptr<TDialog>& d) {
    bool attached = false;
    d->Activate({.bInit = [&attached, &d](TWindow& self) {
        attached = Attached(self.hWnd, *d);
        PostMessageA(self.hWnd, WM_COMMAND, IDCANCEL, 0);
        return Answer::Nil();
    }});
    return attached && d->nResult.AsInteger() == IDCANCEL;
}

class DialogFuzzTest : public testing::TestWithParam<unsigned> {};

TEST_P(DialogFuzzTest, RandomDialogsAreAcceptedWithEveryControlAttachedAndLeakNothing) {
    RandomDialogs dialogs(GetParam());
    // The system keeps caches that grow with the controls alive at once:
    // full dialogs of every class fill them first.
    for (int onlyClass = 0; onlyClass < 4; ++onlyClass) RunAndCheck(dialogs.Next(200, onlyClass));
    const int before = corvix_test::CountLiveGdiObjects();
    for (int n = 0; n < 100; ++n) {
        const auto d = dialogs.Next();
        ASSERT_TRUE(RunAndCheck(d)) << "dialog " << n << " with " << d->aControls.size() << " controls";
    }
    EXPECT_EQ(corvix_test::CountLiveGdiObjects(), before);
}

INSTANTIATE_TEST_SUITE_P(Seeds, DialogFuzzTest, testing::Range(20261208u, 20261213u));

}  // namespace
}  // namespace corvix
