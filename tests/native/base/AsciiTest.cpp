#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "base/Ascii.h"

using base::AsciiLower;
using base::AsciiUpper;
using base::EqualsIgnoreCase;
using base::LessIgnoreCase;

TEST(Ascii, FoldsOnlyTheLatinLetters) {
    EXPECT_EQ(AsciiLower("Skin.INI [Personality] Z"), "skin.ini [personality] z");
    EXPECT_EQ(AsciiUpper("trackbar.thumbHorz az"), "TRACKBAR.THUMBHORZ AZ");
    // The neighbours of A-Z and a-z stay: '@' '[' '`' '{'.
    EXPECT_EQ(AsciiLower("@[`{"), "@[`{");
    EXPECT_EQ(AsciiUpper("@[`{"), "@[`{");
    // UTF-8 bytes are never folded, whatever the locale: É (C3 89) is not é (C3 A9).
    EXPECT_EQ(AsciiLower("\xC3\x89"), "\xC3\x89");
    EXPECT_EQ(AsciiUpper("隐藏"), "隐藏");
    EXPECT_FALSE(EqualsIgnoreCase("\xC3\x89", "\xC3\xA9"));
    EXPECT_EQ(AsciiLower(std::string("a\0B", 3)), std::string("a\0b", 3)) << "a NUL does not end the text";
}

TEST(Ascii, EqualityIgnoresCaseAndNothingElse) {
    EXPECT_TRUE(EqualsIgnoreCase("TButton", "tbutton"));
    EXPECT_TRUE(EqualsIgnoreCase("", ""));
    EXPECT_FALSE(EqualsIgnoreCase("TButton", "TButton "));
    EXPECT_FALSE(EqualsIgnoreCase("TButton", "TButto"));
    EXPECT_FALSE(EqualsIgnoreCase("[", "{")) << "0x5B and 0x7B differ by the case bit but are no letters";
    EXPECT_FALSE(EqualsIgnoreCase("@", "`"));
    static_assert(EqualsIgnoreCase("Colours", "COLOURS"));
}

TEST(Ascii, OrderIsStrictAndAgreesWithEquality) {
    const std::vector<std::string> names = {"",      "a",    "A",  "ab",        "AB", "b",  "_x",      "Ax",
                                            "[",     "Z",    "z",  "\xC3\x89", "é",  "tb", "TButton", "tbutton"};
    for (const auto& a : names) {
        EXPECT_FALSE(LessIgnoreCase(a, a)) << a;
        for (const auto& b : names) {
            const bool equivalent = !LessIgnoreCase(a, b) && !LessIgnoreCase(b, a);
            EXPECT_EQ(equivalent, EqualsIgnoreCase(a, b)) << a << " / " << b;
            for (const auto& c : names) {
                if (!LessIgnoreCase(a, b) || !LessIgnoreCase(b, c)) continue;
                EXPECT_TRUE(LessIgnoreCase(a, c)) << a << b << c;
            }
        }
    }
    // Letters compare as lower case, so '_' (0x5F) comes before every letter, and bytes
    // past 0x7F after all of ASCII.
    EXPECT_TRUE(LessIgnoreCase("_x", "Ax"));
    EXPECT_TRUE(LessIgnoreCase("Zebra", "\xC3\x89"));
    EXPECT_TRUE(LessIgnoreCase("tb", "TButton")) << "a prefix first";
    EXPECT_TRUE(LessIgnoreCase("ABC", "abd"));
}

TEST(Ascii, MapsKeyedWithoutRegardToCase) {
    std::map<std::string, int, base::IgnoreCaseLess> kinds;
    kinds.emplace("TButton", 1);
    EXPECT_FALSE(kinds.emplace("TBUTTON", 2).second) << "the first spelling wins";
    kinds.emplace("TBitBtn", 3);
    ASSERT_EQ(kinds.size(), 2u);
    const auto found = kinds.find(std::string_view("tbutton"));
    ASSERT_NE(found, kinds.end());
    EXPECT_EQ(found->first, "TButton");
    EXPECT_EQ(found->second, 1);
    EXPECT_EQ(kinds.count("tbitbtn"), 1u);
    EXPECT_EQ(kinds.count("tbitbt"), 0u);
}
