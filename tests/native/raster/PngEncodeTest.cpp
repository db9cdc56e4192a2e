#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>
#include <set>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "raster/PngEncode.h"

#ifdef TV_HAVE_ZLIB
#include <zlib.h>
#endif

using raster::Bitmap;
using raster::PixelFormat;
using Bytes = std::vector<std::uint8_t>;

namespace {

// ---- an independent reader: what any PNG decoder would check ----

std::uint32_t ReferenceCrc(const std::uint8_t* p, std::size_t n) {
    std::uint32_t crc = 0xFFFFFFFF;
    for (std::size_t i = 0; i < n; ++i) {
        crc ^= p[i];
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    return ~crc;
}

std::uint32_t ReferenceAdler(const Bytes& data) {
    std::uint32_t a = 1, b = 0;
    for (std::uint8_t v : data) {
        a = (a + v) % 65521;
        b = (b + a) % 65521;
    }
    return b << 16 | a;
}

std::uint32_t BigEndian32(const Bytes& d, std::size_t at) {
    if (at + 4 > d.size()) throw std::runtime_error("truncated");
    return std::uint32_t(d[at]) << 24 | std::uint32_t(d[at + 1]) << 16 | std::uint32_t(d[at + 2]) << 8 | d[at + 3];
}

struct Block {
    int type;
    bool final;
    std::size_t storedLength;  // stored blocks only
};

// Deflate decoding after RFC 1951, with Huffman tables built from code lengths as a
// general inflater builds them. Dynamic blocks are refused: our writer makes none.
class Inflater {
public:
    Inflater(const Bytes& in, std::size_t at) : in_(in), pos_(at) {}

    Bytes Run(std::vector<Block>& blocks) {
        Bytes out;
        bool final = false;
        while (!final) {
            final = Bits(1) != 0;
            const int type = int(Bits(2));
            Block block{type, final, 0};
            if (type == 0) {
                if (bitsUsed_ != 0) {  // to the byte boundary
                    bitsUsed_ = 0;
                    ++pos_;
                }
                const std::size_t len = Byte() | std::size_t(Byte()) << 8;
                const std::size_t nlen = Byte() | std::size_t(Byte()) << 8;
                if ((len ^ 0xFFFF) != nlen) throw std::runtime_error("stored length check");
                for (std::size_t i = 0; i < len; ++i) out.push_back(Byte());
                block.storedLength = len;
            } else if (type == 1) {
                Fixed(out);
            } else {
                throw std::runtime_error("unexpected block type " + std::to_string(type));
            }
            blocks.push_back(block);
        }
        if (bitsUsed_ != 0) {
            ++pos_;
            bitsUsed_ = 0;
        }
        return out;
    }
    std::size_t Position() const { return pos_; }

private:
    struct Huffman {
        std::vector<int> count = std::vector<int>(16, 0);
        std::vector<int> symbol;
        explicit Huffman(const std::vector<int>& lengths) {
            symbol.resize(lengths.size());
            for (int l : lengths) ++count[std::size_t(l)];
            std::vector<int> offset(16, 0);
            for (int l = 1; l < 15; ++l) offset[std::size_t(l + 1)] = offset[std::size_t(l)] + count[std::size_t(l)];
            for (std::size_t s = 0; s < lengths.size(); ++s)
                if (lengths[s] != 0) symbol[std::size_t(offset[std::size_t(lengths[s])]++)] = int(s);
        }
    };

    std::uint8_t Byte() {
        if (pos_ >= in_.size()) throw std::runtime_error("deflate stream truncated");
        return in_[pos_++];
    }
    std::uint32_t Bits(int n) {
        std::uint32_t v = 0;
        for (int i = 0; i < n; ++i) {
            if (pos_ >= in_.size()) throw std::runtime_error("deflate stream truncated");
            v |= std::uint32_t((in_[pos_] >> bitsUsed_) & 1) << i;
            if (++bitsUsed_ == 8) {
                bitsUsed_ = 0;
                ++pos_;
            }
        }
        return v;
    }
    int Decode(const Huffman& h) {
        int code = 0, first = 0, index = 0;
        for (int len = 1; len < 16; ++len) {
            code |= int(Bits(1));
            const int count = h.count[std::size_t(len)];
            if (code - count < first) return h.symbol[std::size_t(index + (code - first))];
            index += count;
            first = (first + count) << 1;
            code <<= 1;
        }
        throw std::runtime_error("bad Huffman code");
    }
    void Fixed(Bytes& out) {
        std::vector<int> lit(288);
        for (int s = 0; s < 288; ++s) lit[std::size_t(s)] = s < 144 ? 8 : s < 256 ? 9 : s < 280 ? 7 : 8;
        const Huffman litCodes(lit), distCodes(std::vector<int>(30, 5));
        static const int lbase[] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                    31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
        static const int lext[] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
        static const int dbase[] = {1,    2,    3,    4,    5,    7,     9,     13,    17,  25,
                                    33,   49,   65,   97,   129,  193,   257,   385,   513, 769,
                                    1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
        static const int dext[] = {0, 0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
        for (;;) {
            const int sym = Decode(litCodes);
            if (sym < 256) {
                out.push_back(std::uint8_t(sym));
            } else if (sym == 256) {
                return;
            } else {
                if (sym > 285) throw std::runtime_error("bad length symbol");
                const int len = lbase[sym - 257] + int(Bits(lext[sym - 257]));
                const int dsym = Decode(distCodes);
                if (dsym > 29) throw std::runtime_error("bad distance symbol");
                const std::size_t dist = std::size_t(dbase[dsym]) + Bits(dext[dsym]);
                if (dist > 32768 || dist > out.size()) throw std::runtime_error("distance too far back");
                for (int i = 0; i < len; ++i) out.push_back(out[out.size() - dist]);
            }
        }
    }

    const Bytes& in_;
    std::size_t pos_;
    int bitsUsed_ = 0;
};

struct ZlibContents {
    Bytes data;
    std::vector<Block> blocks;
};

ZlibContents Unzlib(const Bytes& stream) {
    if (stream.size() < 6) throw std::runtime_error("zlib stream too short");
    const unsigned cmf = stream[0], flg = stream[1];
    if ((cmf & 15) != 8 || (cmf >> 4) > 7) throw std::runtime_error("not deflate with a 32K window or less");
    if ((cmf * 256 + flg) % 31 != 0) throw std::runtime_error("header check bits");
    if (flg & 0x20) throw std::runtime_error("preset dictionary");
    Inflater inflater(stream, 2);
    ZlibContents result;
    result.data = inflater.Run(result.blocks);
    if (BigEndian32(stream, inflater.Position()) != ReferenceAdler(result.data)) throw std::runtime_error("Adler-32");
    if (inflater.Position() + 4 != stream.size()) throw std::runtime_error("bytes after the stream");
#ifdef TV_HAVE_ZLIB
    // zlib itself must agree.
    Bytes check(result.data.size() + 1);
    uLongf size = uLongf(check.size());
    if (uncompress(check.data(), &size, stream.data(), uLong(stream.size())) != Z_OK) throw std::runtime_error("zlib refuses it");
    check.resize(size);
    if (check != result.data) throw std::runtime_error("zlib reads other bytes");
#endif
    return result;
}

struct Png {
    std::uint32_t width = 0, height = 0;
    int colourType = -1;
    int idatChunks = 0;
    std::set<int> filters;
    Bytes pixels;  // unfiltered rows, RGB or RGBA
    std::vector<Block> blocks;
};

int ReferencePaeth(int a, int b, int c) {
    const int p = a + b - c;
    const int pa = p > a ? p - a : a - p, pb = p > b ? p - b : b - p, pc = p > c ? p - c : c - p;
    return pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
}

Png ReadPng(const Bytes& file) {
    static const std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (file.size() < 8 || std::memcmp(file.data(), kSignature, 8) != 0) throw std::runtime_error("signature");
    Png png;
    Bytes stream;
    std::size_t at = 8;
    bool ended = false;
    for (int index = 0; !ended; ++index) {
        const std::uint32_t len = BigEndian32(file, at);
        if (at + 12 + len > file.size()) throw std::runtime_error("chunk runs past the file");
        const std::string type(file.begin() + std::ptrdiff_t(at + 4), file.begin() + std::ptrdiff_t(at + 8));
        if (BigEndian32(file, at + 8 + len) != ReferenceCrc(file.data() + at + 4, len + 4))
            throw std::runtime_error("CRC of " + type);
        const std::uint8_t* body = file.data() + at + 8;
        if (index == 0 && type != "IHDR") throw std::runtime_error("IHDR is not first");
        if (type == "IHDR") {
            if (len != 13) throw std::runtime_error("IHDR size");
            png.width = BigEndian32(file, at + 8);
            png.height = BigEndian32(file, at + 12);
            if (body[8] != 8) throw std::runtime_error("bit depth");
            png.colourType = body[9];
            if (body[10] != 0 || body[11] != 0 || body[12] != 0) throw std::runtime_error("method bytes");
        } else if (type == "IDAT") {
            ++png.idatChunks;
            stream.insert(stream.end(), body, body + len);
        } else if (type == "IEND") {
            if (len != 0) throw std::runtime_error("IEND has data");
            ended = true;
        }
        at += 12 + len;
    }
    if (at != file.size()) throw std::runtime_error("bytes after IEND");
    if (png.colourType != 2 && png.colourType != 6) throw std::runtime_error("colour type");

    ZlibContents z = Unzlib(stream);
    png.blocks = z.blocks;
    const std::size_t bpp = png.colourType == 6 ? 4 : 3;
    const std::size_t rowSize = png.width * bpp;
    if (z.data.size() != (rowSize + 1) * png.height) throw std::runtime_error("image data size");
    png.pixels.assign(rowSize * png.height, 0);
    for (std::size_t y = 0; y < png.height; ++y) {
        const std::uint8_t* in = z.data.data() + y * (rowSize + 1);
        const int filter = in[0];
        png.filters.insert(filter);
        std::uint8_t* row = png.pixels.data() + y * rowSize;
        const std::uint8_t* up = y > 0 ? row - rowSize : nullptr;
        for (std::size_t i = 0; i < rowSize; ++i) {
            const int a = i >= bpp ? row[i - bpp] : 0, b = up ? up[i] : 0, c = up && i >= bpp ? up[i - bpp] : 0;
            int pred;
            switch (filter) {
                case 0: pred = 0; break;
                case 1: pred = a; break;
                case 2: pred = b; break;
                case 3: pred = (a + b) >> 1; break;
                case 4: pred = ReferencePaeth(a, b, c); break;
                default: throw std::runtime_error("filter type " + std::to_string(filter));
            }
            row[i] = std::uint8_t(in[1 + i] + pred);
        }
    }
    return png;
}

// ---- pictures ----

Bitmap Noise(int w, int h, PixelFormat f, unsigned seed) {
    Bitmap b(w, h, f);
    std::mt19937 rng(seed);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) b.SetPixel(x, y, raster::Color(rng()));
    return b;
}

// Horizontal ramps, repeated rows and a diagonal: pictures where different filters win.
Bitmap Ramps(int w, int h, PixelFormat f) {
    Bitmap b(w, h, f);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            raster::Color c;
            if (y < h / 3) c = raster::Rgb(x * 3, x * 5, x * 7);
            else if (y < 2 * h / 3) c = raster::Rgb((x * 37) % 256, (x * 91) % 256, (x * 13) % 256);
            else c = raster::Rgb(x + y * 2, x * 2 + y, x + y);
            b.SetPixel(x, y, c | raster::Color((x + y) & 0xFF) << 24);
        }
    return b;
}

// Smooth shading with a little grain, like a photograph or a gradient caption: the rows where
// Average and Paeth win, and where their rounding and tie rules matter.
Bitmap Shading(int w, int h, PixelFormat f, unsigned seed) {
    Bitmap b(w, h, f);
    std::mt19937 rng(seed);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            auto channel = [&](double phase) {
                const double v = 128 + 60 * std::sin(x / 9.0 + phase) + 50 * std::cos(y / 7.0 - phase);
                return int(v) + int(rng() % 7) - 3;
            };
            b.SetPixel(x, y, raster::Rgb(channel(0), channel(1), channel(2)) | raster::Color(x * 7 + y) << 24);
        }
    return b;
}

// Junk in the row padding must not reach the file.
void SoilPadding(Bitmap& b) {
    const std::size_t used = std::size_t(b.Width()) * std::size_t(b.BytesPerPixel());
    for (int y = 0; y < b.Height(); ++y)
        for (std::size_t i = used; i < b.Stride(); ++i) b.ScanLine(y)[i] = 0xAB;
}

Bytes Text(std::string_view s) { return Bytes(s.begin(), s.end()); }

void ExpectPixels(const Bitmap& b, const Png& png, bool alpha, const std::string& what) {
    ASSERT_EQ(png.width, std::uint32_t(b.Width())) << what;
    ASSERT_EQ(png.height, std::uint32_t(b.Height())) << what;
    ASSERT_EQ(png.colourType, alpha ? 6 : 2) << what;
    const std::size_t bpp = alpha ? 4 : 3;
    int wrong = 0;
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x) {
            const raster::Color c = b.GetPixel(x, y);
            const std::uint8_t* p = png.pixels.data() + (std::size_t(y) * png.width + std::size_t(x)) * bpp;
            const bool same = p[0] == raster::RedOf(c) && p[1] == raster::GreenOf(c) && p[2] == raster::BlueOf(c) &&
                              (!alpha || p[3] == (c >> 24));
            if (!same && wrong++ < 3) ADD_FAILURE() << what << ": pixel " << x << "," << y;
        }
    EXPECT_EQ(wrong, 0) << what;
}

}  // namespace

