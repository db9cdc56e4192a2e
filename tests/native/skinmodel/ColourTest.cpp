// Colour texts and the colour tables of a skin.
#include <gtest/gtest.h>

#include "SkinFixtures.h"

namespace {
using namespace skinmodel_test;
using skin::ParseSkinColor;
using skin::TColor;

constexpr TColor kDefault = 0x123456;

TEST(ParseSkinColor, ThreeNumbersInAnySeparation) {
    EXPECT_EQ(ParseSkinColor("0 0 0", kDefault), 0);
    EXPECT_EQ(ParseSkinColor("0,0,0", kDefault), 0);
    EXPECT_EQ(ParseSkinColor("255 128 64", kDefault), 0x004080FF);
    EXPECT_EQ(ParseSkinColor("  10;20/30  ", kDefault), 0x001E140A);
    EXPECT_EQ(ParseSkinColor("rgb(1, 2, 3)", kDefault), 0x00030201);
}

TEST(ParseSkinColor, IncompleteTextsAndLowBytes) {
    EXPECT_EQ(ParseSkinColor("", kDefault), kDefault);
    EXPECT_EQ(ParseSkinColor("255", kDefault), 0);           // a lone final run is dropped
    EXPECT_EQ(ParseSkinColor("12 34", kDefault), 0x0000000C);  // so is the second of two
    EXPECT_EQ(ParseSkinColor("300 0 0", kDefault), 44);        // 300 keeps its low byte
    EXPECT_EQ(ParseSkinColor("1 2 3 4 5 ", kDefault), 0x00030201);
    EXPECT_EQ(ParseSkinColor("1 2 3 4", kDefault), 0x00030201);
}

TEST(ParseSkinColor, ARunTooLargeSwallowsTheRest) {
    // The failed run stays open, so the following digits join it and nothing more is stored.
    EXPECT_EQ(ParseSkinColor("99999999999 5 6", kDefault), 0);
    EXPECT_EQ(ParseSkinColor("7 99999999999 5 6", kDefault), 7);
    EXPECT_EQ(ParseSkinColor("7 8 2147483647", kDefault), 0x00FF0807);
}

TEST(SkinColours, KeysDefaultsAndTables) {
    skin::TSkinModel m(nullptr);
    ASSERT_TRUE(Load(m,
                     "[Colours]\r\nButtonFace=10 20 30\r\nHilight=1 2 3\r\nMenuText=\r\n"
                     "[COLOUR1]\r\ncolor=1 1 1\r\n[Colours2]\r\ncolor=2 2 2\r\n[colourx]\r\n"
                     "[COLOURS]\r\ncolor=9 9 9\r\n[XCOLOUR]\r\ncolor=8 8 8\r\n"
                     "[Customcolors]\r\nColor0=5 6 7\r\nColor9=0 0 255\r\n"));
    EXPECT_EQ(m.SkinColors.ButtonFace, 0x001E140A);
    EXPECT_EQ(m.SkinColors.Hilight, 0x00030201);
    EXPECT_EQ(m.SkinColors.Menubar, 0x001E140A) << "Menubar defaults to the ButtonFace just read";
    EXPECT_EQ(m.SkinColors.MenuText, TColor(0x80000007)) << "an empty value keeps the system colour";
    EXPECT_EQ(m.SkinColors.WindowText, TColor(0x80000008));
    EXPECT_EQ(m.SkinColors.Buttonlight, TColor(0x80000014));
    EXPECT_EQ(m.SkinColors.ButtonDkShadow, TColor(0x80000015));
    EXPECT_EQ(m.SkinColors.TitleTextNoActive, TColor(0x80000013));
    // COLOUR sections in text order; [COLOURS] and names not starting so are left out,
    // and a section without a colour gets window text.
    ASSERT_EQ(m.SectionColors.size(), 3u);
    EXPECT_EQ(m.SectionColors[0], 0x00010101);
    EXPECT_EQ(m.SectionColors[1], 0x00020202);
    EXPECT_EQ(m.SectionColors[2], TColor(0x80000008));
    EXPECT_EQ(m.CustomColors[0], 0x00070605);
    EXPECT_EQ(m.CustomColors[9], 0x00FF0000);
    for (int k = 1; k < 9; ++k) EXPECT_EQ(m.CustomColors[k], 0x00FFFFFF) << k;
}

TEST(SkinColours, ElementTextColoursDefaultToTheSkinsButtonText) {
    skin::TSkinModel m(nullptr);
    ASSERT_TRUE(Load(m,
                     "[Colours]\r\nButtonText=1 2 3\r\n"
                     "[MenuItem]\r\nImage=m.bmp\r\nNormalColour=255\r\nPressedColour2=9 9 9\r\n"
                     "[Buttons]\r\nMouseOverColour2=4 5 6\r\n",
                     {{"m.bmp", Bmp(Solid(10, 10, 0xFF))}}));
    ASSERT_TRUE(m.MenuItem);
    EXPECT_EQ(m.MenuItem->NormalColour, 255);
    EXPECT_EQ(m.MenuItem->MouseOverColour, -1);
    EXPECT_EQ(m.MenuItem->NormalColour2, 0x00030201);
    EXPECT_EQ(m.MenuItem->PressedColour2, 0x00090909);
    EXPECT_FALSE(m.Buttons->HasNormalColour2);
    EXPECT_TRUE(m.Buttons->HasMouseOverColour2);
    EXPECT_EQ(m.Buttons->NormalColour2, 0x00030201);
    EXPECT_EQ(m.Buttons->MouseOverColour2, 0x00060504);
    EXPECT_EQ(m.Buttons->NormalColour, -1);
}

TEST(SkinColours, TitleTextNeedsAllThreeKeys) {
    skin::TSkinModel m(nullptr);
    ASSERT_TRUE(Load(m,
                     "[Personality]\r\nActiveTextR=14\r\nActiveTextG=16\r\nActiveTextB=16\r\n"
                     "InActiveTextR=1\r\nInActiveTextG=2\r\nInActiveTextB=-1\r\n"
                     "TextShift=24\r\nTextShiftVert=3\r\nTextRightClip=100\r\n"));
    EXPECT_EQ(m.Title->ActiveText, 0x0010100E);
    EXPECT_EQ(m.Title->InActiveText, 0x1FFFFFFF) << "clNone when a key is missing or negative";
    EXPECT_EQ(m.Title->Margins(), (raster::Margins{24, 3, 100, 0}));
    EXPECT_EQ(m.Title->FontHeight, 14);
    EXPECT_EQ(m.Title->Frame, 2);
}

}  // namespace
