#include <gtest/gtest.h>

#include "raster/Blit.h"
#include "raster/RegionRuns.h"

using namespace raster;

namespace {
// Every pixel the runs cover, as a bitmap-sized mask.
std::vector<std::vector<int>> Coverage(const std::vector<Rect>& runs, int w, int h, int dx, int dy) {
    std::vector<std::vector<int>> c(std::size_t(h), std::vector<int>(std::size_t(w), 0));
    for (const Rect& r : runs) {
        EXPECT_EQ(r.Height(), 1);
        EXPECT_GT(r.Width(), 0);
        for (int x = r.left; x < r.right; ++x) ++c[std::size_t(r.top - dy)][std::size_t(x - dx)];
    }
    return c;
}
}  // namespace

TEST(RegionRuns, AllKeyGivesNothingAndNoKeyGivesWholeRows) {
    for (PixelFormat f : {PixelFormat::Bgr24, PixelFormat::Bgra32}) {
        Bitmap b(13, 4, f);
        b.Fill(kKeyColor);
        EXPECT_TRUE(RegionRuns(b, 0, 0).empty());
        b.Fill(0);
        const auto runs = RegionRuns(b, 0, 0);
        ASSERT_EQ(runs.size(), 4u);
        EXPECT_EQ(runs[2], (Rect{0, 2, 13, 3}));
    }
    EXPECT_TRUE(RegionRuns(Bitmap(), 0, 0).empty());
}

TEST(RegionRuns, EveryNonKeyPixelCoveredOnceAndShifted) {
    // A rounded-corner frame: magenta corners, a magenta hole in the middle.
    for (PixelFormat f : {PixelFormat::Bgr24, PixelFormat::Bgra32}) {
        Bitmap b(40, 30, f);
        b.Fill(Rgb(90, 80, 70));
        FillRect(b, {0, 0, 3, 1}, kKeyColor);
        FillRect(b, {0, 1, 1, 3}, kKeyColor);
        FillRect(b, {37, 0, 40, 1}, kKeyColor);
        FillRect(b, {39, 1, 40, 3}, kKeyColor);
        FillRect(b, {5, 5, 35, 25}, kKeyColor);
        b.SetPixel(20, 15, Rgb(255, 1, 255));  // near magenta belongs to the region
        const auto runs = RegionRuns(b, 100, -7);
        const auto cover = Coverage(runs, 40, 30, 100, -7);
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 40; ++x)
                ASSERT_EQ(cover[std::size_t(y)][std::size_t(x)], (b.GetPixel(x, y) & 0xFFFFFF) != kKeyColor ? 1 : 0)
                    << x << "," << y;
        // Row 10: left border, the lone pixel row has none, right border.
        int inRow10 = 0;
        for (const Rect& r : runs) inRow10 += r.top == 10 - 7;
        EXPECT_EQ(inRow10, 2);
    }
}

TEST(RegionRuns, ToleranceWidensTheKeyUpwardsOnly) {
    Bitmap b(6, 1);
    b.SetPixel(0, 0, Rgb(255, 3, 255));    // green within 3
    b.SetPixel(1, 0, Rgb(255, 4, 255));    // green one past
    b.SetPixel(2, 0, Rgb(254, 0, 255));    // red below the key: never key
    b.SetPixel(3, 0, Rgb(255, 0, 255));
    b.SetPixel(4, 0, Rgb(250, 0, 250));
    b.SetPixel(5, 0, Rgb(255, 2, 255));
    const auto runs = RegionRuns(b, 0, 0, {0, 3, 0});
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0], (Rect{1, 0, 3, 1}));
    EXPECT_EQ(runs[1], (Rect{4, 0, 5, 1}));
    // A dark key with a tolerance that would pass 255 is capped there.
    Bitmap dark(3, 1);
    dark.SetPixel(0, 0, Rgb(250, 250, 250));
    dark.SetPixel(1, 0, Rgb(255, 255, 255));
    dark.SetPixel(2, 0, Rgb(10, 10, 10));
    const auto capped = RegionRuns(dark, 0, 0, {255, 255, 255}, Rgb(200, 200, 200));
    ASSERT_EQ(capped.size(), 1u);
    EXPECT_EQ(capped[0], (Rect{2, 0, 3, 1}));
}

TEST(RegionRuns, SpeckledImagesOfEveryWidthAndBothFormats) {
    // Key pixels and near-key pixels scattered at random, widths across the 16- and 64-pixel
    // blocks the scanner works in; checked pixel by pixel against the channel rule.
    unsigned seed = 12345;
    auto next = [&] { return (seed = seed * 1103515245u + 12345u) >> 16; };
    const Color palette[] = {kKeyColor, Rgb(255, 2, 255), Rgb(255, 0, 254), Rgb(255, 0, 255) | 0xAB000000u,
                             Rgb(1, 2, 3), Rgb(255, 5, 255), Rgb(0, 0, 255)};
    for (KeyTolerance tol : {KeyTolerance{}, KeyTolerance{0, 3, 0}})
        for (PixelFormat f : {PixelFormat::Bgr24, PixelFormat::Bgra32})
            for (int w : {1, 15, 16, 17, 63, 64, 65, 130}) {
                Bitmap b(w, 5, f);
                for (int y = 0; y < 5; ++y)
                    for (int x = 0; x < w; ++x) b.SetPixel(x, y, palette[next() % 7]);
                const auto cover = Coverage(RegionRuns(b, 0, 0, tol), w, 5, 0, 0);
                for (int y = 0; y < 5; ++y)
                    for (int x = 0; x < w; ++x) {
                        const Color c = b.GetPixel(x, y);
                        const bool key = RedOf(c) == 255 && BlueOf(c) == 255 && GreenOf(c) <= tol.green;
                        ASSERT_EQ(cover[std::size_t(y)][std::size_t(x)], key ? 0 : 1)
                            << "width " << w << " bpp " << int(f) << " tol " << tol.green << " at " << x << "," << y;
                    }
            }
}