TEST(Checksums, AgreeWithTheStandardCheckValuesAndAReferenceAndContinueAcrossParts) {
    const Bytes digits = Text("123456789");
    EXPECT_EQ(raster::Crc32(digits), 0xCBF43926u);
    EXPECT_EQ(raster::Adler32(Text("Wikipedia")), 0x11E60398u);

    // Long enough for the deferred modulo of Adler-32 to matter; all 0xFF is its worst case.
    Bytes ones(100000, 0xFF);
    EXPECT_EQ(raster::Adler32(ones), ReferenceAdler(ones));
    Bytes noise(70001);
    std::mt19937 rng(7);
    for (auto& v : noise) v = std::uint8_t(rng());
    EXPECT_EQ(raster::Crc32(noise), ReferenceCrc(noise.data(), noise.size()));
    EXPECT_EQ(raster::Adler32(noise), ReferenceAdler(noise));

    const std::span<const std::uint8_t> all(noise);
    for (std::size_t cut : {std::size_t(0), std::size_t(1), std::size_t(5552), std::size_t(40000)}) {
        EXPECT_EQ(raster::Crc32(all.subspan(cut), raster::Crc32(all.first(cut))), raster::Crc32(all)) << cut;
        EXPECT_EQ(raster::Adler32(all.subspan(cut), raster::Adler32(all.first(cut))), raster::Adler32(all)) << cut;
    }
}

