#include "raster/PngEncode.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace raster {
namespace {

// ---- checksums ----

constexpr std::array<std::uint32_t, 256> MakeCrcTable() {
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}
constexpr std::array<std::uint32_t, 256> kCrcTable = MakeCrcTable();

// ---- deflate ----

// Bits go out least significant first; Huffman codes are stored most significant first,
// so they are reversed on the way in.
class BitWriter {
public:
    explicit BitWriter(std::vector<std::uint8_t>& out) : out_(out) {}

    void Put(std::uint32_t bits, int count) {
        acc_ |= std::uint64_t(bits) << used_;
        used_ += count;
        while (used_ >= 8) {
            out_.push_back(std::uint8_t(acc_));
            acc_ >>= 8;
            used_ -= 8;
        }
    }
    void PutCode(std::uint32_t code, int length) {
        std::uint32_t reversed = 0;
        for (int i = 0; i < length; ++i) reversed |= ((code >> i) & 1) << (length - 1 - i);
        Put(reversed, length);
    }
    void Align() {
        if (used_ > 0) Put(0, 8 - used_);
    }
    // Only on a byte boundary (after Align).
    void PutBytes(const std::uint8_t* data, std::size_t size) { out_.insert(out_.end(), data, data + size); }

private:
    std::vector<std::uint8_t>& out_;
    std::uint64_t acc_ = 0;
    int used_ = 0;
};

constexpr int kMinMatch = 3;
constexpr int kMaxMatch = 258;
constexpr std::size_t kWindow = 32768;
constexpr int kMaxChain = 64;
constexpr int kHashBits = 15;
// A stored block holds at most this much, so a segment that does not code well fits one.
constexpr std::size_t kSegment = 65535;

constexpr std::array<int, 29> kLengthBase = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                             31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::array<int, 29> kLengthExtra = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                              2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::array<int, 30> kDistBase = {1,   2,   3,   4,   5,   7,    9,    13,   17,   25,
                                           33,  49,  65,  97,  129, 193,  257,  385,  513,  769,
                                           1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr std::array<int, 30> kDistExtra = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                            6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

// The last table entry whose base is not above the value.
template <std::size_t N>
int BucketOf(const std::array<int, N>& base, int value) {
    return int(std::upper_bound(base.begin(), base.end(), value) - base.begin()) - 1;
}

struct Code {
    std::uint32_t bits;
    int length;
};

// The fixed literal/length code of RFC 1951, 3.2.6.
Code FixedLiteralCode(int symbol) {
    if (symbol < 144) return {std::uint32_t(0x30 + symbol), 8};
    if (symbol < 256) return {std::uint32_t(0x190 + symbol - 144), 9};
    if (symbol < 280) return {std::uint32_t(symbol - 256), 7};
    return {std::uint32_t(0xC0 + symbol - 280), 8};
}

struct Token {
    std::uint16_t length;  // 0: a literal
    std::uint16_t value;   // the literal byte, or the match distance
};

std::size_t TokenBits(const Token& t) {
    if (t.length == 0) return std::size_t(FixedLiteralCode(t.value).length);
    const int li = BucketOf(kLengthBase, t.length);
    const int di = BucketOf(kDistBase, t.value);
    return std::size_t(FixedLiteralCode(257 + li).length + kLengthExtra[std::size_t(li)] + 5 +
                       kDistExtra[std::size_t(di)]);
}

void PutToken(BitWriter& bits, const Token& t) {
    if (t.length == 0) {
        const Code c = FixedLiteralCode(t.value);
        bits.PutCode(c.bits, c.length);
        return;
    }
    const int li = BucketOf(kLengthBase, t.length);
    const Code c = FixedLiteralCode(257 + li);
    bits.PutCode(c.bits, c.length);
    bits.Put(std::uint32_t(t.length - kLengthBase[std::size_t(li)]), kLengthExtra[std::size_t(li)]);
    const int di = BucketOf(kDistBase, t.value);
    bits.PutCode(std::uint32_t(di), 5);
    bits.Put(std::uint32_t(t.value - kDistBase[std::size_t(di)]), kDistExtra[std::size_t(di)]);
}

// Greedy LZ77 over hash chains of three-byte prefixes; the chains span the whole input, so
// a match may reach back into an earlier block.
class Matcher {
public:
    explicit Matcher(std::span<const std::uint8_t> data)
        : data_(data), head_(std::size_t(1) << kHashBits, kNone), prev_(kWindow, kNone) {}

    // Tokens for data[start, end); matches never run past end.
    void Tokenize(std::size_t start, std::size_t end, std::vector<Token>& tokens) {
        tokens.clear();
        std::size_t pos = start;
        while (pos < end) {
            std::size_t length = 0, distance = 0;
            if (end - pos >= std::size_t(kMinMatch)) Longest(pos, end, length, distance);
            if (length >= std::size_t(kMinMatch)) {
                tokens.push_back({std::uint16_t(length), std::uint16_t(distance)});
                for (std::size_t i = 0; i < length; ++i) Insert(pos + i);
                pos += length;
            } else {
                tokens.push_back({0, data_[pos]});
                Insert(pos);
                ++pos;
            }
        }
    }

private:
    static constexpr std::size_t kNone = ~std::size_t(0);

    std::size_t Hash(std::size_t pos) const {
        const std::uint32_t v = std::uint32_t(data_[pos]) << 16 | std::uint32_t(data_[pos + 1]) << 8 | data_[pos + 2];
        return (v * 2654435761u) >> (32 - kHashBits);
    }

    void Insert(std::size_t pos) {
        if (data_.size() - pos < std::size_t(kMinMatch)) return;
        const std::size_t h = Hash(pos);
        prev_[pos % kWindow] = head_[h];
        head_[h] = pos;
    }

    void Longest(std::size_t pos, std::size_t end, std::size_t& bestLength, std::size_t& bestDistance) const {
        const std::size_t limit = std::min<std::size_t>(kMaxMatch, end - pos);
        std::size_t candidate = head_[Hash(pos)];
        // A candidate within the window still owns its prev_ slot: pos has not been inserted.
        for (int chain = 0; chain < kMaxChain && candidate != kNone && pos - candidate <= kWindow; ++chain) {
            std::size_t n = 0;
            while (n < limit && data_[candidate + n] == data_[pos + n]) ++n;
            if (n > bestLength) {
                bestLength = n;
                bestDistance = pos - candidate;
                if (n == limit) break;
            }
            const std::size_t older = prev_[candidate % kWindow];
            if (older == kNone || older >= candidate) break;
            candidate = older;
        }
    }

    std::span<const std::uint8_t> data_;
    std::vector<std::size_t> head_;
    std::vector<std::size_t> prev_;
};

void PutStoredBlock(BitWriter& bits, const std::uint8_t* data, std::size_t size, bool final) {
    bits.Put(final ? 1 : 0, 1);
    bits.Put(0, 2);
    bits.Align();
    bits.Put(std::uint32_t(size), 16);
    bits.Put(std::uint32_t(~size & 0xFFFF), 16);
    bits.PutBytes(data, size);
}

void PutBigEndian32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(std::uint8_t(v >> 24));
    out.push_back(std::uint8_t(v >> 16));
    out.push_back(std::uint8_t(v >> 8));
    out.push_back(std::uint8_t(v));
}

// ---- PNG ----

void PutChunk(std::vector<std::uint8_t>& out, std::string_view type, std::span<const std::uint8_t> data) {
    PutBigEndian32(out, std::uint32_t(data.size()));
    const std::size_t typeAt = out.size();
    out.insert(out.end(), type.begin(), type.end());
    out.insert(out.end(), data.begin(), data.end());
    PutBigEndian32(out, Crc32(std::span(out).subspan(typeAt)));
}

int Paeth(int a, int b, int c) {
    const int p = a + b - c;
    const int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    if (pa <= pb && pa <= pc) return a;
    return pb <= pc ? b : c;
}

// Writes row (after prior, zeros for the first) with filter type `type` into out.
void FilterRow(int type, const std::uint8_t* row, const std::uint8_t* prior, std::size_t size, int bpp,
               std::uint8_t* out) {
    for (std::size_t i = 0; i < size; ++i) {
        const int a = i >= std::size_t(bpp) ? row[i - std::size_t(bpp)] : 0;
        const int b = prior[i];
        const int c = i >= std::size_t(bpp) ? prior[i - std::size_t(bpp)] : 0;
        int predicted = 0;
        switch (type) {
            case 1: predicted = a; break;
            case 2: predicted = b; break;
            case 3: predicted = (a + b) / 2; break;
            case 4: predicted = Paeth(a, b, c); break;
            default: break;
        }
        out[i] = std::uint8_t(row[i] - predicted);
    }
}

// The usual heuristic: the filter whose bytes, read as signed, sum smallest in magnitude.
std::size_t Residue(const std::uint8_t* bytes, std::size_t size) {
    std::size_t sum = 0;
    for (std::size_t i = 0; i < size; ++i) sum += std::size_t(std::abs(int(std::int8_t(bytes[i]))));
    return sum;
}

}  // namespace

