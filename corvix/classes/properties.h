#pragma once
// The persistence shared by the library's classes: a binary property record
// and a textual OBJECT ... ENDOBJECT form, both listing only the properties
// that differ from a default object of the class.

#include <string>
#include <vector>

#include "corvix/runtime/value.h"

namespace corvix {

struct Property {
    std::string cName;
    Value xValue;
};

// Of obj's properties (names in order), those whose value differs from def's.
template <typename T>
std::vector<Property> DifferingProperties(const T& obj, const T& def, const std::vector<std::string>& names) {
    std::vector<Property> differing;
    for (const std::string& name : names) {
        Value mine = obj.GetProperty(name);
        if (!(mine == def.GetProperty(name))) differing.push_back({name, std::move(mine)});
    }
    return differing;
}

// The properties of obj that differ from a fresh default object of its class.
template <typename T>
std::vector<Property> PropertiesToSave(const T& obj) {
    const auto def = T::New();
    auto differing = DifferingProperties(obj, *def, T::aProperties);
    def->End();
    return differing;
}

// "O", length, class-name length and name, count, then per property: name
// length and name, type letter, value length and text. 16-bit little-endian.
// A text or record longer than 65535 bytes is reported to the error handler
// and gives no record (empty), never a truncated one.
std::string PropertyRecord(const std::string& cClassName, const std::vector<Property>& aProps);
// The properties of a record read from its count field on; a truncated
// record gives the properties complete before the cut.
std::vector<Property> ReadPropertyRecord(const std::string& cFromCount);

// The OBJECT ... ENDOBJECT text, indented by nIndent blanks.
std::string PropertyText(const std::string& cClassName, const std::string& cVarName,
                         const std::vector<Property>& aProps, int nIndent);

}  // namespace corvix
