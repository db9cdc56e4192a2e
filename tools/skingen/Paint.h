// Anti-aliased drawing for generated skin images.
//
// Shapes are signed distance functions (negative inside), so outlines, insets and rings
// come from one description and stay concentric. A Canvas keeps premultiplied colour and
// coverage per pixel; Finish() puts the result over the colour the engine will draw the
// image onto (the matte) and turns uncovered pixels into the key colour.
#pragma once

#include <functional>
#include <vector>

#include "raster/Bitmap.h"

namespace skingen {

using raster::Color;

using Shape = std::function<float(float x, float y)>;
using Paint = std::function<Color(float x, float y)>;

struct Point {
    float x, y;
};

// Rectangles are in pixel-edge coordinates: (0, 0, 2, 2) covers exactly four pixels.
Shape Rect(float x0, float y0, float x1, float y1);
Shape RoundRect(float x0, float y0, float x1, float y1, float r);
// Radii per corner: top-left, top-right, bottom-right, bottom-left.
Shape RoundRect(float x0, float y0, float x1, float y1, float tl, float tr, float br, float bl);
Shape Circle(float cx, float cy, float r);
// A stroke of the given width along the points, with round joins and caps.
Shape Polyline(std::vector<Point> points, float width);
Shape Polygon(std::vector<Point> points);

Shape Union(Shape a, Shape b);
Shape Intersect(Shape a, Shape b);
Shape Subtract(Shape a, Shape b);
// Grows (d > 0) or shrinks (d < 0) a shape.
Shape Offset(Shape a, float d);
// The band of the given width just inside the outline.
Shape Outline(Shape a, float width);

Color Mix(Color a, Color b, float t);  // t = 0 gives a, 1 gives b
Paint Solid(Color c);
Paint VerticalGradient(float y0, Color top, float y1, Color bottom);

class Canvas {
public:
    Canvas(int width, int height);

    int Width() const { return width_; }
    int Height() const { return height_; }

    void Fill(const Shape& shape, const Paint& paint, float opacity = 1.0f);
    void Fill(const Shape& shape, Color color, float opacity = 1.0f) { Fill(shape, Solid(color), opacity); }
    // Whole pixels, no anti-aliasing.
    void FillPixels(int x0, int y0, int x1, int y1, Color color);
    // Removes coverage where the shape is (a cut-out that shows the matte or the key colour).
    void Erase(const Shape& shape);

    // Pixels covered less than keyBelow become the key colour; the rest are composed over
    // the matte. Use a tiny threshold when the matte is known, 0.5 for hard window edges.
    raster::Bitmap Finish(Color matte, float keyBelow = 1.0f / 512) const;
    // 32-bit pixels with straight alpha, for images the system composes itself (icons).
    raster::Bitmap FinishWithAlpha() const;

private:
    float Coverage(const Shape& shape, int px, int py) const;

    int width_, height_;
    std::vector<float> r_, g_, b_, a_;
};

// Frames side by side (across) or stacked (down), all of the first frame's size.
raster::Bitmap Strip(const std::vector<raster::Bitmap>& frames, bool down = false);
raster::Bitmap Strip(raster::Bitmap first, raster::Bitmap second, bool down = false);
// The part (x, y, w, h) of a bitmap.
raster::Bitmap Crop(const raster::Bitmap& source, int x, int y, int w, int h);

}  // namespace skingen
