#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "raster/BmpCodec.h"

using raster::Bitmap;
using raster::BmpError;
using raster::DecodeBmp;
using Bytes = std::vector<std::uint8_t>;

namespace {

std::string DataPath(const std::string& name) {
#ifdef _WIN32
    return std::string("Z:") + TV_RASTER_DATA + "/" + name;  // Wine maps the Unix root to Z:
#else
    return std::string(TV_RASTER_DATA) + "/" + name;
#endif
}

Bytes ReadFile(const std::string& name) {
    std::ifstream in(DataPath(name), std::ios::binary);
    EXPECT_TRUE(in.good()) << name;
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

// The plain-text PPM the committed BMPs were converted from: the independent reference.
struct Ppm {
    int width = 0, height = 0;
    std::vector<raster::Color> pixels;
    raster::Color At(int x, int y) const { return pixels[std::size_t(y * width + x)]; }
};

Ppm ReadPpm(const std::string& name) {
    std::ifstream in(DataPath(name));
    std::string magic;
    int maxValue = 0;
    Ppm p;
    in >> magic >> p.width >> p.height >> maxValue;
    EXPECT_EQ(magic, "P3");
    for (int i = 0; i < p.width * p.height; ++i) {
        int r, g, b;
        in >> r >> g >> b;
        p.pixels.push_back(raster::Rgb(r, g, b));
    }
    EXPECT_TRUE(in.good()) << name;
    return p;
}

void ExpectMatches(const Bitmap& bmp, const Ppm& ref, int tolerance, const std::string& what) {
    ASSERT_EQ(bmp.Width(), ref.width) << what;
    ASSERT_EQ(bmp.Height(), ref.height) << what;
    for (int y = 0; y < ref.height; ++y)
        for (int x = 0; x < ref.width; ++x) {
            const raster::Color got = bmp.GetPixel(x, y) & 0xFFFFFF, want = ref.At(x, y);
            EXPECT_NEAR(raster::RedOf(got), raster::RedOf(want), tolerance) << what << " at " << x << "," << y;
            EXPECT_NEAR(raster::GreenOf(got), raster::GreenOf(want), tolerance) << what << " at " << x << "," << y;
            EXPECT_NEAR(raster::BlueOf(got), raster::BlueOf(want), tolerance) << what << " at " << x << "," << y;
        }
}

// Builds a BMP byte by byte, so that each field can be set or broken on purpose.
struct BmpBuilder {
    std::uint32_t headerSize = 40;
    std::int32_t width = 2, height = 2;
    std::uint16_t planes = 1, bpp = 24;
    std::uint32_t compression = 0;
    std::uint32_t colorsUsed = 0;
    std::vector<std::uint32_t> masks;       // written after a 40-byte header, or inside a bigger one
    std::vector<std::uint8_t> palette;      // raw entries
    std::vector<std::uint8_t> pixels;       // raw rows, as stored
    long long offsetAdjust = 0;             // added to the honest pixel offset

    Bytes Build() const {
        Bytes out;
        auto put = [&](std::uint64_t v, int n) {
            for (int i = 0; i < n; ++i) out.push_back(std::uint8_t(v >> (8 * i)));
        };
        out.push_back('B');
        out.push_back('M');
        put(0, 4);  // file size: readers must not trust it
        put(0, 4);
        put(0, 4);  // offset, patched below
        put(headerSize, 4);
        if (headerSize == 12) {
            put(std::uint16_t(width), 2);
            put(std::uint16_t(height), 2);
            put(planes, 2);
            put(bpp, 2);
        } else {
            put(std::uint32_t(width), 4);
            put(std::uint32_t(height), 4);
            put(planes, 2);
            put(bpp, 2);
            put(compression, 4);
            put(pixels.size(), 4);
            put(2835, 4);
            put(2835, 4);
            put(colorsUsed, 4);
            put(0, 4);
            std::size_t inHeader = 0;
            for (; inHeader < masks.size() && 40 + 4 * (inHeader + 1) <= headerSize; ++inHeader) put(masks[inHeader], 4);
            while (out.size() < 14 + std::min<std::size_t>(headerSize, 124)) out.push_back(0);
            for (std::size_t i = inHeader; i < masks.size(); ++i) put(masks[i], 4);
        }
        out.insert(out.end(), palette.begin(), palette.end());
        const long long offset = (long long)out.size() + offsetAdjust;
        for (int i = 0; i < 4; ++i) out[10 + i] = std::uint8_t(std::uint32_t(offset) >> (8 * i));
        out.insert(out.end(), pixels.begin(), pixels.end());
        return out;
    }
};

// A 3x2 image in 24 bits, rows padded to 12 bytes; row 0 as stored comes first.
BmpBuilder Small24(bool topDown) {
    BmpBuilder b;
    b.width = 3;
    b.height = topDown ? -2 : 2;
    b.pixels = {1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 0, 0,  // first stored row
                10, 11, 12, 13, 14, 15, 16, 17, 18, 0, 0, 0};
    return b;
}

void ExpectRefused(const Bytes& file, const std::string& what) {
    EXPECT_THROW(DecodeBmp(file), BmpError) << what;
}

}  // namespace

TEST(BmpDecode, EveryDepthMatchesItsReferenceImage) {
    const Ppm ref2 = ReadPpm("ref2.ppm"), ref4 = ReadPpm("ref4.ppm"), ref20 = ReadPpm("ref20.ppm");
    ExpectMatches(DecodeBmp(ReadFile("ref2-1bpp.bmp")), ref2, 0, "1 bpp");
    ExpectMatches(DecodeBmp(ReadFile("ref4-4bpp.bmp")), ref4, 0, "4 bpp");
    ExpectMatches(DecodeBmp(ReadFile("ref20-8bpp.bmp")), ref20, 0, "8 bpp");
    ExpectMatches(DecodeBmp(ReadFile("ref4-24bpp.bmp")), ref4, 0, "24 bpp");
    ExpectMatches(DecodeBmp(ReadFile("ref4-core-4bpp.bmp")), ref4, 0, "core header, 4 bpp");
    ExpectMatches(DecodeBmp(ReadFile("ref4-core-24bpp.bmp")), ref4, 0, "core header, 24 bpp");
    // Five and six bits a channel: writers truncate or round, so one step either way.
    ExpectMatches(DecodeBmp(ReadFile("ref4-16bpp-555.bmp")), ref4, 255 / 31 + 1, "16 bpp 5-5-5");
    ExpectMatches(DecodeBmp(ReadFile("ref4-16bpp-565.bmp")), ref4, 255 / 31 + 1, "16 bpp 5-6-5");
    for (const char* name : {"ref2-1bpp.bmp", "ref4-4bpp.bmp", "ref20-8bpp.bmp", "ref4-24bpp.bmp", "ref4-16bpp-565.bmp"})
        EXPECT_EQ(DecodeBmp(ReadFile(name)).Format(), raster::PixelFormat::Bgr24) << name;
}

TEST(BmpDecode, AlphaMaskGivesA32BitBitmap) {
    // The file's alpha grows from 0 along each row and is the same down each column.
    const Bitmap bmp = DecodeBmp(ReadFile("ref4-32bpp-alpha.bmp"));
    ASSERT_EQ(bmp.Format(), raster::PixelFormat::Bgra32);
    ExpectMatches(bmp, ReadPpm("ref4.ppm"), 0, "32 bpp");
    for (int y = 0; y < bmp.Height(); ++y) {
        EXPECT_EQ(bmp.GetPixel(0, y) >> 24, 0u);
        for (int x = 1; x < bmp.Width(); ++x) {
            EXPECT_GT(bmp.GetPixel(x, y) >> 24, bmp.GetPixel(x - 1, y) >> 24);
            EXPECT_EQ(bmp.GetPixel(x, y) >> 24, bmp.GetPixel(x, 0) >> 24);
        }
    }
}

TEST(BmpDecode, TopDownAndBottomUpRows) {
    const Bitmap up = DecodeBmp(Small24(false).Build());
    const Bitmap down = DecodeBmp(Small24(true).Build());
    ASSERT_EQ(up.Height(), 2);
    ASSERT_EQ(down.Height(), 2);
    // Stored first = bottom row for a positive height, top row for a negative one.
    EXPECT_EQ(up.GetPixel(0, 1), raster::Rgb(3, 2, 1));
    EXPECT_EQ(up.GetPixel(2, 0), raster::Rgb(18, 17, 16));
    EXPECT_EQ(down.GetPixel(0, 0), raster::Rgb(3, 2, 1));
    EXPECT_EQ(down.GetPixel(2, 1), raster::Rgb(18, 17, 16));
}

TEST(BmpDecode, ThirtyTwoAndSixteenBitsWithoutMasks) {
    BmpBuilder b;
    b.width = 2;
    b.height = 1;
    b.bpp = 32;
    b.pixels = {0x10, 0x20, 0x30, 0x99, 0xFF, 0x00, 0x80, 0x00};  // fourth byte is padding, not alpha
    const Bitmap bmp32 = DecodeBmp(b.Build());
    EXPECT_EQ(bmp32.Format(), raster::PixelFormat::Bgr24);
    EXPECT_EQ(bmp32.GetPixel(0, 0), raster::Rgb(0x30, 0x20, 0x10));
    EXPECT_EQ(bmp32.GetPixel(1, 0), raster::Rgb(0x80, 0x00, 0xFF));

    b.bpp = 16;
    b.pixels = {0x00, 0x7C, 0x1F, 0x00, 0, 0};  // pure red, pure blue in 5-5-5; padded to 4 bytes
    b.width = 2;
    const Bitmap bmp16 = DecodeBmp(b.Build());
    EXPECT_EQ(bmp16.GetPixel(0, 0), raster::Rgb(255, 0, 0));
    EXPECT_EQ(bmp16.GetPixel(1, 0), raster::Rgb(0, 0, 255));

    // Bit fields after a 40-byte header: 4-4-4 with the high nibble unused.
    b.compression = 3;
    b.masks = {0x0F00, 0x00F0, 0x000F};
    b.pixels = {0x0F, 0x0A, 0xF0, 0xF0};
    const Bitmap fields = DecodeBmp(b.Build());
    EXPECT_EQ(fields.GetPixel(0, 0), raster::Rgb(0xAA, 0x00, 0xFF));
    EXPECT_EQ(fields.GetPixel(1, 0), raster::Rgb(0x00, 0xFF, 0x00));
}

TEST(BmpDecode, PaletteShorterThanTheDepth) {
    BmpBuilder b;
    b.width = 4;
    b.height = 1;
    b.bpp = 8;
    b.colorsUsed = 2;
    b.palette = {0, 0, 255, 0, 0, 255, 0, 0};  // red, green
    b.pixels = {1, 0, 7, 255};                  // 7 and 255 lie past the palette
    const Bitmap bmp = DecodeBmp(b.Build());
    EXPECT_EQ(bmp.GetPixel(0, 0), raster::Rgb(0, 255, 0));
    EXPECT_EQ(bmp.GetPixel(1, 0), raster::Rgb(255, 0, 0));
    EXPECT_EQ(bmp.GetPixel(2, 0), 0u);
    EXPECT_EQ(bmp.GetPixel(3, 0), 0u);

    // clrUsed 0 with only the entries before the pixel offset actually stored.
    b.colorsUsed = 0;
    const Bitmap shortPalette = DecodeBmp(b.Build());
    EXPECT_EQ(shortPalette.GetPixel(0, 0), raster::Rgb(0, 255, 0));
    EXPECT_EQ(shortPalette.GetPixel(2, 0), 0u);
}

TEST(BmpDecode, EveryTruncationIsRefused) {
    for (const char* name : {"ref2-1bpp.bmp", "ref20-8bpp.bmp", "ref4-16bpp-565.bmp", "ref4-32bpp-alpha.bmp", "ref4-core-4bpp.bmp"}) {
        const Bytes whole = ReadFile(name);
        ASSERT_NO_THROW(DecodeBmp(whole)) << name;
        for (std::size_t n = 0; n < whole.size(); ++n)
            ExpectRefused(Bytes(whole.begin(), whole.begin() + std::ptrdiff_t(n)), std::string(name) + " cut at " + std::to_string(n));
    }
}

TEST(BmpDecode, DamagedHeadersAreRefused) {
    ExpectRefused(ReadFile("ref20-rle8.bmp"), "RLE8");
    {
        Bytes notBmp = Small24(false).Build();
        notBmp[0] = 'P';
        ExpectRefused(notBmp, "signature");
    }
    auto refused = [](auto change, const std::string& what) {
        BmpBuilder b = Small24(false);
        change(b);
        ExpectRefused(b.Build(), what);
    };
    refused([](BmpBuilder& b) { b.width = 0; }, "zero width");
    refused([](BmpBuilder& b) { b.width = -3; }, "negative width");
    refused([](BmpBuilder& b) { b.height = 0; }, "zero height");
    refused([](BmpBuilder& b) { b.height = INT_MIN; }, "height INT_MIN");
    refused([](BmpBuilder& b) { b.width = 100000; }, "huge width");
    refused([](BmpBuilder& b) { b.width = 30000, b.height = 30000; }, "huge area");
    refused([](BmpBuilder& b) { b.width = INT_MAX, b.height = -INT_MAX; }, "huge both ways");
    refused([](BmpBuilder& b) { b.height = 3; }, "rows past end");
    refused([](BmpBuilder& b) { b.bpp = 7; }, "odd depth");
    refused([](BmpBuilder& b) { b.bpp = 0; }, "zero depth");
    refused([](BmpBuilder& b) { b.planes = 2; }, "planes");
    refused([](BmpBuilder& b) { b.compression = 3, b.masks = {0xFF0000, 0xFF00, 0xFF}; }, "bit fields on 24 bpp");
    refused([](BmpBuilder& b) { b.compression = 2; }, "RLE4");
    refused([](BmpBuilder& b) { b.compression = 4; }, "JPEG");
    refused([](BmpBuilder& b) { b.compression = 99; }, "unknown compression");
    refused([](BmpBuilder& b) { b.headerSize = 0; }, "header size 0");
    refused([](BmpBuilder& b) { b.headerSize = 41; }, "header size 41");
    refused([](BmpBuilder& b) { b.headerSize = 0xFFFFFFF0u; }, "header size past end");
    refused([](BmpBuilder& b) { b.offsetAdjust = 1000; }, "offset past end");
    refused([](BmpBuilder& b) { b.offsetAdjust = -20; }, "offset inside the header");
    refused([](BmpBuilder& b) { b.offsetAdjust = -54LL - 0x7FFFFFFFLL; }, "offset wraps");
    refused([](BmpBuilder& b) { b.bpp = 16, b.compression = 3, b.masks = {0x1F0000, 0x7E0, 0x1F}; }, "mask wider than 16 bits");
    refused([](BmpBuilder& b) { b.bpp = 16, b.compression = 3, b.masks = {0, 0, 0}; }, "empty masks");
    refused([](BmpBuilder& b) { b.bpp = 8, b.colorsUsed = 257; }, "palette over 256");
    refused([](BmpBuilder& b) { b.bpp = 8, b.colorsUsed = 200, b.palette.assign(16, 0), b.pixels.clear(); },
            "palette past end of file");
}

TEST(BmpDecode, DecodedImageSurvivesAnEncodeRoundTrip) {
    const Bitmap first = DecodeBmp(ReadFile("ref20-8bpp.bmp"));
    const Bitmap again = DecodeBmp(raster::EncodeBmp24(first));
    ASSERT_EQ(again.Width(), first.Width());
    ASSERT_EQ(again.Height(), first.Height());
    for (int y = 0; y < first.Height(); ++y)
        for (int x = 0; x < first.Width(); ++x) EXPECT_EQ(again.GetPixel(x, y), first.GetPixel(x, y));
}
