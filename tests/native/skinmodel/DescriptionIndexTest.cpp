// The model's indexed lookups answer exactly what the description parser answers.
#include <gtest/gtest.h>

#include <set>

#include "Skin.h"
#include "Themes.h"
#include "skin/core/DescriptionIndex.h"

namespace {

std::string Upper(std::string s) {
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    return s;
}

void ExpectSameAnswers(const std::string& text) {
    skin::TQuickIni ini;
    ini.Load(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
    const skin::TDescriptionIndex index(ini);
    std::vector<std::string> sections;
    ini.GetSectionNames(&sections);
    sections.push_back("NoSuchSection");
    std::set<std::string> keys = {"NoSuchKey", "", "="};
    for (const std::string& line : ini.Lines()) {
        const auto eq = line.find('=');
        if (eq != std::string::npos) keys.insert(line.substr(0, eq));  // untrimmed as well
        keys.insert(line);
    }
    int asked = 0;
    for (const std::string& s : sections) {
        for (const std::string& variant : {s, Upper(s)}) {
            for (const std::string& k : keys) {
                ASSERT_EQ(index.GetString(variant, k, "<none>"), ini.GetString(variant, k, "<none>"))
                    << "[" << variant << "] " << k;
                ASSERT_EQ(index.GetInteger(variant, k, -77), ini.GetInteger(variant, k, -77)) << "[" << variant << "] " << k;
                ++asked;
            }
        }
    }
    EXPECT_GT(asked, 0);
}

}  // namespace

TEST(DescriptionIndex, AnswersLikeTheParserOnAwkwardText) {
    ExpectSameAnswers(
        "orphan=1\r\n[A]\r\nKey=1\r\nkey=2\r\nEmpty=\r\nEmpty=3\r\n Spaced Key = a = b \r\nnoequals\r\n"
        "Hex=0x1F\r\nDollar=$1f\r\nBad=12px\r\nNeg=-5\r\n[a]\r\nKey=second section\r\nOnlyHere=x\r\n"
        "[ Blank ]\r\nIn=blank\r\n[B] ; comment\r\nAfter=comment header\r\n[Colours]\r\nButtonFace = 1 2 3\r\n"
        "[Colours]\r\nButtonFace=9 9 9\r\nLater=yes\r\n[]\r\nx=empty name\r\n[C]\r\n");
}

TEST(DescriptionIndex, AnswersLikeTheParserOnOurSkins) {
    for (const skingen::Theme& theme : skingen_test::AllThemes()) {
        SCOPED_TRACE(theme.id);
        ExpectSameAnswers(skingen::BuildSkin(theme).ini);
    }
}
