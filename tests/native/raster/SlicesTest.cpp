#include <gtest/gtest.h>

#include "PixelTestUtil.h"
#include "raster/Blit.h"
#include "raster/Slices.h"

using namespace raster;
using testutil::CoordinateImage;
using testutil::SrcX;
using testutil::SrcY;

namespace {
// Which slice of a 3x3 grid (0, 1, 2 per axis) a source coordinate lies in.
int Band(int v, int first, int last) { return v < first ? 0 : v >= last ? 2 : 1; }
}  // namespace

TEST(RenderElementImage, NineSlicesLandWhereTheyBelong) {
    // One 10 x 8 frame with margins 3, 2, 4, 1 drawn at 31 x 17.
    const Bitmap strip = CoordinateImage(10, 8);
    const Margins m{3, 2, 4, 1};
    const Bitmap out = RenderElementImage({5, 5, 36, 22}, strip, m, false, false, 1, 1);
    ASSERT_EQ(out.Width(), 31);
    ASSERT_EQ(out.Height(), 17);
    for (int y = 0; y < 17; ++y)
        for (int x = 0; x < 31; ++x) {
            const int sx = SrcX(out, x, y), sy = SrcY(out, x, y);
            // Each target band takes its pixels from the matching source band only.
            EXPECT_EQ(Band(sx, 3, 6), Band(x, 3, 27)) << x << "," << y;
            EXPECT_EQ(Band(sy, 2, 7), Band(y, 2, 16)) << x << "," << y;
        }
    // Corners at their own size.
    EXPECT_EQ(out.GetPixel(0, 0), strip.GetPixel(0, 0));
    EXPECT_EQ(out.GetPixel(2, 1), strip.GetPixel(2, 1));
    EXPECT_EQ(out.GetPixel(27, 0), strip.GetPixel(6, 0));
    EXPECT_EQ(out.GetPixel(30, 16), strip.GetPixel(9, 7));
    EXPECT_EQ(out.GetPixel(0, 16), strip.GetPixel(0, 7));
    // Left and right edges keep their columns; top and bottom keep their rows.
    for (int y = 2; y < 16; ++y) {
        EXPECT_EQ(SrcX(out, 1, y), 1);
        EXPECT_EQ(SrcX(out, 29, y), 8);
    }
    for (int x = 3; x < 27; ++x) {
        EXPECT_EQ(SrcY(out, x, 1), 1);
        EXPECT_EQ(SrcY(out, x, 16), 7);
    }
    // The centre reaches both ends of the source centre.
    EXPECT_EQ(out.GetPixel(3, 2), strip.GetPixel(3, 2));
    EXPECT_EQ(out.GetPixel(26, 15), strip.GetPixel(5, 6));
}

TEST(RenderElementImage, TargetNarrowerThanItsMargins) {
    const Bitmap strip = CoordinateImage(10, 8);
    // 6 wide < 3 + 4: both side margins dropped; top and bottom still apply.
    const Bitmap out = RenderElementImage({0, 0, 6, 12}, strip, {3, 2, 4, 1}, false, false, 1, 1);
    ASSERT_EQ(out.Width(), 6);
    // No corner: the top edge spans the whole width and the whole cell.
    EXPECT_EQ(SrcX(out, 0, 0), 0);
    EXPECT_EQ(SrcX(out, 5, 0), 9);
    for (int x = 0; x < 6; ++x) {
        EXPECT_LT(SrcY(out, x, 1), 2);
        EXPECT_EQ(SrcY(out, x, 11), 7);
    }
    // Low as well: every margin gone, the whole cell stretched.
    const Bitmap flat = RenderElementImage({0, 0, 6, 2}, strip, {3, 2, 4, 1}, false, false, 1, 1);
    EXPECT_EQ(SrcX(flat, 0, 0), 0);
    EXPECT_EQ(SrcX(flat, 5, 1), 9);
    EXPECT_LT(SrcY(flat, 0, 0), 4);  // one row from each half of the cell
    EXPECT_GE(SrcY(flat, 0, 1), 4);
}

