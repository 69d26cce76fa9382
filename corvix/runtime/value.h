#pragma once
// A value of any of the run time's types: what untyped arguments, log
// entries and by-name calls carry.

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <variant>
#include <vector>

namespace corvix {

class Value;
class Args;

// Calendar date; year 0 is the empty date.
struct Date {
    int nYear = 0;
    int nMonth = 0;
    int nDay = 0;
    bool IsEmpty() const { return nYear == 0; }
    friend bool operator==(const Date&, const Date&) = default;
};

// Base of every library object that can travel inside a Value.
class Object {
public:
    virtual ~Object() = default;
    virtual std::string ClassName() const { return "OBJECT"; }
};

using Array = std::vector<Value>;
using Callback = std::function<Value(Args)>;

class Value {
public:
    enum class Type { Nil, String, Integer, Double, Logical, Date, Array, Object, Callback };

    Value() = default;
    Value(std::nullptr_t) {}
    Value(const char* s) : data_(std::string(s ? s : "")) {}
    Value(std::string s) : data_(std::move(s)) {}
    Value(int n) : data_(static_cast<int64_t>(n)) {}
    Value(long n) : data_(static_cast<int64_t>(n)) {}
    Value(long long n) : data_(static_cast<int64_t>(n)) {}
    Value(unsigned n) : data_(static_cast<int64_t>(n)) {}
    Value(unsigned long n) : data_(static_cast<int64_t>(n)) {}
    Value(unsigned long long n) : data_(static_cast<int64_t>(n)) {}
    Value(double n) : data_(n) {}
    Value(bool b) : data_(b) {}
    Value(Date d) : data_(d) {}
    Value(Array a) : data_(std::move(a)) {}
    Value(std::shared_ptr<Object> o) : data_(std::move(o)) {}
    Value(Callback f) : data_(std::move(f)) {}
    // A raw pointer would silently become a logical; handles go through Handle().
    template <typename T>
    Value(T*) = delete;

    // Handles travel as integers.
    template <typename H>
        requires std::is_pointer_v<H>
    static Value Handle(H h) {
        return Value(static_cast<int64_t>(reinterpret_cast<intptr_t>(h)));
    }

    Type GetType() const { return static_cast<Type>(data_.index()); }
    bool IsNil() const { return GetType() == Type::Nil; }
    bool IsString() const { return GetType() == Type::String; }
    bool IsNumber() const { return GetType() == Type::Integer || GetType() == Type::Double; }
    bool IsLogical() const { return GetType() == Type::Logical; }
    bool IsArray() const { return GetType() == Type::Array; }

    // Numbers truncate toward zero; anything that is not a number gives 0.
    int64_t AsInteger() const;
    double AsDouble() const;
    // Only a true logical is true.
    bool AsLogical() const;
    // The empty string for anything that is not a string.
    const std::string& AsString() const;
    // The empty array for anything that is not an array.
    const Array& AsArray() const;
    Date AsDate() const;
    std::shared_ptr<Object> AsObject() const;
    // True when this holds exactly that object; cheaper than AsObject().
    bool IsObject(const Object* object) const;
    const Callback* AsCallback() const;

    template <typename H>
        requires std::is_pointer_v<H>
    H AsHandle() const {
        return reinterpret_cast<H>(static_cast<intptr_t>(AsInteger()));
    }

    // Same type and same contents; callbacks compare equal only to themselves.
    bool operator==(const Value& other) const;

private:
    std::variant<std::monostate, std::string, int64_t, double, bool, Date, Array,
                 std::shared_ptr<Object>, Callback>
        data_;
};

}  // namespace corvix