TEST(ZlibStream, EveryKindOfDataComesBackWhetherCodedOrStored) {
    std::mt19937 rng(11);
    Bytes random(200000);
    for (auto& v : random) v = std::uint8_t(rng());
    // A block of noise repeated: matches exactly one window (32768) back.
    Bytes repeated(random.begin(), random.begin() + 32768);
    for (int i = 0; i < 2; ++i) repeated.insert(repeated.end(), random.begin(), random.begin() + 32768);
    // Matches that overlap their own output, and runs cut at block boundaries.
    Bytes periodic;
    while (periodic.size() < 140000) periodic.push_back(std::uint8_t("abcabcabx"[periodic.size() % 9]));
    const std::vector<std::pair<std::string, Bytes>> inputs = {
        {"empty", {}},
        {"one byte", {0x42}},
        {"text", Text("the quick brown fox jumps over the lazy dog; the quick brown fox jumps again")},
        {"zeros", Bytes(1 << 20, 0)},
        {"noise", random},
        {"window", repeated},
        {"periodic", periodic},
        {"one block", Bytes(65535, 7)},
        {"one block and a byte", Bytes(65536, 7)},
        {"two blocks less a byte", Bytes(131069, 3)},
    };
    for (const auto& [name, data] : inputs)
        for (bool compress : {true, false}) {
            const std::string what = name + (compress ? " coded" : " stored");
            ZlibContents z;
            ASSERT_NO_THROW(z = Unzlib(raster::ZlibCompress(data, compress))) << what;
            EXPECT_EQ(z.data, data) << what;
            ASSERT_FALSE(z.blocks.empty()) << what;
            for (std::size_t i = 0; i < z.blocks.size(); ++i) EXPECT_EQ(z.blocks[i].final, i + 1 == z.blocks.size()) << what;
            if (!compress) {
                for (const Block& b : z.blocks) EXPECT_EQ(b.type, 0) << what;
            }
        }
}

