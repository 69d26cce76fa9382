#pragma once
// TWindow: the object that owns a window. Its slot in the window table is
// the index the window carries, so each message finds it in O(1).

#include <windows.h>

#include <memory>
#include <optional>
#include <vector>

#include "corvix/native/messagetarget.h"

namespace corvix {

class TWindow : public Object, public MessageTarget, public std::enable_shared_from_this<TWindow> {
public:
    TWindow() = default;

    HWND hWnd = nullptr;
    // The procedure installed before the library's; empty when not subclassed.
    std::optional<WNDPROC> nOldProc;

    // NIL unless a subclass handles the message.
    Answer HandleEvent(UINT nMsg, WPARAM nWParam, LPARAM nLParam) override;

    // Takes the first free slot (or a new one) and, when lSubclass, routes the
    // window's messages to this object. Nothing happens without a window.
    void Link(bool lSubclass = true);
    // Puts the previous procedure back, then frees the slot.
    void UnLink();
    // The 1-based slot holding this object; 0 when it is in none.
    int SlotIndex() const;

    // The window table: slots 1.. hold objects, a null slot is free. It never shrinks.
    static std::vector<std::shared_ptr<TWindow>>& aWindows();
};

// The first object whose window is hWnd, or null.
std::shared_ptr<TWindow> OWNDFROMHWND(HWND hWnd);
// The object of the application window, or null.
std::shared_ptr<TWindow> WNDMAIN();
// Slots in the table, free ones included.
int NWINDOWS();
// The table itself.
std::vector<std::shared_ptr<TWindow>>& GETALLWIN();
// The default window: the last window object created.
void SETWNDDEFAULT(std::shared_ptr<TWindow> oWnd);
std::shared_ptr<TWindow> GETWNDDEFAULT();

// The dispatch function the native window procedure finds as "_CXH":
// answers the shared result pair, or NIL for index 0 or a free slot.
Value CXH(Args args);  // registered as "_CXH"

}  // namespace corvix
