// Elements read from hand-made descriptions: which exist, their numbers and images.
#include <gtest/gtest.h>

#include <algorithm>

#include "SkinFixtures.h"
#include "base/System.h"

namespace {
using namespace skinmodel_test;
using raster::Margins;

const raster::Color kRed = 0x0000FF, kGreen = 0x00FF00, kBlue = 0xFF0000;

std::vector<std::string> ButtonNames(const skin::TSkinModel& m) {
    std::vector<std::string> names;
    for (const auto& b : m.SysButtons) names.push_back(b->Name);
    return names;
}

TEST(Elements, ProgressIsNamedByItsBitmapKey) {
    skin::TSkinModel m(nullptr);
    const Bytes img = Bmp(Solid(20, 10, kRed));
    ASSERT_TRUE(Load(m, "[Progress]\r\nImage=p.bmp\r\n", {{"p.bmp", img}}));
    EXPECT_FALSE(m.Progress) << "Image= does not name a progress bar";

    ASSERT_TRUE(Load(m, "[Progress]\r\nBitmap=p.bmp\r\nTile=7\r\nLeftWidth=3\r\nNormalColour=5\r\n", {{"p.bmp", img}}));
    ASSERT_TRUE(m.Progress);
    EXPECT_EQ(m.Progress->Name, "Progress");
    EXPECT_EQ(m.Progress->Bitmap.Width(), 20);
    EXPECT_EQ(m.Progress->Tile, 1) << "bitmap kind clamps Tile to 1";
    EXPECT_EQ(m.Progress->LeftWidth, 3);
    EXPECT_EQ(m.Progress->NormalColour, 0) << "bitmap kind reads no colours";
    EXPECT_EQ(m.Progress->Frame, 2);

    ASSERT_TRUE(Load(m, "[Progress]\r\nBitmap=p.bmp\r\nStyle=1\r\n", {{"p.bmp", img}}));
    EXPECT_EQ(m.Progress->Frame, 1);
    ASSERT_TRUE(Load(m, "[Other]\r\nx=1\r\n"));
    EXPECT_FALSE(m.Progress);
}

TEST(Elements, ImageKindsClampTileAndReadTheirKeys) {
    skin::TSkinModel m(nullptr);
    const Bytes img = Bmp(Solid(8, 8, kRed));
    ASSERT_TRUE(Load(m,
                     "[MenuItem]\r\nImage=a.bmp\r\nTile=2\r\nLeftWidth=-4\r\nTopHeight=0x10\r\nStyle=3\r\n"
                     "[Tabs]\r\nImage=a.bmp\r\nBorder=b.bmp\r\nTile=1\r\n"
                     "[GroupBox]\r\nImage=a.bmp\r\nBackgroundAlignment=2\r\nBackgroundLeftShift=7\r\n"
                     "BackgroundRightShift=-1\r\nTile=5\r\n"
                     "[UpDown.Horz]\r\nImage=a.bmp\r\nGlyphImage=b.bmp\r\n"
                     "[UpDown.Vert]\r\nImage=a.bmp\r\n",
                     {{"a.bmp", img}, {"b.bmp", Bmp(Solid(3, 5, kBlue))}}));
    ASSERT_TRUE(m.MenuItem && m.Tabs && m.GroupBox && m.UpDownHorz && m.UpDownVert);
    EXPECT_EQ(m.MenuItem->Tile, 0);
    EXPECT_EQ(m.MenuItem->LeftWidth, -4) << "margins are kept as written";
    EXPECT_EQ(m.MenuItem->TopHeight, 16);
    EXPECT_EQ(m.MenuItem->Style, 3);
    EXPECT_EQ(m.Tabs->Tile, 1);
    EXPECT_EQ(m.Tabs->Bitmap2.Width(), 3);
    EXPECT_EQ(m.GroupBox->Name, "GroupBox");
    EXPECT_EQ(m.GroupBox->BackgroundAlignment, 2);
    EXPECT_EQ(m.GroupBox->BackgroundLeftShift, 7);
    EXPECT_EQ(m.GroupBox->BackgroundRightShift, -1);
    EXPECT_EQ(m.GroupBox->Tile, 0);
    EXPECT_EQ(m.UpDownHorz->Bitmap2.Height(), 5);
    EXPECT_TRUE(m.UpDownVert->Bitmap2.Empty());
    EXPECT_EQ(m.UpDownHorz->Name, "UpDown.Horz");
}

TEST(Elements, TabPaneMarginsAreClampedToFour) {
    skin::TSkinModel m(nullptr);
    ASSERT_TRUE(Load(m, "[Tab.Pane]\r\nImage=a.bmp\r\nLeftWidth=10\r\nTopHeight=4\r\nRightWidth=2\r\nBottomHeight=5\r\n",
                     {{"a.bmp", Bmp(Solid(8, 8, kRed))}}));
    ASSERT_TRUE(m.TabPane);
    EXPECT_EQ(m.TabPane->Margins(), (Margins{4, 4, 2, 4}));
}

TEST(Elements, FrameSidesAndMenuBar) {
    skin::TSkinModel m(nullptr);
    ASSERT_TRUE(Load(m,
                     "[Personality]\r\nTop=t.bmp\r\nTopTopHeight=24\r\nTopBotHeight=24\r\nTopFrame=2\r\n"
                     "TopStretch=1\r\nLeftTopHeight=30\r\nLeftBotHeight=4\r\nLeftStretch=0\r\nLeftTrans=0\r\n"
                     "RightStretch=9\r\nmenuBar=mb.bmp\r\nTileLeftMenu=6\r\nTileMenu=3\r\n",
                     {{"t.bmp", Bmp(Solid(30, 40, kRed))}, {"mb.bmp", Bmp(Solid(10, 20, kGreen))}}));
    EXPECT_EQ(m.BorderTop->Margins(), (Margins{24, 0, 24, 0}));
    EXPECT_EQ(m.BorderTop->Frame, 2);
    EXPECT_EQ(m.BorderTop->Tile, 1);
    EXPECT_EQ(m.BorderTop->Trans, 1);
    EXPECT_EQ(m.BorderTop->Bitmap.Height(), 40);
    EXPECT_EQ(m.BorderLeft->Margins(), (Margins{0, 30, 0, 4}));
    EXPECT_EQ(m.BorderLeft->Tile, 0);
    EXPECT_EQ(m.BorderLeft->Trans, 0);
    EXPECT_EQ(m.BorderLeft->Frame, 1);
    EXPECT_TRUE(m.BorderLeft->Bitmap.Empty());
    EXPECT_EQ(m.BorderRight->Tile, 1);
    ASSERT_TRUE(m.MenuBar);
    EXPECT_EQ(m.MenuBar->Name, "Personality");
    EXPECT_EQ(m.MenuBar->Margins(), (Margins{6, 0, 1, 0}));
    EXPECT_EQ(m.MenuBar->Tile, 1);
    EXPECT_EQ(m.MenuBar->Frame, 2);
}

TEST(Elements, BitmapNamesOnlyExactlyDotBmpByTheirFileName) {
    skin::TSkinModel m(nullptr);
    const Bytes img = Bmp(Solid(4, 4, kRed));
    ASSERT_TRUE(Load(m,
                     "[MenuItem]\r\nImage=skins\\old\\a.bmp\r\n[MenuBackground]\r\nImage=A.BMP\r\n"
                     "[Headerbar]\r\nImage=c:a.bmp\r\n[Scrollbar]\r\nImage=a.bmp\\\r\n"
                     "[HorzScroll]\r\nImage=missing.bmp\r\n[VertScroll]\r\nImage=x.y\\a\r\n",
                     {{"a.bmp", img}}));
    ASSERT_TRUE(m.MenuItem && m.MenuBackground && m.Headerbar && m.Scrollbar && m.HorzScroll && m.VertScroll);
    EXPECT_EQ(m.MenuItem->Bitmap.Width(), 4) << "directory parts are ignored";
    EXPECT_EQ(m.Headerbar->Bitmap.Width(), 4);
    EXPECT_TRUE(m.MenuBackground->Bitmap.Empty()) << ".BMP is not .bmp";
    EXPECT_TRUE(m.Scrollbar->Bitmap.Empty());
    EXPECT_TRUE(m.HorzScroll->Bitmap.Empty());
    EXPECT_TRUE(m.VertScroll->Bitmap.Empty()) << "a dot before the last separator is no extension";
}

TEST(CaptionButtons, SectionFilterAndActionRules) {
    skin::TSkinModel m(nullptr);
    ASSERT_TRUE(Load(m,
                     "[BUTTONS]\r\nAction=1\r\n[Button.Radio]\r\n[Button.Checkbox]\r\n[BUTTON]\r\n"
                     "[ButtonClose]\r\nAction=0\r\n[MyButton]\r\nAction=2\r\n"
                     "[ButtonGone]\r\nAction=-1\r\n[ButtonGone2]\r\nAction=-1\r\nVisibility=3\r\n"
                     "[ButtonKept]\r\nAction=-1\r\nVisibility=0\r\n"
                     "[buttonmax]\r\nAction=1\r\nVisibility=2\r\nXcoord=66\r\nYcoord=4\r\nVisibility1=6\r\n"
                     "[ButtonHelp]\r\nAction=4\r\nXcoord=1\r\nYcoord=1\r\nCombineOp=3\r\n"));
    EXPECT_EQ(ButtonNames(m), (std::vector<std::string>{"BUTTONCLOSE", "BUTTONKEPT", "BUTTONMAX", "BUTTONHELP",
                                                        "MDI1", "MDI2", "MDI3"}));
    const auto& b = m.SysButtons;
    EXPECT_EQ(b[1]->Visibility, 0);
    EXPECT_EQ(b[1]->Visibility1, -1) << "an Action -1 button defaults Visibility1 to -1";
    EXPECT_EQ(b[0]->Visibility1, 0);
    EXPECT_EQ(b[0]->CombineOp, -1);
    EXPECT_EQ(b[2]->Visibility1, 6);
    EXPECT_EQ(b[3]->Xcoord, 66) << "action 4 takes the place of the visible maximize button";
    EXPECT_EQ(b[3]->Ycoord, 4);
    EXPECT_EQ(b[3]->CombineOp, 3);
    for (int k = 0; k < 3; ++k) {
        const auto& mdi = *b[std::size_t(4 + k)];
        EXPECT_EQ(mdi.Action, 7 + k);
        EXPECT_EQ(mdi.Align, 100);
        EXPECT_EQ(mdi.Visibility, 100);
        EXPECT_EQ(mdi.Visibility1, 100);
        EXPECT_EQ(mdi.Frame, 4);
        EXPECT_TRUE(mdi.Bitmap.Empty()) << "no MDICONTROLS image";
    }
}

TEST(CaptionButtons, FrameCountFromTheImageRatio) {
    skin::TSkinModel m(nullptr);
    ASSERT_TRUE(Load(m,
                     "[Button1]\r\nButtonImage=w90.bmp\r\n[Button2]\r\nButtonImage=w120.bmp\r\n"
                     "[Button3]\r\nButtonImage=w114.bmp\r\n[Button4]\r\nButtonImage=w90.bmp\r\nAction=-2\r\n"
                     "[Button5]\r\n[Button6]\r\nButtonImage=w90.bmp\r\nAction=3\r\n"
                     "[Button7]\r\nButtonImage=w90.bmp\r\nAction=11\r\nFRAME=2\r\n"
                     "[Button8]\r\nButtonImage=w120.bmp\r\nframe=-1\r\n",
                     {{"w90.bmp", Bmp(Solid(90, 30, kRed))},
                      {"w120.bmp", Bmp(Solid(120, 30, kRed))},
                      {"w114.bmp", Bmp(Solid(114, 30, kRed))}}));
    ASSERT_EQ(m.SysButtons.size(), 11u);
    const auto& b = m.SysButtons;
    EXPECT_EQ(b[0]->Frame, 3);  // ratio 3.0
    EXPECT_EQ(b[1]->Frame, 6);  // ratio 4.0
    EXPECT_EQ(b[2]->Frame, 3);  // ratio exactly 3.8
    EXPECT_EQ(b[3]->Frame, 6) << "negative actions always get 6";
    EXPECT_EQ(b[4]->Frame, 6) << "no image";
    EXPECT_EQ(b[5]->Frame, 3);
    EXPECT_TRUE(b[5]->Bitmap.Empty()) << "the icon button shows the window's icon";
    EXPECT_EQ(b[6]->Frame, 2);
    EXPECT_EQ(b[6]->Bitmap.Width(), 90) << "with a frame key the icon button keeps its image";
    EXPECT_EQ(b[7]->Frame, -1) << "a negative frame key is kept as written";
}

TEST(CaptionButtons, MdiCellsOfA96PixelImage) {
    skin::TSkinModel m(nullptr);
    raster::Bitmap mdi(96, 10);
    for (int x = 0; x < 96; ++x)
        for (int y = 0; y < 10; ++y) mdi.SetPixel(x, y, raster::Rgb(x, y, 7));
    ASSERT_TRUE(Load(m, "[ButtonClose]\r\nAction=0\r\n[MDICONTROLS]\r\nImage=mdi.bmp\r\n", {{"mdi.bmp", Bmp(mdi)}}));
    ASSERT_EQ(m.SysButtons.size(), 4u);
    const int xcoords[3] = {36, 24, 12};
    for (int k = 0; k < 3; ++k) {
        const auto& b = *m.SysButtons[std::size_t(1 + k)];
        ASSERT_EQ(b.Bitmap.Width(), 32) << k;
        EXPECT_EQ(b.Bitmap.Height(), 10);
        EXPECT_EQ(b.Xcoord, xcoords[k]);
        EXPECT_EQ(b.Bitmap.GetPixel(0, 0), raster::Rgb(32 * k, 0, 7));
        EXPECT_EQ(b.Bitmap.GetPixel(31, 9), raster::Rgb(32 * k + 31, 9, 7));
    }
    ASSERT_TRUE(Load(m, "[MDICONTROLS]\r\nImage=mdi.bmp\r\n", {{"mdi.bmp", Bmp(Solid(11, 4, kRed))}}));
    EXPECT_TRUE(m.SysButtons[0]->Bitmap.Empty()) << "an image narrower than 12 cells gives empty cells";
}

TEST(FrameCounts, FixedByElementWhateverTheKeySays) {
    skin::TSkinModel m(nullptr);
    const Bytes img = Bmp(Solid(8, 8, kRed));
    std::string ini;
    for (const char* s : {"Scrollbar", "MenuItem", "ToolBars", "ExtraImages", "StatusBarEdges", "SunkEdge",
                          "HorzScroll", "VertScroll", "MenuBackground", "GroupBoxEdge", "Trackbar.ThumbUp",
                          "Progress.Chunk", "Track"})
        ini += std::string("[") + s + "]\r\nImage=a.bmp\r\nFrame=10\r\n";
    ini += "[Headerbar]\r\nImage=a.bmp\r\n[HorzScrollThumb]\r\nImage=a.bmp\r\nFrame=9\r\n"
           "[VertScrollThumb]\r\nImage=a.bmp\r\nFrameCount=7\r\n";
    ASSERT_TRUE(Load(m, ini, {{"a.bmp", img}}));
    EXPECT_EQ(m.Scrollbar->Frame, 23);
    EXPECT_EQ(m.MenuItem->Frame, 5);
    EXPECT_EQ(m.ToolBars->Frame, 5);
    EXPECT_EQ(m.ExtraImages->Frame, 5);
    EXPECT_EQ(m.StatusBarEdges->Frame, 3);
    EXPECT_EQ(m.SunkEdge->Frame, 4);
    EXPECT_EQ(m.HorzScroll->Frame, 4);
    EXPECT_EQ(m.VertScroll->Frame, 4);
    EXPECT_EQ(m.MenuBackground->Frame, 1);
    EXPECT_EQ(m.GroupBoxEdge->Frame, 2);
    EXPECT_EQ(m.TrackThumbUp->Frame, 5);
    EXPECT_EQ(m.ProgressChunk->Frame, 10) << "not in the table: the key stands";
    EXPECT_EQ(m.Track->Frame, 10);
    EXPECT_EQ(m.Headerbar->Frame, 5);
    EXPECT_EQ(m.HorzScrollThumb->Frame, 3) << "thumbs count by FrameCount, default 3";
    EXPECT_EQ(m.VertScrollThumb->Frame, 7);
    EXPECT_EQ(m.ToolbarFace->Frame, 1);
    EXPECT_EQ(m.Buttons->Frame, 5);

    ASSERT_TRUE(Load(m, "[Headerbar]\r\nImage=a.bmp\r\nFrame=3\r\n", {{"a.bmp", img}}));
    EXPECT_EQ(m.Headerbar->Frame, 3) << "a header bar keeps a frame key other than 0";
}

TEST(FrameCounts, CheckAndRadioFramesFromTheGlyphWidth) {
    skin::TSkinModel m(nullptr);
    ASSERT_TRUE(Load(m, "[Buttons]\r\nCheckButton=c.bmp\r\nRadioButton=r.bmp\r\n",
                     {{"c.bmp", Bmp(Solid(156, 13, kRed))}, {"r.bmp", Bmp(Solid(160, 16, kRed))}}));
    EXPECT_EQ(m.Buttons->CheckFrames, 12);  // 13-pixel cells
    EXPECT_EQ(m.Buttons->RadioFrames, 10);  // 16-pixel cells
    ASSERT_TRUE(Load(m, "[Buttons]\r\nCheckButton=c.bmp\r\nRadioButtonFrame=3\r\n",
                     {{"c.bmp", Bmp(Solid(26, 13, kRed))}}));
    EXPECT_EQ(m.Buttons->CheckFrames, 4) << "at least 4";
    EXPECT_EQ(m.Buttons->RadioFrames, 3) << "a frame key stands";
}

TEST(Builtins, TrackGroovesWhenTheSkinHasNone) {
    skin::TSkinModel m(nullptr);
    ASSERT_TRUE(Load(m, "[Colours]\r\nButtonFace=1 2 3\r\n"));
    ASSERT_TRUE(m.Track && m.TrackVert);
    const raster::Color S = 0xC0C0C0, G = 0x808080, W = 0xFFFFFF;
    const auto pixel = [](const raster::Bitmap& b, int x, int y) { return b.GetPixel(x, y) & 0xFFFFFF; };
    const raster::Bitmap& h = m.Track->Bitmap;
    ASSERT_EQ(h.Width(), 16);
    ASSERT_EQ(h.Height(), 4);
    const std::vector<raster::Color> rowStart[4] = {{S, S, G}, {S, S, W}, {G, S, W}, {S, S, W}};
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 16; ++x) {
            raster::Color want = x < 2 ? rowStart[y][std::size_t(x)] : rowStart[y][2];
            if (y == 0 && x >= 14) want = W;
            EXPECT_EQ(pixel(h, x, y), want) << x << "," << y;
        }
    const raster::Bitmap& v = m.TrackVert->Bitmap;
    ASSERT_EQ(v.Width(), 4);
    ASSERT_EQ(v.Height(), 16);
    const char* rows[16] = {"SSGS", "SSSS", "GWWW", "GWWW", "GWWW", "GWWW", "GWWW", "GWWW",
                            "GWWW", "GWWW", "GWWW", "GWWW", "GWWW", "GWWW", "WWWW", "WWWW"};
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 4; ++x) {
            const char c = rows[y][x];
            EXPECT_EQ(pixel(v, x, y), c == 'S' ? S : c == 'G' ? G : W) << x << "," << y;
        }
    for (const auto* e : {m.Track.get(), m.TrackVert.get()}) {
        EXPECT_EQ(e->Margins(), (Margins{3, 3, 3, 3}));
        EXPECT_EQ(e->Frame, 1);
        EXPECT_EQ(e->Tile, 0);
    }
    EXPECT_EQ(m.Track->Name, "TRACK");

    ASSERT_TRUE(Load(m, "[Track]\r\nImage=t.bmp\r\n", {{"t.bmp", Bmp(Solid(5, 5, kRed))}}));
    EXPECT_EQ(m.Track->Bitmap.Width(), 5);
    EXPECT_EQ(m.TrackVert->Bitmap.Width(), 4) << "each groove falls back on its own";
}

