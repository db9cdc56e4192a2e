#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "Icon.h"

namespace {

using raster::Bitmap;
using raster::Color;
using raster::PixelFormat;
using Bytes = std::vector<std::uint8_t>;

constexpr Color kBlue = raster::Rgb(0x2f, 0x6f, 0xd6);
constexpr Color kWhite = raster::Rgb(0xff, 0xff, 0xff);

Color RgbOf(Color c) { return c & 0xFFFFFF; }
int AlphaOf(Color c) { return int(c >> 24); }

std::uint32_t Le16(const Bytes& d, std::size_t at) { return d.at(at) | std::uint32_t(d.at(at + 1)) << 8; }
std::uint32_t Le32(const Bytes& d, std::size_t at) { return Le16(d, at) | Le16(d, at + 2) << 16; }

TEST(ProgramIcon, EverySizeShowsTheWindowAndTheDashedOneItHidesOnARoundedSquare) {
    for (int s : skingen::kProgramIconSizes) {
        SCOPED_TRACE("size " + std::to_string(s));
        const Bitmap icon = skingen::DrawProgramIcon(s);
        ASSERT_EQ(icon.Width(), s);
        ASSERT_EQ(icon.Height(), s);
        ASSERT_EQ(icon.Format(), PixelFormat::Bgra32);
        auto at = [s](int sixteenths) { return s * sixteenths / 16; };

        // Only the rounded corners are see-through, and alpha is straight: every visible pixel
        // is exactly blue or white, however faint.
        const int r = s / 6;
        for (int y = 0; y < s; ++y)
            for (int x = 0; x < s; ++x) {
                const Color c = icon.GetPixel(x, y);
                const bool corner = (x < r || x >= s - r) && (y < r || y >= s - r);
                if (!corner) {
                    EXPECT_EQ(AlphaOf(c), 255) << x << "," << y;
                }
                if (AlphaOf(c) > 0) {
                    EXPECT_TRUE(RgbOf(c) == kBlue || RgbOf(c) == kWhite) << x << "," << y;
                } else {
                    EXPECT_EQ(RgbOf(c), 0u) << "hidden pixels are black for the mask";
                }
            }
        EXPECT_LT(AlphaOf(icon.GetPixel(0, 0)), 128);
        EXPECT_LT(AlphaOf(icon.GetPixel(s - 1, s - 1)), 128);
        EXPECT_EQ(RgbOf(icon.GetPixel(0, s / 2)), kBlue);

        // The window: a white frame with a caption band over a blue client area.
        for (int y = at(6); y <= at(11); ++y) EXPECT_EQ(RgbOf(icon.GetPixel(at(3), y)), kWhite) << "left frame " << y;
        for (int x = at(3); x < at(7); ++x) EXPECT_EQ(RgbOf(icon.GetPixel(x, at(12))), kWhite) << "bottom frame " << x;
        for (int x = at(4); x < at(7); ++x) EXPECT_EQ(RgbOf(icon.GetPixel(x, at(4))), kWhite) << "caption " << x;
        EXPECT_EQ(RgbOf(icon.GetPixel(at(4), at(11))), kBlue) << "client area";
        EXPECT_EQ(RgbOf(icon.GetPixel(at(3) - 1, at(8))), kBlue) << "outside the window";

        // The hidden window's top edge is dashed two on, two off; its inside is left alone.
        std::vector<int> runs;
        for (int x = at(7); x <= at(14); ++x) {
            const bool white = RgbOf(icon.GetPixel(x, at(2))) == kWhite;
            const bool previous = x > at(7) && RgbOf(icon.GetPixel(x - 1, at(2))) == kWhite;
            if (x == at(7) || white != previous) runs.push_back(0);
            ++runs.back();
        }
        ASSERT_GE(runs.size(), 3u);
        for (std::size_t i = 1; i + 1 < runs.size(); ++i) EXPECT_EQ(runs[i], 2) << "dash " << i;
        EXPECT_EQ(RgbOf(icon.GetPixel(at(7), at(2))), kWhite) << "dashes start at the corner";
        EXPECT_EQ(RgbOf(icon.GetPixel(at(14) - 1, at(2) + 1)), kBlue) << "inside the hidden window";
    }
}

TEST(IconFile, EachImageIsA32BitEntryWithItsMaskAndTheDirectoryPointsAtIt) {
    std::vector<Bitmap> images;
    for (int s : skingen::kProgramIconSizes) images.push_back(skingen::DrawProgramIcon(s));
    Bitmap opaque(5, 3, PixelFormat::Bgr24);  // mask rows padded to 32 bits; no alpha of its own
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) opaque.SetPixel(x, y, raster::Rgb(x * 40, y * 80, 7));
    images.push_back(std::move(opaque));
    Bitmap big(256, 256, PixelFormat::Bgra32);  // a side of 256 is written as 0
    big.SetPixel(255, 0, 0x80123456);
    images.push_back(std::move(big));

