#include "Paint.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

namespace skingen {
namespace {

float Length(float x, float y) { return std::sqrt(x * x + y * y); }

float SegmentDistance(float px, float py, Point a, Point b) {
    const float dx = b.x - a.x, dy = b.y - a.y;
    const float len2 = dx * dx + dy * dy;
    float t = len2 > 0 ? ((px - a.x) * dx + (py - a.y) * dy) / len2 : 0;
    t = std::clamp(t, 0.0f, 1.0f);
    return Length(px - (a.x + t * dx), py - (a.y + t * dy));
}

}  // namespace

Shape Rect(float x0, float y0, float x1, float y1) { return RoundRect(x0, y0, x1, y1, 0, 0, 0, 0); }

Shape RoundRect(float x0, float y0, float x1, float y1, float r) { return RoundRect(x0, y0, x1, y1, r, r, r, r); }

Shape RoundRect(float x0, float y0, float x1, float y1, float tl, float tr, float br, float bl) {
    const float cx = (x0 + x1) / 2, cy = (y0 + y1) / 2;
    const float hx = (x1 - x0) / 2, hy = (y1 - y0) / 2;
    return [=](float x, float y) {
        const float dx = x - cx, dy = y - cy;
        const float r = dx < 0 ? (dy < 0 ? tl : bl) : (dy < 0 ? tr : br);
        const float qx = std::abs(dx) - hx + r, qy = std::abs(dy) - hy + r;
        return std::min(std::max(qx, qy), 0.0f) + Length(std::max(qx, 0.0f), std::max(qy, 0.0f)) - r;
    };
}

Shape Circle(float cx, float cy, float r) {
    return [=](float x, float y) { return Length(x - cx, y - cy) - r; };
}

Shape Polyline(std::vector<Point> points, float width) {
    return [points = std::move(points), half = width / 2](float x, float y) {
        float d = 1e9f;
        if (points.size() == 1) d = Length(x - points[0].x, y - points[0].y);
        for (std::size_t i = 1; i < points.size(); ++i) d = std::min(d, SegmentDistance(x, y, points[i - 1], points[i]));
        return d - half;
    };
}

Shape Polygon(std::vector<Point> points) {
    return [points = std::move(points)](float x, float y) {
        float d = 1e9f;
        bool inside = false;
        const std::size_t n = points.size();
        for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
            const Point a = points[j], b = points[i];
            d = std::min(d, SegmentDistance(x, y, a, b));
            if ((b.y > y) != (a.y > y) && x < (a.x - b.x) * (y - b.y) / (a.y - b.y) + b.x) inside = !inside;
        }
        return inside ? -d : d;
    };
}

Shape Union(Shape a, Shape b) {
    return [a = std::move(a), b = std::move(b)](float x, float y) { return std::min(a(x, y), b(x, y)); };
}
Shape Intersect(Shape a, Shape b) {
    return [a = std::move(a), b = std::move(b)](float x, float y) { return std::max(a(x, y), b(x, y)); };
}
Shape Subtract(Shape a, Shape b) {
    return [a = std::move(a), b = std::move(b)](float x, float y) { return std::max(a(x, y), -b(x, y)); };
}
Shape Offset(Shape a, float d) {
    return [a = std::move(a), d](float x, float y) { return a(x, y) - d; };
}
Shape Outline(Shape a, float width) { return Subtract(a, Offset(a, -width)); }

Color Mix(Color a, Color b, float t) {
    t = std::clamp(t, 0.0f, 1.0f);
    auto ch = [t](int p, int q) { return int(std::lround(p + (q - p) * t)); };
    return raster::Rgb(ch(raster::RedOf(a), raster::RedOf(b)), ch(raster::GreenOf(a), raster::GreenOf(b)),
                       ch(raster::BlueOf(a), raster::BlueOf(b)));
}

Paint Solid(Color c) {
    return [c](float, float) { return c; };
}

Paint VerticalGradient(float y0, Color top, float y1, Color bottom) {
    return [=](float, float y) { return Mix(top, bottom, y1 > y0 ? (y - y0) / (y1 - y0) : 0); };
}

Canvas::Canvas(int width, int height)
    : width_(width),
      height_(height),
      r_(std::size_t(width) * height),
      g_(r_.size()),
      b_(r_.size()),
      a_(r_.size()) {}

