#include "skin/resources/ImgUtil.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "base/System.h"
#include "raster/Blit.h"
#include "raster/Gradient.h"
#include "raster/Transform.h"

namespace skin {

Colour ResolveColour(Colour colour) {
    if (colour & 0x80000000u) return sys::SysColor(int(colour & 0xFF));
    return colour;
}

void Grayscale(Bitmap& bitmap) {
    raster::ConvertFormat(bitmap, raster::PixelFormat::Bgr24);
    for (int y = 0; y < bitmap.Height(); ++y) {
        std::uint8_t* p = bitmap.ScanLine(y);
        for (int x = 0; x < bitmap.Width(); ++x, p += 3) {
            const std::uint8_t g = std::uint8_t((unsigned(p[0]) + p[1] + p[2]) / 3);
            p[0] = p[1] = p[2] = g;
        }
    }
}

void ReplaceKeyColour(Bitmap& bitmap, Colour colour) {
    raster::ConvertFormat(bitmap, raster::PixelFormat::Bgr24);
    const std::uint8_t b = std::uint8_t(colour >> 16), g = std::uint8_t(colour >> 8), r = std::uint8_t(colour);
    for (int y = 0; y < bitmap.Height(); ++y) {
        std::uint8_t* p = bitmap.ScanLine(y);
        for (int x = 0; x < bitmap.Width(); ++x, p += 3)
            if (p[0] == 255 && p[1] == 0 && p[2] == 255) p[0] = b, p[1] = g, p[2] = r;
    }
}

void MirrorHorizontal(Bitmap& bitmap) { raster::MirrorHorizontal(bitmap); }
void FlipVertical(Bitmap& bitmap) { raster::FlipVertical(bitmap); }
void RotateLeft(Bitmap& bitmap) { raster::RotateLeft(bitmap); }
void RotateRight(Bitmap& bitmap) { raster::RotateRight(bitmap); }

Colour MixColours(Colour colour1, Colour colour2, std::int32_t weight) {
    colour1 = ResolveColour(colour1);
    colour2 = ResolveColour(colour2);
    const std::int64_t scale = weight < 100 ? 100 : 1000;
    auto mix = [&](int c1, int c2) {
        // Signed division truncating toward zero, low byte kept.
        return int((c1 * std::int64_t(weight) + c2 * (scale - weight) + scale / 2) / scale) & 0xFF;
    };
    return raster::Rgb(mix(raster::RedOf(colour1), raster::RedOf(colour2)),
                       mix(raster::GreenOf(colour1), raster::GreenOf(colour2)),
                       mix(raster::BlueOf(colour1), raster::BlueOf(colour2)));
}

namespace {

struct GradientSlot {
    // The colours asked for, so that a gradient whose last entry falls short of colour2 is
    // still found again instead of being recomputed into a fresh slot at every paint.
    Colour from = 0, to = 0;
    std::vector<Colour> entries;
};

struct GradientCache {
    std::array<GradientSlot, kGradientSlots> slots;
    int next = 0;
};

GradientCache& Cache() {
    static GradientCache cache;
    return cache;
}

void CheckCount(int count) {
    if (count < 1) throw EAssertionFailed("Assertion failure (ImgUtil)");
}

}  // namespace

int FindGradient(int count, Colour colour1, Colour colour2) {
    CheckCount(count);
    const auto& slots = Cache().slots;
    for (int i = kGradientSlots - 1; i >= 0; --i) {
        const GradientSlot& s = slots[std::size_t(i)];
        if (int(s.entries.size()) == count && s.from == colour1 && s.to == colour2) return i;
    }
    return -1;
}

int MakeGradient(int count, Colour colour1, Colour colour2) {
    CheckCount(count);
    GradientCache& cache = Cache();
    const int slot = cache.next;
    cache.next = (cache.next + 1) % kGradientSlots;
    GradientSlot& s = cache.slots[std::size_t(slot)];
    s.from = colour1;
    s.to = colour2;
    s.entries = raster::GradientEntries(count, colour1, colour2);
    return slot;
}

int GetGradient(int count, Colour colour1, Colour colour2) {
    const int slot = FindGradient(count, colour1, colour2);
    return slot >= 0 ? slot : MakeGradient(count, colour1, colour2);
}

const std::vector<Colour>& GradientEntries(int slot) {
    static const std::vector<Colour> none;
    if (slot < 0 || slot >= kGradientSlots) return none;
    return Cache().slots[std::size_t(slot)].entries;
}

void ResetGradientCache() { Cache() = GradientCache{}; }

GradientBands VisibleGradientBands(raster::Rect rect, raster::Rect clip, bool vertical) {
    GradientBands b;
    b.start = vertical ? rect.top : rect.left;
    const int end = vertical ? rect.bottom : rect.right;
    const int clipStart = vertical ? clip.top : clip.left, clipEnd = vertical ? clip.bottom : clip.right;
    b.count = end - b.start;
    if (b.count <= 0) return b;
    b.first = clipStart > b.start ? clipStart - b.start : 0;
    b.last = clipEnd < end ? clipEnd - b.start - 1 : b.count - 1;
    return b;
}

void FillGradient(Bitmap& bitmap, raster::Rect rect, Colour colour1, Colour colour2, bool vertical) {
    const raster::Rect clip = raster::BoundsOf(bitmap);
    if (raster::Intersect(rect, clip).Empty() || !raster::Sane(rect)) return;
    colour1 = ResolveColour(colour1) & 0xFFFFFF;
    colour2 = ResolveColour(colour2) & 0xFFFFFF;
    const GradientBands b = VisibleGradientBands(rect, clip, vertical);
    if (b.count <= 0) return;
    const int slot = GetGradient(b.count, colour1, colour2);
    raster::FillGradientBands(bitmap, rect, GradientEntries(slot), vertical, b.first, b.last);
}

std::int32_t SaturationLevel(Colour colour) {
    const int r = raster::RedOf(colour), g = raster::GreenOf(colour), b = raster::BlueOf(colour);
    if (r < 160 && g < 160 && b < 160) return 200;
    const int hi = std::max({r, g, b}), lo = std::min({r, g, b});
    const double value = hi ? double(hi - lo) / hi * 255.0 : 0.0;
    // Halves go to the even neighbour.
    const double whole = std::floor(value), fraction = value - whole;
    std::int32_t result = std::int32_t(whole);
    if (fraction > 0.5 || (fraction == 0.5 && (result & 1))) ++result;
    return result;
}

}  // namespace skin
