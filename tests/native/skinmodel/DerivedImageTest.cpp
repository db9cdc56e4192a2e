// Images the loader derives: the combo box composite and arrow, the tool bar face, and the
// frame colour sampled from the caption strip.
#include <gtest/gtest.h>

#include <cstdlib>

#include "SkinFixtures.h"
#include "base/System.h"

namespace {
using namespace skinmodel_test;
using raster::Color;
using raster::Margins;

const Color kMagenta = 0xFF00FF;
const std::vector<Color> kEdge = {0x000010, 0x000020, 0x000030, 0x000040};
const std::vector<Color> kButton = {0x001000, 0x002000, 0x003000, 0x004000};
const std::vector<Color> kGlyph = {0x100000, 0x200000, 0x300000, 0x400000, 0x500000};

Color Px(const raster::Bitmap& b, int x, int y) { return b.GetPixel(x, y) & 0xFFFFFF; }

const std::string kComboIni =
    "[SunkEdge]\r\nImage=edge.bmp\r\nTopHeight=3\r\nBottomHeight=2\r\nLeftWidth=1\r\nTrans=0\r\n"
    "[ComboButton]\r\nImage=button.bmp\r\nStyle=0\r\n"
    "[ExtraImages]\r\nImage=glyph.bmp\r\n";

std::map<std::string, Bytes> ComboImages() {
    return {{"edge.bmp", Bmp(Strip(10, 10, kEdge))},
            {"button.bmp", Bmp(Strip(10, 10, kButton))},
            {"glyph.bmp", Bmp(Strip(5, 5, kGlyph))}};
}

TEST(ComboImages, OneCompositeCellPerState) {
    skin::TSkinModel m(nullptr);
    ASSERT_TRUE(Load(m, kComboIni, ComboImages()));
    ASSERT_TRUE(m.ComboButton && m.SunkEdge);
    const int w = sys::SystemMetric(21) + 2;  // scroll arrow width + 2
    const raster::Bitmap& strip = m.ComboButton->Bitmap;
    ASSERT_EQ(strip.Width(), 200);
    ASSERT_EQ(strip.Height(), 21);
    for (int b = 0; b < 4; ++b) {
        const int x0 = b * 50;
        EXPECT_EQ(Px(strip, x0, 0), kEdge[b]) << "edge of state " << b + 1;
        EXPECT_EQ(Px(strip, x0 + 1, 20), kEdge[b]);
        EXPECT_EQ(Px(strip, x0 + 10, 10), kMagenta) << "the edit area is transparent";
        EXPECT_EQ(Px(strip, x0 + 2, 2), kMagenta);
        EXPECT_EQ(Px(strip, x0 + 48 - w, 17), kMagenta);
        EXPECT_EQ(Px(strip, x0 + 49 - w, 17), kEdge[b]) << "the fill stops short of the button";
        EXPECT_EQ(Px(strip, x0 + 50 - w, 0), kButton[b]);
        EXPECT_EQ(Px(strip, x0 + 49, 20), kButton[b]);
        // The glyph, centred in the button rectangle.
        const int gx = x0 + 50 - w + (w - 5) / 2, gy = (21 - 5) / 2;
        EXPECT_EQ(Px(strip, gx, gy), kGlyph[b]);
        EXPECT_EQ(Px(strip, gx + 4, gy + 4), kGlyph[b]);
        EXPECT_EQ(Px(strip, gx - 1, gy), kButton[b]);
    }
    EXPECT_EQ(m.ComboButton->Style, 2);
    EXPECT_EQ(m.ComboButton->Margins(), (Margins{2, 3, w + 2, 2}));
    EXPECT_EQ(m.ComboButton->Frame, 4);

    const raster::Bitmap& mirrored = m.SunkEdge->Bitmap;
    ASSERT_EQ(mirrored.Width(), 200);
    for (int x : {0, 10, 30, 49, 50, 120, 199})
        for (int y : {0, 10, 20}) EXPECT_EQ(Px(mirrored, x, y), Px(strip, 199 - x, y)) << x << "," << y;
    EXPECT_EQ(m.SunkEdge->Margins(), (Margins{w + 2, 3, 2, 2}));
}

TEST(ComboImages, ArrowSquaresCutFromTheComposite) {
    skin::TSkinModel m(nullptr);
    ASSERT_TRUE(Load(m, kComboIni, ComboImages()));
    ASSERT_TRUE(m.ComboArrow);
    EXPECT_EQ(m.ComboArrow->Name, "ComboxArrow");
    const raster::Bitmap& a = m.ComboArrow->Bitmap;
    ASSERT_EQ(a.Width(), 68);
    ASSERT_EQ(a.Height(), 17);
    EXPECT_EQ(m.ComboArrow->Frame, 4);
    for (int i = 0; i < 4; ++i)
        for (int y = 0; y < 17; y += 4)
            for (int x = 0; x < 17; x += 3)
                EXPECT_EQ(Px(a, i * 17 + x, y), Px(m.ComboButton->Bitmap, (i + 1) * 50 - 19 + x, 2 + y))
                    << i << ":" << x << "," << y;
}

TEST(ComboImages, WithoutSunkEdgeTheArrowIsTheButtonOnTheFaceColour) {
    skin::TSkinModel m(nullptr);
    raster::Bitmap button = Strip(10, 10, kButton);
    button.SetPixel(3, 3, kMagenta);
    button.SetPixel(4, 3, 0xFE00FF);
    ASSERT_TRUE(Load(m, "[Colours]\r\nButtonFace=1 2 3\r\n[ComboButton]\r\nImage=b.bmp\r\nTrans=1\r\n",
                     {{"b.bmp", Bmp(button)}}));
    EXPECT_EQ(m.ComboButton->Style, 0) << "no composite without SunkEdge";
    const raster::Bitmap& a = m.ComboArrow->Bitmap;
    ASSERT_EQ(a.Width(), 40);
    EXPECT_EQ(Px(a, 3, 3), 0x030201u);
    EXPECT_EQ(Px(a, 4, 3), 0xFE00FFu) << "near-magenta stays";
    EXPECT_EQ(Px(a, 15, 5), kButton[1]);
    EXPECT_EQ(m.ComboArrow->Frame, 4);
    // The mirrored copy of the button image.
    ASSERT_EQ(m.ComboButton->Bitmap2.Width(), 40);
    EXPECT_EQ(Px(m.ComboButton->Bitmap2, 0, 0), kButton[3]);
    EXPECT_EQ(Px(m.ComboButton->Bitmap2, 36, 3), kMagenta);

    // A skin with neither keeps an arrow object with an empty image.
    ASSERT_TRUE(Load(m, "[Colours]\r\nButtonFace=1 2 3\r\n"));
    ASSERT_TRUE(m.ComboArrow);
    EXPECT_EQ(m.ComboArrow->Bitmap.Width(), 40) << "kept from the previous skin";
}

TEST(ToolbarFace, GradientFromTheLightenedFaceDownward) {
    skin::TSkinModel m(nullptr);
    ASSERT_TRUE(Load(m, "[Colours]\r\nButtonFace=200 100 50\r\n"));
    ASSERT_TRUE(m.ToolbarFace);
    EXPECT_EQ(m.ToolbarFace->Name, "Toolbar");
    const raster::Bitmap& f = m.ToolbarFace->Bitmap;
    ASSERT_EQ(f.Width(), 10);
    ASSERT_EQ(f.Height(), 40);
    // 15 % face, 85 % white, rounded.
    EXPECT_EQ(Px(f, 0, 0), raster::Rgb(247, 232, 224));
    EXPECT_EQ(Px(f, 9, 0), raster::Rgb(247, 232, 224));
    // The face is saturated (level 191): the dark end is 56 % face, 44 % white.
    const Color bottom = Px(f, 5, 39);
    EXPECT_NEAR(raster::RedOf(bottom), 224, 1);
    EXPECT_NEAR(raster::GreenOf(bottom), 168, 1);
    EXPECT_NEAR(raster::BlueOf(bottom), 140, 1);
    for (int y = 1; y < 40; ++y) EXPECT_LE(raster::GreenOf(Px(f, 0, y)), raster::GreenOf(Px(f, 0, y - 1)));
}

TEST(FrameColor, SampledInsideTheFirstCaptionState) {
    raster::Bitmap top = Solid(30, 20, 0xFF0000);
    top.SetPixel(10, 6, 0x00FF00);  // (width div 3, height div 3) of one frame
    top.SetPixel(10, 3, 0x0000FF);  // (width div 3, (height div 2) div 3)
    skin::TSkinModel m(nullptr);
    for (const char* frame : {"0", "-2", "1"}) {
        ASSERT_TRUE(Load(m, std::string("[Personality]\r\nTop=t.bmp\r\nTopFrame=") + frame + "\r\n", {{"t.bmp", Bmp(top)}}));
        EXPECT_EQ(m.FrameColor, 0x00FF00) << "TopFrame=" << frame;
        EXPECT_EQ(m.BorderTop->Frame, std::atoi(frame)) << "the count is kept as written";
    }
    ASSERT_TRUE(Load(m, "[Personality]\r\nTop=t.bmp\r\nTopFrame=2\r\n", {{"t.bmp", Bmp(top)}}));
    EXPECT_EQ(m.FrameColor, 0x0000FF);
    ASSERT_TRUE(Load(m, "[Colours]\r\nButtonFace=9 8 7\r\n"));
    EXPECT_EQ(m.FrameColor, 0x00070809) << "no caption image: the face colour";
}

TEST(FrameColor, HugeFrameCountsStayInsideTheImage) {
    skin::TSkinModel m(nullptr);
    ASSERT_TRUE(Load(m, "[Personality]\r\nTop=t.bmp\r\nTopFrame=1000\r\n", {{"t.bmp", Bmp(Solid(30, 20, 0x123456))}}));
    EXPECT_EQ(m.FrameColor, 0x123456);
}

}  // namespace
