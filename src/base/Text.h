// The one pair of text conversions: UTF-8 (our strings) <-> wide (the W API).
// Malformed input becomes U+FFFD instead of being dropped or read past.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace text {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view wide);

// Appends one code point as UTF-8.
void AppendUtf8(std::string& out, char32_t cp);
// Length of the well-formed UTF-8 sequence at s[i] with its code point in cp; 0 when
// there is none (cut, overlong, a surrogate or past U+10FFFF).
std::size_t Utf8SequenceAt(std::string_view s, std::size_t i, char32_t& cp);

}  // namespace text
