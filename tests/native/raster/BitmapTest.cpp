#include <gtest/gtest.h>

#include "raster/Bitmap.h"

using raster::Bitmap;
using raster::PixelFormat;

TEST(Bitmap, RowsAreAlignedAndTopDown) {
    Bitmap b(5, 3, PixelFormat::Bgr24);
    EXPECT_EQ(b.Stride(), 16u);  // 15 bytes rounded up to 4
    b.SetPixel(0, 0, raster::Rgb(1, 2, 3));
    const std::uint8_t* row0 = b.ScanLine(0);
    EXPECT_EQ(row0[0], 3);  // blue first
    EXPECT_EQ(row0[2], 1);
    EXPECT_EQ(b.ScanLine(1) - b.ScanLine(0), 16);
    EXPECT_EQ(b.GetPixel(4, 2), 0u);  // starts black
}

TEST(Bitmap, OutOfRangeAccessIsHarmless) {
    Bitmap b(2, 2);
    b.SetPixel(-1, 0, 0xFFFFFF);
    b.SetPixel(2, 1, 0xFFFFFF);
    EXPECT_EQ(b.GetPixel(2, 0), 0u);
    EXPECT_EQ(b.GetPixel(0, -1), 0u);
    Bitmap empty(0, 7);
    EXPECT_TRUE(empty.Empty());
    EXPECT_EQ(empty.Width(), 0);
}

TEST(Bitmap, CloneAndMoveKeepPixels) {
    Bitmap a(3, 2, PixelFormat::Bgra32);
    a.Fill(0x80FF00FF);
    Bitmap c = a.Clone();
    a.SetPixel(1, 1, 0);
    EXPECT_EQ(c.GetPixel(1, 1), 0x80FF00FFu);
    Bitmap m = std::move(c);
    EXPECT_TRUE(c.Empty());
    EXPECT_EQ(m.GetPixel(2, 0), 0x80FF00FFu);
}
