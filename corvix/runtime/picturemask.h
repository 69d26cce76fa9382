#pragma once
// Picture masks: a value and a mask give the text a label shows.
//
// A mask is a function part, a template, or both, separated by one blank:
//   "@flags template", "@flags" or "template".
// The function part starts with "@" and runs to the first blank. Its letters:
//   E   European notation: "." groups thousands and "," marks the decimals
//   Z   a number that is zero shows as blanks
//   !   ASCII letters in upper case (other letters stay as they are)
//   R   a text's template characters that are no placeholders are inserted
//       between its characters (without R they take the place of one)
//   B   a number left-justified in its field
//   X   " DB" after a negative number, which then has no minus sign
//   C   " CR" after a positive number
//   (   a negative number in parentheses instead of a minus sign
// Letters it does not know are ignored.
//
// Template placeholders:
//   9 #     a digit of a number; any character of a text
//   A N X   any character of a text
//   !       a character of a text, in upper case
//   L Y     a logical as "T"/"F" or "Y"/"N"
//   ,       in a number: the thousands separator, shown only between digits
//   .       in a number: the decimal point; the placeholders after it are the
//           decimals shown
// Any other template character is copied as it stands.
//
// A number is rounded to the template's decimals and right-aligned in it,
// its minus sign just before the first digit; a number whose digits do not
// fit shows an asterisk in every position but the decimal point, never cut
// digits. A number without a template takes one that just fits it. A text
// longer than its template is cut, a shorter one padded with blanks; both
// count characters, which in UTF-8 may be longer than a byte. Empty
// masks, and values that no template applies to, are shown plainly.

#include <string>

#include "corvix/runtime/value.h"

namespace corvix {

// The shortest plain decimal that reads back as x: 0.1 is "0.1", never
// "0.1000000000000000055511", and 100000.0 is "100000", never "1e+05";
// "inf", "-inf" and "nan".
std::string ShortestText(double x);

std::string PictureText(const Value& xValue, const std::string& cPicture);

}  // namespace corvix
