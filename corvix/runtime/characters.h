#pragma once
// Characters of the library's text, which is in the process's ANSI code page.
// An application manifest makes that UTF-8, where one character takes one to
// four bytes; in any other code page each byte counts as one character, as
// the library has always counted. The code page is the process's unless given.

#include <windows.h>

#include <string_view>

namespace corvix {

// The byte just past the character that starts at byte nAt.
size_t CharacterEnd(std::string_view cText, size_t nAt, UINT nCodePage = GetACP());

// How many characters the text holds.
size_t CharacterCount(std::string_view cText, UINT nCodePage = GetACP());

// The longest start of the text of at most nBytes bytes that ends between two
// characters.
std::string_view CutToBytes(std::string_view cText, size_t nBytes, UINT nCodePage = GetACP());

// The text's first nCharacters characters, counted as the system's wide
// functions count them (a character beyond the basic plane counts two).
std::string_view FirstCharacters(std::string_view cText, size_t nCharacters, UINT nCodePage = GetACP());

}  // namespace corvix