TEST(RenderElementImage, FramesOfAStrip) {
    // Four 6 x 5 frames side by side; each frame tagged in blue.
    Bitmap strip(24, 5);
    for (int f = 0; f < 4; ++f) Copy(strip, f * 6, 0, CoordinateImage(6, 5, 10 * (f + 1)), {0, 0, 6, 5});
    const Bitmap third = RenderElementImage({0, 0, 13, 9}, strip, {1, 1, 1, 1}, false, false, 4, 3);
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 13; ++x) ASSERT_EQ(BlueOf(third.GetPixel(x, y)), 30) << x << "," << y;
    EXPECT_EQ(SrcX(third, 12, 8), 5);

    // The same frames stacked: frame 2 of 4 of a 6 x 20 strip.
    Bitmap stacked(6, 20);
    for (int f = 0; f < 4; ++f) Copy(stacked, 0, f * 5, CoordinateImage(6, 5, 10 * (f + 1)), {0, 0, 6, 5});
    const Bitmap second = RenderElementImage({0, 0, 7, 7}, stacked, {2, 2, 2, 2}, true, false, 4, 2);
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 7; ++x) ASSERT_EQ(BlueOf(second.GetPixel(x, y)), 20) << x << "," << y;
}

TEST(RenderElementImage, TiledCentreStartsAtItsTopLeft) {
    const Bitmap strip = CoordinateImage(9, 7);
    const Margins m{2, 1, 3, 2};  // centre of the cell: x 2..5, y 1..4 (4 x 4)
    const Bitmap out = RenderElementImage({0, 0, 20, 15}, strip, m, false, true, 1, 1);
    for (int y = 1; y < 13; ++y)
        for (int x = 2; x < 17; ++x) {
            EXPECT_EQ(SrcX(out, x, y), 2 + (x - 2) % 4) << x << "," << y;
            EXPECT_EQ(SrcY(out, x, y), 1 + (y - 1) % 4) << x << "," << y;
        }
}

TEST(RenderElementImage, DamagedNumbersDrawNothingOrStayInTheCell) {
    Bitmap strip(20, 6);
    for (int f = 0; f < 2; ++f) Copy(strip, f * 10, 0, CoordinateImage(10, 6, f + 1), {0, 0, 10, 6});
    for (auto [count, frame] : {std::pair{0, 1}, {-3, 1}, {2, 0}, {2, 3}, {2, -1}, {21, 1}, {1 << 30, 1}})
        EXPECT_TRUE(RenderElementImage({0, 0, 8, 8}, strip, {}, false, false, count, frame).Empty()) << count << " " << frame;
    EXPECT_TRUE(RenderElementImage({8, 8, 0, 0}, strip, {}, false, false, 2, 1).Empty());
    EXPECT_TRUE(RenderElementImage({0, 0, 0, 5}, strip, {}, false, false, 2, 1).Empty());
    EXPECT_TRUE(RenderElementImage({0, 0, 8, 8}, Bitmap(), {}, false, false, 1, 1).Empty());

    // Negative and oversized margins never pull pixels from the neighbouring frame.
    for (Margins m : {Margins{-5, -5, -5, -5}, Margins{50, 50, 50, 50}, Margins{9, 5, 9, 5}, Margins{-1, 7, 100, -2}}) {
        const Bitmap out = RenderElementImage({0, 0, 30, 30}, strip, m, false, true, 2, 2);
        ASSERT_EQ(out.Width(), 30);
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 30; ++x) ASSERT_EQ(BlueOf(out.GetPixel(x, y)), 2) << x << "," << y;
    }

    // Drawing onto a bitmap: nothing at all for an inverted rectangle or a bad frame.
    Bitmap target(10, 10);
    target.Fill(0x445566);
    DrawElementImage(target, {9, 9, 2, 2}, strip, false, false, false, 2, 1, {});
    DrawElementImage(target, {0, 0, 10, 10}, strip, false, false, false, 2, 7, {});
    DrawElementBar(target, {0, 0, 10, 10}, strip, false, false, 0, 1, {});
    StretchStripBar(target, {0, 0, 10, 10}, strip, false, 2, 9, 1, 1);
    DrawStripImage(target, {0, 0, 10, 10}, strip, false, 3, 4);
    DrawStripImageCentered(target, {0, 0, 10, 10}, strip, true, 2, 0);
    TileImage(target, {0, 0, 10, 10}, strip, {4, 4, 4, 9});
    TileImage(target, {0, 0, 10, 10}, strip, {6, 4, 4, 2});
    DrawTransparent(target, {5, 5, 0, 0}, strip);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) ASSERT_EQ(target.GetPixel(x, y), 0x445566u);
}

