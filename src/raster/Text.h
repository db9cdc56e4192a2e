// The one pair of text conversions: UTF-8 (our strings) <-> wide (the W API).
// Malformed input becomes U+FFFD instead of being dropped or read past.
#pragma once

#include <string>
#include <string_view>

namespace text {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view wide);

}  // namespace text
