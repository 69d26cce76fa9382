#pragma once
// Modeless dialogs being created. Until a dialog's object links itself to its
// window, the dialog procedure hands the window's messages to the object; the
// window procedure ends that when it links the object.

#include <windows.h>

#include "corvix/native/messagetarget.h"

namespace corvix {

// Records target as the object of the dialog the next creation makes, for the
// length of the creation call; creations nest up to a fixed depth, beyond
// which none starts.
class DialogConstruction {
public:
    explicit DialogConstruction(MessageTarget* target);
    ~DialogConstruction();
    DialogConstruction(const DialogConstruction&) = delete;
    DialogConstruction& operator=(const DialogConstruction&) = delete;
    bool Started() const { return started_; }

private:
    bool started_;
};

// The object of the dialog being created that hDlg is: a pending creation
// (no handle yet) takes the first new handle it sees. Null for any other
// window, and once the dialog is linked.
MessageTarget* ConstructionTargetFor(HWND hDlg);

// The dialog's object now gets its messages through the window procedure.
void DialogLinked(HWND hDlg);

}  // namespace corvix