TEST(DrawElementImage, TransparentLeavesKeyPixelsOfTheTarget) {
    Bitmap strip = CoordinateImage(8, 8, 5);
    FillRect(strip, {0, 0, 2, 2}, kKeyColor);  // a rounded-corner stand-in
    Bitmap target(12, 12);
    target.Fill(0x010203);
    DrawElementImage(target, {1, 1, 11, 11}, strip, false, false, true, 1, 1, {2, 2, 2, 2});
    EXPECT_EQ(target.GetPixel(1, 1), 0x010203u);
    EXPECT_EQ(target.GetPixel(2, 2), 0x010203u);
    EXPECT_EQ(target.GetPixel(3, 3), strip.GetPixel(2, 2));
    EXPECT_EQ(target.GetPixel(0, 0), 0x010203u);
    EXPECT_EQ(target.GetPixel(10, 10), strip.GetPixel(7, 7));
    EXPECT_EQ(target.GetPixel(11, 11), 0x010203u);
    // Copied, not transparent: the magenta arrives.
    DrawElementImage(target, {1, 1, 11, 11}, strip, false, false, false, 1, 1, {2, 2, 2, 2});
    EXPECT_EQ(target.GetPixel(1, 1), kKeyColor);
}

TEST(DrawElementBar, EndsStretchedAndMiddleRepeated) {
    // Cell 10 wide: left 2, middle 3 (x 2..4), right 5.
    const Bitmap strip = CoordinateImage(10, 4);
    Bitmap target(20, 8);
    DrawElementBar(target, {0, 0, 20, 8}, strip, false, false, 1, 1, {2, 0, 5, 0});
    for (int y = 0; y < 8; ++y) {
        EXPECT_EQ(SrcY(target, 0, y), y / 2);
        EXPECT_EQ(SrcX(target, 1, y), 1);
        for (int x = 2; x < 15; ++x) EXPECT_EQ(SrcX(target, x, y), 2 + (x - 2) % 3) << x;
        for (int x = 15; x < 20; ++x) EXPECT_EQ(SrcX(target, x, y), x - 10) << x;
    }
    // No middle (left + right fill the cell): ends only, nothing repeated in between.
    Bitmap gap(20, 4);
    gap.Fill(0x777777);
    DrawElementBar(gap, {0, 0, 20, 4}, strip, false, false, 1, 1, {4, 0, 6, 0});
    EXPECT_EQ(SrcX(gap, 3, 0), 3);
    EXPECT_EQ(gap.GetPixel(4, 0), 0u);  // the off-screen image starts black, there is no middle
    EXPECT_EQ(gap.GetPixel(13, 0), 0u);
    EXPECT_EQ(SrcX(gap, 14, 0), 4);
    // Ends wider than the cell together: each still drawn at its own width, the right one
    // over the left where they meet in the cell.
    Bitmap overlap(20, 4);
    DrawElementBar(overlap, {0, 0, 20, 4}, strip, false, false, 1, 1, {6, 0, 6, 0});
    for (int x = 0; x < 6; ++x) EXPECT_EQ(SrcX(overlap, x, 2), x) << x;
    for (int x = 6; x < 14; ++x) EXPECT_EQ(overlap.GetPixel(x, 2), 0u) << x;
    for (int x = 14; x < 20; ++x) EXPECT_EQ(SrcX(overlap, x, 2), x - 10) << x;
}

TEST(StretchStripBar, EndsAndMiddleOrTheWholeCell) {
    const Bitmap strip = CoordinateImage(10, 4);
    Bitmap wide(30, 4);
    StretchStripBar(wide, {0, 0, 30, 4}, strip, false, 1, 1, 3, 2);
    EXPECT_EQ(SrcX(wide, 2, 0), 2);
    EXPECT_EQ(SrcX(wide, 3, 0), 3);
    EXPECT_EQ(SrcX(wide, 27, 0), 7);
    EXPECT_EQ(SrcX(wide, 28, 0), 8);
    EXPECT_EQ(SrcX(wide, 29, 0), 9);
    Bitmap narrow(5, 4);
    StretchStripBar(narrow, {0, 0, 5, 4}, strip, false, 1, 1, 3, 2);
    for (int x = 0; x < 5; ++x) EXPECT_EQ(SrcX(narrow, x, 0), 2 * x + 1);  // the whole cell halved
    // Ends that overlap in the cell keep their widths; nothing is left for the middle.
    Bitmap ends(20, 4);
    StretchStripBar(ends, {0, 0, 20, 4}, strip, false, 1, 1, 7, 5);
    for (int x = 0; x < 7; ++x) EXPECT_EQ(SrcX(ends, x, 1), x) << x;
    for (int x = 7; x < 15; ++x) EXPECT_EQ(ends.GetPixel(x, 1), 0u) << x;
    for (int x = 15; x < 20; ++x) EXPECT_EQ(SrcX(ends, x, 1), x - 10) << x;
}

