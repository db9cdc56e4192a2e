#include <cstring>

#include "base/LittleEndian.h"
#include "raster/BmpCodec.h"

namespace raster {
namespace {
void Put16(std::vector<std::uint8_t>& out, std::size_t at, std::uint16_t v) { base::le::Store16(out, at, v); }
void Put32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t v) { base::le::Store32(out, at, v); }
}  // namespace

std::vector<std::uint8_t> EncodeBmp24(const Bitmap& bitmap) {
    const int w = bitmap.Width(), h = bitmap.Height();
    const std::size_t stride = ((std::size_t(w) * 24 + 31) / 32) * 4;
    const std::size_t pixelBytes = stride * std::size_t(h);
    std::vector<std::uint8_t> out(54 + pixelBytes, 0);
    out[0] = 'B';
    out[1] = 'M';
    Put32(out, 2, std::uint32_t(out.size()));
    Put32(out, 10, 54);
    Put32(out, 14, 40);
    Put32(out, 18, std::uint32_t(w));
    Put32(out, 22, std::uint32_t(h));
    Put16(out, 26, 1);
    Put16(out, 28, 24);
    Put32(out, 34, std::uint32_t(pixelBytes));
    Put32(out, 38, 3780);  // 96 DPI
    Put32(out, 42, 3780);
    const int bpp = bitmap.BytesPerPixel();
    for (int y = 0; y < h; ++y) {
        const std::uint8_t* src = bitmap.ScanLine(y);
        std::uint8_t* dst = out.data() + 54 + std::size_t(h - 1 - y) * stride;  // bottom-up
        if (bpp == 3) {
            std::memcpy(dst, src, std::size_t(w) * 3);
        } else {
            for (int x = 0; x < w; ++x) std::memcpy(dst + x * 3, src + x * 4, 3);
        }
    }
    return out;
}

}  // namespace raster
