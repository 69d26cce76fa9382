#include "corvix/classes/hotkeys.h"

#include <map>

namespace corvix {

namespace {

std::map<int, HotKeyHandler>& Bindings() {
    static std::map<int, HotKeyHandler> bindings;
    return bindings;
}

}  // namespace

HotKeyHandler SETKEY(int nKey, HotKeyHandler bHandler) {
    auto& bindings = Bindings();
    HotKeyHandler previous;
    if (auto it = bindings.find(nKey); it != bindings.end()) {
        previous = std::move(it->second);
        bindings.erase(it);
    }
    if (bHandler) bindings.emplace(nKey, std::move(bHandler));
    return previous;
}

const HotKeyHandler* FindHotKey(int nKey) {
    const auto& bindings = Bindings();
    const auto it = bindings.find(nKey);
    return it == bindings.end() ? nullptr : &it->second;
}

}  // namespace corvix