TEST(DrawStripImage, StretchedAndCentredCells) {
    Bitmap strip(12, 3);
    for (int f = 0; f < 3; ++f) Copy(strip, f * 4, 0, CoordinateImage(4, 3, f + 1), {0, 0, 4, 3});
    Bitmap target(9, 8);
    DrawStripImage(target, {1, 1, 9, 7}, strip, false, 3, 2);
    EXPECT_EQ(target.GetPixel(1, 1), Rgb(0, 0, 2));
    EXPECT_EQ(target.GetPixel(8, 6), Rgb(3, 2, 2));
    EXPECT_EQ(target.GetPixel(0, 0), 0u);

    Bitmap centred(11, 8);
    DrawStripImageCentered(centred, {0, 0, 11, 8}, strip, false, 3, 3);
    // (11 - 4) div 2 = 3, (8 - 3) div 2 = 2
    EXPECT_EQ(centred.GetPixel(3, 2), Rgb(0, 0, 3));
    EXPECT_EQ(centred.GetPixel(6, 4), Rgb(3, 2, 3));
    EXPECT_EQ(centred.GetPixel(2, 2), 0u);
    EXPECT_EQ(centred.GetPixel(7, 4), 0u);
}

TEST(RenderInto, WritesEveryPixelOfTheTargetAndNothingElse) {
    // A reused scratch image holds old pixels: the result must not depend on them.
    const Bitmap strip = CoordinateImage(30, 8, 4);  // three 10 x 8 frames
    const Rect target{3, 2, 3 + 17, 2 + 11};
    auto check = [&](const Bitmap& fresh, auto renderInto, const char* what) {
        Bitmap out(25, 16, PixelFormat::Bgra32);
        out.Fill(0x00ABCDEF);
        renderInto(out);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 25; ++x) {
                const bool inside = x >= target.left && x < target.right && y >= target.top && y < target.bottom;
                const Color want = inside ? fresh.GetPixel(x - target.left, y - target.top) : 0x00ABCDEFu;
                ASSERT_EQ(out.GetPixel(x, y) & 0xFFFFFF, want) << what << " at " << x << "," << y;
            }
    };
    for (Margins m : {Margins{2, 2, 2, 2}, Margins{5, 1, 5, 1}, Margins{3, 4, 3, 4}, Margins{0, 0, 10, 0}}) {
        for (bool tile : {false, true})
            check(RenderElementImage({0, 0, 17, 11}, strip, m, false, tile, 3, 2),
                  [&](Bitmap& out) { RenderElementInto(out, target, strip, m, false, tile, 3, 2); }, "nine-slice");
        check(RenderElementBar({0, 0, 17, 11}, strip, false, 3, 3, m),
              [&](Bitmap& out) { RenderElementBarInto(out, target, strip, false, 3, 3, m); }, "bar");
        check(RenderStretchStripBar({0, 0, 17, 11}, strip, false, 3, 1, m.left, m.right),
              [&](Bitmap& out) { RenderStretchStripBarInto(out, target, strip, false, 3, 1, m.left, m.right); },
              "stretch bar");
    }
}

TEST(DrawOntoBitmap, RectangleHangingOffTheTargetShowsTheMatchingCrop) {
    Bitmap strip = CoordinateImage(30, 8, 4);
    FillRect(strip, {10, 0, 12, 2}, kKeyColor);
    const Rect rect{-7, -5, 30, 25};  // 37 x 30, the target shows x 7..22, y 5..16
    const Rect whole{0, 0, 37, 30};
    auto check = [&](const Bitmap& full, auto draw, const char* what) {
        Bitmap target(16, 12);
        target.Fill(0x0000FF00);
        draw(target);
        for (int y = 0; y < 12; ++y)
            for (int x = 0; x < 16; ++x)
                ASSERT_EQ(target.GetPixel(x, y), full.GetPixel(x + 7, y + 5)) << what << " at " << x << "," << y;
    };
    const Margins m{2, 3, 2, 3};
    check(RenderElementImage(whole, strip, m, false, true, 3, 2),
          [&](Bitmap& t) { DrawElementImage(t, rect, strip, false, true, false, 3, 2, m); }, "nine-slice");
    check(RenderElementBar(whole, strip, false, 3, 2, m),
          [&](Bitmap& t) { DrawElementBar(t, rect, strip, false, false, 3, 2, m); }, "bar");
    check(RenderStretchStripBar(whole, strip, false, 3, 2, 3, 1),
          [&](Bitmap& t) { StretchStripBar(t, rect, strip, false, 3, 2, 3, 1); }, "stretch bar");
    check(RenderStripImage(whole, strip, 3, 2), [&](Bitmap& t) { DrawStripImage(t, rect, strip, false, 3, 2); },
          "strip image");
}
