#pragma once
// Any value as text, for logs.

#include <string>

#include "corvix/runtime/value.h"

namespace corvix {

// Strings as they are, dates in the current format, ".T."/".F.", numbers in
// plain decimal, "{|| ... }" for callbacks, "{ ... }" for arrays, "Object"
// for objects, and the empty string for nil.
std::string CVALTOCHAR(const Value& xValue);

}  // namespace corvix
