#include <gtest/gtest.h>

#include <limits>

#include "TestClasses.h"

using namespace fwtest;

namespace {
const char* kDescription = R"(object Root1: TTestRoot
  RootCaption = 'Tovalin'
  object Gadget1: TGadget
    Size = 127
    Hue = hueRed
    Enabled = False
    Shade = shMedium
    Flags = [flBold, flTall]
    Caption = #38544#32' '#$85CF
    Pen.Width = -15
    Pen.Label = 'it''s' + ' joined'#13#10 +
      'next'
    Pen.Flags = []
    Items.Strings = (
      'TCategoryButtons=scrollbar'
      'TVirtualStringTree=scrollbar')
    Buddy = Big1
    OnPoke = GadgetPoke
    OnCount = GadgetCount
    Blob = {
      0400000001FF8040}
    object Inner: TGadget
      Size = $10
    end
  end
  object Big1: TBigGadget
    Caption = 'big'
    Weight = 9
    Tag = 99
  end
end
)";
}  // namespace

TEST(Streaming, ReadsEveryValueKindIntoComponentsThenCallsLoaded) {
    Log().clear();
    TTestRoot root(nullptr);
    ReadComponent(root, kDescription);
    EXPECT_EQ(root.Name(), "Root1");
    EXPECT_EQ(root.caption, "Tovalin");
    ASSERT_EQ(root.ComponentCount(), 3);
    ASSERT_NE(root.Gadget1, nullptr);
    ASSERT_NE(root.Big1, nullptr);
    TGadget& g = *root.Gadget1;
    EXPECT_EQ(root.Components(0), &g);
    EXPECT_EQ(root.Components(1)->Name(), "Inner") << "every component is owned by the root";
    EXPECT_EQ(g.Size, 127);
    EXPECT_EQ(g.Hue, 0xFF);
    EXPECT_FALSE(g.Enabled);
    EXPECT_EQ(g.Shade, TShade::shMedium);
    EXPECT_EQ(g.Flags, (TFlags{TFlag::flBold, TFlag::flTall}));
    EXPECT_EQ(g.Caption, "隐  藏");
    EXPECT_EQ(g.Pen.Width, -15);
    EXPECT_EQ(g.Pen.Label, "it's joined\r\nnext");
    EXPECT_TRUE(g.Pen.Flags.Empty());
    EXPECT_EQ(g.Items.Text(), "TCategoryButtons=scrollbar\r\nTVirtualStringTree=scrollbar\r\n")
        << "a stored list replaces the constructor's lines";
    EXPECT_EQ(g.Buddy, root.Big1) << "a reference to a component read later";
    EXPECT_EQ(g.Blob, (std::vector<std::uint8_t>{0x01, 0xFF, 0x80, 0x40}));
    EXPECT_EQ(static_cast<TGadget*>(root.Components(1))->Size, 16);
    EXPECT_EQ(root.Big1->Weight, 9);
    EXPECT_EQ(root.Big1->Tag(), 99);

    ASSERT_TRUE(static_cast<bool>(g.OnPoke));
    EXPECT_EQ(g.OnPoke.name, "GadgetPoke");
    g.OnPoke(&g);
    EXPECT_EQ(root.pokes, 1);
    EXPECT_EQ(root.lastSender, &g);
    int n = 1;
    g.OnCount(&g, n);
    EXPECT_EQ(n, 11);

    // Loaded runs once per component after everything was read: the root first,
    // then in creation order, and sees properties of components read after it.
    std::vector<std::string> loaded;
    for (const auto& e : Log())
        if (e.rfind("loaded:", 0) == 0) loaded.push_back(e);
    EXPECT_EQ(loaded, (std::vector<std::string>{"loaded:Root1", "loaded:Gadget1", "loaded:Inner", "loaded:Big1"}));
    EXPECT_EQ(g.seenAtLoaded, "Big1/big");
    for (int i = 0; i < root.ComponentCount(); ++i) EXPECT_EQ(root.Components(i)->ComponentState(), 0u);
    EXPECT_EQ(root.ComponentState(), 0u);

    ReadComponent(root, "object Root1: TTestRoot\n  object Gadget1: TGadget\n    OnPoke = ConstPoke\n  end\nend");
    root.Gadget1->OnPoke(root.Gadget1);
    EXPECT_EQ(root.constPokes, 1) << "const handlers bind too; a second read goes into the same components";
}

