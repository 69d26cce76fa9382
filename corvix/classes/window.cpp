#include "corvix/classes/window.h"

#include "corvix/native/eventloop.h"
#include "corvix/native/wndproc.h"
#include "corvix/runtime/registry.h"

namespace corvix {

namespace {

std::weak_ptr<TWindow> defaultWindow;

void RegisterDispatchOnce() {
    static const bool registered = [] {
        FunctionRegistry::Instance().Register("_CXH", &CXH);
        return true;
    }();
    (void)registered;
}

}  // namespace

std::vector<std::shared_ptr<TWindow>>& TWindow::aWindows() {
    static std::vector<std::shared_ptr<TWindow>> table;
    return table;
}

Answer TWindow::HandleEvent(UINT, WPARAM, LPARAM) { return Answer::Nil(); }

void TWindow::Link(bool lSubclass) {
    if (!hWnd) return;
    RegisterDispatchOnce();
    auto& table = aWindows();
    size_t slot = 0;
    while (slot < table.size() && table[slot]) ++slot;
    if (slot == table.size()) table.emplace_back();
    table[slot] = shared_from_this();
    // Subclassed only now, so the first message already finds the object.
    if (lSubclass) nOldProc = XCHANGEPROC(hWnd, static_cast<LONG_PTR>(slot + 1));
}

void TWindow::UnLink() {
    auto& table = aWindows();
    auto found = table.end();
    for (auto it = table.begin(); it != table.end(); ++it)
        if (*it && (*it)->hWnd == hWnd) {
            found = it;
            break;
        }
    WNDPROC replaced = nullptr;
    if (nOldProc && hWnd) {
        replaced = RESTPROC(hWnd, *nOldProc);
        nOldProc.reset();
    }
    // Reset last: it may drop the final reference to this object.
    auto keepAlive = shared_from_this();
    if (found != table.end()) found->reset();
    XFREEPROC(replaced);
}

int TWindow::SlotIndex() const {
    const auto& table = aWindows();
    for (size_t i = 0; i < table.size(); ++i)
        if (table[i].get() == this) return static_cast<int>(i + 1);
    return 0;
}

std::shared_ptr<TWindow> OWNDFROMHWND(HWND hWnd) {
    for (const auto& w : TWindow::aWindows())
        if (w && w->hWnd == hWnd) return w;
    return nullptr;
}

std::shared_ptr<TWindow> WNDMAIN() {
    const HWND app = GETWNDAPP();
    return app ? OWNDFROMHWND(app) : nullptr;
}

int NWINDOWS() { return static_cast<int>(TWindow::aWindows().size()); }

std::vector<std::shared_ptr<TWindow>>& GETALLWIN() { return TWindow::aWindows(); }

void SETWNDDEFAULT(std::shared_ptr<TWindow> oWnd) { defaultWindow = oWnd; }

std::shared_ptr<TWindow> GETWNDDEFAULT() { return defaultWindow.lock(); }

Value CXH(Args args) {
    const int64_t index = args.Integer(4);
    const auto& table = TWindow::aWindows();
    if (index <= 0 || static_cast<size_t>(index) > table.size()) return Value();
    // A strong reference for the length of HandleEvent: WM_DESTROY unlinks from inside it.
    const std::shared_ptr<TWindow> object = table[static_cast<size_t>(index - 1)];
    if (!object) return Value();
    DispatchResult& pair = DispatchResult::Get();
    pair.answer = object->HandleEvent(static_cast<UINT>(args.Integer(1)),
                                      static_cast<WPARAM>(args.Integer(2)),
                                      static_cast<LPARAM>(args.Integer(3)));
    pair.nOldProc = object->nOldProc.value_or(nullptr);
    return Value(DispatchResult::Shared());
}

}  // namespace corvix
