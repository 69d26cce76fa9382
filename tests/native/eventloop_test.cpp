#include "corvix/native/eventloop.h"

#include <gtest/gtest.h>

#include "corvix/native/dlgproc.h"
#include "tests/support/dlgtemplate.h"
#include "tests/support/testwindow.h"

namespace corvix {
namespace {

bool QuitIsQueued() {
    MSG msg;
    return PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE) != 0;
}

TEST(EventLoopTest, TheFirstApplicationWindowStays) {
    corvix_test::HostWindow a, b;
    SETWNDAPP(a.Get());
    SETWNDAPP(b.Get());
    EXPECT_EQ(GETWNDAPP(), a.Get());
}

TEST(EventLoopTest, SysRefreshOnAnEmptyQueueIsTrue) {
    corvix_test::Pump();
    EXPECT_TRUE(SYSREFRESH());
}

TEST(EventLoopTest, SysRefreshDispatchesWhatIsQueued) {
    corvix_test::HostWindow host;
    PostMessageA(host.Get(), WM_COMMAND, 5, 0);
    EXPECT_TRUE(SYSREFRESH());
    EXPECT_EQ(host.Commands(), 1);
}

TEST(EventLoopTest, OutsideTheLoopAQuitEndsTheDrainAndIsNotPostedAgain) {
    PostQuitMessage(3);
    EXPECT_FALSE(SYSREFRESH());
    EXPECT_FALSE(QuitIsQueued());
}

bool drainResult = true;
bool runningInside = false;

// Inside the main loop: a quit arrives during a drain.
void CALLBACK DrainPastAQuit(HWND h, UINT, UINT_PTR id, DWORD) {
    KillTimer(h, id);
    runningInside = LWRUNNING();
    PostQuitMessage(0);
    drainResult = SYSREFRESH();
}

TEST(EventLoopTest, InsideTheLoopTheQuitIsPostedAgainAndEndsTheLoop) {
    corvix_test::HostWindow host;
    SetTimer(host.Get(), 1, 10, &DrainPastAQuit);
    WINRUN(host.Get());  // returns only because the quit was posted again
    EXPECT_FALSE(drainResult);
    EXPECT_TRUE(runningInside);
    EXPECT_FALSE(LWRUNNING());
}

TEST(EventLoopTest, TheLoopRecordsTheLastCharacter) {
    corvix_test::HostWindow host;
    PostMessageA(host.Get(), WM_CHAR, 0x1041, 0);
    PostQuitMessage(0);
    WINRUN(host.Get());
    EXPECT_EQ(LastCharacter(), 0x1041);
}

HWND FakeDialog(int n) { return reinterpret_cast<HWND>(static_cast<intptr_t>(0x1000 + n)); }

TEST(ModelessRegistryTest, TheMarkFollowsTheHighestSlotInUse) {
    for (int i = 0; i < 8; ++i) ASSERT_TRUE(REGDIALOG(FakeDialog(i)));
    EXPECT_EQ(HighestDialogSlot(), 7);
    EXPECT_TRUE(DEREGDIALOG(FakeDialog(4)));
    EXPECT_EQ(HighestDialogSlot(), 7);
    EXPECT_TRUE(DEREGDIALOG(FakeDialog(7)));
    EXPECT_TRUE(DEREGDIALOG(FakeDialog(6)));
    EXPECT_EQ(HighestDialogSlot(), 5);
    EXPECT_TRUE(DEREGDIALOG(FakeDialog(5)));
    EXPECT_EQ(HighestDialogSlot(), 3) << "slot 4 is free, 3 is the next in use";
    EXPECT_FALSE(DEREGDIALOG(FakeDialog(99)));
    EXPECT_FALSE(DEREGDIALOG(nullptr));
    EXPECT_EQ(HighestDialogSlot(), 3);
}

TEST(ModelessRegistryTest, AFullRegistryRefuses) {
    for (int i = 0; i < kModelessDialogSlots; ++i) ASSERT_TRUE(REGDIALOG(FakeDialog(i)));
    EXPECT_FALSE(CANREGDIALOG());
    EXPECT_FALSE(REGDIALOG(FakeDialog(-1)));
    DEREGDIALOG(FakeDialog(10));
    EXPECT_TRUE(CANREGDIALOG());
}

class IdleDialog : public MessageTarget {
public:
    Answer HandleEvent(UINT, WPARAM, LPARAM) override { return Answer::Nil(); }
};

TEST(ModelessRegistryTest, ADialogInSlotFiveIsOfferedMessagesWithLowerSlotsFree) {
    corvix_test::DialogTemplate tpl(L"Modeless");
    IdleDialog object;
    HWND dialog = CREATEDLGINDIRECT(tpl.Get(), nullptr, &object);
    ASSERT_NE(dialog, nullptr);
    for (int i = 0; i < 6; ++i) REGDIALOG(i < 5 ? FakeDialog(i) : dialog);
    for (int i = 0; i < 5; ++i) DEREGDIALOG(FakeDialog(i));
    EXPECT_EQ(HighestDialogSlot(), 5);
    MSG msg{dialog, WM_KEYDOWN, VK_TAB, 0, 0, {}};
    EXPECT_TRUE(IsModelessDlgMessage(msg));
    EXPECT_EQ(LastAcceptingDialog(), dialog);
    DEREGDIALOG(dialog);
    EXPECT_EQ(LastAcceptingDialog(), nullptr);
    DestroyWindow(dialog);
}

TEST(AcceleratorTest, TablesAreBuiltWithVirtualKeysAndClearedOnRequest) {
    const AcceleratorItem items[] = {{'N', FCONTROL, 101}, {VK_F5, 0, 102}};
    HACCEL table = SETACCTABLE(items);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(CurrentAccelerators(), table);
    ACCEL read[2] = {};
    ASSERT_EQ(CopyAcceleratorTableA(table, read, 2), 2);
    EXPECT_EQ(read[0].fVirt, FCONTROL | FVIRTKEY);
    EXPECT_EQ(read[1].cmd, 102);
    SETACCTABLE();
    EXPECT_EQ(CurrentAccelerators(), nullptr);
}

TEST(AcceleratorTest, ACurrentTableTranslatesKeysForTheApplicationWindowInADrain) {
    corvix_test::HostWindow host;
    SETWNDAPP(host.Get());
    const AcceleratorItem items[] = {{VK_F5, 0, 102}};
    SETACCTABLE(items);
    PostMessageA(host.Get(), WM_KEYDOWN, VK_F5, 1);
    SYSREFRESH();
    EXPECT_EQ(LOWORD(host.LastCommandWParam()), 102);
    EXPECT_NE(CurrentAccelerators(), nullptr) << "put back after the drain";
    SETACCTABLE();
}

HACCEL replacedInDrain = nullptr;

void CALLBACK ReplaceTheTable(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    const AcceleratorItem items[] = {{VK_F6, 0, 103}};
    replacedInDrain = SETACCTABLE(items);
}

// A table set inside a drain is the current one afterwards; the one set
// aside is destroyed, as a replacement outside a drain would destroy it.
TEST(AcceleratorTest, ATableSetDuringADrainIsKept) {
    const AcceleratorItem items[] = {{VK_F5, 0, 102}};
    const HACCEL aside = SETACCTABLE(items);
    SetTimer(nullptr, 0, 1, &ReplaceTheTable);
    Sleep(20);
    SYSREFRESH();
    ASSERT_NE(replacedInDrain, nullptr);
    EXPECT_EQ(CurrentAccelerators(), replacedInDrain);
    EXPECT_EQ(CopyAcceleratorTableA(aside, nullptr, 0), 0) << "the table set aside is destroyed";
    SETACCTABLE();
}

HWND loopWindow = nullptr;

void CALLBACK RunTheMainLoop(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    PostMessageA(loopWindow, WM_KEYDOWN, VK_F5, 1);
    PostQuitMessage(0);
    WINRUN(loopWindow);
}

// The main loop may start inside a drain, when a handler the drain runs
// opens the application's window: it translates keys all the same.
TEST(AcceleratorTest, AMainLoopStartedInsideADrainTranslatesKeys) {
    corvix_test::HostWindow host;
    loopWindow = host.Get();
    const AcceleratorItem items[] = {{VK_F5, 0, 102}};
    SETACCTABLE(items);
    SetTimer(nullptr, 0, 1, &RunTheMainLoop);
    Sleep(20);
    SYSREFRESH();
    EXPECT_EQ(LOWORD(host.LastCommandWParam()), 102);
    SETACCTABLE();
}

}  // namespace
}  // namespace corvix