TEST(Streaming, MalformedDescriptionsNameTheLineAndTheProblem) {
    struct Case {
        const char* text;
        int line;
        const char* problem;  // part of the message
    } cases[] = {
        {"object R: TTestRoot\n  object G: TGadget\n    Size = 1\n", 4, "missing 'end'"},
        {"object R: TTestRoot\n  object G: TGadget\n    Size 1\n  end\nend", 3, "expected '='"},
        {"object R: TTestRoot\n  object G: TGadget\n    Sise = 1\n  end\nend", 3, "Sise does not exist"},
        {"object R: TTestRoot\n\n  object G: TNoSuch\n  end\nend", 3, "Class TNoSuch not found"},
        {"object R: TTestRoot\n  object G: TGadget\n    Caption = 'open\n  end\nend", 3, "unterminated string"},
        {"object R: TTestRoot\n  object G: TGadget\n    Size = 'text'\n  end\nend", 3, "integer expected"},
        {"object R: TTestRoot\n  object G: TGadget\n    Shade = shPink\n  end\nend", 3, "shPink"},
        {"object R: TTestRoot\n  object G: TGadget\n    Flags = [flBold flWide]\n  end\nend", 3, "expected ',' or ']'"},
        {"object R: TTestRoot\n  object G: TGadget\n    Flags = [flNone]\n  end\nend", 3, "flNone"},
        {"object R: TTestRoot\n  object G: TGadget\n    Blob = {0A0}\n  end\nend", 3, "odd number"},
        {"object R: TTestRoot\n  object G: TGadget\n    Blob = {0G}\n  end\nend", 3, "invalid character"},
        {"object R: TTestRoot\n  object G: TGadget\n    Blob = 12\n  end\nend", 3, "binary data expected"},
        {"object R: TTestRoot\n  object G: TGadget\n    OnPoke = NoHandler\n  end\nend", 3, "NoHandler"},
        {"object R: TTestRoot\n  object G: TGadget\n    OnPoke = GadgetCount\n  end\nend", 3, "does not fit"},
        {"object R: TTestRoot\n  object G: TGadget\n    Buddy = Nobody\n  end\nend", 3, "Nobody not found"},
        {"object R: TTestRoot\n  object G: TGadget\n  end\n  object G: TGadget\n  end\nend", 4, "already exists"},
        {"object R: TTestRoot\n  object Big1: TGadget\n  end\nend", 2, "does not hold"},
        {"object R: TTestRoot\n  object G: TGadget\n    Size = 99999999999999999999\n  end\nend", 3, "out of range"},
        {"object R: TTestRoot\n  object G: TGadget\n    Size = 1.5\n  end\nend", 3, "floating-point"},
        {"object R: TTestRoot\n  object G: TGadget\n    Size = 4294967296\n  end\nend", 3, "out of range"},
        {"object R: TTestRoot\n  object G: TGadget\n    Size = -2147483649\n  end\nend", 3, "out of range"},
        {"object R: TTestRoot\n  object G: TGadget\n    Pen.Width = $1FFFFFFFF\n  end\nend", 3, "out of range"},
        {"object R: TTestRoot\n  object G: TGadget\n    Pen.Nothing = 1\n  end\nend", 3, "Nothing does not exist"},
        {"object R: TTestRoot\n  object G: TGadget\n    Size.Width = 1\n  end\nend", 3, "not an object"},
        {"object R: TTestRoot\n  object G: TGadget\n    Items.Strings = ('a' 5)\n  end\nend", 3, "a string expected"},
        {"object R: TTestRoot\n  object G: TGadget\n    Caption = 'a' +\n\n  end\nend", 5, "expected a string after '+'"},
        {"object R: TGadget\nend", 1, "not a TTestRoot"},
        {"object R: TTestRoot\nend\nextra", 3, "unexpected text"},
        {"thing R: TTestRoot\nend", 1, "expected 'object'"},
        {"object R: TTestRoot\n  object G: TGadget\n    Items = <>\n  end\nend", 3, "holds none"},
        {"object R: TTestRoot\n  object G: TGadget\n    Pens = <item end", 3, "missing '>'"},
        {"object R: TTestRoot\n  object G: TGadget\n    Pens = <\n      Width = 2\n    >\n  end\nend", 4, "expected 'item'"},
        {"object R: TTestRoot\n  object G: TGadget\n    Pens = <item\n      Width = 2\n    >\n  end\nend", 5, "expected a property name or 'end'"},
        {"object R: TTestRoot\n  object G: TGadget\n    Pens = <item\n      Wide = 2\n    end>\n  end\nend", 4, "Wide does not exist in TPen2"},
        {"object R: TTestRoot\n  object G: TGadget\n    Size = <>\n  end\nend", 3, "integer expected, not a collection"},
        {"object R: TTestRoot\n  object G: TGadget\n    Caption = #\n  end\nend", 3, "number after '#'"},
        {"object R: TTestRoot\n  object G: TGadget\n    Caption = #1114112\n  end\nend", 3, "out of range"},
    };
    for (const auto& c : cases) {
        TTestRoot root(nullptr);
        try {
            ReadComponent(root, c.text);
            ADD_FAILURE() << "no error for:\n" << c.text;
        } catch (const EReadError& e) {
            EXPECT_EQ(e.Line(), c.line) << e.what() << "\nfor:\n" << c.text;
            EXPECT_NE(std::string(e.what()).find(c.problem), std::string::npos) << e.what();
            EXPECT_EQ(std::string(e.what()).rfind("Line " + std::to_string(c.line) + ": ", 0), 0u) << e.what();
        }
        for (int i = 0; i < root.ComponentCount(); ++i)
            EXPECT_EQ(root.Components(i)->ComponentState(), 0u) << "no component stays in the loading state";
    }
}

