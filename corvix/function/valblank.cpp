#include "corvix/function/valblank.h"

#include "corvix/runtime/datetime.h"
#include "corvix/runtime/picturemask.h"

namespace corvix {

std::string CVALTOCHAR(const Value& xValue) {
    switch (xValue.GetType()) {
        case Value::Type::String: return xValue.AsString();
        case Value::Type::Date: return DateToText(xValue.AsDate());
        case Value::Type::Logical: return xValue.AsLogical() ? ".T." : ".F.";
        case Value::Type::Integer: return std::to_string(xValue.AsInteger());
        case Value::Type::Double: return ShortestText(xValue.AsDouble());
        case Value::Type::Callback: return "{|| ... }";
        case Value::Type::Array: return "{ ... }";
        case Value::Type::Object: return "Object";
        case Value::Type::Nil: return "";
    }
    return "";
}

}  // namespace corvix
