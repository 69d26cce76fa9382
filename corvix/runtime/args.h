#pragma once
// The positional arguments of a by-name call. Any argument may be omitted:
// an index past the end, or a nil value, reads as the default given.

#include <cstddef>
#include <initializer_list>
#include <span>
#include <string>

#include "corvix/runtime/value.h"

namespace corvix {

class Args {
public:
    Args() = default;
    Args(std::span<const Value> values) : values_(values) {}
    Args(std::initializer_list<Value> values) : values_(values.begin(), values.size()) {}

    size_t Count() const { return values_.size(); }
    bool Has(size_t i) const { return i < values_.size() && !values_[i].IsNil(); }
    const Value& operator[](size_t i) const {
        static const Value nil;
        return i < values_.size() ? values_[i] : nil;
    }

    int64_t Integer(size_t i, int64_t fallback = 0) const {
        return Has(i) ? (*this)[i].AsInteger() : fallback;
    }
    int Int(size_t i, int fallback = 0) const { return static_cast<int>(Integer(i, fallback)); }
    double Double(size_t i, double fallback = 0.0) const {
        return Has(i) ? (*this)[i].AsDouble() : fallback;
    }
    bool Logical(size_t i, bool fallback = false) const {
        return Has(i) ? (*this)[i].AsLogical() : fallback;
    }
    const std::string& String(size_t i) const { return (*this)[i].AsString(); }
    template <typename H>
    H Handle(size_t i) const {
        return (*this)[i].AsHandle<H>();
    }

private:
    std::span<const Value> values_;
};

}  // namespace corvix
