#include "corvix/runtime/picturemask.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "corvix/runtime/datetime.h"

namespace corvix {

namespace {

struct Picture {
    std::string cFlags;
    std::string cTemplate;
    bool Has(char flag) const { return cFlags.find(flag) != std::string::npos; }
};

Picture Parse(const std::string& cPicture) {
    if (cPicture.empty() || cPicture[0] != '@') return {"", cPicture};
    const size_t blank = cPicture.find(' ');
    if (blank == std::string::npos) return {cPicture.substr(1), ""};
    return {cPicture.substr(1, blank - 1), cPicture.substr(blank + 1)};
}

std::string Upper(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return s;
}

bool IsDigitSlot(char c) { return c == '9' || c == '#'; }
bool IsTextSlot(char c) { return std::string_view("9#ANX!LY").find(c) != std::string_view::npos; }

std::string PlainText(const Value& x) {
    switch (x.GetType()) {
        case Value::Type::String: return x.AsString();
        case Value::Type::Integer: return std::to_string(x.AsInteger());
        case Value::Type::Double: {
            char text[64];
            std::snprintf(text, sizeof text, "%.10g", x.AsDouble());
            return text;
        }
        case Value::Type::Logical: return x.AsLogical() ? ".T." : ".F.";
        case Value::Type::Date: return DateToText(x.AsDate());
        default: return "";
    }
}

// The digits of |x| rounded to nDecimals places, split at the point.
std::pair<std::string, std::string> Digits(const Value& x, int nDecimals) {
    if (x.GetType() == Value::Type::Integer) {
        const int64_t n = x.AsInteger();
        std::string whole = std::to_string(n);
        if (n < 0) whole.erase(0, 1);
        return {whole, std::string(static_cast<size_t>(nDecimals), '0')};
    }
    // Sized to what it prints: a large number with many decimals is no error.
    const double magnitude = std::fabs(x.AsDouble());
    std::string all(static_cast<size_t>(std::snprintf(nullptr, 0, "%.*f", nDecimals, magnitude)) + 1, '\0');
    std::snprintf(all.data(), all.size(), "%.*f", nDecimals, magnitude);
    all.pop_back();
    const size_t point = all.find('.');
    if (point == std::string::npos) return {all, ""};
    return {all.substr(0, point), all.substr(point + 1)};
}

bool IsNegative(const Value& x) {
    return x.GetType() == Value::Type::Integer ? x.AsInteger() < 0 : std::signbit(x.AsDouble());
}

// The decimals a double shows with ten places at most, trailing zeros dropped.
int ShownDecimals(double x) {
    char text[32];
    std::snprintf(text, sizeof text, "%.10f", std::fabs(std::fmod(x, 1.0)));
    std::string fraction = text + 2;  // past "0."
    while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
    return static_cast<int>(fraction.size());
}

// A template that just holds the number, one place for the sign included.
std::string FittingTemplate(const Value& x) {
    const int decimals = x.GetType() == Value::Type::Double ? ShownDecimals(x.AsDouble()) : 0;
    const std::string whole = Digits(x, decimals).first;
    std::string t(whole.size() + (IsNegative(x) ? 1 : 0), '9');
    if (decimals) t += "." + std::string(static_cast<size_t>(decimals), '9');
    return t;
}

std::string Number(const Value& x, const Picture& p) {
    const std::string tmpl = p.cTemplate.empty() ? FittingTemplate(x) : p.cTemplate;
    const size_t point = tmpl.find('.');
    const std::string wholePart = tmpl.substr(0, point);
    const std::string decimalPart = point == std::string::npos ? "" : tmpl.substr(point + 1);
    const auto places = [](const std::string& s) { return std::count_if(s.begin(), s.end(), IsDigitSlot); };
    const auto wholePlaces = places(wholePart);
    const auto decimalPlaces = places(decimalPart);
    if (wholePlaces + decimalPlaces == 0) return PlainText(x);  // no digit in the template

    auto [whole, decimals] = Digits(x, static_cast<int>(decimalPlaces));
    const bool negative = IsNegative(x) && (whole.find_first_not_of('0') != std::string::npos ||
                                            decimals.find_first_not_of('0') != std::string::npos);
    if (whole == "0" && wholePlaces == 0) whole.clear();  // ".99" shows no leading zero
    const bool zero = whole.find_first_not_of('0') == std::string::npos &&
                      decimals.find_first_not_of('0') == std::string::npos;
    const char thousands = p.Has('E') ? '.' : ',', decimalPoint = p.Has('E') ? ',' : '.';
    const char sign = !negative || p.Has('X') ? '\0' : p.Has('(') ? '(' : '-';
    const auto needed = static_cast<std::ptrdiff_t>(whole.size()) + (sign ? 1 : 0);

    std::string field;
    if (needed > wholePlaces) {
        for (char c : tmpl) field += c == '.' ? decimalPoint : '*';
        return field;
    }
    // Whole digits from the right; the sign takes the first place left of them.
    std::string left;
    size_t next = whole.size();
    bool signPlaced = sign == '\0';
    for (auto it = wholePart.rbegin(); it != wholePart.rend(); ++it) {
        const char t = *it;
        if (IsDigitSlot(t) || t == ',') {
            if (next > 0 && IsDigitSlot(t))
                left += whole[--next];
            else if (next > 0)
                left += thousands;
            else if (!signPlaced) {
                left += sign;
                signPlaced = true;
            } else {
                left += ' ';
            }
        } else {
            left += t;
        }
    }
    std::reverse(left.begin(), left.end());
    field = left;
    if (point != std::string::npos) {
        field += decimalPoint;
        size_t d = 0;
        for (char t : decimalPart) field += IsDigitSlot(t) ? decimals[d++] : t;
    }
    if (p.Has('Z') && zero) return std::string(field.size(), ' ');
    if (sign == '(') field += ')';
    if (negative && p.Has('X')) field += " DB";
    if (!negative && !zero && p.Has('C')) field += " CR";
    if (p.Has('B')) {
        const size_t first = field.find_first_not_of(' ');
        field = first == std::string::npos ? field : field.substr(first) + std::string(first, ' ');
    }
    return field;
}

std::string Text(const std::string& text, const Picture& p) {
    const std::string s = p.Has('!') ? Upper(text) : text;
    if (p.cTemplate.empty()) return s;
    std::string out;
    size_t next = 0;
    for (char t : p.cTemplate) {
        if (IsTextSlot(t)) {
            const char c = next < s.size() ? s[next] : ' ';
            out += t == '!' ? static_cast<char>(std::toupper(static_cast<unsigned char>(c))) : c;
            ++next;
        } else {
            out += t;
            if (!p.Has('R')) ++next;  // the template's character takes the text's place
        }
    }
    return out;
}

std::string Logical(bool l, const Picture& p) {
    const bool yesNo = p.cTemplate.find('Y') != std::string::npos;
    if (!yesNo && p.cTemplate.find('L') == std::string::npos) return l ? ".T." : ".F.";
    return Text(yesNo ? (l ? "Y" : "N") : (l ? "T" : "F"), p);
}

}  // namespace

std::string PictureText(const Value& xValue, const std::string& cPicture) {
    const Picture p = Parse(cPicture);
    switch (xValue.GetType()) {
        case Value::Type::Integer:
        case Value::Type::Double: return Number(xValue, p);
        case Value::Type::Logical: return Logical(xValue.AsLogical(), p);
        case Value::Type::String:
        case Value::Type::Date: return Text(PlainText(xValue), p);
        default: return PlainText(xValue);
    }
}

}  // namespace corvix
