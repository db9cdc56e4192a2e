// Published properties by name, for code that handles any class alike.
// Every helper does nothing, or answers its empty value, when the object is null
// or has no such property.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "framework/Classes.h"

namespace tv {

// Value of an integer-kind property, else -1.
std::int64_t GetIntPropByName(const TObject* object, std::string_view name);
// Identifier of an enumeration's current value ("True", "blGlyphLeft"), else "".
std::string GetEnumPropByName(const TObject* object, std::string_view name);
// Text of a string property (UTF-8), else "".
std::string GetTextPropByName(const TObject* object, std::string_view name);
// Bits of a set property, else 0.
std::uint64_t GetSetPropByName(const TObject* object, std::string_view name);
// Object held by a class-kind property when it is a className (or inherits from it), else null.
TObject* GetObjectPropByName(const TObject* object, std::string_view name, std::string_view className);
// Integer kind: the text as a number (or a named value); enumeration: by identifier;
// string: the text; set: "[a, b]". Other kinds, and texts that do not fit, are left alone.
void SetPropByName(TObject* object, std::string_view name, std::string_view text);
bool HasProperty(const TObject* object, std::string_view name);

}  // namespace tv