TEST(ZlibStream, FlatDataShrinksAndNoiseCostsOnlyTheFraming) {
    const Bytes zeros(1 << 20, 0);
    const Bytes flat = raster::ZlibCompress(zeros);
    EXPECT_LT(flat.size(), zeros.size() / 100);

    Bytes noise(300000);
    std::mt19937 rng(3);
    for (auto& v : noise) v = std::uint8_t(rng());
    const Bytes packed = raster::ZlibCompress(noise);
    // Two header bytes, four of Adler-32, five per stored block of at most 65535 bytes.
    EXPECT_LE(packed.size(), noise.size() + 6 + 5 * ((noise.size() + 65534) / 65535));
    ZlibContents z = Unzlib(packed);
    EXPECT_EQ(z.data, noise);
    for (const Block& b : z.blocks) {
        EXPECT_EQ(b.type, 0);
        EXPECT_LE(b.storedLength, 65535u);
    }
}

TEST(EncodePng, PixelsComeBackExactlyInEveryFormatSizeAndMode) {
    struct Case {
        int w, h;
        PixelFormat format;
        bool alpha;
    };
    const std::vector<Case> cases = {
        {1, 1, PixelFormat::Bgr24, true},    {1, 1, PixelFormat::Bgra32, true},  {3, 2, PixelFormat::Bgr24, true},
        {5, 7, PixelFormat::Bgr24, true},    {5, 7, PixelFormat::Bgra32, true},  {5, 7, PixelFormat::Bgra32, false},
        {64, 48, PixelFormat::Bgra32, true}, {257, 130, PixelFormat::Bgr24, true},  // > 65535 bytes of rows
        {200, 120, PixelFormat::Bgra32, true},
    };
    unsigned seed = 1;
    for (const Case& c : cases)
        for (const char* picture : {"ramps", "noise", "shading"})
            for (bool compress : {true, false}) {
                const std::string kind = picture;
                Bitmap b = kind == "ramps"   ? Ramps(c.w, c.h, c.format)
                           : kind == "noise" ? Noise(c.w, c.h, c.format, seed++)
                                             : Shading(c.w, c.h, c.format, seed++);
                SoilPadding(b);
                const std::string what = std::to_string(c.w) + "x" + std::to_string(c.h) + "x" +
                                         std::to_string(int(c.format)) + (c.alpha ? " alpha " : " opaque ") + kind +
                                         (compress ? " coded" : " stored");
                Png png;
                ASSERT_NO_THROW(png = ReadPng(raster::EncodePng(b, {.alpha = c.alpha, .compress = compress}))) << what;
                ExpectPixels(b, png, c.alpha && c.format == PixelFormat::Bgra32, what);
                if (!compress && std::size_t(c.w) * 3 * std::size_t(c.h) > 65535) {
                    EXPECT_GT(png.blocks.size(), 1u) << what;
                }
            }
}

