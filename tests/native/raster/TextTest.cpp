#include <gtest/gtest.h>

#include "raster/Text.h"

TEST(Text, RoundTripsEveryPlane) {
    const std::string samples[] = {"", "Tovalin", "隐  藏", "Привет, мир", "a\xF0\x9F\x98\x80z"};
    for (const auto& s : samples) EXPECT_EQ(text::Narrow(text::Widen(s)), s) << s;
    // An astral character is one code point but two UTF-16 units on Windows.
    EXPECT_EQ(text::Widen("\xF0\x9F\x98\x80").size(), sizeof(wchar_t) == 2 ? 2u : 1u);
    EXPECT_EQ(text::Widen("宋体"), std::wstring(L"\u5B8B\u4F53"));
}

TEST(Text, MalformedInputBecomesReplacementCharacters) {
    EXPECT_EQ(text::Widen("a\xC3"), std::wstring(L"a\uFFFD"));          // cut sequence at the end
    EXPECT_EQ(text::Widen("\xC0\xAF"), std::wstring(L"\uFFFD\uFFFD"));  // overlong '/'
    EXPECT_EQ(text::Widen("\xED\xA0\x80x"), std::wstring(L"\uFFFD\uFFFD\uFFFDx"));  // encoded surrogate
    EXPECT_EQ(text::Widen("\xE4\xB8x"), std::wstring(L"\uFFFD\uFFFDx"));
    std::wstring lone;
    lone.push_back(wchar_t(0xD800));
    lone.push_back(L'q');
    EXPECT_EQ(text::Narrow(lone), "\xEF\xBF\xBDq");
}
