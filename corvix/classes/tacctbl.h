#pragma once
// TAccTable: the shortcut keys of a menu, made into the system table that the
// main loop translates into WM_COMMAND.

#include <windows.h>

#include <memory>
#include <vector>

#include "corvix/native/eventloop.h"
#include "corvix/runtime/value.h"

namespace corvix {

class TAccTable : public Object {
public:
    std::vector<AcceleratorItem> aItems;
    HACCEL nHandle = nullptr;  // the table made by the last Activate

    static std::shared_ptr<TAccTable> New() { return std::make_shared<TAccTable>(); }
    // A table dropped with its menu no longer translates that menu's keys.
    ~TAccTable() override { DeActivate(); }
    std::string ClassName() const override { return "TACCTABLE"; }

    // Replaces the entry with the same key and flags, or appends one.
    void Add(WORD nVirtKey, BYTE nVKState, WORD nId);
    void Del(WORD nVirtKey, BYTE nVKState);
    // Removes the entries that run command nId; true when there were some.
    bool DelCommand(WORD nId);
    // Makes a table of aItems the current one, ending whatever was current.
    void Activate();
    // Clears the current table when it is this one.
    void DeActivate();
    void End() { DeActivate(); }
};

}  // namespace corvix
