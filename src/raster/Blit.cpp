#include "raster/Blit.h"

#include <cstring>
#include <vector>

namespace raster {
namespace {

// Row kernels for each pair of pixel sizes (3 or 4 bytes).
template <int SB, int DB>
inline void PutPixel(std::uint8_t* d, const std::uint8_t* s) {
    if constexpr (SB == 4 && DB == 4) {
        std::memcpy(d, s, 4);
    } else {
        if constexpr (SB == 3 && DB == 4) {
            const std::uint32_t v = std::uint32_t(s[0]) | std::uint32_t(s[1]) << 8 | std::uint32_t(s[2]) << 16;
            std::memcpy(d, &v, 4);
        } else {
            d[0] = s[0];
            d[1] = s[1];
            d[2] = s[2];
            if constexpr (DB == 4) d[3] = 0;
        }
    }
}

template <int SB, int DB>
void CopyRow(std::uint8_t* d, const std::uint8_t* s, int n) {
    if constexpr (SB == DB) {
        std::memmove(d, s, std::size_t(n) * SB);  // a bitmap may copy onto itself
    } else {
        for (int i = 0; i < n; ++i) PutPixel<SB, DB>(d + i * DB, s + i * SB);
    }
}

template <int SB, int DB>
void CopyKeyedRow(std::uint8_t* d, const std::uint8_t* s, int n, Color key) {
    const std::uint8_t kb = std::uint8_t(key >> 16), kg = std::uint8_t(key >> 8), kr = std::uint8_t(key);
    if constexpr (SB == 4 && DB == 4) {
        // Branch-free select on whole pixels, which the compiler turns into vector code.
        const std::uint32_t k = std::uint32_t(kb) | std::uint32_t(kg) << 8 | std::uint32_t(kr) << 16;
        for (int i = 0; i < n; ++i) {
            std::uint32_t sv, dv;
            std::memcpy(&sv, s + 4 * i, 4);
            std::memcpy(&dv, d + 4 * i, 4);
            const std::uint32_t keep = ((sv & 0xFFFFFFu) == k) ? ~0u : 0u;
            dv = (dv & keep) | (sv & ~keep);
            std::memcpy(d + 4 * i, &dv, 4);
        }
    } else {
        for (int i = 0; i < n; ++i, s += SB, d += DB)
            if (s[0] != kb || s[1] != kg || s[2] != kr) PutPixel<SB, DB>(d, s);
    }
}

// xmap holds source byte offsets, one per destination pixel.
template <int SB, int DB>
void GatherRow(std::uint8_t* d, const std::uint8_t* s, const int* xmap, int n) {
    for (int i = 0; i < n; ++i) PutPixel<SB, DB>(d + i * DB, s + xmap[i]);
}

template <template <int, int> class K, typename... A>
void Dispatch(int sb, int db, A... args) {
    if (sb == 3 && db == 3) K<3, 3>::Run(args...);
    else if (sb == 3 && db == 4) K<3, 4>::Run(args...);
    else if (sb == 4 && db == 3) K<4, 3>::Run(args...);
    else K<4, 4>::Run(args...);
}

template <int SB, int DB>
struct CopyKernel {
    static void Run(std::uint8_t* d, std::size_t dstride, const std::uint8_t* s, std::size_t sstride, int w, int h) {
        for (int y = 0; y < h; ++y) CopyRow<SB, DB>(d + y * dstride, s + y * sstride, w);
    }
};

template <int SB, int DB>
struct KeyedKernel {
    static void Run(std::uint8_t* d, std::size_t dstride, const std::uint8_t* s, std::size_t sstride, int w, int h,
                    Color key) {
        for (int y = 0; y < h; ++y) CopyKeyedRow<SB, DB>(d + y * dstride, s + y * sstride, w, key);
    }
};

template <int SB, int DB>
struct GatherKernel {
    static void Run(std::uint8_t* d, const std::uint8_t* s, const int* xmap, int n) { GatherRow<SB, DB>(d, s, xmap, n); }
};

template <int SB, int DB>
struct TileRowKernel {
    // Fills n destination pixels with the source row of width w, starting at phase.
    static void Run(std::uint8_t* d, const std::uint8_t* s, int w, int phase, int n) {
        while (n > 0) {
            const int run = std::min(w - phase, n);
            CopyRow<SB, DB>(d, s + phase * SB, run);
            d += run * DB;
            n -= run;
            phase = 0;
        }
    }
};

// Index of the source pixel for destination pixel i: centre sampling, as GDI's nearest mode.
inline int SourceIndex(int i, int srcSize, int dstSize) {
    return int((std::int64_t(2 * i + 1) * srcSize) / (std::int64_t(2) * dstSize));
}

}  // namespace

void Copy(Bitmap& dst, int x, int y, const Bitmap& src, Rect part) {
    part = Intersect(part, BoundsOf(src));
    if (part.Empty() || !InRange(x) || !InRange(y)) return;
    const Rect to = Intersect(RectOfSize(x, y, part.Width(), part.Height()), BoundsOf(dst));
    if (to.Empty()) return;
    const int sx = part.left + (to.left - x), sy = part.top + (to.top - y);
    Dispatch<CopyKernel>(src.BytesPerPixel(), dst.BytesPerPixel(),
                         dst.ScanLine(to.top) + std::size_t(to.left) * dst.BytesPerPixel(), dst.Stride(),
                         src.ScanLine(sy) + std::size_t(sx) * src.BytesPerPixel(), src.Stride(), to.Width(),
                         to.Height());
}

void CopyKeyed(Bitmap& dst, int x, int y, const Bitmap& src, Rect part, Color key) {
    part = Intersect(part, BoundsOf(src));
    if (part.Empty() || !InRange(x) || !InRange(y)) return;
    const Rect to = Intersect(RectOfSize(x, y, part.Width(), part.Height()), BoundsOf(dst));
    if (to.Empty()) return;
    const int sx = part.left + (to.left - x), sy = part.top + (to.top - y);
    Dispatch<KeyedKernel>(src.BytesPerPixel(), dst.BytesPerPixel(),
                          dst.ScanLine(to.top) + std::size_t(to.left) * dst.BytesPerPixel(), dst.Stride(),
                          src.ScanLine(sy) + std::size_t(sx) * src.BytesPerPixel(), src.Stride(), to.Width(),
                          to.Height(), key & 0xFFFFFF);
}

void Stretch(Bitmap& dst, Rect dstRect, const Bitmap& src, Rect part) {
    part = Intersect(part, BoundsOf(src));
    if (part.Empty() || dstRect.Empty() || !Sane(dstRect)) return;
    const Rect to = Intersect(dstRect, BoundsOf(dst));
    if (to.Empty()) return;
    const int sw = part.Width(), sh = part.Height(), dw = dstRect.Width(), dh = dstRect.Height();
    if (sw == dw && sh == dh) {
        Copy(dst, dstRect.left, dstRect.top, src, part);
        return;
    }
    const int sb = src.BytesPerPixel(), db = dst.BytesPerPixel();
    thread_local std::vector<int> xmap;
    xmap.resize(std::size_t(to.Width()));
    for (int x = to.left; x < to.right; ++x)
        xmap[std::size_t(x - to.left)] = (part.left + SourceIndex(x - dstRect.left, sw, dw)) * sb;
    const std::size_t rowBytes = std::size_t(to.Width()) * db;
    int previous = -1;
    for (int y = to.top; y < to.bottom; ++y) {
        const int sy = part.top + SourceIndex(y - dstRect.top, sh, dh);
        std::uint8_t* d = dst.ScanLine(y) + std::size_t(to.left) * db;
        if (sy == previous) {
            std::memcpy(d, d - dst.Stride(), rowBytes);  // same source row as the line above
        } else {
            Dispatch<GatherKernel>(sb, db, d, src.ScanLine(sy), static_cast<const int*>(xmap.data()), to.Width());
            previous = sy;
        }
    }
}

void Tile(Bitmap& dst, Rect dstRect, const Bitmap& src, Rect part) {
    part = Intersect(part, BoundsOf(src));
    if (part.Empty() || dstRect.Empty() || !Sane(dstRect)) return;
    const Rect to = Intersect(dstRect, BoundsOf(dst));
    if (to.Empty()) return;
    const int sw = part.Width(), sh = part.Height();
    const int sb = src.BytesPerPixel(), db = dst.BytesPerPixel();
    const int phaseX = (to.left - dstRect.left) % sw;
    const std::size_t rowBytes = std::size_t(to.Width()) * db;
    for (int y = to.top; y < to.bottom; ++y) {
        std::uint8_t* d = dst.ScanLine(y) + std::size_t(to.left) * db;
        if (y - to.top >= sh) {
            std::memcpy(d, dst.ScanLine(y - sh) + std::size_t(to.left) * db, rowBytes);  // one period above
            continue;
        }
        const int sy = part.top + (y - dstRect.top) % sh;
        Dispatch<TileRowKernel>(sb, db, d, static_cast<const std::uint8_t*>(src.ScanLine(sy) + std::size_t(part.left) * sb),
                                sw, phaseX, to.Width());
    }
}

void FillRect(Bitmap& dst, Rect rect, Color color) {
    const Rect to = Intersect(rect, BoundsOf(dst));
    if (to.Empty()) return;
    const int db = dst.BytesPerPixel();
    std::uint8_t pixel[4] = {std::uint8_t(color >> 16), std::uint8_t(color >> 8), std::uint8_t(color),
                             std::uint8_t(color >> 24)};
    std::uint8_t* first = dst.ScanLine(to.top) + std::size_t(to.left) * db;
    for (int x = 0; x < to.Width(); ++x) std::memcpy(first + x * db, pixel, std::size_t(db));
    for (int y = to.top + 1; y < to.bottom; ++y)
        std::memcpy(dst.ScanLine(y) + std::size_t(to.left) * db, first, std::size_t(to.Width()) * db);
}

Bitmap CopyPart(const Bitmap& src, Rect part) {
    part = Intersect(part, BoundsOf(src));
    Bitmap out(part.Width(), part.Height(), src.Format());
    if (!part.Empty()) Copy(out, 0, 0, src, part);
    return out;
}

void ConvertFormat(Bitmap& bitmap, PixelFormat format) {
    if (bitmap.Format() == format) return;
    if (bitmap.Empty()) {
        bitmap.SetSize(0, 0, format);
        return;
    }
    Bitmap converted(bitmap.Width(), bitmap.Height(), format);
    Copy(converted, 0, 0, bitmap, BoundsOf(bitmap));
    bitmap = std::move(converted);
}

}  // namespace raster
