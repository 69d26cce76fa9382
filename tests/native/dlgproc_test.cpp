#include "corvix/native/dlgproc.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "corvix/classes/window.h"
#include "corvix/native/eventloop.h"
#include "tests/support/dlgtemplate.h"

namespace corvix {
namespace {

using corvix_test::DialogTemplate;

// A dialog object of the test's own: records its handle and counts messages.
class RecordingDialog : public MessageTarget {
public:
    HWND initHandle = nullptr;
    int appMessages = 0;
    bool runningDuringInit = false;
    std::function<void(HWND)> onInit = [](HWND h) { EndDialog(h, 7); };

    Answer HandleEvent(UINT nMsg, WPARAM, LPARAM lParam) override {
        if (nMsg == WM_INITDIALOG) {
            initHandle = reinterpret_cast<HWND>(lParam);
            runningDuringInit = LWRUNNING();
            onInit(initHandle);
            return Answer::Logical(true);
        }
        if (nMsg == WM_APP) {
            ++appMessages;
            return Answer::Number(1);
        }
        return Answer::Nil();
    }
};

TEST(ModalDialogTest, InitDialogCarriesTheDialogHandleAndTheCallSetsRunning) {
    DialogTemplate tpl(L"Modal");
    RecordingDialog dialog;
    EXPECT_EQ(DIALOGBOXINDIRECT(tpl.Get(), nullptr, &dialog), 7);
    EXPECT_NE(dialog.initHandle, nullptr);
    EXPECT_TRUE(dialog.runningDuringInit);
    EXPECT_FALSE(LWRUNNING()) << "restored afterwards";
    EXPECT_EQ(ModalDialogDepth(), 0);
}

TEST(ModalDialogTest, NestedDialogsResolveInnermostFirst) {
    DialogTemplate outerTpl(L"Outer"), innerTpl(L"Inner");
    RecordingDialog outer, inner;
    int depthInside = 0;
    outer.onInit = [&](HWND h) {
        inner.onInit = [&](HWND innerHandle) {
            depthInside = ModalDialogDepth();
            SendMessageA(innerHandle, WM_APP, 0, 0);
            EndDialog(innerHandle, 2);
        };
        EXPECT_EQ(DIALOGBOXINDIRECT(innerTpl.Get(), h, &inner), 2);
        SendMessageA(h, WM_APP, 0, 0);  // after the inner one closed, back to the outer
        EndDialog(h, 1);
    };
    EXPECT_EQ(DIALOGBOXINDIRECT(outerTpl.Get(), nullptr, &outer), 1);
    EXPECT_EQ(depthInside, 2);
    EXPECT_NE(outer.initHandle, inner.initHandle);
    EXPECT_EQ(inner.appMessages, 1);
    EXPECT_EQ(outer.appMessages, 1);
}

TEST(ModalDialogTest, AFullStackNeverLosesARunningDialogsEntry) {
    std::vector<RecordingDialog> targets(kModalStackSize + 1);
    std::vector<std::unique_ptr<ModalDialogEntry>> entries;
    for (int i = 0; i < kModalStackSize; ++i)
        entries.push_back(std::make_unique<ModalDialogEntry>(&targets[static_cast<size_t>(i)]));
    {
        ModalDialogEntry overflow(&targets.back());
        EXPECT_FALSE(overflow.Pushed());
        EXPECT_EQ(ModalDialogDepth(), kModalStackSize);
    }
    EXPECT_EQ(ModalDialogDepth(), kModalStackSize);
    // The innermost pending entry still answers for the last dialog pushed.
    const HWND fake = reinterpret_cast<HWND>(static_cast<intptr_t>(0x4242));
    EXPECT_EQ(ModalDlgProc(fake, WM_APP, 0, 0), 1);
    EXPECT_EQ(targets[kModalStackSize - 1].appMessages, 1);
    EXPECT_EQ(targets.back().appMessages, 0);
    while (!entries.empty()) entries.pop_back();
    EXPECT_EQ(ModalDialogDepth(), 0);
}

TEST(ModalDialogTest, AMessageForNoEntryAnswersFalse) {
    EXPECT_EQ(ModalDlgProc(reinterpret_cast<HWND>(static_cast<intptr_t>(0x77)), WM_APP, 0, 0), FALSE);
}

TEST(ModelessDialogTest, TheObjectUnderConstructionGetsTheMessagesOfTheCreateCall) {
    DialogTemplate tpl(L"Modeless");
    RecordingDialog dialog;
    dialog.onInit = [](HWND) {};
    HWND h = CREATEDLGINDIRECT(tpl.Get(), nullptr, &dialog);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(dialog.initHandle, h);
    EXPECT_EQ(SendMessageA(h, WM_APP, 0, 0), 0) << "after the create call: false";
    EXPECT_EQ(dialog.appMessages, 0);
    DestroyWindow(h);
}

// Linked, the window procedure delivers; the dialog procedure must not again.
class CountingWindow : public TWindow {
public:
    int appMessages = 0;
    Answer HandleEvent(UINT nMsg, WPARAM, LPARAM) override {
        if (nMsg == WM_APP) ++appMessages;
        return Answer::Nil();
    }
};

TEST(ModelessDialogTest, OnceLinkedTheDialogProcedureDeliversNothing) {
    DialogTemplate tpl(L"Linked");
    RecordingDialog dialog;
    auto window = std::make_shared<CountingWindow>();
    dialog.onInit = [&window](HWND h) {
        window->hWnd = h;
        window->Link();
        SendMessageA(h, WM_APP, 0, 0);
    };
    HWND h = CREATEDLGINDIRECT(tpl.Get(), nullptr, &dialog);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(window->appMessages, 1);
    EXPECT_EQ(dialog.appMessages, 0);
    DestroyWindow(h);
}

TEST(ModelessDialogTest, ADialogCreatedDuringAnotherOnesCreationGetsOnlyItsOwnMessages) {
    DialogTemplate outerTpl(L"Outer"), innerTpl(L"Inner");
    RecordingDialog outer, inner;
    HWND innerHandle = nullptr;
    inner.onInit = [&outer](HWND) { SendMessageA(outer.initHandle, WM_APP, 0, 0); };
    outer.onInit = [&](HWND h) {
        innerHandle = CREATEDLGINDIRECT(innerTpl.Get(), h, &inner);
        SendMessageA(h, WM_APP, 0, 0);
    };
    HWND outerHandle = CREATEDLGINDIRECT(outerTpl.Get(), nullptr, &outer);
    ASSERT_NE(innerHandle, nullptr);
    EXPECT_EQ(inner.initHandle, innerHandle);
    EXPECT_EQ(outer.appMessages, 2);
    EXPECT_EQ(inner.appMessages, 0);
    DestroyWindow(innerHandle);
    DestroyWindow(outerHandle);
}

}  // namespace
}  // namespace corvix
