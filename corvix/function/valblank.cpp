#include "corvix/function/valblank.h"

#include <charconv>

#include "corvix/runtime/datetime.h"

namespace corvix {

namespace {

// The shortest plain decimal that reads back as the same number: 0.5 stays
// "0.5", 100000.0 is "100000", never "1e+05".
std::string DecimalText(double n) {
    char text[400];  // room for the largest double written out in full
    const auto result = std::to_chars(text, text + sizeof text, n, std::chars_format::fixed);
    return std::string(text, result.ptr);
}

}  // namespace

std::string CVALTOCHAR(const Value& xValue) {
    switch (xValue.GetType()) {
        case Value::Type::String: return xValue.AsString();
        case Value::Type::Date: return DateToText(xValue.AsDate());
        case Value::Type::Logical: return xValue.AsLogical() ? ".T." : ".F.";
        case Value::Type::Integer: return std::to_string(xValue.AsInteger());
        case Value::Type::Double: return DecimalText(xValue.AsDouble());
        case Value::Type::Callback: return "{|| ... }";
        case Value::Type::Array: return "{ ... }";
        case Value::Type::Object: return "Object";
        case Value::Type::Nil: return "";
    }
    return "";
}

}  // namespace corvix
