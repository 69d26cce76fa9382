#pragma once
// The text of "Error.log": what the program was, where it stood and what the
// machine was when an error came, in twenty sections, CR LF after each line.

#include <cstdint>
#include <string>
#include <vector>

#include "corvix/function/cxerror.h"

namespace corvix {

// The report of one error; aCalls are the call lines, innermost first.
std::string ErrorReport(const ErrorRecord& oError, const std::vector<std::string>& aCalls);

// "   Called from: file => procedure(line)" for each recorded level, then
// the raw return addresses as module+offset.
std::vector<std::string> CallLines();

// A file size as "9,999,999 bytes": seven digit positions, blanks where no
// digit stands; larger sizes widen the field rather than lose digits.
std::string SizeText(uint64_t nBytes);

// A value as the variables section shows it.
std::string CGETINFO(const Value& xValue);

// The processor's name from the registry.
std::string GETCPU();

}  // namespace corvix
