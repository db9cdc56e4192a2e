#include <gtest/gtest.h>

#include "TestClasses.h"
#include "framework/PropAccess.h"

using namespace fwtest;

TEST(Property, EveryKindReadsAndWritesByName) {
    TTestRoot root(nullptr);
    auto* g = new TBigGadget(&root);
    g->SetName("G");

    SetPropByName(g, "size", "42");  // names ignore case
    EXPECT_EQ(g->Size, 42);
    EXPECT_EQ(GetIntPropByName(g, "Size"), 42);
    SetPropByName(g, "Size", " -7 ");
    EXPECT_EQ(g->Size, -7);
    SetPropByName(g, "Size", "4294967298");  // wider than the property: refused, not cut to 2
    EXPECT_EQ(g->Size, -7);
    SetPropByName(g, "Hue", "hueSystem");  // integer with named values
    EXPECT_EQ(g->Hue, -5);

    SetPropByName(g, "Shade", "SHDARK");
    EXPECT_EQ(g->Shade, TShade::shDark);
    EXPECT_EQ(GetEnumPropByName(g, "Shade"), "shDark");
    SetPropByName(g, "Enabled", "false");
    EXPECT_FALSE(g->Enabled);
    EXPECT_EQ(GetEnumPropByName(g, "Enabled"), "False");

    SetPropByName(g, "Flags", "[flWide, flRound]");
    EXPECT_EQ(g->Flags, (TFlags{TFlag::flWide, TFlag::flRound}));
    EXPECT_EQ(GetSetPropByName(g, "Flags"), (1u << 1) | (1u << 3));

    SetPropByName(g, "Caption", "隐  藏");
    EXPECT_EQ(GetTextPropByName(g, "Caption"), "隐  藏");

    EXPECT_EQ(GetObjectPropByName(g, "Pen", "TPen2"), &g->Pen);
    EXPECT_EQ(GetObjectPropByName(g, "Pen", "TPersistent"), &g->Pen) << "inheritance counts";
    EXPECT_EQ(GetObjectPropByName(g, "Pen", "TStringList"), nullptr);
    EXPECT_EQ(GetObjectPropByName(g, "Items", "TStrings"), &g->Items);

    SetPropByName(g, "Weight", "3");  // declared by the subclass
    EXPECT_EQ(g->Weight, 3);
    SetPropByName(g, "Tag", "99");  // declared two classes up
    EXPECT_EQ(g->Tag(), 99);
}

TEST(Property, WrongNamesKindsAndTextsLeaveValuesAlone) {
    TGadget g(nullptr);
    g.Size = 5;
    g.Shade = TShade::shMedium;
    g.Caption = "keep";
    SetPropByName(&g, "Size", "12abc");
    SetPropByName(&g, "Size", "");
    SetPropByName(&g, "Size", "99999999999999999999999");
    EXPECT_EQ(g.Size, 5);
    SetPropByName(&g, "Shade", "shPurple");
    EXPECT_EQ(g.Shade, TShade::shMedium);
    SetPropByName(&g, "Flags", "[flBold, flNope]");
    EXPECT_TRUE(g.Flags.Empty());
    SetPropByName(&g, "Pen", "x");      // class kind: not settable from text
    SetPropByName(&g, "OnPoke", "x");   // method kind
    SetPropByName(&g, "Missing", "1");
    SetPropByName(nullptr, "Size", "1");
    EXPECT_EQ(g.Caption, "keep");

    EXPECT_EQ(GetIntPropByName(&g, "Caption"), -1) << "not an integer property";
    EXPECT_EQ(GetIntPropByName(&g, "Missing"), -1);
    EXPECT_EQ(GetIntPropByName(nullptr, "Size"), -1);
    EXPECT_EQ(GetEnumPropByName(&g, "Size"), "");
    EXPECT_EQ(GetTextPropByName(&g, "Size"), "");
    EXPECT_EQ(GetObjectPropByName(&g, "Size", "TPen2"), nullptr);
    EXPECT_FALSE(HasProperty(&g, "Weight")) << "a subclass property is not the base's";
}

TEST(Property, TablesWalkUpTheClassChainInDeclarationOrder) {
    const TClassInfo& info = TBigGadget::StaticClass();
    ASSERT_NE(info.FindProp("Name"), nullptr);
    EXPECT_EQ(info.FindProp("Name")->kind, TTypeKind::String);
    EXPECT_EQ(info.FindProp("Pen")->kind, TTypeKind::Class);
    EXPECT_EQ(info.FindProp("OnPoke")->kind, TTypeKind::Method);
    EXPECT_EQ(info.FindProp("Flags")->kind, TTypeKind::Set);
    EXPECT_EQ(info.FindProp("Shade")->kind, TTypeKind::Enumeration);
    EXPECT_EQ(info.FindProp("nothing"), nullptr);
    std::vector<std::string> names;
    for (const TPropInfo* p : info.AllProps()) names.push_back(p->name);
    ASSERT_GE(names.size(), 4u);
    EXPECT_EQ(names.front(), "Name");  // base class first
    EXPECT_EQ(names.back(), "Weight");
    EXPECT_TRUE(info.InheritsFrom(TComponent::StaticClass()));
    EXPECT_FALSE(TComponent::StaticClass().InheritsFrom(info));
}

TEST(Property, RegistryFindsClassesByNameWithoutCase) {
    (void)TTestRoot::StaticClass();  // its fields register their classes
    ASSERT_NE(FindClass("tgadget"), nullptr);
    EXPECT_EQ(FindClass("TGADGET"), &TGadget::StaticClass());
    EXPECT_EQ(FindClass("TNoSuchClass"), nullptr);
    EXPECT_THROW(GetClass("TNoSuchClass"), EClassNotFound);
    TComponent* made = FindClass("TBigGadget")->create(nullptr);
    EXPECT_EQ(made->ClassName(), "TBigGadget");
    delete made;
    EXPECT_FALSE(FindClass("TGadget") == nullptr);
    EXPECT_FALSE(static_cast<bool>(TStrings::StaticClass().create)) << "abstract classes are not creatable";
}

TEST(Property, EventsFromCodeAndSets) {
    TGadget g(nullptr);
    int calls = 0;
    g.OnPoke = [&](TObject* sender) { calls += sender == &g; };
    ASSERT_TRUE(static_cast<bool>(g.OnPoke));
    g.OnPoke(&g);
    EXPECT_EQ(calls, 1);
    g.OnPoke.name = "Named";
    TNotifyEvent copy = g.OnPoke;  // a copy, not a wrapper around the original
    EXPECT_EQ(copy.name, "Named");
    g.OnPoke = TNotifyEvent{};
    copy(&g);
    EXPECT_EQ(calls, 2);
    TFlags f{TFlag::flBold};
    f.Include(TFlag::flTall).Exclude(TFlag::flBold);
    EXPECT_TRUE(f.Contains(TFlag::flTall));
    EXPECT_FALSE(f.Contains(TFlag::flBold));
    EXPECT_EQ((f + TFlags{TFlag::flRound}).Bits(), 0b1100u);
    EXPECT_EQ((TFlags{TFlag::flRound, TFlag::flTall} - f).Bits(), 0b1000u);
}
