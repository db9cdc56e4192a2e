// BMP reader.
//
// Contract:
// - Input: the bytes of a whole .bmp file (14-byte file header first). Nothing else is
//   assumed about it: it may be truncated, lie about every size, or be hostile.
// - Accepted: core (12-byte) headers and info headers of 40, 52, 56, 64, 108 and 124 bytes;
//   1, 4, 8, 24 bpp BI_RGB; 16 and 32 bpp BI_RGB, BI_BITFIELDS and BI_ALPHABITFIELDS;
//   bottom-up (positive height) and top-down (negative height) rows.
// - Refused with BmpError: RLE, JPEG and PNG compression, zero or negative width, zero
//   height, more than kMaxSide pixels a side or kMaxPixels in all, a palette or pixel array
//   that does not fit in the file, masks that do not fit the pixel depth.
// - Output: a top-down 24-bit bitmap, or 32 bits when the file carries an alpha mask.
//   Palette indices past the palette give black.
// - Every read goes through Reader, which checks offset and length against the buffer
//   (base/LittleEndian.h) before touching it; no other code here indexes the input.
#include <algorithm>
#include <bit>
#include <cstring>
#include <optional>
#include <string>

#include "base/LittleEndian.h"
#include "raster/BmpCodec.h"

namespace raster {
namespace {

constexpr std::int64_t kMaxSide = 32767;
constexpr std::int64_t kMaxPixels = std::int64_t(1) << 26;

[[noreturn]] void Fail(const std::string& what) { throw BmpError("BMP: " + what); }

class Reader {
public:
    explicit Reader(std::span<const std::uint8_t> data) : data_(data) {}

    std::size_t Size() const { return data_.size(); }

    std::span<const std::uint8_t> Bytes(std::uint64_t offset, std::uint64_t length, const char* what) const {
        return Must(base::le::BytesAt(data_, offset, length), what);
    }
    std::uint16_t U16(std::uint64_t offset, const char* what) const { return Must(base::le::U16At(data_, offset), what); }
    std::uint32_t U32(std::uint64_t offset, const char* what) const { return Must(base::le::U32At(data_, offset), what); }
    std::int32_t I32(std::uint64_t offset, const char* what) const { return Must(base::le::I32At(data_, offset), what); }

private:
    template <class T>
    static T Must(const std::optional<T>& value, const char* what) {
        if (!value) Fail(std::string(what) + " past end of file");
        return *value;
    }
    std::span<const std::uint8_t> data_;
};

enum Compression : std::uint32_t { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitfields = 3, kJpeg = 4, kPng = 5, kAlphaBitfields = 6 };

// One channel of a bitfield pixel, scaled to 0..255 with rounding.
struct Channel {
    std::uint32_t mask = 0;
    int shift = 0;
    std::uint64_t max = 0;