std::uint32_t Crc32(std::span<const std::uint8_t> data, std::uint32_t crc) {
    crc = ~crc;
    for (std::uint8_t byte : data) crc = kCrcTable[(crc ^ byte) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

std::uint32_t Adler32(std::span<const std::uint8_t> data, std::uint32_t adler) {
    constexpr std::uint32_t kMod = 65521;
    // The largest run whose sums cannot overflow 32 bits before the modulo.
    constexpr std::size_t kRun = 5552;
    std::uint32_t a = adler & 0xFFFF, b = adler >> 16;
    for (std::size_t at = 0; at < data.size(); at += kRun) {
        const std::size_t end = std::min(data.size(), at + kRun);
        for (std::size_t i = at; i < end; ++i) {
            a += data[i];
            b += a;
        }
        a %= kMod;
        b %= kMod;
    }
    return b << 16 | a;
}

std::vector<std::uint8_t> ZlibCompress(std::span<const std::uint8_t> data, bool compress) {
    std::vector<std::uint8_t> out;
    out.reserve(compress ? data.size() / 4 + 64 : data.size() + data.size() / kSegment * 5 + 16);
    // Deflate with a 32K window; the check bits make the header a multiple of 31.
    const std::uint32_t cmf = 0x78, level = compress ? 2 : 0;
    const std::uint32_t flg = (level << 6) + 31 - ((cmf << 8 | level << 6) % 31);
    out.push_back(std::uint8_t(cmf));
    out.push_back(std::uint8_t(flg));

    BitWriter bits(out);
    if (data.empty()) PutStoredBlock(bits, nullptr, 0, true);
    Matcher matcher(data);
    std::vector<Token> tokens;
    for (std::size_t start = 0; start < data.size(); start += kSegment) {
        const std::size_t end = std::min(data.size(), start + kSegment);
        const bool final = end == data.size();
        if (compress) {
            matcher.Tokenize(start, end, tokens);
            std::size_t coded = 3 + 7;  // header and end of block
            for (const Token& t : tokens) coded += TokenBits(t);
            const std::size_t stored = 3 + 7 + 32 + 8 * (end - start);
            if (coded < stored) {
                bits.Put(final ? 1 : 0, 1);
                bits.Put(1, 2);
                for (const Token& t : tokens) PutToken(bits, t);
                const Code eob = FixedLiteralCode(256);
                bits.PutCode(eob.bits, eob.length);
                continue;
            }
        }
        PutStoredBlock(bits, data.data() + start, end - start, final);
    }
    bits.Align();
    PutBigEndian32(out, Adler32(data));
    return out;
}

std::vector<std::uint8_t> EncodePng(const Bitmap& bitmap, const PngOptions& options) {
    if (bitmap.Empty()) throw PngError("an empty bitmap has no PNG form");
    const int w = bitmap.Width(), h = bitmap.Height();
    const bool alpha = options.alpha && bitmap.Format() == PixelFormat::Bgra32;
    const int channels = alpha ? 4 : 3;
    const int sourceBpp = bitmap.BytesPerPixel();
    const std::size_t rowSize = std::size_t(w) * std::size_t(channels);

    // Filtered rows, each after its filter type byte.
    std::vector<std::uint8_t> raw((rowSize + 1) * std::size_t(h));
    std::vector<std::uint8_t> row(rowSize), prior(rowSize, 0), trial(rowSize), best(rowSize);
    for (int y = 0; y < h; ++y) {
        const std::uint8_t* src = bitmap.ScanLine(y);
        for (int x = 0; x < w; ++x) {
            const std::uint8_t* p = src + std::size_t(x) * std::size_t(sourceBpp);
            std::uint8_t* q = row.data() + std::size_t(x) * std::size_t(channels);
            q[0] = p[2];
            q[1] = p[1];
            q[2] = p[0];
            if (alpha) q[3] = p[3];
        }
        int bestType = 0;
        std::size_t bestResidue = ~std::size_t(0);
        for (int type = 0; type <= 4; ++type) {
            FilterRow(type, row.data(), prior.data(), rowSize, channels, trial.data());
            const std::size_t residue = Residue(trial.data(), rowSize);
            if (residue < bestResidue) {
                bestResidue = residue;
                bestType = type;
                best.swap(trial);
            }
        }
        std::uint8_t* dst = raw.data() + std::size_t(y) * (rowSize + 1);
        dst[0] = std::uint8_t(bestType);
        std::memcpy(dst + 1, best.data(), rowSize);
        prior.swap(row);
    }

    std::vector<std::uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<std::uint8_t> header;
    PutBigEndian32(header, std::uint32_t(w));
    PutBigEndian32(header, std::uint32_t(h));
    header.push_back(8);               // bits per channel
    header.push_back(alpha ? 6 : 2);   // RGBA or RGB
    header.push_back(0);               // deflate
    header.push_back(0);               // adaptive filtering
    header.push_back(0);               // not interlaced
    PutChunk(out, "IHDR", header);

    const std::vector<std::uint8_t> stream = ZlibCompress(raw, options.compress);
    // Readers stream IDAT chunks; modest ones keep their buffers small.
    constexpr std::size_t kChunk = std::size_t(1) << 20;
    for (std::size_t at = 0; at < stream.size(); at += kChunk)
        PutChunk(out, "IDAT", std::span(stream).subspan(at, std::min(kChunk, stream.size() - at)));
    PutChunk(out, "IEND", {});
    return out;
}

}  // namespace raster