TEST(EncodePng, RowsPickFittingFiltersAndFlatPicturesShrink) {
    const Bitmap ramps = Ramps(300, 90, PixelFormat::Bgr24);
    const Bytes coded = raster::EncodePng(ramps), stored = raster::EncodePng(ramps, {.compress = false});
    const Png png = ReadPng(coded);
    ExpectPixels(ramps, png, false, "ramps");
    // Ramps favour Sub, repeated rows Up, the diagonal Paeth or Average: one filter for all is wrong.
    EXPECT_GE(png.filters.size(), 2u);
    EXPECT_LT(coded.size(), stored.size() / 4);

    Bitmap flat(640, 480);
    flat.Fill(raster::Rgb(0x2f, 0x6f, 0xd6));
    EXPECT_LT(raster::EncodePng(flat).size(), 640u * 480u * 3u / 100u);
}

TEST(EncodePng, LargeImagesSpanSeveralDataChunks) {
    const Bitmap b = Noise(700, 500, PixelFormat::Bgra32, 99);
    const Png png = ReadPng(raster::EncodePng(b));
    EXPECT_GE(png.idatChunks, 2);
    ExpectPixels(b, png, true, "700x500 noise");
}

TEST(EncodePng, EmptyBitmapsAreRefused) {
    EXPECT_THROW(raster::EncodePng(Bitmap()), raster::PngError);
    EXPECT_THROW(raster::EncodePng(Bitmap(0, 5)), raster::PngError);
    EXPECT_THROW(raster::EncodePng(Bitmap(5, 0, PixelFormat::Bgra32)), raster::PngError);
}