TEST(Builtins, SystemMenuGlyphs) {
    const auto bytes = skin::BuiltinBitmapBytes("PELAGEMENU");
    ASSERT_FALSE(bytes.empty());
    const raster::Bitmap b = raster::DecodeBmp(bytes);
    ASSERT_EQ(b.Width(), 64);
    ASSERT_EQ(b.Height(), 16);
    int black[4] = {};
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 64; ++x) {
            const raster::Color c = b.GetPixel(x, y) & 0xFFFFFF;
            ASSERT_TRUE(c == 0 || c == 0xFFFFFF) << "black on white only";
            if (c == 0) ++black[x / 16];
        }
    for (int g = 0; g < 4; ++g) EXPECT_GT(black[g], 0) << "glyph " << g;
    // Minimize is a bar two pixels thick: every black column of it has exactly two.
    for (int x = 32; x < 48; ++x) {
        int n = 0;
        for (int y = 0; y < 16; ++y) n += (b.GetPixel(x, y) & 0xFFFFFF) == 0;
        EXPECT_TRUE(n == 0 || n == 2) << x;
    }
    EXPECT_TRUE(skin::BuiltinBitmapBytes("NOSUCH").empty());
}

TEST(Reload, ElementsOfThePreviousSkinGo) {
    skin::TSkinModel m(nullptr);
    const Bytes img = Bmp(Solid(8, 8, kRed));
    ASSERT_TRUE(Load(m, "[TitlebarSkin]\r\nSkinName=One\r\n[MenuItem]\r\nImage=a.bmp\r\n[ButtonClose]\r\n",
                     {{"a.bmp", img}}));
    ASSERT_TRUE(m.MenuItem);
    const auto* arrow = m.ComboArrow.get();
    const auto* face = m.ToolbarFace.get();
    const auto* buttons = m.Buttons.get();
    ASSERT_TRUE(Load(m, "[TitlebarSkin]\r\nSkinName=Two\r\n"));
    EXPECT_FALSE(m.MenuItem);
    EXPECT_EQ(m.SkinName, "Two");
    EXPECT_EQ(m.SysButtons.size(), 3u);
    EXPECT_EQ(m.ComboArrow.get(), arrow) << "refilled, not recreated";
    EXPECT_EQ(m.ToolbarFace.get(), face);
    EXPECT_EQ(m.Buttons.get(), buttons);
    EXPECT_FALSE(m.SkinEmpty);
}