float Canvas::Coverage(const Shape& shape, int px, int py) const {
    const float centre = shape(px + 0.5f, py + 0.5f);
    if (centre <= -0.75f) return 1;
    if (centre >= 0.75f) return 0;
    constexpr int kGrid = 4;
    int inside = 0;
    for (int sy = 0; sy < kGrid; ++sy)
        for (int sx = 0; sx < kGrid; ++sx)
            if (shape(px + (sx + 0.5f) / kGrid, py + (sy + 0.5f) / kGrid) < 0) ++inside;
    return float(inside) / (kGrid * kGrid);
}

void Canvas::Fill(const Shape& shape, const Paint& paint, float opacity) {
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) {
            const float c = Coverage(shape, x, y) * opacity;
            if (c <= 0) continue;
            const Color col = paint(x + 0.5f, y + 0.5f);
            const std::size_t i = std::size_t(y) * width_ + x;
            r_[i] = raster::RedOf(col) * c + r_[i] * (1 - c);
            g_[i] = raster::GreenOf(col) * c + g_[i] * (1 - c);
            b_[i] = raster::BlueOf(col) * c + b_[i] * (1 - c);
            a_[i] = c + a_[i] * (1 - c);
        }
}

void Canvas::FillPixels(int x0, int y0, int x1, int y1, Color color) {
    for (int y = std::max(y0, 0); y < std::min(y1, height_); ++y)
        for (int x = std::max(x0, 0); x < std::min(x1, width_); ++x) {
            const std::size_t i = std::size_t(y) * width_ + x;
            r_[i] = float(raster::RedOf(color));
            g_[i] = float(raster::GreenOf(color));
            b_[i] = float(raster::BlueOf(color));
            a_[i] = 1;
        }
}

void Canvas::Erase(const Shape& shape) {
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) {
            const float keep = 1 - Coverage(shape, x, y);
            const std::size_t i = std::size_t(y) * width_ + x;
            r_[i] *= keep;
            g_[i] *= keep;
            b_[i] *= keep;
            a_[i] *= keep;
        }
}

raster::Bitmap Canvas::Finish(Color matte, float keyBelow) const {
    raster::Bitmap out(width_, height_);
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) {
            const std::size_t i = std::size_t(y) * width_ + x;
            const float a = a_[i];
            if (a < keyBelow) {
                out.SetPixel(x, y, raster::kKeyColor);
                continue;
            }
            auto ch = [&](float premul, int m) { return std::clamp(int(std::lround(premul + m * (1 - a))), 0, 255); };
            Color c = raster::Rgb(ch(r_[i], raster::RedOf(matte)), ch(g_[i], raster::GreenOf(matte)),
                                  ch(b_[i], raster::BlueOf(matte)));
            // An opaque pixel must never read as the key colour by accident.
            if (c == raster::kKeyColor) c = raster::Rgb(254, 0, 254);
            out.SetPixel(x, y, c);
        }
    return out;
}

raster::Bitmap Canvas::FinishWithAlpha() const {
    raster::Bitmap out(width_, height_, raster::PixelFormat::Bgra32);
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) {
            const std::size_t i = std::size_t(y) * width_ + x;
            const float a = a_[i];
            const int alpha = std::clamp(int(std::lround(a * 255)), 0, 255);
            if (alpha == 0) continue;  // fully transparent stays black, as icon masks expect
            auto ch = [&](float premul) { return std::clamp(int(std::lround(premul / a)), 0, 255); };
            out.SetPixel(x, y, raster::Rgb(ch(r_[i]), ch(g_[i]), ch(b_[i])) | Color(alpha) << 24);
        }
    return out;
}

raster::Bitmap Strip(const std::vector<raster::Bitmap>& frames, bool down) {
    if (frames.empty()) return {};
    const int w = frames[0].Width(), h = frames[0].Height(), n = int(frames.size());
    raster::Bitmap out(down ? w : w * n, down ? h * n : h);
    for (int f = 0; f < n; ++f)
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                out.SetPixel(down ? x : x + f * w, down ? y + f * h : y, frames[std::size_t(f)].GetPixel(x, y));
    return out;
}

raster::Bitmap Strip(raster::Bitmap first, raster::Bitmap second, bool down) {
    std::vector<raster::Bitmap> frames;
    frames.push_back(std::move(first));
    frames.push_back(std::move(second));
    return Strip(frames, down);
}

raster::Bitmap Crop(const raster::Bitmap& source, int x, int y, int w, int h) {
    raster::Bitmap out(w, h);
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) out.SetPixel(i, j, source.GetPixel(x + i, y + j));
    return out;
}

}  // namespace skingen
