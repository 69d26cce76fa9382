#include "corvix/runtime/picturemask.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "corvix/runtime/characters.h"
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

// Upper case for ASCII letters only; other letters stay whole.
char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

std::string Upper(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](char c) { return Upper(c); });
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


// Rounds whole.fraction to nDecimals places, a half away from zero.
std::pair<std::string, std::string> Rounded(std::string whole, std::string fraction, size_t nDecimals) {
    const bool up = fraction.size() > nDecimals && fraction[nDecimals] >= '5';
    fraction.resize(nDecimals, '0');
    if (!up) return {whole, fraction};
    std::string digits = whole + fraction;
    size_t i = digits.size();
    while (i > 0 && digits[i - 1] == '9') digits[--i] = '0';
    if (i == 0)
        digits.insert(0, 1, '1');
    else
        ++digits[i - 1];
    return {digits.substr(0, digits.size() - nDecimals), digits.substr(digits.size() - nDecimals)};
}

// The digits of |x| rounded to nDecimals places, split at the point. A
// double is rounded as it is written, so 1.005 is a half as the user sees it.
std::pair<std::string, std::string> Digits(const Value& x, int nDecimals) {
    const auto places = static_cast<size_t>(nDecimals);
    if (x.GetType() == Value::Type::Integer) {
        const int64_t n = x.AsInteger();
        std::string whole = std::to_string(n);
        if (n < 0) whole.erase(0, 1);
        return {whole, std::string(places, '0')};
    }
    const std::string all = ShortestText(std::fabs(x.AsDouble()));
    const size_t point = all.find('.');
    if (point == std::string::npos) return Rounded(all, "", places);
    return Rounded(all.substr(0, point), all.substr(point + 1), places);
}

bool IsNegative(const Value& x) {
    return x.GetType() == Value::Type::Integer ? x.AsInteger() < 0 : std::signbit(x.AsDouble());
}

// The decimals of the shortest text that reads back as x.
int ShownDecimals(double x) {
    const std::string text = ShortestText(x);
    const size_t point = text.find('.');
    return point == std::string::npos ? 0 : static_cast<int>(text.size() - point - 1);
}

// A template that just holds the number, one place for the sign included.
std::string FittingTemplate(const Value& x) {
    const int decimals = x.GetType() == Value::Type::Double ? ShownDecimals(x.AsDouble()) : 0;
    const std::string whole = Digits(x, decimals).first;
    std::string t(whole.size() + (IsNegative(x) ? 1 : 0), '9');
    if (decimals) t += "." + std::string(static_cast<size_t>(decimals), '9');
    return t;
}

// A number that does not fit: an asterisk in every place but the point.
std::string Overflow(const std::string& tmpl, char decimalPoint) {
    std::string field;
    for (char c : tmpl) field += c == '.' ? decimalPoint : '*';
    return field;
}

bool HasDigitSlot(const std::string& tmpl) { return std::any_of(tmpl.begin(), tmpl.end(), IsDigitSlot); }

std::string Number(const Value& x, const Picture& p) {
    const char thousands = p.Has('E') ? '.' : ',', decimalPoint = p.Has('E') ? ',' : '.';
    if (x.GetType() == Value::Type::Double && !std::isfinite(x.AsDouble()))
        return HasDigitSlot(p.cTemplate) ? Overflow(p.cTemplate, decimalPoint) : ShortestText(x.AsDouble());
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
    const char sign = !negative || p.Has('X') ? '\0' : p.Has('(') ? '(' : '-';
    // A parenthesis takes a free place before the digits, or stands in front.
    const auto needed = static_cast<std::ptrdiff_t>(whole.size()) + (sign == '-' ? 1 : 0);
    if (needed > wholePlaces) return Overflow(tmpl, decimalPoint);
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
    if (!signPlaced) left += sign;
    std::reverse(left.begin(), left.end());
    std::string field = left;
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

// Template and text go character by character, so a cut never splits one.
std::string Text(const std::string& text, const Picture& p) {
    const std::string s = p.Has('!') ? Upper(text) : text;
    const std::string_view tmpl = p.cTemplate;
    if (tmpl.empty()) return s;
    std::string out;
    size_t next = 0;  // where the text's next character starts
    for (size_t at = 0; at < tmpl.size(); at = CharacterEnd(tmpl, at)) {
        const std::string_view t = tmpl.substr(at, CharacterEnd(tmpl, at) - at);
        const size_t end = CharacterEnd(s, next);
        if (t.size() == 1 && IsTextSlot(t[0])) {
            if (next >= s.size())
                out += ' ';
            else
                for (size_t i = next; i < end; ++i) out += t[0] == '!' ? Upper(s[i]) : s[i];
            next = end;
        } else {
            out += t;
            if (!p.Has('R')) next = end;  // the template's character takes the text's place
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

std::string ShortestText(double x) {
    if (std::isnan(x)) return "nan";  // whatever its sign bit
    char text[400];  // room for the largest double written out in full
    const auto result = std::to_chars(text, text + sizeof text, x, std::chars_format::fixed);
    return std::string(text, result.ptr);
}

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
