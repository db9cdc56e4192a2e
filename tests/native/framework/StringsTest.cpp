#include <gtest/gtest.h>

#include "framework/Strings.h"

using namespace tv;

TEST(Strings, TextSplitsAtCrLfAndCrLfPairs) {
    struct Case {
        std::string text;
        std::vector<std::string> lines;
    } cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\nb\r\n", {"a", "b"}},      // a final break adds no empty line
        {"a\rb\nc\r\nd", {"a", "b", "c", "d"}},
        {"a\n\nb", {"a", "", "b"}},       // empty lines in between stay
        {"a\r\n\r\n", {"a", ""}},
        {"\n", {""}},
        {"a\n\r", {"a", ""}},             // LF then a lone CR: two breaks
        {std::string("ab\0cd\nef", 8), {"ab"}},  // NUL ends the text
        {"x\r\r\ny", {"x", "", "y"}},
    };
    for (const auto& c : cases) {
        TStringList list;
        list.SetText(c.text);
        std::vector<std::string> got;
        for (int i = 0; i < list.Count(); ++i) got.push_back(list[i]);
        EXPECT_EQ(got, c.lines) << "text: " << testing::PrintToString(c.text);
    }
}

TEST(Strings, TextJoinsWithCrLfAndListsBehaveLikeLists) {
    TStringList list{"TCategoryButtons=scrollbar", "TPngBitBtn=pngbitbtn"};
    EXPECT_EQ(list.Text(), "TCategoryButtons=scrollbar\r\nTPngBitBtn=pngbitbtn\r\n");
    EXPECT_EQ(list.IndexOf("tpngbitbtn=PNGBITBTN"), 1);
    EXPECT_EQ(list.IndexOfName("TCATEGORYBUTTONS"), 0);
    EXPECT_EQ(list.Values("TPngBitBtn"), "pngbitbtn");
    EXPECT_EQ(list.Values("Missing"), "");
    list.Insert(0, "first");
    list.Delete(2);
    EXPECT_EQ(list.Text(), "first\r\nTCategoryButtons=scrollbar\r\n");
    EXPECT_THROW(list.Get(2), EStringListError);
    EXPECT_THROW(list.Insert(3, "x"), EStringListError);
    EXPECT_THROW(list.Delete(-1), EStringListError);
    list.Put(0, "changed");
    EXPECT_EQ(list[0], "changed");

    TStringList copy;
    copy.Add("old");
    copy.Assign(list);
    EXPECT_TRUE(copy.Equals(list));
    copy.Assign(copy);
    EXPECT_EQ(copy.Count(), 2);

    int changes = 0;
    copy.OnChange = [&](TObject*) { ++changes; };
    copy.Add("x");
    copy.Clear();
    EXPECT_EQ(changes, 2);
    copy.SetText("a\nb\nc");  // one bracket, one notification
    EXPECT_EQ(changes, 3);
    copy.BeginUpdate();
    copy.EndUpdate();
    EXPECT_EQ(changes, 3) << "nothing changed, nothing told";
}

TEST(Strings, MemoryStreamReadsWritesAndRefusesShortReads) {
    TMemoryStream s;
    s.WriteInt32(31312);
    s.WriteInt32(-1);
    const char tail[] = "LZH";
    s.WriteBuffer(tail, 3);
    EXPECT_EQ(s.Size(), 11);
    EXPECT_EQ(s.Bytes()[0], 0x50);
    EXPECT_EQ(s.Bytes()[1], 0x7A);
    s.SetPosition(0);
    EXPECT_EQ(s.ReadInt32(), 31312);
    EXPECT_EQ(s.ReadInt32(), -1);
    char back[4] = {};
    EXPECT_THROW(s.ReadBuffer(back, 4), EStreamError);
    s.SetPosition(8);
    s.ReadBuffer(back, 3);
    EXPECT_EQ(std::string(back, 3), "LZH");
    EXPECT_EQ(s.Read(back, 1), 0u);
    EXPECT_THROW(s.Seek(-1, 0), EStreamError);

    TMemoryStream copy;
    copy.CopyFrom(s, 0);
    EXPECT_EQ(copy.Bytes(), s.Bytes());
    s.SetSize(2);
    EXPECT_EQ(s.Position(), 2);
}
