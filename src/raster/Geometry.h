// Rectangles and margins in pixels. A rectangle is half-open: right and bottom are outside.
#pragma once

#include <algorithm>

namespace raster {

struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;

    constexpr int Width() const { return right - left; }
    constexpr int Height() const { return bottom - top; }
    // Right before left or bottom above top: skin numbers can produce these.
    constexpr bool Inverted() const { return right < left || bottom < top; }
    constexpr bool Empty() const { return right <= left || bottom <= top; }
    constexpr Rect Offset(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
    constexpr bool operator==(const Rect&) const = default;
};

// Coordinates beyond +-2^28 (more than GDI itself handles) are refused by the drawing
// routines, so that no width, sum or offset computed from a rectangle can overflow.
inline constexpr int kMaxCoordinate = 1 << 28;
constexpr bool InRange(int v) { return v >= -kMaxCoordinate && v <= kMaxCoordinate; }
constexpr bool Sane(const Rect& r) { return InRange(r.left) && InRange(r.top) && InRange(r.right) && InRange(r.bottom); }

constexpr Rect RectOfSize(int x, int y, int width, int height) { return {x, y, x + width, y + height}; }

constexpr Rect Intersect(const Rect& a, const Rect& b) {
    Rect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
    if (r.Empty()) return {};
    return r;
}

// Widths of the four edges of a sliced image.
struct Margins {
    int left = 0, top = 0, right = 0, bottom = 0;
    constexpr bool operator==(const Margins&) const = default;
};

}  // namespace raster
