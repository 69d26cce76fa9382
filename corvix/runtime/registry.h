#pragma once
// The registry of functions callable by name. Every function the program
// offers to by-name callers is registered under its upper-case name; a name
// looked up later resolves to whatever bears it at that moment.

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "corvix/runtime/args.h"
#include "corvix/runtime/value.h"

namespace corvix {

using NativeFunction = std::function<Value(Args)>;

class FunctionRegistry {
public:
    // The process-wide registry, filled with the library's own functions on first use.
    static FunctionRegistry& Instance();

    // Binds the name (case-insensitive) to fn, replacing what bore it before.
    void Register(std::string_view name, NativeFunction fn);
    // Removes the name; unknown names are ignored.
    void Unregister(std::string_view name);
    // The function bearing the name, or nullptr. Does not allocate.
    const NativeFunction* Find(std::string_view name) const;
    // Every name registered now, in order.
    std::vector<std::string> Names() const;
    // Calls the named function; nullopt when nothing bears the name.
    std::optional<Value> Call(std::string_view name, Args args) const;
    // Changes with every Register and Unregister: whoever keeps what Find
    // gave looks again when it has changed.
    uint64_t Generation() const { return generation_; }

private:
    FunctionRegistry() = default;
    std::map<std::string, NativeFunction, std::less<>> functions_;
    uint64_t generation_ = 0;
};

// Shorthand for FunctionRegistry::Instance().Call(...).
std::optional<Value> CallByName(std::string_view name, Args args = {});

}  // namespace corvix
