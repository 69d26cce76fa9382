#pragma once
// Hot keys: handlers that a window's key methods run before anything else
// for the keys that have one.

#include <functional>

namespace corvix {

class TWindow;

using HotKeyHandler = std::function<void(TWindow& oWnd)>;

// Binds the key (a virtual-key code or a character) to the handler; an
// empty handler removes the binding. Returns the handler bound before.
HotKeyHandler SETKEY(int nKey, HotKeyHandler bHandler);
// The handler bound to the key, or null.
const HotKeyHandler* FindHotKey(int nKey);

}  // namespace corvix
