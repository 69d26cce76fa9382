#pragma once
// The error dialog: the error's text, the call list and the buttons the
// error allows (Retry, Quit, Default), modal and centred on the screen.

#include <string>
#include <vector>

#include "corvix/function/cxerror.h"

namespace corvix {

enum class ErrorChoice { None, Retry, Default };

// None when the user quit, closed the dialog or pressed Escape.
ErrorChoice ShowErrorDialog(const ErrorRecord& oError, const std::vector<std::string>& aCalls);

}  // namespace corvix
