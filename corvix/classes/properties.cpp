#include "corvix/classes/properties.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "corvix/function/cxerror.h"
#include "corvix/function/valblank.h"

namespace corvix {

namespace {

char TypeLetter(const Value& v) {
    switch (v.GetType()) {
        case Value::Type::String: return 'C';
        case Value::Type::Integer:
        case Value::Type::Double: return 'N';
        case Value::Type::Logical: return 'L';
        case Value::Type::Date: return 'D';
        default: return 'U';
    }
}

void PutWord(std::string& out, size_t n) {
    out += static_cast<char>(n & 0xFF);
    out += static_cast<char>((n >> 8) & 0xFF);
}

// Reads a 16-bit length and advances; false past the end.
bool GetWord(const std::string& in, size_t& at, size_t& n) {
    if (at + 2 > in.size()) return false;
    n = static_cast<unsigned char>(in[at]) | static_cast<unsigned char>(in[at + 1]) << 8;
    at += 2;
    return true;
}

bool GetText(const std::string& in, size_t& at, std::string& text) {
    size_t n = 0;
    if (!GetWord(in, at, n) || at + n > in.size()) return false;
    text = in.substr(at, n);
    at += n;
    return true;
}

Value ParseValue(char type, const std::string& text) {
    switch (type) {
        case 'C': return Value(text);
        case 'L': return Value(text == ".T.");
        case 'N': {
            const double n = std::strtod(text.c_str(), nullptr);
            if (n == static_cast<double>(static_cast<int64_t>(n)) && text.find('.') == std::string::npos)
                return Value(static_cast<int64_t>(n));
            return Value(n);
        }
        default: return Value();
    }
}

std::string TitleCase(const std::string& className) {
    std::string s = className;
    for (size_t i = 0; i < s.size(); ++i)
        s[i] = static_cast<char>(i < 2 ? std::toupper(static_cast<unsigned char>(s[i]))
                                       : std::tolower(static_cast<unsigned char>(s[i])));
    return s;
}

// Lengths travel in 16 bits; a longer text is refused, never cut.
bool TooLongToSave(const std::string& cClassName, const std::string& cName, size_t nLength) {
    if (nLength <= 0xFFFF) return false;
    RaiseError(LibraryError("Value too long to save", cClassName + ":" + cName + " (" + std::to_string(nLength) +
                                                            " bytes)"));
    return true;
}

}  // namespace

std::string PropertyRecord(const std::string& cClassName, const std::vector<Property>& aProps) {
    std::string body;
    PutWord(body, cClassName.size());
    body += cClassName;
    PutWord(body, aProps.size());
    for (const Property& p : aProps) {
        const std::string text = CVALTOCHAR(p.xValue);
        if (TooLongToSave(cClassName, p.cName, std::max(text.size(), p.cName.size()))) return {};
        PutWord(body, p.cName.size());
        body += p.cName;
        body += TypeLetter(p.xValue);
        PutWord(body, text.size());
        body += text;
    }
    if (TooLongToSave(cClassName, "record", body.size())) return {};
    std::string record = "O";
    PutWord(record, body.size());
    return record + body;
}

std::vector<Property> ReadPropertyRecord(const std::string& cFromCount) {
    std::vector<Property> props;
    size_t at = 0, count = 0;
    if (!GetWord(cFromCount, at, count)) return props;
    for (size_t i = 0; i < count; ++i) {
        std::string name, text;
        if (!GetText(cFromCount, at, name) || at >= cFromCount.size()) break;
        const char type = cFromCount[at++];
        if (!GetText(cFromCount, at, text)) break;
        props.push_back({name == "n_Style" ? "nStyle" : name, ParseValue(type, text)});
    }
    return props;
}

std::string PropertyText(const std::string& cClassName, const std::string& cVarName,
                         const std::vector<Property>& aProps, int nIndent) {
    const std::string indent(static_cast<size_t>(std::max(nIndent, 0)), ' ');
    std::string text = indent + "OBJECT " + (nIndent > 0 ? "::" : "") + cVarName + " AS " +
                       (nIndent > 0 ? TitleCase(cClassName) : cClassName) + "\r\n\r\n";
    for (const Property& p : aProps) {
        const std::string value = p.xValue.IsString() ? "\"" + p.xValue.AsString() + "\"" : CVALTOCHAR(p.xValue);
        text += indent + "   ::" + p.cName + " = " + value + "\r\n";
    }
    text += "\r\n" + indent + "ENDOBJECT";
    if (nIndent > 0) text += "\r\n";
    return text;
}

}  // namespace corvix