TEST(Streaming, IntegersFillTheirPropertysWidthExactly) {
    // Hexadecimal values are bit patterns of the property's width, decimal ones its values.
    TTestRoot root(nullptr);
    ReadComponent(root, "object R: TTestRoot\n  object G: TGadget\n    Size = $FFFFFFFF\n    Hue = -2147483648\n"
                        "    Pen.Width = 2147483647\n  end\nend");
    auto* g = static_cast<TGadget*>(root.FindComponent("G"));
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(g->Size, -1);
    EXPECT_EQ(g->Hue, std::numeric_limits<int>::min());
    EXPECT_EQ(g->Pen.Width, std::numeric_limits<int>::max());
}

TEST(Streaming, DeepNestingIsRefusedInsteadOfOverflowing) {
    std::string deep = "object R: TTestRoot\n  P = ";
    for (int i = 0; i < 100000; ++i) deep += '(';
    TTestRoot root(nullptr);
    EXPECT_THROW(ReadComponent(root, deep), EReadError);
}

TEST(Streaming, WritingAndReadingBackKeepsEverythingAndBinaryBytesExactly) {
    TTestRoot first(nullptr);
    ReadComponent(first, kDescription);
    // A blob with every byte value, longer than one output line.
    first.Gadget1->Blob.clear();
    for (int i = 0; i < 700; ++i) first.Gadget1->Blob.push_back(std::uint8_t((i * 37 + 11) & 0xFF));
    first.Gadget1->Caption = std::string("ctl\x01\x7F'q' 宋体 ") + "\xF0\x9F\x98\x80";

    std::string text = WriteComponent(first);
    TTestRoot second(nullptr);
    ReadComponent(second, text);
    ASSERT_NE(second.Gadget1, nullptr);
    EXPECT_EQ(second.Gadget1->Blob, first.Gadget1->Blob);
    EXPECT_EQ(second.Gadget1->Caption, first.Gadget1->Caption);
    EXPECT_EQ(second.Gadget1->Pen.Label, first.Gadget1->Pen.Label);
    EXPECT_EQ(second.Gadget1->Flags, first.Gadget1->Flags);
    EXPECT_EQ(second.Gadget1->Hue, 0xFF);
    EXPECT_EQ(second.Gadget1->Buddy, second.Big1);
    EXPECT_EQ(second.Gadget1->OnPoke.name, "GadgetPoke");
    EXPECT_TRUE(second.Gadget1->Items.Equals(first.Gadget1->Items));
    EXPECT_EQ(second.ComponentCount(), first.ComponentCount());
    EXPECT_EQ(WriteComponent(second), text) << "a second round gives the same text";

    // The binary property is stored as the count and then the bytes.
    TObjectNode node = ParseDescription(text);
    const TPropertyNode* blob = nullptr;
    for (const auto& p : node.children.at(0).props)
        if (p.name == "Blob") blob = &p;
    ASSERT_NE(blob, nullptr);
    ASSERT_EQ(blob->value.binary.size(), 704u);
    EXPECT_EQ(blob->value.binary[0] | blob->value.binary[1] << 8, 700);
}