TEST(Failures, DamagedStreamLeavesTheModel) {
    skin::TSkinModel m(nullptr);
    EXPECT_TRUE(m.SkinEmpty);
    ASSERT_TRUE(Load(m, "[TitlebarSkin]\r\nSkinName=Kept\r\n"));
    Bytes junk = {0x10, 0, 0, 0, 1, 2, 3};
    int messages = 0;  // an unknown format tag is told to the user
    sys::SetMessageObserver([&](const std::string&, const std::string&, sys::MessageKind) { ++messages; });
    EXPECT_FALSE(Load(m, junk));
    sys::SetMessageObserver(nullptr);
    EXPECT_LE(messages, 1);
    EXPECT_TRUE(m.SkinEmpty);
    EXPECT_EQ(m.SkinName, "Kept");
    EXPECT_FALSE(Load(m, Bytes{}));
}

TEST(Failures, AMemberThatIsNoBmpEndsTheLoad) {
    skin::TSkinModel m(nullptr);
    const std::string text = "not a bitmap at all";
    const Bytes bad(text.begin(), text.end());
    try {
        Load(m, "[MenuItem]\r\nImage=bad.bmp\r\n", {{"bad.bmp", bad}});
        FAIL() << "no error";
    } catch (const skin::ESkinLoadError& e) {
        EXPECT_NE(std::string(e.what()).find("bad.bmp"), std::string::npos) << e.what();
    }
    EXPECT_TRUE(m.SkinEmpty);
    // A truncated BMP (header promises more rows than there are) fails the same way.
    Bytes cut = Bmp(Solid(20, 20, kRed));
    cut.resize(80);
    EXPECT_THROW(Load(m, "[Personality]\r\nTop=t.bmp\r\n", {{"t.bmp", cut}}), skin::ESkinLoadError);
    EXPECT_TRUE(m.SkinEmpty);
    // The model is usable again with a sound skin.
    EXPECT_TRUE(Load(m, "[MenuItem]\r\nImage=a.bmp\r\n", {{"a.bmp", Bmp(Solid(2, 2, kRed))}}));
    EXPECT_FALSE(m.SkinEmpty);
}

TEST(Failures, NoDescriptionStillLoads) {
    skin::TSkinModel m(nullptr);
    const Bytes packed = lzhenc::Pack(lzhenc::BuildArchive(20000, std::vector<lzhenc::ArchiveMember>{
                                                                      {"a.bmp", Bmp(Solid(2, 2, kRed))}}));
    ASSERT_TRUE(Load(m, packed));
    EXPECT_FALSE(m.SkinEmpty);
    EXPECT_EQ(m.Elements().size(), 38u);
    EXPECT_EQ(m.SkinColors.ButtonFace, skin::TColor(0x8000000F));
    EXPECT_EQ(m.SysButtons.size(), 3u);
}

}  // namespace
