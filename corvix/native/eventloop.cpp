#include "corvix/native/eventloop.h"

#include <utility>
#include <vector>

#include "corvix/native/callbackguard.h"
#include "corvix/native/lmessages.h"

namespace corvix {

namespace {

HWND applicationWindow = nullptr;
bool running = false;
HACCEL accelerators = nullptr;  // the table in force, also while a drain runs
int drainDepth = 0;             // only the outermost drain translates with it
WORD lastCharacter = 0;
HHOOK helpHook = nullptr;

HWND dialogSlots[kModelessDialogSlots] = {};
int highestSlot = 0;
HWND lastAccepting = nullptr;

void RecordCharacter(const MSG& msg) {
    if (msg.message == WM_CHAR) lastCharacter = static_cast<WORD>(msg.wParam & 0xFFFF);
}

// The system runs the window procedures from here on: faults in code it
// calls are the library's again only where a guard of its own marks them.
bool Translated(HACCEL table, MSG& msg) {
    return table && applicationWindow &&
           CallSystem([&] { return TranslateAcceleratorA(applicationWindow, table, &msg); });
}

void Deliver(MSG& msg) {
    const InSystem inSystem;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
}

LRESULT CALLBACK HelpF1Hook(int nCode, WPARAM wParam, LPARAM lParam) {
    const MSG* msg = reinterpret_cast<const MSG*>(lParam);
    if (nCode == MSGF_MENU && msg->message == WM_KEYDOWN && msg->wParam == VK_F1)
        PostMessageA(GetActiveWindow(), LM_HELPF1, 0, 0);
    return CallNextHookEx(helpHook, nCode, wParam, lParam);
}

}  // namespace

void WINRUN(HWND hWnd) {
    const RunningScope loopRuns;
    const struct Restore {
        HWND hWnd;
        ~Restore() { applicationWindow = hWnd; }
    } remembered{applicationWindow};
    if (hWnd) applicationWindow = hWnd;
    // A loop started inside a drain (a window opened from a handler the drain
    // ran) is the outermost one for as long as it runs: it translates keys.
    const struct Outermost {
        int drainsAround = std::exchange(drainDepth, 0);
        ~Outermost() { drainDepth = drainsAround; }
    } outermost;
    MSG msg{};
    do {
        if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            WaitMessage();
            continue;
        }
        if (!IsModelessDlgMessage(msg) &&
            (msg.message == WM_QUIT || !Translated(drainDepth == 0 ? accelerators : nullptr, msg)))
            Deliver(msg);
        RecordCharacter(msg);
    } while (msg.message != WM_QUIT);
}

// The table stays in force while the drain runs, so ending or changing it
// from a handler takes effect at once; a drain nested in this one translates nothing.
bool SYSREFRESH() {
    const struct Depth {
        Depth() { ++drainDepth; }
        ~Depth() { --drainDepth; }
    } depth;
    const bool translates = drainDepth == 1;
    MSG msg{};
    bool metQuit = false;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            metQuit = true;
            break;
        }
        if (!IsModelessDlgMessage(msg) && !Translated(translates ? accelerators : nullptr, msg)) Deliver(msg);
        RecordCharacter(msg);
    }
    if (metQuit && running) PostQuitMessage(0);
    return !metQuit;
}

HWND GETWNDAPP() { return applicationWindow; }

void SETWNDAPP(HWND hWnd) {
    if (!applicationWindow) applicationWindow = hWnd;
}

bool LWRUNNING() { return running; }

bool SetRunningFlag(bool value) {
    const bool previous = running;
    running = value;
    return previous;
}

WORD LastCharacter() { return lastCharacter; }

bool REGDIALOG(HWND hDlg) {
    for (int i = 0; i < kModelessDialogSlots; ++i) {
        if (dialogSlots[i]) continue;
        dialogSlots[i] = hDlg;
        if (i > highestSlot) highestSlot = i;
        return true;
    }
    return false;
}

bool DEREGDIALOG(HWND hDlg) {
    if (!hDlg) return false;
    for (int i = 0; i < kModelessDialogSlots; ++i) {
        if (dialogSlots[i] != hDlg) continue;
        dialogSlots[i] = nullptr;
        if (lastAccepting == hDlg) lastAccepting = nullptr;
        if (i == highestSlot) {
            int lower = i - 1;
            while (lower >= 0 && !dialogSlots[lower]) --lower;
            if (lower >= 0) highestSlot = lower;
        }
        return true;
    }
    return false;
}

bool CANREGDIALOG() {
    for (HWND slot : dialogSlots)
        if (!slot) return true;
    return false;
}

int HighestDialogSlot() { return highestSlot; }
HWND LastAcceptingDialog() { return lastAccepting; }

bool IsModelessDlgMessage(MSG& msg) {
    const InSystem inSystem;
    if (lastAccepting && IsDialogMessageA(lastAccepting, &msg)) return true;
    for (int i = 0; i <= highestSlot; ++i) {
        if (!dialogSlots[i] || !IsDialogMessageA(dialogSlots[i], &msg)) continue;
        lastAccepting = dialogSlots[i];
        return true;
    }
    return false;
}

HACCEL SETACCTABLE(std::span<const AcceleratorItem> aItems) {
    std::vector<ACCEL> entries;
    entries.reserve(aItems.size());
    for (const AcceleratorItem& item : aItems)
        entries.push_back({static_cast<BYTE>(item.nFlags | FVIRTKEY), item.nKey, item.nCommand});
    SETACCTABLE();
    accelerators = CreateAcceleratorTableA(entries.data(), static_cast<int>(entries.size()));
    return accelerators;
}

void SETACCTABLE() {
    if (accelerators) DestroyAcceleratorTable(accelerators);
    accelerators = nullptr;
}

HACCEL CurrentAccelerators() { return accelerators; }

void ResetEventLoop() {
    applicationWindow = nullptr;
    running = false;
    SETACCTABLE();
    for (HWND& slot : dialogSlots) slot = nullptr;
    highestSlot = 0;
    lastAccepting = nullptr;
}

void InstallHelpF1Hook() {
    if (!helpHook) helpHook = SetWindowsHookExA(WH_MSGFILTER, &HelpF1Hook, nullptr, GetCurrentThreadId());
}

}  // namespace corvix
