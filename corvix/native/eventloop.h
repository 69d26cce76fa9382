#pragma once
// The program's one message loop, the non-blocking queue drain, the
// application window, and the modeless dialogs whose keyboard navigation
// works inside the loop.

#include <windows.h>

#include <span>

namespace corvix {

constexpr int kModelessDialogSlots = 1500;

// Runs the main loop until WM_QUIT; hWnd is the application window meanwhile.
void WINRUN(HWND hWnd);
// Processes every queued message; false when it met WM_QUIT, which is posted
// again when the main loop runs so that it is not lost.
bool SYSREFRESH();

HWND GETWNDAPP();
// Only the first call sets the application window.
void SETWNDAPP(HWND hWnd);
bool LWRUNNING();
// Sets the running flag (the main loop and modal dialogs do); returns the previous value.
bool SetRunningFlag(bool running);
// Marks the program as running for as long as it lives (the main loop and
// modal dialogs), whichever way it is left.
class RunningScope {
public:
    RunningScope() : previous_(SetRunningFlag(true)) {}
    ~RunningScope() { SetRunningFlag(previous_); }
    RunningScope(const RunningScope&) = delete;
    RunningScope& operator=(const RunningScope&) = delete;

private:
    bool previous_;
};
// The character of the last WM_CHAR the loops took from the queue.
WORD LastCharacter();

// First free slot from 0; false when all are taken.
bool REGDIALOG(HWND hDlg);
// False, changing nothing, when the dialog is not registered.
bool DEREGDIALOG(HWND hDlg);
bool CANREGDIALOG();
// The highest slot in use (the scan runs up to it) and the last dialog that accepted a message.
int HighestDialogSlot();
HWND LastAcceptingDialog();
// Offers the message to the registered dialogs' navigation; true when consumed.
bool IsModelessDlgMessage(MSG& msg);

// One accelerator: a virtual key, its FVIRTKEY-less flags and the command.
struct AcceleratorItem {
    WORD nKey = 0;
    BYTE nFlags = 0;
    WORD nCommand = 0;
};
// Builds and makes current a table of the items (each gets FVIRTKEY); returns it.
HACCEL SETACCTABLE(std::span<const AcceleratorItem> aItems);
// Clears and destroys the current table.
void SETACCTABLE();
HACCEL CurrentAccelerators();

// Back to the start state: no application window, not running, no
// accelerator table (destroyed), an empty dialog registry. For hosts that run
// many programs' worth of windows in one process, such as a test runner.
void ResetEventLoop();

// Installs, once, the message-filter hook that posts LM_HELPF1 to the active
// window when F1 is pressed inside a menu.
void InstallHelpF1Hook();

}  // namespace corvix
