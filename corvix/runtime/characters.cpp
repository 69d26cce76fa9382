#include "corvix/runtime/characters.h"

namespace corvix {

namespace {

bool IsContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// Bytes a UTF-8 sequence starting with lead takes; 1 for a stray byte.
size_t SequenceLength(char lead) {
    const auto c = static_cast<unsigned char>(lead);
    if (c >= 0xF0 && c <= 0xF4) return 4;
    if (c >= 0xE0) return c <= 0xEF ? 3 : 1;
    return c >= 0xC2 ? 2 : 1;
}

// The longest start of whole characters within both limits.
std::string_view Start(std::string_view cText, size_t nBytes, size_t nUnits, UINT nCodePage) {
    size_t at = 0, units = 0;
    while (at < cText.size()) {
        const size_t end = CharacterEnd(cText, at, nCodePage);
        units += end - at == 4 ? 2 : 1;
        if (end > nBytes || units > nUnits) break;
        at = end;
    }
    return cText.substr(0, at);
}

}  // namespace

size_t CharacterEnd(std::string_view cText, size_t nAt, UINT nCodePage) {
    if (nAt >= cText.size() || nCodePage != CP_UTF8) return nAt + 1;
    const size_t length = SequenceLength(cText[nAt]);
    size_t end = nAt + 1;
    while (end < cText.size() && end - nAt < length && IsContinuation(cText[end])) ++end;
    return end;
}

size_t CharacterCount(std::string_view cText, UINT nCodePage) {
    size_t count = 0;
    for (size_t at = 0; at < cText.size(); at = CharacterEnd(cText, at, nCodePage)) ++count;
    return count;
}

std::string_view CutToBytes(std::string_view cText, size_t nBytes, UINT nCodePage) {
    return Start(cText, nBytes, cText.size(), nCodePage);
}

std::string_view FirstCharacters(std::string_view cText, size_t nCharacters, UINT nCodePage) {
    return Start(cText, cText.size(), nCharacters, nCodePage);
}

}  // namespace corvix
