#pragma once
// A message method's answer: NIL (not handled: the previous procedure runs),
// a number (returned as it is) or a logical.

#include <windows.h>

#include <cstdint>

namespace corvix {

class Answer {
public:
    constexpr Answer() = default;
    static constexpr Answer Nil() { return {}; }
    static constexpr Answer Number(LRESULT n) { return Answer(Kind::Number, n); }
    static constexpr Answer Logical(bool b) { return Answer(Kind::Logical, b ? 1 : 0); }

    constexpr bool IsNil() const { return kind_ == Kind::Nil; }
    constexpr bool IsNumber() const { return kind_ == Kind::Number; }
    constexpr bool IsLogical() const { return kind_ == Kind::Logical; }
    constexpr LRESULT Raw() const { return value_; }

    // A window procedure returns numbers as they are and anything else as 0.
    constexpr LRESULT ForWindowProc() const { return IsNumber() ? value_ : 0; }
    // A dialog procedure returns numbers as they are and anything else as a
    // logical, NIL counting as false.
    constexpr INT_PTR ForDialogProc() const {
        return IsNumber() ? static_cast<INT_PTR>(value_) : (IsLogical() && value_ ? TRUE : FALSE);
    }

    friend constexpr bool operator==(const Answer&, const Answer&) = default;

private:
    enum class Kind : uint8_t { Nil, Number, Logical };
    constexpr Answer(Kind kind, LRESULT value) : kind_(kind), value_(value) {}
    Kind kind_ = Kind::Nil;
    LRESULT value_ = 0;
};

}  // namespace corvix