    const Bytes ico = skingen::EncodeIco(images);
    ASSERT_GE(ico.size(), 6u);
    EXPECT_EQ(Le16(ico, 0), 0u);
    EXPECT_EQ(Le16(ico, 2), 1u);
    ASSERT_EQ(Le16(ico, 4), images.size());
    std::size_t expectedOffset = 6 + 16 * images.size();
    for (std::size_t i = 0; i < images.size(); ++i) {
        SCOPED_TRACE("image " + std::to_string(i));
        const Bitmap& b = images[i];
        const int w = b.Width(), h = b.Height();
        const std::size_t dir = 6 + 16 * i;
        EXPECT_EQ(ico[dir], w == 256 ? 0 : w);
        EXPECT_EQ(ico[dir + 1], h == 256 ? 0 : h);
        EXPECT_EQ(Le16(ico, dir + 4), 1u);
        EXPECT_EQ(Le16(ico, dir + 6), 32u);
        const std::size_t size = Le32(ico, dir + 8), offset = Le32(ico, dir + 12);
        EXPECT_EQ(offset, expectedOffset) << "entries follow one another";
        const std::size_t maskStride = (std::size_t(w) + 31) / 32 * 4;
        ASSERT_EQ(size, 40 + std::size_t(w) * h * 4 + maskStride * h);
        ASSERT_LE(offset + size, ico.size());
        expectedOffset = offset + size;

        EXPECT_EQ(Le32(ico, offset), 40u);
        EXPECT_EQ(Le32(ico, offset + 4), std::uint32_t(w));
        EXPECT_EQ(Le32(ico, offset + 8), std::uint32_t(2 * h)) << "colour and mask rows";
        EXPECT_EQ(Le16(ico, offset + 12), 1u);
        EXPECT_EQ(Le16(ico, offset + 14), 32u);
        EXPECT_EQ(Le32(ico, offset + 16), 0u);
        int wrong = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const std::size_t row = std::size_t(h - 1 - y);
                const std::uint8_t* p = ico.data() + offset + 40 + (row * std::size_t(w) + std::size_t(x)) * 4;
                const Color c = b.GetPixel(x, y);
                const int alpha = b.Format() == PixelFormat::Bgra32 ? AlphaOf(c) : 255;
                const bool masked = ico[offset + 40 + std::size_t(w) * h * 4 + row * maskStride + std::size_t(x) / 8] &
                                    (0x80 >> (x % 8));
                if (p[0] != raster::BlueOf(c) || p[1] != raster::GreenOf(c) || p[2] != raster::RedOf(c) ||
                    p[3] != alpha || masked != (alpha == 0))
                    if (wrong++ < 3) ADD_FAILURE() << "pixel " << x << "," << y;
            }
        EXPECT_EQ(wrong, 0);
        // Mask bits past the width stay clear.
        const std::size_t maskAt = offset + 40 + std::size_t(w) * h * 4;
        for (int row = 0; row < h; ++row)
            for (std::size_t bit = std::size_t(w); bit < maskStride * 8; ++bit)
                EXPECT_FALSE(ico[maskAt + std::size_t(row) * maskStride + bit / 8] & (0x80 >> (bit % 8)));
    }
    EXPECT_EQ(expectedOffset, ico.size()) << "nothing after the last image";
}

TEST(IconFile, NoImagesOrSidesOutsideOneTo256AreRefused) {
    EXPECT_THROW(skingen::EncodeIco({}), std::invalid_argument);
    std::vector<Bitmap> wide;
    wide.emplace_back(257, 16, PixelFormat::Bgra32);
    EXPECT_THROW(skingen::EncodeIco(wide), std::invalid_argument);
    std::vector<Bitmap> empty;
    empty.emplace_back();
    EXPECT_THROW(skingen::EncodeIco(empty), std::invalid_argument);
}

}  // namespace
