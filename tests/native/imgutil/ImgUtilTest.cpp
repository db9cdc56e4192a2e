#include <gtest/gtest.h>

#include <set>

#include "base/System.h"
#include "native/raster/PixelTestUtil.h"
#include "raster/Blit.h"
#include "skin/resources/ImgUtil.h"

using raster::Bitmap;
using raster::PixelFormat;
using raster::Rgb;
using namespace skin;

TEST(MixColours, WeightsArePercentsBelowAHundredThenThousandths) {
    const Colour x = Rgb(200, 100, 0), y = Rgb(0, 100, 200);
    EXPECT_EQ(MixColours(x, y, 100), Rgb(20, 100, 180));  // 100 is 10 %, not 100 %
    EXPECT_EQ(MixColours(x, y, 99), Rgb(198, 100, 2));
    EXPECT_EQ(MixColours(x, y, 0), y);
    EXPECT_EQ(MixColours(x, y, 1000), x);
    EXPECT_EQ(MixColours(x, y, 150), Rgb(30, 100, 170));
    // (10 * 50 + 11 * 50 + 50) div 100 rounds half up.
    EXPECT_EQ(MixColours(Rgb(10, 10, 10), Rgb(11, 11, 11), 50), Rgb(11, 11, 11));
    // System colours resolve through the system before mixing.
    const Colour face = sys::SysColor(sys::color::BtnFace);
    EXPECT_EQ(MixColours(0x80000000u | sys::color::BtnFace, 0, 1000), face);
    EXPECT_EQ(MixColours(Rgb(255, 255, 255), 0x80000000u | sys::color::BtnFace, 0), face);
}

class Gradients : public ::testing::Test {
protected:
    void SetUp() override { ResetGradientCache(); }
};

TEST_F(Gradients, CountOneIsTheMidpoint) {
    const int slot = MakeGradient(1, Rgb(0, 0, 0), Rgb(255, 255, 255));
    ASSERT_EQ(GradientEntries(slot).size(), 1u);
    EXPECT_EQ(GradientEntries(slot)[0], Rgb(127, 127, 127));
}

TEST_F(Gradients, RisingEndsExactFallingStopsOneShort) {
    const auto& up = GradientEntries(MakeGradient(11, Rgb(0, 0, 0), Rgb(255, 10, 100)));
    ASSERT_EQ(up.size(), 11u);
    EXPECT_EQ(up.front(), Rgb(0, 0, 0));
    EXPECT_EQ(up.back(), Rgb(255, 10, 100));
    for (std::size_t i = 1; i < up.size(); ++i) EXPECT_GE(raster::RedOf(up[i]), raster::RedOf(up[i - 1]));

    const auto& down = GradientEntries(MakeGradient(11, Rgb(255, 0, 0), Rgb(0, 0, 0)));
    EXPECT_EQ(down.front(), Rgb(255, 0, 0));
    EXPECT_EQ(raster::RedOf(down.back()), 1);  // truncation toward zero
    const auto& two = GradientEntries(MakeGradient(2, Rgb(255, 0, 0), Rgb(0, 0, 0)));
    EXPECT_EQ(two.back(), Rgb(0, 0, 0));
}

TEST_F(Gradients, SlotsAreReusedInTurnAndFoundAgain) {
    for (int i = 0; i < 16; ++i) EXPECT_EQ(GetGradient(10 + i, Rgb(i, 0, 0), Rgb(0, 0, 255)), i);
    EXPECT_EQ(FindGradient(10, Rgb(0, 0, 0), Rgb(0, 0, 255)), 0);
    EXPECT_EQ(GetGradient(99, Rgb(1, 2, 3), Rgb(4, 5, 6)), 0);  // the seventeenth overwrites slot 0
    EXPECT_EQ(FindGradient(10, Rgb(0, 0, 0), Rgb(0, 0, 255)), -1);
    EXPECT_EQ(FindGradient(11, Rgb(1, 0, 0), Rgb(0, 0, 255)), 1);
    EXPECT_EQ(FindGradient(12, Rgb(1, 0, 0), Rgb(0, 0, 255)), -1);  // count must match too
    // A falling gradient is found again, so repainting it costs no new slot.
    const int falling = GetGradient(40, Rgb(255, 255, 255), Rgb(0, 0, 0));
    EXPECT_EQ(GetGradient(40, Rgb(255, 255, 255), Rgb(0, 0, 0)), falling);
    EXPECT_EQ(MakeGradient(5, 0, 0), falling + 1);
}

TEST_F(Gradients, CountsBelowOneAreAssertionFailures) {
    EXPECT_THROW(MakeGradient(0, 0, 0), EAssertionFailed);
    EXPECT_THROW(FindGradient(-1, 0, 0), EAssertionFailed);
    EXPECT_THROW(GetGradient(0, 0, 0), EAssertionFailed);
    EXPECT_TRUE(GradientEntries(16).empty());
    EXPECT_TRUE(GradientEntries(-1).empty());
}

