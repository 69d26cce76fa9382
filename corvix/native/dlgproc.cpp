#include "corvix/native/dlgproc.h"

#include <cstring>

#include "corvix/native/callbackguard.h"
#include "corvix/native/dlgconstruction.h"
#include "corvix/native/dlgtemplate.h"
#include "corvix/native/eventloop.h"
#include "corvix/native/ondemand.h"

namespace corvix {

namespace {

struct ModalEntry {
    HWND hDlg = nullptr;  // null while pending: no message seen yet
    MessageTarget* target = nullptr;
};

// Entries from `top` up to the end are in use; the first pushed is the last.
ModalEntry modalStack[kModalStackSize];
int top = kModalStackSize;

MessageTarget* ModalTargetFor(HWND hDlg) {
    for (int i = top; i < kModalStackSize; ++i)
        if (modalStack[i].hDlg == hDlg) return modalStack[i].target;
    if (top < kModalStackSize && !modalStack[top].hDlg) {
        modalStack[top].hDlg = hDlg;
        return modalStack[top].target;
    }
    return nullptr;
}

INT_PTR Deliver(MessageTarget* target, HWND hDlg, UINT nMsg, WPARAM wParam, LPARAM lParam) {
    if (!target) return FALSE;
    const LPARAM third = nMsg == WM_INITDIALOG ? reinterpret_cast<LPARAM>(hDlg) : lParam;
    return GuardCallback("dialog procedure", static_cast<INT_PTR>(FALSE), [&] {
        return target->HandleEvent(nMsg, wParam, third).ForDialogProc();
    });
}


// Records the object under construction while create runs.
template <typename Create>
HWND Construct(MessageTarget* target, Create create) {
    const DialogConstruction construction(target);
    if (!construction.Started()) return nullptr;
    ondemand::RegisterCommonControls();  // the template may name their classes
    return create();
}

int Unsigned16(INT_PTR n) { return static_cast<int>(static_cast<WORD>(n)); }

LPCSTR ResourceName(const Value& xResName) {
    return xResName.IsNumber() ? MAKEINTRESOURCEA(static_cast<WORD>(xResName.AsInteger()))
                               : xResName.AsString().c_str();
}

// The template in movable, zeroed global memory, locked while it lives; the
// wait cursor shows during the copy.
class GlobalTemplate {
public:
    explicit GlobalTemplate(const std::string& cTemplate) {
        const HCURSOR previous = SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT)));
        memory_ = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, cTemplate.size());
        if (memory_) locked_ = GlobalLock(memory_);
        if (locked_) std::memcpy(locked_, cTemplate.data(), cTemplate.size());
        SetCursor(previous);
    }
    ~GlobalTemplate() {
        if (locked_) GlobalUnlock(memory_);
        if (memory_) GlobalFree(memory_);
    }
    GlobalTemplate(const GlobalTemplate&) = delete;
    GlobalTemplate& operator=(const GlobalTemplate&) = delete;
    const DLGTEMPLATE* Get() const { return static_cast<const DLGTEMPLATE*>(locked_); }

private:
    HGLOBAL memory_ = nullptr;
    void* locked_ = nullptr;
};

}  // namespace

INT_PTR CALLBACK ModalDlgProc(HWND hDlg, UINT nMsg, WPARAM wParam, LPARAM lParam) {
    return Deliver(ModalTargetFor(hDlg), hDlg, nMsg, wParam, lParam);
}

INT_PTR CALLBACK ModelessDlgProc(HWND hDlg, UINT nMsg, WPARAM wParam, LPARAM lParam) {
    return Deliver(ConstructionTargetFor(hDlg), hDlg, nMsg, wParam, lParam) ? TRUE : FALSE;
}

ModalDialogEntry::ModalDialogEntry(MessageTarget* target) : pushed_(top > 0) {
    if (pushed_) modalStack[--top] = {nullptr, target};
    ondemand::RegisterCommonControls();  // the template may name their classes
}

ModalDialogEntry::~ModalDialogEntry() {
    if (pushed_) modalStack[top++] = {};
}

INT_PTR DIALOGBOXINDIRECT(const DLGTEMPLATE* pTemplate, HWND hWndOwner, MessageTarget* target) {
    ModalDialogEntry entry(target);
    RunningScope running;
    return CallSystem(
        [&] { return DialogBoxIndirectParamA(GetModuleHandleA(nullptr), pTemplate, hWndOwner, &ModalDlgProc, 0); });
}

HWND CREATEDLGINDIRECT(const DLGTEMPLATE* pTemplate, HWND hWndOwner, MessageTarget* target) {
    return Construct(target, [&] {
        return CreateDialogIndirectParamA(GetModuleHandleA(nullptr), pTemplate, hWndOwner, &ModelessDlgProc, 0);
    });
}

int DIALOGBOX(HINSTANCE hInstance, const Value& xResName, HWND hWndParent, MessageTarget* target) {
    ModalDialogEntry entry(target);
    RunningScope running;
    return Unsigned16(
        CallSystem([&] { return DialogBoxParamA(hInstance, ResourceName(xResName), hWndParent, &ModalDlgProc, 0); }));
}

int DIALOGBOXINDIRECT(HINSTANCE hInstance, const std::string& cTemplate, HWND hWndParent, MessageTarget* target) {
    if (cTemplate.empty()) return 0;
    if (!IsWholeTemplate(cTemplate)) return Unsigned16(-1);  // the system would read past it
    RunningScope running;
    const GlobalTemplate memory(cTemplate);
    if (!memory.Get()) return Unsigned16(-1);
    ModalDialogEntry entry(target);
    return Unsigned16(
        CallSystem([&] { return DialogBoxIndirectParamA(hInstance, memory.Get(), hWndParent, &ModalDlgProc, 0); }));
}

HWND CREATEDLG(HINSTANCE hInstance, const Value& xResName, HWND hWndParent, MessageTarget* target) {
    return Construct(target, [&] {
        return CreateDialogParamA(hInstance, ResourceName(xResName), hWndParent, &ModelessDlgProc, 0);
    });
}

HWND CREATEDLGINDIRECT(HINSTANCE hInstance, const std::string& cTemplate, HWND hWndParent, MessageTarget* target) {
    if (!IsWholeTemplate(cTemplate)) return nullptr;  // empty, or cut short
    const GlobalTemplate memory(cTemplate);
    if (!memory.Get()) return nullptr;
    return Construct(target, [&] {
        return CreateDialogIndirectParamA(hInstance, memory.Get(), hWndParent, &ModelessDlgProc, 0);
    });
}

void ENDDIALOG(HWND hDlg, int nResult) { EndDialog(hDlg, Unsigned16(nResult)); }

int ModalDialogDepth() { return kModalStackSize - top; }

}  // namespace corvix
