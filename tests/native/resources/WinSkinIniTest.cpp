#include <gtest/gtest.h>

#include <string>

#include "skin/resources/WinSkinIni.h"

namespace {
using skin::TQuickIni;

TQuickIni Parse(const std::string& text) {
    TQuickIni ini;
    ini.Load(std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
    return ini;
}

TEST(QuickIni, KeepsTrimmedLinesAndDropsBlanksAndComments) {
    const auto ini = Parse("\t lead \r\n\r\n; comment\r\n  ;indented comment\n[ Sec ] \rk = v ; not a comment\x01\n\x7f\n");
    EXPECT_EQ(ini.Lines(), (std::vector<std::string>{"lead", "[ Sec ]", "k = v ; not a comment", "\x7f"}));
    ASSERT_EQ(ini.Sections().size(), 1u);
    EXPECT_EQ(ini.Sections()[0].header, "[ Sec ]");
    EXPECT_EQ(ini.Sections()[0].line, 1);
    // A NUL ends the text.
    EXPECT_EQ(Parse(std::string("[a]\r\nx=1\0[b]\r\n", 15)).Lines(), (std::vector<std::string>{"[a]", "x=1"}));
}

TEST(QuickIni, LoadReplacesAndANullStreamChangesNothing) {
    auto ini = Parse("[a]\nx=1\n");
    ini.Load(nullptr);
    EXPECT_EQ(ini.GetString("a", "x", ""), "1");
    const std::vector<std::uint8_t> stream = {'s', 'k', 'i', 'p', '[', 'b', ']', '\n', 'y', '=', '2'};
    ini.Load(&stream, 4);
    EXPECT_EQ(ini.GetString("a", "x", "none"), "none");
    EXPECT_EQ(ini.GetString("b", "y", ""), "2");
    EXPECT_EQ(ini.FindSection("b"), 0);
}

TEST(QuickIni, FindsSectionsWithoutRegardToCase) {
    const auto ini = Parse("; Skin made by hand\r\n[Personality]\r\nName=Blue\r\n[ Spaced ]\r\n[Colours]\r\n");
    EXPECT_EQ(ini.FindSection("Personality"), 0);
    EXPECT_EQ(ini.FindSection("PERSONALITY"), 0);
    EXPECT_EQ(ini.FindSection("colours"), 3);
    EXPECT_EQ(ini.FindSection("Spaced"), -1);
    EXPECT_EQ(ini.FindSection(" Spaced "), 2);
    EXPECT_EQ(ini.FindSection("Missing"), -1);
    EXPECT_EQ(ini.GetString("personality", "name", ""), "Blue");
}

TEST(QuickIni, GetStringRules) {
    const auto ini = Parse(
        "top=before any section\n"
        "[Title]\n"
        "TopHeight = 20\n"
        "topheight=21\n"
        "Formula = a = b\n"
        "Empty =\n"
        "KeyAlone\n"
        "Later=\n"
        "Later=second\n"
        "[Title] ; remark\n"
        "Remarked=yes\n"
        "[Other]\n"
        "Name=other\n"
        "[title]\n"
        "Second=never\n");
    EXPECT_EQ(ini.GetString("Title", "topheight", "d"), "20");   // first line of a key wins
    EXPECT_EQ(ini.GetString("TITLE", "TOPHEIGHT", "d"), "20");
    EXPECT_EQ(ini.GetString("Title", "Formula", "d"), "a = b");
    EXPECT_EQ(ini.GetString("Title", "Empty", "d"), "d");
    EXPECT_EQ(ini.GetString("Title", "KeyAlone", "d"), "d");
    EXPECT_EQ(ini.GetString("Title", "Later", "d"), "d");       // an empty value is final
    EXPECT_EQ(ini.GetString("Title", "Remarked", "d"), "yes");  // not a header: still [Title]
    EXPECT_EQ(ini.GetString("Title", "Name", "d"), "d");        // stops at the next header
    EXPECT_EQ(ini.GetString("Title", "Second", "d"), "d");      // only the first [title]
    EXPECT_EQ(ini.GetString("Other", "name", "d"), "other");
    EXPECT_EQ(ini.GetString("", "top", "d"), "d");              // nothing before a section
    EXPECT_EQ(ini.GetString("Missing", "Name", "d"), "d");
    EXPECT_EQ(Parse("").GetString("a", "b", "d"), "d");
}

TEST(QuickIni, GetIntegerRules) {
    const auto ini = Parse(
        "[N]\nhex1=0x1F\nhex2=0X1F\nhex3=$1F\nneg=-5\nplus=+7\nbad1=1F\nbad2=12px\nempty=\n"
        "zerox=0x\nbig=2147483647\nmin=-2147483648\nover=2147483648\nhexwrap=$FFFFFFFF\nhexover=$100000000\n"
        "spaced=1 2\ncolour=0x00FF00FF\n");
    EXPECT_EQ(ini.GetInteger("N", "hex1", 0), 31);
    EXPECT_EQ(ini.GetInteger("N", "hex2", 0), 31);
    EXPECT_EQ(ini.GetInteger("N", "hex3", 0), 31);
    EXPECT_EQ(ini.GetInteger("N", "neg", 0), -5);
    EXPECT_EQ(ini.GetInteger("N", "plus", 0), 7);
    EXPECT_EQ(ini.GetInteger("N", "bad1", -9), -9);
    EXPECT_EQ(ini.GetInteger("N", "bad2", -9), -9);
    EXPECT_EQ(ini.GetInteger("N", "empty", -9), -9);
    EXPECT_EQ(ini.GetInteger("N", "zerox", -9), -9);
    EXPECT_EQ(ini.GetInteger("N", "missing", -9), -9);
    EXPECT_EQ(ini.GetInteger("N", "big", 0), 2147483647);
    EXPECT_EQ(ini.GetInteger("N", "min", 0), INT32_MIN);
    EXPECT_EQ(ini.GetInteger("N", "over", -9), -9);
    EXPECT_EQ(ini.GetInteger("N", "hexwrap", 0), -1);
    EXPECT_EQ(ini.GetInteger("N", "hexover", -9), -9);
    EXPECT_EQ(ini.GetInteger("N", "spaced", -9), -9);
    EXPECT_EQ(ini.GetInteger("N", "colour", 0), 0xFF00FF);
}

TEST(QuickIni, SectionNamesInTextOrderWithDuplicates) {
    const auto ini = Parse("[One]\n[ Two  ]\n[one]\nx=1\n[]\n");
    std::vector<std::string> names = {"stale"};
    ini.GetSectionNames(&names);
    EXPECT_EQ(names, (std::vector<std::string>{"One", "Two", "one", ""}));
    try {
        ini.GetSectionNames(nullptr);
        FAIL() << "no assertion failure";
    } catch (const skin::EAssertionFailed& e) {
        EXPECT_STREQ(e.what(), "The parameter Strings is unassigned!");
    }
}
}  // namespace
