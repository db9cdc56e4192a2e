// ASCII case folding. Skin files, class names and property names compare without regard
// to the case of A-Z only: bytes of other scripts (UTF-8 included) are never folded, so
// no locale can make two different names equal.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace base {

constexpr char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }
constexpr char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; }

inline std::string AsciiLower(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = AsciiLower(c);
    return out;
}
inline std::string AsciiUpper(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = AsciiUpper(c);
    return out;
}

constexpr bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
    return true;
}

// Byte order of the lower-cased texts (bytes unsigned), so a prefix sorts first.
constexpr bool LessIgnoreCase(std::string_view a, std::string_view b) {
    const std::size_t n = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < n; ++i) {
        const auto x = static_cast<unsigned char>(AsciiLower(a[i]));
        const auto y = static_cast<unsigned char>(AsciiLower(b[i]));
        if (x != y) return x < y;
    }
    return a.size() < b.size();
}

// For ordered containers keyed by names that ignore case.
struct IgnoreCaseLess {
    using is_transparent = void;
    constexpr bool operator()(std::string_view a, std::string_view b) const { return LessIgnoreCase(a, b); }
};

}  // namespace base
