#include "corvix/classes/tacctbl.h"

#include <algorithm>

namespace corvix {

namespace {

auto Same(WORD nVirtKey, BYTE nVKState) {
    return [=](const AcceleratorItem& a) { return a.nKey == nVirtKey && a.nFlags == nVKState; };
}

}  // namespace

void TAccTable::Add(WORD nVirtKey, BYTE nVKState, WORD nId) {
    const auto found = std::find_if(aItems.begin(), aItems.end(), Same(nVirtKey, nVKState));
    if (found != aItems.end())
        found->nCommand = nId;
    else
        aItems.push_back({nVirtKey, nVKState, nId});
}

void TAccTable::Del(WORD nVirtKey, BYTE nVKState) { std::erase_if(aItems, Same(nVirtKey, nVKState)); }

bool TAccTable::DelCommand(WORD nId) {
    return std::erase_if(aItems, [nId](const AcceleratorItem& a) { return a.nCommand == nId; }) > 0;
}

// An empty table still ends the one current before.
void TAccTable::Activate() {
    if (aItems.empty()) {
        SETACCTABLE();
        nHandle = nullptr;
        return;
    }
    nHandle = SETACCTABLE(aItems);
}

// Another menu's table made current since stays current.
void TAccTable::DeActivate() {
    if (nHandle && CurrentAccelerators() == nHandle) SETACCTABLE();
    nHandle = nullptr;
}

}  // namespace corvix
