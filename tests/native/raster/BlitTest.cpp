#include <gtest/gtest.h>

#include "raster/Blit.h"
#include "raster/Transform.h"
#include "PixelTestUtil.h"

using namespace raster;
using testutil::CoordinateImage;
using testutil::SrcX;
using testutil::SrcY;

TEST(Stretch, IntegerEnlargementRepeatsEachPixel) {
    const Bitmap src = CoordinateImage(4, 3);
    Bitmap dst(12, 6);
    Stretch(dst, BoundsOf(dst), src, BoundsOf(src));
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 12; ++x) {
            EXPECT_EQ(SrcX(dst, x, y), x / 3) << x << "," << y;
            EXPECT_EQ(SrcY(dst, x, y), y / 2) << x << "," << y;
        }
}

TEST(Stretch, MappingIsMonotonicAndReachesBothEnds) {
    const Bitmap src = CoordinateImage(7, 5);
    for (int w : {1, 2, 3, 5, 7, 11, 40}) {
        Bitmap dst(w, 9);
        Stretch(dst, BoundsOf(dst), src, {1, 1, 7, 5});  // a part, not the whole image
        EXPECT_EQ(SrcY(dst, 0, 0), 1);
        EXPECT_EQ(SrcY(dst, 0, 8), 4);
        if (w >= 6) {
            EXPECT_EQ(SrcX(dst, 0, 0), 1) << w;
            EXPECT_EQ(SrcX(dst, w - 1, 0), 6) << w;
        }
        for (int x = 1; x < w; ++x) {
            EXPECT_GE(SrcX(dst, x, 3), SrcX(dst, x - 1, 3)) << w;
            EXPECT_LE(SrcX(dst, x, 3) - SrcX(dst, x - 1, 3), 6 / w + 1) << w;  // no skipped source beyond the ratio
        }
    }
}

TEST(Stretch, ClippedTargetKeepsTheMappingOfTheWholeRectangle) {
    const Bitmap src = CoordinateImage(5, 4);
    Bitmap whole(23, 17);
    Stretch(whole, BoundsOf(whole), src, BoundsOf(src));
    // The same rectangle hanging off every side of a smaller bitmap.
    Bitmap small(10, 8);
    const int ox = -6, oy = -5;
    Stretch(small, RectOfSize(ox, oy, 23, 17), src, BoundsOf(src));
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 10; ++x) EXPECT_EQ(small.GetPixel(x, y), whole.GetPixel(x - ox, y - oy)) << x << "," << y;
}

TEST(Stretch, MixedPixelFormatsAndOutOfRangeParts) {
    const Bitmap src = CoordinateImage(3, 3, 9, PixelFormat::Bgr24);
    Bitmap dst(6, 6, PixelFormat::Bgra32);
    dst.Fill(0xFFFFFFFF);
    Stretch(dst, BoundsOf(dst), src, BoundsOf(src));
    EXPECT_EQ(dst.GetPixel(5, 5), Rgb(2, 2, 9));  // alpha 0, as GDI gives from 24 bits
    Bitmap back(3, 3, PixelFormat::Bgr24);
    Stretch(back, BoundsOf(back), dst, BoundsOf(dst));
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x) EXPECT_EQ(back.GetPixel(x, y), src.GetPixel(x, y));
    // Parts beyond the source, empty and inverted rectangles: nothing outside is read or written.
    Bitmap untouched(4, 4);
    untouched.Fill(0x123456);
    Stretch(untouched, BoundsOf(untouched), src, {3, 0, 9, 3});
    Stretch(untouched, {3, 3, 1, 1}, src, BoundsOf(src));
    Stretch(untouched, BoundsOf(untouched), src, {2, 2, 0, 0});
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) EXPECT_EQ(untouched.GetPixel(x, y), 0x123456u);
}

