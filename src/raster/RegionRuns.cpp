#include "raster/RegionRuns.h"

#include <algorithm>
#include <cstring>

namespace raster {
namespace {

struct Range {
    std::uint8_t lo, span;  // channel is key when (channel - lo) mod 256 <= span
};

Range MakeRange(int keyChannel, int tolerance) {
    const int lo = keyChannel & 0xFF;
    const int hi = std::min(255, lo + std::clamp(tolerance, 0, 255));
    return {std::uint8_t(lo), std::uint8_t(hi - lo)};
}

// Marks each pixel of a row: 1 = key, 0 = part of the region. Branch-free so it vectorises.
template <int N>
void Classify(const std::uint8_t* row, int width, Range b, Range g, Range r, std::uint8_t* out) {
    for (int x = 0; x < width; ++x) {
        const std::uint8_t* p = row + x * N;
        out[x] = std::uint8_t((std::uint8_t(p[0] - b.lo) <= b.span) & (std::uint8_t(p[1] - g.lo) <= g.span) &
                              (std::uint8_t(p[2] - r.lo) <= r.span));
    }
}

}  // namespace

std::vector<Rect> RegionRuns(const Bitmap& bitmap, int dx, int dy, KeyTolerance tolerance, Color key) {
    std::vector<Rect> runs;
    const int w = bitmap.Width();
    if (bitmap.Empty()) return runs;
    const Range b = MakeRange(BlueOf(key), tolerance.blue), g = MakeRange(GreenOf(key), tolerance.green),
                r = MakeRange(RedOf(key), tolerance.red);
    std::vector<std::uint8_t> marks(std::size_t(w) + 1);
    marks[std::size_t(w)] = 1;  // sentinel: every run ends at the row's end
    const std::uint8_t* const m = marks.data();
    for (int y = 0; y < bitmap.Height(); ++y) {
        if (bitmap.BytesPerPixel() == 4) Classify<4>(bitmap.ScanLine(y), w, b, g, r, marks.data());
        else Classify<3>(bitmap.ScanLine(y), w, b, g, r, marks.data());
        const std::uint8_t* p = m;
        const std::uint8_t* const end = m + w;
        while (p < end) {
            p = static_cast<const std::uint8_t*>(std::memchr(p, 0, std::size_t(end - p)));
            if (!p) break;
            const auto* stop = static_cast<const std::uint8_t*>(std::memchr(p, 1, std::size_t(end - p) + 1));
            runs.push_back({int(p - m) + dx, y + dy, int(stop - m) + dx, y + dy + 1});
            p = stop;
        }
    }
    return runs;
}

}  // namespace raster