TEST(Streaming, CollectionsReadEachItemReplaceWhatWasThereAndWriteBack) {
    constexpr const char* text = R"(object R: TTestRoot
  object Gadget1: TGadget
    Pens = <
      item
        Width = 3
        Label = 'first'
      end
      item
      end
      item
        Flags = [flBold, flRound]
      end>
  end
end)";
    TTestRoot root(nullptr);
    ReadComponent(root, text);
    ASSERT_NE(root.Gadget1, nullptr);
    const auto& pens = root.Gadget1->Pens.pens;
    ASSERT_EQ(pens.size(), 3u);
    EXPECT_EQ(pens[0]->Width, 3);
    EXPECT_EQ(pens[0]->Label, "first");
    EXPECT_EQ(pens[1]->Width, 1) << "an empty item keeps its defaults";
    EXPECT_TRUE(pens[2]->Flags.Contains(TFlag::flRound));

    // Read again, the list is replaced, not added to.
    TObjectNode node = ParseDescription(text);
    SetPropertyValue(*root.Gadget1, "Pens", node.children.at(0).props.at(0).value);
    EXPECT_EQ(root.Gadget1->Pens.pens.size(), 3u);

    const std::string written = WriteComponent(root);
    TTestRoot second(nullptr);
    ReadComponent(second, written);
    ASSERT_EQ(second.Gadget1->Pens.pens.size(), 3u) << written;
    EXPECT_EQ(second.Gadget1->Pens.pens[0]->Label, "first");
    EXPECT_EQ(second.Gadget1->Pens.pens[2]->Flags, pens[2]->Flags);
    EXPECT_EQ(WriteComponent(second), written);

    // An empty list is not stored at all.
    root.Gadget1->Pens.pens.clear();
    EXPECT_EQ(WriteComponent(root).find("Pens"), std::string::npos);
}

TEST(Streaming, DefaultsAreLeftOutAndNestingFollowsTheParent) {
    TTestRoot root(nullptr);
    root.SetName("R");
    auto* g = new TGadget(&root);
    g->SetName("G");
    std::string text = WriteComponent(root);
    EXPECT_EQ(text.find("Size"), std::string::npos) << text;
    EXPECT_EQ(text.find("Enabled"), std::string::npos) << text;
    EXPECT_NE(text.find("Items.Strings = (\n      'default')"), std::string::npos) << text;
    EXPECT_NE(text.find("object G: TGadget"), std::string::npos);
    EXPECT_NE(text.find("Pen.Width = 1"), std::string::npos);
}

TEST(Streaming, EveryCutOrChangedByteEitherReadsOrFailsCleanly) {
    // Truncations and single-byte damage anywhere: an EReadError or a good read, nothing else
    // (the sanitizers watch for reads past the text).
    const std::string text = kDescription;
    const char damage[] = {'\0', '\'', '#', '{', '}', '(', ')', '[', ']', '=', '-', '$', '\n', 'x', '\xE5', '+'};
    int failures = 0, reads = 0;
    for (std::size_t cut = 0; cut <= text.size(); ++cut) {
        for (int variant = -1; variant < int(sizeof damage); ++variant) {
            std::string t = text.substr(0, cut);
            if (variant >= 0) {
                if (cut == text.size()) break;
                t = text;
                t[cut] = damage[variant];
            }
            TTestRoot root(nullptr);
            try {
                ReadComponent(root, t);
                ++reads;
            } catch (const EReadError& e) {
                ++failures;
                EXPECT_GE(e.Line(), 1);
                EXPECT_LE(e.Line(), 40);
            }
        }
    }
    EXPECT_GT(reads, 0);
    EXPECT_GT(failures, 0);
}

TEST(Streaming, StringsWithCharacterCodesAndSurrogates) {
    auto str = [](const std::string& value) {
        TObjectNode n = ParseDescription("object A: T\n  P = " + value + "\nend");
        return n.props.at(0).value.text;
    };
    EXPECT_EQ(str("#$41#66'c'"), "ABc");
    EXPECT_EQ(str("'a'#13#10'b'"), "a\r\nb");
    EXPECT_EQ(str("#55357#56832"), "\xF0\x9F\x98\x80") << "a UTF-16 pair becomes one character";
    EXPECT_EQ(str("#55357'x'"), "\xEF\xBF\xBDx") << "a lone high surrogate becomes U+FFFD";
    EXPECT_EQ(str("#56832"), "\xEF\xBF\xBD");
    EXPECT_EQ(str("''''"), "'");
    EXPECT_EQ(str("'a' +\n  'b' + #67"), "abC");
    EXPECT_EQ(str("''"), "");
    EXPECT_EQ(str("'a\xC3'"), "a\xEF\xBF\xBD") << "damaged UTF-8 becomes U+FFFD";
    EXPECT_EQ(str("'\xE5\xAE\x8B'"), "\xE5\xAE\x8B");
}
