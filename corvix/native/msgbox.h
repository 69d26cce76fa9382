#pragma once
// The system's standard boxes in one call each: the owner is the window
// active at the moment of the call, the title has a fixed default, and the
// message may be any value, turned into text first.

#include <windows.h>

#include <optional>
#include <string>

#include "corvix/runtime/value.h"

namespace corvix {

// The text a box shows for a value: strings as they are, nil "nil", whole
// numbers in digits, decimals with six places, dates in the current format,
// ".T."/".F.", "Array", "Object", and a fixed note for anything else.
std::string MSGTEXT(const Value& xValue);

// A text longer than 32766 characters (or 65534 bytes) shows its first 32766
// (the system's limit), never half a character. Without a title the box takes its default one ("Information", "Alert",
// "Stop", "Select an option", "About").
void MSGINFO(const Value& xMessage = Value(""), const std::optional<Value>& xTitle = std::nullopt);
void MSGALERT(const Value& xMessage = Value(""), const std::optional<Value>& xTitle = std::nullopt);
void MSGSTOP(const Value& xMessage = Value(""), const std::optional<Value>& xTitle = std::nullopt);
// True when the user answers Yes; false for No or a box that could not be made.
bool MSGYESNO(const Value& xMessage = Value(""), const std::optional<Value>& xTitle = std::nullopt);
// The shell's about box: the message as the application text, the title below it.
void MSGABOUT(const Value& xMessage = Value(""), const std::optional<Value>& xTitle = std::nullopt);
void MSGBEEP();

// The system colour dialog, full open with black selected unless nInitColor
// (a number) says otherwise; the flags, when a number is given, replace the
// default ones; the hook flag is always added. The custom colours are a grey
// ramp made anew at each call. Answers the colour chosen, or on cancel the
// number nInitColor (0 when it is none).
COLORREF CHOOSECOLOR(const Value& nInitColor = Value(), const Value& nFlags = Value());

}  // namespace corvix
