#include "raster/Transform.h"

#include <cstring>
#include <utility>
#include <vector>

namespace raster {

void MirrorHorizontal(Bitmap& bitmap) {
    const int w = bitmap.Width(), n = bitmap.BytesPerPixel();
    for (int y = 0; y < bitmap.Height(); ++y) {
        std::uint8_t* row = bitmap.ScanLine(y);
        for (int a = 0, b = w - 1; a < b; ++a, --b)
            for (int k = 0; k < n; ++k) std::swap(row[a * n + k], row[b * n + k]);
    }
}

void FlipVertical(Bitmap& bitmap) {
    std::vector<std::uint8_t> spare(bitmap.Stride());
    for (int a = 0, b = bitmap.Height() - 1; a < b; ++a, --b) {
        std::memcpy(spare.data(), bitmap.ScanLine(a), spare.size());
        std::memcpy(bitmap.ScanLine(a), bitmap.ScanLine(b), spare.size());
        std::memcpy(bitmap.ScanLine(b), spare.data(), spare.size());
    }
}

namespace {
// New pixel (x', y') of the W x H old image turned a quarter: its old coordinates.
template <bool Left>
void Rotate(Bitmap& bitmap) {
    const int w = bitmap.Width(), h = bitmap.Height(), n = bitmap.BytesPerPixel();
    if (bitmap.Empty()) return;
    Bitmap turned(h, w, bitmap.Format());
    for (int ny = 0; ny < w; ++ny) {
        std::uint8_t* d = turned.ScanLine(ny);
        for (int nx = 0; nx < h; ++nx) {
            const int ox = Left ? w - 1 - ny : ny;
            const int oy = Left ? nx : h - 1 - nx;
            std::memcpy(d + nx * n, bitmap.ScanLine(oy) + ox * n, std::size_t(n));
        }
    }
    bitmap = std::move(turned);
}
}  // namespace

void RotateLeft(Bitmap& bitmap) { Rotate<true>(bitmap); }
void RotateRight(Bitmap& bitmap) { Rotate<false>(bitmap); }

}  // namespace raster
