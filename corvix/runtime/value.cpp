#include "corvix/runtime/value.h"

namespace corvix {

int64_t Value::AsInteger() const {
    if (auto* n = std::get_if<int64_t>(&data_)) return *n;
    if (auto* d = std::get_if<double>(&data_)) return static_cast<int64_t>(*d);
    return 0;
}

double Value::AsDouble() const {
    if (auto* n = std::get_if<int64_t>(&data_)) return static_cast<double>(*n);
    if (auto* d = std::get_if<double>(&data_)) return *d;
    return 0.0;
}

bool Value::AsLogical() const {
    auto* b = std::get_if<bool>(&data_);
    return b && *b;
}

const std::string& Value::AsString() const {
    static const std::string empty;
    auto* s = std::get_if<std::string>(&data_);
    return s ? *s : empty;
}

const Array& Value::AsArray() const {
    static const Array empty;
    auto* a = std::get_if<Array>(&data_);
    return a ? *a : empty;
}

Date Value::AsDate() const {
    auto* d = std::get_if<Date>(&data_);
    return d ? *d : Date{};
}

std::shared_ptr<Object> Value::AsObject() const {
    auto* o = std::get_if<std::shared_ptr<Object>>(&data_);
    return o ? *o : nullptr;
}

bool Value::IsObject(const Object* object) const {
    auto* o = std::get_if<std::shared_ptr<Object>>(&data_);
    return o && o->get() == object;
}

const Callback* Value::AsCallback() const {
    return std::get_if<Callback>(&data_);
}

bool Value::operator==(const Value& other) const {
    if (data_.index() != other.data_.index()) return false;
    return std::visit(
        [&other](const auto& mine) {
            using T = std::decay_t<decltype(mine)>;
            const T& theirs = std::get<T>(other.data_);
            if constexpr (std::is_same_v<T, Callback>) {
                return &mine == &theirs;
            } else {
                return mine == theirs;
            }
        },
        data_);
}

}  // namespace corvix
