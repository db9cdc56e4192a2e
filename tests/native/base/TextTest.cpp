#include <gtest/gtest.h>

#include "base/Text.h"

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

TEST(Text, SequencesAreMeasuredWhereTheyStand) {
    char32_t cp = 0;
    const std::string s = "a\xE4\xB8\xADz\xF0\x9F\x98\x80";
    EXPECT_EQ(text::Utf8SequenceAt(s, 1, cp), 3u);
    EXPECT_EQ(cp, U'\u4E2D');
    EXPECT_EQ(text::Utf8SequenceAt(s, 5, cp), 4u);
    EXPECT_EQ(cp, U'\U0001F600');
    EXPECT_EQ(text::Utf8SequenceAt(s, 2, cp), 0u);  // inside a sequence
    EXPECT_EQ(text::Utf8SequenceAt(s, s.size(), cp), 0u);
    EXPECT_EQ(text::Utf8SequenceAt(std::string_view(s).substr(0, 7), 5, cp), 0u);  // cut short
    std::string out;
    for (char32_t c : {U'a', U'\u00E9', U'\u4E2D', U'\U0001F600'}) text::AppendUtf8(out, c);
    EXPECT_EQ(out, "a\xC3\xA9\xE4\xB8\xAD\xF0\x9F\x98\x80");
}
