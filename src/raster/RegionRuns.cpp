#include "raster/RegionRuns.h"

#include <algorithm>
#include <bit>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace raster {
namespace {

// A channel is key when (channel - lo) mod 256 <= span.
struct Ranges {
    std::uint8_t lo[3], span[3];  // blue, green, red

    bool IsKey(const std::uint8_t* p) const {
        return (std::uint8_t(p[0] - lo[0]) <= span[0]) & (std::uint8_t(p[1] - lo[1]) <= span[1]) &
               (std::uint8_t(p[2] - lo[2]) <= span[2]);
    }
};

Ranges MakeRanges(Color key, KeyTolerance t) {
    Ranges r{};
    const int keys[3] = {BlueOf(key), GreenOf(key), RedOf(key)};
    const int tol[3] = {t.blue, t.green, t.red};
    for (int k = 0; k < 3; ++k) {
        r.lo[k] = std::uint8_t(keys[k]);
        r.span[k] = std::uint8_t(std::min(255, keys[k] + std::clamp(tol[k], 0, 255)) - keys[k]);
    }
    return r;
}

// Bit i set: pixel i of the n (<= 64) pixels at p is the key colour.
template <int N>
std::uint64_t KeyBitsScalar(const std::uint8_t* p, int n, const Ranges& r) {
    std::uint64_t bits = 0;
    for (int i = 0; i < n; ++i) bits |= std::uint64_t(r.IsKey(p + i * N)) << i;
    return bits;
}

#if defined(__SSE2__)
// 32-bit pixels, four at a time: bytes B G R X against lo/span with X always passing.
struct Wide {
    __m128i lo, span, ones;
    bool exact;  // no tolerance: a plain compare of the colour bytes
    __m128i rgbMask, key;
};

Wide MakeWide(const Ranges& r) {
    Wide w;
    const int lo = r.lo[0] | r.lo[1] << 8 | r.lo[2] << 16;
    const int span = r.span[0] | r.span[1] << 8 | r.span[2] << 16 | 0xFF << 24;
    w.lo = _mm_set1_epi32(lo);
    w.span = _mm_set1_epi32(span);
    w.ones = _mm_set1_epi32(-1);
    w.exact = r.span[0] == 0 && r.span[1] == 0 && r.span[2] == 0;
    w.rgbMask = _mm_set1_epi32(0x00FFFFFF);
    w.key = w.lo;
    return w;
}

inline std::uint64_t KeyBits32(const std::uint8_t* p, int n, const Ranges& r, const Wide& w) {
    std::uint64_t bits = 0;
    int i = 0;
    if (w.exact) {
        for (; i + 4 <= n; i += 4) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i * 4));
            const __m128i hit = _mm_cmpeq_epi32(_mm_and_si128(v, w.rgbMask), w.key);
            bits |= std::uint64_t(unsigned(_mm_movemask_ps(_mm_castsi128_ps(hit)))) << i;
        }
    } else {
        for (; i + 4 <= n; i += 4) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i * 4));
            const __m128i d = _mm_sub_epi8(v, w.lo);
            const __m128i inByte = _mm_cmpeq_epi8(_mm_max_epu8(d, w.span), w.span);
            const __m128i hit = _mm_cmpeq_epi32(inByte, w.ones);
            bits |= std::uint64_t(unsigned(_mm_movemask_ps(_mm_castsi128_ps(hit)))) << i;
        }
    }
    if (i < n) bits |= KeyBitsScalar<4>(p + i * 4, n - i, r) << i;
    return bits;
}