TEST(Tile, RepeatsFromTheTopLeftOfTheRectangle) {
    const Bitmap src = CoordinateImage(6, 5);
    const Rect part{1, 2, 4, 4};  // 3 x 2
    Bitmap dst(9, 7);
    const Rect target{-2, -1, 8, 6};  // starts off the bitmap: the phase stays the rectangle's
    Tile(dst, target, src, part);
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 9; ++x) {
            if (x >= 8 || y >= 6) {
                EXPECT_EQ(dst.GetPixel(x, y), 0u) << "outside the rectangle " << x << "," << y;
                continue;
            }
            EXPECT_EQ(SrcX(dst, x, y), 1 + (x - target.left) % 3) << x << "," << y;
            EXPECT_EQ(SrcY(dst, x, y), 2 + (y - target.top) % 2) << x << "," << y;
        }
}

TEST(CopyKeyed, LeavesOnlyExactKeyPixelsOut) {
    Bitmap src(4, 1);
    src.SetPixel(0, 0, kKeyColor);
    src.SetPixel(1, 0, Rgb(255, 1, 255));  // near magenta is a colour like any other
    src.SetPixel(2, 0, Rgb(254, 0, 255));
    src.SetPixel(3, 0, Rgb(10, 20, 30));
    for (PixelFormat f : {PixelFormat::Bgr24, PixelFormat::Bgra32}) {
        Bitmap dst(6, 2, f);
        dst.Fill(0x00ABCDEF);
        CopyKeyed(dst, 1, 1, src, BoundsOf(src));
        EXPECT_EQ(dst.GetPixel(1, 1), 0x00ABCDEFu);
        EXPECT_EQ(dst.GetPixel(2, 1) & 0xFFFFFF, Rgb(255, 1, 255));
        EXPECT_EQ(dst.GetPixel(3, 1) & 0xFFFFFF, Rgb(254, 0, 255));
        EXPECT_EQ(dst.GetPixel(4, 1) & 0xFFFFFF, Rgb(10, 20, 30));
        EXPECT_EQ(dst.GetPixel(1, 0), 0x00ABCDEFu);
    }
}

TEST(Transform, QuarterTurnsMirrorAndFlip) {
    const Bitmap original = CoordinateImage(5, 3);
    Bitmap left = original.Clone();
    RotateLeft(left);
    ASSERT_EQ(left.Width(), 3);
    ASSERT_EQ(left.Height(), 5);
    EXPECT_EQ(left.GetPixel(0, 0), original.GetPixel(4, 0));  // old top-right is the new top-left
    EXPECT_EQ(left.GetPixel(0, 4), original.GetPixel(0, 0));
    Bitmap right = original.Clone();
    RotateRight(right);
    EXPECT_EQ(right.GetPixel(2, 0), original.GetPixel(0, 0));  // old top-left is the new top-right
    EXPECT_EQ(right.GetPixel(0, 4), original.GetPixel(4, 2));

    for (PixelFormat f : {PixelFormat::Bgr24, PixelFormat::Bgra32}) {
        Bitmap b = CoordinateImage(7, 4, 3, f);
        RotateLeft(b);
        RotateRight(b);
        MirrorHorizontal(b);
        MirrorHorizontal(b);
        FlipVertical(b);
        FlipVertical(b);
        const Bitmap expect = CoordinateImage(7, 4, 3, f);
        ASSERT_EQ(b.Width(), 7);
        EXPECT_EQ(b.Format(), f);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 7; ++x) EXPECT_EQ(b.GetPixel(x, y), expect.GetPixel(x, y));
    }

    Bitmap mirrored = original.Clone();
    MirrorHorizontal(mirrored);
    Bitmap flipped = original.Clone();
    FlipVertical(flipped);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) {
            EXPECT_EQ(mirrored.GetPixel(x, y), original.GetPixel(4 - x, y));
            EXPECT_EQ(flipped.GetPixel(x, y), original.GetPixel(x, 2 - y));
        }
}