    explicit Channel(std::uint32_t m = 0) : mask(m) {
        if (!m) return;
        shift = std::countr_zero(m);
        max = std::uint64_t(m) >> shift;  // non-contiguous masks still read monotonic values
    }
    std::uint8_t Get(std::uint32_t pixel) const {
        if (!mask) return 0;
        const std::uint64_t v = (pixel & mask) >> shift;
        return std::uint8_t((v * 255 + max / 2) / max);
    }
};

struct Header {
    std::int64_t width = 0, height = 0;
    bool topDown = false;
    int bpp = 0;
    std::uint32_t compression = kRgb;
    std::uint64_t paletteAt = 0;
    std::uint64_t paletteCount = 0;
    int paletteEntry = 4;
    bool paletteDeclared = false;
    std::uint32_t masks[4] = {};
    bool hasMasks = false;
    std::uint64_t pixelsAt = 0;
};

Header ReadHeader(const Reader& in) {
    if (in.Size() < 2 || in.Bytes(0, 2, "signature")[0] != 'B' || in.Bytes(0, 2, "signature")[1] != 'M')
        Fail("not a bitmap file");
    Header h;
    h.pixelsAt = in.U32(10, "file header");
    const std::uint32_t headerSize = in.U32(14, "info header");
    const std::uint64_t headerEnd = 14 + std::uint64_t(headerSize);
    if (headerSize == 12) {
        in.Bytes(14, 12, "core header");
        h.width = in.U16(18, "core header");
        h.height = in.U16(20, "core header");
        if (in.U16(22, "core header") != 1) Fail("plane count is not 1");
        h.bpp = in.U16(24, "core header");
        h.paletteEntry = 3;
        if (h.bpp != 1 && h.bpp != 4 && h.bpp != 8 && h.bpp != 24) Fail("unsupported bit depth");
        if (h.bpp <= 8) h.paletteCount = std::uint64_t(1) << h.bpp;
        h.paletteAt = headerEnd;
    } else if (headerSize == 40 || headerSize == 52 || headerSize == 56 || headerSize == 64 || headerSize == 108 ||
               headerSize == 124) {
        in.Bytes(14, headerSize, "info header");
        const std::int32_t width = in.I32(18, "info header");
        const std::int32_t height = in.I32(22, "info header");
        if (in.U16(26, "info header") != 1) Fail("plane count is not 1");
        h.bpp = in.U16(28, "info header");
        h.compression = in.U32(30, "info header");
        const std::uint32_t used = in.U32(46, "info header");
        h.width = width;
        h.topDown = height < 0;
        h.height = h.topDown ? -std::int64_t(height) : std::int64_t(height);

        if (h.compression == kRle8 || h.compression == kRle4) Fail("RLE compression is not supported");
        if (h.compression == kJpeg || h.compression == kPng) Fail("embedded JPEG/PNG is not supported");
        if (h.compression != kRgb && h.compression != kBitfields && h.compression != kAlphaBitfields)
            Fail("unknown compression " + std::to_string(h.compression));
        // The 64-byte OS/2 header numbers its compressions differently; only plain pixels are shared.
        if (headerSize == 64 && h.compression != kRgb) Fail("unsupported OS/2 compression");

        switch (h.bpp) {
            case 1: case 4: case 8: case 24:
                if (h.compression != kRgb) Fail("bit fields need 16 or 32 bits per pixel");
                break;
            case 16: case 32: break;
            default: Fail("unsupported bit depth " + std::to_string(h.bpp));
        }
        if (h.bpp <= 8) {
            const std::uint64_t full = std::uint64_t(1) << h.bpp;
            if (used > full) Fail("palette larger than the bit depth allows");
            h.paletteCount = used ? used : full;
            h.paletteDeclared = used != 0;
        }

        std::uint64_t afterMasks = headerEnd;
        if (h.compression == kBitfields || h.compression == kAlphaBitfields) {
            const int n = h.compression == kAlphaBitfields ? 4 : 3;
            // Masks sit inside headers of 52 bytes and more, after a 40-byte one.
            const std::uint64_t at = 14 + 40;
            for (int i = 0; i < n; ++i) h.masks[i] = in.U32(at + 4 * std::uint64_t(i), "colour masks");
            if (headerSize >= 56 && n == 3) h.masks[3] = in.U32(at + 12, "colour masks");
            if (headerSize == 40) afterMasks = at + 4 * std::uint64_t(n);
            h.hasMasks = true;
        }
        h.paletteAt = afterMasks;
    } else {
        Fail("unknown header size " + std::to_string(headerSize));
    }

    if (h.width <= 0) Fail("width is not positive");
    if (h.height <= 0) Fail("height is zero");
    if (h.width > kMaxSide || h.height > kMaxSide || h.width * h.height > kMaxPixels) Fail("image too large");
    if (h.pixelsAt < h.paletteAt) Fail("pixel data overlaps the headers");
    if (h.pixelsAt > in.Size()) Fail("pixel offset past end of file");
    // A palette size the file states must be there; an implied one (clrUsed 0, core headers)
    // is often shorter, as writers store only the entries they use.
    if (h.paletteDeclared) in.Bytes(h.paletteAt, h.paletteCount * std::uint64_t(h.paletteEntry), "palette");
    h.paletteCount = std::min(h.paletteCount, (h.pixelsAt - h.paletteAt) / std::uint64_t(h.paletteEntry));

    if (h.hasMasks) {
        const std::uint64_t limit = h.bpp == 32 ? 0xFFFFFFFFull : (std::uint64_t(1) << h.bpp) - 1;
        for (std::uint32_t m : h.masks)
            if (m > limit) Fail("colour mask wider than the pixel");
        if (!h.masks[0] && !h.masks[1] && !h.masks[2]) Fail("empty colour masks");
    }
    return h;
}

}  // namespace

Bitmap DecodeBmp(std::span<const std::uint8_t> file) {
    const Reader in(file);
    const Header h = ReadHeader(in);

    const int width = int(h.width), height = int(h.height);
    const std::uint64_t stride = ((std::uint64_t(h.width) * std::uint64_t(h.bpp) + 31) / 32) * 4;
    const auto pixels = in.Bytes(h.pixelsAt, stride * std::uint64_t(h.height), "pixel data");

    // Palette, resolved once; a missing entry reads as black.
    std::uint8_t palette[256][3] = {};
    if (h.bpp <= 8) {
        const auto raw = in.Bytes(h.paletteAt, h.paletteCount * std::uint64_t(h.paletteEntry), "palette");
        for (std::size_t i = 0; i < h.paletteCount; ++i)
            std::memcpy(palette[i], raw.data() + i * std::size_t(h.paletteEntry), 3);
    }

    std::uint32_t masks[4] = {h.masks[0], h.masks[1], h.masks[2], h.masks[3]};
    if (!h.hasMasks && h.bpp == 16) {
        masks[0] = 0x7C00, masks[1] = 0x03E0, masks[2] = 0x001F;
    } else if (!h.hasMasks && h.bpp == 32) {
        masks[0] = 0xFF0000, masks[1] = 0xFF00, masks[2] = 0xFF;
    }
    const bool alpha = (h.bpp == 16 || h.bpp == 32) && masks[3] != 0;
    const Channel red(masks[0]), green(masks[1]), blue(masks[2]), alphaChannel(masks[3]);

    Bitmap out(width, height, alpha ? PixelFormat::Bgra32 : PixelFormat::Bgr24);
    const int outBytes = out.BytesPerPixel();
    for (int y = 0; y < height; ++y) {
        const int fileRow = h.topDown ? y : height - 1 - y;
        const auto row = pixels.subspan(std::size_t(fileRow) * std::size_t(stride), std::size_t(stride));
        const std::uint8_t* src = row.data();
        std::uint8_t* dst = out.ScanLine(y);
        switch (h.bpp) {
            case 1: case 4: case 8: {
                const int perByte = 8 / h.bpp;
                const unsigned mask = (1u << h.bpp) - 1;
                for (int x = 0; x < width; ++x) {
                    const int shift = 8 - h.bpp * (x % perByte + 1);
                    const unsigned index = (src[x / perByte] >> shift) & mask;
                    std::memcpy(dst + 3 * x, palette[index], 3);
                }
                break;
            }
            case 24:
                std::memcpy(dst, src, std::size_t(width) * 3);
                break;
            case 16: case 32: {
                const int n = h.bpp / 8;
                for (int x = 0; x < width; ++x) {
                    const auto p = row.subspan(std::size_t(x) * n);
                    const std::uint32_t v = n == 2 ? base::le::Load16(p.first<2>()) : base::le::Load32(p.first<4>());
                    std::uint8_t* d = dst + std::size_t(x) * outBytes;
                    d[0] = blue.Get(v);
                    d[1] = green.Get(v);
                    d[2] = red.Get(v);
                    if (alpha) d[3] = alphaChannel.Get(v);
                }
                break;
            }
        }
    }
    return out;
}

}  // namespace raster
