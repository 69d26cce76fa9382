#pragma once
// Dialog objects receive their messages through these procedures: modal
// dialogs through a stack of running modal dialogs, a modeless dialog
// through the object under construction until it links itself.

#include <windows.h>

#include <string>

#include "corvix/native/messagetarget.h"
#include "corvix/runtime/value.h"

namespace corvix {

constexpr int kModalStackSize = 50;

// Finds the dialog's entry (a pending entry takes the first handle it sees)
// and answers with its object's HandleEvent; the dialog handle replaces
// lParam for WM_INITDIALOG.
INT_PTR CALLBACK ModalDlgProc(HWND hDlg, UINT nMsg, WPARAM wParam, LPARAM lParam);

// While a create call runs, sends the messages of the dialog being created
// (the first new handle seen) to its object, until the object links itself
// to the window (DialogLinked); everything else answers false.
INT_PTR CALLBACK ModelessDlgProc(HWND hDlg, UINT nMsg, WPARAM wParam, LPARAM lParam);

// One pending entry on the modal stack for the length of a dialog call.
// On a full stack nothing is pushed, and so nothing is popped.
class ModalDialogEntry {
public:
    explicit ModalDialogEntry(MessageTarget* target);
    ~ModalDialogEntry();
    ModalDialogEntry(const ModalDialogEntry&) = delete;
    ModalDialogEntry& operator=(const ModalDialogEntry&) = delete;
    bool Pushed() const { return pushed_; }

private:
    bool pushed_;
};

// Runs a modal dialog from an in-memory template for target; returns what
// EndDialog was given, or -1 when the dialog could not be created.
INT_PTR DIALOGBOXINDIRECT(const DLGTEMPLATE* pTemplate, HWND hWndOwner, MessageTarget* target);

// Creates a modeless dialog from an in-memory template for target; null when
// the system cannot, or when creations are nested too deep.
HWND CREATEDLGINDIRECT(const DLGTEMPLATE* pTemplate, HWND hWndOwner, MessageTarget* target);

// The calls a dialog object runs itself through. A resource is named by a
// string or a number; results travel as unsigned 16-bit numbers, so a modal
// dialog that could not be created answers 65535. The template bytes are
// copied into movable global memory for the length of the call; an empty
// template makes no dialog (0), and one cut short of what its header
// promises cannot be created.
int DIALOGBOX(HINSTANCE hInstance, const Value& xResName, HWND hWndParent, MessageTarget* target);
int DIALOGBOXINDIRECT(HINSTANCE hInstance, const std::string& cTemplate, HWND hWndParent, MessageTarget* target);
HWND CREATEDLG(HINSTANCE hInstance, const Value& xResName, HWND hWndParent, MessageTarget* target);
HWND CREATEDLGINDIRECT(HINSTANCE hInstance, const std::string& cTemplate, HWND hWndParent, MessageTarget* target);
void ENDDIALOG(HWND hDlg, int nResult);

// Entries in use on the modal stack.
int ModalDialogDepth();

}  // namespace corvix