TEST_F(Gradients, FillGradientPaintsOnlyTheVisibleBandsOfTheWholeSpan) {
    Bitmap b(6, 10);
    b.Fill(0x123456);
    // Rows -5..14: the gradient spans 20 rows, the bitmap shows rows 0..9 of it.
    FillGradient(b, {1, -5, 4, 15}, Rgb(0, 0, 0), Rgb(190, 0, 0), true);
    const auto& span = GradientEntries(FindGradient(20, Rgb(0, 0, 0), Rgb(190, 0, 0)));
    ASSERT_EQ(span.size(), 20u);
    for (int y = 0; y < 10; ++y) {
        EXPECT_EQ(b.GetPixel(0, y), 0x123456u);
        EXPECT_EQ(b.GetPixel(1, y), span[std::size_t(y + 5)]) << y;
        EXPECT_EQ(b.GetPixel(3, y), span[std::size_t(y + 5)]) << y;
        EXPECT_EQ(b.GetPixel(4, y), 0x123456u);
    }
    // Left to right, system colour at one end.
    Bitmap h(8, 2);
    FillGradient(h, {0, 0, 8, 2}, Rgb(0, 0, 0), 0x80000000u | sys::color::Window, false);
    EXPECT_EQ(h.GetPixel(0, 1), 0u);
    EXPECT_EQ(h.GetPixel(7, 0), sys::SysColor(sys::color::Window));  // rising channels end exact
    // Empty, inverted and invisible rectangles paint nothing.
    Bitmap untouched(4, 4);
    untouched.Fill(0x777777);
    FillGradient(untouched, {2, 2, 2, 4}, 0, 0xFFFFFF, false);
    FillGradient(untouched, {3, 3, 1, 1}, 0, 0xFFFFFF, true);
    FillGradient(untouched, {5, 0, 9, 4}, 0, 0xFFFFFF, true);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) EXPECT_EQ(untouched.GetPixel(x, y), 0x777777u);
}

TEST(SaturationLevel, BrightColoursAndDarkOnes) {
    EXPECT_EQ(SaturationLevel(Rgb(255, 0, 0)), 255);
    EXPECT_EQ(SaturationLevel(Rgb(159, 0, 0)), 200);
    EXPECT_EQ(SaturationLevel(Rgb(255, 255, 255)), 0);
    EXPECT_EQ(SaturationLevel(Rgb(160, 80, 80)), 128);  // 127.5 goes to the even neighbour
    EXPECT_EQ(SaturationLevel(Rgb(200, 100, 100)), 128);  // 127.5 again
    EXPECT_EQ(SaturationLevel(Rgb(0, 0, 170)), 255);
}

TEST(Recolour, GrayscaleAndKeyReplacementSwitchTo24Bits) {
    Bitmap b(3, 1, PixelFormat::Bgra32);
    b.SetPixel(0, 0, 0xFF000000u | Rgb(255, 0, 255));
    b.SetPixel(1, 0, Rgb(255, 1, 255));
    b.SetPixel(2, 0, Rgb(10, 20, 31));
    Bitmap keyed = b.Clone();
    ReplaceKeyColour(keyed, Rgb(1, 2, 3));
    EXPECT_EQ(keyed.Format(), PixelFormat::Bgr24);
    EXPECT_EQ(keyed.GetPixel(0, 0), Rgb(1, 2, 3));
    EXPECT_EQ(keyed.GetPixel(1, 0), Rgb(255, 1, 255));  // near magenta untouched
    EXPECT_EQ(keyed.GetPixel(2, 0), Rgb(10, 20, 31));

    Grayscale(b);
    EXPECT_EQ(b.Format(), PixelFormat::Bgr24);
    EXPECT_EQ(b.GetPixel(0, 0), Rgb(170, 170, 170));
    EXPECT_EQ(b.GetPixel(1, 0), Rgb(170, 170, 170));  // 511 div 3
    EXPECT_EQ(b.GetPixel(2, 0), Rgb(20, 20, 20));      // 61 div 3
}

TEST(Recolour, RotateLeftThenRightIsIdentity) {
    const Bitmap original = testutil::CoordinateImage(9, 4, 7);
    Bitmap b = original.Clone();
    RotateLeft(b);
    EXPECT_EQ(b.Width(), 4);
    EXPECT_EQ(b.Height(), 9);
    RotateRight(b);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 9; ++x) ASSERT_EQ(b.GetPixel(x, y), original.GetPixel(x, y));
    MirrorHorizontal(b);
    EXPECT_EQ(b.GetPixel(0, 3), original.GetPixel(8, 3));
    FlipVertical(b);
    EXPECT_EQ(b.GetPixel(0, 0), original.GetPixel(8, 3));
}
