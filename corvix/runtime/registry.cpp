#include "corvix/runtime/registry.h"

#include <array>
#include <cctype>

#include "corvix/runtime/args.h"

namespace corvix {

// Defined by the layers above, which offer their functions by name too.
void RegisterNativeFunctions(FunctionRegistry& registry);
void RegisterFunctionLayer(FunctionRegistry& registry);

namespace {

// Upper-cases into a fixed buffer so that lookups never allocate; longer
// names than any registered one cannot match and come back unchanged.
class UpperName {
public:
    explicit UpperName(std::string_view name) {
        if (name.size() > buffer_.size()) {
            view_ = name;
            return;
        }
        for (size_t i = 0; i < name.size(); ++i)
            buffer_[i] = static_cast<char>(std::toupper(static_cast<unsigned char>(name[i])));
        view_ = std::string_view(buffer_.data(), name.size());
    }
    std::string_view View() const { return view_; }

private:
    std::array<char, 64> buffer_{};
    std::string_view view_;
};

}  // namespace

FunctionRegistry& FunctionRegistry::Instance() {
    static FunctionRegistry* registry = [] {
        auto* r = new FunctionRegistry;  // never destroyed: windows may call in during exit
        RegisterNativeFunctions(*r);
        RegisterFunctionLayer(*r);
        return r;
    }();
    return *registry;
}

void FunctionRegistry::Register(std::string_view name, NativeFunction fn) {
    functions_.insert_or_assign(std::string(UpperName(name).View()), std::move(fn));
    ++generation_;
}

void FunctionRegistry::Unregister(std::string_view name) {
    auto it = functions_.find(UpperName(name).View());
    if (it != functions_.end()) functions_.erase(it);
    ++generation_;
}

const NativeFunction* FunctionRegistry::Find(std::string_view name) const {
    auto it = functions_.find(UpperName(name).View());
    return it == functions_.end() ? nullptr : &it->second;
}

std::vector<std::string> FunctionRegistry::Names() const {
    std::vector<std::string> names;
    for (const auto& entry : functions_) names.push_back(entry.first);
    return names;
}

std::optional<Value> FunctionRegistry::Call(std::string_view name, Args args) const {
    const NativeFunction* fn = Find(name);
    if (!fn || !*fn) return std::nullopt;
    return (*fn)(args);
}

std::optional<Value> CallByName(std::string_view name, Args args) {
    return FunctionRegistry::Instance().Call(name, args);
}

}  // namespace corvix