// 24-bit pixels with no tolerance, sixteen at a time: three 16-byte compares against the key
// repeated in its three phases; a pixel is key when its three bytes all matched.
inline std::uint64_t KeyBits24Exact(const std::uint8_t* p, int n, const Ranges& r) {
    alignas(16) std::uint8_t pattern[3][16];
    for (int phase = 0; phase < 3; ++phase)
        for (int j = 0; j < 16; ++j) pattern[phase][j] = r.lo[(j + phase * 16) % 3];
    const __m128i a = _mm_load_si128(reinterpret_cast<const __m128i*>(pattern[0]));
    const __m128i b = _mm_load_si128(reinterpret_cast<const __m128i*>(pattern[1]));
    const __m128i c = _mm_load_si128(reinterpret_cast<const __m128i*>(pattern[2]));
    std::uint64_t bits = 0;
    int i = 0;
    for (; i + 16 <= n; i += 16) {
        const auto* q = reinterpret_cast<const __m128i*>(p + i * 3);
        const std::uint64_t m = std::uint64_t(unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(_mm_loadu_si128(q), a)))) |
                                std::uint64_t(unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(_mm_loadu_si128(q + 1), b)))) << 16 |
                                std::uint64_t(unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(_mm_loadu_si128(q + 2), c)))) << 32;
        std::uint64_t whole = m & (m >> 1) & (m >> 2) & 0x249249249249ull;  // bit 3k: pixel k
        while (whole) {
            bits |= std::uint64_t(1) << (i + std::countr_zero(whole) / 3);
            whole &= whole - 1;
        }
    }
    if (i < n) bits |= KeyBitsScalar<3>(p + i * 3, n - i, r) << i;
    return bits;
}
#endif

// Turns a row's key bits, 64 pixels at a time, into runs of the other pixels.
class RunBuilder {
public:
    RunBuilder(std::vector<Rect>& out, int y, int dx) : out_(out), y_(y), dx_(dx) {}

    void Chunk(int x0, int n, std::uint64_t key) {
        const std::uint64_t valid = n == 64 ? ~0ull : (1ull << n) - 1;
        int pos = 0;
        while (pos < n) {
            const std::uint64_t from = valid & (~0ull << pos);
            if (inRun_) {
                const std::uint64_t stop = key & from;
                if (!stop) return;
                pos = std::countr_zero(stop);
                Emit(x0 + pos);
            } else {
                const std::uint64_t go = ~key & from;
                if (!go) return;
                pos = std::countr_zero(go);
                start_ = x0 + pos;
                inRun_ = true;
            }
        }
    }
    void End(int width) {
        if (inRun_) Emit(width);
    }

private:
    void Emit(int end) {
        out_.push_back({start_ + dx_, y_, end + dx_, y_ + 1});
        inRun_ = false;
    }
    std::vector<Rect>& out_;
    int y_, dx_;
    int start_ = 0;
    bool inRun_ = false;
};

}  // namespace

std::vector<Rect> RegionRuns(const Bitmap& bitmap, int dx, int dy, KeyTolerance tolerance, Color key) {
    std::vector<Rect> runs;
    if (bitmap.Empty()) return runs;
    const int w = bitmap.Width(), n = bitmap.BytesPerPixel();
    // No region coordinate can pass what GDI holds, nor overflow.
    dx = std::clamp(dx, -kMaxCoordinate, kMaxCoordinate);
    dy = std::clamp(dy, -kMaxCoordinate, kMaxCoordinate);
    const Ranges ranges = MakeRanges(key, tolerance);
#if defined(__SSE2__)
    const Wide wide = MakeWide(ranges);
#endif
    for (int y = 0; y < bitmap.Height(); ++y) {
        const std::uint8_t* row = bitmap.ScanLine(y);
        RunBuilder builder(runs, y + dy, dx);
        for (int x = 0; x < w; x += 64) {
            const int count = std::min(64, w - x);
            std::uint64_t bits;
            if (n == 4) {
#if defined(__SSE2__)
                bits = KeyBits32(row + x * 4, count, ranges, wide);
#else
                bits = KeyBitsScalar<4>(row + x * 4, count, ranges);
#endif
            } else {
#if defined(__SSE2__)
                bits = wide.exact ? KeyBits24Exact(row + x * 3, count, ranges) : KeyBitsScalar<3>(row + x * 3, count, ranges);
#else
                bits = KeyBitsScalar<3>(row + x * 3, count, ranges);
#endif
            }
            builder.Chunk(x, count, bits);
        }
        builder.End(w);
    }
    return runs;
}

}  // namespace raster
